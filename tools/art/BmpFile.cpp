#include "art/BmpFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace art {

namespace {

void Put16(std::vector<unsigned char>& out, std::uint16_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(std::vector<unsigned char>& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

bool WriteBmp24(const QImage& picture, const std::string& path, std::string& error) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0) {
        error = "empty picture for " + path;
        return false;
    }
    // Rows are padded to four bytes and stored bottom row first.
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    const std::uint32_t headerBytes = 14 + 40;
    std::vector<unsigned char> data;
    data.reserve(headerBytes + pixelBytes);
    // File header.
    data.push_back('B');
    data.push_back('M');
    Put32(data, headerBytes + pixelBytes);
    Put32(data, 0);
    Put32(data, headerBytes);
    // Bitmap information header.
    Put32(data, 40);
    Put32(data, static_cast<std::uint32_t>(width));
    Put32(data, static_cast<std::uint32_t>(height));
    Put16(data, 1);   // planes
    Put16(data, 24);  // bits per pixel
    Put32(data, 0);   // no compression
    Put32(data, pixelBytes);
    Put32(data, 2835);  // 72 dots per inch
    Put32(data, 2835);
    Put32(data, 0);
    Put32(data, 0);
    for (int y = height - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            data.push_back(static_cast<unsigned char>(qBlue(row[x])));
            data.push_back(static_cast<unsigned char>(qGreen(row[x])));
            data.push_back(static_cast<unsigned char>(qRed(row[x])));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < rowBytes; ++pad)
            data.push_back(0);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : writeErrno);
        return false;
    }
    return true;
}

}  // namespace art
