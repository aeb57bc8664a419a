#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/CGuardedButton.h"
#include "controls/CGuardedCover.h"
#include "controls/CLightClass.h"
#include "support/TestSupport.h"

using ctl::Event;
using ctl::MouseAt;

namespace {

class GuardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = m_dir.Path().string();
        ctl::WriteSlots(m_dir.Path(), "\\Guards\\Plate", CGuardedCover::kSlotNames, 2, 20, 20);
        ctl::WriteSlots(m_dir.Path(), "\\Buttons\\Test", CButtonClass::kLegendSlotNames, 8, 10, 10);
        // Guard pictures 3 x 3 in the colours of slots 20 to 27, so that they
        // differ from the button's.
        for (int i = 0; i < 8; ++i) {
            ctl::WritePicture(
                m_dir.Path(),
                (std::string("\\Guards\\Wire") + CGuardedButton::kSlotNames[i]).c_str(), 3, 3,
                ctl::SlotColour(20 + i));
        }
    }

    // A 20 x 20 cover at (30, 30).
    CoverSettings Cover() {
        CoverSettings s;
        s.folder = m_folder.c_str();
        s.controlFolder = "Guards\\Plate";
        s.panelX = 10;
        s.panelY = 10;
        s.xOffset = 20;
        s.yOffset = 20;
        return s;
    }

    // A guard over a 10 x 10 button at (120, 80).
    GuardSettings Guard() {
        GuardSettings s;
        s.guardId = 4;
        s.folder = m_folder.c_str();
        s.controlFolder = "Guards\\Wire";
        s.panelX = 100;
        s.panelY = 50;
        s.xOffset = 20;
        s.yOffset = 30;
        s.button.buttonId = 5;
        s.button.folder = m_folder.c_str();
        s.button.controlFolder = "Buttons\\Test";
        s.button.panelX = 100;
        s.button.panelY = 50;
        s.button.xOffset = 20;
        s.button.yOffset = 30;
        return s;
    }

    template <typename C>
    static void Cover(C& c, int x, int y, int code) {
        MouseAt(x, y);
        MouseEvent e = Event(code);
        c.HandleMouse(&e);
    }

    static void Update(CGuardedButton& g, int x, int y, int code) {
        MouseAt(x, y);
        MouseEvent e = Event(code);
        g.Update(&e, false, false, false);
    }

    testsupport::TempDir m_dir;
    std::string m_folder;
};

}  // namespace

TEST_F(GuardTest, CoverTogglesOncePerRightPress) {
    CGuardedCover cover;
    ASSERT_TRUE(cover.Initialise(Cover()));
    EXPECT_TRUE(cover.IsClosed());
    auto drawn = [&] { return ctl::DrawnSlot([&](CDC* dc) { cover.Draw(dc); }, 40, 40); };
    EXPECT_EQ(drawn(), 1);

    Cover(cover, 40, 40, MouseEvent::kRightPress);  // not armed yet
    EXPECT_TRUE(cover.IsClosed());
    Cover(cover, 40, 40, MouseEvent::kNone);
    for (int i = 0; i < 6; ++i)
        Cover(cover, 40, 40, MouseEvent::kRightPress);
    EXPECT_EQ(cover.GetCoverState(), CBaseCockpitControl::kGuardOpen);
    EXPECT_EQ(drawn(), 0);
    Cover(cover, 40, 40, MouseEvent::kNone);
    Cover(cover, 40, 40, MouseEvent::kLeftPress);  // a left click does nothing
    EXPECT_FALSE(cover.IsClosed());
    Cover(cover, 30, 40, MouseEvent::kRightPress);  // on the border: outside
    EXPECT_FALSE(cover.IsClosed());
    Cover(cover, 41, 40, MouseEvent::kRightPress);  // still armed
    EXPECT_TRUE(cover.IsClosed());
    EXPECT_EQ(drawn(), 1);
}

