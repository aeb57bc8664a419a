#include "panels/CEmrPwrPanel.h"

namespace emerpwr {

namespace {

using namespace kit;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 10, .allOn = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"GEN 1 LINE", "Buttons\\SmokeOff", 30, 45, Byte(3), Pair(0, 1)}.Presets("O"),
    ButtonRow{"EMER GEN TEST", "Buttons\\DotsOnBlue", 95, 45, Byte(4), kTestOnly}.OnOff(),
    ButtonRow{"RAT MAN ON", "Buttons\\CallBtn", 160, 47, Byte(5), kTestOnly}.OnOff(),
    ButtonRow{"RAT & EMER GEN", "Buttons\\FaultRed", 225, 45, Byte(6), Pair(6, 7)}.Presets("I"),
};

// Closed: the button publishes 0 and is hidden; open: drawn over the cover.
constexpr CoverRow kCoverRows[] = {
    {"EMER GEN TEST COVER", "Guards\\BlackPlate", 1, /*gates=*/1, /*hides=*/1},
    {"RAT MAN ON COVER", "Guards\\RedPlate", 2, /*gates=*/1, /*hides=*/1},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CEmrPwrPanel",
    .progress = "Initialising Emergency Pwr Panel items",
    .prefix = "EMER_PWR",
    .title = "Emergency electrical power panel",
    .regions = blocks::kEmergencyPower,
    .typeDependent = true,
    .lampTest = 8,
    .presets = kPresets,
    .coversAfterButtons = true,
    .buttons = kButtonRows,
    .covers = kCoverRows,
};

}  // namespace emerpwr
