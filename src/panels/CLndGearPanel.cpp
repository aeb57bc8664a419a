#include "panels/CLndGearPanel.h"

namespace gear {

namespace {

using namespace kit;

constexpr ButtonRow kButtonRows[] = {
    // The gear indication: held in, never published.
    ButtonRow{"LDG GEAR NOSE", "Buttons\\LndgGear", 87, 88, kNoOutput, Pair(4, 5)}
        .Momentary()
        .Hold()
        .At330(87, 67),
    ButtonRow{"LDG GEAR LEFT", "Buttons\\LndgGear", 33, 88, kNoOutput, Pair(6, 7)}
        .Momentary()
        .Hold(),
    ButtonRow{"LDG GEAR RIGHT", "Buttons\\LndgGear", 138, 88, kNoOutput, Pair(8, 9)}
        .Momentary()
        .Hold(),
    ButtonRow{"AUTO BRK LO", "Buttons\\DecelOn", 30, 167, Byte(7), Pair(10, 11)}.Momentary(),
    ButtonRow{"AUTO BRK MED", "Buttons\\DecelOn", 80, 167, Byte(8), Pair(12, 13)}.Momentary(),
    ButtonRow{"AUTO BRK MAX", "Buttons\\DecelOn", 140, 167, Byte(9), Pair(14, 15)}.Momentary(),
    ButtonRow{"TERR ON ND", "Buttons\\DotsOnGreen", 203, 217, Byte(10), Pair(16, 17)},
    ButtonRow{"BRK FAN", "Buttons\\HotOn", 203, 50, Byte(11), Pair(18, 19)},
};

// The gear lever's flags are written by the panel's own rule (force-down).
constexpr SwitchRow kSwitchRows[] = {
    {"A/SKID & N/W STRG", 2, {"AsUp.bmp", "AsCenter.bmp", "AsDown.bmp"}, 203, 136, Flags(12)},
    SwitchRow{
        "LDG GEAR", 2, {"GearHandleUp.bmp", "GearHandleUp.bmp", "GearHandleDown.bmp"}, 60, 230}
        .Initial(2),
};

constexpr LightRow kLightRows[] = {
    LightRow{"BRK PRESS", "Lights\\BrkPrs", 160, 280, 1}.NoLampTest(),
    LightRow{"ACCU PRESS", "Lights\\BrkPrs2", 190, 290, 0}.NoLampTest(),
    {"LDG GEAR UNLK", "Lights\\UpDown", 90, 240, 2},
};

constexpr shm::FieldRow kExtraFields[] = {
    shm::FieldRow{"GEAR.LEVER.UP", blocks::kLandingGear.a320.out + kLeverFlags,
                  shm::FieldType::Byte, shm::Writer::Program, "1 while the gear lever is up"}
        .In(0, 1),
    shm::FieldRow{"GEAR.LEVER.DOWN", blocks::kLandingGear.a320.out + kLeverFlags + 1,
                  shm::FieldType::Byte, shm::Writer::Program,
                  "1 while the gear lever is down (not written while forced down)"}
        .In(0, 1),
    shm::FieldRow{"GEAR.LEVER_UP", blocks::kLandingGear.a320.out + kLeverUpCopy,
                  shm::FieldType::Byte, shm::Writer::Program, "copy of GEAR.LEVER.UP"}
        .In(0, 1),
    shm::FieldRow{"GEAR.INDICATION_%d.STATE", blocks::kLandingGear.a320.out + kIndicationStates,
                  shm::FieldType::Byte, shm::Writer::Program, "always 0 (the indication buttons)",
                  3, 1}
        .In(0, 0),
    {"GEAR.FORCE_DOWN", blocks::kLandingGear.a320.in + kForceDown, shm::FieldType::Byte,
     shm::Writer::Host,
     "non-zero forces the gear lever down, except for 200 updates after the cockpit puts it up"},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CLndGearPanel",
    .progress = "Initialising Landing Gear Panel Items",
    .prefix = "GEAR",
    .title = "Landing gear panel",
    .regions = blocks::kLandingGear,
    .typeDependent = true,
    .lampTest = 20,
    .buttons = kButtonRows,
    .switches = kSwitchRows,
    .lights = kLightRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace gear

void CLndGearPanel::GearLeverUp() {
    Lever().SetPosition(CSwitchClass::kUp);
    std::uint8_t* view = GetSharedMemory();
    if (IsInitialised() && view != nullptr) {
        OutByte(view, gear::kLeverUpCopy, 1);
        OutByte(view, gear::kLeverFlags, 1);
    }
    m_holdOff = gear::kHoldOff;
}

void CLndGearPanel::GearLeverDown() {
    Lever().SetPosition(CSwitchClass::kDown);
    std::uint8_t* view = GetSharedMemory();
    if (IsInitialised() && view != nullptr) {
        OutByte(view, gear::kLeverUpCopy, 0);
        OutByte(view, gear::kLeverFlags, 0);
    }
}

void CLndGearPanel::SetGearLeverDown() {
    Lever().SetPosition(CSwitchClass::kDown);
}

void CLndGearPanel::AfterControls(std::uint8_t* view, MouseEvent* /*event*/) {
    for (std::uint32_t i = 0; i < 3; ++i)
        OutByte(view, gear::kIndicationStates + i, 0);
    // The lever took the mouse with the other switches; a forced lever goes
    // straight back down, without publishing its down flag.
    if (InByte(view, gear::kForceDown) != 0 && m_holdOff < 0) {
        GearLeverDown();
    } else {
        const int position = Lever().GetPosition();
        OutByte(view, gear::kLeverFlags, position == CSwitchClass::kUp ? 1 : 0);
        OutByte(view, gear::kLeverFlags + 1, position == CSwitchClass::kDown ? 1 : 0);
    }
    OutByte(view, gear::kLeverUpCopy, ReadOutByte(view, gear::kLeverFlags));
    if (m_holdOff >= 0)
        --m_holdOff;  // stops at -1: only "below 0" matters
}

void CLndGearPanel::RefreshFromOutputs() {
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    CKitPanel::RefreshFromOutputs();
    const char flags[2] = {static_cast<char>(ReadOutByte(view, gear::kLeverFlags)),
                           static_cast<char>(ReadOutByte(view, gear::kLeverFlags + 1))};
    Lever().SetPositionFromFlags(flags);
}
