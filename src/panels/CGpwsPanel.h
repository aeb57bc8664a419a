// The ground proximity warning panel of the overhead: system, terrain,
// glide slope and flap modes, and the landing flap 3 push-button.
#pragma once

#include "panels/CKitPanel.h"

namespace gpws {
extern const kit::PanelDescription kDescription;
}

class CGpwsPanel : public KitPanel<KitCounts{.buttons = 5}> {
  public:
    CGpwsPanel() : KitPanel(gpws::kDescription) {}
};
