#include "panels/CA320_FuelPanel.h"

namespace fuel {

namespace {

using namespace kit;

// The host's fit code for an aircraft whose centre tank pumps are blanked.
constexpr std::int32_t kMaskedFit = 11;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 22, .allOn = 1},
};

// The buttons publish from output byte 0 on.
constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"L TK PUMP 1", "Buttons\\FaultOff", 60, 62, Byte(0), Pair(0, 1)}.Presets("I"),
    ButtonRow{"L TK PUMP 2", "Buttons\\FaultOff", 110, 62, Byte(1), Pair(2, 3)}.Presets("I"),
    ButtonRow{"CTR TK PUMP 1", "Buttons\\FaultOff", 250, 15, Byte(2), Pair(4, 5)}.Presets("I"),
    ButtonRow{"CTR TK PUMP 2", "Buttons\\FaultOff", 384, 15, Byte(3), Pair(6, 7)}.Presets("I"),
    ButtonRow{"R TK PUMP 1", "Buttons\\FaultOff", 524, 62, Byte(4), Pair(8, 9)}.Presets("I"),
    ButtonRow{"R TK PUMP 2", "Buttons\\FaultOff", 574, 62, Byte(5), Pair(10, 11)}.Presets("I"),
    ButtonRow{"X FEED", "Buttons\\OpenOn", 317, 62, Byte(6), Pair(12, 13)},
    ButtonRow{"MODE SEL", "Buttons\\FaultMan", 317, 15, Byte(7), Pair(14, 15)},
};

// Both plates follow one 32-bit input: lit while it holds the masked fit.
constexpr LightRow kLightRows[] = {
    {"CTR TK MASK L", "Lights\\FuelMaskL", 150, 10, 16, Source::Int32Equals, kMaskedFit},
    {"CTR TK MASK R", "Lights\\FuelMaskR", 439, 10, 16, Source::Int32Equals, kMaskedFit},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_FuelPanel",
    .progress = "Initialising FEUL Panel items",
    .prefix = "FUEL",
    .title = "Fuel panel",
    .regions = {blocks::kFuel},
    .lampTest = 20,
    .presets = kPresets,
    .buttons = kButtonRows,
    .lights = kLightRows,
};

}  // namespace fuel
