// CFcuPanel: the flight control unit of the glareshield.
//
// Nine push-buttons (AP1, AP2, A/THR, LOC, APPR, EXPED or ALT, and the plain
// SPD/MACH, HDG-V/S / TRK-FPA and altitude-side buttons), five rotary knobs
// (speed, heading, altitude in 1000 ft and 100 ft steps, vertical speed),
// four windows and their labels and managed-mode dots. The targets and their
// rules are CFcuTargets; this class moves them to and from the FCU's two
// blocks (FcuLayout.h) and draws the unit.
//
// The cockpit manager updates it in its turn (and every iteration while the
// host holds a preset request), and calls ApplyHostPresets every iteration.
#pragma once

#include <cstdint>

#include "controls/CButtonClass.h"
#include "controls/CLightClass.h"
#include "controls/CPanelDisplay.h"
#include "panels/CBasePanel.h"
#include "units/CFcuTargets.h"
#include "units/FcuLayout.h"

class CFcuPanel : public CBasePanel {
  public:
    static constexpr int kButtonCount = 9;
    static constexpr int kWindowCount = 4;
    static constexpr int kLightCount = 12;  // the last is the blank overlay
    static constexpr int kBlankOverlay = kLightCount - 1;

    bool QueryAircraftType() override;
    bool Initialise(const char* folder, int x, int y) override;
    void Update(MouseEvent* event) override;
    void Draw(CDC* dc) override;
    void RefreshFromOutputs() override;
    const CBaseCockpitControl* GetControl(int index) const override;

    // The host's presets, every iteration (after the update when one runs).
    void ApplyHostPresets();
    // True while the host holds one of the FCU's preset requests.
    bool HasPresetRequest() const;

    void GetState(FcuStateRecord& record) const { m_targets.GetState(record); }
    void SetState(const FcuStateRecord& record) { m_targets.SetState(record); }

    CFcuTargets& Targets() { return m_targets; }
    CButtonClass& Button(int i) { return m_buttons[i]; }
    CLightClass& Light(int i) { return m_lights[i]; }
    CPanelDisplay& Window(int i) { return m_windows[i]; }
    bool IsBlankOverlayReady() const { return m_blankReady; }
    std::uint32_t OutBlock() const { return m_out; }
    std::uint32_t InBlock() const { return m_in; }

  private:
    bool InBit(std::uint32_t offset) const;
    void PutOut(std::uint32_t offset, std::uint8_t value);
    void SetLights(bool mach, bool trkFpa, bool test);
    void DrawWindows(const char* const (&texts)[kWindowCount], CDC* dc);
    void DrawLabels(CDC* dc);

    CButtonClass m_buttons[kButtonCount];
    CFcuTargets m_targets;
    CPanelDisplay m_windows[kWindowCount];
    CLightClass m_lights[kLightCount];
    bool m_blankReady = false;
    bool m_ready = false;
    std::uint32_t m_out = 0;
    std::uint32_t m_in = 0;
    bool m_a330Set = false;
};
