#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/CKnobClass.h"
#include "controls/CRotaryKnobClass.h"
#include "support/TestSupport.h"

using ctl::Event;
using ctl::MouseAt;

namespace {

// A 30 x 30 knob at (50, 50): cells of 10 x 10.
class KnobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctl::WriteSlots(m_dir.Path(), "\\Knobs\\Test", CKnobClass::kPositionNames, 8, 30, 30);
    }

    KnobSettings Settings(std::initializer_list<int> present) {
        m_folder = m_dir.Path().string();
        KnobSettings s;
        for (int p : present)
            s.present[p] = 1;
        s.folder = m_folder.c_str();
        s.controlFolder = "Knobs\\Test";
        s.panelX = 40;
        s.panelY = 45;
        s.xOffset = 10;
        s.yOffset = 5;
        return s;
    }

    // An event at a point relative to the knob.
    static void At(CKnobClass& knob, int dx, int dy, int code = MouseEvent::kLeftPress) {
        MouseAt(50 + dx, 50 + dy);
        MouseEvent e = Event(code);
        knob.HandleMouse(&e);
    }

    testsupport::TempDir m_dir;
    std::string m_folder;
};

}  // namespace

TEST_F(KnobTest, ZonesOfPresentPositionsOnly) {
    CKnobClass knob;
    ASSERT_TRUE(knob.Initialise(Settings({0, 2, 4})));
    At(knob, 25, 25);  // position 3's cell: absent
    EXPECT_EQ(knob.GetKnobPosition(), 0);
    At(knob, 25, 15);
    EXPECT_EQ(knob.GetKnobPosition(), 2);
    EXPECT_EQ(ctl::DrawnSlot([&](CDC* dc) { knob.Draw(dc); }, 60, 60), 2);
    At(knob, 25, 5);  // position 1: absent
    EXPECT_EQ(knob.GetKnobPosition(), 2);
    At(knob, 15, 15);  // the centre belongs to no position
    EXPECT_EQ(knob.GetKnobPosition(), 2);
    At(knob, 15, 25, MouseEvent::kNone);  // no button: nothing
    EXPECT_EQ(knob.GetKnobPosition(), 2);
    At(knob, 15, 25, MouseEvent::kRightPress);  // any other event selects
    EXPECT_EQ(knob.GetKnobPosition(), 4);
    At(knob, 10, 5);  // border between the cells of positions 7 and 0
    EXPECT_EQ(knob.GetKnobPosition(), 4);
    At(knob, 15, 5, MouseEvent::kWheelAway);
    EXPECT_EQ(knob.GetKnobPosition(), 0);

    knob.SetKnobPosition(1);
    EXPECT_EQ(knob.GetKnobPosition(), 0);
    knob.SetKnobPosition(8);
    EXPECT_EQ(knob.GetKnobPosition(), 0);
    knob.SetKnobPosition(4);
    EXPECT_EQ(knob.GetKnobPosition(), 4);
}

TEST_F(KnobTest, MarginsWidenTheOuterEdges) {
    CKnobClass plain, wide;
    ASSERT_TRUE(plain.Initialise(Settings({0, 1, 2, 3, 4, 5, 6, 7})));
    KnobSettings s = Settings({0, 1, 2, 3, 4, 5, 6, 7});
    s.verticalMargin = 5;
    s.horizontalMargin = 4;
    ASSERT_TRUE(plain.Initialise(s));  // plain Initialise ignores the margins
    ASSERT_TRUE(wide.InitialiseWithMargins(s));
    EXPECT_EQ(wide.GetZone(0), CRect(10, -5, 20, 10));
    EXPECT_EQ(wide.GetZone(3), CRect(20, 20, 34, 35));
    EXPECT_EQ(wide.GetZone(6), CRect(-4, 10, 10, 20));
    EXPECT_EQ(wide.GetZone(7), CRect(-4, -5, 10, 10));

    for (CKnobClass* k : {&plain, &wide}) {
        k->SetKnobPosition(2);
        At(*k, 15, -3);
    }
    EXPECT_EQ(plain.GetKnobPosition(), 2);
    EXPECT_EQ(wide.GetKnobPosition(), 0);
    At(wide, -3, 15);
    EXPECT_EQ(wide.GetKnobPosition(), 6);
    At(wide, 33, 34);
    EXPECT_EQ(wide.GetKnobPosition(), 3);
}

TEST_F(KnobTest, APresentPositionWithoutItsPictureFails) {
    std::filesystem::remove(m_dir.Path() / "Knobs/Test/Knob090.bmp");
    CKnobClass knob;
    EXPECT_FALSE(knob.Initialise(Settings({0, 2})));
    EXPECT_FALSE(knob.IsInitialised());
    EXPECT_STREQ(knob.GetErrorText(), "CBaseCockpitControl::Initialise ... No image was loaded ");
    CKnobClass other;
    EXPECT_TRUE(other.Initialise(Settings({0, 4})));
}

