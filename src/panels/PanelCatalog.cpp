#include "panels/PanelCatalog.h"

#include "panels/CA320_ElectricalPanel.h"
#include "panels/CA330_Clock.h"
#include "panels/CA330_RudderTrim.h"
#include "panels/CFlapPanelPanel.h"
#include "panels/CGlareShield.h"
#include "panels/CLndGearPanel.h"
#include "panels/CSpdBrkPanelPanel.h"
#include "panels/CStabPanel.h"
#include "panels/CThrustLever.h"

namespace panels {

namespace {

// In panel-number order; one line per panel side.
const CatalogEntry kCatalog[] = {
    {0, &elec::kSpec, 0},        {2, &gear::kSpec, 0},      {19, &flaps::kSpec, 0},
    {21, &glare::kSpec[0], 0},   {22, &glare::kSpec[1], 1}, {24, &spdbrk::kSpec, 0},
    {25, &clockpanel::kSpec, 0}, {27, &thrust::kSpec, 0},   {31, &stab::kSpec, 0},
    {36, &rudder::kSpec, 0},
};

}  // namespace

std::span<const CatalogEntry> KitCatalog() {
    return kCatalog;
}

}  // namespace panels
