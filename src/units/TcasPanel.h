// The TCAS/ATC panel of the pedestal: eight digit keys and CLR for the
// four-digit transponder code, the code window, four selector knobs (which
// can also be set by clicking their engraved labels) and three lights.
//
// Output block (written by the panel): +4 the code as a decimal number
// (7000 for 7000), +16/+20/+24/+28 the positions of knobs 0 to 3.
// Input block (written by the host): +0 SYS light, +2 fail light, +3
// transponder active (the window is blank and OFF shows while 0), +4 lamp
// test of those lights, +6 knob reset request.
#pragma once

#include "panels/CKitPanel.h"
#include "units/SquawkEntry.h"

namespace atc {
extern const kit::PanelDescription kDescription;

namespace out {
inline constexpr std::uint32_t kCode = 4;
inline constexpr std::uint32_t kKnobs = 16;  // + 4 x knob
}  // namespace out
namespace in {
inline constexpr std::uint32_t kSysLight = 0;
inline constexpr std::uint32_t kFailLight = 2;
inline constexpr std::uint32_t kActive = 3;
inline constexpr std::uint32_t kLampTest = 4;
inline constexpr std::uint32_t kKnobReset = 6;
}  // namespace in

inline constexpr int kKeys = 9;
inline constexpr int kKnobs = 4;
enum LightIndex : int { kSysLightIndex, kOffLightIndex, kFailLightIndex };
}  // namespace atc

class TcasPanel : public KitPanel<KitCounts{
                      .buttons = atc::kKeys, .knobs = atc::kKnobs, .lights = 3, .displays = 1}> {
  public:
    TcasPanel() : KitPanel(atc::kDescription) {}

    // While held the panel does nothing at all.
    void Update(MouseEvent* event) override;
    // A code restored from the cockpit state.
    void SetSquawk(int code) { m_entry.SetSquawk(code); }
    // Knob 0 to position 1 and knob 3 to position 4, published.
    void ResetKnobs();

    const SquawkEntry& Entry() const { return m_entry; }
    CKnobClass& Knob(int i) { return Knobs()[static_cast<std::size_t>(i)]; }
    // The window's text as drawn.
    const char* WindowText() const;

  protected:
    void BeforeControls(std::uint8_t* view, MouseEvent* event) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool IsActive(Kind kind, int index) const override;
    bool LightLit(int index, const std::uint8_t* view) const override;
    bool DisplayText(int index, const std::uint8_t* view, char* text,
                     std::size_t size) const override;

  private:
    bool TransponderActive() const;
    void LabelClicks(std::uint8_t* view, MouseEvent* event);
    void PublishKnob(std::uint8_t* view, int knob);

    SquawkEntry m_entry;
};
