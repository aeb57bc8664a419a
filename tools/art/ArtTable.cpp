#include "art/ArtTable.h"

#include <set>

namespace art {

const char* const kGlyphNames[kGlyphSlots] = {
    "zero", "one", "two", "three", "four",  "five", "six",  "seven", "eight",   "nine",
    "s",    "t",   "d",   "dash",  "blank", "o",    "plus", "point", "Q1",      "Q2",
    "Q3",   "Q4",  "u",   "L",     "R",     "W",    "N",    "E",     "H",       "BigT",
    "K",    "C",   "G",   "I",     "",      "A",    "P",    "",      "zeropnt",
};

namespace {

constexpr Legend kNone{};

// Row builders, one per kind, so that each row of the table reads like the
// panel's list of pictures.

// A push-button with two legends. Every button folder gets the eight legend
// pictures and the four on/off pictures, so a panel may use either set.
ArtEntry Button(int panel, const char* folder, int w, int h, Legend upper, Legend lower) {
    return ArtEntry{panel, Kind::PushButton, Look::Legends, folder, w, h, upper, lower};
}
// A key with one label that lights in the given colour.
ArtEntry Key(int panel, const char* folder, int w, int h, const char* label, Rgb lit = kWhite) {
    return ArtEntry{panel, Kind::PushButton, Look::Key, folder, w, h, {label, lit}, kNone};
}
// A key with a label and a green light bar.
ArtEntry BarKey(int panel, const char* folder, int w, int h, const char* label) {
    return ArtEntry{panel, Kind::PushButton, Look::BarKey, folder, w, h, {label, kGreen}, kNone};
}
ArtEntry RoundKey(int panel, const char* folder, int w, int h, const char* label) {
    return ArtEntry{panel, Kind::PushButton, Look::RoundKey, folder, w, h, {label, kWhite}, kNone};
}
ArtEntry Light(int panel, const char* folder, int w, int h, Look look, Legend on,
               Legend off = kNone, int variant = 0) {
    ArtEntry e{panel, Kind::Light, look, folder, w, h, on, off};
    e.variant = variant;
    return e;
}
ArtEntry Switch(int panel, Look look, int w, int h, const char* up, const char* middle,
                const char* down, const char* label = "") {
    ArtEntry e{panel, Kind::Switch, look, "Switches", w, h, {label, kWhite}, kNone};
    e.files[0] = up;
    e.files[1] = middle;
    e.files[2] = down;
    return e;
}
// Positions as a list of numbers 0..7.
unsigned Positions(std::initializer_list<int> list) {
    unsigned mask = 0;
    for (int p : list)
        mask |= 1u << p;
    return mask;
}
ArtEntry Knob(int panel, const char* folder, int size, Look look, std::initializer_list<int> used) {
    ArtEntry e{panel, Kind::Knob, look, folder, size, size, kNone, kNone};
    e.positions = Positions(used);
    return e;
}
ArtEntry Rotary(int panel, Look look, int size, const char* resting, const char* pushed,
                const char* pulled, const char* label = "") {
    ArtEntry e{panel, Kind::RotaryKnob, look, "RotaryKnobs", size, size, {label, kWhite}, kNone};
    e.files[kResting] = resting;
    e.files[kPushed] = pushed;
    e.files[kPulled] = pulled;
    return e;
}
template <int N>
ArtEntry Lever(int panel, Look look, const char* folder, int w, int h,
               const LeverDetent (&detents)[N]) {
    ArtEntry e{panel, Kind::Lever, look, folder, w, h, kNone, kNone};
    e.detents = detents;
    e.detentCount = N;
    return e;
}
// A guard folder: the cover pictures sized to the button under it, and the
// guard bars of the default guard geometry.
ArtEntry Guard(int panel, const char* folder, int w, int h, Look look, Legend label = kNone) {
    return ArtEntry{panel, Kind::Guard, look, folder, w, h, label, kNone};
}

constexpr LeverDetent kFlapDetents[] = {
    {"FlapUp.bmp", "0", 15}, {"Flap1.bmp", "1", 38},       {"Flap2.bmp", "2", 55},
    {"Flap3.bmp", "3", 67},  {"FlapFull.bmp", "FULL", 87},
};
constexpr LeverDetent kSpeedBrakeDetents[] = {
    {"Gnd.bmp", "ARM", 8},   {"Ret.bmp", "RET", 26},  {"Qtr.bmp", "1/4", 41},
    {"Half.bmp", "1/2", 56}, {"Tqrt.bmp", "3/4", 70}, {"Full.bmp", "FULL", 88},
};

const Legend kFault{"FAULT", kAmber};
const Legend kOff{"OFF", kWhite};
const Legend kOnBlue{"ON", kBlue};
const Legend kBarsWhite{kBars, kWhite};

std::vector<ArtEntry> BuildTable() {
    // Sizes: overhead push-buttons are 35 x 35, which the default guard
    // geometry frames. Each size is chosen so that a control fits between its
    // neighbours at every place where a panel puts it.
    return {
        // 0 electrical
        Button(0, "Buttons\\FaultOff", 35, 35, kFault, kOff),  // also 7 12 13 14 17 29 33 34 45
        Button(0, "Buttons\\FaultAltn", 35, 35, kFault, {"ALTN", kWhite}),
        Button(0, "Buttons\\DotsOff", 35, 35, kBarsWhite, kOff),  // also 29 35 45
        Button(0, "Buttons\\FaultDots", 35, 35, kFault, kBarsWhite),
        Button(0, "Buttons\\AvailOn", 35, 35, {"AVAIL", kGreen}, kOnBlue),
        Guard(0, "Guards\\StandardRed", 35, 35, Look::RedGuard),
        ArtEntry{0, Kind::Glyphs, Look::SevenSegment, "DigitalDisplay", 14, 22, kNone, kNone},

        // 2 landing gear
        Switch(2, Look::GearLever, 30, 200, "GearHandleUp.bmp", nullptr, "GearHandleDown.bmp"),
        Button(2, "Buttons\\LndgGear", 44, 36, {"UNLK", kRed}, {kTriangle, kGreen}),
        Button(2, "Buttons\\DecelOn", 40, 34, {"DECEL", kGreen}, kOnBlue),
        Button(2, "Buttons\\DotsOnGreen", 35, 35, kBarsWhite, {"ON", kGreen}),  // also 25
        Button(2, "Buttons\\HotOn", 35, 35, {"HOT", kAmber}, kOnBlue),
        Switch(2, Look::ToggleBat, 40, 64, "AsUp.bmp", "AsCenter.bmp", "AsDown.bmp"),  // also 6
        Light(2, "Lights\\BrkPrs", 28, 28, Look::Annunciator, {"BRK", kAmber}),
        Light(2, "Lights\\BrkPrs2", 28, 28, Look::Annunciator, {"ACCU", kAmber}),
        Light(2, "Lights\\UpDown", 24, 24, Look::Arrow, {"", kRed}),

        // 3 ECAM control
        Key(3, "Buttons\\EcamTo", 40, 26, "T.O\nCONFIG"),
        Key(3, "Buttons\\EcamEmer", 40, 26, "EMER\nCANC"),
        Key(3, "Buttons\\EcamEng", 40, 26, "ENG"),
        Key(3, "Buttons\\EcamBleed", 40, 26, "BLEED"),
        Key(3, "Buttons\\EcamPress", 40, 26, "PRESS"),
        Key(3, "Buttons\\EcamElec", 40, 26, "ELEC"),
        Key(3, "Buttons\\EcamHyd", 40, 26, "HYD"),
        Key(3, "Buttons\\EcamFuel", 40, 26, "FUEL"),
        Key(3, "Buttons\\EcamApu", 40, 26, "APU"),
        Key(3, "Buttons\\EcamCond", 40, 26, "COND"),
        Key(3, "Buttons\\EcamDoor", 40, 26, "DOOR"),
        Key(3, "Buttons\\EcamWheel", 40, 26, "WHEEL"),
        Key(3, "Buttons\\EcamFctl", 40, 26, "F/CTL"),
        Key(3, "Buttons\\EcamAll", 40, 26, "ALL"),
        Key(3, "Buttons\\EcamClr", 40, 26, "CLR"),
        Key(3, "Buttons\\EcamSts", 40, 26, "STS"),
        Key(3, "Buttons\\EcamRcl", 40, 26, "RCL"),
        RoundKey(3, "Buttons\\DuKnob", 40, 40, "OFF"),  // also 43 44
        Guard(3, "Guards\\EmerCancel", 40, 26, Look::BlackPlate),

        // 4, 5 EFIS control
        BarKey(4, "Buttons\\Cstr", 40, 30, "CSTR"),
        BarKey(4, "Buttons\\Wpt", 40, 30, "WPT"),
        BarKey(4, "Buttons\\VorD", 40, 30, "VOR.D"),
        BarKey(4, "Buttons\\Ndb", 40, 30, "NDB"),
        BarKey(4, "Buttons\\Aprt", 40, 30, "ARPT"),
        BarKey(4, "Buttons\\Fd", 40, 30, "FD"),
        BarKey(4, "Buttons\\Ls", 40, 30, "LS"),
        Knob(4, "Knobs\\RangeKnob", 56, Look::RoundKnob, {0, 1, 2, 3, 6, 7}),
        Knob(4, "Knobs\\A320NavDisplayKnob", 56, Look::BarKnob, {0, 1, 2, 6, 7}),
        Knob(4, "Knobs\\NavDisplayKnob", 56, Look::BarKnob, {0, 1, 2, 3, 6, 7}),
        Switch(4, Look::ToggleBat, 30, 50, "SwitchAdf.bmp", "SwitchNoVorAdf.bmp", "SwitchVOR.bmp"),
        Rotary(4, Look::BaroKnob, 48, "BaroKnob.bmp", "BaroKnob.bmp", "BaroKnobPull.bmp", "hPa"),
        Rotary(4, Look::BaroKnob, 48, "BaroKnobHg.bmp", "BaroKnobHg.bmp", "BaroKnobPull.bmp",
               "inHg"),
        Light(4, "Lights\\Baro", 40, 10, Look::LcdLabel, {"QNH", kAmber}),
        Light(4, "Blanks\\NavPanel", 80, 24, Look::Overlay, kNone),

        // 6 exterior and interior lights
        Switch(6, Look::ToggleBat, 40, 64, "LightAUp.bmp", "LightAMid.bmp", "LightADn.bmp"),
        Switch(6, Look::ToggleBat, 40, 64, "LightAOn.bmp", "LightAAuto.bmp", "LightAOff.bmp"),
        Switch(6, Look::ToggleFlat, 40, 64, "LightBUp.bmp", nullptr, "LightBDn.bmp"),
        Switch(6, Look::ToggleFlat, 40, 64, "LightsBUp.bmp", nullptr, "LightsBDn.bmp"),
        Switch(6, Look::ToggleBall, 40, 64, "RoundSwUp.bmp", "RoundSwMid.bmp",
               "RoundSwDwn.bmp"),  // also 49
        Switch(6, Look::ToggleBat, 40, 64, "StdSwitchUp.bmp", "StdSwitchMid.bmp",
               "StdSwitchDn.bmp"),
        Switch(6, Look::ToggleFlat, 40, 64, "FlatSwUp.bmp", nullptr, "FlatSwDn.bmp"),
        Switch(6, Look::ToggleBall, 40, 64, "OnOffUp.bmp", "OnOffMid.bmp", "OnOffDn.bmp"),
        Button(6, "Buttons\\FaultOnR", 35, 35, kFault, kOnBlue),
        Button(6, "Buttons\\GreenAvail", 35, 35, kOnBlue, {"AVAIL", kGreen}),
        Button(6, "Buttons\\DotsOffAmber", 35, 35, kBarsWhite, {"OFF", kAmber}),

        // 7 ADIRS
        Button(7, "Buttons\\FaultAlign", 35, 35, kFault, {"ALIGN", kWhite}),
        Key(7, "Buttons\\Adirs1", 24, 22, "1"),
        Key(7, "Buttons\\Adirs2", 24, 22, "N\n2"),
        Key(7, "Buttons\\Adirs3", 24, 22, "3"),
        Key(7, "Buttons\\Adirs4", 24, 22, "W\n4"),
        Key(7, "Buttons\\Adirs5", 24, 22, "H\n5"),
        Key(7, "Buttons\\Adirs6", 24, 22, "E\n6"),
        Key(7, "Buttons\\Adirs7", 24, 22, "7"),
        Key(7, "Buttons\\Adirs8", 24, 22, "S\n8"),
        Key(7, "Buttons\\Adirs9", 24, 22, "9"),
        Key(7, "Buttons\\Adirs0", 24, 22, "0"),
        Key(7, "Buttons\\AdirsEnt", 24, 22, "ENT"),
        Key(7, "Buttons\\AdirsClr", 24, 22, "CLR"),
        Knob(7, "Knobs\\BlankKnob", 50, Look::BarKnob, {0, 1, 7}),
        Knob(7, "Knobs\\BlankRoundKnob", 50, Look::RoundKnob, {0, 1, 2, 5, 6, 7}),
        Light(7, "Lights\\AdruOnBat", 40, 28, Look::Annunciator, {"ON BAT", kAmber}),

        // 8, 9 MCDU (the arrow keys also on 23, the data screen)
        Key(8, "Buttons\\Lsk", 26, 17, ""),
        Key(8, "Buttons\\McduLeft", 36, 24, kArrowLeft),
        Key(8, "Buttons\\McduUp", 36, 24, kArrowUp),
        Key(8, "Buttons\\McduRight", 36, 24, kArrowRight),
        Key(8, "Buttons\\McduDown", 36, 24, kArrowDown),
        Key(8, "Buttons\\McduDir", 36, 24, "DIR"),
        Key(8, "Buttons\\McduProg", 36, 24, "PROG"),
        Key(8, "Buttons\\McduPerf", 36, 24, "PERF"),
        Key(8, "Buttons\\McduInit", 36, 24, "INIT"),
        Key(8, "Buttons\\McduData", 36, 24, "DATA"),
        Key(8, "Buttons\\McduFPlan", 36, 24, "F-PLN"),
        Key(8, "Buttons\\McduRadNav", 36, 24, "RAD\nNAV"),
        Key(8, "Buttons\\McduFuel", 36, 24, "FUEL\nPRED"),
        Key(8, "Buttons\\McduSec", 36, 24, "SEC\nF-PLN"),
        Key(8, "Buttons\\McduBlank", 36, 24, ""),
        Key(8, "Buttons\\McduMenu", 36, 24, "MCDU\nMENU"),
        Key(8, "Buttons\\McduAprt", 36, 24, "AIR\nPORT"),
        Key(8, "Buttons\\McduA", 28, 26, "A"),
        Key(8, "Buttons\\McduB", 28, 26, "B"),
        Key(8, "Buttons\\McduC", 28, 26, "C"),
        Key(8, "Buttons\\McduD", 28, 26, "D"),
        Key(8, "Buttons\\McduE", 28, 26, "E"),
        Key(8, "Buttons\\McduF", 28, 26, "F"),
        Key(8, "Buttons\\McduG", 28, 26, "G"),
        Key(8, "Buttons\\McduH", 28, 26, "H"),
        Key(8, "Buttons\\McduI", 28, 26, "I"),
        Key(8, "Buttons\\McduJ", 28, 26, "J"),
        Key(8, "Buttons\\McduK", 28, 26, "K"),
        Key(8, "Buttons\\McduL", 28, 26, "L"),
        Key(8, "Buttons\\McduM", 28, 26, "M"),
        Key(8, "Buttons\\McduN", 28, 26, "N"),
        Key(8, "Buttons\\McduO", 28, 26, "O"),
        Key(8, "Buttons\\McduP", 28, 26, "P"),
        Key(8, "Buttons\\McduQ", 28, 26, "Q"),
        Key(8, "Buttons\\McduR", 28, 26, "R"),
        Key(8, "Buttons\\McduS", 28, 26, "S"),
        Key(8, "Buttons\\McduT", 28, 26, "T"),
        Key(8, "Buttons\\McduU", 28, 26, "U"),
        Key(8, "Buttons\\McduV", 28, 26, "V"),
        Key(8, "Buttons\\McduW", 28, 26, "W"),
        Key(8, "Buttons\\McduX", 28, 26, "X"),
        Key(8, "Buttons\\McduY", 28, 26, "Y"),
        Key(8, "Buttons\\McduZ", 28, 26, "Z"),
        Key(8, "Buttons\\McduMinus", 28, 26, "-"),
        Key(8, "Buttons\\McduPlus", 28, 26, "+"),
        Key(8, "Buttons\\McduOvfy", 28, 26, "OVFY"),
        Key(8, "Buttons\\McduClr", 28, 26, "CLR"),
        Key(8, "Buttons\\Mcdu1", 27, 26, "1"),
        Key(8, "Buttons\\Mcdu2", 27, 26, "2"),
        Key(8, "Buttons\\Mcdu3", 27, 26, "3"),
        Key(8, "Buttons\\Mcdu4", 27, 26, "4"),
        Key(8, "Buttons\\Mcdu5", 27, 26, "5"),
        Key(8, "Buttons\\Mcdu6", 27, 26, "6"),
        Key(8, "Buttons\\Mcdu7", 27, 26, "7"),
        Key(8, "Buttons\\Mcdu8", 27, 26, "8"),
        Key(8, "Buttons\\Mcdu9", 27, 26, "9"),
        Key(8, "Buttons\\McduPoint", 27, 26, "."),
        Key(8, "Buttons\\Mcdu0", 27, 26, "0"),
        Key(8, "Buttons\\McduSlash", 27, 26, "/"),
        Light(8, "Lights\\McduTopLeft", 20, 14, Look::Annunciator, {"FM1", kAmber}),
        Light(8, "Lights\\McduBotLeft", 20, 14, Look::Annunciator, {"IND", kAmber}),
        Light(8, "Lights\\McduTopRight", 20, 14, Look::Annunciator, {"FM2", kAmber}),
        Light(8, "Lights\\McduBotRight", 20, 14, Look::Annunciator, {"RDY", kGreen}),

        // 10 parking brake (handle OFF and ON, gravity gear extension)
        Switch(10, Look::ParkBrake, 80, 80, "PBkOff.bmp", nullptr, "PBkOn.bmp"),
        Switch(10, Look::GravityCrank, 60, 80, "LgExtendUp.bmp", nullptr, "LgExtendDn.bmp"),

        // 11 engine start
        Switch(11, Look::EngineMaster, 40, 80, "EngStartSw1Up.bmp", nullptr, "EngStartSw1Dn.bmp",
               "1"),
        Switch(11, Look::EngineMaster, 40, 80, "EngStartSw2Up.bmp", nullptr, "EngStartSw2Dn.bmp",
               "2"),
        Knob(11, "Knobs\\StarterKnob", 64, Look::BarKnob, {0, 1, 7}),
        Button(11, "Buttons\\FireFault", 40, 40, {"FIRE", kRed}, {"FAULT", kAmber}),

        // 12 fuel
        Button(12, "Buttons\\OpenOn", 35, 35, {"OPEN", kGreen}, kOnBlue),
        Button(12, "Buttons\\FaultMan", 35, 35, kFault, {"MAN", kWhite}),  // also 49
        Light(12, "Lights\\FuelMaskL", 80, 40, Look::Mask, {"INOP", kWhite}),
        Light(12, "Lights\\FuelMaskR", 80, 40, Look::Mask, {"INOP", kWhite}),

        // 13 air conditioning
        Button(13, "Buttons\\FaultOnBlue", 35, 35, kFault, kOnBlue),  // also 49
        Knob(13, "Knobs\\PackLoHi", 56, Look::BarKnob, {0, 1, 7}),
        Knob(13, "Knobs\\XBleed", 56, Look::BarKnob, {0, 1, 7}),
        Knob(13, "Knobs\\ColdHot", 56, Look::RoundKnob, {0, 1, 2, 6, 7}),  // also 34
        Guard(13, "Guards\\StandardBlack", 35, 35, Look::BlackGuard),      // also 14 32 46 47 49

        // 14 hydraulic
        Button(14, "Buttons\\FaultOn", 35, 35, kFault, {"ON", kWhite}),  // also 46
        Key(14, "Buttons\\CallBtn", 35, 30, "CALL"),                     // also 28 30 35 46 47 48
        Guard(14, "Guards\\RedPlate", 35, 35, Look::RedPlate),           // also 28 30 35

        // 15 fire
        Button(15, "Buttons\\FireButton", 60, 40, {"FIRE", kRed}, {"PUSH", kWhite}),
        Button(15, "Buttons\\Squib", 35, 35, {"SQUIB", kWhite}, {"DISCH", kAmber}),
        Key(15, "Buttons\\FireTestPb", 35, 25, "TEST"),
        Guard(15, "Guards\\FireGuard", 60, 40, Look::RedPlate),

        // 18 EFIS switching
        Knob(18, "Knobs\\SwPanel", 64, Look::BarKnob, {0, 1, 7}),
        Knob(18, "Knobs\\FmKnob", 64, Look::BarKnob, {0, 1, 7}),
        Knob(18, "Knobs\\SwPanel2", 64, Look::BarKnob, {0, 1, 7}),

        // 19 flaps
        Lever(19, Look::FlapLever, "FlapHandle", 120, 280, kFlapDetents),

        // 20 FCU
        Rotary(20, Look::FcuKnob, 56, "SpdKnob.bmp", "SpdKnobPush.bmp", "SpdKnobPull.bmp"),
        Rotary(20, Look::FcuKnob, 56, "HdgKnob.bmp", "HdgKnobPush.bmp", "HdgKnobPull.bmp"),
        Rotary(20, Look::FcuKnob, 56, "AltKnob.bmp", "AltKnobPush.bmp", "AltKnobPull.bmp", "1000"),
        Rotary(20, Look::FcuKnob, 56, "AltKnob100.bmp", "AltPush100.bmp", "AltKnobPull.bmp", "100"),
        Rotary(20, Look::FcuKnob, 56, "VsKnob.bmp", "VsKnobPush.bmp", "VsKnobPull.bmp"),
        Light(20, "Lights\\FcuSpd", 30, 14, Look::LcdLabel, {"SPD", kAmber}, {"MACH", kAmber}),
        Light(20, "Lights\\MachPoint", 4, 4, Look::Dot, {"", kAmber}),
        Light(20, "Lights\\HdgTrk", 28, 14, Look::LcdLabel, {"TRK", kAmber}, {"HDG", kAmber}),
        Light(20, "Lights\\FcuLat", 30, 14, Look::LcdLabel, {"LAT", kAmber}),
        Light(20, "Lights\\FcuAlt", 30, 14, Look::LcdLabel, {"ALT", kAmber}),
        Light(20, "Lights\\VsFpa", 28, 14, Look::LcdLabel, {"V/S", kAmber}, {"FPA", kAmber}),
        Light(20, "Lights\\FcuDot", 10, 10, Look::Dot, {"", kAmber}),
        Light(20, "Blanks\\Fcu", 480, 40, Look::Overlay, kNone),
        BarKey(20, "Buttons\\AutoP1", 40, 28, "AP1"),
        BarKey(20, "Buttons\\AutoP2", 40, 28, "AP2"),
        BarKey(20, "Buttons\\AutoT", 40, 28, "A/THR"),
        BarKey(20, "Buttons\\FcuLoc", 40, 28, "LOC"),
        BarKey(20, "Buttons\\FcuApp", 40, 28, "APPR"),
        BarKey(20, "Buttons\\FcuExped", 40, 28, "EXPED"),
        BarKey(20, "Buttons\\FcuAlt", 40, 28, "ALT"),
        RoundKey(20, "Buttons\\FcuButton", 26, 20, ""),  // also 21 22

        // 21, 22 glareshield
        Button(21, "Buttons\\SideStickA", 44, 44, {kArrowRight, kRed}, {"CAPT", kGreen}),
        Button(21, "Buttons\\SideStickB", 44, 44, {kArrowLeft, kRed}, {"F/O", kGreen}),
        Button(21, "Buttons\\MasterWarn", 50, 44, {"MASTER", kRed}, {"WARN", kRed}),
        Button(21, "Buttons\\MasterCaut", 50, 44, {"MASTER", kAmber}, {"CAUT", kAmber}),
        Button(21, "Buttons\\GpwsGs", 44, 44, {"GPWS", kAmber}, {"G/S", kAmber}),  // also 43 44
        Light(21, "Lights\\AutoLand", 44, 44, Look::Annunciator, {"AUTO\nLAND", kRed}),
        Light(21, "Lights\\JoyStick", 44, 44, Look::Annunciator, {"SIDE\nSTICK", kRed}),

        // 24 speed brake
        Lever(24, Look::SpeedBrakeLever, "SpdBrake", 100, 290, kSpeedBrakeDetents),
        Button(24, "Buttons\\SpdBrk", 40, 36, {"ARMED", kGreen}, {"SPD BRK", kAmber}),

        // 25 clock and standby instrument controls
        Button(25, "Buttons\\DotsTrue", 35, 35, kBarsWhite, {"TRUE", kWhite}),
        Rotary(25, Look::DualKnob, 48, "RmpKnob.bmp", "RmpKnob.bmp", "RmpKnob.bmp"),  // also 37
        Rotary(25, Look::CageKnob, 40, "CageIn.bmp", "CageIn.bmp", "CageOut.bmp", "CAGE"),
        Light(25, "Lights\\StndbyAtt", 40, 40, Look::Annunciator, {"STBY\nATT", kAmber}),
        Knob(25, "Knobs\\DmcSw", 48, Look::BarKnob, {0, 1, 3, 7}),
        Knob(25, "Knobs\\EcamSw", 48, Look::BarKnob, {0, 1, 7}),

        // 27 thrust levers: one picture per lever and detent code
        Light(27, "A320ThrL\\Idle", 96, 440, Look::ThrustLeft, kNone, kNone, 2),
        Light(27, "A320ThrL\\Cl", 96, 440, Look::ThrustLeft, kNone, kNone, 3),
        Light(27, "A320ThrL\\Mct", 96, 440, Look::ThrustLeft, kNone, kNone, 4),
        Light(27, "A320ThrL\\To", 96, 440, Look::ThrustLeft, kNone, kNone, 5),
        Light(27, "A320ThrL\\Rev", 96, 440, Look::ThrustLeft, kNone, kNone, 0),
        Light(27, "A320ThrR\\Idle", 96, 440, Look::ThrustRight, kNone, kNone, 2),
        Light(27, "A320ThrR\\Cl", 96, 440, Look::ThrustRight, kNone, kNone, 3),
        Light(27, "A320ThrR\\Mct", 96, 440, Look::ThrustRight, kNone, kNone, 4),
        Light(27, "A320ThrR\\To", 96, 440, Look::ThrustRight, kNone, kNone, 5),
        Light(27, "A320ThrR\\Rev", 96, 440, Look::ThrustRight, kNone, kNone, 0),

        // 28 emergency electrical power
        Button(28, "Buttons\\DotsOnBlue", 35, 35, kBarsWhite, kOnBlue),  // also 32 35 48 49
        Button(28, "Buttons\\SmokeOff", 35, 35, {"SMOKE", kRed}, kOff),
        Button(28, "Buttons\\FaultRed", 35, 35, {"FAULT", kRed}, {"MAN ON", kBlue}),
        Guard(28, "Guards\\BlackPlate", 35, 35, Look::BlackPlate),

        // 29 ventilation
        Button(29, "Buttons\\SmokeDots", 35, 35, {"SMOKE", kRed}, kBarsWhite),
        Button(29, "Buttons\\FaultOvrd", 35, 35, kFault, {"OVRD", kBlue}),
        Button(29, "Buttons\\FaultOvrdW", 35, 35, kFault, {"OVRD", kWhite}),

        // 30 cargo smoke
        Button(30, "Buttons\\SmokeDisch", 35, 35, {"SMOKE", kRed}, {"DISCH", kAmber}),

        // 31 pitch trim: the same wheel picture in all three positions
        Switch(31, Look::TrimWheel, 60, 220, "A320StabL.bmp", nullptr, nullptr),
        Switch(31, Look::TrimWheel, 60, 220, "A320StabR.bmp", nullptr, nullptr),
        Switch(31, Look::TrimWheel, 60, 90, "StabLeft.bmp", nullptr, nullptr),
        Switch(31, Look::TrimWheel, 60, 90, "StabRight.bmp", nullptr, nullptr),
        Light(31, "Lights\\A320StabTrim", 5, 220, Look::TrimScale, {"", kWhite}),
        Light(31, "Lights\\StabTrim", 16, 345, Look::TrimScale, {"", kWhite}),
        Light(31, "Lights\\A320StabIndL", 5, 7, Look::TrimMark, {"", kWhite}),
        Light(31, "Lights\\A320StabIndR", 5, 7, Look::TrimMark, {"", kWhite}),
        Light(31, "Lights\\StabTrimIndL", 12, 8, Look::TrimMark, {"", kWhite}),
        Light(31, "Lights\\StabTrimIndR", 12, 8, Look::TrimMark, {"", kWhite}),

        // 32 manual engine start
        Light(32, "Lights\\N1Mode", 60, 24, Look::Annunciator, {"N1 MODE", kGreen}),

        // 34 cargo heat
        Light(34, "Lights\\CargoHeatAft", 40, 24, Look::Annunciator, {"AFT", kGreen}),
        Light(34, "Lights\\CargoHeatFwd", 40, 24, Look::Annunciator, {"FWD", kGreen}),

        // 35 oxygen
        Button(35, "Buttons\\SysOnDots", 35, 35, {"SYS ON", kWhite}, kBarsWhite),

        // 36 rudder trim
        Knob(36, "Knobs\\RudderKnob", 50, Look::BarKnob, {0, 1, 7}),
        Key(36, "Buttons\\ResetButton", 40, 30, "RESET"),  // also 43 44

        // 37, 38, 39 radio management
        BarKey(37, "Buttons\\Vhf1", 32, 20, "VHF1"),
        BarKey(37, "Buttons\\Vhf2", 32, 20, "VHF2"),
        BarKey(37, "Buttons\\Vhf3", 32, 20, "VHF3"),
        BarKey(37, "Buttons\\Hf1", 32, 20, "HF1"),
        BarKey(37, "Buttons\\Hf2", 32, 20, "HF2"),
        BarKey(37, "Buttons\\Am", 32, 20, "AM"),
        Key(37, "Buttons\\RmpSel", 32, 20, "SEL"),
        BarKey(37, "Buttons\\RmpNav", 32, 20, "NAV"),
        BarKey(37, "Buttons\\RmpVor", 32, 20, "VOR"),
        BarKey(37, "Buttons\\RmpIls", 32, 20, "ILS"),
        BarKey(37, "Buttons\\RmpMls", 32, 20, "MLS"),
        BarKey(37, "Buttons\\RmpAdf", 32, 20, "ADF"),
        BarKey(37, "Buttons\\RmpBfo", 32, 20, "BFO"),
        Key(37, "Buttons\\RmpXfr", 32, 20, "XFR"),
        Switch(37, Look::ToggleBat, 30, 50, "RmpOn.bmp", nullptr, "RmpOff.bmp"),
        Guard(37, "Guards\\StbyNav", 36, 40, Look::BlackPlate, {"NAV", kWhite}),
        Guard(37, "Guards\\StbyNavOn", 36, 40, Look::BlackPlate, {"NAV", kGreen}),

        // 40, 41, 42 audio control
        Button(40, "Buttons\\AcpCall", 32, 40, {"MIC", kGreen}, {"CALL", kAmber}),
        Button(40, "Buttons\\AcpMech", 32, 40, {"MIC", kGreen}, {"MECH", kAmber}),
        Button(40, "Buttons\\AcpAtt", 32, 40, {"MIC", kGreen}, {"ATT", kAmber}),
        BarKey(40, "Buttons\\AcpVolume", 32, 28, "VOL"),

        // 43, 44 EFIS display control
        Knob(43, "Knobs\\EfisDmcL", 56, Look::BarKnob, {0, 1, 7}),
        Knob(43, "Knobs\\EfisDmcR", 56, Look::BarKnob, {0, 1, 7}),

        // 45 GPWS
        Button(45, "Buttons\\DotsOn", 35, 35, kBarsWhite, {"ON", kWhite}),

        // 47 evacuation
        Button(47, "Buttons\\EvacOn", 35, 35, {"EVAC", kRed}, {"ON", kWhite}),
        Switch(47, Look::ToggleBat, 36, 56, "EvacSwUp.bmp", nullptr, "EvacSwDn.bmp"),

        // 49 anti ice
        Knob(49, "Knobs\\LndElevKnob", 56, Look::RoundKnob, {0, 1, 2, 6, 7}),

        // 50 TCAS / ATC
        Key(50, "Buttons\\Atc1", 26, 26, "1"),
        Key(50, "Buttons\\Atc2", 26, 26, "2"),
        Key(50, "Buttons\\Atc3", 26, 26, "3"),
        Key(50, "Buttons\\Atc4", 26, 26, "4"),
        Key(50, "Buttons\\Atc5", 26, 26, "5"),
        Key(50, "Buttons\\Atc6", 26, 26, "6"),
        Key(50, "Buttons\\Atc7", 26, 26, "7"),
        Key(50, "Buttons\\Atc0", 26, 26, "0"),
        Key(50, "Buttons\\AtcClr", 26, 26, "CLR"),
        Knob(50, "Knobs\\Tcas2", 30, Look::BarKnob, {1, 2, 3, 7}),
        Knob(50, "Knobs\\Tcas1", 40, Look::BarKnob, {0, 1, 2, 3, 4}),
        Light(50, "Lights\\AtcSys", 28, 20, Look::Annunciator, {"SYS", kGreen}),
        Light(50, "Lights\\AtcOff", 28, 20, Look::Annunciator, {"OFF", kWhite}),
        Light(50, "Lights\\AtcLight", 28, 20, Look::Annunciator, {"FAIL", kAmber}),
    };
}

const char* const kLegendSlots[8] = {"TopIn",  "BotIn",  "BothIn",  "NoneIn",
                                     "TopOut", "BotOut", "BothOut", "NoneOut"};
const char* const kOnOffSlots[4] = {"OnIn", "OffIn", "OnOut", "OffOut"};
const char* const kKnobSlots[8] = {"Knob000", "Knob045", "Knob090", "Knob135",
                                   "Knob180", "Knob225", "Knob270", "Knob315"};
const char* const kGuardSlots[kGuardVariantCount] = {
    "Up", "Down", "top", "bottom", "left", "right", "vertical", "horizontal", "opentop", "openbot"};

std::string Join(const char* folder, const char* name) {
    return std::string(folder) + "\\" + name;
}

}  // namespace

const std::vector<ArtEntry>& Table() {
    static const std::vector<ArtEntry> table = BuildTable();
    return table;
}

std::vector<ArtFile> FilesOf(const ArtEntry& entry) {
    std::vector<ArtFile> files;
    auto add = [&](std::string name, int variant) {
        files.push_back(ArtFile{&entry, std::move(name), variant});
    };
    switch (entry.kind) {
        case Kind::PushButton:
            for (int i = 0; i < 8; ++i)
                add(Join(entry.folder, kLegendSlots[i]) + ".bmp", i);
            for (int i = 0; i < 4; ++i)
                add(Join(entry.folder, kOnOffSlots[i]) + ".bmp", kOnOffVariant + i);
            break;
        case Kind::Light:
            add(Join(entry.folder, "On.bmp"), 0);
            add(Join(entry.folder, "Off.bmp"), 1);
            break;
        case Kind::Switch:
        case Kind::RotaryKnob:
            for (int i = 0; i < 3; ++i) {
                if (entry.files[i] == nullptr)
                    continue;
                bool repeated = false;
                for (int j = 0; j < i; ++j)
                    repeated = repeated || (entry.files[j] != nullptr &&
                                            std::string(entry.files[j]) == entry.files[i]);
                if (!repeated)
                    add(Join(entry.folder, entry.files[i]), i);
            }
            break;
        case Kind::Knob:
            for (int i = 0; i < 8; ++i)
                add(Join(entry.folder, kKnobSlots[i]) + ".bmp", i);
            break;
        case Kind::Lever:
            for (int i = 0; i < entry.detentCount; ++i)
                add(Join(Join("Levers", entry.folder).c_str(), entry.detents[i].file), i);
            break;
        case Kind::Guard:
            for (int i = 0; i < kGuardVariantCount; ++i)
                add(Join(entry.folder, kGuardSlots[i]) + ".bmp", i);
            break;
        case Kind::Glyphs:
            for (int i = 0; i < kGlyphSlots; ++i)
                if (kGlyphNames[i][0] != '\0')
                    add(Join(entry.folder, kGlyphNames[i]) + ".bmp", i);
            break;
    }
    return files;
}

std::vector<ArtFile> AllFiles() {
    std::vector<ArtFile> all;
    std::set<std::string> seen;
    for (const ArtEntry& entry : Table()) {
        for (ArtFile& file : FilesOf(entry)) {
            if (seen.insert(file.name).second)
                all.push_back(std::move(file));
        }
    }
    return all;
}

std::string ToRelativePath(const std::string& windowsName) {
    std::string path = windowsName;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

bool SameSizeGroup(const ArtFile& file) {
    return file.entry->kind != Kind::Guard;
}

void GuardPieceSize(const ArtEntry& entry, int variant, int& width, int& height) {
    // The default guard geometry puts the bars at these offsets from the
    // button's top-left corner: left (0, 0), right (32, 0), top (-1, -2),
    // bottom (2, 33), vertical (18, 2), horizontal (0, 17). Bars are two
    // pixels thick, so that all but the top bar lie on the button and the
    // button's own picture wipes them when the guard opens; the raised guard
    // (open top and open bottom) covers the top bar.
    switch (variant) {
        case kCoverUp:
            width = entry.width;
            height = 5;
            return;
        case kCoverDown:
            width = entry.width;
            height = entry.height;
            return;
        case kGuardTop:
            width = 36;
            height = 2;
            return;
        case kGuardBottom:
            width = 30;
            height = 2;
            return;
        case kGuardLeft:
        case kGuardRight:
            width = 2;
            height = 35;
            return;
        case kGuardVertical:
            width = 2;
            height = 31;
            return;
        case kGuardHorizontal:
            width = 34;
            height = 2;
            return;
        default:  // open top, open bottom
            width = 36;
            height = 5;
            return;
    }
}

}  // namespace art
