// The labels engraved beside the controls on the main picture, placed with the
// painter's own font: every label engraved is readable (not below six
// pixels), lies on its panel's plate and touches neither a control of its
// panel nor another label, and only labels of packed controls are left out.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "art/ArtLabels.h"
#include "art/ArtPainter.h"
#include "panels/PanelLayout.h"

namespace {

std::string Where(const art::PlacedLabel& label) {
    std::string text = "panel " + std::to_string(label.panel) + ":";
    for (const std::string& line : label.lines)
        text += " " + line;
    return text;
}

TEST(ArtLabels, EveryLabelHasAFreePlaceOnItsPlate) {
    const std::vector<art::EngravedLabel> controls = art::ControlLabels();
    const std::vector<art::PlacedLabel> labels = art::PlaceLabels(controls, art::MeasureLabel);
    std::map<int, int> labelled;
    for (const art::EngravedLabel& control : controls)
        labelled[control.panel] += control.text.empty() ? 0 : 1;
    ASSERT_GT(labels.size(), 300u);
    std::set<std::string> unplaced;

    for (std::size_t i = 0; i < labels.size(); ++i) {
        const art::PlacedLabel& label = labels[i];
        --labelled[label.panel];
        if (!label.clear) {
            unplaced.insert(Where(label));
            continue;
        }
        EXPECT_GE(label.pixelSize, 6) << Where(label);
        EXPECT_LE(label.lines.size(), 2u) << Where(label);
        const panels::PanelPlace& place = panels::kPanelLayout[label.panel];
        EXPECT_TRUE(label.box.Inside({place.x, place.y, place.width, place.height}))
            << Where(label);
        for (const art::EngravedLabel& control : controls) {
            if (control.panel != label.panel)
                continue;
            EXPECT_FALSE(label.box.Overlaps({control.x, control.y, control.width, control.height}))
                << Where(label) << " covers a control at " << control.x << "," << control.y;
        }
        for (std::size_t j = i + 1; j < labels.size(); ++j) {
            if (labels[j].panel != label.panel)
                continue;
            EXPECT_FALSE(label.box.Overlaps(labels[j].box))
                << Where(label) << " overlaps " << Where(labels[j]);
        }
    }
    // The only labels left out: keys packed in a block that carry their word
    // on their own pictures, and the thrust levers' detent pictures, which lie
    // on one another.
    const std::set<std::string> packed = {
        "panel 3: BLEED",
        "panel 3: ELEC",
        "panel 5: QNH",
        "panel 6: LAND R",
        "panel 7: 0",
        "panel 7: H 5",
        "panel 7: S 8",
        "panel 27: THR LEVER 1 CL",
        "panel 27: THR LEVER 1 MCT",
        "panel 27: THR LEVER 1 REV",
        "panel 27: THR LEVER 1 TOGA",
        "panel 27: THR LEVER 2 CL",
        "panel 27: THR LEVER 2 MCT",
        "panel 27: THR LEVER 2 REV",
        "panel 27: THR LEVER 2 TOGA",
    };
    EXPECT_EQ(unplaced, packed);
    // Every labelled control got its label.
    for (const auto& [panel, missing] : labelled)
        EXPECT_EQ(missing, 0) << "panel " << panel;
}

TEST(ArtLabels, ALabelWithoutRoomIsSplitOrShrunk) {
    // Two 30-pixel controls side by side with a 4-pixel gap on a roomy plate
    // of the fire panel: long labels cannot sit side by side at full size on
    // one line, so they are shrunk or split, and do not overlap.
    const panels::PanelPlace& fire = panels::kPanelLayout[15];
    const int x = fire.x + 200;
    const int y = fire.y + 60;
    const std::vector<art::EngravedLabel> controls = {
        {15, "ENG 1 AGENT 1", x, y, 30, 30},
        {15, "ENG 1 AGENT 2", x + 34, y, 30, 30},
    };
    const auto labels = art::PlaceLabels(controls, art::MeasureLabel);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_TRUE(labels[0].clear && labels[1].clear);
    EXPECT_FALSE(labels[0].box.Overlaps(labels[1].box));
    const bool reduced =
        labels[1].lines.size() == 2 || labels[1].pixelSize < 9 || labels[1].box.y > y;
    EXPECT_TRUE(reduced);
}

}  // namespace
