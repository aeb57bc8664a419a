// The EFIS control panel of the glareshield, one per pilot (side 0 captain,
// side 1 first officer): the barometric knob and window (hPa or inHg, pull
// for standard, right press to change the unit), the navigation display range
// and mode knobs, two ADF/VOR switches and seven push-buttons (CSTR, WPT,
// VOR.D, NDB, ARPT, FD, LS).
//
// Output block (written by the panel): +0 remote hold (written by the host,
// copied into the panel every update), +3 the window text as drawn (5
// characters), +8 the barometric setting (float: 1013.25 at standard, else
// hPa, or inHg x 100), +12 + i push-button i, +20 mode knob, +24 range knob,
// +28 / +30 ADF/VOR switches (up, down flags), +32 unit (1 inHg).
// Input block (written by the host): +2 + 2i light of push-button i, +15 lamp
// test, +16 window blank.
#pragma once

#include "panels/CKitPanel.h"
#include "units/BaroSetting.h"

namespace efis {
// The rows of a side at full size (scale above 0.9) and smaller.
const kit::PanelDescription& DescriptionOf(int side, bool small = false);
extern const kit::PanelDescription& kDescriptionCapt;
extern const kit::PanelDescription& kDescriptionFo;

namespace out {
inline constexpr std::uint32_t kRemoteHold = 0;
inline constexpr std::uint32_t kText = 3;
inline constexpr std::uint32_t kTextSize = 5;
inline constexpr std::uint32_t kBaro = 8;
inline constexpr std::uint32_t kButtons = 12;  // + i
inline constexpr std::uint32_t kMode = 20;
inline constexpr std::uint32_t kRange = 24;
inline constexpr std::uint32_t kSwitch1 = 28;
inline constexpr std::uint32_t kSwitch2 = 30;
inline constexpr std::uint32_t kUnit = 32;
}  // namespace out
namespace in {
inline constexpr std::uint32_t kLights = 2;  // + 2i
inline constexpr std::uint32_t kLampTest = 15;
inline constexpr std::uint32_t kBlank = 16;
}  // namespace in

inline constexpr int kButtonCount = 7;
inline constexpr int kFdButton = 5;
enum Rotary : int { kHpaKnob, kInHgKnob };
}  // namespace efis

class CNavPanel : public KitPanel<KitCounts{.buttons = efis::kButtonCount,
                                            .switches = 2,
                                            .knobs = 2,
                                            .lights = 1,
                                            .displays = 1,
                                            .rotaries = 2}> {
  public:
    // scale: the panel's scale; at 0.9 or less the window and knobs sit as
    // on the smaller picture.
    explicit CNavPanel(int side = 0, double scale = 1.0);

    void Update(MouseEvent* event) override;

    void SelectStandard();
    void SetBaro(int hpa);
    // The setting in inHg (hundredths, limited to 2500..3500) with the window
    // in inHg, as a restored cockpit state gives it back.
    void SetBaroInHg(int inHgHundredths);
    void ToggleFd();
    // Both ADF/VOR switches to position 2.
    void SwitchReset();

    const BaroSetting& Baro() const { return m_baro; }
    CRotaryKnobClass& BaroKnob(int unit) { return Rotaries()[static_cast<std::size_t>(unit)]; }
    // The window's text of the last draw (four characters).
    const char* WindowText() const { return m_window; }

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool IsActive(Kind kind, int index) const override;
    bool LightLit(int index, const std::uint8_t* view) const override;
    void DrawExtra(CDC* dc) override;

  private:
    void TurnBaroKnob(MouseEvent* event);

    BaroSetting m_baro;
    int m_previousCode = 0;
    bool m_firstUpdate = true;
    char m_window[BaroSetting::kTextSize] = "    ";
};
