#include "support/TestSupport.h"

#include <clocale>
#include <cstdlib>

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

namespace testsupport {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skylid-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        std::abort();
    m_path = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string UniqueSegmentName(const std::string& stem) {
    static std::atomic<int> counter{0};
    static const unsigned salt = std::random_device{}();
    std::ostringstream name;
    name << "SkylidTest_" << stem << "_" << ::getpid() << "_" << salt % 100000 << "_" << counter++;
    return name.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {
void Put16(std::string& s, std::uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(s, static_cast<std::uint16_t>(v >> 16));
}
}  // namespace

void WriteSolidBmp(const std::filesystem::path& path, int width, int height, unsigned colour) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * height);
    std::string s;
    s += "BM";
    Put32(s, 54 + pixelBytes);
    Put32(s, 0);
    Put32(s, 54);
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(width));
    Put32(s, static_cast<std::uint32_t>(height));
    Put16(s, 1);
    Put16(s, 24);
    Put32(s, 0);
    Put32(s, pixelBytes);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, 0);
    Put32(s, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s += static_cast<char>((colour >> 16) & 0xFF);  // blue
            s += static_cast<char>((colour >> 8) & 0xFF);   // green
            s += static_cast<char>(colour & 0xFF);          // red
        }
        s.append(static_cast<std::size_t>(rowBytes - width * 3), '\0');
    }
    WriteFile(path, s);
}

}  // namespace testsupport

namespace testsupport {

bool UseGermanLocale() {
    static TempDir* folder = nullptr;
    static bool built = false;
    if (folder == nullptr) {
        folder = new TempDir;  // kept for the whole run
        std::string command = "localedef -i de_DE -f UTF-8 '" +
                              (folder->Path() / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        built = std::system(command.c_str()) == 0;
        if (built)
            ::setenv("LOCPATH", folder->Path().c_str(), 1);
    }
    return built && std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

void RestoreCLocale() {
    std::setlocale(LC_ALL, "C");
}

}  // namespace testsupport
