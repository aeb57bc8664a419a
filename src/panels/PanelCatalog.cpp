#include "panels/PanelCatalog.h"

#include "panels/CA320_AdiruPanel.h"
#include "panels/CA320_ElectricalPanel.h"
#include "panels/CA330_LtSwPanel.h"
#include "panels/CEcamCntlPanel.h"
#include "panels/CEngStartPanel.h"

namespace panels {

namespace {

// In panel-number order; one line per panel side.
const CatalogEntry kCatalog[] = {
    {0, &elec::kSpec, 0},  {3, &ecam::kSpec, 0},      {6, &lights::kSpec, 0},
    {7, &adirs::kSpec, 0}, {11, &engstart::kSpec, 0},
};

}  // namespace

std::span<const CatalogEntry> KitCatalog() {
    return kCatalog;
}

}  // namespace panels
