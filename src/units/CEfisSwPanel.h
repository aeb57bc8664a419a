// The EFIS switching panel of the pedestal: four source transfer selectors.
// Block (written by the panel, read back while held): the positions of knobs
// 0 to 3 as 32-bit ints at +4, +8, +12, +16.
#pragma once

#include "panels/CKitPanel.h"

namespace efissw {
extern const kit::PanelDescription kDescription;
inline constexpr int kKnobCount = 4;
}  // namespace efissw

class CEfisSwPanel : public KitPanel<KitCounts{.knobs = efissw::kKnobCount}> {
  public:
    CEfisSwPanel() : KitPanel(efissw::kDescription) {}
    // Every knob to position 0.
    void Reset();
};
