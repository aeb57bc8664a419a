// Helpers of the control tests: art folders of small solid pictures, one
// distinct colour per picture slot, and reading back which picture a control
// drew where.
#pragma once

#include <filesystem>
#include <string>

#include "controls/CPanelMouse.h"
#include "controls/MouseEvent.h"
#include "platform/CDC.h"
#include "platform/WinTypes.h"

namespace ctl {

constexpr COLORREF kBackground = RGB(1, 2, 3);

// Distinct for slots 0 to 45, and never the background.
constexpr COLORREF SlotColour(int slot) {
    return RGB(20 + 5 * slot, 250 - 5 * slot, (slot * 37) % 200 + 40);
}

// Writes picture name (a Windows-style name such as "\Buttons\Test\TopIn.bmp")
// below folder, w x h pixels of the colour.
void WritePicture(const std::filesystem::path& folder, const char* name, int w, int h,
                  COLORREF colour);

// Writes one picture per name, slot i in SlotColour(i), skipping null names
// and the slots whose bit is set in skipMask.
void WriteSlots(const std::filesystem::path& folder, const char* subFolder,
                const char* const* names, int count, int w, int h, unsigned skipMask = 0);

// The slot whose colour is at (x, y): -1 for the background, -2 for anything
// else.
int SlotAt(const CDC& dc, int x, int y);

// Draws through f onto a fresh background and tells which slot is at (x, y).
template <typename DrawFn>
int DrawnSlot(DrawFn f, int x, int y, int width = 400, int height = 300) {
    CDC dc(width, height, kBackground);
    f(&dc);
    return SlotAt(dc, x, y);
}

// The folder of the glyph pictures that every display of this test program
// uses (glyph slot i in SlotColour(i), 8 x 12 pixels). The glyph table is
// loaded once per program, so every test initialises its displays from here,
// and EnsureGlyphTable loads it from here before anything else can.
const std::string& GlyphFolder();
void EnsureGlyphTable();
constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 12;

// Puts the mouse on a point of the cockpit picture.
inline void MouseAt(int x, int y, int scrollX = 0, int scrollY = 0) {
    CPanelMouse::SetScroll(scrollX, scrollY);
    CPanelMouse::SetMousePoint(x - scrollX, y - scrollY);
}

inline MouseEvent Event(int code) {
    MouseEvent e;
    e.code = code;
    return e;
}

}  // namespace ctl
