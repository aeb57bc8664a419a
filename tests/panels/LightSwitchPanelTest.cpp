// The light switch panel: switch flags, the indicator held in, the host's
// take-over through the first byte of the output block, the presets, and the
// aircraft type code given with Initialise.
#include <gtest/gtest.h>

#include "PanelBed.h"
#include "panels/CA330_LtSwPanel.h"

namespace {

constexpr int kX = 600;
constexpr int kY = 600;
constexpr std::uint32_t kOut = 130028;

class LightSwitchPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Initialise(panelbed::KeypadPanelsArt().c_str(), kX, kY, 13))
            << panel.GetErrorText();
    }
    std::uint8_t Out(std::uint32_t at) { return bed.View()[kOut + at]; }
    // (up, down) flags of switch i.
    std::pair<int, int> Flags(int i) { return {Out(6 + 2 * i), Out(7 + 2 * i)}; }

    panelbed::Bed bed{kX, kY};
    CA330_LtSwPanel panel;
};

}  // namespace

TEST_F(LightSwitchPanelTest, SwitchesStartDownAndPublishTheirPositionFlags) {
    bed.Idle(panel);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(Flags(i), std::make_pair(0, 1)) << "switch " << i;
    // Switch 0 (type 1, 40 x 64 at (55, 30)): upper third up, middle third middle.
    bed.Click(panel, 55 + 20, 30 + 5);
    EXPECT_EQ(Flags(0), std::make_pair(1, 0));
    bed.Click(panel, 55 + 20, 30 + 32);
    EXPECT_EQ(Flags(0), std::make_pair(0, 0));
    // Switch 1 (type 2): two halves.
    bed.Click(panel, 110 + 20, 30 + 10);
    EXPECT_EQ(Flags(1), std::make_pair(1, 0));
    EXPECT_EQ(Out(5), 1) << "button 2 always reads as in";
    EXPECT_EQ(Out(3), 0);
    bed.Click(panel, 308 + 20, 46 + 20);
    EXPECT_EQ(Out(3), 1) << "button 0 latches";
}

TEST_F(LightSwitchPanelTest, HostTakesThePanelOverThroughOutputByteZero) {
    bed.View()[kOut + 0] = 1;
    bed.View()[kOut + 6] = 1;  // switch 0 up
    bed.View()[kOut + 7] = 0;
    bed.View()[kOut + 4] = 1;             // button 1 in
    bed.Click(panel, 110 + 20, 30 + 10);  // ignored
    bed.Click(panel, 308 + 20, 46 + 20);
    EXPECT_TRUE(panel.IsRemoteHold());
    EXPECT_EQ(panel.Switch(0).GetPosition(), CSwitchClass::kUp);
    EXPECT_EQ(panel.Switch(1).GetPosition(), CSwitchClass::kDown);
    EXPECT_TRUE(panel.Button(1).IsPressed());
    EXPECT_FALSE(panel.Button(0).IsPressed());
    EXPECT_EQ(Out(3), 0) << "the host's block is left alone";

    bed.View()[kOut + 0] = 0;
    bed.Click(panel, 110 + 20, 30 + 10);
    EXPECT_FALSE(panel.IsRemoteHold());
    EXPECT_EQ(Flags(1), std::make_pair(1, 0)) << "released: clicks count again";
    EXPECT_EQ(Flags(0), std::make_pair(1, 0)) << "the switch stays where the host put it";
}

TEST_F(LightSwitchPanelTest, PresetsAandBAndAllOn) {
    const int a[15] = {1, 2, 0, 0, 2, 2, 2, 2, 2, 1, 1, 2, 2, 2, 2};
    const int b[15] = {0, 0, 0, 0, 2, 2, 2, 2, 0, 0, 1, 0, 0, 2, 2};
    panel.ApplyPresetA();
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(panel.Switch(i).GetPosition(), a[i]) << "A, switch " << i;
    EXPECT_EQ(Flags(9), std::make_pair(0, 0)) << "written at once";
    panel.ApplyPresetB();
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(panel.Switch(i).GetPosition(), b[i]) << "B, switch " << i;

    panel.PressFirstButtons();
    EXPECT_TRUE(panel.Button(0).IsPressed());
    EXPECT_TRUE(panel.Button(1).IsPressed());
    panel.PressFirstButtons();
    EXPECT_TRUE(panel.Button(0).IsPressed()) << "a button already in stays in";

    CA330_LtSwPanel other;
    ASSERT_TRUE(other.Initialise(panelbed::KeypadPanelsArt().c_str(), kX, kY, 13));
    other.SetAllOn();
    EXPECT_EQ(Out(3), 1);
    EXPECT_EQ(Out(4), 1);
    EXPECT_EQ(other.Switch(0).GetPosition(), 0);
}

TEST(LightSwitchPanel, TypeCodeChoosesTheRegionAndAnUnknownOneFailsSilently) {
    panelbed::Bed bed(600, 600);
    CA330_LtSwPanel a318;
    EXPECT_FALSE(a318.Initialise(panelbed::KeypadPanelsArt().c_str(), 600, 600, 14));
    EXPECT_STREQ(a318.GetErrorText(), "");

    CA330_LtSwPanel a330(8);
    ASSERT_TRUE(a330.Initialise(panelbed::KeypadPanelsArt().c_str(), 600, 600));
    EXPECT_EQ(a330.OutBlock(), 75349u);
    EXPECT_EQ(a330.InBlock(), 74580u);
    a330.Switch(6).SetPosition(CSwitchClass::kUp);
    bed.Idle(a330);
    EXPECT_EQ(bed.View()[75349 + 6 + 12], 1) << "switch 6 publishes in the A330 layout";
    // Switch 6 is not drawn there and takes no clicks.
    bed.Click(a330, 115 + 20, 98 + 60);
    EXPECT_EQ(a330.Switch(6).GetPosition(), CSwitchClass::kUp);

    CBasePanel::SetSharedMemory(nullptr);
    CA330_LtSwPanel noSegment;
    EXPECT_FALSE(noSegment.Initialise(panelbed::KeypadPanelsArt().c_str(), 0, 0, 13));
    EXPECT_STREQ(noSegment.GetErrorText(),
                 "CA330_LtSwPanel::Initialise --> SharedMemory ptr not set");
}
