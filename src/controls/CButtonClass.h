// CButtonClass: the illuminated push-button.
//
// Three independent pieces of state choose the picture: the press state that
// the trainee changes with the mouse, the legend-light code that the panel
// sets from the host's light bytes, and a lock that a closed guard or the
// panel sets. A button has either the eight legend pictures (upper, lower,
// both or no legend lit, pressed in or out) or the four on/off pictures of a
// single-legend button.
//
// Panels call, per update: SetPressed(press byte) and Update(nullptr, top,
// bottom, test) from the light bytes; in the mouse routine Update(event, ...)
// and then write IsPressed() into the press byte. The picture is chosen before
// the mouse event is handled, so a change of press state shows from the next
// Update or SetPressed on.
#pragma once

#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "controls/MouseEvent.h"

// One row of a panel's push-button table.
struct ButtonSettings {
    std::int32_t buttonId = 0;            // the panel's own number for the button
    const char* folder = nullptr;         // cockpit bitmap folder
    const char* controlFolder = nullptr;  // e.g. "Buttons\FaultOff"
    std::int32_t panelX = 0;              // panel origin on the cockpit picture
    std::int32_t panelY = 0;
    std::int32_t xOffset = 0;  // place inside the panel, unscaled
    std::int32_t yOffset = 0;
    std::uint8_t momentary = 0;  // 1: springs back out when released
    std::uint8_t onOffSet = 0;   // 1: the four on/off pictures
    double scale = 1.0;
};

class CButtonClass : public CBaseCockpitControl {
  public:
    // Picture slots: folder + "\" + control folder + name.
    static constexpr const char* kLegendSlotNames[8] = {
        "\\TopIn.bmp",  "\\BotIn.bmp",  "\\BothIn.bmp",  "\\NoneIn.bmp",
        "\\TopOut.bmp", "\\BotOut.bmp", "\\BothOut.bmp", "\\NoneOut.bmp",
    };
    static constexpr const char* kOnOffSlotNames[4] = {
        "\\OnIn.bmp",
        "\\OffIn.bmp",
        "\\OnOut.bmp",
        "\\OffOut.bmp",
    };

    // Press state.
    static constexpr int kOut = 0;
    static constexpr int kHeld = 1;
    static constexpr int kLatched = 2;
    // Legend-light code (the on/off set uses kTopLit for lit, kNoneLit for unlit).
    static constexpr int kTopLit = 0;
    static constexpr int kBottomLit = 1;
    static constexpr int kBothLit = 2;
    static constexpr int kNoneLit = 3;

    bool Initialise(const ButtonSettings& settings);

    // One call per update: the mouse event (may be null) and the lights.
    void Update(MouseEvent* event, bool top, bool bottom, bool test);
    // The same for the on/off set: lit or lamp test gives the lit pictures.
    void UpdateOnOff(MouseEvent* event, bool lit, bool test);
    void SetOnOffLights(bool lit, bool test);
    // Forces the press state (in or out) and shows it at once.
    void SetPressed(bool pressed);

    bool IsPressed() const { return m_pressState != kOut; }
    // What the host is shown: in, or a momentary press still being published
    // (however short the click, see IsPressShown). The panel's own logic
    // (edges, a key held once) follows IsPressed, so that two quick presses
    // of one key stay two presses.
    bool IsPublishedPressed() const { return IsPressed() || IsPressShown(); }
    void SetLocked(bool locked) { m_locked = locked; }
    bool IsLocked() const { return m_locked; }
    int GetButtonId() const { return m_buttonId; }
    int GetPressState() const { return m_pressState; }
    int GetLightCode() const { return m_lightCode; }
    bool IsMomentary() const { return m_momentary; }
    bool HasOnOffSet() const { return m_onOffSet; }

    void DrawButton(CDC* dc) override;

    // Lamp test lights both legends; otherwise top, bottom, both or none.
    static int LegendCode(bool top, bool bottom, bool test);

  protected:
    void HandleMouse(const MouseEvent& event);
    bool IsPressShown() const;
    void ShowLegendPicture();
    void ShowOnOffPicture();

    bool m_onOffSet = false;
    bool m_momentary = false;
    std::int32_t m_pressState = kOut;
    std::int32_t m_lightCode = kNoneLit;
    std::int32_t m_buttonId = 0;
    bool m_locked = false;
    std::int32_t m_lastEventCode = MouseEvent::kNone;
    // A momentary press is published until this iteration has passed, however
    // short the click: a host that looks 20 times a second must see it.
    std::int32_t m_pressIteration = -1;

  public:
    // The loop iterations for which a momentary press stays published.
    static constexpr int kPressIterations = 2;
};
