// The cockpit manager's panel layout table: every panel's fixed number and its
// rectangle on the main picture. The manager builds its layout from it, and the
// art tool draws the main picture from it, so both always agree.
//
// Numbers 1, 16 and 26 have a place but no panel.
#pragma once

namespace panels {

struct PanelPlace {
    int number;
    int x;
    int y;
    int width;
    int height;
    const char* panel;  // the panel object that lives there; "" when none
    const char* title;  // the name on the panel's plate; "" when none

    constexpr int Right() const { return x + width; }
    constexpr int Bottom() const { return y + height; }
    constexpr bool HasPanel() const { return panel[0] != '\0'; }
};

inline constexpr int kPanelCount = 51;

// Indexed by panel number.
inline constexpr PanelPlace kPanelLayout[kPanelCount] = {
    {0, 898, 500, 669, 210, "CA320_ElectricalPanel", "ELECTRICAL"},
    {1, 0, 0, 200, 300, "", ""},
    {2, 1484, 1889, 272, 520, "CLndGearPanel", "LANDING GEAR"},
    {3, 1079, 2711, 450, 160, "CEcamCntlPanel", "ECAM CONTROL"},
    {4, 641, 1594, 330, 203, "CNavPanel, side 0", "EFIS CONTROL CAPT"},
    {5, 1536, 1594, 330, 203, "CNavPanel, side 1", "EFIS CONTROL F/O"},
    {6, 898, 1077, 669, 170, "light switch panel", "EXTERIOR AND INTERIOR LIGHTS"},
    {7, 613, 65, 285, 342, "CA320_AdiruPanel", "ADIRS"},
    {8, 765, 2584, 314, 500, "CMcduPanel, side 0", "MCDU CAPT"},
    {9, 1528, 2586, 315, 500, "CMcduPanel, side 1", "MCDU F/O"},
    {10, 1133, 3780, 313, 100, "CParkBrakePanel", "PARKING BRAKE"},
    {11, 1079, 3377, 450, 320, "CEngStartPanel", "ENGINE START"},
    {12, 898, 370, 669, 110, "CA320_FuelPanel", "FUEL"},
    {13, 898, 712, 669, 225, "CA320AirPanel", "AIR CONDITIONING"},
    {14, 898, 229, 669, 140, "CHydPanelPanel", "HYDRAULIC"},
    {15, 898, 97, 669, 134, "CA320_FirePanel", "FIRE"},
    {16, 613, 250, 285, 156, "", ""},
    {17, 613, 405, 285, 95, "CA320_FltCtlsLeft", "FLIGHT CONTROL LEFT"},
    {18, 1079, 2587, 450, 130, "CEfisSwPanel", "EFIS SWITCHING"},
    {19, 1449, 3581, 340, 328, "CFlapPanelPanel", "FLAPS"},
    {20, 976, 1595, 560, 200, "CFcuPanel", "FCU"},
    {21, 0, 1610, 639, 200, "CGlareShield, side 0", "GLARESHIELD CAPT"},
    {22, 1875, 1597, 850, 200, "CGlareShield, side 1", "GLARESHIELD F/O"},
    {23, 806, 2190, 290, 380, "CDataScreen", "DATA SCREEN"},
    {24, 809, 3577, 300, 328, "CSpdBrkPanelPanel", "SPEED BRAKE"},
    {25, 813, 1794, 270, 420, "CA330_Clock", "CLOCK"},
    {26, 613, 497, 285, 110, "", ""},
    {27, 1200, 2920, 210, 460, "CThrustLever", "THRUST LEVERS"},
    {28, 613, 580, 285, 120, "CEmrPwrPanel", "EMERGENCY ELECTRICAL POWER"},
    {29, 1567, 920, 285, 70, "CVentilationPanel", "VENTILATION"},
    {30, 1567, 832, 287, 87, "CA320CargoSmoke", "CARGO SMOKE"},
    {31, 1080, 2860, 431, 513, "CStabPanel", "PITCH TRIM"},
    {32, 1567, 990, 292, 90, "CManEngPanel", "MANUAL ENGINE START"},
    {33, 1567, 563, 287, 100, "CA320_FltCtlsRight", "FLIGHT CONTROL RIGHT"},
    {34, 1567, 663, 292, 170, "CA320CargoHeat", "CARGO HEAT"},
    {35, 613, 870, 285, 110, "COxygenPanel", "OXYGEN"},
    {36, 1133, 3694, 313, 80, "CA330_RudderTrim", "RUDDER TRIM"},
    {37, 765, 3075, 310, 160, "CA330_Rmp, side 0", "RMP CAPT"},
    {38, 1533, 3075, 310, 160, "CA330_Rmp, side 1", "RMP F/O"},
    {39, 1564, 0, 310, 160, "CA330_Rmp, side 2", "RMP 3"},
    {40, 765, 3228, 310, 175, "CA330_Acp, side 0", "ACP CAPT"},
    {41, 1533, 3228, 310, 175, "CA330_Acp, side 1", "ACP F/O"},
    {42, 1562, 153, 310, 175, "CA330_Acp, side 2", "ACP 3"},
    {43, 0, 2205, 120, 330, "CA330_EfisDmc, side 0", "EFIS DMC CAPT"},
    {44, 2320, 2200, 250, 105, "CA330_EfisDmc, side 1", "EFIS DMC F/O"},
    {45, 613, 700, 285, 95, "CGpwsPanel", "GPWS"},
    {46, 613, 975, 285, 80, "CA320_Calls", "CALLS"},
    {47, 613, 508, 285, 85, "CA320_EvacPanel", "EVACUATION"},
    {48, 613, 800, 285, 76, "CA320_RcdrPanel", "RECORDER"},
    {49, 898, 950, 669, 130, "CA320_AiPanel", "ANTI ICE"},
    {50, 1530, 3465, 310, 130, "TcasPanel", "TCAS / ATC"},
};

// The smallest picture that holds every rectangle of the table.
constexpr int LayoutWidth() {
    int width = 0;
    for (const PanelPlace& place : kPanelLayout)
        width = place.Right() > width ? place.Right() : width;
    return width;
}
constexpr int LayoutHeight() {
    int height = 0;
    for (const PanelPlace& place : kPanelLayout)
        height = place.Bottom() > height ? place.Bottom() : height;
    return height;
}

constexpr bool LayoutIsIndexedByNumber() {
    for (int n = 0; n < kPanelCount; ++n)
        if (kPanelLayout[n].number != n)
            return false;
    return true;
}
static_assert(LayoutIsIndexedByNumber(), "the layout table must be indexed by panel number");
static_assert(!kPanelLayout[1].HasPanel() && !kPanelLayout[16].HasPanel() &&
                  !kPanelLayout[26].HasPanel(),
              "places 1, 16 and 26 hold no panel");

}  // namespace panels
