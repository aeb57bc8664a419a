#include "controls/CBaseCockpitControl.h"

#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "support/TestSupport.h"
#include "util/KxText.h"

using ctl::DrawnSlot;

namespace {

// A definition naming picture "P<i>.bmp" of folder for each slot in mask.
ControlDefinition Definition(const testsupport::TempDir& dir, ControlType kind, unsigned mask,
                             int x = 40, int y = 30) {
    ControlDefinition d{};
    d.kind = kind;
    d.x = x;
    d.y = y;
    for (int i = 0; i < 8; ++i) {
        if (mask & (1u << i))
            kx::Format(d.fileNames[i], sizeof d.fileNames[i], "%s\\Base\\P%d.bmp",
                       dir.Path().c_str(), i);
    }
    return d;
}

std::string Name(const testsupport::TempDir& dir, int slot) {
    return dir.Path().string() + "\\Base\\P" + std::to_string(slot) + ".bmp";
}

// Writes the pictures of the slots in mask, 10 x 10 each.
void Write(const testsupport::TempDir& dir, unsigned mask, int w = 10, int h = 10) {
    for (int i = 0; i < 8; ++i) {
        if (mask & (1u << i))
            ctl::WritePicture(dir.Path(), ("\\Base\\P" + std::to_string(i) + ".bmp").c_str(), w, h,
                              ctl::SlotColour(i));
    }
}

}  // namespace

TEST(CBaseCockpitControl, EmptyDefinitionFailsSilentlyAndStaysNone) {
    CBaseCockpitControl c;
    ControlDefinition d{};
    d.kind = ControlType::PushButton;
    EXPECT_FALSE(c.Initialise(d));
    EXPECT_STREQ(c.GetErrorText(), "");
    EXPECT_EQ(c.GetKind(), ControlType::None);
    EXPECT_FALSE(c.IsAnyImageLoaded());
    EXPECT_EQ(DrawnSlot([&](CDC* dc) { c.Draw(dc); }, 40, 30), -1);
}

TEST(CBaseCockpitControl, RectangleTakesTheHigherSlotsSizeAndPicturesKeepTheirOwn) {
    testsupport::TempDir dir;
    ctl::WritePicture(dir.Path(), "\\Base\\P0.bmp", 30, 25, ctl::SlotColour(0));
    ctl::WritePicture(dir.Path(), "\\Base\\P1.bmp", 12, 8, ctl::SlotColour(1));
    CBaseCockpitControl c;
    ASSERT_TRUE(c.Initialise(Definition(dir, ControlType::Knob, 0x3)));
    EXPECT_EQ(c.GetRect(), CRect(40, 30, 52, 38));
    EXPECT_EQ(c.GetSize(), CRect(0, 0, 12, 8));
    // Index 0 draws the larger picture unscaled, beyond the rectangle.
    EXPECT_EQ(DrawnSlot([&](CDC* dc) { c.Draw(dc); }, 69, 54), 0);
}

TEST(CBaseCockpitControl, ErrorTextsOfTheKindsAndTheFirstFailedName) {
    testsupport::TempDir dir;
    Write(dir, 0x01);  // only P0 exists

    {  // kind None keeps the text of the last picture that failed to load
        CBaseCockpitControl c;
        EXPECT_FALSE(c.Initialise(Definition(dir, ControlType::None, 0x0B)));
        EXPECT_STREQ(
            c.GetErrorText(),
            ("CBaseCockpitControl::Initialise\n This image was not loaded\n\n" + Name(dir, 3))
                .c_str());
        EXPECT_STREQ(c.GetFailedName(), Name(dir, 1).c_str());
    }
    {  // push-button: the first failed name
        CBaseCockpitControl c;
        EXPECT_FALSE(c.Initialise(Definition(dir, ControlType::PushButton, 0xFF)));
        EXPECT_STREQ(
            c.GetErrorText(),
            ("CBaseCockpitControl::Initialise ... No image was loaded from file :\n" + Name(dir, 1))
                .c_str());
        EXPECT_EQ(c.GetKind(), ControlType::PushButton);
    }
    {  // switch of three positions: the first failed name
        CBaseCockpitControl c;
        ControlDefinition d = Definition(dir, ControlType::Switch, 0x07);
        d.positionCount = 3;
        EXPECT_FALSE(c.Initialise(d));
        EXPECT_STREQ(c.GetErrorText(),
                     ("CBaseCockpitControl::IsSwitchValid \n\n" + Name(dir, 1)).c_str());
    }
    {  // knob: a failed picture fails; rotary knob and light do not
        CBaseCockpitControl knob, rotary, light;
        EXPECT_FALSE(knob.Initialise(Definition(dir, ControlType::Knob, 0x03)));
        EXPECT_STREQ(knob.GetErrorText(),
                     "CBaseCockpitControl::Initialise ... No image was loaded ");
        EXPECT_TRUE(rotary.Initialise(Definition(dir, ControlType::RotaryKnob, 0x07)));
        EXPECT_TRUE(light.Initialise(Definition(dir, ControlType::Light, 0x03)));
    }
    {  // cover needs both pictures
        CBaseCockpitControl c;
        EXPECT_FALSE(c.Initialise(Definition(dir, ControlType::Cover, 0x03)));
        EXPECT_STREQ(c.GetErrorText(),
                     "CBaseCockpitControl::IsCoverValid ... No image was loaded ");
    }
}

