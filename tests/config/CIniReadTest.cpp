#include "config/CIniRead.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "banner/KxBanner.h"
#include "log/LogFileClass.h"
#include "support/TestSupport.h"

namespace {

// One start-up report entry as the banner would see it after the entry.
struct Entry {
    bool error;
    std::string heading, text;               // progress entries
    std::string title, consequence, detail;  // error entries
};

// The report's pause clock: instead of sleeping it notes the entry just made.
class RecordingClock final : public kx::IClock {
  public:
    explicit RecordingClock(const std::uint8_t* segment) : m_segment(segment) {}
    std::int64_t NowNs() override { return 0; }
    void SleepNs(std::int64_t ns) override {
        slept += ns;
        namespace r = generic::report;
        int errors = r::kErrorCount.Read(m_segment);
        Entry e{};
        e.error = errors != m_errors;
        m_errors = errors;
        char text[512];
        r::kHeading.Read(m_segment, text, sizeof text);
        e.heading = text;
        r::kText.Read(m_segment, text, sizeof text);
        e.text = text;
        r::kErrorTitle.Read(m_segment, text, sizeof text);
        e.title = text;
        r::kErrorConsequence.Read(m_segment, text, sizeof text);
        e.consequence = text;
        r::kErrorDetail.Read(m_segment, text, sizeof text);
        e.detail = text;
        entries.push_back(e);
    }
    std::vector<Entry> Errors() const {
        std::vector<Entry> out;
        for (const Entry& e : entries)
            if (e.error)
                out.push_back(e);
        return out;
    }
    std::vector<Entry> entries;
    std::int64_t slept = 0;

  private:
    const std::uint8_t* m_segment;
    int m_errors = 0;
};

std::string TextAt(const std::vector<std::uint8_t>& seg, std::size_t offset, std::size_t n) {
    const char* p = reinterpret_cast<const char*>(seg.data() + offset);
    return std::string(p, strnlen(p, n));
}

std::int32_t IntAt(const std::vector<std::uint8_t>& seg, std::size_t offset) {
    std::int32_t v;
    std::memcpy(&v, seg.data() + offset, sizeof v);
    return v;
}

class CIniReadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        programFolder = (dir.Path() / "Bin").string();
        std::filesystem::create_directories(programFolder);
        CIniRead::SetProgramFolder(programFolder);
        ViewInitialise::SetClock(&clock);
    }
    void TearDown() override {
        ViewInitialise::SetClock(nullptr);
        ViewInitialise::Unbind();
        CIniRead::SetProgramFolder("");
        KxBanner::SetProgramCommand("");
        LogFileClass::SetLoggingEnabled(false);
    }
    std::string WriteIni(const std::string& text) {
        std::string path = dir / "Skylid.ini";
        testsupport::WriteFile(path, text);
        return path;
    }
    // A data file under the program folder; returns its full path.
    std::string DataFile(const std::string& name) {
        std::string path = programFolder + "/Data/" + name;
        testsupport::WriteFile(path, "data\n");
        return path;
    }
    bool Read(const std::string& iniPath, int mask) {
        CIniRead reader(seg.data(), iniPath.c_str());
        bool ok = reader.ReadIniFile(mask);
        mainPicture = reader.GetMainPicture();
        foMainPicture = reader.GetFoMainPicture();
        return ok;
    }

    testsupport::TempDir dir;
    std::string programFolder;
    std::vector<std::uint8_t> seg = std::vector<std::uint8_t>(Gensim_Shm::kSize);
    RecordingClock clock{seg.data()};
    std::string mainPicture, foMainPicture;
};

const std::string kBitmapsLine = "CockpitPanelBitMaps = ..\\Art\\Bitmaps\n";
const std::string kFilesPart = "[FILES]\nMainPicture = ..\\Data\\main.bmp\n";
const std::string kMinimalIni = "[DIRECTORY_PATHS]\n" + kBitmapsLine + kFilesPart;

}  // namespace

