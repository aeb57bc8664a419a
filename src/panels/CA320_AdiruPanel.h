// The ADIRS panel of the overhead: three reference-unit push-buttons that
// toggle their unit on and off, three alignment annunciators held in, the
// three mode selectors, the data and system display selectors, the ON BAT
// light, a 16-character display and the 12-key keypad. While the trainee
// types, the display shows the entry instead of the host's text; ENT hands
// the entry to the host (see CAdirsKeypad).
#pragma once

#include "controls/Kx_Remember.h"
#include "panels/AdirsKeypad.h"
#include "panels/AdirsLayout.h"
#include "panels/CKitPanel.h"

namespace adirs {
extern const kit::PanelDescription kDescription;
}

class CA320_AdiruPanel
    : public KitPanel<KitCounts{
          .buttons = adirs::kRows, .knobs = adirs::kKnobs, .lights = 1, .displays = 1}> {
  public:
    static constexpr int kDisplayCells = 16;
    // The system display selector blanks the display in this position.
    static constexpr int kDisplayKnob = 4;
    static constexpr int kDisplayOffPosition = 6;

    CA320_AdiruPanel() : KitPanel(adirs::kDescription) {}

    void SetAllOn() override;
    void RefreshFromOutputs() override;

    // The 16 characters the display shows now, blank-padded.
    void ShownText(const std::uint8_t* view, char (&text)[kDisplayCells + 1]) const;

    const CAdirsKeypad& Keypad() const { return m_keypad; }
    CButtonClass& Button(int row) { return Buttons()[static_cast<std::size_t>(row)]; }
    CKnobClass& Knob(int k) { return Knobs()[static_cast<std::size_t>(k)]; }

  protected:
    bool InitialiseExtra(const char* folder) override;
    void AfterControls(std::uint8_t* view, MouseEvent* event) override;
    bool DisplayText(int index, const std::uint8_t* view, char* text,
                     std::size_t size) const override;

  private:
    // The edge detectors take the buttons' present state without acting on it
    // (after a preset or a refresh, which are not clicks).
    void SyncUnitEdges();

    CAdirsKeypad m_keypad;
    Kx_Remember m_unitEdge[adirs::kUnits];
};
