// The engine start panel: masters, the mode selector's one-hot bytes, the
// all-on request, the take-over from the output block and the two layouts.
#include <gtest/gtest.h>

#include "PanelBed.h"
#include "panels/CEngStartPanel.h"

namespace {

constexpr int kX = 600;
constexpr int kY = 600;
constexpr std::uint32_t kOut = 130565;
constexpr std::uint32_t kIn = 129544;

class EngStartPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        panel.SetAircraftType(13);
        ASSERT_TRUE(panel.Initialise(panelbed::KeypadPanelsArt().c_str(), kX, kY))
            << panel.GetErrorText();
    }
    std::uint8_t Out(std::uint32_t at) { return bed.View()[kOut + at]; }
    int ModeBytesSet() { return Out(5) + Out(6) + Out(7); }

    panelbed::Bed bed{kX, kY};
    CEngStartPanel panel;
};

}  // namespace

TEST_F(EngStartPanelTest, StartsWithBothMastersDownAndTheSelectorAtNorm) {
    EXPECT_EQ(Out(3), 0);
    EXPECT_EQ(Out(4), 0);
    EXPECT_EQ(Out(5), 0);
    EXPECT_EQ(Out(6), 1);
    EXPECT_EQ(Out(7), 0);
    // The A320 layout.
    EXPECT_EQ(panel.Indicator(0).GetRect().left, kX + 122);
    EXPECT_EQ(panel.Indicator(1).GetRect().left, kX + 290);
    EXPECT_EQ(panel.Selector().GetRect().left, kX + 162);
    EXPECT_EQ(panel.Selector().GetRect().top, kY + 140);
}

TEST_F(EngStartPanelTest, MastersAndTheSelectorPublishWithExactlyOneModeByte) {
    bed.Click(panel, 110 + 20, 35 + 10);
    EXPECT_EQ(Out(3), 1);
    EXPECT_EQ(Out(4), 0);
    bed.Click(panel, 270 + 20, 35 + 70);
    EXPECT_EQ(Out(4), 0);
    bed.Click(panel, 270 + 20, 35 + 10);
    EXPECT_EQ(Out(4), 1);

    // Selector 64 x 64 at (162, 140): left-up corner 7, top 0, right-up 1.
    const struct {
        int x, y, byte;
    } clicks[] = {{3, 3, 5}, {32, 3, 6}, {60, 3, 7}, {3, 32, -1}, {32, 3, 6}};
    int expected = 6;
    for (const auto& c : clicks) {
        bed.Click(panel, 162 + c.x, 140 + c.y);
        if (c.byte >= 0)
            expected = c.byte;
        EXPECT_EQ(ModeBytesSet(), 1) << "after a click at " << c.x << ", " << c.y;
        EXPECT_EQ(Out(static_cast<std::uint32_t>(expected)), 1);
    }
    EXPECT_EQ(panel.Indicator(0).IsPressed(), true) << "indicators are held in";
}

TEST_F(EngStartPanelTest, AllOnRequestSnapsTheMastersUpEveryUpdate) {
    bed.View()[kIn + 6] = 1;
    bed.Click(panel, 162 + 3, 140 + 3);  // selector to CRANK
    for (int i = 0; i < 3; ++i) {
        bed.Click(panel, 110 + 20, 35 + 70);  // master 1 down, again and again
        EXPECT_EQ(Out(3), 1);
        EXPECT_EQ(Out(4), 1);
        EXPECT_EQ(Out(5), 1) << "the selector's real position";
        EXPECT_EQ(ModeBytesSet(), 1);
    }
    bed.View()[kIn + 6] = 0;
    panel.SetAllOn();
    EXPECT_EQ(Out(5), 0) << "published as NORM at once";
    EXPECT_EQ(Out(6), 1);
    bed.Idle(panel);
    EXPECT_EQ(Out(5), 1) << "the next update publishes the selector again";
}

TEST_F(EngStartPanelTest, RefreshTakesMastersAndSelectorFromTheOutputBlock) {
    bed.View()[kOut + 3] = 0;
    bed.View()[kOut + 4] = 1;
    bed.View()[kOut + 5] = 0;
    bed.View()[kOut + 6] = 0;
    panel.SetRemoteHold(true);
    bed.Idle(panel);
    EXPECT_EQ(panel.Master(0).GetPosition(), CSwitchClass::kDown);
    EXPECT_EQ(panel.Master(1).GetPosition(), CSwitchClass::kUp);
    EXPECT_EQ(panel.Selector().GetKnobPosition(), CEngStartPanel::kIgnStart);
    bed.View()[kOut + 5] = 1;
    bed.Idle(panel);
    EXPECT_EQ(panel.Selector().GetKnobPosition(), CEngStartPanel::kCrank);
}

TEST(EngStartPanel, TypeCodeChoosesTheRegionAndTheLayout) {
    panelbed::Bed bed(600, 600);
    CEngStartPanel a330;
    a330.SetAircraftType(9);
    ASSERT_TRUE(a330.Initialise(panelbed::KeypadPanelsArt().c_str(), 600, 600));
    EXPECT_EQ(a330.OutBlock(), 75970u);
    EXPECT_EQ(a330.InBlock(), 74912u);
    EXPECT_EQ(a330.Indicator(0).GetRect().left, 600 + 145);
    EXPECT_EQ(a330.Selector().GetRect().top, 600 + 243);
    EXPECT_EQ(bed.View()[75970 + 6], 1);

    CEngStartPanel a318;
    a318.SetAircraftType(14);
    EXPECT_FALSE(a318.Initialise(panelbed::KeypadPanelsArt().c_str(), 600, 600));
    EXPECT_STREQ(a318.GetErrorText(), "CEngStartPanel::Initialise --> Incorrect aircraft fit");
}
