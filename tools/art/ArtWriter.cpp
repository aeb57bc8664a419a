#include "art/ArtWriter.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "art/ArtPainter.h"
#include "art/ArtTable.h"
#include "art/BmpFile.h"
#include "panels/PanelLayout.h"

namespace art {

namespace fs = std::filesystem;

namespace {

// The longest path the initialisation-file reader keeps.
constexpr std::size_t kMaxIniPath = 259;

struct IniItem {
    const char* section;
    const char* item;
    std::string value;
};

// Data files that Skylid.ini must name: FILES items are checked for existence
// when the file is read. The navigation data is not part of this program, so
// the default set has a short text file in place of each one.
struct DataFile {
    const char* item;
    const char* file;  // below the art folder
};
constexpr DataFile kDataFiles[] = {
    {"HelpFile", "Help/Skylid.txt"},      {"FixData", "NavData/Fixes.txt"},
    {"VorData", "NavData/Vors.txt"},      {"NdbData", "NavData/Ndbs.txt"},
    {"SID", "NavData/Sids.txt"},          {"STAR", "NavData/Stars.txt"},
    {"Runways", "NavData/Runways.txt"},   {"Airways", "NavData/Airways.txt"},
    {"Airports", "NavData/Airports.txt"}, {"AirwaysIntercept", "NavData/AirwaysIntercepts.txt"},
    {"MAPP", "NavData/Mapp.txt"},
};

// Folders that Skylid.ini names (DIRECTORY_PATHS other than the program's).
struct DataFolder {
    const char* item;
    const char* folder;
};
constexpr DataFolder kDataFolders[] = {
    {"CockpitPanelBitMaps", "Bitmaps"},
    {"CompanyRoutes", "CompanyRoutes"},
    {"NavData", "NavData"},
    {"LogFilePath", "Logs"},
    {"SoundFiles", "Sounds"},
};

const char* const kHelpText =
    "Skylid: the cockpit panels of the A320 family flight-training simulator.\n"
    "\n"
    "Left button: press push-buttons, move switches, knobs and levers; hold it on\n"
    "the right or left half of a rotary knob to turn it up or down.\n"
    "Right button: open and close guards and covers.\n"
    "Wheel over a rotary knob: pull it (toward you) or push it (away from you).\n"
    "Arrow keys, Page Up, Page Down, Home, or dragging with the left button: move\n"
    "around the cockpit.\n";

const char* const kDataText =
    "Skylid default art set: this data file holds no entries.\n"
    "Skylid.ini names it so that the program finds a file where it expects one;\n"
    "replace it with the real data file, or name the real file in Skylid.ini.\n";

std::string Join(const std::string& folder, const char* name) {
    return folder + "/" + name;
}

bool Check(const std::string& what, const std::string& value, std::string& error) {
    if (value.size() > kMaxIniPath) {
        error = what + " is " + std::to_string(value.size()) +
                " characters long; Skylid.ini holds paths of at most " +
                std::to_string(kMaxIniPath) + " characters: choose a shorter folder";
        return false;
    }
    for (char c : value) {
        if (c == '[' || c == '\n' || c == '\r' || c == '\\') {
            error = what +
                    " holds a character that Skylid.ini cannot carry ('[', '\\' or a "
                    "line break): choose another folder";
            return false;
        }
    }
    return true;
}

bool WriteText(const fs::path& path, const std::string& text, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

bool MakeFolder(const fs::path& path, std::string& error) {
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec || !fs::is_directory(path)) {
        error = "cannot create the folder " + path.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

bool MakeIniText(const std::string& folder, const std::string& programFolder, int mainWidth,
                 int mainHeight, std::string& text, std::string& error) {
    std::vector<IniItem> items;
    for (const DataFolder& d : kDataFolders)
        items.push_back({"DIRECTORY_PATHS", d.item, Join(folder, d.folder)});
    items.push_back({"DIRECTORY_PATHS", "ProgramPath", programFolder});
    items.push_back({"FILES", "MainPicture", Join(folder, "Cockpit.bmp")});
    items.push_back({"FILES", "FoMainPicture", Join(folder, "Cockpit.bmp")});
    for (const DataFile& d : kDataFiles)
        items.push_back({"FILES", d.item, Join(folder, d.file)});
    // Font sizes in tenths of a point, as the display drawing library's size
    // codes; the iteration rate in hertz; the scrollable area is the whole
    // main picture; the MCDU screens show the host's pages.
    const std::pair<const char*, int> options[] = {
        {"LargeFont", 213},
        {"SmallFont", 160},
        {"TitleFont", 266},
        {"EcamFont", 200},
        {"FmcLargeFont", 193},
        {"FmcSmallFont", 140},
        {"IterationRate", 20},
        {"ViewLeft", 0},
        {"ViewTop", 0},
        {"ViewRight", mainWidth},
        {"ViewBottom", mainHeight},
        {"McduRefresh", 1},
    };
    for (const auto& [name, value] : options)
        items.push_back({"OPTIONS", name, std::to_string(value)});

    for (const IniItem& item : items) {
        if (std::string(item.section) != "OPTIONS" &&
            !Check(std::string("The path of ") + item.item, item.value, error))
            return false;
    }
    // A line without "=" is never taken for an item, so the heading line is
    // safe as long as it has neither "=" nor "[".
    text =
        "; Skylid.ini of the default cockpit art, written by skylid-art.\n"
        "; Paths are absolute: run skylid-art again after moving the folder.\n";
    const char* section = "";
    for (const IniItem& item : items) {
        if (std::string(section) != item.section) {
            section = item.section;
            text += std::string("\n[") + section + "]\n";
        }
        text += std::string(item.item) + " = " + item.value + "\n";
    }
    return true;
}

bool WriteArtSet(const std::string& outFolder, const std::string& programFolder,
                 ArtSetSummary& summary, std::string& error) {
    std::error_code ec;
    const fs::path folder = fs::absolute(fs::path(outFolder), ec).lexically_normal();
    if (ec) {
        error = "cannot resolve the folder " + outFolder + ": " + ec.message();
        return false;
    }
    std::string base = folder.string();
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();

    const int mainWidth = panels::LayoutWidth();
    const int mainHeight = panels::LayoutHeight();
    std::string ini;
    if (!MakeIniText(base, programFolder, mainWidth, mainHeight, ini, error))
        return false;

    for (const DataFolder& d : kDataFolders)
        if (!MakeFolder(fs::path(Join(base, d.folder)), error))
            return false;

    // Control pictures.
    const fs::path bitmaps = Join(base, "Bitmaps");
    summary.pictures = 0;
    for (const ArtFile& file : AllFiles()) {
        const fs::path path = bitmaps / ToRelativePath(file.name);
        if (!MakeFolder(path.parent_path(), error))
            return false;
        if (!WriteBmp24(PaintPicture(file), path.string(), error))
            return false;
        ++summary.pictures;
    }

    // The main picture.
    const QImage cockpit = PaintCockpit();
    if (!WriteBmp24(cockpit, Join(base, "Cockpit.bmp"), error))
        return false;
    summary.mainWidth = cockpit.width();
    summary.mainHeight = cockpit.height();

    // Data files: written only where none exists, so that real data put in
    // their place survives a second run.
    for (const DataFile& d : kDataFiles) {
        const fs::path path = Join(base, d.file);
        if (!MakeFolder(path.parent_path(), error))
            return false;
        if (fs::exists(path, ec))
            continue;
        if (!WriteText(path, std::string(d.item) == "HelpFile" ? kHelpText : kDataText, error))
            return false;
    }

    summary.iniPath = Join(base, "Skylid.ini");
    return WriteText(summary.iniPath, ini, error);
}

}  // namespace art
