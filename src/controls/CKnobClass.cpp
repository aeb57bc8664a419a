#include "controls/CKnobClass.h"

namespace {

bool StrictlyInside(const CRect& r, const CPoint& p) {
    return p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom;
}

}  // namespace

bool CKnobClass::InitialiseWithMargins(const KnobSettings& settings) {
    m_verticalMargin = settings.verticalMargin;
    m_horizontalMargin = settings.horizontalMargin;
    return Initialise(settings);
}

bool CKnobClass::Initialise(const KnobSettings& settings) {
    ControlDefinition definition{};
    for (int i = 0; i < kPositionCount; ++i) {
        m_present[i] = settings.present[i] != 0;
        if (m_present[i]) {
            JoinPictureName(definition.fileNames[i], settings.folder, "\\", settings.controlFolder,
                            kPositionNames[i]);
        }
    }
    SetScale(settings.scale);
    definition.kind = ControlType::Knob;
    definition.x = ScaleValue(settings.xOffset) + settings.panelX;
    definition.y = ScaleValue(settings.yOffset) + settings.panelY;

    m_initialised = CBaseCockpitControl::Initialise(definition) ? 1 : 0;
    if (!m_initialised)
        return false;

    m_size = GetSize();
    const int cw = m_size.right / 3;
    const int ch = m_size.bottom / 3;
    for (int i = 0; i < kPositionCount; ++i) {
        const int row = kPositionRow[i];
        const int col = kPositionColumn[i];
        CRect z(col * cw, row * ch, (col + 1) * cw, (row + 1) * ch);
        if (row == 0)
            z.top -= m_verticalMargin;
        if (row == 2)
            z.bottom += m_verticalMargin;
        if (col == 0)
            z.left -= m_horizontalMargin;
        if (col == 2)
            z.right += m_horizontalMargin;
        m_zones[i] = z;
    }
    return true;
}

void CKnobClass::HandleMouse(MouseEvent* event) {
    if (event == nullptr || event->code == MouseEvent::kNone)
        return;
    CPoint p;
    GetLocalMousePoint(p);
    for (int i = 0; i < kPositionCount; ++i) {
        if (m_present[i] && StrictlyInside(m_zones[i], p)) {
            m_index = i;
            return;
        }
    }
}

void CKnobClass::SetKnobPosition(int position) {
    if (position >= 0 && position < kPositionCount && m_present[position])
        m_index = position;
}

CRect CKnobClass::GetZone(int position) const {
    if (position < 0 || position >= kPositionCount)
        return CRect();
    return m_zones[position];
}
