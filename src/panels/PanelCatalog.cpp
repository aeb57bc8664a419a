#include "panels/PanelCatalog.h"

#include "panels/CA320_ElectricalPanel.h"

namespace panels {

namespace {

// In panel-number order; one line per panel side.
const CatalogEntry kCatalog[] = {
    {0, &elec::kSpec, 0},
};

}  // namespace

std::span<const CatalogEntry> KitCatalog() {
    return kCatalog;
}

}  // namespace panels
