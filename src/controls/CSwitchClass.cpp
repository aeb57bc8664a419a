#include "controls/CSwitchClass.h"

#include <climits>

namespace {

bool StrictlyInside(const CRect& r, const CPoint& p) {
    return p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom;
}

}  // namespace

bool CSwitchClass::Initialise(const SwitchSettings& settings) {
    m_switchId = settings.switchId;

    ControlDefinition definition{};
    for (int i = 0; i < 3; ++i)
        JoinPictureName(definition.fileNames[i], settings.folder, kSubFolder, settings.pictures[i]);
    SetScale(settings.scale);
    definition.kind = ControlType::Switch;
    definition.positionCount = settings.switchType;
    definition.x = ScaleValue(settings.xOffset) + settings.panelX;
    definition.y = ScaleValue(settings.yOffset) + settings.panelY;

    m_switchType = settings.switchType;
    m_initialised = CBaseCockpitControl::Initialise(definition);
    if (m_initialised)
        ComputeZones();
    else
        SetError(GetErrorText());  // the first 255 characters
    return m_initialised;
}

void CSwitchClass::ComputeZones() {
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    m_upZone = m_downZone = m_middleZone = m_leftZone = m_rightZone = CRect();
    switch (m_switchType) {
        case 1:
        case 5:
            m_upZone = CRect(0, 0, w, h / 3);
            m_middleZone = CRect(0, h / 3, w, 2 * (h / 3));
            m_downZone = CRect(0, 2 * (h / 3), w, h);
            break;
        case 2:
            m_upZone = CRect(0, 0, w, h / 2);
            m_downZone = CRect(0, h / 2, w, h);
            break;
        case 3:
        case 6:
            m_leftZone = CRect(0, 0, w / 3, h);
            m_middleZone = CRect(w / 3, 0, 2 * (w / 3), h);
            m_rightZone = CRect(2 * (w / 3), 0, w, h);
            break;
        case 4:
            m_leftZone = CRect(0, 0, w / 2, h);
            m_rightZone = CRect(w / 2, 0, w, h);
            break;
        default:
            break;
    }
}

void CSwitchClass::HandleMouse(MouseEvent* event) {
    if (!m_initialised || event == nullptr)
        return;
    CPoint p;
    GetLocalMousePoint(p);
    if (event->code != MouseEvent::kLeftPress)
        return;

    int position = -1;
    switch (m_switchType) {
        case 1:
        case 5:
            if (StrictlyInside(m_upZone, p))
                position = kUp;
            else if (StrictlyInside(m_middleZone, p))
                position = kMiddle;
            else if (StrictlyInside(m_downZone, p))
                position = kDown;
            break;
        case 2:
            if (StrictlyInside(m_upZone, p))
                position = kUp;
            else if (StrictlyInside(m_downZone, p))
                position = kDown;
            break;
        case 3:
        case 6:
            if (StrictlyInside(m_leftZone, p))
                position = kUp;
            else if (StrictlyInside(m_middleZone, p))
                position = kMiddle;
            else if (StrictlyInside(m_rightZone, p))
                position = kDown;
            break;
        case 4:
            if (StrictlyInside(m_leftZone, p))
                position = kUp;
            else if (StrictlyInside(m_rightZone, p))
                position = kDown;
            break;
        default:
            break;
    }
    if (position >= 0)
        m_index = position;
}

void CSwitchClass::SetPosition(int code) {
    if (!m_initialised)
        return;
    if (code >= kUp && code <= kDown)
        m_index = code;
}

void CSwitchClass::SetPositionFromFlags(const char flags[2]) {
    if (flags == nullptr)
        return;
    if (flags[0] != 0)
        SetPosition(kUp);
    else if (flags[1] != 0)
        SetPosition(kDown);
    else
        SetPosition(kMiddle);
}

int CSwitchClass::GetPosition() {
    if (!m_initialised)
        return -1;
    const int position = m_index;
    if (position != kMiddle && IsSpringLoaded() && m_springCountdown < -1)
        m_springCountdown = kSpringStart;
    return position;
}

void CSwitchClass::WritePositionFlags(char out[2]) {
    if (!m_initialised || out == nullptr)
        return;
    const int position = GetPosition();
    out[0] = position == kUp ? 1 : 0;
    out[1] = position == kDown ? 1 : 0;

    // The countdown keeps falling while idle; it stops short of the lowest
    // value instead of wrapping round after years of updates.
    if (m_springCountdown > INT_MIN)
        --m_springCountdown;
    if (m_springCountdown < 0 && IsSpringLoaded())
        m_index = kMiddle;
}
