#include "panels/CA320_AiPanel.h"

namespace antiice {

namespace {

using namespace kit;

constexpr ButtonRow kButtonRows[] = {
    {"WING", "Buttons\\FaultOnBlue", 40, 50, Byte(3), Pair(0, 1)},
    {"ENG 1", "Buttons\\FaultOnBlue", 110, 50, Byte(4), Pair(2, 3)},
    {"ENG 2", "Buttons\\FaultOnBlue", 180, 50, Byte(5), Pair(4, 5)},
    {"PROBE/WINDOW HEAT", "Buttons\\DotsOnBlue", 260, 50, Byte(6), Pair(6, 7)},
    {"MODE SEL", "Buttons\\FaultMan", 530, 50, Byte(7), Pair(8, 9)},
    {"DITCHING", "Buttons\\DotsOn", 600, 50, Byte(8), Pair(10, 11)},
};

constexpr CoverRow kCoverRows[] = {
    {"DITCHING GUARD", "Guards\\StandardBlack", 5},
};

// Up, middle and down; starts in the middle.
constexpr SwitchRow kSwitchRows[] = {
    SwitchRow{
        "MAN V/S CTL", 1, {"RoundSwUp.bmp", "RoundSwMid.bmp", "RoundSwDwn.bmp"}, 450, 35, Flags(9)}
        .Initial(1),
};

constexpr KnobRow kKnobRows[] = {
    {"LDG ELEV", "Knobs\\LndElevKnob", 360, 40, "01267", Int32(12)},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CA320_AiPanel",
    .progress = "Initialising AntiIce Panel Items",
    .prefix = "ANTI_ICE",
    .title = "Anti-ice panel",
    .regions = {blocks::kAntiIce},
    .lampTest = 12,
    .coversAfterButtons = true,
    .buttons = kButtonRows,
    .covers = kCoverRows,
    .switches = kSwitchRows,
    .knobs = kKnobRows,
    .switchesFailure = "Unable to set up switches",
    .knobsFailure = "Unable to set up knob",
};

}  // namespace antiice
