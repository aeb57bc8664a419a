// Helpers shared by the test executables: a temporary folder that removes
// itself, unique segment names, and small file writers.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

// A segment name no other test (or test run) uses.
std::string UniqueSegmentName(const std::string& stem);

void WriteFile(const std::filesystem::path& path, const std::string& content);
std::string ReadFile(const std::filesystem::path& path);

// Switches the whole program to a German locale (decimal comma, German day
// and month names), built for the test with localedef into a temporary
// folder; false when that is not possible on this machine. RestoreCLocale
// goes back.
bool UseGermanLocale();
void RestoreCLocale();

// Writes a 24-bit Windows bitmap of one colour (0x00BBGGRR).
void WriteSolidBmp(const std::filesystem::path& path, int width, int height, unsigned colour);

}  // namespace testsupport
