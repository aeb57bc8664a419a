// CFcuTargets: the FCU's own target values and the rules that keep them.
//
// The selected speed or Mach number, heading, altitude and vertical speed or
// flight-path angle live in five rotary knobs (speed, heading, the altitude
// knobs of 1000 ft and 100 ft steps kept in step, vertical speed). This class
// turns them with the mouse, limits and rounds them, applies the host's
// presets and change requests, runs the SPD/MACH changeover through the
// standard atmosphere, counts the push/pull action codes and composes the
// four window texts. It touches no shared memory and draws nothing: the FCU
// panel reads the host's fields into the input records below, and publishes
// what Published() and ComposeWindows() give.
//
// Speed encoding: below 400 knots, 400 and above the Mach number x 1000. The
// speed knob holds 100..399 in speed mode and 100..990 (Mach 0.10..0.99) in
// Mach mode, and only limited values are published: a Mach number is rounded
// to two decimals and never beyond 0.99.
#pragma once

#include <cstdint>

#include "controls/CRotaryKnobClass.h"
#include "controls/Kx_Remember.h"
#include "controls/MouseEvent.h"
#include "eng/CAtmosphere.h"

// One window's preview of a selected value while its target is managed.
struct SelectedPreviewTimer {
    std::uint8_t previousManaged = 0;
    std::uint8_t movedCopy = 0;
    std::uint8_t moved = 0;  // the knob was turned in this update
    std::uint8_t previousMoved = 0;
    std::uint8_t previewing = 0;
    std::int32_t deadline = 0;  // host time
    std::int32_t holdTime = 0;
    std::int32_t lastValue = 0;

    // Once per draw with the window's value and managed flag: a turn while
    // managed restarts the preview for the hold time; a window that becomes
    // managed stops previewing at once. True while previewing.
    bool Run(int value, bool managed, std::int32_t hostTime);
};

// The state record of the cockpit state file.
struct FcuStateRecord {
    std::int32_t speed = 0;
    std::int32_t heading = 0;
    std::int32_t altitude1000 = 0;
    std::int32_t altitude100 = 0;
    std::int32_t vertical = 0;
    std::uint8_t mach = 0;
    std::uint8_t trkFpa = 0;
    std::uint8_t step100 = 0;
};

// What the host wrote, read once per update.
struct FcuHostInputs {
    bool speedManaged = false;
    bool headingManaged = false;
    bool verticalManaged = false;
    std::int32_t managedSpeed = 0;
    std::int32_t speedOnPull = 0;
    std::uint32_t speedSet = 0;
    bool toSpeed = false;
    bool toMach = false;
    bool altitudePreset = false;
    float altitudePresetFeet = 0.0f;
    double aircraftAltitude = 0.0;  // metres
};

// The host's preset requests and values.
struct FcuHostPresets {
    bool speed = false;
    float speedValue = 0.0f;  // knots, or a Mach number below 1.0
    bool heading = false;
    float headingValue = 0.0f;
    bool altitude = false;
    float altitudeFeet = 0.0f;
    bool fpa = false;
    float fpaValue = 0.0f;  // tenths of a degree
    bool vs = false;
    float vsValue = 0.0f;  // ft/min
};

// What the panel publishes after an update.
struct FcuPublished {
    std::int32_t speed = 0;  // knots, or Mach x 1000
    std::int32_t heading = 0;
    std::int32_t altitudeHundreds = 0;
    std::int32_t vertical = 0;
    // Action codes in the order of their bytes: altitude, heading, vertical, speed.
    std::uint8_t action[4] = {};
    bool mach = false;
    bool trkFpa = false;
    bool step100 = false;
};

struct FcuWindowInputs {
    bool lampTest = false;
    bool blank = false;
    bool speedManaged = false;
    bool headingManaged = false;
    bool verticalManaged = false;
    std::int32_t managedSpeed = 0;
    std::int32_t hostTime = 0;
};

struct FcuWindowTexts {
    char speed[8] = {};
    char heading[8] = {};
    char altitude[8] = {};
    char vertical[8] = {};
};

class CFcuTargets {
  public:
    enum Knob { kSpeedKnob, kHeadingKnob, kAltitude1000Knob, kAltitude100Knob, kVerticalKnob };
    static constexpr int kKnobCount = 5;
    // The four knob roles, in the order of their action-code bytes.
    enum Role { kAltitude, kHeading, kVertical, kSpeed };
    static constexpr int kRoleCount = 4;

    // Action codes.
    static constexpr std::uint8_t kActionNone = 0;
    static constexpr std::uint8_t kActionPushed = 1;
    static constexpr std::uint8_t kActionPulled = 2;
    static constexpr std::uint8_t kActionTurned = 4;
    // Updates a push or pull code is held.
    static constexpr int kPushPullUpdates = 10;

