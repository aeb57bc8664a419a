#include "units/UnitCatalog.h"

#include <algorithm>
#include <vector>

#include "units/CDataScreen.h"
#include "units/CEfisSwPanel.h"
#include "units/CNavPanel.h"
#include "units/TcasPanel.h"

namespace units {

namespace {

const panels::CatalogEntry kUnits[] = {
    {4, &efis::kDescriptionCapt, 0}, {5, &efis::kDescriptionFo, 1},
    {18, &efissw::kDescription, 0},  {23, &datascreen::kDescription, 0},
    {50, &atc::kDescription, 0},
};

}  // namespace

std::span<const panels::CatalogEntry> UnitCatalog() {
    return kUnits;
}

std::span<const panels::CatalogEntry> CockpitCatalog() {
    static const std::vector<panels::CatalogEntry> all = [] {
        std::vector<panels::CatalogEntry> entries(panels::KitCatalog().begin(),
                                                  panels::KitCatalog().end());
        entries.insert(entries.end(), std::begin(kUnits), std::end(kUnits));
        std::stable_sort(entries.begin(), entries.end(),
                         [](const auto& a, const auto& b) { return a.number < b.number; });
        return entries;
    }();
    return all;
}

}  // namespace units
