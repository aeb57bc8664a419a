// CBaseDisplay: the drawing library of the drawn screens.
//
// It wraps a drawing surface (the off-screen picture's CDC) with the fixed
// set of pens, brushes and fonts of the simulated avionics displays, so that
// every drawn screen uses the same colours, line widths and character sizes.
// Each drawing call picks its pen, brush or font from the set by a colour
// value or a size code; a colour outside the set falls back to the rule of
// SelectPen or SelectBrush.
//
// Fonts: eight slots (slot 6 is never made), each a face and a size in
// tenths of a point, with the pixel height and the widths of the characters
// from space to tilde as measured on the bound surface. They are made when
// the first surface is bound (scale 1.0) or when a screen sets a font scale.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

class CDC;

class CBaseDisplay {
  public:
    // The colour set (COLORREF values).
    static constexpr COLORREF kBlack = 0;
    static constexpr COLORREF kGreen = 65280;
    static constexpr COLORREF kAmber = 2985467;
    static constexpr COLORREF kYellow = 4647935;
    static constexpr COLORREF kGrey = 7237230;
    static constexpr COLORREF kLightGrey = 11184810;
    static constexpr COLORREF kMagenta = 13831891;
    static constexpr COLORREF kLightBlue = 16430200;
    static constexpr COLORREF kBlue = 16711680;
    static constexpr COLORREF kCyan = 16770690;
    static constexpr COLORREF kWhite = 16777215;
    static constexpr COLORREF kRed = 255;
    static constexpr COLORREF kBrown = 540546;  // brushes only

    // Size codes of SelectFont.
    static constexpr int kLargeFontCode = 193;
    static constexpr int kSmallFontCode = 140;

    static constexpr int kFontSlots = 8;
    static constexpr int kUnusedSlot = 6;
    static constexpr int kPenGroups = 10;
    static constexpr int kBrushCount = 10;

    struct Pen {
        int width;
        COLORREF colour;
    };
    struct Brush {
        COLORREF colour;
    };
    struct Font {
        const char* face = "Arial";
        int tenthsOfPoint = 0;
        int height = 0;  // pixel height of the font
        int widths[128] = {};
        bool made = false;
    };

    CBaseDisplay();
    CBaseDisplay(const CBaseDisplay&) = delete;
    CBaseDisplay& operator=(const CBaseDisplay&) = delete;

    void SetDrawingSurface(CDC* dc);
    CDC* GetDrawingSurface() const { return m_dc; }
    void UseArialForFixedFont() { m_arialFixed = true; }
    void SetFontScale(double scale);
    void SetFonts(int a, int b, int c, int d, int e, int f, int g);

    // The pen, brush or font chosen (and selected on the surface, if any).
    const Pen* SelectPen(int lineClass, COLORREF colour);
    const Brush* SelectBrush(COLORREF colour);
    const Font* SelectFont(int sizeCode);

    void DrawLine(const CRect& fromTo, int lineClass, COLORREF colour);
    void FillRect(const CRect& rect, COLORREF colour);
    void DrawText(int x, int y, const char* text, COLORREF colour, bool large);
    CSize GetTextExtent(int sizeCode, const char* text);
    void SetSymbolScale(double scale);

    // Symbols, given the top-left corner of a character cell.
    void DrawSlashedZero(int x, int y, COLORREF colour, bool large);
    void DrawCentredI(int x, int y, COLORREF colour, bool large);
    void DrawUpDownArrows(int x, int y, COLORREF colour);
    void DrawUpArrow(int x, int y, COLORREF colour);
    void DrawDownArrow(int x, int y, COLORREF colour);
    void DrawLeftArrow(int x, int y, COLORREF colour);
    void DrawRightArrow(int x, int y, COLORREF colour);
    void DrawSmallCircle(int x, int y, COLORREF colour);
    void DrawDoubleCircle(int x, int y, COLORREF colour);
    void DrawTriangle(int x, int y, COLORREF colour);
    void DrawBracket(const CRect& rect, COLORREF colour, bool rightHand);
    void DrawFrame(const CRect& rect, COLORREF colour);

    // For the screens and the tests.
    const Font& GetFont(int slot) const { return m_fonts[slot]; }
    double GetFontScale() const { return m_fontScale; }
    bool AreFontsMade() const { return m_fontsMade; }
    const Pen* GetSelectedPen() const { return m_selectedPen; }
    const Brush* GetSelectedBrush() const { return m_selectedBrush; }
    const Font* GetSelectedFont() const { return m_selectedFont; }
    // The arrow metrics: vertical offset, head size, shaft length and
    // horizontal offset.
    struct ArrowMetrics {
        int v, k, l, u;
    };
    ArrowMetrics GetArrowMetrics() const { return m_arrow; }
    // Width of a character in a font slot (0 outside space .. tilde).
    int CharWidth(int slot, char c) const;

    // Slot of a size code (SelectFont's rule).
    static int SlotOfSizeCode(int sizeCode);

  private:
    void CreatePensAndBrushes();
    void MakeFont(int slot, const char* face, int tenthsOfPoint);
    void Line(int x0, int y0, int x1, int y1);
    void ArrowHead(int px, int py, int ax, int ay, int bx, int by);

    CDC* m_dc = nullptr;
    Font m_fonts[kFontSlots];
    double m_fontScale = 0.0;
    bool m_arialFixed = false;
    // Pens: [group][0 thin, 1 medium, 2 wide]; the two 100-pixel pens.
    Pen m_pens[kPenGroups][3] = {};
    Pen m_blackWide{100, kBlack};
    Pen m_redWide{100, kRed};
    Brush m_brushes[kBrushCount] = {};
    bool m_created = false;
    const Pen* m_selectedPen = nullptr;
    const Brush* m_selectedBrush = nullptr;
    const Font* m_selectedFont = nullptr;
    bool m_fontsMade = false;
    ArrowMetrics m_arrow{16, 6, 16, 2};
};
