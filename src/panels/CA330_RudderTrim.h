// The rudder trim unit of the pedestal: a spring-loaded trim selector (left,
// neutral, right), a reset button and a five-character display of the trim
// position, whose text the host writes.
#pragma once

#include "panels/CKitPanel.h"
#include "panels/LeverTrimRules.h"

namespace rudder {
extern const kit::PanelDescription kDescription;

inline constexpr int kLeft = 7;
inline constexpr int kRight = 1;
inline constexpr int kNeutral = 0;
// Output block: one byte per selector position.
inline constexpr std::uint32_t kAtLeft = 3;
inline constexpr std::uint32_t kAtRight = 4;
inline constexpr std::uint32_t kAtNeutral = 5;
// Input block.
inline constexpr std::uint32_t kText = 0;  // up to 5 characters
inline constexpr std::uint32_t kTextSize = 5;
inline constexpr std::uint32_t kLampTest = 6;
}  // namespace rudder

class CA330_RudderTrim : public KitPanel<KitCounts{.buttons = 1, .knobs = 1, .displays = 1}> {
  public:
    CA330_RudderTrim() : KitPanel(rudder::kDescription) {}

    void RefreshFromOutputs() override;

    CKnobClass& Selector() { return Knobs()[0]; }
    const levers::RudderSpring& Spring() const { return m_spring; }

  protected:
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool DisplayText(int index, const std::uint8_t* view, char* text,
                     std::size_t size) const override;

  private:
    levers::RudderSpring m_spring;
};
