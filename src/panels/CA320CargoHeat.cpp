#include "panels/CA320CargoHeat.h"

namespace cargoheat {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 12, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"FWD ISOL VALVE", "Buttons\\FaultOff", 30, 115, Byte(3), Pair(2, 3)}.Presets("I"),
    {"FWD HEAT", "Buttons\\FaultOff", 95, 115, Byte(4), Pair(4, 5)},
    ButtonRow{"AFT ISOL VALVE", "Buttons\\FaultOff", 160, 115, Byte(5), Pair(6, 7)}.Presets("I"),
    ButtonRow{"HOT AIR", "Buttons\\FaultOff", 225, 115, Byte(6), Pair(8, 9)}.Presets("I"),
};

constexpr KnobRow kKnobRows[] = {
    {"FWD TEMP", "Knobs\\ColdHot", 40, 30, "01267", Int32(8)},
    {"AFT TEMP", "Knobs\\ColdHot", 196, 30, "01267", Int32(12)},
};

// The hot-air indications take the two input bytes before the buttons' lights.
constexpr LightRow kLightRows[] = {
    {"AFT HOT", "Lights\\CargoHeatAft", 150, 46, 0},
    {"FWD HOT", "Lights\\CargoHeatFwd", 100, 46, 1},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320CargoHeat",
    .progress = "Initialising Cargo Heat panel items",
    .prefix = "CARGO_HEAT",
    .title = "Cargo heat panel",
    .regions = {blocks::kCargoHeat},
    .lampTest = 10,
    .presets = kPresets,
    .buttons = kButtonRows,
    .knobs = kKnobRows,
    .lights = kLightRows,
};

}  // namespace cargoheat
