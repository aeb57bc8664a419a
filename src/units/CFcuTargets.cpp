#include "units/CFcuTargets.h"

#include <cmath>

#include "util/KxText.h"

namespace {

// Knob steps and limits.
struct KnobLimits {
    int step;
    int minimum;
    int maximum;
};
constexpr KnobLimits kKnobLimits[CFcuTargets::kKnobCount] = {
    {1, 100, 1100},     // speed (knots, or Mach x 1000)
    {1, 0, 359},        // heading, wraps round
    {1000, 0, 50000},   // altitude, 1000 ft steps
    {100, 0, 50000},    // altitude, 100 ft steps
    {50, -6000, 6000},  // vertical speed (re-set every update by the mode)
};

// Vertical knob in each mode.
constexpr KnobLimits kVsLimits{100, -6000, 6000};
constexpr KnobLimits kFpaLimits{1, -90, 90};  // tenths of a degree

// Preview hold times in host time, per role (altitude, heading, vertical, speed).
constexpr std::int32_t kHoldTimes[CFcuTargets::kRoleCount] = {10, 45, 45, 10};

// The two altitude knobs kept in step.
constexpr int kAltitudeMax = 50000;
constexpr int kAltitude1000Min = 100;  // the 1000 ft knob behind the 100 ft one
constexpr int kAltitude100Min = 1000;  // the 100 ft knob behind the 1000 ft one
constexpr int kStateAltitude100Mode[2] = {100, 49900};
constexpr int kStateAltitude1000Mode[2] = {1000, 49000};

constexpr int kMachRounding = 10;  // Mach x 1000 published to two decimals

constexpr int kSpeedCells = 3;
constexpr int kHeadingCells = 3;
constexpr int kAltitudeCells = 5;
constexpr int kVerticalCells = 5;

void Fill(char (&text)[8], char c, int cells) {
    for (int i = 0; i < cells; ++i)
        text[i] = c;
    text[cells] = '\0';
}

}  // namespace

bool SelectedPreviewTimer::Run(int value, bool managed, std::int32_t hostTime) {
    movedCopy = moved;
    lastValue = value;
    if (managed) {
        if (moved && previousManaged)
            deadline = hostTime + holdTime;
        else if (!previousManaged)
            deadline = hostTime - 1;  // managed just began: no preview
    }
    previousManaged = managed ? 1 : 0;
    previewing = deadline > hostTime ? 1 : 0;
    return previewing != 0;
}

CFcuTargets::CFcuTargets() {
    ResetKnobs();
    for (int role = 0; role < kRoleCount; ++role)
        m_timers[role].holdTime = kHoldTimes[role];
    m_knobs[kSpeedKnob].SetValue(kMinKnots);
    m_knobs[kAltitude1000Knob].SetValue(kAltitude100Min);
    m_knobs[kAltitude100Knob].SetValue(kAltitude100Min);
    Publish();
}

void CFcuTargets::ResetKnobs() {
    for (int k = 0; k < kKnobCount; ++k) {
        m_knobs[k].SetLimits(kKnobLimits[k].maximum, kKnobLimits[k].minimum);
        m_knobs[k].SetStep(kKnobLimits[k].step);
    }
    // Speed and heading act on every update a button is held; the vertical
    // knob moves one step per turning call.
    m_knobs[kSpeedKnob].SetFastRepeat();
    m_knobs[kHeadingKnob].SetFastRepeat();
    m_knobs[kVerticalKnob].SetSingleStep();
    ApplyVerticalMode();
}

bool CFcuTargets::Truncate(float value, int& out) {
    if (!std::isfinite(value))
        return false;
    const double limited = kx::Limit(static_cast<double>(value), -1e9, 1e9);
    out = static_cast<int>(limited);
    return true;
}

// ---------------------------------------------------------------- speed

void CFcuTargets::SetSelectedSpeed(int value) {
    m_knobs[kSpeedKnob].SetValue(value);
    m_mach = m_knobs[kSpeedKnob].GetValue() >= kMachThreshold;
}

double CFcuTargets::MachOfKnots(double knots, double altitudeMetres) const {
    return m_atmosphere.CasToMach(knots * kMetresPerSecondPerKnot, altitudeMetres);
}

double CFcuTargets::KnotsOfMach(double mach, double altitudeMetres) const {
    return m_atmosphere.MachToCas(mach, altitudeMetres) * kKnotsPerMetrePerSecond;
}

void CFcuTargets::ToggleSpeedMode(double altitudeMetres, bool managed) {
    if (m_mach) {
        ChangeToSpeed(altitudeMetres, managed);
        return;
    }
    if (MachOfKnots(GetSelectedSpeed(), altitudeMetres) > kMachChangeover)
        ChangeToMach(altitudeMetres, managed);
}

