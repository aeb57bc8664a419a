// The ventilation panel of the overhead: cabin fans (held in at every update
// in the A330 layout), blower, avionics smoke (drawn in the A330 layout) and
// extract.
#pragma once

#include "panels/CKitPanel.h"

namespace vent {
extern const kit::PanelDescription kDescription;
}

class CVentilationPanel : public KitPanel<KitCounts{.buttons = 4}> {
  public:
    CVentilationPanel() : KitPanel(vent::kDescription) {}
};
