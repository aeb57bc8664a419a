#include "app/ControlExplorer.h"

#include <algorithm>
#include <cstring>

#include "fields/FieldValue.h"
#include "panels/CKitPanel.h"
#include "panels/KitFields.h"
#include "panels/PanelLayout.h"
#include "shm/GenericLayout.h"
#include "units/UnitCatalog.h"
#include "util/KxText.h"

namespace {

// The window writes the frame counter in every iteration: not a click's doing.
constexpr std::uint32_t kIgnoredOffset = generic::kFrameCounter.Offset();
constexpr std::uint32_t kIgnoredWidth = sizeof(std::int32_t);

// Raw bytes shown per change; longer runs end in "...".
constexpr std::uint32_t kMaxRawBytes = 8;

const char* KindName(ControlType kind) {
    switch (kind) {
        case ControlType::Switch:
            return "switch";
        case ControlType::PushButton:
        case ControlType::GuardedButton:
            return "push-button";
        case ControlType::Knob:
            return "knob";
        case ControlType::RotaryKnob:
            return "rotary knob";
        case ControlType::Light:
            return "light";
        case ControlType::Lever:
            return "lever";
        case ControlType::Cover:
            return "cover";
        case ControlType::None:
            break;
    }
    return "control";
}

// Where a kit panel's control sits in its description.
struct KitPlace {
    CKitPanel::Kind kind = CKitPanel::Kind::Display;
    int row = -1;
};

template <typename Control>
bool FindIn(std::span<Control> controls, const CBaseCockpitControl* c, CKitPanel::Kind kind,
            KitPlace& place) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (&controls[i] == c) {
            place = KitPlace{kind, static_cast<int>(i)};
            return true;
        }
    }
    return false;
}

// The control's kind and row, found by its address among the panel's
// controls (so the result does not depend on the order GetControl counts in).
KitPlace PlaceOf(const CKitPanel& panel, const CBaseCockpitControl* c) {
    using Kind = CKitPanel::Kind;
    KitPlace place;
    const bool found = FindIn(panel.Buttons(), c, Kind::Button, place) ||
                       FindIn(panel.Covers(), c, Kind::Cover, place) ||
                       FindIn(panel.Switches(), c, Kind::Switch, place) ||
                       FindIn(panel.Knobs(), c, Kind::Knob, place) ||
                       FindIn(panel.Levers(), c, Kind::Lever, place) ||
                       FindIn(panel.Lights(), c, Kind::Light, place) ||
                       FindIn(panel.Rotaries(), c, Kind::Rotary, place);
    return found ? place : KitPlace{};
}

template <typename Row>
const Row* RowAt(std::span<const Row> rows, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < rows.size()
               ? &rows[static_cast<std::size_t>(index)]
               : nullptr;
}

// Calls visit(row) with the description's row of the place, if it has one.
template <typename Visit>
void VisitRow(const kit::PanelDescription& d, const KitPlace& place, Visit visit) {
    using Kind = CKitPanel::Kind;
    auto take = [&visit](const auto* row) {
        if (row != nullptr)
            visit(*row);
    };
    switch (place.kind) {
        case Kind::Button:
            return take(RowAt(d.buttons, place.row));
        case Kind::Cover:
            return take(RowAt(d.covers, place.row));
        case Kind::Switch:
            return take(RowAt(d.switches, place.row));
        case Kind::Knob:
            return take(RowAt(d.knobs, place.row));
        case Kind::Lever:
            return take(RowAt(d.levers, place.row));
        case Kind::Light:
            return take(RowAt(d.lights, place.row));
        case Kind::Rotary:
            return take(RowAt(d.rotaries, place.row));
        case Kind::Display:
            return;
    }
}

// The layout a kit control is drawn in (a cover's is its button's); Both for
// those without one.
kit::Layout DrawnLayout(const kit::PanelDescription& d, const KitPlace& place) {
    kit::Layout layout = kit::Layout::Both;
    VisitRow(d, place, [&](const auto& row) {
        if constexpr (requires { row.drawn; })
            layout = row.drawn;
        else
            layout = DrawnLayout(d, KitPlace{CKitPanel::Kind::Button, row.button});
    });
    return layout;
}

