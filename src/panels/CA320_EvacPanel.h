// The evacuation panel of the overhead: the guarded evacuation command
// push-button, the horn shut-off button (lit only by the lamp test) and the
// captain / captain-and-purser selector. The guard is updated after the
// buttons, so opening it frees the command button from the next update on.
#pragma once

#include "panels/CKitPanel.h"

namespace evac {
extern const kit::PanelDescription kDescription;
}

class CA320_EvacPanel : public KitPanel<KitCounts{.buttons = 2, .covers = 1, .switches = 1}> {
  public:
    CA320_EvacPanel() : KitPanel(evac::kDescription) {}
};
