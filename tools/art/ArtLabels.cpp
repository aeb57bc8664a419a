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

// A numeric window's cell, as the glyph pictures draw it.
constexpr int kGlyphWidth = 14;
constexpr int kGlyphHeight = 22;

// The least room between two labels on one line.
constexpr int kLabelGap = 4;

void AddAt(std::vector<EngravedLabel>& out, int panel, const char* label, int x, int y, int width,
           int height) {
    const panels::PanelPlace& place = panels::kPanelLayout[panel];
    out.push_back({panel, label != nullptr ? label : "", place.x + x, place.y + y, width, height});
}

template <typename Row>
void Add(std::vector<EngravedLabel>& out, int panel, const Row& row, const char* picture) {
    if (row.drawn == kit::Layout::A330)
        return;
    int width = 0;
    int height = 0;
    ControlPictureSize(picture, width, height);
    AddAt(out, panel, row.label, row.x, row.y, width, height);
}

// The split of a label into two lines at the space nearest its middle, or
// nothing when it has no space.
std::vector<std::string> TwoLines(const std::string& text) {
    std::size_t best = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ')
            continue;
        const auto distance = [&](std::size_t at) {
            return at * 2 > text.size() ? at * 2 - text.size() : text.size() - at * 2;
        };
        if (best == std::string::npos || distance(i) < distance(best))
            best = i;
    }
    if (best == std::string::npos)
        return {};
    return {text.substr(0, best), text.substr(best + 1)};
}

Box LinesBox(const std::vector<std::string>& lines, int size, const MeasureText& measure) {
    Box box{0, 0, 0, 0};
    for (const std::string& line : lines) {
        const TextSize text = measure(line, size);
        box.width = text.width > box.width ? text.width : box.width;
        box.height += text.height;
    }
    return box;
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
        const kit::PanelDescription& desc = *entry.desc;
        const int n = entry.number;
        for (const kit::ButtonRow& row : desc.buttons)
            Add(labels, n, row, row.picture);
        for (const kit::SwitchRow& row : desc.switches)
            Add(labels, n, row, row.pictures[0]);
        for (const kit::KnobRow& row : desc.knobs)
            Add(labels, n, row, row.picture);
        for (const kit::LightRow& row : desc.lights)
            Add(labels, n, row, row.picture);
        for (const kit::RotaryRow& row : desc.rotaries)
            Add(labels, n, row, row.pictures[2]);
        // Numeric windows carry no engraved label; they only take room.
        for (const kit::DisplayRow& row : desc.displays)
            if (row.drawn != kit::Layout::A330)
                AddAt(labels, n, "", row.x, row.y, row.cells * kGlyphWidth, kGlyphHeight);
    }
    return labels;
}

std::vector<PlacedLabel> PlaceLabels(const std::vector<EngravedLabel>& controls,
                                     const MeasureText& measure) {
    std::vector<PlacedLabel> placed;
    for (const EngravedLabel& label : controls) {
        if (label.text.empty())
            continue;
        const panels::PanelPlace& place = panels::kPanelLayout[label.panel];
        const Box plate{place.x + 2, place.y + 2, place.width - 4, place.height - 4};
        const int controlWidth = label.width > 0 ? label.width : 30;
        const int centre = label.x + controlWidth / 2;
        const auto free = [&](const Box& box) {
            if (!box.Inside(plate))
                return false;
            for (const EngravedLabel& control : controls)
                if (control.panel == label.panel &&
                    box.Overlaps({control.x, control.y, control.width, control.height}))
                    return false;
            // Words of two labels side by side keep a space between them.
            const Box spaced{box.x - kLabelGap, box.y, box.width + 2 * kLabelGap, box.height};
            for (const PlacedLabel& other : placed)
                if (other.panel == label.panel && spaced.Overlaps(other.box))
                    return false;
            return true;
        };
        const std::vector<std::string> one{label.text};
        const std::vector<std::string> two = TwoLines(label.text);
        bool done = false;
        for (int size : kLabelSizes) {
            for (const std::vector<std::string>* lines : {&one, &two}) {
                if (lines->empty())
                    continue;
                Box box = LinesBox(*lines, size, measure);
                // Centred above, centred below, then beside the control, then
                // above or below flush with one of its sides.
                const int above = label.y - box.height - 1;
                const int below = label.y + label.height + 1;
                const int middle = label.y + label.height / 2 - box.height / 2;
                const int left = label.x - box.width - 2;
                const int right = label.x + controlWidth + 2;
                const int flushLeft = label.x;
                const int flushRight = label.x + controlWidth - box.width;
                const int centred = centre - box.width / 2;
                const int spots[][2] = {
                    {centred, above},   {centred, below},    {left, middle},
                    {right, middle},    {flushLeft, above},  {flushRight, above},
                    {flushLeft, below}, {flushRight, below},
                };
                for (const auto& spot : spots) {
                    box.x = spot[0];
                    box.y = spot[1];
                    if (!done && free(box)) {
                        placed.push_back({label.panel, *lines, size, box, true});
                        done = true;
                    }
                }
            }
            if (done)
                break;
        }
        if (done)
            continue;
        const int last = kLabelSizes[std::size(kLabelSizes) - 1];
        const std::vector<std::string>& lines = two.empty() ? one : two;
        Box box = LinesBox(lines, last, measure);
        box.x = centre - box.width / 2;
        box.y = label.y - box.height - 1;
        placed.push_back({label.panel, lines, last, box, false});
    }
    return placed;
}

}  // namespace art