const char* RowLabel(const kit::PanelDescription& d, const KitPlace& place) {
    const char* label = nullptr;
    VisitRow(d, place, [&label](const auto& row) { label = row.label; });
    return label;
}

// The part of the field names that the row's fields share ("BUTTON_3"); a
// cover stands for the button it covers. Empty when the row makes no field.
std::string RowFieldName(const kit::PanelDescription& d, const KitPlace& place) {
    using Kind = CKitPanel::Kind;
    switch (place.kind) {
        case Kind::Button:
            return "BUTTON_" + std::to_string(place.row);
        case Kind::Cover:
            if (auto* row = RowAt(d.covers, place.row))
                return "BUTTON_" + std::to_string(row->button);
            return {};
        case Kind::Switch:
            return "SWITCH_" + std::to_string(place.row);
        case Kind::Knob:
            return "KNOB_" + std::to_string(place.row);
        case Kind::Lever:
            return "LEVER_" + std::to_string(place.row);
        case Kind::Light:
            return "LIGHT_" + std::to_string(place.row);
        case Kind::Rotary:
        case Kind::Display:
            break;
    }
    return {};
}

bool StartsWithName(const std::string& name, const std::string& prefix) {
    // PREFIX.LIGHT_1 must not take PREFIX.LIGHT_10.
    return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
           (name.size() == prefix.size() || name[prefix.size()] == '.');
}

std::string HexBytes(const std::uint8_t* bytes, std::uint32_t width) {
    std::string text;
    const std::uint32_t shown = std::min(width, kMaxRawBytes);
    for (std::uint32_t i = 0; i < shown; ++i) {
        char hex[4];
        kx::Format(hex, sizeof hex, "%02x", bytes[i]);
        if (i > 0)
            text += ' ';
        text += hex;
    }
    if (shown < width)
        text += " ...";
    return text;
}

std::string Formatted(const std::uint8_t* view, const host::NamedField& field) {
    char text[160];
    host::FormatValue(view, field, host::ValueStyle::Quoted, text, sizeof text);
    return text;
}

}  // namespace

std::string PanelTitle(const CA320Cockpit& cockpit, int panel) {
    const CBasePanel* object = cockpit.GetPanel(panel);
    if (const auto* kitPanel = dynamic_cast<const CKitPanel*>(object)) {
        const kit::PanelDescription& d = kitPanel->Description();
        std::string name = d.title;
        if (d.sides > 1)
            name += " (side " + std::to_string(kitPanel->GetSide()) + ")";
        return name;
    }
    for (const panels::CatalogEntry& entry : units::CockpitCatalog()) {
        if (entry.number == panel)
            return entry.desc->title;
    }
    if (panel >= 0 && panel < panels::kPanelCount && panels::kPanelLayout[panel].title[0] != '\0')
        return panels::kPanelLayout[panel].title;
    return "panel " + std::to_string(panel);
}

ControlExplorer::ControlExplorer(const CA320Cockpit& cockpit, const host::Registry& registry)
    : m_cockpit(cockpit), m_registry(registry), m_snapshot(registry.SegmentSize()) {}

const CBaseCockpitControl* ControlExplorer::ControlOf(const Target& target) const {
    const CBasePanel* panel = m_cockpit.GetPanel(target.panel);
    return panel != nullptr && target.control >= 0 ? panel->GetControl(target.control) : nullptr;
}

// A control counts when it has a hit area and, on a kit panel, is drawn in
// the panel's layout (A330-only rows are not on the picture).
bool ControlExplorer::IsShown(int panel, int, const CBaseCockpitControl& c) const {
    if (c.GetKind() == ControlType::None || c.GetRect().IsRectEmpty())
        return false;
    const auto* kitPanel = dynamic_cast<const CKitPanel*>(m_cockpit.GetPanel(panel));
    if (kitPanel == nullptr)
        return true;
    return kit::DrawnIn(DrawnLayout(kitPanel->Description(), PlaceOf(*kitPanel, &c)),
                        kitPanel->IsA320Layout());
}

