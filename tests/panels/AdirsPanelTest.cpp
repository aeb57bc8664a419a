// The ADIRS panel on its blocks: keys clicked with the mouse build the entry
// in the output block and on the display, the reference-unit buttons toggle,
// the presets and the display selector.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PanelBed.h"
#include "panels/CA320_AdiruPanel.h"

namespace {

constexpr int kX = 600;
constexpr int kY = 600;
constexpr std::uint32_t kOut = 129968;
constexpr std::uint32_t kIn = 129172;

struct Place {
    int x;
    int y;
};
// Key places by the character they type; ENT and CLR as 'E'nt... below.
Place KeyAt(char c) {
    switch (c) {
        case '1':
            return {182, 67};
        case '2':
        case 'N':
            return {209, 67};
        case '3':
            return {235, 67};
        case '4':
        case 'W':
            return {182, 92};
        case '5':
        case 'H':
            return {209, 92};
        case '6':
        case 'E':
            return {235, 92};
        case '7':
            return {182, 119};
        case '8':
        case 'S':
            return {209, 119};
        case '9':
            return {235, 119};
        case '>':
            return {182, 145};  // ENT
        case '0':
            return {209, 145};
        default:
            return {235, 145};  // CLR
    }
}

class AdirsPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Initialise(panelbed::KeypadPanelsArt().c_str(), kX, kY))
            << panel.GetErrorText();
    }
    std::uint8_t Out(std::uint32_t at) { return bed.View()[kOut + at]; }
    std::int32_t OutInt(std::uint32_t at) {
        std::int32_t v;
        std::memcpy(&v, bed.View() + kOut + at, 4);
        return v;
    }
    void In(std::uint32_t at, std::uint8_t value) { bed.View()[kIn + at] = value; }
    void Type(const std::string& keys) {
        for (char c : keys) {
            Place p = KeyAt(c);
            bed.Click(panel, p.x + 8, p.y + 8);
        }
    }
    std::string Shown() {
        char text[17];
        panel.ShownText(bed.View(), text);
        return text;
    }

    panelbed::Bed bed{kX, kY};
    CA320_AdiruPanel panel;
};

}  // namespace

TEST_F(AdirsPanelTest, StartsColdWithTheUnitsOffAndTheModeSelectorsAtSeven) {
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Out(3 + r), 0) << "unit " << r;
    for (int r = 3; r < 6; ++r)
        EXPECT_EQ(Out(3 + r), 1) << "row " << r << " held in";
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(OutInt(40 + 4 * k), 7) << "knob " << k;
    EXPECT_EQ(OutInt(52), 0);
    EXPECT_EQ(OutInt(56), 0);
    EXPECT_FALSE(panel.Keypad().IsActive());
}

TEST_F(AdirsPanelTest, ClickedKeysBuildTheEntryInTheOutputBlockAndOnTheDisplay) {
    std::memcpy(bed.View() + kIn, "ALIGN 7", 8);
    bed.Idle(panel);
    EXPECT_EQ(Shown(), "ALIGN 7         ");

    Type("N45302E012345");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bed.View() + kOut + 21)), "N4530.2E01234.5");
    EXPECT_EQ(Out(21 + 16), 0);
    EXPECT_EQ(Shown(), "N4530.2E01234.5 ");

    // Row 16 is the 0 key: its own state byte, its digit.
    Type("C");
    bed.At(panel, 209 + 8, 145 + 8, MouseEvent::kLeftPress);
    EXPECT_EQ(Out(3 + 16), 1);
    EXPECT_EQ(Out(3 + 15), 0);
    bed.Idle(panel);
    EXPECT_EQ(Shown(), "N4530.2E01234.0 ");

    // Row 15 is ENT: the signal rises, the entry stays for a while.
    bed.At(panel, 182 + 8, 145 + 8, MouseEvent::kLeftPress);
    EXPECT_EQ(Out(3 + 15), 1);
    EXPECT_EQ(Out(38), 1);
    bed.Idle(panel, 33);
    EXPECT_EQ(Shown(), "N4530.2E01234.0 ");
    bed.Idle(panel, 1);
    EXPECT_EQ(Shown(), "ALIGN 7         ") << "35 updates after ENT: the host's text";
    EXPECT_EQ(Out(21), 0);
    EXPECT_EQ(Out(38), 1);
    bed.Idle(panel, 15);
    EXPECT_EQ(Out(38), 1);
    bed.Idle(panel, 1);
    EXPECT_EQ(Out(38), 0);
}

