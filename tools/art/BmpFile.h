// Writes a picture as an uncompressed 24-bit Windows bitmap: the format that
// every bitmap reader opens, byte for byte the same for the same picture.
#pragma once

#include <QImage>
#include <string>

namespace art {

// Writes the picture to the file, replacing it. On failure returns false with
// the reason in error.
bool WriteBmp24(const QImage& picture, const std::string& path, std::string& error);

}  // namespace art
