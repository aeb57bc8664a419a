#include "panels/CA320AirPanel.h"

namespace air {

namespace {

using namespace kit;

// No request byte: the host's all-on state only, written at once.
constexpr PresetRow kPresets[] = {
    {.name = "ALL_ON", .allOn = 1, .writeAtOnce = 1},
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"PACK 1", "Buttons\\FaultOff", 60, 110, Byte(3), Pair(0, 1)}.Presets("I"),
    ButtonRow{"PACK 2", "Buttons\\FaultOff", 574, 110, Byte(4), Pair(2, 3)}.Presets("I"),
    ButtonRow{"ENG 1 BLEED", "Buttons\\FaultOff", 140, 110, Byte(5), Pair(4, 5)}.Presets("I"),
    ButtonRow{"ENG 2 BLEED", "Buttons\\FaultOff", 494, 110, Byte(6), Pair(6, 7)}.Presets("I"),
    ButtonRow{"APU BLEED", "Buttons\\FaultOnBlue", 230, 110, Byte(7), Pair(8, 9)}.Presets("O"),
    ButtonRow{"RAM AIR", "Buttons\\FaultOnBlue", 317, 175, Byte(8), Pair(10, 11)}.Presets("O"),
    ButtonRow{"HOT AIR", "Buttons\\FaultOff", 574, 25, Byte(9), Pair(12, 13)}.Presets("I"),
};

constexpr CoverRow kCoverRows[] = {
    {"RAM AIR GUARD", "Guards\\StandardBlack", 5},
};

// Positions 7, 0 and 1 are the left, upright and right selector positions;
// the temperature knobs turn from 6 (cold) to 2 (hot).
constexpr KnobRow kKnobRows[] = {
    {"PACK FLOW", "Knobs\\PackLoHi", 60, 15, "017", Int32(12)},
    {"X BLEED", "Knobs\\XBleed", 307, 95, "017", Int32(16)},
    {"CKPT TEMP", "Knobs\\ColdHot", 220, 15, "01267", Int32(20)},
    {"FWD CABIN TEMP", "Knobs\\ColdHot", 320, 15, "01267", Int32(24)},
    {"AFT CABIN TEMP", "Knobs\\ColdHot", 420, 15, "01267", Int32(28)},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320AirPanel",
    .progress = "Initialising Air panel items",
    .prefix = "AIR",
    .title = "Air conditioning panel",
    .regions = {blocks::kAir},
    .lampTest = 14,
    .presets = kPresets,
    .buttons = kButtonRows,
    .covers = kCoverRows,
    .knobs = kKnobRows,
};

}  // namespace air
