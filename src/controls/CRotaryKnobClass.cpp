#include "controls/CRotaryKnobClass.h"

#include <climits>

#include "util/KxText.h"

namespace {

bool StrictlyInside(const CRect& r, const CPoint& p) {
    return p.x > r.left && p.x < r.right && p.y > r.top && p.y < r.bottom;
}

// Turning calls of one press after which the accelerating knob moves again,
// and the divisor of its speed from then on.
constexpr int kAccelerationStart = 8;
// The same for GetTurnDelta: pause after the first call, speed divisor and
// the highest speed.
constexpr int kDeltaDivisor = 5;
constexpr int kDeltaMaximum = 5;

}  // namespace

bool CRotaryKnobClass::Initialise(const RotaryKnobSettings& settings) {
    ControlDefinition definition{};
    for (int i = 0; i < 3; ++i)
        JoinPictureName(definition.fileNames[i], settings.folder, kSubFolder, settings.pictures[i]);
    SetScale(settings.scale);
    definition.kind = ControlType::RotaryKnob;
    definition.x = ScaleValue(settings.xOffset) + settings.panelX;
    definition.y = ScaleValue(settings.yOffset) + settings.panelY;
    m_knobX = definition.x;
    m_knobY = definition.y;

    m_initialised = CBaseCockpitControl::Initialise(definition) ? 1 : 0;
    if (!m_initialised)
        return false;

    m_size = GetSize();
    const int w = m_size.right;
    const int h = m_size.bottom;
    m_decreaseZone = CRect(0, 0, w / 2, h);
    m_increaseZone = CRect(w / 2, 0, w, h);
    m_step = m_initialStep = settings.step;
    m_maximum = settings.maximum;
    m_minimum = settings.minimum;
    return true;
}

bool CRotaryKnobClass::InIncreaseZone(const CPoint& p) const {
    return StrictlyInside(m_increaseZone, p);
}

bool CRotaryKnobClass::InDecreaseZone(const CPoint& p) const {
    return StrictlyInside(m_decreaseZone, p);
}

void CRotaryKnobClass::HandleMouseClamped(MouseEvent* event) {
    Turn(event, false);
}

void CRotaryKnobClass::HandleMouseWrapped(MouseEvent* event) {
    Turn(event, true);
}

void CRotaryKnobClass::Turn(MouseEvent* event, bool wrap) {
    const bool held = event != nullptr && event->code == MouseEvent::kLeftPress;
    if (!held)
        m_repeatCount = 0;
    ++m_cycleCount;
    m_changed = false;
    // Limits may have changed since the last call (a Mach knob becoming a
    // speed knob): the value is brought inside them whatever the pointer does.
    if (m_minimum <= m_maximum && (m_value < m_minimum || m_value > m_maximum)) {
        m_value = kx::Limit(m_value, m_minimum, m_maximum);
        m_changed = true;
    }

    if (m_pressState == 0) {
        if (!held)
            return;
        m_pressState = 1;  // the first update of a press turns at once
    } else {
        if (!held) {
            m_pressState = 0;
            return;
        }
        if (!m_fastRepeat && (m_cycleCount & 1u) != 0)
            return;
    }

    CPoint p;
    GetLocalMousePoint(p);
    const bool up = InIncreaseZone(p);
    const bool down = !up && InDecreaseZone(p);

    long long steps = 0;
    if (m_singleStep) {
        steps = 1;
    } else {
        if (m_repeatCount < INT_MAX)
            ++m_repeatCount;
        if (m_repeatCount < 2)
            steps = 1;
        else if (m_repeatCount <= kAccelerationStart)
            steps = 0;
        else
            steps = m_repeatCount / kAccelerationStart;
    }
    if (!up && !down)
        return;
    m_changed = true;

    long long value =
        static_cast<long long>(m_value) + (up ? steps : -steps) * static_cast<long long>(m_step);
    if (wrap) {
        if (value < m_minimum)
            value = m_maximum;
        else if (value > m_maximum)
            value = m_minimum;
    } else {
        if (value < m_minimum)
            value = m_minimum;
        else if (value > m_maximum)
            value = m_maximum;
    }
    // Limits set the wrong way round can leave the value outside them; keep
    // it a valid int all the same.
    m_value = static_cast<std::int32_t>(kx::Limit<long long>(value, INT_MIN, INT_MAX));
}

int CRotaryKnobClass::GetTurnDelta(MouseEvent* event) {
    if (event == nullptr || event->code != MouseEvent::kLeftPress) {
        m_repeatCount = 0;
        return 0;
    }
    if (m_repeatCount < INT_MAX)
        ++m_repeatCount;
    CPoint p;
    GetLocalMousePoint(p);
    int sign = 0;
    if (InIncreaseZone(p))
        sign = 1;
    else if (InDecreaseZone(p))
        sign = -1;
    if (sign == 0)
        return 0;
    if (m_repeatCount <= 1)
        return sign;
    if (m_repeatCount <= kDeltaDivisor)
        return 0;
    return sign * kx::Limit(m_repeatCount / kDeltaDivisor, 1, kDeltaMaximum);
}

void CRotaryKnobClass::HandlePushPull(MouseEvent* event, bool& pulled, bool& pushed) {
    if (!m_initialised)
        return;
    if (m_pushPullCountdown > INT_MIN)
        --m_pushPullCountdown;
    if (m_pushPullCountdown >= 1)
        return;

    pulled = false;
    pushed = false;
    m_pictureIndex = kResting;
    if (event == nullptr)
        return;
    CPoint p;
    GetLocalMousePoint(p);
    if (!InIncreaseZone(p) && !InDecreaseZone(p))
        return;
    if (event->code == MouseEvent::kWheelToward) {
        pulled = true;
        m_pictureIndex = kPulled;
        m_pushPullCountdown = kPushPullCalls;
    } else if (event->code == MouseEvent::kWheelAway) {
        pushed = true;
        m_pictureIndex = kPushed;
        m_pushPullCountdown = kPushPullCalls;
    }
}

void CRotaryKnobClass::UpdateTouched(MouseEvent* event) {
    (void)event;  // the point comes from the view values, whatever the code
    CPoint p;
    GetLocalMousePoint(p);
    m_touched = InIncreaseZone(p) || InDecreaseZone(p);
}

void CRotaryKnobClass::SetValue(int value) {
    m_value = kx::Limit(value, m_minimum, m_maximum);
}

void CRotaryKnobClass::SetLimits(int maximum, int minimum) {
    m_maximum = maximum;
    m_minimum = minimum;
}

void CRotaryKnobClass::DrawRotaryKnob(CDC* dc) {
    if (m_pictureIndex >= 0 && m_pictureIndex < 3 && m_loaded[m_pictureIndex])
        DrawSlot(dc, m_pictureIndex);
}
