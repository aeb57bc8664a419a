// Fuzz harness for the initialisation-file reading: the line file, the INI
// reader with every getter, and the whole Skylid.ini sequence into a
// segment-sized buffer.
//
// Built with clang and -fsanitize=fuzzer it is a libFuzzer target. Linked
// with the replay main of tests/support it is a plain program that runs every
// file of the folders (or files) named on its command line once, which is how
// ctest replays the committed corpus.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/CIniRead.h"
#include "config/Ini_File_Reader.h"
#include "config/SettingsFileClass.h"
#include "platform/KxClock.h"

namespace {

// The input goes into a file (the reader reads files) in a folder of its own,
// both removed again after each input, so that nothing is left behind even
// when the fuzzer ends without running destructors.
std::string g_inputPath;

bool WriteInput(const std::uint8_t* data, std::size_t size) {
    char folder[] = "/tmp/skylid-ini-fuzz-XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        return false;
    g_inputPath = std::string(folder) + "/Skylid.ini";
    std::FILE* file = std::fopen(g_inputPath.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    std::fclose(file);
    return ok;
}

void RemoveInput() {
    std::remove(g_inputPath.c_str());
    std::string folder = g_inputPath.substr(0, g_inputPath.rfind('/'));
    ::rmdir(folder.c_str());
}

const std::string& InputPath() {
    return g_inputPath;
}

const char* const kSections[] = {"DIRECTORY_PATHS", "FILES", "OPTIONS", "S", ""};
const char* const kItems[] = {
    "CockpitPanelBitMaps", "MainPicture", "IterationRate", "Logging", "A", ""};

void ExerciseReader() {
    Ini_File_Reader reader;
    if (!reader.OpenFile(InputPath().c_str()))
        return;
    for (const char* section : kSections) {
        for (const char* item : kItems) {
            char small[7];
            char large[1024];
            int i = 0;
            long l = 0;
            short s = 0;
            float f = 0;
            double d = 0;
            bool b = false;
            reader.GetString(section, item, small);
            reader.GetText(section, item, large);
            reader.GetInt(section, item, i);
            reader.GetLong(section, item, l);
            reader.GetShort(section, item, s);
            reader.GetFloat(section, item, f);
            reader.GetDouble(section, item, d);
            reader.GetBool(section, item, b);
            reader.FindLine(section, item);
        }
    }
    reader.GetErrorText();
}

void ExerciseLineFile() {
    SettingsFileClass file(InputPath(), SettingsFileClass::kRead);
    char cut[33];
    char plain[17];
    std::string line;
    for (int n = 0; n < 64; ++n) {
        bool more = (n % 3 == 0)   ? file.ReadLineCut(cut, sizeof cut)
                    : (n % 3 == 1) ? file.ReadLine(plain, static_cast<int>(sizeof plain))
                                   : file.ReadLine(line);
        if (!more)
            break;
    }
}

// The Logging option would open a log file under a path the input names;
// inputs that hold it are read by the reader only.
bool NamesLogging() {
    Ini_File_Reader reader;
    char value[16];
    return reader.OpenFile(InputPath().c_str()) && reader.GetText("OPTIONS", "Logging", value);
}

void ExerciseIniRead(std::size_t size) {
    if (NamesLogging())
        return;
    static std::vector<std::uint8_t> segment(Gensim_Shm::kSize);
    static kx::FakeClock clock;
    ViewInitialise::SetClock(&clock);
    CIniRead::SetProgramFolder("/nonexistent/skylid-fuzz/Bin");
    {
        CIniRead ini(segment.data(), InputPath().c_str());
        ini.ReadIniFile(size % 2 == 0 ? 5 : 0);
        ini.GetMainPicture();
    }
    ViewInitialise::SetClock(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!WriteInput(data, size))
        std::abort();  // the harness itself cannot work: stop loudly
    ExerciseLineFile();
    ExerciseReader();
    ExerciseIniRead(size);
    RemoveInput();
    return 0;
}
