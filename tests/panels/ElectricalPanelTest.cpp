#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelArt.h"
#include "controls/CPanelMouse.h"
#include "panels/CA320_ElectricalPanel.h"
#include "panels/ElectricalLayout.h"
#include "platform/CDC.h"
#include "support/TestSupport.h"

namespace {

constexpr int kPanelX = 898;
constexpr int kPanelY = 500;

// Button offsets from the panel origin, as the panel places them.
constexpr CPoint kButtonAt[11] = {{270, 20},  {315, 20},  {50, 65},   {445, 40},
                                  {312, 115}, {50, 145},  {585, 145}, {120, 145},
                                  {515, 145}, {230, 145}, {395, 145}};

const char* const kFolders[] = {"Buttons\\FaultOff", "Buttons\\FaultAltn", "Buttons\\DotsOff",
                                "Buttons\\FaultDots", "Buttons\\AvailOn"};
constexpr int kFaultOffIndex = 0;
constexpr int kCoverIndex = 10;

class ElectricalPanelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_art = new testsupport::TempDir;
        for (int i = 0; i < 5; ++i)
            panelart::WriteButtonFolder(s_art->Path(), kFolders[i], i);
        panelart::WriteCoverFolder(s_art->Path(), "Guards\\StandardRed", kCoverIndex);
        panelart::WriteGlyphs(s_art->Path());
    }
    static void TearDownTestSuite() {
        delete s_art;
        s_art = nullptr;
    }

    void SetUp() override {
        segment.assign(Gensim_Shm::kSize, 0);
        CBasePanel::SetSharedMemory(segment.data());
        ASSERT_TRUE(panel.Initialise(s_art->Path().c_str(), kPanelX, kPanelY))
            << panel.GetErrorText();
    }
    void TearDown() override { CBasePanel::SetSharedMemory(nullptr); }

    std::uint8_t State(int i) { return elec::kButtonState.Plus(i).Read(segment.data()); }
    void Put(const GenField<std::uint8_t>& field, int plus, int value) {
        field.Plus(plus).Write(segment.data(), static_cast<std::uint8_t>(value));
    }

    // One update with the mouse on a point of the panel.
    void UpdateAt(CPoint local, int code) {
        CPanelMouse::SetScroll(0, 0);
        CPanelMouse::SetMousePoint(kPanelX + local.x, kPanelY + local.y);
        event.code = code;
        panel.Update(&event);
    }
    void Click(int button) {
        CPoint p(kButtonAt[button].x + 20, kButtonAt[button].y + 20);
        UpdateAt(p, MouseEvent::kNone);
        UpdateAt(p, MouseEvent::kLeftPress);
        UpdateAt(p, MouseEvent::kNone);
    }
    void RightClickCover(int button) {
        CPoint p(kButtonAt[button].x + 20, kButtonAt[button].y + 20);
        UpdateAt(p, MouseEvent::kNone);
        UpdateAt(p, MouseEvent::kRightPress);
        UpdateAt(p, MouseEvent::kNone);
    }
    COLORREF DrawnAt(int button) {
        CDC dc(2000, 1000, RGB(0, 0, 0));
        panel.Draw(&dc);
        return dc.GetPixel(kPanelX + kButtonAt[button].x + 5, kPanelY + kButtonAt[button].y + 5);
    }

    static testsupport::TempDir* s_art;
    std::vector<std::uint8_t> segment;
    CA320_ElectricalPanel panel;
    MouseEvent event;
};

testsupport::TempDir* ElectricalPanelTest::s_art = nullptr;

}  // namespace

TEST_F(ElectricalPanelTest, StartsInTheColdPresetWithItsBytesWritten) {
    const std::uint8_t expected[11] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(State(i), expected[i]) << "button " << i;
    EXPECT_EQ(elec::kButtonState.Plus(-1).Read(segment.data()), 0) << "bytes 0-2 untouched";
    EXPECT_EQ(panel.GetPosition(), CPoint(kPanelX, kPanelY));
}