TEST_F(CIniReadTest, CompleteFileFillsEveryFieldAtItsOffset) {
    struct Item {
        const char* section;
        const char* name;
        std::size_t offset;  // 0: kept by the reader
    } items[] = {
        {"DIRECTORY_PATHS", "CockpitPanelBitMaps", 4908},
        {"DIRECTORY_PATHS", "ProgramPath", 6958},
        {"FILES", "MainPicture", 0},
        {"FILES", "FoMainPicture", 0},
        {"FILES", "HelpFile", 13958},
        {"FILES", "VorData", 18958},
        {"FILES", "NdbData", 19958},
        {"FILES", "SID", 8958},
        {"FILES", "STAR", 9958},
        {"FILES", "Runways", 17958},
        {"FILES", "Airways", 10958},
        {"FILES", "Airports", 21958},
        {"DIRECTORY_PATHS", "CompanyRoutes", 7958},
        {"FILES", "AirwaysIntercept", 14958},
        {"FILES", "MAPP", 23958},
        {"DIRECTORY_PATHS", "NavData", 20958},
        {"DIRECTORY_PATHS", "LogFilePath", 15958},
        {"DIRECTORY_PATHS", "SoundFiles", 16958},
    };
    std::string paths = "[DIRECTORY_PATHS]\n", files = "[FILES]\n";
    for (const Item& item : items) {
        bool isFile = std::strcmp(item.section, "FILES") == 0;
        std::string value = std::string(item.name) + (isFile ? ".dat" : "Dir");
        if (isFile)
            DataFile(value);
        (isFile ? files : paths) += std::string(item.name) + " = ..\\Data\\" + value + "\n";
    }
    files += "FixData = " + DataFile("fix.dat") + "\n";
    std::string options =
        "[OPTIONS]\nLargeFont = 11\nSmallFont = 12\nTitleFont = 13\nEcamFont = 14\n"
        "FmcLargeFont = 15\nFmcSmallFont = 16\nIterationRate = 25\n";
    ASSERT_TRUE(Read(WriteIni(paths + files + options), 0xFFFF));

    for (const Item& item : items) {
        bool isFile = std::strcmp(item.section, "FILES") == 0;
        std::string expected = programFolder + "/Data/" + item.name + (isFile ? ".dat" : "Dir");
        if (item.offset != 0) {
            EXPECT_EQ(TextAt(seg, item.offset, 1000), expected) << item.name;
        }
    }
    EXPECT_EQ(mainPicture, programFolder + "/Data/MainPicture.dat");
    EXPECT_EQ(foMainPicture, programFolder + "/Data/FoMainPicture.dat");
    // FixData is read twice: the fix data and the waypoint data.
    EXPECT_EQ(TextAt(seg, 11958, 1000), programFolder + "/Data/fix.dat");
    EXPECT_EQ(TextAt(seg, 12958, 1000), programFolder + "/Data/fix.dat");
    EXPECT_EQ(IntAt(seg, 3728), 11);
    EXPECT_EQ(IntAt(seg, 3732), 12);
    EXPECT_EQ(IntAt(seg, 3740), 13);
    EXPECT_EQ(IntAt(seg, 3736), 14);
    EXPECT_EQ(IntAt(seg, 3744), 15);
    EXPECT_EQ(IntAt(seg, 3748), 16);
    EXPECT_EQ(IntAt(seg, 2064), 25);

    // "Reading Ini File" and one entry per path or file item; no errors.
    ASSERT_EQ(clock.entries.size(), 21u);
    EXPECT_EQ(clock.entries[0].text, "Reading Ini File ... " + (dir / "Skylid.ini"));
    EXPECT_EQ(clock.entries[0].heading, "");
    EXPECT_EQ(clock.entries[1].heading, "CIniRead::GetInitData");
    EXPECT_EQ(clock.entries[1].text,
              "Using Data File : " + programFolder + "/Data/CockpitPanelBitMapsDir");
    EXPECT_TRUE(clock.Errors().empty());
    EXPECT_EQ(IntAt(seg, 104792 + 4), 21);
    EXPECT_EQ(clock.slept, 21 * 100'000'000LL);
    // The report is unbound once the file is closed.
    EXPECT_FALSE(ViewInitialise::IsBound());
}