void CFcuTargets::ChangeToSpeed(double altitudeMetres, bool managed) {
    m_mach = false;
    if (managed)
        return;
    const double knots = KnotsOfMach(GetSelectedSpeed() / 1000.0, altitudeMetres);
    // 399 at most: 400 would read as Mach 0.40.
    const int speed =
        static_cast<int>(kx::Limit(knots, double{kMinChangedKnots}, double{kMaxKnots}));
    SetSelectedSpeed(speed);
    m_mach = false;
}

bool CFcuTargets::ChangeToMach(double altitudeMetres, bool managed) {
    const double mach = MachOfKnots(GetSelectedSpeed(), altitudeMetres);
    if (managed) {
        m_mach = true;
        return true;
    }
    // Below Mach 0.40 the value would read as knots: stay in speed mode
    // rather than turn, say, Mach 0.30 into 300 knots.
    const int value = static_cast<int>(kx::Limit(mach * 1000.0, 0.0, 1e6));
    if (value < kMachThreshold)
        return false;
    SetSelectedSpeed(value);
    m_mach = true;
    return true;
}

void CFcuTargets::LimitSpeed() {
    CRotaryKnobClass& knob = m_knobs[kSpeedKnob];
    if (m_mach)
        knob.SetValue(kx::Limit(knob.GetValue(), kMinMach, kMaxMach));
    else
        knob.SetValue(kx::Limit(knob.GetValue(), kMinKnots, kMaxKnots));
}

// ---------------------------------------------------------------- update

void CFcuTargets::HandlePushPull(Role role, CRotaryKnobClass& knob, MouseEvent* event) {
    bool pulled = false;
    bool pushed = false;
    knob.HandlePushPull(event, pulled, pushed);
    if (pulled)
        m_pulled[role] = true;
    if (pushed)
        m_pushed[role] = true;
    if (pulled || pushed)
        m_pushPullCountdown = kPushPullUpdates;
}

void CFcuTargets::Step(MouseEvent* event, const FcuHostInputs& in, bool spdMachPressed,
                       bool hdgTrkPressed) {
    // Speed knob: 0.01 Mach steps in Mach mode.
    CRotaryKnobClass& speed = m_knobs[kSpeedKnob];
    speed.SetStep(m_mach ? kMachRounding : 1);
    speed.HandleMouseClamped(event);
    SelectedPreviewTimer& speedTimer = m_timers[kSpeed];
    speedTimer.previousMoved = speedTimer.moved;
    speedTimer.moved = speed.HasChanged() ? 1 : 0;
    HandlePushPull(kSpeed, speed, event);

    // The speed a pull takes: the managed target when the knob has just
    // started turning, the selected speed while it is previewed, else the
    // host's.
    m_lastManagedSpeed = in.managedSpeed;
    if (speedTimer.moved && !speedTimer.previousMoved)
        m_speedOnPull = in.managedSpeed;
    else if (speedTimer.previewing)
        m_speedOnPull = m_published.speed;
    else
        m_speedOnPull = in.speedOnPull;
    if (m_pulled[kSpeed])
        SetSelectedSpeed(m_speedOnPull);
    if (in.speedSet != 0)
        SetSelectedSpeed(static_cast<int>(kx::Limit<std::uint32_t>(in.speedSet, 0, 100000)));

    // Heading wraps round.
    CRotaryKnobClass& heading = m_knobs[kHeadingKnob];
    heading.HandleMouseWrapped(event);
    m_timers[kHeading].moved = heading.HasChanged() ? 1 : 0;
    HandlePushPull(kHeading, heading, event);

    if (in.altitudePreset)
        PresetAltitude(in.altitudePresetFeet);
    StepAltitude(event);

    ApplyVerticalMode();
    CRotaryKnobClass& vertical = m_knobs[kVerticalKnob];
    vertical.HandleMouseClamped(event);
    m_timers[kVertical].moved = vertical.HasChanged() ? 1 : 0;
    HandlePushPull(kVertical, vertical, event);

    // The two mode buttons act on their press.
    m_spdMachButton.SetBool(spdMachPressed);
    if (m_spdMachButton.BecameSet())
        ToggleSpeedMode(in.aircraftAltitude, in.speedManaged);
    m_hdgTrkButton.SetBool(hdgTrkPressed);
    if (m_hdgTrkButton.BecameSet()) {
        m_trkFpa = !m_trkFpa;
        ApplyVerticalMode();
        m_knobs[kVerticalKnob].SetValue(0);
    }

    // The host's change requests.
    if (in.toSpeed && m_mach)
        ChangeToSpeed(in.aircraftAltitude, in.speedManaged);
    if (in.toMach && !m_mach)
        ChangeToMach(in.aircraftAltitude, in.speedManaged);

    // Limits first, so that only limited values are published.
    LimitSpeed();
    Publish();

    for (int role = 0; role < kRoleCount; ++role) {
        std::uint8_t code = m_timers[role].moved ? kActionTurned : kActionNone;
        if (m_pushed[role])
            code = kActionPushed;
        if (m_pulled[role])
            code = kActionPulled;
        m_published.action[role] = code;
    }
    --m_pushPullCountdown;
    if (m_pushPullCountdown <= 0) {
        m_pushPullCountdown = 0;
        for (int role = 0; role < kRoleCount; ++role)
            m_pushed[role] = m_pulled[role] = false;
    }
}

