// The cargo heat panel of the overhead: isolation valve and heating
// push-buttons, the forward and aft temperature knobs and the two hot-air
// indications.
#pragma once

#include "panels/CKitPanel.h"

namespace cargoheat {
extern const kit::PanelDescription kDescription;
}

class CA320CargoHeat : public KitPanel<KitCounts{.buttons = 4, .knobs = 2, .lights = 2}> {
  public:
    CA320CargoHeat() : KitPanel(cargoheat::kDescription) {}
};
