// The emergency electrical power panel of the overhead: generator 1 line,
// the emergency generator test and the ram air turbine's manual button (each
// under a plate cover: while the cover is closed its button publishes 0 and
// is not drawn; it is drawn over the raised cover), and the RAT and
// emergency generator push-button. The covers are updated after the buttons,
// so opening one frees its button from the next update on.
#pragma once

#include "panels/CKitPanel.h"

namespace emerpwr {
extern const kit::PanelDescription kDescription;
}

class CEmrPwrPanel : public KitPanel<KitCounts{.buttons = 4, .covers = 2}> {
  public:
    CEmrPwrPanel() : KitPanel(emerpwr::kDescription) {}
};
