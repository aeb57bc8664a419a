#include "controls/CGuardedCover.h"

bool CGuardedCover::Initialise(const CoverSettings& settings) {
    ControlDefinition definition{};
    for (int i = 0; i < 2; ++i) {
        JoinPictureName(definition.fileNames[i], settings.folder, "\\", settings.controlFolder,
                        kSlotNames[i]);
    }
    SetScale(settings.scale);
    definition.kind = ControlType::Cover;
    definition.reducedPictureSet = 1;
    definition.x = ScaleValue(settings.xOffset) + settings.panelX;
    definition.y = ScaleValue(settings.yOffset) + settings.panelY;

    bool ok = CBaseCockpitControl::Initialise(definition);
    m_guardState = kGuardClosed;
    m_index = 1;
    return ok;
}

void CGuardedCover::HandleMouse(MouseEvent* event) {
    if (ToggleGuardOnRightPress(event, m_armed,
                                [this](CPoint p) { return IsLocalPointInside(p.x, p.y); })) {
        m_index = (m_guardState == kGuardClosed) ? 1 : 0;
    }
}