void CFcuTargets::Publish() {
    const int speed = m_knobs[kSpeedKnob].GetValue();
    if (m_mach) {
        // Rounded to two decimals; 0.995 and up would round to 1.00.
        const int rounded = (speed + kMachRounding / 2) / kMachRounding * kMachRounding;
        m_published.speed = kx::Limit(rounded, kMinMach, kMaxMach);
    } else {
        m_published.speed = kx::Limit(speed, kMinKnots, kMaxKnots);
    }
    m_published.heading = GetHeading();
    m_published.altitudeHundreds = GetAltitude() / 100;
    m_published.vertical = GetVertical();
    m_published.mach = m_mach;
    m_published.trkFpa = m_trkFpa;
    m_published.step100 = m_step100;
}

void CFcuTargets::StepAltitude(MouseEvent* event) {
    CRotaryKnobClass& knob1000 = m_knobs[kAltitude1000Knob];
    CRotaryKnobClass& knob100 = m_knobs[kAltitude100Knob];
    CRotaryKnobClass& active = m_step100 ? knob100 : knob1000;
    active.HandleMouseClamped(event);
    m_timers[kAltitude].moved = active.HasChanged() ? 1 : 0;
    HandlePushPull(kAltitude, active, event);
    const int altitude = active.GetValue();
    if (m_step100) {
        const int nearest1000 = (altitude + 500) / 1000 * 1000;
        knob1000.SetValue(kx::Limit(nearest1000, kAltitude1000Min, kAltitudeMax));
    } else {
        knob100.SetValue(kx::Limit(altitude, kAltitude100Min, kAltitudeMax));
    }

    // A right press on the knob toggles the step once; holding it does not
    // toggle again until the button was released.
    const std::int32_t code = event != nullptr ? event->code : MouseEvent::kNone;
    if (code == MouseEvent::kRightPress && m_previousEventCode == MouseEvent::kNone) {
        knob1000.UpdateTouched(event);
        if (knob1000.IsTouched())
            m_step100 = !m_step100;
    }
    m_previousEventCode = code;
}

int CFcuTargets::GetAltitude() const {
    return m_knobs[m_step100 ? kAltitude100Knob : kAltitude1000Knob].GetValue();
}

void CFcuTargets::PresetAltitude(float feet) {
    // Rounded to whole feet.
    if (!std::isfinite(feet))
        return;
    const int n = static_cast<int>(std::lround(kx::Limit(static_cast<double>(feet), -1e9, 1e9)));
    if (n == 0) {
        m_knobs[kAltitude1000Knob].SetValue(1000);
        m_knobs[kAltitude100Knob].SetValue(100);
    } else {
        m_knobs[kAltitude1000Knob].SetValue(n);
        m_knobs[kAltitude100Knob].SetValue(n);
    }
}

void CFcuTargets::ApplyVerticalMode() {
    const KnobLimits& limits = m_trkFpa ? kFpaLimits : kVsLimits;
    CRotaryKnobClass& knob = m_knobs[kVerticalKnob];
    knob.SetStep(limits.step);
    knob.SetLimits(limits.maximum, limits.minimum);
    knob.SetValue(knob.GetValue());
}

// ---------------------------------------------------------------- presets

void CFcuTargets::ApplyPresets(const FcuHostPresets& presets) {
    int n = 0;
    if (presets.speed && std::isfinite(presets.speedValue)) {
        // The mode comes from the preset, not from the value: Mach 0.30 stays
        // a Mach number and 450 knots stay knots.
        if (presets.speedValue < 1.0f) {
            Truncate(presets.speedValue * 1000.0f, n);
            m_knobs[kSpeedKnob].SetValue(kx::Limit(n, kMinMach, kMaxMach));
            m_mach = true;
        } else {
            Truncate(presets.speedValue, n);
            m_knobs[kSpeedKnob].SetValue(kx::Limit(n, kMinKnots, kMaxKnots));
            m_mach = false;
        }
    }
    if (presets.heading && Truncate(presets.headingValue, n))
        m_knobs[kHeadingKnob].SetValue((n % 360 + 360) % 360);
    if (presets.altitude)
        PresetAltitude(presets.altitudeFeet);
    if (presets.vs && !m_trkFpa && Truncate(presets.vsValue, n))
        m_knobs[kVerticalKnob].SetValue(n);
    if (presets.fpa && m_trkFpa && Truncate(presets.fpaValue, n))
        m_knobs[kVerticalKnob].SetValue(n);
}

