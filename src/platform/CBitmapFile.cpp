#include "platform/CBitmapFile.h"

#include <QImage>
#include <QImageReader>
#include <cerrno>
#include <cstring>
#include <filesystem>

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

bool CBitmapFile::Load(const char* fileName) {
    Release();
    m_path = kx::WindowsNameToPath(fileName ? fileName : "");
    std::error_code ec;
    if (m_path.empty() || !std::filesystem::is_regular_file(m_path, ec)) {
        m_reason = std::strerror(ENOENT);
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
