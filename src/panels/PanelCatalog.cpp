#include "panels/PanelCatalog.h"

#include "panels/CA320_ElectricalPanel.h"
#include "panels/CA330_Acp.h"
#include "panels/CA330_Rmp.h"

namespace panels {

namespace {

// In panel-number order; one line per panel side.
const CatalogEntry kCatalog[] = {
    {0, &elec::kSpec, 0}, {37, &rmp::kSpec, 0}, {38, &rmp::kSpec, 1}, {39, &rmp::kSpec, 2},
    {40, &acp::kSpec, 0}, {41, &acp::kSpec, 1}, {42, &acp::kSpec, 2},
};

}  // namespace

std::span<const CatalogEntry> KitCatalog() {
    return kCatalog;
}

}  // namespace panels
