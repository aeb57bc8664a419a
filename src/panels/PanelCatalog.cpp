#include "panels/PanelCatalog.h"

#include "panels/CA320_ElectricalPanel.h"
#include "panels/CA330_Acp.h"
#include "panels/CA330_Rmp.h"

namespace panels {

namespace {

// In panel-number order; one line per panel side.
const CatalogEntry kCatalog[] = {
    {0, &elec::kSpec, 0},
    {37, &rmp::kSpec, 0},  // RMP captain
    {38, &rmp::kSpec, 1},  // RMP first officer
    {39, &rmp::kSpec, 2},  // RMP 3
    {40, &acp::kSpec, 0},  // ACP captain
    {41, &acp::kSpec, 1},  // ACP first officer
    {42, &acp::kSpec, 2},  // ACP 3
};

}  // namespace

std::span<const CatalogEntry> KitCatalog() {
    return kCatalog;
}

}  // namespace panels
