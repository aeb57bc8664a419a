#include "panels/CA320_FltCtlsLeft.h"

namespace fltctlleft {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 8, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"ELAC 1", "Buttons\\FaultOff", 50, 35, Byte(3), Pair(0, 1)}.Presets("I"),
    ButtonRow{"SEC 1", "Buttons\\FaultOff", 125, 35, Byte(4), Pair(2, 3)}.Presets("I"),
    ButtonRow{"FAC 1", "Buttons\\FaultOff", 200, 35, Byte(5), Pair(4, 5)}.Presets("I"),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_FltCtlsLeft",
    .progress = "Initialising Flt Ctl panel items",
    .prefix = "FLT_CTL_L",
    .title = "Flight control panel, left",
    .regions = {blocks::kFltCtlsLeft},
    .lampTest = 6,
    .presets = kPresets,
    .buttons = kButtonRows,
};

}  // namespace fltctlleft
