#include "panels/CA320_RcdrPanel.h"

namespace rcdr {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 8, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"GND CTL", "Buttons\\DotsOnBlue", 40, 22, Byte(3), Pair(0, 1)}.Presets("I"),
    ButtonRow{"CVR ERASE", "Buttons\\CallBtn", 125, 25, Byte(4), Pair(2, 3)}.Presets("I"),
    ButtonRow{"CVR TEST", "Buttons\\CallBtn", 210, 25, Byte(5), Pair(4, 5)}.Presets("I"),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_RcdrPanel",
    .progress = "Initialising Recorder Panel items",
    .prefix = "RCDR",
    .title = "Recorder panel",
    .regions = {blocks::kRecorder},
    .lampTest = 6,
    .presets = kPresets,
    .buttons = kButtonRows,
};

}  // namespace rcdr
