// The flap handle of the pedestal: one lever with five detents (UP, 1, 2, 3,
// FULL), published one-hot in output bytes 3 to 7.
#pragma once

#include "panels/CKitPanel.h"

namespace flaps {
extern const kit::PanelDescription kDescription;
inline constexpr int kDetents = 5;
inline constexpr std::uint32_t kDetentBytes = 3;  // + detent
}  // namespace flaps

class CFlapPanelPanel : public KitPanel<KitCounts{.levers = 1}> {
  public:
    CFlapPanelPanel() : KitPanel(flaps::kDescription) {}

    // The handle goes to the first detent whose byte is set, or UP when none is.
    void RefreshFromOutputs() override;

    CLever& Handle() { return Levers()[0]; }
};
