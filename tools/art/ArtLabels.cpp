#include "art/ArtLabels.h"

#include <cstring>

#include "art/ArtTable.h"
#include "panels/PanelLayout.h"
#include "units/UnitCatalog.h"

namespace art {

namespace {

bool Same(const char* a, const char* b) {
    return a != nullptr && b != nullptr && std::strcmp(a, b) == 0;
}

template <typename Row>
void Add(std::vector<EngravedLabel>& out, int panel, const panels::PanelPlace& place,
         const Row& row, const char* picture) {
    if (row.label == nullptr || row.label[0] == '\0' || row.drawn == kit::Layout::A330)
        return;
    int width = 0;
    int height = 0;
    ControlPictureSize(picture, width, height);
    out.push_back({panel, row.label, place.x + row.x, place.y + row.y, width, height});
}

}  // namespace

void ControlPictureSize(const char* name, int& width, int& height) {
    width = 0;
    height = 0;
    for (const ArtEntry& entry : Table()) {
        bool match = Same(entry.folder, name);
        for (const char* file : entry.files)
            match = match || Same(file, name);
        if (match) {
            width = entry.width;
            height = entry.height;
            return;
        }
    }
}

std::vector<EngravedLabel> ControlLabels() {
    std::vector<EngravedLabel> labels;
    for (const panels::CatalogEntry& entry : units::CockpitCatalog()) {
        const panels::PanelPlace& place = panels::kPanelLayout[entry.number];
        const kit::PanelDescription& desc = *entry.desc;
        for (const kit::ButtonRow& row : desc.buttons)
            Add(labels, entry.number, place, row, row.picture);
        for (const kit::SwitchRow& row : desc.switches)
            Add(labels, entry.number, place, row, row.pictures[0]);
        for (const kit::KnobRow& row : desc.knobs)
            Add(labels, entry.number, place, row, row.picture);
        for (const kit::LightRow& row : desc.lights)
            Add(labels, entry.number, place, row, row.picture);
        for (const kit::RotaryRow& row : desc.rotaries)
            Add(labels, entry.number, place, row, row.pictures[2]);
    }
    return labels;
}

}  // namespace art
