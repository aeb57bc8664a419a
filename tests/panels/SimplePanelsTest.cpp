// The rules of the simple panels that go beyond the common pattern: the fuel
// mask lights, the hydraulic call button's red plate, the evacuation
// selector, the manual engine start mode, the EFIS display control's reset
// flag, the ventilation panel's A330 rule, the calls panel's lamp-test-only
// buttons, the covered buttons of the emergency power panel and the anti-ice
// panel's own set-up messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "KitPanelDriver.h"
#include "panels/CA320_AiPanel.h"
#include "panels/CA320_Calls.h"
#include "panels/CA320_EvacPanel.h"
#include "panels/CA320_FuelPanel.h"
#include "panels/CA330_EfisDmc.h"
#include "panels/CEmrPwrPanel.h"
#include "panels/CHydPanelPanel.h"
#include "panels/CManEngPanel.h"
#include "panels/CVentilationPanel.h"

namespace {

using kitart::Art;
using kitart::Driver;

CPoint CentreOf(const CBaseCockpitControl& control) {
    return Driver::Centre(control.GetRect());
}

TEST(FuelPanel, MaskLightsAreLitOnlyByTheFitCode11) {
    CA320_FuelPanel panel;
    Driver d(panel);
    ASSERT_TRUE(d.initialised) << panel.GetErrorText();
    for (int code : {11, 10, 12, 0, 11 + 256, -11}) {
        d.SetInInt(16, code);
        d.Idle(1);
        for (int l = 0; l < 2; ++l)
            EXPECT_EQ(panel.Lights()[static_cast<std::size_t>(l)].IsOn(), code == 11)
                << "code " << code << ", mask " << l;
    }
    d.SetInInt(16, 11);
    d.Idle(1);
    const auto& mask = panel.Lights()[0];
    EXPECT_EQ(d.Pixel(CentreOf(mask)), Art().Colour("Lights\\FuelMaskL\\On.bmp"));
}

TEST(HydraulicPanel, ClosedRedPlateKeepsTheCallByteAtZero) {
    CHydPanelPanel panel;
    Driver d(panel);
    ASSERT_TRUE(d.initialised) << panel.GetErrorText();
    CGuardedCover& plate = panel.Covers()[1];
    const CPoint call = CentreOf(panel.Buttons()[CHydPanelPanel::kCallButton]);
    d.Click(call);
    EXPECT_EQ(d.Out(8), 0) << "closed: the click does nothing";
    d.Click(CentreOf(plate), MouseEvent::kRightPress);
    ASSERT_FALSE(plate.IsClosed());
    d.Click(call);
    EXPECT_EQ(d.Out(8), 1) << "open: the call button latches";
    d.Click(CentreOf(plate), MouseEvent::kRightPress);
    ASSERT_TRUE(plate.IsClosed());
    d.Idle();
    EXPECT_EQ(d.Out(8), 0) << "closed again over a pressed button";
    EXPECT_TRUE(panel.Buttons()[CHydPanelPanel::kCallButton].IsPressed());
}

TEST(EvacuationPanel, SelectorByteIsOneOnlyInPositionZero) {
    CA320_EvacPanel panel;
    Driver d(panel);
    ASSERT_TRUE(d.initialised) << panel.GetErrorText();
    CSwitchClass& selector = panel.Switches()[0];
    const CRect r = selector.GetRect();
    d.Idle();
    EXPECT_EQ(selector.GetPosition(), 0);
    EXPECT_EQ(d.Out(4), 1);
    d.Click(CPoint((r.left + r.right) / 2, r.bottom - r.Height() / 4));
    EXPECT_EQ(selector.GetPosition(), 2);
    EXPECT_EQ(d.Out(4), 0);
    d.Click(CPoint((r.left + r.right) / 2, r.top + r.Height() / 4));
    EXPECT_EQ(d.Out(4), 1);
}

TEST(ManualEngineStartPanel, ModeByteGatesTheN1ModeButtons) {
    CManEngPanel panel;
    Driver d(panel);
    ASSERT_TRUE(d.initialised) << panel.GetErrorText();
    EXPECT_EQ(d.In(0), 0);
    // Mode 0: guards 2 and 3 cannot be opened, buttons 2 and 3 not clicked.
    for (std::size_t i : {2u, 3u}) {
        d.Click(CentreOf(panel.Covers()[i]), MouseEvent::kRightPress);
        d.Click(CentreOf(panel.Buttons()[i]));
        EXPECT_TRUE(panel.Covers()[i].IsClosed());
    }
    panel.Buttons()[2].SetPressed(true);  // as if left in before the mode went off
    d.Idle();
    EXPECT_EQ(d.Out(5), 0);
    EXPECT_EQ(d.Out(6), 0);
    EXPECT_FALSE(panel.Lights()[0].IsOn());

    panel.SetMode(3);
    EXPECT_EQ(d.In(0), 0) << "only mode 4 sets the flag";
    panel.SetMode(CManEngPanel::kN1Mode);
    EXPECT_EQ(d.In(0), 1);
    d.Idle();
    EXPECT_EQ(d.Out(5), 1) << "the button's own state shows again";
    EXPECT_TRUE(panel.Lights()[0].IsOn()) << "N1 MODE light";
    d.Click(CentreOf(panel.Covers()[3]), MouseEvent::kRightPress);
    d.Click(CentreOf(panel.Buttons()[3]));
    EXPECT_EQ(d.Out(6), 1);
}

TEST(EfisDisplayControl, EveryResetPressInvertsTheFlagOnce) {
    for (int side : {0, 1}) {
        CA330_EfisDmc panel(side);
        Driver d(panel);
        ASSERT_TRUE(d.initialised) << panel.GetErrorText();
        EXPECT_EQ(panel.OutBlock(), 130524u + 8u * static_cast<unsigned>(side));
        EXPECT_EQ(panel.InBlock(), 129940u + 2u * static_cast<unsigned>(side));
        d.Idle();
        const std::uint8_t first = d.Out(3);
        EXPECT_EQ(d.Out(4), 1) << "DU buttons out";
        EXPECT_EQ(d.Out(5), 1);
        const CPoint reset = CentreOf(panel.Buttons()[CA330_EfisDmc::kResetButton]);
        d.Press(reset);
        d.Update(reset, MouseEvent::kLeftPress);  // held: still one press
        d.Update(reset, MouseEvent::kNone);
        EXPECT_NE(d.Out(3), first) << "side " << side;
        d.Click(reset);
        EXPECT_EQ(d.Out(3), first) << "two presses: back to the first value";
        d.Click(CentreOf(panel.Buttons()[1]));
        EXPECT_EQ(d.Out(4), 0) << "DU 1 in";
    }
    CA330_EfisDmc wrongSide(2);
    Driver d(wrongSide);
    EXPECT_FALSE(d.initialised);
    EXPECT_STREQ(wrongSide.GetErrorText(), "CA330_EfisDmc::Initialise --> Invalid Side given ");
}

TEST(VentilationPanel, A330LayoutHoldsButtonZeroIn) {
    CVentilationPanel panel;
    Driver d(panel, 9);
    ASSERT_TRUE(d.initialised) << panel.GetErrorText();
    EXPECT_EQ(panel.OutBlock(), 75567u);
    const CPoint fans = CentreOf(panel.Buttons()[0]);
    for (int code : {MouseEvent::kNone, MouseEvent::kLeftPress, MouseEvent::kNone,
                     MouseEvent::kLeftPress, MouseEvent::kNone}) {
        d.Update(fans, code);
        EXPECT_EQ(d.Out(3), 1);
    }
    d.Click(CentreOf(panel.Buttons()[2]));
    EXPECT_EQ(d.Out(5), 1) << "button 2 takes clicks in the A330 layout";

    CVentilationPanel a320;
    Driver n(a320, 13);
    ASSERT_TRUE(n.initialised);
    n.Click(CentreOf(a320.Buttons()[0]));
    EXPECT_EQ(n.Out(3), 1);
    n.Click(CentreOf(a320.Buttons()[0]));
    EXPECT_EQ(n.Out(3), 0) << "the A320 layout does not hold it";
}

TEST(CallsPanel, CallButtonsAreLitByTheLampTestOnly) {
    CA320_Calls panel;
    Driver d(panel);
    ASSERT_TRUE(d.initialised) << panel.GetErrorText();
    auto callLit = [&](std::size_t i) {
        return d.Pixel(CentreOf(panel.Buttons()[i])) == Art().Colour("Buttons\\CallBtn\\OnOut.bmp");
    };
    for (std::uint32_t b = 0; b < 8; ++b)
        d.SetIn(b, 1);
    d.Idle();
    for (std::size_t i = 1; i <= 3; ++i)
        EXPECT_FALSE(callLit(i)) << "call button " << i << " with every light byte set";
    d.SetIn(8, 1);
    d.Idle();
    for (std::size_t i = 1; i <= 3; ++i)
        EXPECT_TRUE(callLit(i)) << "call button " << i << " under the lamp test";
}

TEST(EmergencyPowerPanel, ClosedCoverHidesItsButtonAndPublishesZero) {
    CEmrPwrPanel panel;
    Driver d(panel);
    ASSERT_TRUE(d.initialised) << panel.GetErrorText();
    const CPoint test = CentreOf(panel.Buttons()[1]);
    const CPoint cover = CentreOf(panel.Covers()[0]);
    EXPECT_EQ(d.Pixel(test), Art().Colour("Guards\\BlackPlate\\Down.bmp"));
    d.Click(test);
    EXPECT_EQ(d.Out(4), 0) << "the closed cover locks it";
    d.Click(cover, MouseEvent::kRightPress);
    d.Click(test);
    EXPECT_EQ(d.Out(4), 1);
    EXPECT_EQ(d.Pixel(test), Art().Colour("Buttons\\DotsOnBlue\\OffIn.bmp"))
        << "drawn over the raised cover";
    d.Click(cover, MouseEvent::kRightPress);
    EXPECT_EQ(d.Out(4), 0);
    EXPECT_EQ(d.Pixel(test), Art().Colour("Guards\\BlackPlate\\Down.bmp"));
}

TEST(AntiIcePanel, NamesTheGroupThatFailedToLoad) {
    // The art without the selector's pictures, then without the knob's.
    testsupport::TempDir dir;
    namespace fs = std::filesystem;
    fs::copy(Art().Folder(), dir.Path() / "a", fs::copy_options::recursive);
    fs::remove(dir.Path() / "a/Switches/RoundSwMid.bmp");
    fs::copy(Art().Folder(), dir.Path() / "b", fs::copy_options::recursive);
    fs::remove_all(dir.Path() / "b/Knobs/LndElevKnob");

    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    CBasePanel::SetSharedMemory(segment.data());
    CA320_AiPanel noSwitch;
    EXPECT_FALSE(noSwitch.Initialise((dir.Path() / "a").c_str(), 0, 0));
    EXPECT_EQ(std::string(noSwitch.GetErrorText())
                  .rfind("CA320_AiPanel::Initialise --> Unable to set up switches\n", 0),
              0u)
        << noSwitch.GetErrorText();
    CA320_AiPanel noKnob;
    EXPECT_FALSE(noKnob.Initialise((dir.Path() / "b").c_str(), 0, 0));
    EXPECT_EQ(std::string(noKnob.GetErrorText())
                  .rfind("CA320_AiPanel::Initialise --> Unable to set up knob\n", 0),
              0u)
        << noKnob.GetErrorText();
    EXPECT_FALSE(noKnob.IsInitialised());
    noKnob.Update(nullptr);  // takes no input before a successful set-up
    EXPECT_EQ(segment[130132 + 3], 0);
    CBasePanel::SetSharedMemory(nullptr);
}

}  // namespace
