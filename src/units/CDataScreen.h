// The four arrow keys with which the trainee pages and scrolls the data
// screen that the host draws elsewhere. Block (written by the panel): +0 1 in
// the update in which up is pressed, +1 the same for down, +2 1 from a press
// of right, 255 from a press of left, 0 once neither is held.
#pragma once

#include "controls/Kx_Remember.h"
#include "panels/CKitPanel.h"

namespace datascreen {
extern const kit::PanelDescription kDescription;
enum Key : int { kUp, kDown, kLeft, kRight, kKeys };
namespace out {
inline constexpr std::uint32_t kUp = 0;
inline constexpr std::uint32_t kDown = 1;
inline constexpr std::uint32_t kLeftRight = 2;
}  // namespace out
inline constexpr std::uint8_t kRightHeld = 1;
inline constexpr std::uint8_t kLeftHeld = 255;
}  // namespace datascreen

class CDataScreen : public KitPanel<KitCounts{.buttons = datascreen::kKeys}> {
  public:
    CDataScreen() : KitPanel(datascreen::kDescription) {}

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool ButtonLit(int, const std::uint8_t*) const override { return true; }

  private:
    Kx_Remember m_pressed[datascreen::kKeys];
};