namespace {

const char* const kRotaryPictures[3] = {"KnobPull.bmp", "KnobPush.bmp", "Knob.bmp"};

// A 20 x 20 rotary knob at (200, 100): left half decreases, right half
// increases.
class RotaryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctl::WriteSlots(m_dir.Path(), "\\RotaryKnobs\\", kRotaryPictures, 3, 20, 20);
    }

    RotaryKnobSettings Settings(int step, int maximum, int minimum) {
        m_folder = m_dir.Path().string();
        RotaryKnobSettings s;
        s.folder = m_folder.c_str();
        for (int i = 0; i < 3; ++i)
            s.pictures[i] = kRotaryPictures[i];
        s.panelX = 180;
        s.panelY = 90;
        s.xOffset = 20;
        s.yOffset = 10;
        s.step = step;
        s.maximum = maximum;
        s.minimum = minimum;
        return s;
    }

    static constexpr int kRight = 215;
    static constexpr int kLeft = 205;

    static void Turn(CRotaryKnobClass& k, int x, int code, bool wrap = false) {
        MouseAt(x, 110);
        MouseEvent e = Event(code);
        if (wrap)
            k.HandleMouseWrapped(&e);
        else
            k.HandleMouseClamped(&e);
    }

    static int Drawn(CRotaryKnobClass& k) {
        return ctl::DrawnSlot([&](CDC* dc) { k.DrawRotaryKnob(dc); }, 205, 105);
    }

    testsupport::TempDir m_dir;
    std::string m_folder;
};

}  // namespace

TEST_F(RotaryTest, AcceleratingTurnCountsOnlyEverySecondHeldCycle) {
    CRotaryKnobClass k;
    ASSERT_TRUE(k.Initialise(Settings(1, 1000, 0)));
    k.SetValue(500);

    // Expected value after each turning call: one step at the first, none
    // for calls 2 to 8, then calls / 8 steps each.
    int expected = 500;
    for (int call = 1; call <= 40; ++call) {
        Turn(k, kRight, MouseEvent::kLeftPress);
        const bool turning = call == 1 || call % 2 == 0;
        if (!turning) {
            EXPECT_FALSE(k.HasChanged()) << call;
            EXPECT_EQ(k.GetValue(), expected) << call;
            continue;
        }
        const int turn = call == 1 ? 1 : call / 2 + 1;  // turning call number
        if (turn < 2)
            expected += 1;
        else if (turn > 8)
            expected += turn / 8;
        EXPECT_TRUE(k.HasChanged()) << call;  // in a zone, even without moving
        EXPECT_EQ(k.GetValue(), expected) << call;
    }
    EXPECT_EQ(expected, 500 + 1 + 7 * 1 + 6 * 2);  // turning calls 1 to 21

    // A release ends the press; the next press turns at once, from the start.
    Turn(k, kRight, MouseEvent::kNone);
    EXPECT_FALSE(k.HasChanged());
    Turn(k, kLeft, MouseEvent::kLeftPress);
    EXPECT_EQ(k.GetValue(), expected - 1);
}

TEST_F(RotaryTest, StepSingleStepFastRepeatAndOutside) {
    CRotaryKnobClass k;
    ASSERT_TRUE(k.Initialise(Settings(10, 1000, 0)));
    k.SetValue(500);
    Turn(k, kLeft, MouseEvent::kLeftPress);
    EXPECT_EQ(k.GetValue(), 490);
    Turn(k, kLeft, MouseEvent::kNone);

    k.SetSingleStep();
    k.SetFastRepeat();
    k.SetStep(3);
    for (int i = 0; i < 12; ++i)
        Turn(k, kRight, MouseEvent::kLeftPress);
    EXPECT_EQ(k.GetValue(), 490 + 12 * 3);
    k.RestoreStep();
    EXPECT_EQ(k.GetStep(), 10);

    Turn(k, 210, MouseEvent::kLeftPress);  // the border between the halves
    EXPECT_FALSE(k.HasChanged());
    Turn(k, 300, MouseEvent::kLeftPress);
    EXPECT_FALSE(k.HasChanged());
    EXPECT_EQ(k.GetValue(), 526);
}

