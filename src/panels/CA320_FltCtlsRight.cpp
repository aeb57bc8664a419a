#include "panels/CA320_FltCtlsRight.h"

namespace fltctlright {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 10, .allOn = 1},
};

// The buttons publish from output byte 0 on.
constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"ELAC 2", "Buttons\\FaultOff", 30, 40, Byte(0), Pair(0, 1)}.Presets("I"),
    ButtonRow{"SEC 2", "Buttons\\FaultOff", 95, 40, Byte(1), Pair(2, 3)}.Presets("I"),
    ButtonRow{"SEC 3", "Buttons\\FaultOff", 160, 40, Byte(2), Pair(4, 5)}.Presets("I"),
    ButtonRow{"FAC 2", "Buttons\\FaultOff", 225, 40, Byte(3), Pair(6, 7)}.Presets("I"),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_FltCtlsRight",
    .progress = "Initialising Flt Ctl panel items",
    .prefix = "FLT_CTL_R",
    .title = "Flight control panel, right",
    .regions = {blocks::kFltCtlsRight},
    .lampTest = 8,
    .presets = kPresets,
    .buttons = kButtonRows,
};

}  // namespace fltctlright
