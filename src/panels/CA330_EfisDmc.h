// The EFIS display management control of one side: a momentary reset button
// whose every press inverts a flag for the host, two display unit buttons
// (published as 1 while out), the display management selector (drawn in the
// A330 layout) and the GPWS glide slope button (drawn in the A320 layout).
// Side s publishes 8 s bytes and reads 2 s bytes after side 0's blocks. The
// panel has no lamp test, no preset and does not follow its outputs under
// remote hold.
#pragma once

#include "controls/Kx_Remember.h"
#include "panels/CKitPanel.h"

namespace efisdmc {
// One description per side (the selector's picture differs).
extern const kit::PanelDescription kDescriptions[2];
}  // namespace efisdmc

class CA330_EfisDmc : public KitPanel<KitCounts{.buttons = 4, .knobs = 1}> {
  public:
    static constexpr int kResetButton = 0;

    explicit CA330_EfisDmc(int side) : KitPanel(efisdmc::kDescriptions[side == 1 ? 1 : 0], side) {}

    void RefreshFromOutputs() override {}

  protected:
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;

  private:
    Kx_Remember m_reset;
    bool m_resetFlag = false;
};
