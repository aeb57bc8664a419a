#include "panels/CA320_ElectricalPanel.h"

#include "util/KxText.h"

namespace elec {

namespace {

using namespace kit;

// Presets, in the order their columns appear in the rows: all-on, then cold
// (applied in that order, so the cold preset wins when both are requested).
constexpr PresetRow kPresets[] = {
    {.name = "ALL_ON_PRESET", .request = 32, .allOn = 1, .writeAtOnce = 1},
    {.name = "COLD_PRESET", .request = 31, .atStart = 1},
};

constexpr ButtonRow kButtonRows[kButtons] = {
    ButtonRow{"BAT 1", "Buttons\\FaultOff", 270, 20, Byte(3), Pair(8, 9)}.Presets("IO"),
    ButtonRow{"BAT 2", "Buttons\\FaultOff", 315, 20, Byte(4), Pair(10, 11)}.Presets("IO"),
    ButtonRow{"GALY & CAB", "Buttons\\FaultOff", 50, 65, Byte(5), Pair(12, 13)}.Presets("I."),
    ButtonRow{"AC ESS FEED", "Buttons\\FaultAltn", 445, 40, Byte(6), Pair(14, 15)}.Presets("I."),
    ButtonRow{"BUS TIE", "Buttons\\DotsOff", 312, 115, Byte(7), Pair(16, 17)}.Presets("I."),
    ButtonRow{"IDG 1", "Buttons\\FaultDots", 50, 145, Byte(8), Pair(18, 19)}.Presets("II"),
    ButtonRow{"IDG 2", "Buttons\\FaultDots", 585, 145, Byte(9), Pair(20, 21)}.Presets("II"),
    ButtonRow{"GEN 1", "Buttons\\FaultOff", 120, 145, Byte(10), Pair(22, 23)}.Presets("II"),
    ButtonRow{"GEN 2", "Buttons\\FaultOff", 515, 145, Byte(11), Pair(24, 25)}.Presets("II"),
    ButtonRow{"APU GEN", "Buttons\\FaultOff", 230, 145, Byte(12), Pair(26, 27)}.Presets("I."),
    ButtonRow{"EXT PWR", "Buttons\\AvailOn", 395, 145, Byte(13), Pair(28, 29)}.Momentary().Presets(
        "IO"),
};

constexpr CoverRow kCoverRows[] = {
    {"IDG 1 GUARD", "Guards\\StandardRed", 5},
    {"IDG 2 GUARD", "Guards\\StandardRed", 6},
};

constexpr DisplayRow kDisplayRows[] = {
    {"DISPLAY 1", 4, 192, 28},
    {"DISPLAY 2", 4, 368, 28},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_ElectricalPanel",
    .progress = "Initialising Electrical Panel Items",
    .prefix = "ELEC",
    .title = "Electrical panel",
    .regions = {blocks::kElectrical},
    .lampTest = 30,
    .presets = kPresets,
    .buttons = kButtonRows,
    .covers = kCoverRows,
    .displays = kDisplayRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kDisplayFields); },
};

}  // namespace elec

void CA320_ElectricalPanel::SetColdPreset() {
    ApplyPreset(1);
    WriteOutputs(GetSharedMemory());
}

void CA320_ElectricalPanel::FormatDisplay(float value, char (&text)[8]) {
    float shown = value;
    if (!(shown > 0.0f))
        shown = 0.0f;  // not above 0 (and -0.0, and a value that is not a number)
    if (shown >= 99.9f)
        shown = 99.9f;
    char formatted[32];
    kx::Format(formatted, sizeof formatted, "%04.1f", static_cast<double>(shown));
    kx::StrCopy(text, 5, formatted);
}

bool CA320_ElectricalPanel::DisplayText(int index, const std::uint8_t* view, char* text,
                                        std::size_t size) const {
    char shown[8];
    FormatDisplay((index == 0 ? elec::kDisplay1 : elec::kDisplay2).Read(view), shown);
    kx::StrCopy(text, size, shown);
    return true;
}
