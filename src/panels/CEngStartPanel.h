// The engine start panel of the pedestal: the two engine master switches,
// the two fire/fault indicators (held in) and the engine mode selector,
// whose position the panel publishes as three one-hot bytes. The controls lie
// differently in the A320 and the A330 layout.
#pragma once

#include "panels/CKitPanel.h"
#include "panels/EngStartLayout.h"

namespace engstart {
extern const kit::PanelDescription kDescription;
}

class CEngStartPanel : public KitPanel<KitCounts{.buttons = 2, .switches = 2, .knobs = 1}> {
  public:
    // Mode selector positions.
    static constexpr int kCrank = 7;
    static constexpr int kNorm = 0;
    static constexpr int kIgnStart = 1;

    CEngStartPanel() : KitPanel(engstart::kDescription) {}

    // Both masters up, published at once with the selector's bytes as at
    // NORM; the selector itself is not moved, so the next update publishes
    // its real position again.
    void SetAllOn() override;
    void RefreshFromOutputs() override;

    CSwitchClass& Master(int i) { return Switches()[static_cast<std::size_t>(i)]; }
    CButtonClass& Indicator(int i) { return Buttons()[static_cast<std::size_t>(i)]; }
    CKnobClass& Selector() { return Knobs()[0]; }

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;

  private:
    void WriteMode(std::uint8_t* view, int position) const;
};
