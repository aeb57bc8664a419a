// The drawing library: pen, brush and font selection rules, font sizes, and
// what the drawing calls put on an off-screen picture.
#include <gtest/gtest.h>

#include "display/CBaseDisplay.h"
#include "platform/CDC.h"

namespace {

constexpr COLORREF kGrey110 = 7237230;
constexpr COLORREF kLightGrey170 = 11184810;
constexpr COLORREF kBlueFF = 16711680;

TEST(BaseDisplayPens, LineClassesAndColourGroups) {
    CBaseDisplay d;
    // Both greys share the grey width-3 pen.
    const CBaseDisplay::Pen* a = d.SelectPen(4, kGrey110);
    const CBaseDisplay::Pen* b = d.SelectPen(4, kLightGrey170);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->width, 3);
    EXPECT_EQ(a->colour, kGrey110);

    // An unknown colour draws red, and class 7 is the widest pen.
    const CBaseDisplay::Pen* red = d.SelectPen(7, 123);
    EXPECT_EQ(red->width, 5);
    EXPECT_EQ(red->colour, RGB(255, 0, 0));

    // Classes 0..2 thin, 3..5 medium, others wide.
    EXPECT_EQ(d.SelectPen(0, 0xFFFFFF)->width, 1);
    EXPECT_EQ(d.SelectPen(2, 0xFFFFFF)->width, 1);
    EXPECT_EQ(d.SelectPen(3, 0xFFFFFF)->width, 3);
    EXPECT_EQ(d.SelectPen(5, 0xFFFFFF)->width, 3);
    EXPECT_EQ(d.SelectPen(6, 0xFFFFFF)->width, 5);
    EXPECT_EQ(d.SelectPen(-2, 0xFFFFFF)->width, 5);
    // Blue draws with the cyan pens.
    EXPECT_EQ(d.SelectPen(1, kBlueFF)->colour, 16770690u);

    // Class -1: the 100-pixel black and red pens, else nothing changes.
    const CBaseDisplay::Pen* before = d.SelectPen(1, 65280);
    EXPECT_EQ(d.SelectPen(-1, 65280), before);
    EXPECT_EQ(d.GetSelectedPen(), before);
    EXPECT_EQ(d.SelectPen(-1, 0)->width, 100);
    EXPECT_EQ(d.SelectPen(-1, 255)->width, 100);
    EXPECT_EQ(d.GetSelectedPen()->colour, 255u);
}

TEST(BaseDisplayBrushes, OwnColoursElseRed) {
    CBaseDisplay d;
    EXPECT_EQ(d.SelectBrush(kBlueFF)->colour, 255u);
    EXPECT_EQ(d.GetSelectedBrush()->colour, 255u);
    EXPECT_EQ(d.SelectBrush(16770690)->colour, 255u);  // cyan
    for (COLORREF own :
         {0u, 65280u, 540546u, 2985467u, 4647935u, 7237230u, 11184810u, 13831891u, 16777215u}) {
        EXPECT_EQ(d.SelectBrush(own)->colour, own);
    }
}

TEST(BaseDisplayFonts, ScaleOneAndSmallScaleSizes) {
    CBaseDisplay d;
    EXPECT_FALSE(d.AreFontsMade());
    d.SetFontScale(1.0);
    // Slots 1, 2, 7, 5, 4, 3 and 0: 21, 16, 20, 27, 19, 14 and 22 points.
    const int slots[] = {1, 2, 7, 5, 4, 3, 0};
    const int points[] = {21, 16, 20, 27, 19, 14, 22};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(d.GetFont(slots[i]).tenthsOfPoint, points[i] * 10) << "slot " << slots[i];
    EXPECT_STREQ(d.GetFont(7).face, "Courier New");
    EXPECT_FALSE(d.GetFont(6).made);

    d.SetFontScale(0.3);
    EXPECT_EQ(d.GetFont(1).tenthsOfPoint, 90);
    EXPECT_EQ(d.GetFont(3).tenthsOfPoint, 60);
    EXPECT_EQ(d.GetFont(4).tenthsOfPoint, 80);

    // The scale is limited to 0 .. 1.
    d.SetFontScale(3.0);
    EXPECT_DOUBLE_EQ(d.GetFontScale(), 1.0);
    EXPECT_EQ(d.GetFont(1).tenthsOfPoint, 210);

    CBaseDisplay arial;
    arial.UseArialForFixedFont();
    arial.SetFontScale(1.0);
    EXPECT_STREQ(arial.GetFont(7).face, "Arial");
}

