// Writes the whole default art set into a folder: the control pictures under
// Bitmaps/, the main picture Cockpit.bmp, and a Skylid.ini that names them.
#pragma once

#include <string>

namespace art {

struct ArtSetSummary {
    int pictures = 0;  // control pictures written
    int mainWidth = 0;
    int mainHeight = 0;
    std::string iniPath;
};

// The folder must be writable; it is created when missing. programFolder is
// written as the ini's ProgramPath. Returns false with a reason in error.
bool WriteArtSet(const std::string& outFolder, const std::string& programFolder,
                 ArtSetSummary& summary, std::string& error);

// The text of Skylid.ini for an art set in the given (absolute) folder.
// Returns false with a reason when a path cannot be written into the file:
// the reader takes at most 259 characters per path, ends a section at any
// line holding "[", and reads a value only up to the end of its line.
bool MakeIniText(const std::string& folder, const std::string& programFolder, int mainWidth,
                 int mainHeight, std::string& text, std::string& error);

}  // namespace art