TEST_F(CIniReadTest, DotDotBackslashMeansTheProgramsOwnFolder) {
    EXPECT_EQ(CIniRead::ResolvePath("..\\Data\\x.bmp"), programFolder + "/Data/x.bmp");
    EXPECT_EQ(CIniRead::ResolvePath(" \t..\\x"), programFolder + "/x");
    EXPECT_EQ(CIniRead::ResolvePath("..\\"), programFolder + "/");
    // Anything else is taken as it stands.
    EXPECT_EQ(CIniRead::ResolvePath("C:\\Sim\\x"), "C:\\Sim\\x");
    EXPECT_EQ(CIniRead::ResolvePath("../x"), "../x");
    EXPECT_EQ(CIniRead::ResolvePath("..x"), "..x");
    // Paths hold at most 259 characters.
    EXPECT_EQ(CIniRead::ResolvePath(std::string(400, 'p').c_str()), std::string(259, 'p'));
    CIniRead::SetProgramFolder("/");
    EXPECT_EQ(CIniRead::ResolvePath("..\\a\\b"), "/a/b");
    // Without a folder set for a test, the running program's folder.
    CIniRead::SetProgramFolder("");
    EXPECT_EQ(CIniRead::ResolvePath("..\\x"),
              std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/x");
}

TEST_F(CIniReadTest, FileItemsMustExistFoldersNeedNot) {
    std::string present = DataFile("fix.dat");
    std::filesystem::create_directories(programFolder + "/Data/folder.dat");
    std::string ini = WriteIni(
        "[FILES]\nFixData = ..\\Data\\fix.dat\nVorData = ..\\Data\\gone.dat\n"
        "NdbData = ..\\Data\\folder.dat\nCase = ..\\Data\\FIX.DAT\n"
        "[DIRECTORY_PATHS]\nNavData = ..\\No\\Such\\Folder\n");
    CIniRead reader(seg.data(), ini.c_str());
    Ini_File_Reader file;
    ASSERT_TRUE(file.OpenFile(ini.c_str()));
    char out[1000];

    CIniRead::Request ok{&file, "FILES", "FixData", out, sizeof out};
    EXPECT_TRUE(reader.GetInitData(ok, true));
    EXPECT_EQ(std::string(out), present);
    ASSERT_EQ(clock.entries.size(), 1u);
    EXPECT_EQ(clock.entries[0].heading, "CIniRead::GetInitData");
    EXPECT_EQ(clock.entries[0].text, "Using Data File : " + present);

    // A missing file counts as missing; its path is in the destination.
    CIniRead::Request gone{&file, "FILES", "VorData", out, sizeof out};
    EXPECT_FALSE(reader.GetInitData(gone, true));
    EXPECT_TRUE(gone.written);
    std::string gonePath = programFolder + "/Data/gone.dat";
    EXPECT_EQ(std::string(out), gonePath);
    EXPECT_EQ(reader.GetLookupError(),
              "Tag >VorData< identifies >" + gonePath + "<  but it appears not to exist");
    EXPECT_EQ(clock.entries.size(), 1u);  // no report for it

    // A folder is no data file.
    CIniRead::Request folder{&file, "FILES", "NdbData", out, sizeof out};
    EXPECT_FALSE(reader.GetInitData(folder, false));
    // A name that differs only in letter case still finds the file.
    CIniRead::Request caseDiffers{&file, "FILES", "Case", out, sizeof out};
    EXPECT_TRUE(reader.GetInitData(caseDiffers, false));

    // Folders are not checked.
    CIniRead::Request nav{&file, "DIRECTORY_PATHS", "NavData", out, 8};
    EXPECT_TRUE(reader.GetInitData(nav, false));
    EXPECT_EQ(std::string(out), programFolder.substr(0, 7));  // cut to the maximum length

    CIniRead::Request none{&file, "FILES", "Nothing", out, sizeof out};
    std::strcpy(out, "kept");
    EXPECT_FALSE(reader.GetInitData(none, true));
    EXPECT_FALSE(none.written);
    EXPECT_STREQ(out, "kept");
    EXPECT_EQ(reader.GetLookupError(),
              "Tag >Nothing< not found under Title >FILES< in initialisation file");
}

TEST_F(CIniReadTest, MinimalFileWithTheDialogsMaskReportsWhatIsMissing) {
    DataFile("main.bmp");
    ASSERT_TRUE(Read(WriteIni(kMinimalIni), 5));
    EXPECT_EQ(mainPicture, programFolder + "/Data/main.bmp");
    EXPECT_EQ(TextAt(seg, 4908, 1000), programFolder + "/Art/Bitmaps");
    EXPECT_EQ(IntAt(seg, 2064), 0);

    std::vector<Entry> errors = clock.Errors();
    ASSERT_EQ(errors.size(), 5u);
    struct Expected {
        const char *title, *consequence, *detail;
    } expected[] = {
        {"help file not identified in the Ini file", "No help file available",
         "Tag >HelpFile< not found under Title >FILES< in initialisation file"},
        {"Company routes file not identified in the Ini file",
         "No company routes available for city pairs",
         "Tag >CompanyRoutes< not found under Title >DIRECTORY_PATHS< in initialisation file"},
        {"Log File Path not identified in the Ini file",
         "No Flight plan printing or log files available",
         "Tag >LogFilePath< not found under Title >DIRECTORY_PATHS< in initialisation file"},
        {"Iteration rate no specified", "Default value used, if required",
         "Tag >IterationRate< not found under Title >OPTIONS< in initialisation file"},
        {"Sound file not identified in the Ini file", "No Sounds available for program",
         "Tag >SoundFiles< not found under Title >DIRECTORY_PATHS< in initialisation file"},
    };
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(errors[i].title, expected[i].title);
        EXPECT_EQ(errors[i].consequence, expected[i].consequence);
        EXPECT_EQ(errors[i].detail, expected[i].detail);
    }
    EXPECT_EQ(IntAt(seg, 104792), 5);
    EXPECT_EQ(IntAt(seg, 104792 + 572), 2);
    // The missing font sizes are a progress entry, not an error.
    bool fontMessage = false;
    for (const Entry& e : clock.entries)
        fontMessage |= !e.error && e.heading == "CIniRead::ReadIniFile" &&
                       e.text == "No Font Sizes found :: Defaults Used";
    EXPECT_TRUE(fontMessage);
}

