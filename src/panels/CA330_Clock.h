// The clock unit of the main instrument panel with the standby instrument
// controls beside it: three clock displays whose texts the host writes, a
// barometric setting knob, the standby horizon's cage knob, two push-buttons
// and (drawn in the A330 layout only) the DMC and ECAM switching selectors.
#pragma once

#include "panels/CKitPanel.h"

namespace clockpanel {
extern const kit::PanelDescription kDescription;
// Input block.
inline constexpr std::uint32_t kTrueEcho = 1;  // the DotsTrue button's state, echoed
inline constexpr std::uint32_t kSixDigits = 2;
inline constexpr std::uint32_t kFirstPair = 9;
inline constexpr std::uint32_t kSecondPair = 11;
inline constexpr std::uint32_t kLampTest = 14;
inline constexpr std::uint32_t kAllOnRequest = 16;
// Output block.
inline constexpr std::uint32_t kCagePulled = 5;
inline constexpr std::uint32_t kBaro = 8;  // int
inline constexpr int kBaroStart = 1013;
}  // namespace clockpanel

class CA330_Clock : public KitPanel<KitCounts{
                        .buttons = 2, .knobs = 2, .lights = 1, .displays = 3, .rotaries = 2}> {
  public:
    enum Button { kDotsTrue, kDotsOnGreen };
    enum Rotary { kBaroKnob, kCageKnob };
    enum Display { kFirstPairDisplay, kSecondPairDisplay, kSixDigitDisplay };

    CA330_Clock() : KitPanel(clockpanel::kDescription) {}

    void SetAllOn() override;
    // The kit's controls, then the barometric knob and the cage knob's pull
    // from their published fields.
    void RefreshFromOutputs() override;

    int DrawCount() const { return m_drawCount; }

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool IsActive(Kind kind, int index) const override;
    bool DisplayText(int index, const std::uint8_t* view, char* text,
                     std::size_t size) const override;
    void DrawExtra(CDC* dc) override;

  private:
    bool m_cagePulled = false;
    bool m_cagePushed = false;
    int m_drawCount = 0;
};
