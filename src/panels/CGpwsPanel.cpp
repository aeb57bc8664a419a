#include "panels/CGpwsPanel.h"

namespace gpws {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 12, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"SYS", "Buttons\\FaultOff", 20, 35, Byte(3), Pair(0, 1)}.Presets("I"),
    ButtonRow{"TERR", "Buttons\\FaultOff", 72, 35, Byte(4), Pair(2, 3)}.Presets("I"),
    ButtonRow{"G/S MODE", "Buttons\\DotsOff", 124, 35, Byte(5), Pair(4, 5)}.Presets("O"),
    ButtonRow{"FLAP MODE", "Buttons\\DotsOff", 176, 35, Byte(6), Pair(6, 7)}.Presets("O"),
    ButtonRow{"LDG FLAP 3", "Buttons\\DotsOn", 228, 35, Byte(7), Pair(8, 9)}.Presets("O"),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CGpwsPanel",
    .progress = "Initialising GPWS Panel items",
    .prefix = "GPWS",
    .title = "GPWS panel",
    .regions = {blocks::kGpws},
    .lampTest = 10,
    .presets = kPresets,
    .buttons = kButtonRows,
};

}  // namespace gpws