TEST_F(GuardTest, CoverThatDidNotLoadStillStartsClosed) {
    CoverSettings s = Cover();
    s.controlFolder = "Guards\\Missing";
    CGuardedCover cover;
    EXPECT_FALSE(cover.Initialise(s));
    EXPECT_TRUE(cover.IsClosed());
}

TEST_F(GuardTest, ClosedGuardDrawsItsBarsAroundTheButton) {
    CGuardedButton g;
    ASSERT_TRUE(g.Initialise(Guard()));
    EXPECT_EQ(g.GetGuardId(), 4);
    EXPECT_EQ(g.GetGuardPosition(1), CPoint(120, 80));
    EXPECT_EQ(g.GetGuardPosition(6), CPoint(120, 97));
    EXPECT_EQ(g.GetGuardPosition(7), CPoint(119, 78));
    EXPECT_EQ(g.GetRect(), CRect(120, 78, 152, 113));

    CDC dc(300, 200, ctl::kBackground);
    g.Draw(&dc);
    EXPECT_EQ(ctl::SlotAt(dc, 122, 82), 22);   // left bar
    EXPECT_EQ(ctl::SlotAt(dc, 154, 82), 23);   // right bar
    EXPECT_EQ(ctl::SlotAt(dc, 121, 80), 20);   // top bar, over the left one
    EXPECT_EQ(ctl::SlotAt(dc, 124, 115), 21);  // bottom bar
    EXPECT_EQ(ctl::SlotAt(dc, 140, 84), 24);   // vertical bar
    EXPECT_EQ(ctl::SlotAt(dc, 122, 99), 25);   // horizontal bar
    EXPECT_EQ(ctl::SlotAt(dc, 125, 85), 0);    // the button under it
}

TEST_F(GuardTest, GuardLocksItsButtonWhileClosedAndDrawsOpenPictures) {
    CGuardedButton g;
    GuardGeometry geometry;
    geometry.openBottomDx = 10;
    geometry.openBottomDy = 10;
    g.SetGeometry(geometry);
    ASSERT_TRUE(g.Initialise(Guard()));
    ctl::DrawnSlot([&](CDC* dc) { g.Draw(dc); }, 0, 0);  // a closed drawing

    Update(g, 125, 85, MouseEvent::kLeftPress);
    Update(g, 125, 85, MouseEvent::kNone);
    EXPECT_FALSE(g.Button().IsPressed());
    EXPECT_TRUE(g.Button().IsLocked());
    // The legends still follow.
    g.Update(nullptr, true, false, false);
    g.SetPressed(false);
    EXPECT_EQ(ctl::DrawnSlot([&](CDC* dc) { g.Draw(dc); }, 125, 85), 4);

    Update(g, 125, 85, MouseEvent::kLeftPress);  // a left press is not for the guard
    EXPECT_TRUE(g.IsClosed());
    Update(g, 125, 85, MouseEvent::kNone);
    Update(g, 152, 113, MouseEvent::kRightPress);  // the frame's corner counts
    EXPECT_EQ(g.GetGuardState(), CBaseCockpitControl::kGuardOpen);
    EXPECT_FALSE(g.Button().IsLocked());

    {  // first drawing after the closed one: the open bottom, no bars
        CDC dc(300, 200, ctl::kBackground);
        g.Draw(&dc);
        EXPECT_EQ(ctl::SlotAt(dc, 130, 89), 27);
        EXPECT_EQ(ctl::SlotAt(dc, 120, 79), -1);
        EXPECT_EQ(ctl::SlotAt(dc, 154, 82), -1);
    }
    {  // later drawings: the open top
        CDC dc(300, 200, ctl::kBackground);
        g.Draw(&dc);
        EXPECT_EQ(ctl::SlotAt(dc, 120, 79), 26);
        EXPECT_EQ(ctl::SlotAt(dc, 128, 88), 7);  // the button, out and unlit
    }

    Update(g, 125, 85, MouseEvent::kLeftPress);
    EXPECT_TRUE(g.Button().IsPressed());
    Update(g, 125, 85, MouseEvent::kNone);
    Update(g, 140, 100, MouseEvent::kRightPress);
    EXPECT_TRUE(g.IsClosed());
    EXPECT_TRUE(g.Button().IsLocked());
    EXPECT_TRUE(g.Button().IsPressed());
}

