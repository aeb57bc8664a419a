// The oxygen panel of the overhead: high altitude landing (drawn in the A330
// layout), the mask manual-on button under a red plate (drawn over the
// raised plate, only while it is open; lit only by the lamp test), the
// passenger system button, which the panel holds in at every update, and the
// crew supply button. The plate is updated after the buttons, so opening it
// frees its button from the next update on.
#pragma once

#include "panels/CKitPanel.h"

namespace oxygen {
extern const kit::PanelDescription kDescription;
}

class COxygenPanel : public KitPanel<KitCounts{.buttons = 4, .covers = 1}> {
  public:
    COxygenPanel() : KitPanel(oxygen::kDescription) {}
};
