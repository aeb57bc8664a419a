#include "KitPanelArt.h"

#include "art/ArtTable.h"
#include "support/TestSupport.h"

namespace kitart {

ArtSet::ArtSet(const std::filesystem::path& root) : m_folder((root / "Bitmaps").string()) {
    int index = 0;
    for (const art::ArtFile& file : art::AllFiles()) {
        int width = file.entry->width;
        int height = file.entry->height;
        if (file.entry->kind == art::Kind::Guard)
            art::GuardPieceSize(*file.entry, file.variant, width, height);
        // Unique for the few thousand files of the table, and never black.
        const COLORREF colour = RGB(20 + index % 200, 5 + index / 200 * 10, 99);
        testsupport::WriteSolidBmp(std::filesystem::path(m_folder) / art::ToRelativePath(file.name),
                                   width, height, colour);
        m_colours[file.name] = colour;
        ++index;
    }
}

COLORREF ArtSet::Colour(const std::string& name) const {
    const auto found = m_colours.find(name);
    return found == m_colours.end() ? 0xFFFFFFFFu : found->second;
}

}  // namespace kitart
