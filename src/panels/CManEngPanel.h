// The manual engine start panel of the overhead: the two manual start
// push-buttons and the two N1 mode push-buttons, each under a guard, and the
// N1 MODE light. Input byte 0 is the mode flag: the light is lit while it is
// set, and while it is clear the N1 mode buttons and their guards are neither
// updated nor drawn and publish 0. The cockpit manager sets the flag through
// SetMode(4) after start-up; the host may change it later.
#pragma once

#include "panels/CKitPanel.h"

namespace maneng {
extern const kit::PanelDescription kDescription;
}

class CManEngPanel : public KitPanel<KitCounts{.buttons = 4, .covers = 4, .lights = 1}> {
  public:
    // The mode that switches the N1 mode controls on.
    static constexpr int kN1Mode = 4;

    CManEngPanel() : KitPanel(maneng::kDescription) {}

    // Input byte 0 := 1 for mode 4, else 0 (nothing before Initialise).
    void SetMode(int mode);

  protected:
    bool IsActive(Kind kind, int index) const override;
};