// ---------------------------------------------------------------- windows

void CFcuTargets::FormatSpeed(int value, bool mach, char (&text)[8]) {
    if (mach || value >= kMachThreshold)
        kx::Format(text, sizeof text, "@%02d", kx::Limit(value, 0, 999) / 10);
    else
        kx::Format(text, sizeof text, "%03d", kx::Limit(value, 0, 999));
}

void CFcuTargets::FormatVertical(int value, bool trkFpa, char (&text)[8]) {
    char digits[16];
    kx::Format(digits, sizeof digits, "%05d", kx::Limit(value, -9999, 99999));
    if (trkFpa) {
        // -33 is -3.3 degrees: sign, units, point, tenths, blank.
        text[0] = value >= 0 ? '+' : '-';
        text[1] = digits[3];
        text[2] = '.';
        text[3] = digits[4];
        text[4] = ' ';
    } else {
        // 1500 ft/min is +15oo: sign, thousands, hundreds, "oo".
        text[0] = value >= 10 ? '+' : '-';
        text[1] = digits[1];
        text[2] = digits[2];
        text[3] = 'o';
        text[4] = 'o';
    }
    text[5] = '\0';
}

void CFcuTargets::ComposeWindows(const FcuWindowInputs& in, FcuWindowTexts& texts) {
    if (in.lampTest || in.blank) {
        const char c = in.lampTest ? '8' : ' ';
        Fill(texts.speed, c, kSpeedCells);
        Fill(texts.heading, c, kHeadingCells);
        Fill(texts.altitude, c, kAltitudeCells);
        Fill(texts.vertical, c, kVerticalCells);
        return;
    }

    kx::Format(texts.altitude, sizeof texts.altitude, "%05d",
               kx::Limit(m_published.altitudeHundreds * 100, 0, kAltitudeMax));

    if (m_timers[kSpeed].Run(m_published.speed, in.speedManaged, in.hostTime)) {
        FormatSpeed(m_published.speed, m_published.mach, texts.speed);
    } else if (in.speedManaged) {
        kx::StrCopy(texts.speed, "---");
        SetSelectedSpeed(in.managedSpeed);
    } else {
        FormatSpeed(m_published.speed, m_published.mach, texts.speed);
    }

    const bool headingPreview =
        m_timers[kHeading].Run(m_published.heading, in.headingManaged, in.hostTime);
    if (in.headingManaged && !headingPreview)
        kx::StrCopy(texts.heading, "---");
    else
        kx::Format(texts.heading, sizeof texts.heading, "%03d", m_published.heading);

    const bool verticalPreview =
        m_timers[kVertical].Run(m_published.vertical, in.verticalManaged, in.hostTime);
    if (in.verticalManaged && !verticalPreview)
        kx::StrCopy(texts.vertical, "-----");
    else
        FormatVertical(m_published.vertical, m_published.trkFpa, texts.vertical);
}

// ---------------------------------------------------------------- state

void CFcuTargets::GetState(FcuStateRecord& record) const {
    record.speed = m_knobs[kSpeedKnob].GetValue();
    record.heading = m_knobs[kHeadingKnob].GetValue();
    record.altitude1000 = m_knobs[kAltitude1000Knob].GetValue();
    record.altitude100 = m_knobs[kAltitude100Knob].GetValue();
    record.vertical = m_knobs[kVerticalKnob].GetValue();
    record.mach = m_mach ? 1 : 0;
    record.trkFpa = m_trkFpa ? 1 : 0;
    record.step100 = m_step100 ? 1 : 0;
}

void CFcuTargets::SetState(const FcuStateRecord& record) {
    SetSelectedSpeed(record.speed);
    m_knobs[kHeadingKnob].SetValue(record.heading);
    m_knobs[kVerticalKnob].SetValue(record.vertical);
    const int(&range)[2] = m_step100 ? kStateAltitude100Mode : kStateAltitude1000Mode;
    m_knobs[kAltitude1000Knob].SetValue(kx::Limit(record.altitude1000, range[0], range[1]));
    m_knobs[kAltitude100Knob].SetValue(record.altitude100);
    m_trkFpa = record.trkFpa != 0;
    m_mach = record.mach != 0;
    m_step100 = record.step100 != 0;
    ApplyVerticalMode();
}