TEST_F(GuardTest, GuardAloneAndFailures) {
    CGuardedButton alone;
    EXPECT_TRUE(alone.InitialiseGuard(Guard()));
    EXPECT_FALSE(alone.IsButtonInitialised());
    Update(alone, 125, 85, MouseEvent::kNone);
    Update(alone, 125, 85, MouseEvent::kRightPress);
    EXPECT_FALSE(alone.IsClosed());
    alone.SetPressed(true);
    EXPECT_FALSE(alone.Button().IsPressed());

    GuardSettings s = Guard();
    s.controlFolder = "Guards\\Missing";
    CGuardedButton bare;
    EXPECT_FALSE(bare.InitialiseGuard(s));
    Update(bare, 125, 85, MouseEvent::kNone);
    Update(bare, 125, 85, MouseEvent::kRightPress);
    EXPECT_FALSE(bare.IsClosed());  // still toggles

    s = Guard();
    s.button.controlFolder = "Buttons\\Missing";
    CGuardedButton broken;
    EXPECT_FALSE(broken.Initialise(s));
    EXPECT_STREQ(broken.GetErrorText(),
                 ("CBaseCockpitControl::Initialise\n This image was not loaded\n\n" + m_folder +
                  "\\Buttons\\Missing\\NoneOut.bmp")
                     .c_str());
}

namespace {

class LightTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = m_dir.Path().string();
        ctl::WritePicture(m_dir.Path(), "\\Lights\\Test\\On.bmp", 8, 8, ctl::SlotColour(0));
        ctl::WritePicture(m_dir.Path(), "\\Lights\\Test\\Off.bmp", 8, 8, ctl::SlotColour(1));
    }

    // An 8 x 8 light at (60, 60).
    LightSettings Settings() {
        LightSettings s;
        s.buttonId = 9;
        s.folder = m_folder.c_str();
        s.controlFolder = "Lights\\Test";
        s.panelX = 50;
        s.panelY = 55;
        s.xOffset = 10;
        s.yOffset = 5;
        return s;
    }

    static int Drawn(CLightClass& l) {
        return ctl::DrawnSlot([&](CDC* dc) { l.Draw(dc); }, 62, 62);
    }

    testsupport::TempDir m_dir;
    std::string m_folder;
};

}  // namespace

TEST_F(LightTest, PoweredLitAndLampTest) {
    CLightClass light;
    ASSERT_TRUE(light.Initialise(Settings()));
    EXPECT_EQ(light.GetButtonId(), 9);
    EXPECT_EQ(light.GetKind(), ControlType::Light);
    light.SetLight(true, false);
    EXPECT_EQ(Drawn(light), 0);
    light.SetLight(false, false);
    EXPECT_EQ(Drawn(light), 1);
    light.SetLightPowered(false, true, false);
    EXPECT_EQ(Drawn(light), 1);
    light.SetLightPowered(false, false, true);
    EXPECT_EQ(Drawn(light), 0);
    light.SetLightPowered(true, true, false);
    EXPECT_TRUE(light.IsOn());
}

TEST_F(LightTest, DrawIfVisibleAndDrawAt) {
    CLightClass light;
    ASSERT_TRUE(light.Initialise(Settings()));
    light.SetLight(true, false);
    EXPECT_EQ(ctl::DrawnSlot([&](CDC* dc) { light.DrawIfVisible(false, dc); }, 62, 62), -1);
    EXPECT_EQ(ctl::DrawnSlot([&](CDC* dc) { light.DrawIfVisible(true, dc); }, 62, 62), 0);
    light.SetLight(false, false);
    CDC dc(200, 200, ctl::kBackground);
    light.DrawAt(&dc, 5, 5);
    EXPECT_EQ(ctl::SlotAt(dc, 6, 6), 0);  // the on picture, wherever it is asked
    EXPECT_EQ(ctl::SlotAt(dc, 62, 62), -1);
}
