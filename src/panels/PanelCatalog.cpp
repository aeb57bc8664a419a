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
    {0, &elec::kSpec, 0},         {10, &parkbrake::kSpec, 0}, {12, &fuel::kSpec, 0},
    {13, &air::kSpec, 0},         {14, &hyd::kSpec, 0},       {15, &fire::kSpec, 0},
    {17, &fltctlleft::kSpec, 0},  {28, &emerpwr::kSpec, 0},   {29, &vent::kSpec, 0},
    {30, &cargosmoke::kSpec, 0},  {32, &maneng::kSpec, 0},    {33, &fltctlright::kSpec, 0},
    {34, &cargoheat::kSpec, 0},   {35, &oxygen::kSpec, 0},    {43, &efisdmc::kSpecs[0], 0},
    {44, &efisdmc::kSpecs[1], 1}, {45, &gpws::kSpec, 0},      {46, &calls::kSpec, 0},
    {47, &evac::kSpec, 0},        {48, &rcdr::kSpec, 0},      {49, &antiice::kSpec, 0},
    {3, &ecam::kSpec, 0},         {6, &lights::kSpec, 0},     {7, &adirs::kSpec, 0},
    {11, &engstart::kSpec, 0},    {2, &gear::kSpec, 0},       {19, &flaps::kSpec, 0},
    {21, &glare::kSpec[0], 0},    {22, &glare::kSpec[1], 1},  {24, &spdbrk::kSpec, 0},
    {25, &clockpanel::kSpec, 0},  {27, &thrust::kSpec, 0},    {31, &stab::kSpec, 0},
    {36, &rudder::kSpec, 0},
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
