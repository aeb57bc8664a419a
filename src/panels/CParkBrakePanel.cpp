#include "panels/CParkBrakePanel.h"

namespace parkbrake {

namespace {

using namespace kit;

// No request byte: SetAllOn sets the brake, and the byte follows at the next
// update.
constexpr PresetRow kPresets[] = {
    {.name = "ALL_ON", .allOn = 1},
};

// Positions 0 (off, up) and 2 (on, down).
constexpr SwitchRow kSwitchRows[] = {
    SwitchRow{"PARK BRK", 2, {"PBkOff.bmp", "PBkOff.bmp", "PBkOn.bmp"}, 40, 10, OneAt(3, 2)}
        .Presets("2"),
    SwitchRow{"GRVTY GEAR EXTN",
              2,
              {"LgExtendUp.bmp", "LgExtendUp.bmp", "LgExtendDn.bmp"},
              200,
              10,
              OneAt(4, 2)}
        .Drawn(Layout::A320),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CParkBrakePanel",
    .progress = "Initialising Parking Brake Panel Items",
    .prefix = "PARK_BRK",
    .title = "Parking brake panel",
    .regions = blocks::kParkBrake,
    .typeDependent = true,
    .presets = kPresets,
    .switches = kSwitchRows,
};

}  // namespace parkbrake
