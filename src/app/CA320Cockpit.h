// The cockpit manager: owns every panel, knows where each lies on the cockpit
// picture, initialises them in a fixed order, updates the visible ones in turn
// (one per iteration, or all of them with UpdateAllVisible), sends a mouse
// event to the panel under the pointer at once, and lets the visible panels
// draw themselves into the off-screen picture.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "log/Kx_ErrorReport.h"
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
#include "panels/CBasePanel.h"
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
#include "platform/WinTypes.h"
#include "units/CDataScreen.h"
#include "units/CEfisSwPanel.h"
#include "units/CFcuPanel.h"
#include "units/CMcduPanel.h"
#include "units/CNavPanel.h"
#include "units/TcasPanel.h"

struct MouseEvent;
class CDC;
class CBaseDisplay;
class KxBanner;

class CA320Cockpit : public Kx_ErrorReport {
  public:
    static constexpr int kPanelCount = 51;
    static constexpr int kNoPanel = 51;

    struct LayoutRecord {
        int number;
        int x;
        int y;
        int width;
        int height;
    };

    CA320Cockpit();
    virtual ~CA320Cockpit() = default;
    CA320Cockpit(const CA320Cockpit&) = delete;
    CA320Cockpit& operator=(const CA320Cockpit&) = delete;

    void SetSharedMemory(std::uint8_t* view) { m_view = view; }
    void ClearMcduRefresh() { m_mcduRefresh = false; }
    // The McduRefresh option switches the page copy back on.
    void SetMcduRefresh(bool on) { m_mcduRefresh = on; }
    bool IsMcduRefresh() const { return m_mcduRefresh; }
    // The drawing object of the MCDU screens and the banner that Initialise
    // reports to (used only during Initialise); both may be null.
    void SetMcduDisplay(CBaseDisplay* display, KxBanner* banner) {
        m_mcduDisplay = display;
        m_banner = banner;
    }
    // Every visible panel in every iteration instead of one per iteration.
    void SetUpdateAllVisible(bool on) { m_updateAllVisible = on; }

    bool Initialise(const char* bitmapDirectory);
    // After a failed Initialise: what went wrong with which picture file
    // (starts with a line break; empty when the panel's text says it all).
    const char* GetFailureDetail() const { return m_failureDetail.c_str(); }
    void SetRemoteHoldAll(bool hold);
    void UpdateVisible(int left, int top, int right, int bottom, MouseEvent* event);
    void UpdateAll();
    void OnMouse(CPoint point);
    void Draw(CDC* dc);

    // For the main window, the tools and the tests.
    const LayoutRecord& GetLayout(int number) const { return m_layout[number]; }
    CBasePanel* GetPanel(int number) const;
    int GetVisibleCount() const { return m_visibleCount; }
    int GetVisible(int index) const { return m_visible[index]; }
    int GetRoundRobinIndex() const { return m_roundRobin; }
    int GetLastHit() const { return m_lastHit; }
    int FindPanel(CPoint point) const;

  protected:
    // A panel member that registers itself under its number, so that adding
    // a panel to the cockpit is one line:  Installed<CMyPanel, 12> m_my{*this};
    template <typename Panel, int Number>
    struct Installed : Panel {
        template <typename... Args>
        explicit Installed(CA320Cockpit& cockpit, Args&&... args)
            : Panel(std::forward<Args>(args)...) {
            cockpit.InstallPanel(Number, this);
        }
    };
    void InstallPanel(int number, CBasePanel* panel);
    void UpdatePanel(int number);
    void StartWithAllPanelsVisible();

  private:
    void BuildLayout();
    // A control of that panel (not a light) is drawn under the point.
    bool HasControlAt(int number, CPoint point) const;
    bool CheckControlsFit(int number, const CBasePanel& panel);
    void DescribeFailedPicture(const CBasePanel& panel);
    void RebuildVisibleList(int left, int top, int right, int bottom);
    bool Overlaps(int number, int left, int top, int right, int bottom) const;
    void RunFcuHook();
    void ApplyRemoteHoldRequest();
    void SetUpMcdu(CMcduPanel& mcdu);
    void RefreshMcdus();