    // Knots <-> metres per second.
    static constexpr double kMetresPerSecondPerKnot = 0.5144456333854638;
    static constexpr double kKnotsPerMetrePerSecond = 1.94384;
    // The SPD/MACH button changes to Mach only above this Mach number.
    static constexpr double kMachChangeover = 0.44;

    // Speed-mode and Mach-mode limits of the selected speed.
    static constexpr int kMinKnots = 100;
    static constexpr int kMaxKnots = 399;
    static constexpr int kMinMach = 100;  // Mach x 1000
    static constexpr int kMaxMach = 990;
    static constexpr int kMachThreshold = 400;  // values from 400 on are Mach x 1000
    // A Mach number changed back to speed lands in this range.
    static constexpr int kMinChangedKnots = 110;

    CFcuTargets();

    CRotaryKnobClass& KnobAt(int knob) { return m_knobs[knob]; }
    const CRotaryKnobClass& KnobAt(int knob) const { return m_knobs[knob]; }
    // Restores every knob's limits and step (after a knob's set-up).
    void ResetKnobs();

    // One update: the mouse event, the host's inputs and the pressed states
    // of the SPD/MACH and HDG-V/S/TRK-FPA buttons.
    void Step(MouseEvent* event, const FcuHostInputs& in, bool spdMachPressed, bool hdgTrkPressed);
    const FcuPublished& Published() const { return m_published; }

    // The host's presets, every iteration.
    void ApplyPresets(const FcuHostPresets& presets);

    // The four window texts, each as many characters as its window has cells.
    // A managed speed window that is not previewing takes the managed target
    // speed into the selected speed.
    void ComposeWindows(const FcuWindowInputs& in, FcuWindowTexts& texts);

    // Speed.
    void SetSelectedSpeed(int value);
    int GetSelectedSpeed() const { return m_knobs[kSpeedKnob].GetValue(); }
    bool IsMach() const { return m_mach; }
    // The SPD/MACH button: to speed from Mach, to Mach above Mach 0.44.
    void ToggleSpeedMode(double altitudeMetres, bool managed);
    void ChangeToSpeed(double altitudeMetres, bool managed);
    // False (nothing changed) when the Mach number would be below 0.40.
    bool ChangeToMach(double altitudeMetres, bool managed);
    double MachOfKnots(double knots, double altitudeMetres) const;
    double KnotsOfMach(double mach, double altitudeMetres) const;

    // Heading, altitude, vertical.
    int GetHeading() const { return m_knobs[kHeadingKnob].GetValue(); }
    int GetAltitude() const;  // feet, from the knob of the current step
    bool IsStep100() const { return m_step100; }
    bool IsTrkFpa() const { return m_trkFpa; }
    int GetVertical() const { return m_knobs[kVerticalKnob].GetValue(); }
    // The altitude preset in feet: both knobs take it (0 resets them to
    // 1000 and 100).
    void PresetAltitude(float feet);

    void GetState(FcuStateRecord& record) const;
    void SetState(const FcuStateRecord& record);

    const SelectedPreviewTimer& Timer(Role role) const { return m_timers[role]; }
    bool IsPulled(Role role) const { return m_pulled[role]; }
    bool IsPushed(Role role) const { return m_pushed[role]; }

    // Window formats.
    static void FormatSpeed(int value, bool mach, char (&text)[8]);
    static void FormatVertical(int value, bool trkFpa, char (&text)[8]);

    // A float from the host as a whole number, truncated toward zero and held
    // to +-1e9; false for a value that is not a number or infinite.
    static bool Truncate(float value, int& out);

  private:
    void HandlePushPull(Role role, CRotaryKnobClass& knob, MouseEvent* event);
    void StepAltitude(MouseEvent* event);
    void ApplyVerticalMode();
    void LimitSpeed();
    void Publish();

    CRotaryKnobClass m_knobs[kKnobCount];
    CAtmosphere m_atmosphere;
    bool m_mach = false;
    bool m_trkFpa = false;
    bool m_step100 = false;
    Kx_Remember m_spdMachButton;
    Kx_Remember m_hdgTrkButton;
    SelectedPreviewTimer m_timers[kRoleCount];
    bool m_pushed[kRoleCount] = {};
    bool m_pulled[kRoleCount] = {};
    std::int32_t m_pushPullCountdown = 0;
    std::int32_t m_speedOnPull = 0;
    std::int32_t m_lastManagedSpeed = 0;
    std::int32_t m_previousEventCode = MouseEvent::kNone;
    FcuPublished m_published;
};
