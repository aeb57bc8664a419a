#include "panels/CA330_LtSwPanel.h"

namespace lights {

namespace {

using namespace kit;

// Columns: cold (at start), A, B.
constexpr std::size_t kPresetA = 1;
constexpr std::size_t kPresetB = 2;
constexpr PresetRow kPresets[] = {
    {.name = "COLD_PRESET", .atStart = 1},
    {.name = "PRESET_A"},
    {.name = "PRESET_B"},
};

constexpr const char* kLightA[3] = {"LightAOn.bmp", "LightAAuto.bmp", "LightAOff.bmp"};
constexpr const char* kOnOff[3] = {"OnOffUp.bmp", "OnOffMid.bmp", "OnOffDn.bmp"};
constexpr const char* kLightB[3] = {"LightBUp.bmp", "LightBDn.bmp", "LightBDn.bmp"};
constexpr const char* kRound[3] = {"RoundSwUp.bmp", "RoundSwMid.bmp", "RoundSwDwn.bmp"};
constexpr const char* kAntiSkid[3] = {"AsUp.bmp", "AsCenter.bmp", "AsDown.bmp"};

constexpr SwitchRow Row(const char* label, int type, const char* const (&pictures)[3], int x, int y,
                        int id, const char* presets) {
    return SwitchRow{label, type, {pictures[0], pictures[1], pictures[2]},
                     x,     y,    Flags(static_cast<std::uint32_t>(6 + 2 * id)),
                     2}
        .Presets(presets);
}

constexpr SwitchRow kSwitchRows[kSwitches] = {
    Row("STROBE", 1, kLightA, 55, 30, 0, "210"),
    Row("BEACON", 2, kLightA, 110, 30, 1, "220"),
    Row("WING", 2, kOnOff, 190, 30, 2, "200"),
    Row("NAV & LOGO", 1, kLightA, 233, 30, 3, "200"),
    Row("RWY TURN OFF", 2, kOnOff, 60, 98, 4, "222"),
    Row("LAND L", 2, kLightB, 186, 98, 5, "222"),
    Row("LAND R", 2, kLightB, 115, 98, 6, "222").Drawn(Layout::A320),
    Row("NOSE", 1, kRound, 238, 98, 7, "222"),
    Row("DOME", 1, kOnOff, 369, 98, 8, "220"),
    Row("ANN LT", 1, kOnOff, 430, 98, 9, "210"),
    Row("SEAT BELTS", 1, kAntiSkid, 565, 98, 10, "211"),
    Row("NO SMOKING", 2, kRound, 378, 30, 11, "220"),
    Row("EMER EXIT LT", 2, kRound, 430, 30, 12, "220"),
    Row("STBY COMPASS", 1, kLightA, 483, 30, 13, "222"),
    Row("INTEG LT", 1, kRound, 570, 30, 14, "222"),
};

constexpr ButtonRow kButtonRows[kButtons] = {
    {"APU MASTER", "Buttons\\FaultOnR", 308, 46, Byte(3), Pair(0, 1)},
    ButtonRow{"APU START", "Buttons\\GreenAvail", 308, 96, Byte(4), Pair(2, 3)}.Momentary(),
    ButtonRow{"EXT LT", "Buttons\\DotsOffAmber", 512, 98, Byte(5), Pair(4, 5)}.Hold(),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA330_LtSwPanel",
    .progress = "Initialising Light Switch Panel Items",
    .prefix = "LIGHTS",
    .title = "Light switch panel",
    .regions = blocks::kLightSwitch,
    .typeDependent = true,
    .lampTest = 6,
    .presets = kPresets,
    .buttons = kButtonRows,
    .switches = kSwitchRows,
    .extraFields =
        [](int) {
            static constexpr shm::FieldRow kRows[] = {
                {"LIGHTS.REMOTE_HOLD", kRemoteHold.Offset(), shm::FieldType::Byte,
                 shm::Writer::Host,
                 "non-zero: the host holds the panel, which shows its output block"},
            };
            return std::span<const shm::FieldRow>(kRows);
        },
};

}  // namespace lights

bool CA330_LtSwPanel::Initialise(const char* folder, int x, int y) {
    return Initialise(folder, x, y, m_typeArgument);
}

bool CA330_LtSwPanel::Initialise(const char* folder, int x, int y, int aircraftType) {
    if (blocks::RegionOf(aircraftType) == blocks::Region::None)
        return false;
    SetAircraftType(aircraftType);
    return CKitPanel::Initialise(folder, x, y);
}

// The host takes the panel over through the first byte of its output block.
constexpr std::uint32_t kRemoteHoldOut = 0;

void CA330_LtSwPanel::Update(MouseEvent* event) {
    if (const std::uint8_t* view = GetSharedMemory(); IsInitialised() && view != nullptr)
        SetRemoteHold(ReadOutByte(view, kRemoteHoldOut) != 0);
    CKitPanel::Update(event);
}

void CA330_LtSwPanel::ApplySwitchPreset(std::size_t preset) {
    if (!IsInitialised())
        return;
    ApplyPreset(preset);
    WriteOutputs(GetSharedMemory());
}

void CA330_LtSwPanel::ApplyPresetA() {
    ApplySwitchPreset(lights::kPresetA);
}

void CA330_LtSwPanel::ApplyPresetB() {
    ApplySwitchPreset(lights::kPresetB);
}

void CA330_LtSwPanel::PressFirstButtons() {
    for (int i = 0; i < 2; ++i) {
        if (!Button(i).IsPressed())
            Button(i).SetPressed(true);
    }
}

void CA330_LtSwPanel::SetAllOn() {
    if (!IsInitialised())
        return;
    ApplyPreset(lights::kPresetB);
    std::uint8_t* view = GetSharedMemory();
    for (int i = 0; i < 2; ++i) {
        Button(i).SetPressed(true);
        OutByte(view, static_cast<std::uint32_t>(3 + i), 1);
    }
}
