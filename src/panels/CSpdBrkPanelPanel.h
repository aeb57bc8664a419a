// The speed brake handle of the pedestal: a lever with six detents (GND,
// RET, 1/4, 1/2, 3/4, FULL) published as an int, and an indicator beside it
// that the panel lights from the handle: the upper legend at GND, nothing at
// RET, the lower legend from 1/4 to FULL.
#pragma once

#include "panels/CKitPanel.h"

namespace spdbrk {
extern const kit::PanelDescription kDescription;
inline constexpr int kDetents = 6;
inline constexpr std::uint32_t kDetentOut = 4;  // int
}  // namespace spdbrk

class CSpdBrkPanelPanel : public KitPanel<KitCounts{.buttons = 1, .levers = 1}> {
  public:
    CSpdBrkPanelPanel() : KitPanel(spdbrk::kDescription) {}

    // The handle to the detent in the output int (0 to 5; others leave it).
    void RefreshFromOutputs() override;

    CLever& Handle() { return Levers()[0]; }
    CButtonClass& Indicator() { return Buttons()[0]; }

  protected:
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;

  private:
    void LightIndicator();
};
