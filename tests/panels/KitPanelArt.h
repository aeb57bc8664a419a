// The default art's pictures as solid test pictures: every file the art table
// lists, at its size, each in a colour of its own, so that a pixel of a drawn
// panel tells which picture of which control is showing.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "platform/WinTypes.h"

namespace kitart {

class ArtSet {
  public:
    // Writes the set into a new folder below `root`.
    explicit ArtSet(const std::filesystem::path& root);

    const char* Folder() const { return m_folder.c_str(); }
    // The colour of a file, by its Windows-style name below the bitmap
    // folder ("Buttons\FaultOff\BothIn.bmp"); 0xFFFFFFFF when unknown.
    COLORREF Colour(const std::string& name) const;

  private:
    std::string m_folder;
    std::map<std::string, COLORREF> m_colours;
};

}  // namespace kitart
