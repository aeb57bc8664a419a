#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/CLever.h"
#include "controls/CSwitchClass.h"
#include "support/TestSupport.h"

using ctl::Event;
using ctl::MouseAt;

namespace {

const char* const kSwitchPictures[3] = {"SwUp.bmp", "SwMid.bmp", "SwDn.bmp"};

class SwitchTest : public ::testing::Test {
  protected:
    // Pictures w x h in "\Switches\", one colour per slot.
    void Pictures(int w, int h) {
        ctl::WriteSlots(m_dir.Path(), "\\Switches\\", kSwitchPictures, 3, w, h);
    }

    // A switch at (50, 40).
    SwitchSettings Settings(int type) {
        m_folder = m_dir.Path().string();
        SwitchSettings s;
        s.switchId = 3;
        s.folder = m_folder.c_str();
        s.switchType = type;
        for (int i = 0; i < 3; ++i)
            s.pictures[i] = kSwitchPictures[i];
        s.panelX = 40;
        s.panelY = 30;
        s.xOffset = 10;
        s.yOffset = 10;
        return s;
    }

    // A left press at a point relative to the switch.
    static void ClickAt(CSwitchClass& sw, int dx, int dy, int code = MouseEvent::kLeftPress) {
        MouseAt(50 + dx, 40 + dy);
        MouseEvent e = Event(code);
        sw.HandleMouse(&e);
    }

    static int Drawn(CSwitchClass& sw) {
        return ctl::DrawnSlot([&](CDC* dc) { sw.Draw(dc); }, 52, 42);
    }

    testsupport::TempDir m_dir;
    std::string m_folder;
};

}  // namespace

TEST_F(SwitchTest, TwoPositionVerticalBandsExcludeTheirBorders) {
    Pictures(10, 20);
    CSwitchClass sw;
    ASSERT_TRUE(sw.Initialise(Settings(2)));
    EXPECT_EQ(sw.GetSwitchId(), 3);
    EXPECT_EQ(sw.GetPosition(), 0);

    ClickAt(sw, 5, 15);
    EXPECT_EQ(sw.GetPosition(), 2);
    EXPECT_EQ(Drawn(sw), 2);
    ClickAt(sw, 5, 10);  // on the border between the bands
    EXPECT_EQ(sw.GetPosition(), 2);
    ClickAt(sw, 0, 5);  // on the left edge
    EXPECT_EQ(sw.GetPosition(), 2);
    ClickAt(sw, 5, 5, MouseEvent::kRightPress);  // only a left press acts
    EXPECT_EQ(sw.GetPosition(), 2);
    ClickAt(sw, 5, 5);
    EXPECT_EQ(sw.GetPosition(), 0);
    EXPECT_EQ(Drawn(sw), 0);
}

TEST_F(SwitchTest, ThreePositionZonesOfBothOrientations) {
    Pictures(30, 30);
    CSwitchClass vertical, horizontal, twoWay;
    ASSERT_TRUE(vertical.Initialise(Settings(1)));
    ASSERT_TRUE(horizontal.Initialise(Settings(3)));
    ASSERT_TRUE(twoWay.Initialise(Settings(4)));

    ClickAt(vertical, 15, 15);
    EXPECT_EQ(vertical.GetPosition(), 1);
    ClickAt(vertical, 15, 25);
    EXPECT_EQ(vertical.GetPosition(), 2);
    ClickAt(vertical, 15, 20);  // border of the down band
    EXPECT_EQ(vertical.GetPosition(), 2);
    ClickAt(vertical, 15, 5);
    EXPECT_EQ(vertical.GetPosition(), 0);

    ClickAt(horizontal, 25, 15);
    EXPECT_EQ(horizontal.GetPosition(), 2);
    ClickAt(horizontal, 15, 15);
    EXPECT_EQ(horizontal.GetPosition(), 1);
    ClickAt(horizontal, 5, 15);
    EXPECT_EQ(horizontal.GetPosition(), 0);

    ClickAt(twoWay, 20, 15);
    EXPECT_EQ(twoWay.GetPosition(), 2);
    ClickAt(twoWay, 15, 15);  // the border in the middle
    EXPECT_EQ(twoWay.GetPosition(), 2);
}

