// Named rows of the fields that the program writes at start-up besides the
// banner: the start-up report record and the configuration copied from the
// initialisation file. The offsets are those the writers use (the report
// record's and the initialisation file's field constants), so the rows
// cannot drift from them.
#pragma once

#include "config/CIniRead.h"
#include "shm/FieldInfo.h"
#include "shm/GenericLayout.h"

namespace host::rows {

using shm::FieldType;
using shm::Writer;

namespace report = generic::report;

inline constexpr shm::FieldRow kStartupReport[] = {
    {"REPORT.ERROR_COUNT", report::kErrorCount.Offset(), FieldType::Int32, Writer::Program,
     "number of error entries posted"},
    {"REPORT.PROGRESS_COUNT", report::kProgressCount.Offset(), FieldType::Int32, Writer::Program,
     "number of progress entries posted"},
    {"REPORT.HEADING", report::kHeading.Offset(), FieldType::Text, Writer::Program,
     "heading of the last progress entry", 1, 0, decltype(report::kHeading)::kSize},
    {"REPORT.TEXT", report::kText.Offset(), FieldType::Text, Writer::Program,
     "text of the last progress entry", 1, 0, decltype(report::kText)::kSize},
    {"REPORT.STATE", report::kState.Offset(), FieldType::Int32, Writer::Program,
     "report state: 2 after an error entry"},
    {"REPORT.ERROR_TITLE", report::kErrorTitle.Offset(), FieldType::Text, Writer::Program,
     "title of the last error entry", 1, 0, decltype(report::kErrorTitle)::kSize},
    {"REPORT.ERROR_CONSEQUENCE", report::kErrorConsequence.Offset(), FieldType::Text,
     Writer::Program, "consequence of the last error entry", 1, 0,
     decltype(report::kErrorConsequence)::kSize},
    {"REPORT.ERROR_DETAIL", report::kErrorDetail.Offset(), FieldType::Text, Writer::Program,
     "detail (error text) of the last error entry", 1, 0, decltype(report::kErrorDetail)::kSize},
};

// A path of the initialisation file, as the row of its field.
constexpr shm::FieldRow Path(const char* name, const inifield::PathField& field,
                             const char* meaning) {
    return {name,
            static_cast<std::uint32_t>(field.Offset()),
            FieldType::Text,
            Writer::Program,
            meaning,
            1,
            0,
            static_cast<std::uint32_t>(inifield::kPathSize)};
}

constexpr shm::FieldRow Option(const char* name, const GenField<std::int32_t>& field,
                               const char* meaning) {
    return {name, static_cast<std::uint32_t>(field.Offset()), FieldType::Int32, Writer::Program,
            meaning};
}

inline constexpr shm::FieldRow kConfiguration[] = {
    Path("CONFIG.COCKPIT_BITMAPS", inifield::kCockpitPanelBitMaps,
         "cockpit bitmap folder (DIRECTORY_PATHS CockpitPanelBitMaps)"),
    Path("CONFIG.PROGRAM_PATH", inifield::kProgramPath,
         "program folder (DIRECTORY_PATHS ProgramPath)"),
    Path("CONFIG.COMPANY_ROUTES", inifield::kCompanyRoutes,
         "company routes folder (DIRECTORY_PATHS CompanyRoutes)"),
    Path("CONFIG.SID", inifield::kSid, "SID data file (FILES SID)"),
    Path("CONFIG.STAR", inifield::kStar, "STAR data file (FILES STAR)"),
    Path("CONFIG.AIRWAYS", inifield::kAirways, "airways data file (FILES Airways)"),
    Path("CONFIG.FIX_DATA", inifield::kFixData, "fix data file (FILES FixData)"),
    Path("CONFIG.WAYPOINT_DATA", inifield::kWaypointData, "waypoint data file (FILES FixData)"),
    Path("CONFIG.HELP_FILE", inifield::kHelpFile, "help file (FILES HelpFile)"),
    Path("CONFIG.AIRWAYS_INTERCEPT", inifield::kAirwaysIntercept,
         "airways intercepts file (FILES AirwaysIntercept)"),
    Path("CONFIG.LOG_FILE_PATH", inifield::kLogFilePath,
         "log file folder (DIRECTORY_PATHS LogFilePath)"),
    Path("CONFIG.SOUND_FILES", inifield::kSoundFiles,
         "sound file folder (DIRECTORY_PATHS SoundFiles)"),
    Path("CONFIG.RUNWAYS", inifield::kRunways, "runway file (FILES Runways)"),
    Path("CONFIG.VOR_DATA", inifield::kVorData, "VOR data file (FILES VorData)"),
    Path("CONFIG.NDB_DATA", inifield::kNdbData, "NDB data file (FILES NdbData)"),
    Path("CONFIG.NAV_DATA", inifield::kNavData, "navigation data folder (DIRECTORY_PATHS NavData)"),
    Path("CONFIG.AIRPORTS", inifield::kAirports, "airports data file (FILES Airports)"),
    Path("CONFIG.MAPP", inifield::kMapp, "MAPP file (FILES MAPP)"),
    Option("CONFIG.ITERATION_RATE", inifield::kIterationRate,
           "iteration rate (OPTIONS IterationRate; 0 when not given)"),
    Option("CONFIG.LARGE_FONT", inifield::kLargeFont, "large font size (OPTIONS LargeFont)"),
    Option("CONFIG.SMALL_FONT", inifield::kSmallFont, "small font size (OPTIONS SmallFont)"),
    Option("CONFIG.ECAM_FONT", inifield::kEcamFont, "ECAM font size (OPTIONS EcamFont)"),
    Option("CONFIG.TITLE_FONT", inifield::kTitleFont, "title font size (OPTIONS TitleFont)"),
    Option("CONFIG.FMC_LARGE_FONT", inifield::kFmcLargeFont,
           "FMC large font size (OPTIONS FmcLargeFont)"),
    Option("CONFIG.FMC_SMALL_FONT", inifield::kFmcSmallFont,
           "FMC small font size (OPTIONS FmcSmallFont)"),
};

}  // namespace host::rows
