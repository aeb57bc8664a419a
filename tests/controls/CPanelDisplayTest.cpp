#include "controls/CPanelDisplay.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ControlTestSupport.h"
#include "controls/CDisplaySegment.h"
#include "support/TestSupport.h"

namespace {

// A display at (15, 25): panel (10, 20), offset (5, 5).
class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override { ctl::EnsureGlyphTable(); }

    static PanelDisplaySettings Settings(int count) {
        PanelDisplaySettings s;
        s.cellCount = count;
        s.folder = ctl::GlyphFolder().c_str();
        s.panelX = 10;
        s.panelY = 20;
        s.xOffset = 5;
        s.yOffset = 5;
        return s;
    }

    // The glyph slot shown in each of the first n cells.
    static std::string Cells(const CDC& dc, int n, int x0 = 15, int y0 = 25) {
        std::string out;
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                out += ' ';
            out += std::to_string(ctl::SlotAt(dc, x0 + i * ctl::kGlyphWidth + 4, y0 + 6));
        }
        return out;
    }

    // Pixels of amber text (251, 141, 45), smoothed into whatever lies under
    // it: red stays high, blue falls well below it.
    static int AmberPixels(const CDC& dc, int x, int y, int w, int h) {
        int n = 0;
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) {
                COLORREF c = dc.GetPixel(i, j);
                n += (GetRValue(c) >= 200 && GetBValue(c) + 60 < GetRValue(c)) ? 1 : 0;
            }
        }
        return n;
    }
};

}  // namespace

TEST_F(DisplayTest, CountZeroStaysUninitialisedAndSaysSo) {
    CPanelDisplay d;
    EXPECT_FALSE(d.Initialise(Settings(0)));
    EXPECT_FALSE(d.IsInitialised());
    CDC dc(200, 100, ctl::kBackground);
    d.SetDisplay("12", &dc);
    EXPECT_STREQ(d.GetErrorText(), "CPanelDisplay::SetDisplay\nObject Not Initialise");
    d.SetError("");
    d.SetDisplayPadded("12", &dc);
    EXPECT_STREQ(d.GetErrorText(), "CPanelDisplay::SetDisplay\nObject Not Initialise");
    d.SetDisplayNumber("1", &dc, 0);
    EXPECT_STREQ(d.GetErrorText(), "CPanelDisplay::SetDisplayNumber\nObject Not Initialise");
    EXPECT_EQ(Cells(dc, 2), "-1 -1");
}

TEST_F(DisplayTest, CountAboveFortyNineIsCut) {
    CPanelDisplay d;
    ASSERT_TRUE(d.Initialise(Settings(60)));
    EXPECT_EQ(d.GetCellCount(), 49);
    ASSERT_NE(d.GetCell(48), nullptr);
    EXPECT_EQ(d.GetCell(48)->GetCellX(), 15 + 48 * ctl::kGlyphWidth);
    EXPECT_EQ(d.GetCell(49), nullptr);
}

TEST_F(DisplayTest, TextFillsCellsFromTheLeftAndPaddingBlanksTheRest) {
    CPanelDisplay d;
    ASSERT_TRUE(d.Initialise(Settings(5)));
    CDC dc(200, 100, ctl::kBackground);
    d.SetDisplay("12", &dc);
    EXPECT_EQ(Cells(dc, 5), "1 2 -1 -1 -1");
    d.SetDisplay("3456789", &dc);  // only as many characters as cells
    EXPECT_EQ(Cells(dc, 6), "3 4 5 6 7 -1");

    CPanelDisplay p;
    ASSERT_TRUE(p.Initialise(Settings(5)));
    CDC pdc(200, 100, ctl::kBackground);
    p.SetDisplayPadded("12", &pdc);
    EXPECT_EQ(Cells(pdc, 5), "1 2 14 14 14");
}

TEST_F(DisplayTest, UnchangedCellsDrawNothingUntilForgotten) {
    CPanelDisplay d;
    ASSERT_TRUE(d.Initialise(Settings(3)));
    {
        CDC dc(200, 100, ctl::kBackground);
        d.SetDisplay("@12", &dc);  // a new cell holds the at sign already
        EXPECT_EQ(Cells(dc, 3), "-1 1 2");
    }
    CDC dc(200, 100, ctl::kBackground);
    d.SetDisplay("@12", &dc);
    EXPECT_EQ(Cells(dc, 3), "-1 -1 -1");
    d.ForgetCachedCharacters();
    d.SetDisplay("@12", &dc);
    EXPECT_EQ(Cells(dc, 3), "38 1 2");
}

