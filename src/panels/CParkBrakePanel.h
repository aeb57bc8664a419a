// The parking brake panel of the pedestal: the parking brake handle and the
// gravity gear extension crank (drawn in the A320 layout), both two-position
// switches published as 1 while in their second position. The panel has no
// input block.
#pragma once

#include "panels/CKitPanel.h"

namespace parkbrake {
extern const kit::PanelDescription kDescription;
}

class CParkBrakePanel : public KitPanel<KitCounts{.switches = 2}> {
  public:
    CParkBrakePanel() : KitPanel(parkbrake::kDescription) {}
};
