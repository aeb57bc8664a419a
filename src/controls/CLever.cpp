#include "controls/CLever.h"

#include "util/KxText.h"

namespace {

bool StrictlyInside(const CRect& r, const CPoint& p) {
    return p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom;
}

int PercentOf(double percent, int size) {
    // Truncated toward zero; a wild percentage cannot overflow.
    double v = kx::Limit(percent / 100.0 * size, -1.0e9, 1.0e9);
    return static_cast<int>(v);
}

}  // namespace

bool CLever::Initialise(const LeverSettings& settings) {
    m_zoneX = settings.panelX + settings.xOffset;
    m_zoneY = settings.panelY + settings.yOffset;

    ControlDefinition definition{};
    for (int i = 0; i < kDetentCount; ++i) {
        const LeverDetent& d = settings.detents[i];
        const bool named = kx::BoundedLength(d.picture, 3) >= 3;
        m_present[i] = d.present != 0 && named;
        // Only a usable name is looked up: an absent detent has no picture
        // to fail on.
        if (named)
            JoinPictureName(definition.fileNames[i], settings.folder, kSubFolder, d.picture);
    }
    SetScale(settings.scale);
    definition.kind = ControlType::Lever;
    definition.x = ScaleValue(settings.xOffset) + settings.panelX;
    definition.y = ScaleValue(settings.yOffset) + settings.panelY;

    if (!CBaseCockpitControl::Initialise(definition))
        return false;

    const int w = m_rect.Width();
    const int h = m_rect.Height();
    for (int i = 0; i < kDetentCount; ++i) {
        if (!m_present[i])
            continue;
        const LeverDetent& d = settings.detents[i];
        m_detentRects[i] = CRect(m_zoneX + PercentOf(d.left, w), m_zoneY + PercentOf(d.top, h),
                                 m_zoneX + PercentOf(d.right, w), m_zoneY + PercentOf(d.bottom, h));
    }
    return true;
}

void CLever::HandleMouse(MouseEvent* event) {
    if (event == nullptr)
        return;
    CPoint local;
    GetLocalMousePoint(local);
    const CPoint p(local.x + m_zoneX, local.y + m_zoneY);

    // The wheel moves to the next present detent in its direction, so that
    // the lever never rests where it has no picture and no published meaning;
    // past the last one it stays.
    if (IsPointInside(p.x, p.y)) {
        if (event->code == MouseEvent::kWheelToward || event->code == MouseEvent::kWheelAway) {
            const int step = event->code == MouseEvent::kWheelToward ? 1 : -1;
            for (int i = m_index + step; i >= 0 && i < kDetentCount; i += step) {
                if (m_present[i]) {
                    m_index = i;
                    break;
                }
            }
            return;
        }
    }
    if (event->code == MouseEvent::kLeftPress) {
        for (int i = 0; i < kDetentCount; ++i) {
            if (m_present[i] && StrictlyInside(m_detentRects[i], p)) {
                m_index = i;
                return;
            }
        }
    }
}

void CLever::SetDetent(int detent) {
    if (detent >= 0 && detent < kDetentCount)
        m_index = detent;
}

void CLever::GetDetentRect(int detent, CRect& out) const {
    if (detent >= 0 && detent < kDetentCount)
        out = m_detentRects[detent];
}

bool CLever::IsDetentPresent(int detent) const {
    return detent >= 0 && detent < kDetentCount && m_present[detent];
}
