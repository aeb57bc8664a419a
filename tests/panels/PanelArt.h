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
// Push-button folder with the four on/off pictures (w x h).
void WriteOnOffButtonFolder(const std::filesystem::path& art, const char* folder, int folderIndex,
                            int w, int h);
// Switch pictures in the Switches folder, picture i of the list in
// SlotColour(folderIndex, i) (w x h).
void WriteSwitchPictures(const std::filesystem::path& art, const char* const (&names)[3],
                         int folderIndex, int w, int h);
// Knob folder with the eight position pictures (size x size), position p in
// SlotColour(folderIndex, p).
void WriteKnobFolder(const std::filesystem::path& art, const char* folder, int folderIndex,
                     int size);
// Light folder with On.bmp (slot 0) and Off.bmp (slot 1), w x h.
void WriteLightFolder(const std::filesystem::path& art, const char* folder, int folderIndex, int w,
                      int h);
// The 39 glyphs of the numeric displays (10 x 16), glyph i in SlotColour(99, i).
void WriteGlyphs(const std::filesystem::path& art);

// Key folder with the four on/off pictures (20 x 14).
void WriteKeyFolder(const std::filesystem::path& art, const char* folder, int folderIndex);
// Light folder with On.bmp and Off.bmp (20 x 14).
void WriteLightFolder(const std::filesystem::path& art, const char* folder, int folderIndex);
// Every key and light folder of the MCDU panel.
void WriteMcduFolders(const std::filesystem::path& art);
// RotaryKnobs\<file>, size x size.
void WriteRotaryKnob(const std::filesystem::path& art, const char* file, int folderIndex, int size);

// Every picture of the FCU (knobs 40 x 40, buttons 30 x 20, lights 8 x 8) and
// the glyphs; folder indices from 20 on.
void WriteFcuArt(const std::filesystem::path& art);
// Every picture that a kit panel's rows name, in both layouts, as solid
// pictures of the sizes below, and the display glyphs.
inline constexpr int kArtButtonSize[2] = {24, 20};
inline constexpr int kArtKnobSize = 30;
inline constexpr int kArtSwitchSize[2] = {20, 40};
inline constexpr int kArtRotarySize = 40;
inline constexpr int kArtLightSize[2] = {20, 10};
void WriteDescriptionArt(const std::filesystem::path& art, const kit::PanelDescription& desc);

}  // namespace panelart
