// The electrical panel of the overhead: 11 push-buttons, two red covers over
// buttons 5 and 6, and two four-digit displays.
#pragma once

#include "controls/CButtonClass.h"
#include "controls/CGuardedCover.h"
#include "controls/CPanelDisplay.h"
#include "panels/CBasePanel.h"
#include "panels/ElectricalLayout.h"
#include "panels/PanelKit.h"

class CA320_ElectricalPanel : public CBasePanel {
  public:
    static constexpr int kButtonCount = elec::kButtons;
    static constexpr int kCoverCount = 2;

    bool Initialise(const char* folder, int x, int y) override;
    void Update(MouseEvent* event) override;
    void Draw(CDC* dc) override;
    void RefreshFromOutputs() override;
    void SetAllOn() override;
    void SetColdPreset();
    const CBaseCockpitControl* GetControl(int index) const override;

    // The text a display shows for a value: limited to 0.0 .. 99.9, "%04.1f",
    // four characters.
    static void FormatDisplay(float value, char (&text)[8]);

    CButtonClass& Button(int i) { return m_buttons[i]; }
    CGuardedCover& Cover(int i) { return m_covers[i]; }
    CPanelDisplay& Display(int i) { return m_displays[i]; }

  private:
    static const panelkit::ButtonFields kFields;

    CPanelDisplay m_displays[2];
    CButtonClass m_buttons[kButtonCount];
    CGuardedCover m_covers[kCoverCount];
};
