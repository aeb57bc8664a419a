// The calls panel of the overhead: the guarded emergency call push-button and
// three momentary cabin call buttons that only the lamp test lights.
#pragma once

#include "panels/CKitPanel.h"

namespace calls {
extern const kit::PanelDescription kDescription;
}

class CA320_Calls : public KitPanel<KitCounts{.buttons = 4, .covers = 1}> {
  public:
    CA320_Calls() : KitPanel(calls::kDescription) {}
};
