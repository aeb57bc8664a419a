#include "panels/CA320_Calls.h"

namespace calls {

namespace {

using namespace kit;

constexpr ButtonRow kButtonRows[] = {
    {"EMER CALL", "Buttons\\FaultOn", 226, 30, Byte(3), Pair(0, 1)},
    ButtonRow{"AFT", "Buttons\\CallBtn", 182, 35, Byte(4), kTestOnly}.Momentary().OnOff(),
    ButtonRow{"FWD", "Buttons\\CallBtn", 132, 35, Byte(5), kTestOnly}.Momentary().OnOff(),
    ButtonRow{"MECH", "Buttons\\CallBtn", 35, 35, Byte(6), kTestOnly}.Momentary().OnOff(),
};

constexpr CoverRow kCoverRows[] = {
    {"EMER CALL GUARD", "Guards\\StandardBlack", 0},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_Calls",
    .progress = "Initialising Calls panel items",
    .prefix = "CALLS",
    .title = "Calls panel",
    .regions = {blocks::kCalls},
    .lampTest = 8,
    .buttons = kButtonRows,
    .covers = kCoverRows,
};

}  // namespace calls
