#include "panels/CA320CargoSmoke.h"

namespace cargosmoke {

namespace {

using namespace kit;

constexpr ButtonRow kButtonRows[] = {
    {"DISCH 1", "Buttons\\SmokeDisch", 130, 30, Byte(3), Pair(0, 1)},
    {"DISCH 2", "Buttons\\SmokeDisch", 180, 30, Byte(4), Pair(2, 3)},
    {"FWD SMOKE", "Buttons\\SmokeDisch", 20, 30, Byte(5), Pair(4, 5)},
    {"AFT SMOKE", "Buttons\\SmokeDisch", 70, 30, Byte(6), Pair(6, 7)},
    {"TEST", "Buttons\\CallBtn", 235, 33, Byte(7), Pair(8, 9)},
};

constexpr CoverRow kCoverRows[] = {
    {"DISCH 1 COVER", "Guards\\RedPlate", 0},
    {"DISCH 2 COVER", "Guards\\RedPlate", 1},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320CargoSmoke",
    .progress = "Initialising Cargo Smoke Panel items",
    .prefix = "CARGO_SMOKE",
    .title = "Cargo smoke panel",
    .regions = {blocks::kCargoSmoke},
    .lampTest = 10,
    .buttons = kButtonRows,
    .covers = kCoverRows,
};

}  // namespace cargosmoke