TEST_F(ElectricalPanelTest, LatchingAndMomentaryButtonsReachTheirOutputBytes) {
    Click(0);
    EXPECT_EQ(State(0), 1);
    Click(0);
    EXPECT_EQ(State(0), 0);
    Click(9);
    EXPECT_EQ(State(9), 1);
    EXPECT_EQ(State(0), 0) << "only the button under the mouse";

    CPoint avail(kButtonAt[10].x + 10, kButtonAt[10].y + 10);
    UpdateAt(avail, MouseEvent::kNone);
    UpdateAt(avail, MouseEvent::kLeftPress);
    UpdateAt(avail, MouseEvent::kLeftPress);
    EXPECT_EQ(State(10), 1) << "held in";
    UpdateAt(avail, MouseEvent::kNone);
    EXPECT_EQ(panel.Button(10).GetPressState(), CButtonClass::kOut) << "springs back";

    // However short, a press stays published through the two iterations
    // after the one it was made in, so that a host looking 20 times a
    // second sees it; then the byte follows the button again.
    CBaseCockpitControl::SetIteration(40);
    UpdateAt(avail, MouseEvent::kLeftPress);
    UpdateAt(avail, MouseEvent::kNone);
    for (int iteration = 40; iteration <= 42; ++iteration) {
        CBaseCockpitControl::SetIteration(iteration);
        UpdateAt(avail, MouseEvent::kNone);
        EXPECT_EQ(State(10), 1) << "iteration " << iteration;
    }
    CBaseCockpitControl::SetIteration(43);
    UpdateAt(avail, MouseEvent::kNone);
    EXPECT_EQ(State(10), 0);
    CBaseCockpitControl::SetIteration(0);
}

TEST_F(ElectricalPanelTest, CoversLockTheirButtonsUntilOpened) {
    Click(5);
    Click(6);
    EXPECT_EQ(State(5), 1) << "cover 0 closed: the click changes nothing";
    EXPECT_EQ(State(6), 1);
    RightClickCover(5);
    EXPECT_FALSE(panel.Cover(0).IsClosed());
    EXPECT_TRUE(panel.Cover(1).IsClosed());
    Click(5);
    Click(6);
    EXPECT_EQ(State(5), 0);
    EXPECT_EQ(State(6), 1);
}

TEST_F(ElectricalPanelTest, PresetsHoldWhileRequestedAndColdWins) {
    Put(elec::kAllOnPreset, 0, 1);
    // A click on any button, latching or momentary, would take it out: the
    // preset holds every one in, and every update publishes 1.
    for (int clicked = 0; clicked < 11; ++clicked) {
        const CPoint p(kButtonAt[clicked].x + 20, kButtonAt[clicked].y + 20);
        for (int code : {MouseEvent::kNone, MouseEvent::kLeftPress, MouseEvent::kNone}) {
            UpdateAt(p, code);
            for (int i = 0; i < 11; ++i)
                EXPECT_EQ(State(i), 1) << "button " << i << ", click on " << clicked;
        }
    }

    Put(elec::kColdPreset, 0, 1);
    UpdateAt(CPoint(0, 0), MouseEvent::kNone);
    const std::uint8_t cold[11] = {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 0};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(State(i), cold[i]) << "both requests: cold wins " << i;
}

