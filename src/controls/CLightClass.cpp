#include "controls/CLightClass.h"

bool CLightClass::Initialise(const LightSettings& settings) {
    SetScale(settings.scale);
    ControlDefinition definition{};
    definition.kind = ControlType::Light;
    for (int i = 0; i < 4; ++i) {
        JoinPictureName(definition.fileNames[i], settings.folder, "\\", settings.controlFolder,
                        kSlotNames[i]);
    }
    definition.x = ScaleValue(settings.xOffset) + settings.panelX;
    definition.y = ScaleValue(settings.yOffset) + settings.panelY;
    definition.reducedPictureSet = 1;
    m_onOffSet = true;
    m_momentary = true;

    bool ok = CBaseCockpitControl::Initialise(definition);
    if (!ok)
        SetError(GetErrorText());  // the first 255 characters
    m_buttonId = settings.buttonId;
    return ok;
}

void CLightClass::SetLight(bool lit, bool test) {
    m_lightCode = (lit || test) ? kTopLit : kNoneLit;
    m_index = (m_lightCode == kTopLit) ? 0 : 1;
}

void CLightClass::DrawIfVisible(bool visible, CDC* dc) {
    if (visible)
        Draw(dc);
}

void CLightClass::DrawAt(CDC* dc, int x, int y) {
    DrawSlotAt(dc, 0, x, y);
}
