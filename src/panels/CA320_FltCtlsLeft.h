// The captain's flight control computer panel: ELAC 1, SEC 1 and FAC 1.
#pragma once

#include "panels/CKitPanel.h"

namespace fltctlleft {
extern const kit::PanelDescription kDescription;
}

class CA320_FltCtlsLeft : public KitPanel<KitCounts{.buttons = 3}> {
  public:
    CA320_FltCtlsLeft() : KitPanel(fltctlleft::kDescription) {}
};