TEST(BaseDisplayFonts, SizeCodesSelectTheirSlots) {
    CBaseDisplay d;
    d.SetFontScale(1.0);
    EXPECT_EQ(d.SelectFont(150), &d.GetFont(1));
    EXPECT_EQ(d.SelectFont(240), &d.GetFont(0));
    EXPECT_EQ(d.SelectFont(160), &d.GetFont(2));
    EXPECT_EQ(d.SelectFont(140), &d.GetFont(3));
    EXPECT_EQ(d.SelectFont(193), &d.GetFont(4));
    EXPECT_EQ(d.SelectFont(266), &d.GetFont(5));
    EXPECT_EQ(d.SelectFont(200), &d.GetFont(7));
}

TEST(BaseDisplaySurface, BindingMakesAndMeasuresTheFonts) {
    CDC dc(200, 100);
    CBaseDisplay d;
    EXPECT_EQ(d.GetTextExtent(193, "A").cx, 0) << "without a surface nothing is measured";
    d.SetDrawingSurface(&dc);
    ASSERT_TRUE(d.AreFontsMade());
    EXPECT_EQ(d.GetFont(4).tenthsOfPoint, 190);
    // Widths by the character's own code; Courier is fixed-pitch.
    EXPECT_GT(d.CharWidth(4, 'X'), 0);
    EXPECT_EQ(d.CharWidth(7, 'i'), d.CharWidth(7, 'W'));
    EXPECT_EQ(d.CharWidth(4, '\x7f'), 0);
    // 19 points at 96 dots per inch: 25 pixels.
    EXPECT_EQ(d.GetFont(4).height, 25);
    EXPECT_GT(d.GetTextExtent(193, "A").cy, d.GetTextExtent(140, "A").cy);
}

TEST(BaseDisplaySurface, TextFillAndSymbolsReachThePicture) {
    CDC dc(120, 60, RGB(50, 50, 50));
    CBaseDisplay d;
    d.SetDrawingSurface(&dc);
    d.SetFontScale(0.4);

    // FillRect uses the colour's brush (blue fills red), then selects black.
    d.FillRect(CRect(0, 0, 10, 10), kBlueFF);
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(d.GetSelectedBrush()->colour, 0u);

    // Text on black in its colour.
    d.DrawText(20, 0, "W", 0x00FF00, true);
    int green = 0;
    int black = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 20; x < 32; ++x) {
            const COLORREF p = dc.GetPixel(x, y);
            green += GetGValue(p) > 150 && GetRValue(p) < 60 && GetBValue(p) < 60;
            black += p == RGB(0, 0, 0);
        }
    }
    EXPECT_GT(green, 5);
    EXPECT_GT(black, 5);

    // The left-hand bracket's stem at left + 1, the right-hand one's at
    // right - 2 with its arms reaching it.
    d.DrawBracket(CRect(40, 10, 50, 30), 0xFAB478, false);
    EXPECT_EQ(dc.GetPixel(41, 20), RGB(120, 180, 250));
    EXPECT_EQ(dc.GetPixel(41 + 6, 10), RGB(120, 180, 250));
    d.DrawBracket(CRect(60, 10, 70, 30), 0xFAB478, true);
    EXPECT_EQ(dc.GetPixel(68, 20), RGB(120, 180, 250));
    EXPECT_EQ(dc.GetPixel(68, 10), RGB(120, 180, 250));
    EXPECT_EQ(dc.GetPixel(68 - 7, 30), RGB(120, 180, 250));
    EXPECT_NE(dc.GetPixel(60, 10), RGB(120, 180, 250));

    // The up arrow's stem from y to y + 12 at x + 6.
    d.DrawUpArrow(80, 20, 0xFFFFFF);
    EXPECT_EQ(dc.GetPixel(86, 26), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(86, 20), RGB(255, 255, 255));

    // Arrow metrics by symbol scale.
    d.SetSymbolScale(0.4);
    EXPECT_EQ(d.GetArrowMetrics().v, 6);
    EXPECT_EQ(d.GetArrowMetrics().l, 6);
    d.SetSymbolScale(1.0);
    EXPECT_EQ(d.GetArrowMetrics().v, 16);
    EXPECT_EQ(d.GetArrowMetrics().k, 6);
}

}  // namespace