TEST(CBaseCockpitControl, SwitchPositionCounts) {
    testsupport::TempDir dir;
    Write(dir, 0x07);
    for (int count : {0, 7, -1}) {
        CBaseCockpitControl c;
        ControlDefinition d = Definition(dir, ControlType::Switch, 0x07);
        d.positionCount = count;
        EXPECT_FALSE(c.Initialise(d)) << count;
        EXPECT_STREQ(c.GetErrorText(), "CBaseCockpitControl::IsSwitchValid ... Invalid switch");
    }
    for (int count = 1; count <= 6; ++count) {
        CBaseCockpitControl c;
        // Two-position counts need only pictures 0 and 1.
        unsigned mask = (count == 2 || count == 4) ? 0x03 : 0x07;
        ControlDefinition d = Definition(dir, ControlType::Switch, mask);
        d.positionCount = count;
        EXPECT_TRUE(c.Initialise(d)) << count;
        if (mask == 0x07) {
            CBaseCockpitControl missing;
            ControlDefinition two = Definition(dir, ControlType::Switch, 0x03);
            two.positionCount = count;
            EXPECT_FALSE(missing.Initialise(two)) << count;
        }
    }
}

TEST(CBaseCockpitControl, ScaleIsLimitedAndTruncates) {
    CBaseCockpitControl c;
    c.SetScale(7.0);
    EXPECT_DOUBLE_EQ(c.GetScale(), 5.0);
    c.SetScale(0.05);
    EXPECT_DOUBLE_EQ(c.GetScale(), 0.1);
    c.SetScale(1.5);
    EXPECT_EQ(c.ScaleValue(15), 22);
    EXPECT_EQ(c.ScaleValue(-15), -22);
    c.SetScale(5.0);
    EXPECT_EQ(c.ScaleValue(2000000000), 2147483647);
}

TEST(CBaseCockpitControl, HitTestsExcludeTheBorderAndLocalPointFollowsScroll) {
    testsupport::TempDir dir;
    Write(dir, 0x01, 20, 10);
    CBaseCockpitControl c;
    ASSERT_TRUE(c.Initialise(Definition(dir, ControlType::Light, 0x01, 600, 20)));
    EXPECT_TRUE(c.IsPointInside(601, 21));
    EXPECT_TRUE(c.IsPointInside(619, 29));
    EXPECT_FALSE(c.IsPointInside(600, 25));
    EXPECT_FALSE(c.IsPointInside(620, 25));
    EXPECT_FALSE(c.IsPointInside(610, 30));
    EXPECT_TRUE(c.IsLocalPointInside(1, 1));
    EXPECT_FALSE(c.IsLocalPointInside(0, 5));
    EXPECT_FALSE(c.IsLocalPointInside(20, 5));

    CPanelMouse::SetScroll(605, 5);
    CPanelMouse::SetMousePoint(10, 20);
    CPoint p;
    c.GetLocalMousePoint(p);
    EXPECT_EQ(p, CPoint(15, 5));
    EXPECT_EQ(c.GetLastClickPoint(), CPoint(615, 25));
}

TEST(CBaseCockpitControl, DrawingRulesOfLightCoverLeverAndReducedButton) {
    testsupport::TempDir dir;
    Write(dir, 0xFF);
    auto drawn = [](CBaseCockpitControl& c) {
        return DrawnSlot([&](CDC* dc) { c.Draw(dc); }, 45, 35);
    };

    CBaseCockpitControl light;
    ASSERT_TRUE(light.Initialise(Definition(dir, ControlType::Light, 0x03)));
    EXPECT_EQ(drawn(light), 0);
    light.SetImageIndex(true);
    EXPECT_EQ(drawn(light), 1);

    CBaseCockpitControl cover;
    ASSERT_TRUE(cover.Initialise(Definition(dir, ControlType::Cover, 0x03)));
    cover.SetImageIndex(true);
    EXPECT_EQ(drawn(cover), 1);
    cover.SetImageIndex(false);
    EXPECT_EQ(drawn(cover), 0);

    ControlDefinition reduced = Definition(dir, ControlType::PushButton, 0x0F);
    reduced.reducedPictureSet = 1;
    CBaseCockpitControl button;
    ASSERT_TRUE(button.Initialise(reduced));
    EXPECT_EQ(drawn(button), 0);

    CBaseCockpitControl rotary;
    ASSERT_TRUE(rotary.Initialise(Definition(dir, ControlType::RotaryKnob, 0x07)));
    EXPECT_EQ(drawn(rotary), -1);  // draws itself

    CBaseCockpitControl lever;
    ASSERT_TRUE(lever.Initialise(Definition(dir, ControlType::Lever, 0x0F)));
    EXPECT_EQ(drawn(lever), 0);
}
