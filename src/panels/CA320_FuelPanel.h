// The fuel panel of the overhead: the six tank pump push-buttons, the cross
// feed and the mode selector, and two blanking plates over the centre tank
// pumps that the host lights for an aircraft without them.
#pragma once

#include "panels/CKitPanel.h"

namespace fuel {
extern const kit::PanelDescription kDescription;
}

class CA320_FuelPanel : public KitPanel<KitCounts{.buttons = 8, .lights = 2}> {
  public:
    CA320_FuelPanel() : KitPanel(fuel::kDescription) {}
};
