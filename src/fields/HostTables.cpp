// The row tables of the generic segment that the host knows. A panel that
// adds fields lists its table here, one line, under the heading the host
// shows for it.
#include <algorithm>
#include <deque>
#include <iterator>
#include <string>
#include <vector>
#include "fields/HostRegistry.h"
#include "fields/StartupRows.h"

#include "panels/KitFields.h"
#include "panels/PanelCatalog.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "units/FcuLayout.h"
#include "units/McduLayout.h"
#include "units/UnitCatalog.h"

namespace host {

namespace {

// Tables of the units that keep their own field rows, one line each.
const RowTable kUnitTables[] = {
    {"MCDU 0 (captain)", mcdu::kFields0},
    {"MCDU 1 (first officer)", mcdu::kFields1},
    {"FCU", fcu::kFields},
};

// The program's own tables, then one table per panel side: the kit panels'
// rows are made from their control tables.
struct GenericTables {
    std::deque<std::string> texts;
    std::deque<std::vector<shm::FieldRow>> rows;
    std::vector<RowTable> tables;

    GenericTables() {
        tables.push_back({"Program", generic::kProgramFields});
        tables.push_back({"Start-up report", rows::kStartupReport});
        tables.push_back({"Configuration", rows::kConfiguration});
        for (const panels::CatalogEntry& entry : units::CockpitCatalog()) {
            std::vector<shm::FieldRow>& panelRows = rows.emplace_back();
            kit::AppendFieldRows(*entry.desc, entry.side, panelRows, texts);
            std::string owner = entry.desc->title;
            if (entry.desc->sides > 1)
                owner += " (side " + std::to_string(entry.side) + ")";
            texts.push_back(owner);
            tables.push_back({texts.back().c_str(), panelRows});
        }
        for (const RowTable& table : kUnitTables)
            tables.push_back(table);
    }
};

}  // namespace

std::span<const RowTable> GenericRowTables() {
    static const GenericTables tables;
    return tables.tables;
}

const Registry& GenericRegistry() {
    static const Registry registry(GenericRowTables(), Gensim_Shm::kSize);
    return registry;
}

bool IsReadOnly(const NamedField& field) {
    auto overlaps = [&field](std::uint64_t start, std::uint64_t width) {
        return field.offset < start + width && start < field.offset + std::uint64_t{field.width};
    };
    return overlaps(generic::kVersion.Offset(), decltype(generic::kVersion)::kSize) ||
           overlaps(generic::kAttachCounter.Offset(), sizeof(std::int32_t));
}

}  // namespace host
