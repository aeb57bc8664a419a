#include "PanelArt.h"

#include <algorithm>
#include <string>

#include "controls/CButtonClass.h"
#include "controls/CGuardedCover.h"
#include "controls/CLightClass.h"
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

void WriteGlyphs(const std::filesystem::path& art) {
    for (int slot = 0; slot < CGlyphTable::kSlotCount; ++slot) {
        const char* name = CGlyphTable::kFileNames[slot];
        if (name != nullptr && name[0] != '\0') {
            Write(art, "", name + 1, 10, 16, SlotColour(99, slot));
        }
    }
}

void WriteKeyFolder(const std::filesystem::path& art, const char* folder, int folderIndex) {
    for (int slot = 0; slot < 4; ++slot) {
        Write(art, folder, CButtonClass::kOnOffSlotNames[slot], 20, 14,
              SlotColour(folderIndex, slot));
    }
}

void WriteLightFolder(const std::filesystem::path& art, const char* folder, int folderIndex) {
    for (int slot = 0; slot < 2; ++slot)
        Write(art, folder, CLightClass::kSlotNames[slot], 20, 14, SlotColour(folderIndex, slot));
}

void WriteMcduFolders(const std::filesystem::path& art) {
    const char* const keys[] = {
        "Buttons\\Lsk",       "Buttons\\McduLeft",  "Buttons\\McduUp",    "Buttons\\McduRight",
        "Buttons\\McduDown",  "Buttons\\McduDir",   "Buttons\\McduProg",  "Buttons\\McduPerf",
        "Buttons\\McduInit",  "Buttons\\McduData",  "Buttons\\McduFPlan", "Buttons\\McduRadNav",
        "Buttons\\McduFuel",  "Buttons\\McduSec",   "Buttons\\McduBlank", "Buttons\\McduMenu",
        "Buttons\\McduAprt",  "Buttons\\McduMinus", "Buttons\\McduPlus",  "Buttons\\McduOvfy",
        "Buttons\\McduPoint", "Buttons\\McduSlash", "Buttons\\McduClr",
    };
    int index = 20;
    for (const char* folder : keys)
        WriteKeyFolder(art, folder, index++);
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")) {
        std::string folder = std::string("Buttons\\Mcdu") + c;
        WriteKeyFolder(art, folder.c_str(), index++);
    }
    for (const char* folder : {"Lights\\McduTopLeft", "Lights\\McduBotLeft", "Lights\\McduTopRight",
                               "Lights\\McduBotRight"}) {
        WriteLightFolder(art, folder, index++);
    }
}

}  // namespace panelart
