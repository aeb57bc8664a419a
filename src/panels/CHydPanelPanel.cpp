#include "panels/CHydPanelPanel.h"

namespace hyd {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 12, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"ENG 1 PUMP", "Buttons\\FaultOff", 90, 80, Byte(3), Pair(0, 1)}.Presets("I"),
    ButtonRow{"BLUE ELEC PUMP", "Buttons\\FaultOff", 250, 80, Byte(4), Pair(2, 3)}.Presets("I"),
    ButtonRow{"PTU", "Buttons\\FaultOff", 384, 80, Byte(5), Pair(4, 5)}.Presets("I"),
    ButtonRow{"ENG 2 PUMP", "Buttons\\FaultOff", 545, 80, Byte(6), Pair(6, 7)}.Presets("I"),
    {"BLUE PUMP OVRD", "Buttons\\FaultOn", 250, 20, Byte(7), Pair(8, 9)},
    ButtonRow{"RAT MAN ON", "Buttons\\CallBtn", 160, 22, Byte(8), kTestOnly}.OnOff(),
};

constexpr CoverRow kCoverRows[] = {
    {"BLUE PUMP OVRD GUARD", "Guards\\StandardBlack", 4},
    {"RAT MAN ON COVER", "Guards\\RedPlate", 5, /*gates=*/1},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CHydPanelPanel",
    .progress = "Initialising Hydraulic panel items",
    .prefix = "HYD",
    .title = "Hydraulic panel",
    .regions = {blocks::kHydraulic},
    .lampTest = 10,
    .presets = kPresets,
    .buttons = kButtonRows,
    .covers = kCoverRows,
};

}  // namespace hyd
