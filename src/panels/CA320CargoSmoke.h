// The cargo smoke panel of the overhead: the two agent discharge
// push-buttons under red plates, the forward and aft smoke push-buttons and
// the test button.
#pragma once

#include "panels/CKitPanel.h"

namespace cargosmoke {
extern const kit::PanelDescription kDescription;
}

class CA320CargoSmoke : public KitPanel<KitCounts{.buttons = 5, .covers = 2}> {
  public:
    CA320CargoSmoke() : KitPanel(cargosmoke::kDescription) {}
};