TEST_F(AdirsPanelTest, EntSignalStaysWhileTheHostLightsTheEntKey) {
    Type("H1>");
    In(50, 1);  // ENT key light, index 16
    bed.Idle(panel, 60);
    EXPECT_EQ(Out(38), 1);
    EXPECT_EQ(panel.Button(15).GetLightCode(), CButtonClass::kTopLit) << "ENT key lit";
    EXPECT_EQ(panel.Button(16).GetLightCode(), CButtonClass::kNoneLit);
    In(50, 0);
    bed.Idle(panel);
    EXPECT_EQ(Out(38), 0);
}

TEST_F(AdirsPanelTest, EachClickOnAReferenceUnitButtonTogglesItsByteOnce) {
    bed.Click(panel, 30 + 10, 292 + 10);
    EXPECT_EQ(Out(3), 1);
    EXPECT_FALSE(panel.Button(0).IsPressed()) << "the button springs back";
    bed.Idle(panel, 5);
    EXPECT_EQ(Out(3), 1);
    bed.At(panel, 30 + 10, 292 + 10, MouseEvent::kLeftPress);
    bed.At(panel, 30 + 10, 292 + 10, MouseEvent::kLeftPress);
    bed.At(panel, 30 + 10, 292 + 10, MouseEvent::kLeftPress);
    EXPECT_EQ(Out(3), 0) << "held in: one toggle";
    bed.Idle(panel);
    bed.Click(panel, 217 + 10, 292 + 10);
    EXPECT_EQ(Out(4), 1) << "row 1 is the button on the right";
    EXPECT_EQ(Out(5), 0);
}

TEST_F(AdirsPanelTest, PresetsHoldTheUnitsAndSelectorsAndColdWins) {
    In(56, 1);
    bed.Idle(panel, 2);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(Out(3 + r), 1) << r;
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(OutInt(40 + 4 * k), 0) << k;
    In(55, 1);
    bed.Idle(panel);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Out(3 + r), 0) << r;
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(OutInt(40 + 4 * k), 7) << k;
    In(55, 0);
    In(56, 0);
    bed.Idle(panel, 3);
    EXPECT_EQ(Out(3), 0);

    // Asked for directly, the all-on preset is published at once and the
    // next updates do not count it as a click.
    panel.SetAllOn();
    EXPECT_EQ(Out(3), 1);
    EXPECT_EQ(OutInt(40), 0);
    panel.Update(nullptr);
    bed.Idle(panel, 2);
    EXPECT_EQ(Out(3), 1);
    EXPECT_EQ(Out(4), 1);
}

TEST_F(AdirsPanelTest, SystemSelectorAtSixBlanksTheDisplayWhateverTheEntry) {
    std::memcpy(bed.View() + kIn, "0123456789ABCDEFG", 17);  // unterminated
    bed.Idle(panel);
    EXPECT_EQ(Shown(), "0123456789ABCDEF");
    Type("H12");
    bed.Click(panel, 122 + 3, 90 + 25);  // knob 4, left: position 6
    EXPECT_EQ(OutInt(56), 6);
    EXPECT_EQ(Shown(), "                ");
    EXPECT_TRUE(panel.Keypad().IsActive());
    bed.Click(panel, 122 + 25, 90 + 3);  // up: position 0
    EXPECT_EQ(Shown(), "H12             ");
}

TEST_F(AdirsPanelTest, OnBatLightAndLampTest) {
    In(17, 1);
    bed.Idle(panel);
    EXPECT_TRUE(panel.Lights()[0].IsOn());
    In(17, 0);
    bed.Idle(panel);
    EXPECT_FALSE(panel.Lights()[0].IsOn());
    In(54, 1);
    bed.Idle(panel);
    EXPECT_TRUE(panel.Lights()[0].IsOn());
    EXPECT_EQ(panel.Button(6).GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(panel.Button(0).GetLightCode(), CButtonClass::kBothLit);
}

TEST(AdirsPanel, RefusesToStartWithoutTheSegment) {
    CBasePanel::SetSharedMemory(nullptr);
    CA320_AdiruPanel panel;
    EXPECT_FALSE(panel.Initialise(panelbed::KeypadPanelsArt().c_str(), 0, 0));
    EXPECT_STREQ(panel.GetErrorText(), "CA320_AdiruPanel::Initialise --> SharedMemory ptr not set");
}
