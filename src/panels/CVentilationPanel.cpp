#include "panels/CVentilationPanel.h"

namespace vent {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 10, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"CAB FANS", "Buttons\\DotsOff", 40, 20, Byte(3), Pair(0, 1)}.Hold(Held::InA330Layout),
    ButtonRow{"BLOWER", "Buttons\\FaultOvrd", 100, 20, Byte(4), Pair(2, 3)}.Presets("O"),
    ButtonRow{"AVNCS SMOKE", "Buttons\\SmokeDots", 160, 20, Byte(5), Pair(4, 5)}
        .Drawn(Layout::A330)
        .Presets("O"),
    ButtonRow{"EXTRACT", "Buttons\\FaultOvrdW", 220, 20, Byte(6), Pair(6, 7)}.Presets("I"),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CVentilationPanel",
    .progress = "Initialising ventilation Panel items",
    .prefix = "VENT",
    .title = "Ventilation panel",
    .regions = blocks::kVentilation,
    .typeDependent = true,
    .lampTest = 8,
    .presets = kPresets,
    .buttons = kButtonRows,
};

}  // namespace vent