ControlExplorer::Target ControlExplorer::Find(CPoint p) const {
    Target best;
    bool bestIsLight = true;
    long long bestArea = 0;
    ForEachControl([&](const Target& t) {
        const CBaseCockpitControl* c = ControlOf(t);
        if (c == nullptr || !c->IsPointInside(p.x, p.y))
            return;
        const bool light = c->GetKind() == ControlType::Light;
        const long long area = static_cast<long long>(t.rect.Width()) * t.rect.Height();
        if (!best.IsValid() || (bestIsLight && !light) ||
            (bestIsLight == light && area <= bestArea)) {
            best = t;
            bestIsLight = light;
            bestArea = area;
        }
    });
    return best;
}

std::string ControlExplorer::ControlLabel(const Target& target) const {
    const CBaseCockpitControl* c = ControlOf(target);
    if (c == nullptr)
        return {};
    if (const auto* kitPanel = dynamic_cast<const CKitPanel*>(m_cockpit.GetPanel(target.panel))) {
        if (const char* label = RowLabel(kitPanel->Description(), PlaceOf(*kitPanel, c)))
            return label;
    }
    return std::string(KindName(c->GetKind())) + " " + std::to_string(target.control);
}

std::string ControlExplorer::FieldPrefix(const Target& target) const {
    const auto* kitPanel = dynamic_cast<const CKitPanel*>(m_cockpit.GetPanel(target.panel));
    const CBaseCockpitControl* c = ControlOf(target);
    if (kitPanel == nullptr || c == nullptr)
        return {};
    const kit::PanelDescription& d = kitPanel->Description();
    std::string row = RowFieldName(d, PlaceOf(*kitPanel, c));
    return row.empty() ? row : kit::SidePrefix(d, kitPanel->GetSide()) + "." + row;
}

std::vector<const host::NamedField*> ControlExplorer::FieldsOf(const Target& target) const {
    std::vector<const host::NamedField*> fields;
    const std::string prefix = FieldPrefix(target);
    if (!prefix.empty()) {
        for (const host::NamedField& field : m_registry.Fields()) {
            if (StartsWithName(field.name, prefix))
                fields.push_back(&field);
        }
        return fields;
    }
    auto learned = m_learned.find({target.panel, target.control});
    if (learned != m_learned.end())
        fields = learned->second;
    return fields;
}

std::vector<std::string> ControlExplorer::Describe(const Target& target,
                                                   const std::uint8_t* view) const {
    std::vector<std::string> lines;
    if (!target.IsValid())
        return lines;
    lines.push_back(PanelName(target.panel));
    lines.push_back(ControlLabel(target));
    const std::vector<const host::NamedField*> fields = FieldsOf(target);
    if (fields.empty()) {
        const bool haveRows = dynamic_cast<const CKitPanel*>(m_cockpit.GetPanel(target.panel));
        lines.push_back(haveRows ? "  (no fields)" : "  (fields: click it to trace)");
    }
    for (const host::NamedField* field : fields) {
        std::string line = "  " + field->name + " = ";
        line += view != nullptr ? Formatted(view, *field) : "?";
        line += "  @" + std::to_string(field->offset);
        lines.push_back(std::move(line));
    }
    return lines;
}

void ControlExplorer::BeginClick(const std::uint8_t* view, CPoint picturePoint) {
    if (view == nullptr)
        return;
    std::memcpy(m_snapshot.data(), view, m_snapshot.size());
    m_clicked = Find(picturePoint);
    m_framesWaited = 0;
    m_pending = true;
}

bool ControlExplorer::EndClick(const std::uint8_t* view) {
    if (!m_pending || view == nullptr)
        return false;
    std::vector<Change> changes = Compare(m_snapshot.data(), view);
    if (changes.empty() && m_framesWaited < kMaxTraceFrames)
        return false;
    Finish(std::move(changes));
    return true;
}

