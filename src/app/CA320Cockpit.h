// The cockpit manager: owns every panel, knows where each lies on the cockpit
// picture, initialises them in a fixed order, updates the visible ones in turn
// (one per iteration, or all of them with UpdateAllVisible), sends a mouse
// event to the panel under the pointer at once, and lets the visible panels
// draw themselves into the off-screen picture.
#pragma once

#include <cstdint>
#include <utility>

#include "log/Kx_ErrorReport.h"
#include "panels/CA320_ElectricalPanel.h"
#include "panels/CA330_Acp.h"
#include "panels/CA330_Rmp.h"
#include "panels/CBasePanel.h"
#include "platform/WinTypes.h"
#include "units/CDataScreen.h"
#include "units/CEfisSwPanel.h"
#include "units/CNavPanel.h"
#include "units/TcasPanel.h"

struct MouseEvent;
class CDC;

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
    // Every visible panel in every iteration instead of one per iteration.
    void SetUpdateAllVisible(bool on) { m_updateAllVisible = on; }

    bool Initialise(const char* bitmapDirectory);
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
    void RebuildVisibleList(int left, int top, int right, int bottom);
    bool Overlaps(int number, int left, int top, int right, int bottom) const;
    void RunFcuHook();
    void ApplyRemoteHoldRequest();

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

  public:
    // The panels, in panel-number order. Numbers 1, 16 and 26 have a place
    // on the picture but no panel; panels not yet built are absent and
    // skipped everywhere.
    Installed<CA320_ElectricalPanel, 0> m_electrical{*this};
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
