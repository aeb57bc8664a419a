// The fire panel of the overhead: the engine and APU fire push-buttons under
// their guards, the agent discharge push-buttons and the test push-buttons.
#pragma once

#include "panels/CKitPanel.h"

namespace fire {
extern const kit::PanelDescription kDescription;
}

class CA320_FirePanel : public KitPanel<KitCounts{.buttons = 11, .covers = 3}> {
  public:
    CA320_FirePanel() : KitPanel(fire::kDescription) {}
};
