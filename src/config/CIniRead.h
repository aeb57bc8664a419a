// CIniRead: reads the initialisation file "Skylid.ini" at start-up.
//
// What it finds goes into the generic segment, where the panels and the host
// find it, except the main picture names, which the main dialog takes from
// here. Values that begin with "..\" are taken relative to the program's own
// folder. Every named data file must exist. Each step and each problem is
// posted to the start-up report that the banner program shows. The caller
// says by a bit mask which items are indispensable: a missing indispensable
// item ends the reading with false; any other missing item is reported (where
// that matters) and skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "banner/ViewInitialise.h"
#include "config/Ini_File_Reader.h"
#include "shm/GenericLayout.h"

// Generic-segment fields that the initialisation file fills.
namespace inifield {
inline constexpr std::size_t kPathSize = generic::kPathFieldSize;
using PathField = GenText<kPathSize>;

inline constexpr const PathField& kCockpitPanelBitMaps = generic::kCockpitBitmapPath;  // 4908
inline constexpr PathField kProgramPath{6958};
inline constexpr PathField kCompanyRoutes{7958};
inline constexpr PathField kSid{8958};
inline constexpr PathField kStar{9958};
inline constexpr PathField kAirways{10958};
inline constexpr PathField kFixData{11958};
inline constexpr PathField kWaypointData{12958};
inline constexpr PathField kHelpFile{13958};
inline constexpr PathField kAirwaysIntercept{14958};
inline constexpr PathField kLogFilePath{15958};
inline constexpr PathField kSoundFiles{16958};
inline constexpr PathField kRunways{17958};
inline constexpr PathField kVorData{18958};
inline constexpr PathField kNdbData{19958};
inline constexpr PathField kNavData{20958};
inline constexpr PathField kAirports{21958};
inline constexpr PathField kMapp{23958};

inline constexpr GenField<std::int32_t> kIterationRate{2064};
inline constexpr GenField<std::int32_t> kLargeFont{3728};
inline constexpr GenField<std::int32_t> kSmallFont{3732};
inline constexpr GenField<std::int32_t> kEcamFont{3736};
inline constexpr GenField<std::int32_t> kTitleFont{3740};
inline constexpr GenField<std::int32_t> kFmcLargeFont{3744};
inline constexpr GenField<std::int32_t> kFmcSmallFont{3748};
}  // namespace inifield

class CIniRead : public Ini_File_Reader {
  public:
    static constexpr const char* kFileName = "Skylid.ini";
    // The diagnostic log's file name under LogFilePath (Logging option).
    static constexpr const char* kLogFileName = "Skylid.log";
    static constexpr std::size_t kNameSize = 1000;
    static constexpr std::size_t kMessageSize = 1024;
    // A path, resolved or not, is cut to this many characters.
    static constexpr std::size_t kMaxPathLength = 259;
    // Option values longer than this are not converted.
    static constexpr std::size_t kMaxOptionLength = 10;

    // Bits of the required-items mask.
    enum RequiredBit {
        kBitMainPicture = 0,
        kBitFixData = 1,
        kBitCockpitBitMaps = 2,
        kBitSidStar = 3,
        kBitProgramPath = 5,
        kBitHelpFile = 6,
        kBitWaypointsAirways = 7,
        kBitCompanyRoutesSounds = 8,
        kBitAirwaysIntercept = 9,
        kBitLogFilePath = 10,
        kBitRunways = 11,
        kBitVorData = 12,
        kBitNdbData = 13,
        kBitNavData = 14,
        kBitAirports = 15,
    };

    // One item to read: where from and where to.
    struct Request {
        Ini_File_Reader* reader;
        const char* section;
        const char* item;
        char* destination;
        std::size_t maxLength;
        bool written = false;  // set when the destination received a value
    };

    CIniRead(std::uint8_t* genericSegment, const char* fileName = kFileName);
    ~CIniRead() override;

    // Reads every item of the file in its fixed order (see the .cpp).
    bool ReadIniFile(int required);
    // Reads one item into its destination. False when the item is missing,
    // or when it names a data file (a section containing "FILE") that does
    // not exist; the destination keeps the path in that case.
    bool GetInitData(Request& request, bool report);

    const char* GetMainPicture() const { return m_mainPicture; }
    const char* GetFoMainPicture() const { return m_foMainPicture; }
    // The text of the last failed lookup.
    const std::string& GetLookupError() const { return m_lookupError; }

    // The folder that "..\" stands for: the running program's own folder,
    // unless a test has set another one (an empty folder restores it).
    static void SetProgramFolder(const std::string& folder);
    static std::string ProgramFolder();
    // "..\rest" -> program folder + "/" + rest with its backslashes turned
    // into slashes; any other value unchanged. Cut to kMaxPathLength.
    static std::string ResolvePath(const char* value);

    // Reads only the BannerProgram option of the file, without reporting, and
    // hands it to the banner proxy, so that the program can start the banner
    // before it reads the rest. False when the file or the item is missing.
    static bool ReadBannerProgram(const char* fileName);

  private:
    struct PathStep;
    bool ReadPath(const PathStep& step, int required);
    bool ReadOption(const char* item, const GenField<std::int32_t>& field);
    void ReadFontSizes();
    void ReadIterationRate();
    void ReadLogging();
    void ReadBannerOption();
    void Fatal(const char* message);
    void CloseIniFile();
    void LookupFailed(std::string text);

    char m_mainPicture[kNameSize] = {};
    char m_foMainPicture[kNameSize] = {};
    char m_message[kMessageSize] = {};
    char m_value[kNameSize] = {};
    ViewInitialise m_report;
    std::unique_ptr<Ini_File_Reader> m_fileReader;
    bool m_attached = true;
    std::uint8_t* m_segment;
    std::string m_lookupError;
    std::string m_fileName;

    static std::string s_programFolder;
    static const PathStep s_pathSteps[];
    static const PathStep s_soundStep;
};