TEST_F(SwitchTest, SpringLoadedSwitchReportsTheEndElevenTimesThenTheMiddle) {
    Pictures(10, 30);
    CSwitchClass sw;
    ASSERT_TRUE(sw.Initialise(Settings(5)));
    ClickAt(sw, 5, 15);
    char flags[2] = {9, 9};
    sw.WritePositionFlags(flags);
    EXPECT_EQ(flags[0], 0);
    EXPECT_EQ(flags[1], 0);

    ClickAt(sw, 5, 25);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(Drawn(sw), 2) << i;
        sw.WritePositionFlags(flags);
        EXPECT_EQ(flags[0], 0) << i;
        EXPECT_EQ(flags[1], 1) << i;
    }
    EXPECT_EQ(Drawn(sw), 1);
    sw.WritePositionFlags(flags);
    EXPECT_EQ(flags[1], 0);

    // The spring starts again for the next move, also one set by the panel.
    sw.SetPositionFromFlags("\1\0");
    for (int i = 0; i < 11; ++i) {
        sw.WritePositionFlags(flags);
        EXPECT_EQ(flags[0], 1) << i;
    }
    EXPECT_EQ(sw.GetPosition(), 1);

    // A latching switch stays where it was put.
    CSwitchClass latching;
    ASSERT_TRUE(latching.Initialise(Settings(1)));
    ClickAt(latching, 5, 25);
    for (int i = 0; i < 30; ++i)
        latching.WritePositionFlags(flags);
    EXPECT_EQ(latching.GetPosition(), 2);
    EXPECT_EQ(flags[1], 1);
}

TEST_F(SwitchTest, PositionFromFlagsAndUninitialisedSwitch) {
    Pictures(10, 30);
    CSwitchClass sw;
    ASSERT_TRUE(sw.Initialise(Settings(1)));
    sw.SetPositionFromFlags("\1\1");
    EXPECT_EQ(sw.GetPosition(), 0);
    sw.SetPositionFromFlags("\0\1");
    EXPECT_EQ(sw.GetPosition(), 2);
    sw.SetPositionFromFlags("\0\0");
    EXPECT_EQ(sw.GetPosition(), 1);
    sw.SetPosition(3);
    EXPECT_EQ(sw.GetPosition(), 1);

    CSwitchClass none;
    EXPECT_EQ(none.GetPosition(), -1);
    none.SetPosition(2);
    EXPECT_EQ(none.GetPosition(), -1);
    char flags[2] = {7, 7};
    none.WritePositionFlags(flags);
    EXPECT_EQ(flags[0], 7);
}

TEST_F(SwitchTest, InitialiseFailureNamesTheMissingPicture) {
    ctl::WritePicture(m_dir.Path(), "\\Switches\\SwUp.bmp", 10, 20, ctl::SlotColour(0));
    ctl::WritePicture(m_dir.Path(), "\\Switches\\SwDn.bmp", 10, 20, ctl::SlotColour(2));
    CSwitchClass sw;
    EXPECT_FALSE(sw.Initialise(Settings(2)));
    EXPECT_FALSE(sw.IsInitialised());
    EXPECT_STREQ(
        sw.GetErrorText(),
        ("CBaseCockpitControl::IsSwitchValid \n\n" + m_folder + "\\Switches\\SwMid.bmp").c_str());
    // The two-position switch names its up picture twice and needs nothing else.
    SwitchSettings s = Settings(2);
    s.pictures[1] = "SwUp.bmp";
    CSwitchClass twice;
    EXPECT_TRUE(twice.Initialise(s));
}

namespace {

// A lever at (110, 110), 20 x 40 pictures, four detents in horizontal
// strips of a quarter of its height each.
class LeverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            m_names[i] = "Det" + std::to_string(i) + ".bmp";
            ctl::WritePicture(m_dir.Path(), ("\\Levers\\" + m_names[i]).c_str(), 20, 40,
                              ctl::SlotColour(i));
        }
    }

    LeverSettings Settings() {
        m_folder = m_dir.Path().string();
        LeverSettings s;
        s.folder = m_folder.c_str();
        s.panelX = 100;
        s.panelY = 100;
        s.xOffset = 10;
        s.yOffset = 10;
        for (int i = 0; i < 4; ++i) {
            s.detents[i].present = 1;
            s.detents[i].picture = m_names[i].c_str();
            s.detents[i].left = 0.0;
            s.detents[i].right = 100.0;
            s.detents[i].top = 25.0 * i;
            s.detents[i].bottom = 25.0 * (i + 1);
        }
        return s;
    }

    static void Mouse(CLever& lever, int x, int y, int code) {
        MouseAt(x, y);
        MouseEvent e = Event(code);
        lever.HandleMouse(&e);
    }

    static int Drawn(CLever& lever) {
        return ctl::DrawnSlot([&](CDC* dc) { lever.Draw(dc); }, 115, 115);
    }

    testsupport::TempDir m_dir;
    std::string m_folder;
    std::string m_names[4];
};

}  // namespace

