#include "panels/COxygenPanel.h"

namespace oxygen {

namespace {

using namespace kit;

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"HI ALT LDG", "Buttons\\DotsOnBlue", 30, 35, Byte(3), Pair(0, 1)}.Drawn(Layout::A330),
    ButtonRow{"MASK MAN ON", "Buttons\\CallBtn", 100, 37, Byte(4), kTestOnly}.OnOff(),
    ButtonRow{"PASSENGER SYS ON", "Buttons\\SysOnDots", 170, 35, Byte(5), Pair(4, 5)}.Hold(),
    {"CREW SUPPLY", "Buttons\\DotsOff", 230, 35, Byte(6), Pair(6, 7)},
};

// The closed plate locks the button; its byte follows the button either way.
constexpr CoverRow kCoverRows[] = {
    {"MASK MAN ON COVER", "Guards\\RedPlate", 1, /*gates=*/0, /*hides=*/1},
};

}  // namespace

const PanelDescription kDescription{
    .className = "COxygenPanel",
    .progress = "Initialising Oxygen Panel items",
    .prefix = "OXY",
    .title = "Oxygen panel",
    .regions = blocks::kOxygen,
    .typeDependent = true,
    .lampTest = 8,
    .coversAfterButtons = true,
    .buttons = kButtonRows,
    .covers = kCoverRows,
};

}  // namespace oxygen