TEST_F(CIniReadTest, MissingIndispensableItemEndsTheReading) {
    DataFile("main.bmp");
    std::string ini = WriteIni("[FILES]\nMainPicture = ..\\Data\\main.bmp\n");
    EXPECT_FALSE(Read(ini, 5));
    ASSERT_GE(clock.entries.size(), 2u);
    const Entry& message = clock.entries[clock.entries.size() - 2];
    const Entry& detail = clock.entries.back();
    EXPECT_EQ(message.heading, "CIniRead::ReadIniFile");
    EXPECT_EQ(message.text, "Cockpit Bit Map path not found in ini file");
    EXPECT_EQ(detail.heading, "");
    EXPECT_EQ(detail.text,
              "Tag >CockpitPanelBitMaps< not found under Title >DIRECTORY_PATHS< in "
              "initialisation file");
    EXPECT_FALSE(ViewInitialise::IsBound());

    // A main picture that does not exist counts as missing.
    clock.entries.clear();
    EXPECT_FALSE(Read(WriteIni("[DIRECTORY_PATHS]\nCockpitPanelBitMaps = x\n"
                               "[FILES]\nMainPicture = ..\\Data\\none.bmp\n"),
                      5));
    ASSERT_GE(clock.entries.size(), 2u);
    EXPECT_EQ(clock.entries[clock.entries.size() - 2].text,
              "Main Picture File name not found in ini file");
    EXPECT_EQ(mainPicture, programFolder + "/Data/none.bmp");

    // Another mask makes the help file indispensable.
    clock.entries.clear();
    EXPECT_FALSE(Read(WriteIni(kMinimalIni), 5 | (1 << CIniRead::kBitHelpFile)));
    EXPECT_EQ(clock.entries[clock.entries.size() - 2].text, "Help File name not found in ini file");
    EXPECT_TRUE(clock.Errors().empty());
}

TEST_F(CIniReadTest, OptionsAreShortNumbers) {
    DataFile("main.bmp");
    auto readWith = [&](const std::string& options) {
        GenField<std::int32_t>{2064}.Write(seg.data(), 77);
        GenField<std::int32_t>{3732}.Write(seg.data(), 88);
        return Read(WriteIni(kMinimalIni + "[OPTIONS]\n" + options), 5);
    };
    ASSERT_TRUE(readWith("LargeFont = 9\nSmallFont = 12345678901\nIterationRate = 12345678901\n"));
    EXPECT_EQ(IntAt(seg, 2064), 0);   // 11 characters: left at the 0 written first
    EXPECT_EQ(IntAt(seg, 3732), 88);  // 11 characters: left as it was
    EXPECT_EQ(IntAt(seg, 3728), 9);
    ASSERT_TRUE(readWith("IterationRate = 0000000020\nSmallFont =\n"));
    EXPECT_EQ(IntAt(seg, 2064), 20);
    EXPECT_EQ(IntAt(seg, 3732), 88);  // no font sizes without LargeFont
    auto notANumber = [&] {
        int count = 0;
        for (const Entry& e : clock.Errors())
            count += e.title == "Iteration rate not a number";
        return count;
    };
    EXPECT_EQ(notANumber(), 0);
    ASSERT_TRUE(readWith("IterationRate = fast\n"));
    EXPECT_EQ(IntAt(seg, 2064), 0);
    EXPECT_EQ(notANumber(), 1) << "a rate that is not a number says so on the banner";
    ASSERT_TRUE(readWith("IterationRate = 9999999999\n"));  // ten characters, too large
    EXPECT_EQ(IntAt(seg, 2064), INT32_MAX);
}