void ControlExplorer::AfterFrame(const std::uint8_t* view) {
    if (!m_pending)
        return;
    ++m_framesWaited;
    EndClick(view);
}

void ControlExplorer::Finish(std::vector<Change> changes) {
    m_pending = false;
    m_haveTrace = true;
    m_trace.target = m_clicked;
    m_trace.frames = m_framesWaited;
    m_trace.changes = std::move(changes);
    // A control without rows learns its fields from what its clicks change.
    if (m_clicked.IsValid() && FieldPrefix(m_clicked).empty()) {
        std::vector<const host::NamedField*>& known =
            m_learned[{m_clicked.panel, m_clicked.control}];
        for (const Change& change : m_trace.changes) {
            if (change.field != nullptr &&
                std::find(known.begin(), known.end(), change.field) == known.end())
                known.push_back(change.field);
        }
    }
}

std::vector<ControlExplorer::Change> ControlExplorer::Compare(const std::uint8_t* before,
                                                              const std::uint8_t* after) const {
    const auto size = static_cast<std::uint32_t>(m_snapshot.size());
    auto ignored = [](std::uint32_t at) {
        return at >= kIgnoredOffset && at < kIgnoredOffset + kIgnoredWidth;
    };
    // The runs of changed bytes.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;  // [start, end)
    for (std::uint32_t i = 0; i < size; ++i) {
        if (before[i] == after[i] || ignored(i))
            continue;
        std::uint32_t end = i + 1;
        while (end < size && before[end] != after[end] && !ignored(end))
            ++end;
        runs.emplace_back(i, end);
        i = end;
    }
    std::vector<Change> changes;
    if (runs.empty())
        return changes;
    auto overlaps = [](std::uint32_t start, std::uint32_t width, std::uint32_t from,
                       std::uint32_t to) { return start < to && from < start + width; };
    for (const host::NamedField& field : m_registry.Fields()) {
        for (const auto& [from, to] : runs) {
            if (overlaps(field.offset, field.width, from, to)) {
                changes.push_back(Change{&field, field.offset, field.width,
                                         Formatted(before, field), Formatted(after, field)});
                break;
            }
        }
    }
    // What no field covers, as raw runs.
    const std::size_t named = changes.size();
    for (const auto& [from, to] : runs) {
        std::uint32_t i = from;
        while (i < to) {
            auto covered = [&](std::uint32_t at) {
                for (std::size_t k = 0; k < named; ++k) {
                    if (overlaps(changes[k].offset, changes[k].width, at, at + 1))
                        return true;
                }
                return false;
            };
            if (covered(i)) {
                ++i;
                continue;
            }
            std::uint32_t end = i + 1;
            while (end < to && !covered(end))
                ++end;
            changes.push_back(Change{nullptr, i, end - i, HexBytes(before + i, end - i),
                                     HexBytes(after + i, end - i)});
            i = end;
        }
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const Change& a, const Change& b) { return a.offset < b.offset; });
    return changes;
}

std::vector<std::string> ControlExplorer::DescribeTrace() const {
    std::vector<std::string> lines;
    if (!m_haveTrace)
        return lines;
    std::string head = "Last click";
    if (m_trace.target.IsValid())
        head += ": " + PanelName(m_trace.target.panel) + " / " + ControlLabel(m_trace.target);
    if (m_trace.frames > 0)
        head += " (seen after " + std::to_string(m_trace.frames) + " iterations)";
    lines.push_back(std::move(head));
    if (m_trace.changes.empty())
        lines.push_back("  no byte of the segment changed");
    for (const Change& change : m_trace.changes) {
        if (change.field != nullptr) {
            lines.push_back("  " + change.field->name + ": " + change.before + " -> " +
                            change.after);
        } else {
            lines.push_back("  bytes " + std::to_string(change.offset) + ".." +
                            std::to_string(change.offset + change.width - 1) + ": " +
                            change.before + " -> " + change.after);
        }
    }
    return lines;
}
