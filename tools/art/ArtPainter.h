// Drawing of the default art: one picture per file of the table, and the
// main picture of the whole cockpit.
#pragma once

#include <QImage>
#include <QString>

#include "art/ArtLabels.h"
#include "art/ArtTable.h"

namespace art {

// The family of fonts used for every word in the pictures.
inline constexpr const char* kFontFamily = "Liberation Sans";

// Width and height of the picture of one file.
void PictureSize(const ArtFile& file, int& width, int& height);

// Draws the picture of one file.
QImage PaintPicture(const ArtFile& file);

// Draws the main picture: every place of the panel layout table that holds a
// panel, as a plate with its name, on the cockpit's background.
QImage PaintCockpit();

// The size of one line of an engraved control label, in the labels' font.
TextSize MeasureLabel(const std::string& line, int pixelSize);

}  // namespace art
