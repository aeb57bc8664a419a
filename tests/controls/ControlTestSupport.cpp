#include "ControlTestSupport.h"

#include "controls/CDisplaySegment.h"
#include "controls/CPanelDisplay.h"
#include "support/TestSupport.h"

namespace ctl {

void WritePicture(const std::filesystem::path& folder, const char* name, int w, int h,
                  COLORREF colour) {
    std::string relative;
    for (const char* p = name; *p; ++p)
        relative += (*p == '\\') ? '/' : *p;
    while (!relative.empty() && relative.front() == '/')
        relative.erase(0, 1);
    testsupport::WriteSolidBmp(folder / relative, w, h, colour);
}

void WriteSlots(const std::filesystem::path& folder, const char* subFolder,
                const char* const* names, int count, int w, int h, unsigned skipMask) {
    for (int i = 0; i < count; ++i) {
        if (names[i] == nullptr || (skipMask & (1u << i)) != 0)
            continue;
        WritePicture(folder, (std::string(subFolder) + names[i]).c_str(), w, h, SlotColour(i));
    }
}

const std::string& GlyphFolder() {
    static testsupport::TempDir dir;
    static const std::string folder = [] {
        for (int slot = 0; slot < CGlyphTable::kSlotCount; ++slot) {
            if (CGlyphTable::kFileNames[slot] != nullptr)
                WritePicture(dir.Path(), CGlyphTable::kFileNames[slot], kGlyphWidth, kGlyphHeight,
                             SlotColour(slot));
        }
        return dir.Path().string();
    }();
    return folder;
}

void EnsureGlyphTable() {
    if (CGlyphTable::Shared().IsLoaded())
        return;
    PanelDisplaySettings s;
    s.cellCount = 1;
    s.folder = GlyphFolder().c_str();
    CPanelDisplay display;
    display.Initialise(s);
}

int SlotAt(const CDC& dc, int x, int y) {
    COLORREF c = dc.GetPixel(x, y);
    if (c == kBackground)
        return -1;
    for (int slot = 0; slot < 46; ++slot) {
        if (c == SlotColour(slot))
            return slot;
    }
    return -2;
}

}  // namespace ctl