TEST_F(ElectricalPanelTest, LightsFollowTheirBytesAndTheLampTest) {
    // Button 2 is out: slots 4 to 7 are top, bottom, both and no legend lit.
    UpdateAt(CPoint(0, 0), MouseEvent::kNone);
    EXPECT_EQ(DrawnAt(2), panelart::SlotColour(kFaultOffIndex, 7));
    Put(elec::kTopLight, 2 * 2, 1);
    UpdateAt(CPoint(0, 0), MouseEvent::kNone);
    UpdateAt(CPoint(0, 0), MouseEvent::kNone);
    EXPECT_EQ(DrawnAt(2), panelart::SlotColour(kFaultOffIndex, 4));
    Put(elec::kLampTest, 0, 1);
    UpdateAt(CPoint(0, 0), MouseEvent::kNone);
    UpdateAt(CPoint(0, 0), MouseEvent::kNone);
    EXPECT_EQ(DrawnAt(2), panelart::SlotColour(kFaultOffIndex, 6)) << "lamp test: both lit";
    EXPECT_EQ(DrawnAt(7), panelart::SlotColour(kFaultOffIndex, 2)) << "button 7 is in";
}

TEST_F(ElectricalPanelTest, ClosedCoverIsDrawnOverItsButton) {
    EXPECT_EQ(DrawnAt(5), panelart::SlotColour(kCoverIndex, 1));
    RightClickCover(5);
    EXPECT_EQ(DrawnAt(5), panelart::SlotColour(kCoverIndex, 0));
}

TEST_F(ElectricalPanelTest, RemoteHoldTakesTheStateFromTheOutputBytes) {
    panel.SetRemoteHold(true);
    Put(elec::kButtonState, 0, 1);
    Click(1);  // ignored under remote hold
    EXPECT_TRUE(panel.Button(0).IsPressed());
    EXPECT_FALSE(panel.Button(1).IsPressed());
    EXPECT_EQ(State(1), 0);
}

TEST(ElectricalPanel, DisplayTextIsLimitedToTheWindow) {
    char text[8];
    CA320_ElectricalPanel::FormatDisplay(123.4f, text);
    EXPECT_STREQ(text, "99.9");
    CA320_ElectricalPanel::FormatDisplay(-3.0f, text);
    EXPECT_STREQ(text, "00.0");
    CA320_ElectricalPanel::FormatDisplay(5.0f, text);
    EXPECT_STREQ(text, "05.0");
    CA320_ElectricalPanel::FormatDisplay(28.46f, text);
    EXPECT_STREQ(text, "28.5");
    CA320_ElectricalPanel::FormatDisplay(std::numeric_limits<float>::quiet_NaN(), text);
    EXPECT_STREQ(text, "00.0") << "a value that is not a number shows as 0";
    CA320_ElectricalPanel::FormatDisplay(-0.0f, text);
    EXPECT_STREQ(text, "00.0") << "minus zero is not above 0";
}

TEST(ElectricalPanel, RefusesToStartWithoutTheSegmentOrItsPictures) {
    CBasePanel::SetSharedMemory(nullptr);
    testsupport::TempDir art;
    panelart::WriteGlyphs(art.Path());
    CA320_ElectricalPanel noSegment;
    EXPECT_FALSE(noSegment.Initialise(art.Path().c_str(), 0, 0));
    EXPECT_STREQ(noSegment.GetErrorText(),
                 "CA320_ElectricalPanel::Initialise --> SharedMemory ptr not set");

    std::vector<std::uint8_t> segment(Gensim_Shm::kSize, 0);
    CBasePanel::SetSharedMemory(segment.data());
    CA320_ElectricalPanel noPictures;
    EXPECT_FALSE(noPictures.Initialise(art.Path().c_str(), 0, 0));
    EXPECT_NE(std::string(noPictures.GetErrorText()).find("FaultOff"), std::string::npos)
        << noPictures.GetErrorText();
    CBasePanel::SetSharedMemory(nullptr);
}

TEST_F(ElectricalPanelTest, ButtonsShowTheirStateBeforeTheFirstUpdate) {
    // Button 2 is out and unlit, button 7 in (cold preset) and unlit.
    EXPECT_EQ(DrawnAt(2), panelart::SlotColour(kFaultOffIndex, 7));
    EXPECT_EQ(DrawnAt(7), panelart::SlotColour(kFaultOffIndex, 3));
}
