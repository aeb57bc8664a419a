// The pitch trim unit of the pedestal: two trim wheels, the trim display and
// two scales with moving index marks. The host writes the current trim; the
// wheels command a change: a step of 0.01 on the trim in the A330 layout, a
// rate of +1 or -1 in the A320 layout. In the A330 layout a double-click on
// a scale commands the trim at that height.
//
// The wheels, scales and marks are drawn by the panel: the wheels only on a
// full redraw, the scales and marks when the trim has moved by more than 0.01
// since they were last drawn.
#pragma once

#include "panels/CKitPanel.h"
#include "panels/LeverTrimRules.h"

namespace stab {
extern const kit::PanelDescription kDescription;
// Input block.
inline constexpr std::uint32_t kTrim = 0;  // float, degrees, negative nose up
// Output block.
inline constexpr std::uint32_t kCommandActive = 3;
inline constexpr std::uint32_t kCommand = 4;  // float
}  // namespace stab

class CStabPanel : public KitPanel<KitCounts{.switches = 4, .lights = 8, .displays = 1}> {
  public:
    enum Light { kLeftScale, kRightScale, kLeftMark, kRightMark };
    enum Wheel { kLeftWheel, kRightWheel };

    CStabPanel() : KitPanel(stab::kDescription) {}

    // The controls of the layout in use.
    CSwitchClass& WheelOf(int wheel);
    CLightClass& LightOf(int light);
    const CRect& ScaleRect(int side) const { return m_scale[side]; }
    int ScaleHeight() const { return m_scaleHeight; }
    double LastDrawnTrim() const { return m_lastDrawn; }
    bool FullRedrawPending() const { return m_fullRedraw; }
    void RequestFullRedraw() { m_fullRedraw = true; }

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool IsActive(Kind kind, int index) const override;
    bool LightLit(int index, const std::uint8_t* view) const override;
    bool DisplayText(int index, const std::uint8_t* view, char* text,
                     std::size_t size) const override;
    void DrawExtra(CDC* dc) override;

  private:
    float Trim(const std::uint8_t* view) const;
    void DrawScalesAndMarks(CDC* dc, float trim);
    int LayoutBase() const { return IsA320Layout() ? 0 : 1; }

    CRect m_scale[2];
    int m_scaleHeight = 0;
    double m_lastDrawn = 0.0;
    bool m_fullRedraw = false;
};
