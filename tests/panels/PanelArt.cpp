#include "PanelArt.h"

#include <algorithm>

#include "controls/CButtonClass.h"
#include "controls/CGuardedCover.h"
#include "controls/CKnobClass.h"
#include "controls/CPanelDisplay.h"
#include "support/TestSupport.h"

namespace panelart {

namespace {
void Write(const std::filesystem::path& art, std::string folder, const char* slotName, int w, int h,
           COLORREF colour) {
    std::string name = folder + slotName;
    std::replace(name.begin(), name.end(), '\\', '/');
    testsupport::WriteSolidBmp(art / name, w, h, colour);
}
}  // namespace

COLORREF SlotColour(int folderIndex, int slot) {
    return RGB(10 + folderIndex * 23 % 200, 30 + slot * 25, 200 - folderIndex * 7 % 150);
}

void WriteButtonFolder(const std::filesystem::path& art, const char* folder, int folderIndex) {
    for (int slot = 0; slot < 8; ++slot) {
        Write(art, folder, CButtonClass::kLegendSlotNames[slot], 40, 40,
              SlotColour(folderIndex, slot));
    }
}

void WriteCoverFolder(const std::filesystem::path& art, const char* folder, int folderIndex) {
    for (int slot = 0; slot < 2; ++slot) {
        Write(art, folder, CGuardedCover::kSlotNames[slot], 44, 44, SlotColour(folderIndex, slot));
    }
}

void WriteOnOffButtonFolder(const std::filesystem::path& art, const char* folder, int folderIndex,
                            int w, int h) {
    for (int slot = 0; slot < 4; ++slot) {
        Write(art, folder, CButtonClass::kOnOffSlotNames[slot], w, h,
              SlotColour(folderIndex, slot));
    }
}

void WriteSwitchPictures(const std::filesystem::path& art, const char* const (&names)[3],
                         int folderIndex, int w, int h) {
    for (int slot = 0; slot < 3; ++slot)
        Write(art, "Switches/", names[slot], w, h, SlotColour(folderIndex, slot));
}

void WriteKnobFolder(const std::filesystem::path& art, const char* folder, int folderIndex,
                     int size) {
    for (int p = 0; p < CKnobClass::kPositionCount; ++p) {
        Write(art, folder, CKnobClass::kPositionNames[p], size, size, SlotColour(folderIndex, p));
    }
}

void WriteLightFolder(const std::filesystem::path& art, const char* folder, int folderIndex, int w,
                      int h) {
    Write(art, folder, "\\On.bmp", w, h, SlotColour(folderIndex, 0));
    Write(art, folder, "\\Off.bmp", w, h, SlotColour(folderIndex, 1));
}

void WriteGlyphs(const std::filesystem::path& art) {
    for (int slot = 0; slot < CGlyphTable::kSlotCount; ++slot) {
        const char* name = CGlyphTable::kFileNames[slot];
        if (name != nullptr && name[0] != '\0') {
            Write(art, "", name + 1, 10, 16, SlotColour(99, slot));
        }
    }
}

}  // namespace panelart
