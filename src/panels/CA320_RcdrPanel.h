// The recorder panel of the overhead: ground control, voice recorder erase
// and test.
#pragma once

#include "panels/CKitPanel.h"

namespace rcdr {
extern const kit::PanelDescription kDescription;
}

class CA320_RcdrPanel : public KitPanel<KitCounts{.buttons = 3}> {
  public:
    CA320_RcdrPanel() : KitPanel(rcdr::kDescription) {}
};
