// CDisplaySegment: one character cell of a numeric panel display, and the
// glyph table that every cell of every display shares.
//
// A cell shows one character as a small picture (a glyph) in the seven-segment
// style of the panels' windows. It draws only when its character changes, so
// an unchanged cell relies on what is already on the drawing surface; a panel
// that repainted the picture under a display calls ForgetCharacter (through
// CPanelDisplay::ForgetCachedCharacters) so that the next text redraws it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "log/Kx_ErrorReport.h"
#include "platform/CBitmapFile.h"
#include "platform/WinTypes.h"

class CDC;

// The 39 glyph pictures, loaded once per program by the first cell that is
// initialised, from that cell's bitmap folder + the file names below. Slots
// 34 and 37 have no picture; a picture that failed to load leaves its slot
// empty, and characters shown with it draw nothing.
class CGlyphTable {
  public:
    static constexpr int kSlotCount = 39;
    static constexpr int kBlankSlot = 14;
    static constexpr const char* kFileNames[kSlotCount] = {
        "\\DigitalDisplay\\zero.bmp",
        "\\DigitalDisplay\\one.bmp",  // 0, 1
        "\\DigitalDisplay\\two.bmp",
        "\\DigitalDisplay\\three.bmp",  // 2, 3
        "\\DigitalDisplay\\four.bmp",
        "\\DigitalDisplay\\five.bmp",  // 4, 5
        "\\DigitalDisplay\\six.bmp",
        "\\DigitalDisplay\\seven.bmp",  // 6, 7
        "\\DigitalDisplay\\eight.bmp",
        "\\DigitalDisplay\\nine.bmp",  // 8, 9
        "\\DigitalDisplay\\s.bmp",
        "\\DigitalDisplay\\t.bmp",  // 10, 11
        "\\DigitalDisplay\\d.bmp",
        "\\DigitalDisplay\\dash.bmp",  // 12, 13
        "\\DigitalDisplay\\blank.bmp",
        "\\DigitalDisplay\\o.bmp",  // 14, 15
        "\\DigitalDisplay\\plus.bmp",
        "\\DigitalDisplay\\point.bmp",  // 16, 17
        "\\DigitalDisplay\\Q1.bmp",
        "\\DigitalDisplay\\Q2.bmp",  // 18, 19
        "\\DigitalDisplay\\Q3.bmp",
        "\\DigitalDisplay\\Q4.bmp",  // 20, 21
        "\\DigitalDisplay\\u.bmp",
        "\\DigitalDisplay\\L.bmp",  // 22, 23
        "\\DigitalDisplay\\R.bmp",
        "\\DigitalDisplay\\W.bmp",  // 24, 25
        "\\DigitalDisplay\\N.bmp",
        "\\DigitalDisplay\\E.bmp",  // 26, 27
        "\\DigitalDisplay\\H.bmp",
        "\\DigitalDisplay\\BigT.bmp",  // 28, 29
        "\\DigitalDisplay\\K.bmp",
        "\\DigitalDisplay\\C.bmp",  // 30, 31
        "\\DigitalDisplay\\G.bmp",
        "\\DigitalDisplay\\I.bmp",  // 32, 33
        nullptr,
        "\\DigitalDisplay\\A.bmp",  // 34, 35
        "\\DigitalDisplay\\P.bmp",
        nullptr,                          // 36, 37
        "\\DigitalDisplay\\zeropnt.bmp",  // 38
    };

    // Which glyph shows a character. Every character not listed shows the
    // blank glyph (the space, "F", "J", "M", "Q", "V", "X", "Y", "Z" and the
    // lower-case letters other than "d", "o" and "t" among them).
    struct CharacterGlyph {
        char character;
        int slot;
    };
    static constexpr CharacterGlyph kCharacterGlyphs[] = {
        {'0', 0},  {'1', 1},  {'2', 2},  {'3', 3},  {'4', 4},  {'5', 5},  {'6', 6},  {'7', 7},
        {'8', 8},  {'9', 9},  {'#', 18}, {'%', 19}, {'^', 20}, {'&', 21}, {'+', 16}, {'-', 13},
        {'.', 17}, {'@', 38}, {'A', 35}, {'B', 8},  {'C', 31}, {'D', 0},  {'E', 27}, {'G', 32},
        {'H', 28}, {'I', 33}, {'K', 30}, {'L', 23}, {'N', 26}, {'O', 0},  {'P', 36}, {'R', 24},
        {'S', 10}, {'T', 29}, {'U', 22}, {'W', 25}, {'d', 12}, {'o', 15}, {'t', 11},
    };
    static int SlotForCharacter(char c);

    // Loads every slot that has a file. A slot that fails stays empty, the
    // report gets "CDisplaySegment::LoadBitMap", the path and the reason, and
    // loading goes on. Returns true when every slot with a file loaded.
    bool Load(const char* folder, Kx_ErrorReport& report);
    bool IsLoaded() const { return m_loaded; }  // Load has run
    // Every glyph loaded; otherwise FailureText() says which one did not.
    bool IsComplete() const { return m_complete; }
    const char* FailureText() const { return m_failure; }
    bool HasGlyph(int slot) const;
    const CBitmapFile* Glyph(int slot) const;
    int Width(int slot) const;
    int Height(int slot) const;

    // The table every display cell uses.
    static CGlyphTable& Shared();

  private:
    struct Slot {
        std::int32_t width = 0;
        std::int32_t height = 0;
        CBitmapFile bitmap;
    };
    Slot m_slots[kSlotCount];
    bool m_loaded = false;
    bool m_complete = false;
    char m_failure[1024] = {};
};

class CDisplaySegment : public CBaseCockpitControl {
  public:
    static constexpr char kInitialCharacter = '@';
    static constexpr COLORREF kTextColour = RGB(251, 141, 45);  // amber
    static constexpr const char* kTextFace = "Arial";
    static constexpr int kTextSize = 100;  // tenths of a point
    static constexpr int kTextDx = 5;
    static constexpr int kTextDy = 8;

    // Places cell i at (x0 + i x glyph width, y0); the first cell of the
    // program loads the glyph table from folder. Returns false when that load
    // missed a picture (the cell still works with the glyphs it has).
    bool Initialise(int cellIndex, const char* folder, int x0, int y0);

    // Draws the character's glyph if it differs from the one shown.
    void SetCharacter(char c, CDC* dc);
    // Draws glyph slot 0 to 38 at the cell, unscaled; other slots draw nothing.
    void DrawGlyph(int slot, CDC* dc);
    // Draws a space or a digit as amber text in the cell; not cached.
    void DrawTextCharacter(char c, CDC* dc);
    // The next SetCharacter draws whatever it is given.
    void ForgetCharacter() { m_cacheValid = false; }

    char GetCachedCharacter() const { return m_cached; }
    int GetCellX() const { return m_cellX; }
    int GetCellY() const { return m_cellY; }

  private:
    bool m_fontCreated = false;
    std::int32_t m_cellX = 0;
    std::int32_t m_cellY = 0;
    char m_folder[kNameSize] = {};
    char m_cached = kInitialCharacter;
    bool m_cacheValid = true;
    CPoint m_textOrigin;
};
