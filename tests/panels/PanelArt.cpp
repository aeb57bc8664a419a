#include "PanelArt.h"

#include <algorithm>

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

void WriteGlyphs(const std::filesystem::path& art) {
    for (int slot = 0; slot < CGlyphTable::kSlotCount; ++slot) {
        const char* name = CGlyphTable::kFileNames[slot];
        if (name != nullptr && name[0] != '\0') {
            Write(art, "", name + 1, 10, 16, SlotColour(99, slot));
        }
    }
}

void WriteSpecArt(const std::filesystem::path& art, const kit::PanelSpec& spec) {
    int index = 0;
    for (const kit::ButtonRow& row : spec.buttons) {
        ++index;
        for (int slot = 0; slot < 8; ++slot) {
            Write(art, row.picture, CButtonClass::kLegendSlotNames[slot], kSpecButtonSize[0],
                  kSpecButtonSize[1], SlotColour(index, slot));
        }
        for (int slot = 0; slot < 4; ++slot) {
            Write(art, row.picture, CButtonClass::kOnOffSlotNames[slot], kSpecButtonSize[0],
                  kSpecButtonSize[1], SlotColour(index, slot));
        }
    }
    for (const kit::CoverRow& row : spec.covers)
        WriteCoverFolder(art, row.picture, ++index);
    for (const kit::SwitchRow& row : spec.switches) {
        ++index;
        for (int p = 0; p < 3; ++p) {
            Write(art, "Switches/", row.pictures[p], kSpecSwitchSize[0], kSpecSwitchSize[1],
                  SlotColour(index, p));
        }
    }
    for (const kit::KnobRow& row : spec.knobs) {
        ++index;
        for (const char* picture : {row.picture, row.picture330}) {
            if (picture == nullptr)
                continue;
            for (int p = 0; p < CKnobClass::kPositionCount; ++p) {
                Write(art, picture, CKnobClass::kPositionNames[p], kSpecKnobSize, kSpecKnobSize,
                      SlotColour(index, p));
            }
        }
    }
    for (const kit::LightRow& row : spec.lights) {
        ++index;
        for (int slot = 0; slot < 2; ++slot) {
            Write(art, row.picture, CLightClass::kSlotNames[slot], kSpecLightSize[0],
                  kSpecLightSize[1], SlotColour(index, slot));
        }
    }
    for (const kit::RotaryRow& row : spec.rotaries) {
        ++index;
        for (int p = 0; p < 3; ++p) {
            Write(art, "RotaryKnobs/", row.pictures[p], kSpecRotarySize, kSpecRotarySize,
                  SlotColour(index, p));
        }
    }
    WriteGlyphs(art);
}

}  // namespace panelart
