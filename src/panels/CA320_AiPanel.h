// The anti-ice panel of the overhead, with the cabin pressure controls beside
// it: wing and engine anti-ice, probe and window heat, the pressure mode
// selector, the guarded ditching push-button, the manual vertical speed
// switch and the landing elevation knob. The guard is updated after the
// buttons, so opening it frees the ditching button from the next update on.
#pragma once

#include "panels/CKitPanel.h"

namespace antiice {
extern const kit::PanelDescription kDescription;
}

class CA320_AiPanel
    : public KitPanel<KitCounts{.buttons = 6, .covers = 1, .switches = 1, .knobs = 1}> {
  public:
    CA320_AiPanel() : KitPanel(antiice::kDescription) {}
};
