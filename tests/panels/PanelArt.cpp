#include "PanelArt.h"

#include <algorithm>
#include <string>

#include "controls/CButtonClass.h"
#include "controls/CGuardedCover.h"
#include "controls/CKnobClass.h"
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

void WriteRotaryKnob(const std::filesystem::path& art, const char* file, int folderIndex,
                     int size) {
    Write(art, "RotaryKnobs\\", file, size, size, SlotColour(folderIndex, 0));
}

void WriteFcuArt(const std::filesystem::path& art) {
    int index = 20;
    for (const char* folder :
         {"Buttons\\AutoP1", "Buttons\\AutoP2", "Buttons\\AutoT", "Buttons\\FcuLoc",
          "Buttons\\FcuApp", "Buttons\\FcuExped", "Buttons\\FcuAlt", "Buttons\\FcuButton"})
        WriteOnOffButtonFolder(art, folder, index++, 30, 20);
    for (const char* knob :
         {"SpdKnob.bmp", "SpdKnobPush.bmp", "SpdKnobPull.bmp", "HdgKnob.bmp", "HdgKnobPush.bmp",
          "HdgKnobPull.bmp", "AltKnob.bmp", "AltKnobPush.bmp", "AltKnobPull.bmp", "AltKnob100.bmp",
          "AltPush100.bmp", "VsKnob.bmp", "VsKnobPush.bmp", "VsKnobPull.bmp"})
        WriteRotaryKnob(art, knob, index++, 40);
    for (const char* light :
         {"Lights\\FcuSpd", "Lights\\MachPoint", "Lights\\HdgTrk", "Lights\\FcuLat",
          "Lights\\FcuAlt", "Lights\\VsFpa", "Lights\\FcuDot", "Blanks\\Fcu"})
        WriteLightFolder(art, light, index++, 8, 8);
    WriteGlyphs(art);
}

void WriteDescriptionArt(const std::filesystem::path& art, const kit::PanelDescription& desc) {
    int index = 0;
    for (const kit::ButtonRow& row : desc.buttons) {
        ++index;
        for (int slot = 0; slot < 8; ++slot) {
            Write(art, row.picture, CButtonClass::kLegendSlotNames[slot], kArtButtonSize[0],
                  kArtButtonSize[1], SlotColour(index, slot));
        }
        for (int slot = 0; slot < 4; ++slot) {
            Write(art, row.picture, CButtonClass::kOnOffSlotNames[slot], kArtButtonSize[0],
                  kArtButtonSize[1], SlotColour(index, slot));
        }
    }
    for (const kit::CoverRow& row : desc.covers)
        WriteCoverFolder(art, row.picture, ++index);
    for (const kit::SwitchRow& row : desc.switches) {
        ++index;
        for (int p = 0; p < 3; ++p) {
            Write(art, "Switches/", row.pictures[p], kArtSwitchSize[0], kArtSwitchSize[1],
                  SlotColour(index, p));
        }
    }
    for (const kit::KnobRow& row : desc.knobs) {
        ++index;
        for (const char* picture : {row.picture, row.picture330}) {
            if (picture == nullptr)
                continue;
            for (int p = 0; p < CKnobClass::kPositionCount; ++p) {
                Write(art, picture, CKnobClass::kPositionNames[p], kArtKnobSize, kArtKnobSize,
                      SlotColour(index, p));
            }
        }
    }
    for (const kit::LightRow& row : desc.lights) {
        ++index;
        for (int slot = 0; slot < 2; ++slot) {
            Write(art, row.picture, CLightClass::kSlotNames[slot], kArtLightSize[0],
                  kArtLightSize[1], SlotColour(index, slot));
        }
    }
    for (const kit::RotaryRow& row : desc.rotaries) {
        ++index;
        for (int p = 0; p < 3; ++p) {
            Write(art, "RotaryKnobs/", row.pictures[p], kArtRotarySize, kArtRotarySize,
                  SlotColour(index, p));
        }
    }
    WriteGlyphs(art);
}

}  // namespace panelart
