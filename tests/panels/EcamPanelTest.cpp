// The ECAM control panel: the page request protocol with the host, degraded
// mode, the key-held counter, the cover over EMER CANC, the lit key and the
// copy of the outputs in the third block.
#include <gtest/gtest.h>

#include <cstring>

#include "PanelBed.h"
#include "panels/CEcamCntlPanel.h"

namespace {

constexpr int kX = 600;
constexpr int kY = 600;
constexpr std::uint32_t kOut = 130596;
constexpr std::uint32_t kIn = 129552;
constexpr std::uint32_t kCopy = 76000;

struct Place {
    int x;
    int y;
};
constexpr Place kKeyAt[18] = {{141, 10}, {231, 10}, {96, 42},  {141, 42},  {186, 42},  {231, 42},
                              {276, 42}, {321, 42}, {96, 74},  {141, 74},  {186, 74},  {231, 74},
                              {276, 74}, {321, 74}, {96, 108}, {186, 108}, {231, 108}, {321, 108}};

class EcamPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Initialise(panelbed::KeypadPanelsArt().c_str(), kX, kY))
            << panel.GetErrorText();
        ShowPage(5);
    }
    template <typename T>
    T Read(std::uint32_t at) {
        T v;
        std::memcpy(&v, bed.View() + at, sizeof v);
        return v;
    }
    template <typename T>
    void Write(std::uint32_t at, T v) {
        std::memcpy(bed.View() + at, &v, sizeof v);
    }
    std::int32_t Request() { return Read<std::int32_t>(kOut + 4); }
    std::uint16_t Held() { return Read<std::uint16_t>(kOut + 14); }
    void ShowPage(int page) { Write<std::int16_t>(kIn + 0, static_cast<std::int16_t>(page)); }
    void Click(int key) { bed.Click(panel, kKeyAt[key].x + 20, kKeyAt[key].y + 13); }
    void Press(int key) {
        bed.At(panel, kKeyAt[key].x + 20, kKeyAt[key].y + 13, MouseEvent::kLeftPress);
    }

    panelbed::Bed bed{kX, kY};
    CEcamCntlPanel panel;
};

}  // namespace

TEST_F(EcamPanelTest, RequestStaysUpUntilTheHostShowsThePage) {
    EXPECT_EQ(Request(), -1) << "after Initialise";
    Click(2);  // ENG
    EXPECT_EQ(Request(), 2);
    bed.Idle(panel, 10);
    EXPECT_EQ(Request(), 2);
    ShowPage(2);
    bed.Idle(panel);
    EXPECT_EQ(Request(), -1);
    bed.Idle(panel, 3);
    EXPECT_EQ(Request(), -1);
    // The key of the page already shown: -1 at once.
    Press(2);
    EXPECT_EQ(Request(), -1);
    bed.Idle(panel);
    Click(7);
    EXPECT_EQ(Request(), 7);
    EXPECT_EQ(Read<std::int32_t>(kCopy + 4), 7) << "copied to the third block";
}

TEST_F(EcamPanelTest, DegradedModeLetsOnlyEmerCancAndAllToRclRequest) {
    Write<std::uint8_t>(kIn + 7, 1);
    Write<std::int16_t>(kIn + 2, 3);  // the host asks for BLEED lit
    Write<std::uint8_t>(kIn + 4, 1);  // and CLR lit
    Click(2);
    EXPECT_EQ(Request(), -1) << "ENG requests nothing";
    EXPECT_EQ(panel.LitKey(), 99);
    EXPECT_EQ(panel.Key(3).GetLightCode(), CButtonClass::kNoneLit);
    EXPECT_EQ(panel.Key(14).GetLightCode(), CButtonClass::kNoneLit) << "CLR unlit";
    Click(13);
    EXPECT_EQ(Request(), 13) << "ALL still does";
    Click(4);
    EXPECT_EQ(Request(), 13) << "a refused key leaves the request as it is";

    Write<std::uint8_t>(kIn + 7, 0);
    bed.Idle(panel);
    EXPECT_EQ(panel.LitKey(), 3);
    EXPECT_EQ(panel.Key(3).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Key(14).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Key(17).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Key(15).GetLightCode(), CButtonClass::kTopLit) << "STS lit with CLR";
    Write<std::int16_t>(kIn + 2, 99);
    bed.Idle(panel);
    EXPECT_EQ(panel.Key(3).GetLightCode(), CButtonClass::kNoneLit);
}

TEST_F(EcamPanelTest, KeyHeldCounterCountsWrapsAndResets) {
    for (int i = 0; i < 5; ++i)
        Press(9);
    EXPECT_EQ(Held(), 5);
    EXPECT_EQ(Read<std::uint16_t>(kCopy + 14), 5);
    bed.Idle(panel);
    EXPECT_EQ(Held(), 0);

    bed.At(panel, kKeyAt[9].x + 20, kKeyAt[9].y + 13, MouseEvent::kNone);
    Press(9);
    Write<std::uint16_t>(kOut + 14, 61438);
    Press(9);
    EXPECT_EQ(Held(), 61439);
    Press(9);
    EXPECT_EQ(Held(), 16) << "past 61439 (0xEFFF) the count goes on from 16";
}

TEST_F(EcamPanelTest, ClrRclStsAndDisplayUnitBytes) {
    Press(17);
    EXPECT_EQ(Read<std::uint8_t>(kOut + 8), 1);
    bed.Idle(panel);
    EXPECT_EQ(Read<std::uint8_t>(kOut + 8), 0);
    Press(16);
    EXPECT_EQ(Read<std::uint8_t>(kOut + 9), 1);
    bed.Idle(panel);
    Press(15);
    EXPECT_EQ(Read<std::uint8_t>(kOut + 10), 1);
    EXPECT_EQ(Read<std::uint8_t>(kCopy + 10), 1);
    bed.Idle(panel);

    EXPECT_EQ(Read<std::uint8_t>(kOut + 11), 1) << "display-unit buttons start out";
    EXPECT_EQ(Read<std::uint8_t>(kOut + 12), 1);
    bed.Click(panel, 30 + 20, 90 + 20);
    EXPECT_EQ(Read<std::uint8_t>(kOut + 12), 0);
    EXPECT_EQ(Read<std::uint8_t>(kCopy + 12), 0);
    EXPECT_EQ(Read<std::uint8_t>(kOut + 11), 1);
}

TEST_F(EcamPanelTest, EmerCancTakesNoClickWhileItsCoverIsClosed) {
    Press(1);
    EXPECT_EQ(Held(), 0);
    bed.Idle(panel);
    EXPECT_EQ(Request(), -1);
    bed.RightClick(panel, kKeyAt[1].x + 20, kKeyAt[1].y + 13);
    EXPECT_FALSE(panel.Cover().IsClosed());
    Click(1);
    EXPECT_EQ(Request(), 1);
}

TEST_F(EcamPanelTest, RefreshLightsTheRequestedKey) {
    Write<std::int32_t>(kOut + 4, 6);
    Write<std::uint8_t>(kOut + 11, 0);
    Write<std::uint8_t>(kOut + 12, 1);
    panel.SetRemoteHold(true);
    bed.Idle(panel);
    EXPECT_EQ(panel.Key(6).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Key(2).GetLightCode(), CButtonClass::kNoneLit);
    EXPECT_TRUE(panel.DisplayButton(0).IsPressed());
    EXPECT_FALSE(panel.DisplayButton(1).IsPressed());
}