TEST_F(CIniReadTest, UnusableFilesEndTheReadingWithTheirMessage) {
    std::string missing = dir / "none.ini";
    EXPECT_FALSE(Read(missing, 5));
    ASSERT_EQ(clock.entries.size(), 2u);
    EXPECT_EQ(clock.entries[0].text, "Reading Ini File ... " + missing);
    EXPECT_EQ(clock.entries[1].heading, "CIniRead::ReadIniFile");
    EXPECT_EQ(clock.entries[1].text,
              "SettingsFileClass::OpenFileForReading\nNo such file or directory\n" + missing);

    // Binary garbage has no sections: the first indispensable item is missing.
    std::string garbage;
    for (int i = 0; i < 3000; ++i)
        garbage += static_cast<char>((i * 131 + 7) & 0xFF);
    clock.entries.clear();
    EXPECT_FALSE(Read(WriteIni(garbage), 5));
    ASSERT_GE(clock.entries.size(), 2u);
    EXPECT_EQ(clock.entries[clock.entries.size() - 2].text,
              "Cockpit Bit Map path not found in ini file");

    // A 100 000-character line does not hide the items after it.
    DataFile("main.bmp");
    clock.entries.clear();
    EXPECT_TRUE(Read(WriteIni("[DIRECTORY_PATHS]\nJunk = " + std::string(100000, 'j') + "\n" +
                              kBitmapsLine + kFilesPart),
                     5));

    // Without a segment nothing is read.
    CIniRead detached(nullptr, missing.c_str());
    EXPECT_FALSE(detached.ReadIniFile(5));
    EXPECT_STREQ(detached.GetErrorText(), "CIniRead::ReadIniFile\nNot Attached to shared Memory");
}

TEST_F(CIniReadTest, ReportEntriesAfterClosingAreDropped) {
    DataFile("main.bmp");
    CIniRead reader(seg.data(), WriteIni(kMinimalIni).c_str());
    EXPECT_TRUE(ViewInitialise::IsBound());
    ASSERT_TRUE(reader.ReadIniFile(5));
    std::size_t made = clock.entries.size();
    ViewInitialise late;
    late.Report("late");
    late.ReportError("late", "late", "late");
    EXPECT_EQ(clock.entries.size(), made);
}

TEST_F(CIniReadTest, LoggingAndBannerProgramOptions) {
    DataFile("main.bmp");
    std::string logFolder = dir / "Logs";
    std::filesystem::create_directories(logFolder);
    std::string options = "[OPTIONS]\nLogging = 1\nBannerProgram = ..\\tools\\banner --text\n";
    std::string ini = WriteIni("[DIRECTORY_PATHS]\nLogFilePath = " + logFolder + "\n" +
                               kBitmapsLine + kFilesPart + options);
    // The option can be read on its own before the banner starts.
    EXPECT_TRUE(CIniRead::ReadBannerProgram(ini.c_str()));
    EXPECT_EQ(KxBanner::GetProgramCommand(), programFolder + "/tools/banner --text");
    KxBanner::SetProgramCommand("");

    ASSERT_TRUE(Read(ini, 5));
    EXPECT_TRUE(LogFileClass::IsLoggingEnabled());
    EXPECT_STREQ(LogFileClass::GetLogFileName(), (logFolder + "/Skylid.log").c_str());
    EXPECT_TRUE(std::filesystem::exists(logFolder + "/Skylid.log"));
    EXPECT_EQ(KxBanner::GetProgramCommand(), programFolder + "/tools/banner --text");
}

TEST_F(CIniReadTest, AddedOptionsChangeNothingWhenAbsentOrOff) {
    DataFile("main.bmp");
    std::string ini = WriteIni(kMinimalIni + "[OPTIONS]\nLogging = 0\n");
    EXPECT_FALSE(CIniRead::ReadBannerProgram(ini.c_str()));
    ASSERT_TRUE(Read(ini, 5));
    EXPECT_FALSE(LogFileClass::IsLoggingEnabled());
    EXPECT_EQ(KxBanner::GetProgramCommand(), KxBanner::DefaultProgramCommand());
    // Neither option adds an entry to the report.
    EXPECT_EQ(clock.Errors().size(), 5u);
}