    std::uint8_t* m_view = nullptr;
    bool m_mcduRefresh = true;
    bool m_updateAllVisible = false;
    CBasePanel* m_panels[kPanelCount] = {};
    MouseEvent* m_event = nullptr;
    bool m_firstUpdate = true;
    LayoutRecord m_layout[kPanelCount] = {};
    int m_visible[kPanelCount + 1] = {};
    int m_visibleCount = 0;
    int m_visibleLeft = 0;
    int m_visibleTop = 0;
    int m_roundRobin = 0;
    int m_lastHit = 0;
    std::int32_t m_lastRemoteHoldRequest = 0;
    CBaseDisplay* m_mcduDisplay = nullptr;
    KxBanner* m_banner = nullptr;
    std::string m_failureDetail;

  public:
    // The panels, in panel-number order. Numbers 1, 16 and 26 have a place
    // on the picture but no panel; panels not yet built are absent and
    // skipped everywhere.
    Installed<CA320_ElectricalPanel, 0> m_electrical{*this};
    Installed<CMcduPanel, 8> m_mcdu0{*this, 0};
    Installed<CMcduPanel, 9> m_mcdu1{*this, 1};
    Installed<CFcuPanel, 20> m_fcu{*this};
    Installed<CParkBrakePanel, 10> m_parkBrake{*this};
    Installed<CA320_FuelPanel, 12> m_fuel{*this};
    Installed<CA320AirPanel, 13> m_air{*this};
    Installed<CHydPanelPanel, 14> m_hydraulic{*this};
    Installed<CA320_FirePanel, 15> m_fire{*this};
    Installed<CA320_FltCtlsLeft, 17> m_fltCtlsLeft{*this};
    Installed<CEmrPwrPanel, 28> m_emergencyPower{*this};
    Installed<CVentilationPanel, 29> m_ventilation{*this};
    Installed<CA320CargoSmoke, 30> m_cargoSmoke{*this};
    Installed<CManEngPanel, 32> m_manualEngineStart{*this};
    Installed<CA320_FltCtlsRight, 33> m_fltCtlsRight{*this};
    Installed<CA320CargoHeat, 34> m_cargoHeat{*this};
    Installed<COxygenPanel, 35> m_oxygen{*this};
    Installed<CA330_EfisDmc, 43> m_efisDmcLeft{*this, 0};
    Installed<CA330_EfisDmc, 44> m_efisDmcRight{*this, 1};
    Installed<CGpwsPanel, 45> m_gpws{*this};
    Installed<CA320_Calls, 46> m_calls{*this};
    Installed<CA320_EvacPanel, 47> m_evacuation{*this};
    Installed<CA320_RcdrPanel, 48> m_recorder{*this};
    Installed<CA320_AiPanel, 49> m_antiIce{*this};
    Installed<CEcamCntlPanel, 3> m_ecamControl{*this};
    Installed<CA330_LtSwPanel, 6> m_lightSwitch{*this, CBasePanel::kTypeA320};
    Installed<CA320_AdiruPanel, 7> m_adiru{*this};
    Installed<CEngStartPanel, 11> m_engineStart{*this};
    Installed<CLndGearPanel, 2> m_landingGear{*this};
    Installed<CFlapPanelPanel, 19> m_flaps{*this};
    Installed<CGlareShield, 21> m_glareshieldLeft{*this, 0};
    Installed<CGlareShield, 22> m_glareshieldRight{*this, 1};
    Installed<CSpdBrkPanelPanel, 24> m_speedBrake{*this};
    Installed<CA330_Clock, 25> m_clock{*this};
    Installed<CThrustLever, 27> m_thrustLevers{*this};
    Installed<CStabPanel, 31> m_pitchTrim{*this};
    Installed<CA330_RudderTrim, 36> m_rudderTrim{*this};
    Installed<CNavPanel, 4> m_efisCapt{*this, 0};
    Installed<CNavPanel, 5> m_efisFo{*this, 1};
    Installed<CEfisSwPanel, 18> m_efisSwitching{*this};
    Installed<CDataScreen, 23> m_dataScreen{*this};
    Installed<CA330_Rmp, 37> m_rmpCapt{*this, 0};
    Installed<CA330_Rmp, 38> m_rmpFo{*this, 1};
    Installed<CA330_Rmp, 39> m_rmp3{*this, 2};
    Installed<CA330_Acp, 40> m_acpCapt{*this, 0};
    Installed<CA330_Acp, 41> m_acpFo{*this, 1};
    Installed<CA330_Acp, 42> m_acp3{*this, 2};
    Installed<TcasPanel, 50> m_tcas{*this};
};

// The object the main window holds.
class CSkylidCkptMngr : public CA320Cockpit {
  public:
    CSkylidCkptMngr() { StartWithAllPanelsVisible(); }
};
