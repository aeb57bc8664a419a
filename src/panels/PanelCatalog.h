// Every panel built on the panel kit, with its number in the cockpit and its
// side: for the tools and checks that walk the panels' tables without a
// running cockpit (the host's field names, the default art, the table checks).
#pragma once

#include <span>

#include "panels/KitRows.h"

namespace panels {

struct CatalogEntry {
    int number;  // in the cockpit manager's panel table
    const kit::PanelDescription* desc;
    int side;
};

std::span<const CatalogEntry> KitCatalog();

}  // namespace panels
