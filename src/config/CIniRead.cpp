#include "config/CIniRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "banner/KxBanner.h"
#include "log/LogFileClass.h"
#include "platform/KxPath.h"
#include "platform/KxSystem.h"
#include "util/KxText.h"

std::string CIniRead::s_programFolder;

namespace {

constexpr const char kReadWhere[] = "CIniRead::ReadIniFile";
constexpr const char kSectionPaths[] = "DIRECTORY_PATHS";
constexpr const char kSectionFiles[] = "FILES";
constexpr const char kSectionOptions[] = "OPTIONS";
constexpr int kNoBit = -1;

// A named data file must exist and open for reading. It is opened without
// waiting (a named pipe would otherwise hold the start-up), and a folder of
// that name is no data file.
bool DataFileExists(const std::string& path) {
    std::string name = kx::WindowsNameToPath(path);
    int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool file = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    ::close(fd);
    return file;
}

// Leading digits of an option value as a 32-bit integer (0 when none).
std::int32_t OptionValue(const char* text) {
    long value = std::strtol(text, nullptr, 10);
    return static_cast<std::int32_t>(kx::Limit<long>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

// One path or file item of the initialisation file, in reading order.
struct CIniRead::PathStep {
    enum Target { kSegment, kMainPicture, kFoMainPicture };
    const char* section;
    const char* item;
    Target target;
    const inifield::PathField* field;  // for kSegment
    int bit;                           // of the required mask, or kNoBit
    const char* missing;               // the message when it is indispensable
    // An error entry when it is missing and not indispensable (title null:
    // the item is skipped quietly).
    const char* errorTitle;
    const char* consequence;
};

const CIniRead::PathStep CIniRead::s_pathSteps[] = {
    {kSectionPaths, "CockpitPanelBitMaps", PathStep::kSegment, &inifield::kCockpitPanelBitMaps,
     kBitCockpitBitMaps, "Cockpit Bit Map path not found in ini file", nullptr, nullptr},
    {kSectionPaths, "ProgramPath", PathStep::kSegment, &inifield::kProgramPath, kBitProgramPath,
     "Program path not found in ini file", nullptr, nullptr},
    {kSectionFiles, "MainPicture", PathStep::kMainPicture, nullptr, kBitMainPicture,
     "Main Picture File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "FoMainPicture", PathStep::kFoMainPicture, nullptr, kNoBit, nullptr, nullptr,
     nullptr},
    {kSectionFiles, "HelpFile", PathStep::kSegment, &inifield::kHelpFile, kBitHelpFile,
     "Help File name not found in ini file", "help file not identified in the Ini file",
     "No help file available"},
    {kSectionFiles, "FixData", PathStep::kSegment, &inifield::kFixData, kBitFixData,
     "Fix Data File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "VorData", PathStep::kSegment, &inifield::kVorData, kBitVorData,
     "Vor Data File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "NdbData", PathStep::kSegment, &inifield::kNdbData, kBitNdbData,
     "Ndb Data File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "FixData", PathStep::kSegment, &inifield::kWaypointData, kBitWaypointsAirways,
     "Waypoint Data File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "SID", PathStep::kSegment, &inifield::kSid, kBitSidStar,
     "SID Data File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "STAR", PathStep::kSegment, &inifield::kStar, kBitSidStar,
     "STAR Data File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "Runways", PathStep::kSegment, &inifield::kRunways, kBitRunways,
     "Runway File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "Airways", PathStep::kSegment, &inifield::kAirways, kBitWaypointsAirways,
     "Airways Data File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "Airports", PathStep::kSegment, &inifield::kAirports, kBitAirports,
     "Airports Data File name not found in ini file", nullptr, nullptr},
    {kSectionPaths, "CompanyRoutes", PathStep::kSegment, &inifield::kCompanyRoutes,
     kBitCompanyRoutesSounds, "Company Routes path not found in ini file",
     "Company routes file not identified in the Ini file",
     "No company routes available for city pairs"},
    {kSectionFiles, "AirwaysIntercept", PathStep::kSegment, &inifield::kAirwaysIntercept,
     kBitAirwaysIntercept, "Airways Intercepts File name not found in ini file", nullptr, nullptr},
    {kSectionFiles, "MAPP", PathStep::kSegment, &inifield::kMapp, kNoBit, nullptr, nullptr,
     nullptr},
    {kSectionPaths, "NavData", PathStep::kSegment, &inifield::kNavData, kBitNavData,
     "Nav Data Path not found in ini file", nullptr, nullptr},
    {kSectionPaths, "LogFilePath", PathStep::kSegment, &inifield::kLogFilePath, kBitLogFilePath,
     "Log File Path not found in ini file", "Log File Path not identified in the Ini file",
     "No Flight plan printing or log files available"},
};

// Read after the font sizes and the iteration rate.
const CIniRead::PathStep CIniRead::s_soundStep = {kSectionPaths,
                                                  "SoundFiles",
                                                  PathStep::kSegment,
                                                  &inifield::kSoundFiles,
                                                  kBitCompanyRoutesSounds,
                                                  "Sound file path not found in ini file",
                                                  "Sound file not identified in the Ini file",
                                                  "No Sounds available for program"};

CIniRead::CIniRead(std::uint8_t* genericSegment, const char* fileName)
    : m_attached(genericSegment != nullptr),
      m_segment(genericSegment),
      m_fileName(fileName != nullptr ? fileName : "") {
    ViewInitialise::Bind(genericSegment);
}

CIniRead::~CIniRead() {
    CloseIniFile();
}

void CIniRead::SetProgramFolder(const std::string& folder) {
    s_programFolder = folder;
}

std::string CIniRead::ProgramFolder() {
    return s_programFolder.empty() ? kx::ProgramFolder() : s_programFolder;
}

std::string CIniRead::ResolvePath(const char* value) {
    const char* text = value != nullptr ? value : "";
    while (*text == ' ' || *text == '\t')
        ++text;
    std::string path;
    if (std::strncmp(text, "..\\", 3) == 0) {
        // One folder level: the folder the program itself lies in.
        path = ProgramFolder();
        if (path.empty() || path.back() != '/')
            path += '/';
        std::string rest = text + 3;
        std::replace(rest.begin(), rest.end(), '\\', '/');
        path += rest;
    } else {
        path = text;
    }
    if (path.size() > kMaxPathLength)
        path.resize(kMaxPathLength);
    return path;
}

void CIniRead::LookupFailed(std::string text) {
    m_lookupError = std::move(text);
    SetError(m_lookupError);
}

bool CIniRead::GetInitData(Request& request, bool report) {
    request.written = false;
    const char* section = request.section != nullptr ? request.section : "";
    const char* item = request.item != nullptr ? request.item : "";
    char value[Ini_File_Reader::kLineSize] = {};
    if (request.reader == nullptr || !request.reader->GetText(section, item, value)) {
        LookupFailed(std::string("Tag >") + item + "< not found under Title >" + section +
                     "< in initialisation file");
        return false;
    }

    std::string path = ResolvePath(value);
    if (request.destination != nullptr && request.maxLength > 0) {
        kx::StrCopy(request.destination, request.maxLength, path.c_str());
        request.written = true;
    }

    if (std::strstr(section, "FILE") != nullptr && !DataFileExists(path)) {
        LookupFailed(std::string("Tag >") + item + "< " + "identifies >" + path + "< " +
                     " but it appears not to exist");
        return false;
    }
    if (report) {
        kx::Format(m_message, sizeof m_message, "Using Data File : %s", path.c_str());
        m_report.Report("CIniRead::GetInitData", m_message);
    }
    return true;
}

void CIniRead::Fatal(const char* message) {
    m_report.Report(kReadWhere, message);
    m_report.Report(m_lookupError.c_str());
    CloseIniFile();
}

bool CIniRead::ReadPath(const PathStep& step, int required) {
    char* destination = m_value;
    if (step.target == PathStep::kMainPicture)
        destination = m_mainPicture;
    else if (step.target == PathStep::kFoMainPicture)
        destination = m_foMainPicture;
    m_value[0] = '\0';

    Request request{m_fileReader.get(), step.section, step.item, destination, kNameSize};
    bool found = GetInitData(request, true);
    if (request.written && step.field != nullptr)
        step.field->Write(m_segment, m_value);
    if (found)
        return true;

    if (step.bit != kNoBit && (required & (1 << step.bit)) != 0) {
        Fatal(step.missing);
        return false;
    }
    if (step.errorTitle != nullptr)
        m_report.ReportError(step.errorTitle, m_lookupError.c_str(), step.consequence);
    return true;
}

// Options are read as texts: a value of 1 to 10 characters is stored as a
// decimal integer; a longer (or empty) one leaves the field as it was.
bool CIniRead::ReadOption(const char* item, const GenField<std::int32_t>& field) {
    m_value[0] = '\0';
    Request request{m_fileReader.get(), kSectionOptions, item, m_value, kNameSize};
    if (!GetInitData(request, false))
        return false;
    std::size_t len = std::strlen(m_value);
    if (len >= 1 && len <= kMaxOptionLength)
        field.Write(m_segment, OptionValue(m_value));
    return true;
}

void CIniRead::ReadFontSizes() {
    if (!ReadOption("LargeFont", inifield::kLargeFont)) {
        m_report.Report(kReadWhere, "No Font Sizes found :: Defaults Used");
        return;
    }
    ReadOption("SmallFont", inifield::kSmallFont);
    ReadOption("TitleFont", inifield::kTitleFont);
    ReadOption("EcamFont", inifield::kEcamFont);
    ReadOption("FmcLargeFont", inifield::kFmcLargeFont);
    ReadOption("FmcSmallFont", inifield::kFmcSmallFont);
}

void CIniRead::ReadIterationRate() {
    inifield::kIterationRate.Write(m_segment, 0);
    if (!ReadOption("IterationRate", inifield::kIterationRate)) {
        m_report.ReportError("Iteration rate no specified", m_lookupError.c_str(),
                             "Default value used, if required");
        return;
    }
    // A value that does not start with a digit is stored as 0 like any
    // other, but the trainer should learn that it was not understood.
    const char* text = m_value;
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text == '+' || *text == '-')
        ++text;
    if (*text < '0' || *text > '9') {
        char detail[Ini_File_Reader::kLineSize + 32];
        kx::Format(detail, sizeof detail, "IterationRate = %s is not a number", m_value);
        m_report.ReportError("Iteration rate not a number", detail,
                             "Default value used, if required");
    }
}

// Logging = 1 switches the diagnostic log on, written under LogFilePath.
// Any other value, or none, changes nothing.
void CIniRead::ReadLogging() {
    m_value[0] = '\0';
    Request request{m_fileReader.get(), kSectionOptions, "Logging", m_value, kNameSize};
    if (!GetInitData(request, false))
        return;
    std::size_t len = std::strlen(m_value);
    if (len < 1 || len > kMaxOptionLength || OptionValue(m_value) != 1)
        return;
    LogFileClass::SetLoggingEnabled(true);

    char folder[inifield::kPathSize];
    inifield::kLogFilePath.Read(m_segment, folder, sizeof folder);
    if (folder[0] == '\0')
        return;  // the missing LogFilePath has been reported already
    std::string name = kx::WindowsNameToPath(folder);
    if (name.back() != '/')
        name += '/';
    name += kLogFileName;
    LogFileClass log(name.c_str());
    if (!LogFileClass::IsOpen()) {
        m_report.ReportError("Log file could not be opened", log.GetErrorText(),
                             "No log file written");
    }
}

void CIniRead::ReadBannerOption() {
    m_value[0] = '\0';
    Request request{m_fileReader.get(), kSectionOptions, "BannerProgram", m_value, kNameSize};
    if (GetInitData(request, false) && m_value[0] != '\0')
        KxBanner::SetProgramCommand(m_value);
}

bool CIniRead::ReadBannerProgram(const char* fileName) {
    Ini_File_Reader reader;
    if (!reader.OpenFile(fileName))
        return false;
    char value[Ini_File_Reader::kLineSize] = {};
    if (!reader.GetText(kSectionOptions, "BannerProgram", value) || value[0] == '\0')
        return false;
    KxBanner::SetProgramCommand(ResolvePath(value));
    return true;
}

void CIniRead::CloseIniFile() {
    m_fileReader.reset();
    if (ViewInitialise::BoundSegment() == m_segment)
        ViewInitialise::Unbind();
}

// The order of the items is fixed: the host and the banner see them arrive in
// this order.
bool CIniRead::ReadIniFile(int required) {
    if (!m_attached) {
        SetError(kReadWhere, "Not Attached to shared Memory");
        m_report.Report("Not Attached to shared Memory");
        return false;
    }
    kx::Format(m_message, sizeof m_message, "Reading Ini File ... %s", m_fileName.c_str());
    m_report.Report(m_message);

    m_fileReader = std::make_unique<Ini_File_Reader>();
    if (!m_fileReader->OpenFile(m_fileName.c_str())) {
        SetError(m_fileReader->GetErrorText());
        m_report.Report(kReadWhere, m_fileReader->GetErrorText());
        CloseIniFile();
        return false;
    }

    for (const PathStep& step : s_pathSteps) {
        if (!ReadPath(step, required))
            return false;
    }
    ReadFontSizes();
    ReadIterationRate();
    if (!ReadPath(s_soundStep, required))
        return false;

    // Added options: absent, they change nothing.
    ReadLogging();
    ReadBannerOption();

    CloseIniFile();
    return true;
}