TEST_F(DisplayTest, LettersShownWithDigitGlyphsAndBlanks) {
    CPanelDisplay d;
    ASSERT_TRUE(d.Initialise(Settings(8)));
    CDC dc(200, 100, ctl::kBackground);
    d.SetDisplay("ODBF #^x", &dc);
    EXPECT_EQ(Cells(dc, 8), "0 0 8 14 14 18 20 14");
    EXPECT_EQ(CGlyphTable::SlotForCharacter('o'), 15);
    EXPECT_EQ(CGlyphTable::SlotForCharacter('%'), 19);
    EXPECT_EQ(CGlyphTable::SlotForCharacter('&'), 21);
    EXPECT_EQ(CGlyphTable::SlotForCharacter('M'), 14);
}

TEST_F(DisplayTest, ScaleAppliesToThePanelPositionToo) {
    PanelDisplaySettings s = Settings(2);
    s.scale = 2.0;
    CPanelDisplay d;
    ASSERT_TRUE(d.Initialise(s));
    EXPECT_EQ(d.GetCell(0)->GetCellX(), 30);
    EXPECT_EQ(d.GetCell(1)->GetCellX(), 38);  // glyphs are not scaled
    EXPECT_EQ(d.GetCell(1)->GetCellY(), 50);
}

TEST_F(DisplayTest, NumberTextIsAmberNotCachedAndOnlyForDigitsAndSpaces) {
    CPanelDisplay d;
    ASSERT_TRUE(d.Initialise(Settings(4)));
    CDC dc(200, 100, ctl::kBackground);
    d.SetDisplayNumber("A", &dc, 1);
    EXPECT_EQ(AmberPixels(dc, 23, 25, 30, 30), 0);
    d.SetDisplayNumber("8", &dc, 1);
    EXPECT_GT(AmberPixels(dc, 23, 25, 30, 30), 5);
    // Nothing amber left of the text origin (cell x + 5).
    EXPECT_EQ(AmberPixels(dc, 23, 25, 5, 30), 0);

    CDC again(200, 100, ctl::kBackground);
    d.SetDisplayNumber("8", &again, 1);
    EXPECT_GT(AmberPixels(again, 23, 25, 30, 30), 5);

    d.SetDisplayNumber("8", &dc, 4);
    EXPECT_STREQ(d.GetErrorText(), "CPanelDisplay::SetDisplayNumber\nWrong Segment");
    d.SetError("");
    d.SetDisplayNumber("8", &dc, -1);
    EXPECT_STREQ(d.GetErrorText(), "CPanelDisplay::SetDisplayNumber\nWrong Segment");
}

TEST_F(DisplayTest, GlyphTableIsLoadedOncePerProgram) {
    PanelDisplaySettings s = Settings(2);
    s.folder = "/nonexistent/skylid";
    CPanelDisplay d;
    ASSERT_TRUE(d.Initialise(s));
    CDC dc(200, 100, ctl::kBackground);
    d.SetDisplay("47", &dc);
    EXPECT_EQ(Cells(dc, 2), "4 7");
}

TEST(CGlyphTable, MissingAndUnreadablePicturesLeaveEmptySlotsAndSayWhy) {
    testsupport::TempDir dir;
    for (int slot = 0; slot < CGlyphTable::kSlotCount; ++slot) {
        if (CGlyphTable::kFileNames[slot] != nullptr && slot != 38)
            ctl::WritePicture(dir.Path(), CGlyphTable::kFileNames[slot], 8, 12,
                              ctl::SlotColour(slot));
    }
    const std::string folder = dir.Path().string();
    auto table = std::make_unique<CGlyphTable>();
    Kx_ErrorReport report;
    EXPECT_FALSE(table->Load(folder.c_str(), report));
    EXPECT_TRUE(table->IsLoaded());
    // Every later display fails with the same text, not only the first.
    EXPECT_FALSE(table->IsComplete());
    EXPECT_STREQ(table->FailureText(), report.GetErrorText());
    EXPECT_STREQ(report.GetErrorText(), ("CDisplaySegment::LoadBitMap\n" + folder +
                                         "\\DigitalDisplay\\zeropnt.bmp\nNo such file or directory")
                                            .c_str());
    EXPECT_TRUE(table->HasGlyph(0));
    EXPECT_EQ(table->Width(0), 8);
    EXPECT_EQ(table->Height(35), 12);
    EXPECT_FALSE(table->HasGlyph(34));
    EXPECT_FALSE(table->HasGlyph(37));
    EXPECT_FALSE(table->HasGlyph(38));

    testsupport::WriteFile(dir.Path() / "DigitalDisplay" / "zeropnt.bmp", "not a picture");
    Kx_ErrorReport second;
    EXPECT_FALSE(table->Load(folder.c_str(), second));
    EXPECT_STREQ(second.GetErrorText(),
                 ("CDisplaySegment::LoadBitMap\n" + folder +
                  "\\DigitalDisplay\\zeropnt.bmp\nNot a readable Windows bitmap")
                     .c_str());
}
