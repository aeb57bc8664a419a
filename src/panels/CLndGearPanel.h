// The landing gear unit of the main instrument panel: the gear lever, the
// gear indication, the autobrake buttons, the anti-skid switch, the brake fan
// button and the brake pressure lights.
//
// The host can force the gear lever down (input byte 3), except during a
// hold-off of 200 updates after the cockpit manager has put the lever up.
#pragma once

#include "panels/CKitPanel.h"

namespace gear {
extern const kit::PanelDescription kDescription;

inline constexpr int kHoldOff = 200;
// Output block.
inline constexpr std::uint32_t kLeverUpCopy = 3;
inline constexpr std::uint32_t kIndicationStates = 4;  // 4, 5, 6: always 0
inline constexpr std::uint32_t kLeverFlags = 14;       // up, down
// Input block.
inline constexpr std::uint32_t kForceDown = 3;
}  // namespace gear

class CLndGearPanel : public KitPanel<KitCounts{.buttons = 8, .switches = 2, .lights = 3}> {
  public:
    static constexpr int kAntiSkid = 0;
    static constexpr int kGearLever = 1;

    CLndGearPanel() : KitPanel(gear::kDescription) {}

    // For the cockpit manager.
    void GearLeverUp();
    void GearLeverDown();
    void SetGearLeverDown();
    void SetAllOn() override { SetGearLeverDown(); }
    void RefreshFromOutputs() override;

    CSwitchClass& Lever() { return Switches()[kGearLever]; }
    int HoldOff() const { return m_holdOff; }

  protected:
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;

  private:
    int m_holdOff = 0;
};
