// The air conditioning panel of the overhead: packs, engine and APU bleeds,
// hot air and the guarded ram air push-button; the pack flow and cross bleed
// selectors and the three zone temperature knobs.
#pragma once

#include "panels/CKitPanel.h"

namespace air {
extern const kit::PanelDescription kDescription;
}

class CA320AirPanel : public KitPanel<KitCounts{.buttons = 7, .covers = 1, .knobs = 5}> {
  public:
    CA320AirPanel() : KitPanel(air::kDescription) {}
};
