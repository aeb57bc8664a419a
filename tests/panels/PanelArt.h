// A small art set for panel tests: every picture a panel asks for, as solid
// pictures whose colour tells which picture slot of which control was drawn.
#pragma once

#include <filesystem>
#include <string>

#include "panels/KitRows.h"
#include "platform/WinTypes.h"

namespace panelart {

// The colour of slot `slot` of the picture folder with index `folderIndex`.
COLORREF SlotColour(int folderIndex, int slot);

// Push-button folder with the eight legend pictures (40 x 40).
void WriteButtonFolder(const std::filesystem::path& art, const char* folder, int folderIndex);
// Cover folder with Up.bmp and Down.bmp (44 x 44).
void WriteCoverFolder(const std::filesystem::path& art, const char* folder, int folderIndex);
// The 39 glyphs of the numeric displays (10 x 16), glyph i in SlotColour(99, i).
void WriteGlyphs(const std::filesystem::path& art);

// Every picture that a kit panel's rows name, in both layouts, as solid
// pictures of the sizes below, and the display glyphs.
inline constexpr int kSpecButtonSize[2] = {24, 20};
inline constexpr int kSpecKnobSize = 30;
inline constexpr int kSpecSwitchSize[2] = {20, 40};
inline constexpr int kSpecRotarySize = 40;
inline constexpr int kSpecLightSize[2] = {20, 10};
void WriteSpecArt(const std::filesystem::path& art, const kit::PanelSpec& spec);

}  // namespace panelart
