#include "panels/CA320_FirePanel.h"

namespace fire {

namespace {

using namespace kit;

constexpr ButtonRow kButtonRows[] = {
    {"ENG 1 FIRE", "Buttons\\FireButton", 50, 15, Byte(3), Pair(0, 1)},
    {"APU FIRE", "Buttons\\FireButton", 305, 15, Byte(4), Pair(2, 3)},
    {"ENG 2 FIRE", "Buttons\\FireButton", 500, 15, Byte(5), Pair(4, 5)},
    {"ENG 1 AGENT 1", "Buttons\\Squib", 40, 80, Byte(6), Pair(6, 7)},
    {"ENG 1 AGENT 2", "Buttons\\Squib", 100, 80, Byte(7), Pair(8, 9)},
    {"APU AGENT", "Buttons\\Squib", 317, 80, Byte(8), Pair(10, 11)},
    {"ENG 2 AGENT 1", "Buttons\\Squib", 490, 80, Byte(9), Pair(12, 13)},
    {"ENG 2 AGENT 2", "Buttons\\Squib", 550, 80, Byte(10), Pair(14, 15)},
    {"ENG 1 TEST", "Buttons\\FireTestPb", 130, 22, Byte(11), Pair(16, 17)},
    {"APU TEST", "Buttons\\FireTestPb", 385, 22, Byte(12), Pair(18, 19)},
    {"ENG 2 TEST", "Buttons\\FireTestPb", 580, 22, Byte(13), Pair(20, 21)},
};

constexpr CoverRow kCoverRows[] = {
    {"ENG 1 FIRE GUARD", "Guards\\FireGuard", 0},
    {"APU FIRE GUARD", "Guards\\FireGuard", 1},
    {"ENG 2 FIRE GUARD", "Guards\\FireGuard", 2},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_FirePanel",
    .progress = "Initialising Fire Panel items",
    .prefix = "FIRE",
    .title = "Fire panel",
    .regions = {blocks::kFire},
    .lampTest = 22,
    .buttons = kButtonRows,
    .covers = kCoverRows,
};

}  // namespace fire
