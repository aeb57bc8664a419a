#include "panels/PanelCatalog.h"

#include "panels/CA320AirPanel.h"
#include "panels/CA320CargoHeat.h"
#include "panels/CA320CargoSmoke.h"
#include "panels/CA320_AdiruPanel.h"
#include "panels/CA320_AiPanel.h"
#include "panels/CA320_Calls.h"
#include "panels/CA320_ElectricalPanel.h"
#include "panels/CA320_EvacPanel.h"
#include "panels/CA320_FirePanel.h"
#include "panels/CA320_FltCtlsLeft.h"
#include "panels/CA320_FltCtlsRight.h"
#include "panels/CA320_FuelPanel.h"
#include "panels/CA320_RcdrPanel.h"
#include "panels/CA330_Acp.h"
#include "panels/CA330_Clock.h"
#include "panels/CA330_EfisDmc.h"
#include "panels/CA330_LtSwPanel.h"
#include "panels/CA330_Rmp.h"
#include "panels/CA330_RudderTrim.h"
#include "panels/CEcamCntlPanel.h"
#include "panels/CEmrPwrPanel.h"
#include "panels/CEngStartPanel.h"
#include "panels/CFlapPanelPanel.h"
#include "panels/CGlareShield.h"
#include "panels/CGpwsPanel.h"
#include "panels/CHydPanelPanel.h"
#include "panels/CLndGearPanel.h"
#include "panels/CManEngPanel.h"
#include "panels/COxygenPanel.h"
#include "panels/CParkBrakePanel.h"
#include "panels/CSpdBrkPanelPanel.h"
#include "panels/CStabPanel.h"
#include "panels/CThrustLever.h"
#include "panels/CVentilationPanel.h"

namespace panels {

namespace {

// In panel-number order; one line per panel side.
const CatalogEntry kCatalog[] = {
    {0, &elec::kDescription, 0},         {10, &parkbrake::kDescription, 0},
    {12, &fuel::kDescription, 0},        {13, &air::kDescription, 0},
    {14, &hyd::kDescription, 0},         {15, &fire::kDescription, 0},
    {17, &fltctlleft::kDescription, 0},  {28, &emerpwr::kDescription, 0},
    {29, &vent::kDescription, 0},        {30, &cargosmoke::kDescription, 0},
    {32, &maneng::kDescription, 0},      {33, &fltctlright::kDescription, 0},
    {34, &cargoheat::kDescription, 0},   {35, &oxygen::kDescription, 0},
    {43, &efisdmc::kDescriptions[0], 0}, {44, &efisdmc::kDescriptions[1], 1},
    {45, &gpws::kDescription, 0},        {46, &calls::kDescription, 0},
    {47, &evac::kDescription, 0},        {48, &rcdr::kDescription, 0},
    {49, &antiice::kDescription, 0},     {3, &ecam::kDescription, 0},
    {6, &lights::kDescription, 0},       {7, &adirs::kDescription, 0},
    {11, &engstart::kDescription, 0},    {2, &gear::kDescription, 0},
    {19, &flaps::kDescription, 0},       {21, &glare::kDescription[0], 0},
    {22, &glare::kDescription[1], 1},    {24, &spdbrk::kDescription, 0},
    {25, &clockpanel::kDescription, 0},  {27, &thrust::kDescription, 0},
    {31, &stab::kDescription, 0},        {36, &rudder::kDescription, 0},
    {37, &rmp::kDescription, 0},  // RMP captain
    {38, &rmp::kDescription, 1},  // RMP first officer
    {39, &rmp::kDescription, 2},  // RMP 3
    {40, &acp::kDescription, 0},  // ACP captain
    {41, &acp::kDescription, 1},  // ACP first officer
    {42, &acp::kDescription, 2},  // ACP 3
};

}  // namespace

std::span<const CatalogEntry> KitCatalog() {
    return kCatalog;
}

}  // namespace panels
