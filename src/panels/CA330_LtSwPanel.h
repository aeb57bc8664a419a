// The exterior and interior light switch panel of the overhead: fifteen
// toggle switches and three push-buttons (the third an indicator held in).
// It is the panel the host can take over: while the first byte of its own
// output block is non-zero, the panel shows what the host writes there.
//
// The aircraft type code comes with Initialise (the cockpit gives it through
// the constructor); an unsupported code fails without a message.
#pragma once

#include "panels/CKitPanel.h"
#include "panels/LightSwitchLayout.h"

namespace lights {
extern const kit::PanelDescription kDescription;
}

class CA330_LtSwPanel
    : public KitPanel<KitCounts{.buttons = lights::kButtons, .switches = lights::kSwitches}> {
  public:
    explicit CA330_LtSwPanel(int aircraftType = kTypeA320)
        : KitPanel(lights::kDescription), m_typeArgument(aircraftType) {}

    // The cockpit's call: the type code given at construction.
    bool Initialise(const char* folder, int x, int y) override;
    bool Initialise(const char* folder, int x, int y, int aircraftType);
    void Update(MouseEvent* event) override;
    void SetAllOn() override;

    // The cockpit manager's own presets: the switch columns A and B (written
    // at once), and buttons 0 and 1 pushed in when they are out.
    void ApplyPresetA();
    void ApplyPresetB();
    void PressFirstButtons();

    CSwitchClass& Switch(int i) { return Switches()[static_cast<std::size_t>(i)]; }
    CButtonClass& Button(int i) { return Buttons()[static_cast<std::size_t>(i)]; }

  private:
    void ApplySwitchPreset(std::size_t preset);

    int m_typeArgument;
};
