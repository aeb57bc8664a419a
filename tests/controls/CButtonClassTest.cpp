#include "controls/CButtonClass.h"

#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "support/TestSupport.h"

using ctl::Event;
using ctl::MouseAt;

namespace {

// A 10 x 10 button at (120, 80): panel (100, 50), offset (20, 30).
class ButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctl::WriteSlots(m_dir.Path(), "\\Buttons\\Test", CButtonClass::kLegendSlotNames, 8, 10, 10);
        ctl::WriteSlots(m_dir.Path(), "\\Buttons\\OnOff", CButtonClass::kOnOffSlotNames, 4, 10, 10);
    }

    ButtonSettings Settings(bool momentary = false, bool onOff = false) {
        m_folder = m_dir.Path().string();
        ButtonSettings s;
        s.buttonId = 7;
        s.folder = m_folder.c_str();
        s.controlFolder = onOff ? "Buttons\\OnOff" : "Buttons\\Test";
        s.panelX = 100;
        s.panelY = 50;
        s.xOffset = 20;
        s.yOffset = 30;
        s.momentary = momentary ? 1 : 0;
        s.onOffSet = onOff ? 1 : 0;
        return s;
    }

    int Drawn(CButtonClass& b) {
        return ctl::DrawnSlot([&](CDC* dc) { b.DrawButton(dc); }, 125, 85);
    }

    // One update with the mouse inside the button and no light.
    void Cycle(CButtonClass& b, int code) {
        MouseEvent e = Event(code);
        b.Update(&e, false, false, false);
    }

    testsupport::TempDir m_dir;
    std::string m_folder;
};

}  // namespace

TEST_F(ButtonTest, LatchingButtonGoesInAtPressStaysInAndComesOutAtTheNextPress) {
    CButtonClass b;
    ASSERT_TRUE(b.Initialise(Settings()));
    EXPECT_EQ(b.GetButtonId(), 7);
    EXPECT_EQ(b.GetRect(), CRect(120, 80, 130, 90));
    MouseAt(125, 85);

    Cycle(b, MouseEvent::kLeftPress);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kHeld);
    EXPECT_EQ(Drawn(b), 7);            // the picture was chosen before the press: out, no legend
    Cycle(b, MouseEvent::kLeftPress);  // still held: no second press
    EXPECT_EQ(b.GetPressState(), CButtonClass::kHeld);
    EXPECT_EQ(Drawn(b), 3);  // in, no legend
    Cycle(b, MouseEvent::kNone);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kLatched);
    EXPECT_TRUE(b.IsPressed());
    Cycle(b, MouseEvent::kLeftPress);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kOut);
    Cycle(b, MouseEvent::kNone);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kOut);
    EXPECT_FALSE(b.IsPressed());
    EXPECT_EQ(Drawn(b), 7);
}

TEST_F(ButtonTest, RightPressInsideAHeldButtonCountsAsARelease) {
    CButtonClass latching, momentary;
    ASSERT_TRUE(latching.Initialise(Settings()));
    ASSERT_TRUE(momentary.Initialise(Settings(true)));
    MouseAt(125, 85);
    Cycle(latching, MouseEvent::kLeftPress);
    Cycle(latching, MouseEvent::kRightPress);
    EXPECT_EQ(latching.GetPressState(), CButtonClass::kLatched);
    Cycle(momentary, MouseEvent::kLeftPress);
    Cycle(momentary, MouseEvent::kRightPress);
    EXPECT_EQ(momentary.GetPressState(), CButtonClass::kOut);
}

TEST_F(ButtonTest, MomentaryButtonIsInOnlyWhileHeldAndComesOutWhenTheMouseLeaves) {
    CButtonClass b;
    ASSERT_TRUE(b.Initialise(Settings(true)));
    MouseAt(120, 80);  // the corner counts as inside for a button
    Cycle(b, MouseEvent::kLeftPress);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kHeld);
    MouseAt(130, 90);
    Cycle(b, MouseEvent::kNone);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kOut);

    MouseAt(125, 85);
    Cycle(b, MouseEvent::kLeftPress);
    MouseAt(131, 85);  // dragged off while held
    Cycle(b, MouseEvent::kLeftPress);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kOut);
    // Back on it with the button still held: the last code seen inside was a
    // press, so this is not a new press.
    MouseAt(125, 85);
    Cycle(b, MouseEvent::kLeftPress);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kOut);
}

TEST_F(ButtonTest, LatchedButtonKeepsItsStateOutside) {
    CButtonClass b;
    ASSERT_TRUE(b.Initialise(Settings()));
    MouseAt(125, 85);
    Cycle(b, MouseEvent::kLeftPress);
    Cycle(b, MouseEvent::kNone);
    MouseAt(300, 300);
    Cycle(b, MouseEvent::kLeftPress);
    Cycle(b, MouseEvent::kNone);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kLatched);
}

TEST_F(ButtonTest, LockedButtonIgnoresTheMouseButFollowsSetPressed) {
    CButtonClass b;
    ASSERT_TRUE(b.Initialise(Settings()));
    b.SetLocked(true);
    MouseAt(125, 85);
    Cycle(b, MouseEvent::kLeftPress);
    Cycle(b, MouseEvent::kNone);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kOut);
    b.SetPressed(true);
    EXPECT_TRUE(b.IsPressed());
    EXPECT_EQ(Drawn(b), 3);
    // Unlocked while the press is still held: the lock hid the press, so the
    // held button is seen as a new press.
    b.SetPressed(false);
    b.SetLocked(false);
    Cycle(b, MouseEvent::kLeftPress);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kHeld);
}

