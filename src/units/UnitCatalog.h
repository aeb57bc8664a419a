// Every panel and unit built on the panel kit, in panel-number order: the
// panel catalogue of the panel library and the units of this folder. The
// tools walk it for the host's field names, the labels of the default art
// and the demo's lights.
#pragma once

#include <span>

#include "panels/PanelCatalog.h"

namespace units {

// The units built on the kit, one entry per side.
std::span<const panels::CatalogEntry> UnitCatalog();

// The panels' catalogue and the units', sorted by panel number.
std::span<const panels::CatalogEntry> CockpitCatalog();

}  // namespace units
