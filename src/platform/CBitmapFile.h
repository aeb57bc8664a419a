// CBitmapFile: a Windows bitmap file loaded from disk at its own size.
//
// The name may be a Windows-style name (backslashes, any letter case); it is
// turned into a path with kx::WindowsNameToPath before loading, so an art set
// copied from Windows loads unchanged.
#pragma once

#include <memory>
#include <string>

#include "log/Kx_ErrorReport.h"
#include "platform/WinTypes.h"

class QImage;

class CBitmapFile {
  public:
    CBitmapFile();
    ~CBitmapFile();
    CBitmapFile(const CBitmapFile& other);
    CBitmapFile& operator=(const CBitmapFile& other);
    CBitmapFile(CBitmapFile&&) noexcept;
    CBitmapFile& operator=(CBitmapFile&&) noexcept;

    // Loads the file; on failure keeps nothing and leaves
    // "CBitmapFile::Load" + "\n" + reason + "\n" + path in the error report.
    bool Load(const char* fileName);
    void Release();

    bool IsLoaded() const;
    int Width() const;
    int Height() const;
    COLORREF GetPixel(int x, int y) const;  // 0 outside the picture or when not loaded
    const std::string& Path() const { return m_path; }
    const char* GetErrorText() { return m_error.GetErrorText(); }
    // Why the last load failed, without the where-part and the path.
    const std::string& GetReason() const { return m_reason; }

    // For the drawing context only.
    const QImage* Image() const { return m_image.get(); }

  private:
    std::unique_ptr<QImage> m_image;
    std::string m_path;
    std::string m_reason;
    Kx_ErrorReport m_error;
};
