// The electrical panel of the overhead: 11 push-buttons, two red covers over
// the IDG buttons 5 and 6, and two four-digit displays.
#pragma once

#include "panels/CKitPanel.h"
#include "panels/ElectricalLayout.h"

namespace elec {
extern const kit::PanelDescription kDescription;
}

class CA320_ElectricalPanel
    : public KitPanel<KitCounts{.buttons = 11, .covers = 2, .displays = 2}> {
  public:
    static constexpr int kButtonCount = elec::kButtons;
    static constexpr int kCoverCount = 2;

    CA320_ElectricalPanel() : KitPanel(elec::kDescription) {}

    // Cold preset: 0 and 1 out, 5 to 8 in, 10 out, the rest as they are;
    // the output bytes are written at once.
    void SetColdPreset();

    // The text a display shows for a value: limited to 0.0 .. 99.9, "%04.1f",
    // four characters.
    static void FormatDisplay(float value, char (&text)[8]);

    CButtonClass& Button(int i) { return Buttons()[static_cast<std::size_t>(i)]; }
    CGuardedCover& Cover(int i) { return Covers()[static_cast<std::size_t>(i)]; }
    CPanelDisplay& Display(int i) { return Displays()[static_cast<std::size_t>(i)]; }

  protected:
    bool DisplayText(int index, const std::uint8_t* view, char* text,
                     std::size_t size) const override;
};
