// The hydraulic panel of the overhead: engine and electric pumps, the power
// transfer unit, the guarded blue pump override, and the ram air turbine's
// manual call button under a red plate: while the plate is closed the call
// button is neither updated nor drawn and publishes 0.
#pragma once

#include "panels/CKitPanel.h"

namespace hyd {
extern const kit::PanelDescription kDescription;
}

class CHydPanelPanel : public KitPanel<KitCounts{.buttons = 6, .covers = 2}> {
  public:
    static constexpr int kCallButton = 5;

    CHydPanelPanel() : KitPanel(hyd::kDescription) {}
};