TEST_F(ButtonTest, LegendsFollowTheLightsAndTheLampTest) {
    CButtonClass b;
    ASSERT_TRUE(b.Initialise(Settings()));
    MouseAt(300, 300);

    // Without an event only the code changes; the picture follows at the
    // next SetPressed.
    b.Update(nullptr, true, false, false);
    EXPECT_EQ(b.GetLightCode(), CButtonClass::kTopLit);
    EXPECT_EQ(Drawn(b), 0);  // never recomputed yet: index 0 from construction
    b.SetPressed(false);
    EXPECT_EQ(Drawn(b), 4);
    b.Update(nullptr, false, true, false);
    b.SetPressed(true);
    EXPECT_EQ(Drawn(b), 1);
    b.Update(nullptr, true, true, false);
    b.SetPressed(true);
    EXPECT_EQ(Drawn(b), 2);
    b.Update(nullptr, false, false, true);  // lamp test, nothing lit
    b.SetPressed(false);
    EXPECT_EQ(Drawn(b), 6);
    b.Update(nullptr, false, false, false);
    b.SetPressed(false);
    EXPECT_EQ(Drawn(b), 7);

    // With an event the picture is chosen at once from the new code.
    MouseEvent none = Event(MouseEvent::kNone);
    b.Update(&none, false, true, false);
    EXPECT_EQ(Drawn(b), 5);
}

TEST_F(ButtonTest, OnOffSetUsesFourPicturesAndItsOwnRule) {
    CButtonClass b;
    ASSERT_TRUE(b.Initialise(Settings(false, true)));
    EXPECT_TRUE(b.HasOnOffSet());
    b.SetOnOffLights(true, false);
    EXPECT_EQ(Drawn(b), 2);  // out, lit
    b.SetOnOffLights(false, false);
    EXPECT_EQ(Drawn(b), 3);  // out, unlit
    b.SetPressed(true);
    EXPECT_EQ(Drawn(b), 1);  // in, unlit
    b.SetOnOffLights(false, true);
    EXPECT_EQ(Drawn(b), 0);  // in, lamp test

    // Update on an on/off button is UpdateOnOff with the top light.
    MouseAt(125, 85);
    MouseEvent press = Event(MouseEvent::kLeftPress);
    b.SetPressed(false);
    b.Update(&press, false, true, false);  // the bottom light is not used
    EXPECT_EQ(b.GetLightCode(), CButtonClass::kNoneLit);
    EXPECT_EQ(b.GetPressState(), CButtonClass::kHeld);
    EXPECT_EQ(Drawn(b), 3);
    b.UpdateOnOff(&press, true, false);
    EXPECT_EQ(Drawn(b), 0);
}

TEST_F(ButtonTest, InitialiseErrorTexts) {
    std::string folder = m_dir.Path().string();
    {  // the on/off set needs only its four pictures; the legend set needs all eight
        std::filesystem::remove(m_dir.Path() / "Buttons/Test/BotOut.bmp");
        std::filesystem::remove(m_dir.Path() / "Buttons/Test/BothOut.bmp");
        CButtonClass legend, onOff;
        EXPECT_TRUE(onOff.Initialise(Settings(false, true)));
        EXPECT_FALSE(legend.Initialise(Settings()));
        EXPECT_STREQ(legend.GetErrorText(),
                     ("CBaseCockpitControl::Initialise ... No image was loaded from file :\n" +
                      folder + "\\Buttons\\Test\\BotOut.bmp")
                         .c_str());
        EXPECT_EQ(legend.GetButtonId(), 7);
    }
    {  // a text longer than 255 characters is cut to its first 255
        std::string longFolder = folder + "/" + std::string(240, 'x');
        ButtonSettings s = Settings();
        s.folder = longFolder.c_str();
        CButtonClass b;
        EXPECT_FALSE(b.Initialise(s));
        std::string full = "CBaseCockpitControl::Initialise\n This image was not loaded\n\n" +
                           longFolder + "\\Buttons\\Test\\NoneOut.bmp";
        EXPECT_EQ(std::string(b.GetErrorText()), full.substr(0, 255));
        EXPECT_EQ(std::string(b.GetFailedName()), longFolder + "\\Buttons\\Test\\TopIn.bmp");
    }
}

TEST_F(ButtonTest, PictureNamesAreFoundWhateverTheirLetterCase) {
    testsupport::TempDir dir;
    // An art set copied from Windows: one folder, names in any letter case.
    ctl::WritePicture(dir.Path(), "\\BUTTONS\\faultoff\\onin.bmp", 10, 10, ctl::SlotColour(0));
    ctl::WritePicture(dir.Path(), "\\BUTTONS\\faultoff\\OFFIN.BMP", 10, 10, ctl::SlotColour(1));
    ctl::WritePicture(dir.Path(), "\\BUTTONS\\faultoff\\OnOut.bmp", 10, 10, ctl::SlotColour(2));
    ctl::WritePicture(dir.Path(), "\\BUTTONS\\faultoff\\offout.Bmp", 10, 10, ctl::SlotColour(3));
    std::string folder = dir.Path().string();
    ButtonSettings s = Settings(false, true);
    s.folder = folder.c_str();
    s.controlFolder = "Buttons\\FaultOff";
    CButtonClass b;
    EXPECT_TRUE(b.Initialise(s)) << b.GetErrorText();
}
