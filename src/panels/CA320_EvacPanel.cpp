#include "panels/CA320_EvacPanel.h"

namespace evac {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 4, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"EVAC COMMAND", "Buttons\\EvacOn", 40, 30, Byte(3), Pair(0, 1)}.Presets("I"),
    ButtonRow{"HORN SHUT OFF", "Buttons\\CallBtn", 210, 33, Byte(5), kTestOnly}.OnOff(),
};

constexpr CoverRow kCoverRows[] = {
    {"EVAC COMMAND GUARD", "Guards\\StandardBlack", 0},
};

// Two positions, up (0) and down (2); the host reads 1 while it is up.
constexpr SwitchRow kSwitchRows[] = {
    {"CAPT & PURS", 2, {"EvacSwUp.bmp", "EvacSwUp.bmp", "EvacSwDn.bmp"}, 130, 10, OneAt(4, 0)},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_EvacPanel",
    .progress = "Initialising Evacuation Panel items",
    .prefix = "EVAC",
    .title = "Evacuation panel",
    .regions = {blocks::kEvacuation},
    .lampTest = 2,
    .presets = kPresets,
    .coversAfterButtons = true,
    .buttons = kButtonRows,
    .covers = kCoverRows,
    .switches = kSwitchRows,
};

}  // namespace evac
