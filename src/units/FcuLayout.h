// The FCU's fields in the generic segment.
//
// Two blocks, chosen by the aircraft type code: the output block that the
// panel writes (button states, knob action codes, the selected targets, the
// window texts) and the input block that the host writes (presets, lights,
// managed flags, the managed target speed, lamp test, blank, the SPD/MACH
// change requests). Offsets below are from the block start; the A320 region
// is the one the cockpit runs.
//
// Speed encoding, both ways: a value below 400 is knots, 400 and above is the
// Mach number x 1000. The altitude preset is in feet; the aircraft altitude
// that the SPD/MACH changeover uses is a double in metres (standard altitude).
#pragma once

#include <cstdint>

#include "panels/PanelBlocks.h"
#include "shm/FieldInfo.h"
#include "shm/SimSegment.h"

namespace fcu {

inline constexpr blocks::TypedBlocks kBlocks{{130356, 129848}, {75740, 75216}};

// Output block.
namespace out {
inline constexpr std::uint32_t kLoc = 3;
inline constexpr std::uint32_t kAppr = 4;
inline constexpr std::uint32_t kAp1 = 5;
inline constexpr std::uint32_t kAp2 = 6;
inline constexpr std::uint32_t kAthr = 7;
inline constexpr std::uint32_t kSpdMach = 8;
inline constexpr std::uint32_t kHdgTrk = 9;
inline constexpr std::uint32_t kThird = 12;
inline constexpr std::uint32_t kExped = 13;  // EXPED (A320 set) or ALT (A330 set)
inline constexpr std::uint32_t kAltitudeAction = 14;
inline constexpr std::uint32_t kHeadingAction = 15;
inline constexpr std::uint32_t kVerticalAction = 16;
inline constexpr std::uint32_t kSpeedAction = 17;
inline constexpr std::uint32_t kSpeed = 18;     // uint16: knots, or Mach x 1000
inline constexpr std::uint32_t kHeading = 20;   // uint16: degrees 0..359
inline constexpr std::uint32_t kAltitude = 22;  // uint16: hundreds of feet
inline constexpr std::uint32_t kVertical = 24;  // int16: ft/min, or FPA in tenths of a degree
inline constexpr std::uint32_t kTrkFpa = 26;
inline constexpr std::uint32_t kSpeedText = 32;  // char[6] each
inline constexpr std::uint32_t kHeadingText = 38;
inline constexpr std::uint32_t kAltitudeText = 44;
inline constexpr std::uint32_t kVerticalText = 50;
inline constexpr std::uint32_t kSpeedDot = 56;
inline constexpr std::uint32_t kHeadingDot = 57;
inline constexpr std::uint32_t kVerticalDot = 58;
inline constexpr std::uint32_t kMach = 59;
inline constexpr std::uint32_t kAltitude100 = 60;
inline constexpr std::uint32_t kSize = 61;
inline constexpr std::uint32_t kTextSize = 6;
}  // namespace out

// Input block.
namespace in {
inline constexpr std::uint32_t kSpeedPreset = 0;
inline constexpr std::uint32_t kSpeedPresetValue = 4;  // float: knots, or Mach below 1.0
inline constexpr std::uint32_t kHeadingPreset = 8;
inline constexpr std::uint32_t kHeadingPresetValue = 12;  // float: degrees
inline constexpr std::uint32_t kAltitudePreset = 16;
inline constexpr std::uint32_t kAltitudePresetValue = 20;  // float: feet
inline constexpr std::uint32_t kFpaPreset = 24;
inline constexpr std::uint32_t kFpaPresetValue = 28;  // float: tenths of a degree
inline constexpr std::uint32_t kVsPreset = 32;
inline constexpr std::uint32_t kVsPresetValue = 36;  // float: ft/min
inline constexpr std::uint32_t kLocLight = 43;
inline constexpr std::uint32_t kApprLight = 44;
inline constexpr std::uint32_t kExpedLight = 45;
inline constexpr std::uint32_t kSpeedManaged = 47;
inline constexpr std::uint32_t kHeadingManaged = 48;
inline constexpr std::uint32_t kVerticalManaged = 49;
inline constexpr std::uint32_t kManagedSpeed = 56;  // int32
inline constexpr std::uint32_t kSpeedOnPull = 60;   // int32
inline constexpr std::uint32_t kSpeedSet = 64;      // uint32
inline constexpr std::uint32_t kLampTest = 68;
inline constexpr std::uint32_t kBlank = 69;
inline constexpr std::uint32_t kAp1Light = 76;
inline constexpr std::uint32_t kAp2Light = 77;
inline constexpr std::uint32_t kAthrLight = 78;
inline constexpr std::uint32_t kToSpeed = 79;
inline constexpr std::uint32_t kToMach = 80;
inline constexpr std::uint32_t kSize = 81;
// The five preset requests, for the cockpit's FCU hook.
inline constexpr std::uint32_t kPresetRequests[] = {kSpeedPreset, kHeadingPreset, kAltitudePreset,
                                                    kFpaPreset, kVsPreset};
}  // namespace in

// Fields of the generic segment outside the blocks.
inline constexpr GenField<std::int32_t> kHostTime{4896};
inline constexpr GenField<double> kAircraftAltitude{38712};  // metres

static_assert(kBlocks.a320.out + out::kSize <= Gensim_Shm::kSize);
static_assert(kBlocks.a320.in + in::kSize <= kBlocks.a320.out, "the blocks do not overlap");
static_assert(kBlocks.a330.in + in::kSize <= kBlocks.a330.out);

// The A320 region by name, for the host.
inline constexpr std::uint32_t kOut = kBlocks.a320.out;
inline constexpr std::uint32_t kIn = kBlocks.a320.in;
using shm::FieldType;
using shm::Writer;
inline constexpr shm::FieldRow kFields[] = {
    shm::FieldRow{"FCU.LOC.STATE", kOut + out::kLoc, FieldType::Byte, Writer::Program,
                  "LOC pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.APPR.STATE", kOut + out::kAppr, FieldType::Byte, Writer::Program,
                  "APPR pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.AP1.STATE", kOut + out::kAp1, FieldType::Byte, Writer::Program,
                  "AP1 pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.AP2.STATE", kOut + out::kAp2, FieldType::Byte, Writer::Program,
                  "AP2 pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.ATHR.STATE", kOut + out::kAthr, FieldType::Byte, Writer::Program,
                  "A/THR pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.SPD_MACH.STATE", kOut + out::kSpdMach, FieldType::Byte, Writer::Program,
                  "SPD/MACH pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.HDG_TRK.STATE", kOut + out::kHdgTrk, FieldType::Byte, Writer::Program,
                  "HDG-V/S / TRK-FPA pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.THIRD.STATE", kOut + out::kThird, FieldType::Byte, Writer::Program,
                  "plain push-button above the altitude side pressed"}
        .In(0, 1),
    shm::FieldRow{"FCU.EXPED.STATE", kOut + out::kExped, FieldType::Byte, Writer::Program,
                  "EXPED pressed"}
        .In(0, 1),
    shm::FieldRow{
        "FCU.ALT_ACTION", kOut + out::kAltitudeAction, FieldType::Byte, Writer::Program,
        "altitude knob: 0 nothing, 4 turned, 1 pushed, 2 pulled (1 and 2 held 10 updates)"}
        .In(0, 4),
    shm::FieldRow{"FCU.HDG_ACTION", kOut + out::kHeadingAction, FieldType::Byte, Writer::Program,
                  "heading knob action code (as FCU.ALT_ACTION)"}
        .In(0, 4),
    shm::FieldRow{"FCU.VS_ACTION", kOut + out::kVerticalAction, FieldType::Byte, Writer::Program,
                  "vertical-speed knob action code (as FCU.ALT_ACTION)"}
        .In(0, 4),
    shm::FieldRow{"FCU.SPD_ACTION", kOut + out::kSpeedAction, FieldType::Byte, Writer::Program,
                  "speed knob action code (as FCU.ALT_ACTION)"}
        .In(0, 4),
    shm::FieldRow{"FCU.SPEED", kOut + out::kSpeed, FieldType::UInt16, Writer::Program,
                  "selected speed: knots 100..399, or Mach x 1000 (100..990) in Mach mode"}
        .In(100, 990),
    shm::FieldRow{"FCU.HEADING", kOut + out::kHeading, FieldType::UInt16, Writer::Program,
                  "selected heading, degrees 0..359"}
        .In(0, 359),
    shm::FieldRow{"FCU.ALTITUDE", kOut + out::kAltitude, FieldType::UInt16, Writer::Program,
                  "selected altitude, hundreds of feet"}
        .In(0, 500),
    shm::FieldRow{"FCU.VERTICAL", kOut + out::kVertical, FieldType::Int16, Writer::Program,
                  "selected V/S in ft/min (-6000..6000), or FPA in tenths of a degree (-90..90)"}
        .In(-6000, 6000),
    shm::FieldRow{"FCU.TRK_FPA", kOut + out::kTrkFpa, FieldType::Byte, Writer::Program,
                  "1 TRK/FPA mode, 0 HDG/V/S mode"}
        .In(0, 1),
    {"FCU.SPEED_TEXT", kOut + out::kSpeedText, FieldType::Text, Writer::Program,
     "speed window as drawn", 1, 0, out::kTextSize},
    {"FCU.HEADING_TEXT", kOut + out::kHeadingText, FieldType::Text, Writer::Program,
     "heading window as drawn", 1, 0, out::kTextSize},
    {"FCU.ALTITUDE_TEXT", kOut + out::kAltitudeText, FieldType::Text, Writer::Program,
     "altitude window as drawn", 1, 0, out::kTextSize},
    {"FCU.VERTICAL_TEXT", kOut + out::kVerticalText, FieldType::Text, Writer::Program,
     "vertical-speed window as drawn", 1, 0, out::kTextSize},
    shm::FieldRow{"FCU.SPEED_DOT", kOut + out::kSpeedDot, FieldType::Byte, Writer::Program,
                  "copy of FCU.SPEED_MANAGED"}
        .In(0, 1),
    shm::FieldRow{"FCU.HEADING_DOT", kOut + out::kHeadingDot, FieldType::Byte, Writer::Program,
                  "copy of FCU.HEADING_MANAGED"}
        .In(0, 1),
    shm::FieldRow{"FCU.VERTICAL_DOT", kOut + out::kVerticalDot, FieldType::Byte, Writer::Program,
                  "copy of FCU.VERTICAL_MANAGED"}
        .In(0, 1),
    shm::FieldRow{"FCU.MACH", kOut + out::kMach, FieldType::Byte, Writer::Program, "1 Mach mode"}
        .In(0, 1),
    shm::FieldRow{"FCU.ALT_STEP_100", kOut + out::kAltitude100, FieldType::Byte, Writer::Program,
                  "1 altitude knob in 100 ft steps, 0 in 1000 ft steps"}
        .In(0, 1),

    {"FCU.SPEED_PRESET", kIn + in::kSpeedPreset, FieldType::Byte, Writer::Host,
     "speed preset request (applied every iteration while non-zero)"},
    {"FCU.SPEED_PRESET_VALUE", kIn + in::kSpeedPresetValue, FieldType::Float, Writer::Host,
     "preset speed: knots, or a Mach number when below 1.0"},
    {"FCU.HEADING_PRESET", kIn + in::kHeadingPreset, FieldType::Byte, Writer::Host,
     "heading preset request"},
    {"FCU.HEADING_PRESET_VALUE", kIn + in::kHeadingPresetValue, FieldType::Float, Writer::Host,
     "preset heading, degrees (taken modulo 360)"},
    {"FCU.ALTITUDE_PRESET", kIn + in::kAltitudePreset, FieldType::Byte, Writer::Host,
     "altitude preset request"},
    {"FCU.ALTITUDE_PRESET_VALUE", kIn + in::kAltitudePresetValue, FieldType::Float, Writer::Host,
     "preset altitude in FEET (0..50000; 0 resets the knobs to 1000 and 100)"},
    {"FCU.FPA_PRESET", kIn + in::kFpaPreset, FieldType::Byte, Writer::Host,
     "flight-path-angle preset request (acts in TRK/FPA mode)"},
    {"FCU.FPA_PRESET_VALUE", kIn + in::kFpaPresetValue, FieldType::Float, Writer::Host,
     "preset flight-path angle, tenths of a degree"},
    {"FCU.VS_PRESET", kIn + in::kVsPreset, FieldType::Byte, Writer::Host,
     "vertical-speed preset request (acts in HDG/V/S mode)"},
    {"FCU.VS_PRESET_VALUE", kIn + in::kVsPresetValue, FieldType::Float, Writer::Host,
     "preset vertical speed, ft/min"},
    {"FCU.LOC.LIGHT", kIn + in::kLocLight, FieldType::Byte, Writer::Host, "LOC light"},
    {"FCU.APPR.LIGHT", kIn + in::kApprLight, FieldType::Byte, Writer::Host, "APPR light"},
    {"FCU.EXPED.LIGHT", kIn + in::kExpedLight, FieldType::Byte, Writer::Host, "EXPED light"},
    {"FCU.SPEED_MANAGED", kIn + in::kSpeedManaged, FieldType::Byte, Writer::Host,
     "speed managed: dot lit, dashes in the speed window"},
    {"FCU.HEADING_MANAGED", kIn + in::kHeadingManaged, FieldType::Byte, Writer::Host,
     "heading managed: dot lit, dashes in the heading window"},
    {"FCU.VERTICAL_MANAGED", kIn + in::kVerticalManaged, FieldType::Byte, Writer::Host,
     "vertical managed: dot lit, dashes in the vertical-speed window"},
    {"FCU.MANAGED_SPEED", kIn + in::kManagedSpeed, FieldType::Int32, Writer::Host,
     "managed target speed (knots, or Mach x 1000 from 400)"},
    {"FCU.SPEED_ON_PULL", kIn + in::kSpeedOnPull, FieldType::Int32, Writer::Host,
     "speed to take when the speed knob is pulled while managed and not previewing"},
    {"FCU.SPEED_SET", kIn + in::kSpeedSet, FieldType::UInt32, Writer::Host,
     "speed set request: when non-zero the selected speed is set to it every update"},
    {"FCU.LAMP_TEST", kIn + in::kLampTest, FieldType::Byte, Writer::Host,
     "lamp test: every light lit, every window 8s"},
    {"FCU.BLANK", kIn + in::kBlank, FieldType::Byte, Writer::Host,
     "FCU blank: windows blank, the blank overlay over the labels"},
    {"FCU.AP1.LIGHT", kIn + in::kAp1Light, FieldType::Byte, Writer::Host, "AP1 light"},
    {"FCU.AP2.LIGHT", kIn + in::kAp2Light, FieldType::Byte, Writer::Host, "AP2 light"},
    {"FCU.ATHR.LIGHT", kIn + in::kAthrLight, FieldType::Byte, Writer::Host, "A/THR light"},
    {"FCU.TO_SPEED", kIn + in::kToSpeed, FieldType::Byte, Writer::Host,
     "change to speed (from Mach) request"},
    {"FCU.TO_MACH", kIn + in::kToMach, FieldType::Byte, Writer::Host, "change to Mach request"},
    {"FCU.HOST_TIME", kHostTime.Offset(), FieldType::Int32, Writer::Host,
     "host time counter: the window previews count in it (speed 10, heading and V/S 45)"},
    {"FCU.AIRCRAFT_ALTITUDE", kAircraftAltitude.Offset(), FieldType::Double, Writer::Host,
     "aircraft altitude in METRES, for the SPD/MACH changeover"},
};

}  // namespace fcu
