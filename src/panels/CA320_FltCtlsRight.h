// The first officer's flight control computer panel: ELAC 2, SEC 2, SEC 3
// and FAC 2.
#pragma once

#include "panels/CKitPanel.h"

namespace fltctlright {
extern const kit::PanelDescription kDescription;
}

class CA320_FltCtlsRight : public KitPanel<KitCounts{.buttons = 4}> {
  public:
    CA320_FltCtlsRight() : KitPanel(fltctlright::kDescription) {}
};