TEST_F(LeverTest, DetentRectanglesInPercentOfThePicture) {
    CLever lever;
    ASSERT_TRUE(lever.Initialise(Settings())) << lever.GetErrorText();
    EXPECT_EQ(lever.GetLeverId(), -1);
    CRect r;
    lever.GetDetentRect(2, r);
    EXPECT_EQ(r, CRect(110, 130, 130, 140));
    lever.GetDetentRect(5, r);
    EXPECT_EQ(r, CRect());
    EXPECT_FALSE(lever.IsDetentPresent(5));
}

TEST_F(LeverTest, WheelStopsAtTheLastPresentDetentAndStepsOverAbsentOnes) {
    CLever lever;
    ASSERT_TRUE(lever.Initialise(Settings()));
    // Detents 0 to 3 present: the wheel never takes the lever where it has
    // no picture (and would publish a detent that does not exist).
    for (int i = 1; i <= 9; ++i) {
        Mouse(lever, 120, 120, MouseEvent::kWheelToward);
        EXPECT_EQ(lever.GetDetent(), i < 3 ? i : 3);
    }
    EXPECT_EQ(Drawn(lever), 3);
    Mouse(lever, 120, 120, MouseEvent::kWheelAway);
    EXPECT_EQ(lever.GetDetent(), 2);
    EXPECT_EQ(Drawn(lever), 2);

    LeverSettings s = Settings();
    s.detents[2].picture = "D";  // too short: absent
    CLever gapped;
    ASSERT_TRUE(gapped.Initialise(s));
    Mouse(gapped, 120, 120, MouseEvent::kWheelToward);
    EXPECT_EQ(gapped.GetDetent(), 1);
    Mouse(gapped, 120, 120, MouseEvent::kWheelToward);
    EXPECT_EQ(gapped.GetDetent(), 3) << "detent 2 is stepped over";
    Mouse(gapped, 120, 120, MouseEvent::kWheelAway);
    EXPECT_EQ(gapped.GetDetent(), 1);
    Mouse(lever, 300, 120, MouseEvent::kWheelAway);  // not over the lever
    EXPECT_EQ(lever.GetDetent(), 2);
}

TEST_F(LeverTest, LeftPressChoosesTheDetentUnderThePoint) {
    CLever lever;
    ASSERT_TRUE(lever.Initialise(Settings()));
    Mouse(lever, 120, 135, MouseEvent::kLeftPress);
    EXPECT_EQ(lever.GetDetent(), 2);
    EXPECT_EQ(Drawn(lever), 2);
    Mouse(lever, 120, 130, MouseEvent::kLeftPress);  // between detents 1 and 2
    EXPECT_EQ(lever.GetDetent(), 2);
    Mouse(lever, 300, 300, MouseEvent::kLeftPress);
    EXPECT_EQ(lever.GetDetent(), 2);
    Mouse(lever, 120, 115, MouseEvent::kRightPress);
    EXPECT_EQ(lever.GetDetent(), 2);
    Mouse(lever, 120, 115, MouseEvent::kLeftPress);
    EXPECT_EQ(lever.GetDetent(), 0);
    lever.SetDetent(8);
    EXPECT_EQ(lever.GetDetent(), 0);
    lever.SetDetent(3);
    EXPECT_EQ(lever.GetDetent(), 3);
}

TEST_F(LeverTest, AbsentDetentsNeedNoPictureAndAMissingPresentOneFails) {
    LeverSettings s = Settings();
    s.detents[3].picture = "D";  // too short: absent
    CLever lever;
    ASSERT_TRUE(lever.Initialise(s));
    EXPECT_FALSE(lever.IsDetentPresent(3));
    Mouse(lever, 120, 145, MouseEvent::kLeftPress);
    EXPECT_EQ(lever.GetDetent(), 0);

    s = Settings();
    s.detents[1].picture = "Missing.bmp";
    CLever broken;
    EXPECT_FALSE(broken.Initialise(s));
    EXPECT_STREQ(broken.GetErrorText(), "CBaseCockpitControl::Initialise ... No image was loaded ");
}
