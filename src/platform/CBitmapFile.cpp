#include "platform/CBitmapFile.h"

#include <QImage>
#include <QImageReader>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/KxPath.h"

CBitmapFile::CBitmapFile() = default;
CBitmapFile::~CBitmapFile() = default;
CBitmapFile::CBitmapFile(CBitmapFile&&) noexcept = default;
CBitmapFile& CBitmapFile::operator=(CBitmapFile&&) noexcept = default;

CBitmapFile::CBitmapFile(const CBitmapFile& other)
    : m_image(other.m_image ? std::make_unique<QImage>(*other.m_image) : nullptr),
      m_path(other.m_path),
      m_reason(other.m_reason),
      m_error(other.m_error) {}

CBitmapFile& CBitmapFile::operator=(const CBitmapFile& other) {
    if (this != &other) {
        m_image = other.m_image ? std::make_unique<QImage>(*other.m_image) : nullptr;
        m_path = other.m_path;
        m_reason = other.m_reason;
        m_error = other.m_error;
    }
    return *this;
}

namespace {

std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A bitmap whose file ends before the picture its header describes would
// load as a partly black picture: the header is checked against the file's
// length first. Empty when the file is whole (or not a bitmap at all, which
// the reader reports).
std::string CheckLength(const std::string& path, std::uintmax_t fileSize) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[54] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < 2 || header[0] != 'B' || header[1] != 'M')
        return {};
    auto tooShort = [&](std::uint64_t expected) {
        return "The file is shorter than its header says (" + std::to_string(fileSize) +
               " bytes, " + std::to_string(expected) + " expected)";
    };
    if (got < sizeof header)
        return tooShort(sizeof header);
    const std::uint32_t offBits = Le32(header + 10);
    const std::uint32_t infoSize = Le32(header + 14);
    if (infoSize < 40)
        return {};  // an old core header: left to the reader
    const auto width = static_cast<std::int32_t>(Le32(header + 18));
    const auto height = static_cast<std::int32_t>(Le32(header + 22));
    const unsigned bits = header[28] | (header[29] << 8);
    const std::uint32_t compression = Le32(header + 30);
    const std::uint32_t imageSize = Le32(header + 34);
    std::uint64_t pixels = 0;
    if (compression == 0 || compression == 3) {  // uncompressed, or with bit fields
        const std::uint64_t w = width < 0 ? -static_cast<std::int64_t>(width) : width;
        const std::uint64_t h = height < 0 ? -static_cast<std::int64_t>(height) : height;
        pixels = ((w * bits + 31) / 32) * 4 * h;
    } else {
        pixels = imageSize;
    }
    const std::uint64_t expected = static_cast<std::uint64_t>(offBits) + pixels;
    if (fileSize < expected)
        return tooShort(expected);
    return {};
}

}  // namespace

bool CBitmapFile::Load(const char* fileName) {
    Release();
    m_path = kx::WindowsNameToPath(fileName ? fileName : "");
    std::error_code ec;
    if (m_path.empty() || !std::filesystem::exists(m_path, ec)) {
        m_reason = std::strerror(ENOENT);
        m_error.SetError("CBitmapFile::Load", m_reason.c_str(), m_path.c_str());
        return false;
    }
    if (!std::filesystem::is_regular_file(m_path, ec)) {
        m_reason = std::filesystem::is_directory(m_path, ec) ? std::strerror(EISDIR)
                                                             : "Not a regular file";
        m_error.SetError("CBitmapFile::Load", m_reason.c_str(), m_path.c_str());
        return false;
    }
    m_reason = CheckLength(m_path, std::filesystem::file_size(m_path, ec));
    if (!m_reason.empty()) {
        m_error.SetError("CBitmapFile::Load", m_reason.c_str(), m_path.c_str());
        return false;
    }
    QImageReader reader(QString::fromStdString(m_path), "BMP");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull()) {
        m_reason = "Not a readable Windows bitmap";
        m_error.SetError("CBitmapFile::Load", m_reason.c_str(), m_path.c_str());
        return false;
    }
    m_image = std::make_unique<QImage>(image.convertToFormat(QImage::Format_RGB32));
    return true;
}

void CBitmapFile::Release() {
    m_image.reset();
}

bool CBitmapFile::IsLoaded() const {
    return m_image != nullptr;
}
int CBitmapFile::Width() const {
    return m_image ? m_image->width() : 0;
}
int CBitmapFile::Height() const {
    return m_image ? m_image->height() : 0;
}

COLORREF CBitmapFile::GetPixel(int x, int y) const {
    if (!m_image || !m_image->valid(x, y))
        return 0;
    QRgb p = m_image->pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}