TEST_F(RotaryTest, ClampedAndWrappedLimits) {
    CRotaryKnobClass heading;
    ASSERT_TRUE(heading.Initialise(Settings(1, 359, 0)));
    heading.SetValue(0);
    Turn(heading, kLeft, MouseEvent::kLeftPress, true);
    EXPECT_EQ(heading.GetValue(), 359);
    Turn(heading, kLeft, MouseEvent::kNone, true);
    Turn(heading, kRight, MouseEvent::kLeftPress, true);
    EXPECT_EQ(heading.GetValue(), 0);

    CRotaryKnobClass speed;
    ASSERT_TRUE(speed.Initialise(Settings(1, 399, 100)));
    speed.SetValue(100);
    Turn(speed, kLeft, MouseEvent::kLeftPress);
    EXPECT_EQ(speed.GetValue(), 100);
    speed.SetValue(500);
    EXPECT_EQ(speed.GetValue(), 399);
    speed.SetValue(-5);
    EXPECT_EQ(speed.GetValue(), 100);
    speed.SetLimits(50, 10);
    speed.SetValue(60);
    EXPECT_EQ(speed.GetValue(), 50);

    // New limits bring the value inside them at the next turning call, even
    // with the pointer away from both halves.
    speed.SetLimits(399, 100);
    speed.SetValue(399);
    speed.SetLimits(99, 10);
    Turn(speed, 300, MouseEvent::kNone);
    EXPECT_EQ(speed.GetValue(), 99);
    EXPECT_TRUE(speed.HasChanged());
}

TEST_F(RotaryTest, TurnDeltaForCallersWithTheirOwnValue) {
    CRotaryKnobClass k;
    ASSERT_TRUE(k.Initialise(Settings(1, 100, 0)));
    const int expected[] = {1, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3};
    MouseAt(kRight, 110);
    MouseEvent press = Event(MouseEvent::kLeftPress);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(k.GetTurnDelta(&press), expected[i]) << i + 1;
    for (int i = 15; i < 40; ++i)
        EXPECT_EQ(k.GetTurnDelta(&press), i + 1 >= 25 ? 5 : (i + 1) / 5) << i + 1;
    MouseEvent none = Event(MouseEvent::kNone);
    EXPECT_EQ(k.GetTurnDelta(&none), 0);
    MouseAt(kLeft, 110);
    EXPECT_EQ(k.GetTurnDelta(&press), -1);
    MouseAt(300, 110);
    EXPECT_EQ(k.GetTurnDelta(&press), 0);
}

TEST_F(RotaryTest, WheelPullsOrPushesForFiveCalls) {
    CRotaryKnobClass k;
    ASSERT_TRUE(k.Initialise(Settings(1, 100, 0)));
    EXPECT_EQ(Drawn(k), 2);
    MouseAt(kRight, 110);

    MouseEvent wheel = Event(MouseEvent::kWheelToward);
    MouseEvent none = Event(MouseEvent::kNone);
    bool pulled = false, pushed = true;
    k.HandlePushPull(&wheel, pulled, pushed);
    EXPECT_TRUE(pulled);
    EXPECT_FALSE(pushed);
    for (int i = 0; i < 4; ++i) {
        bool p = false, q = false;
        k.HandlePushPull(&none, p, q);
        EXPECT_FALSE(p);
        EXPECT_EQ(Drawn(k), 0) << i;
    }
    pulled = pushed = true;
    k.HandlePushPull(&none, pulled, pushed);
    EXPECT_FALSE(pulled);
    EXPECT_FALSE(pushed);
    EXPECT_EQ(Drawn(k), 2);

    MouseEvent away = Event(MouseEvent::kWheelAway);
    k.HandlePushPull(&away, pulled, pushed);
    EXPECT_TRUE(pushed);
    EXPECT_EQ(Drawn(k), 1);

    // Beside the knob the wheel does nothing.
    CRotaryKnobClass other;
    ASSERT_TRUE(other.Initialise(Settings(1, 100, 0)));
    MouseAt(300, 110);
    pulled = false;
    other.HandlePushPull(&wheel, pulled, pushed);
    EXPECT_FALSE(pulled);
    EXPECT_EQ(other.GetPictureIndex(), 2);

    // A knob that did not initialise ignores it.
    CRotaryKnobClass broken;
    RotaryKnobSettings s = Settings(1, 100, 0);
    s.folder = "/nonexistent";
    EXPECT_FALSE(broken.Initialise(s));
    MouseAt(kRight, 110);
    pulled = false;
    broken.HandlePushPull(&wheel, pulled, pushed);
    EXPECT_FALSE(pulled);
}

TEST_F(RotaryTest, TouchedFollowsThePoint) {
    CRotaryKnobClass k;
    ASSERT_TRUE(k.Initialise(Settings(1, 100, 0)));
    MouseEvent none = Event(MouseEvent::kNone);
    MouseAt(kLeft, 110);
    k.UpdateTouched(&none);
    EXPECT_TRUE(k.IsTouched());
    MouseAt(250, 110);
    k.UpdateTouched(&none);
    EXPECT_FALSE(k.IsTouched());
}
