// CRotaryKnobClass: a continuously turned knob holding an integer value
// within limits (heading, speed, altitude, pressure, frequency). Holding the
// left button on its right half increases the value, on its left half
// decreases it; the longer it is held, the faster it turns. The wheel over
// the knob pulls (toward the user) or pushes it.
//
// Turning (HandleMouseClamped / HandleMouseWrapped) acts on the first update
// of a press and then on every second update while the button is held (every
// update with fast repeat). In the default accelerating mode the first
// turning call moves one step, calls 2 to 8 do not move, and from the 9th on
// each call moves (calls / 8) steps.
#pragma once

#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "controls/MouseEvent.h"

struct RotaryKnobSettings {
    const char* folder = nullptr;  // cockpit bitmap folder
    // Pictures in folder + "\RotaryKnobs\": pulled, pushed, resting, e.g.
    // "HdgKnobPull.bmp", "HdgKnobPush.bmp", "HdgKnob.bmp".
    const char* pictures[3] = {};
    std::int32_t xOffset = 0;
    std::int32_t yOffset = 0;
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    std::int32_t step = 1;
    std::int32_t maximum = 0;
    std::int32_t minimum = 0;
    double scale = 1.0;
};

class CRotaryKnobClass : public CBaseCockpitControl {
  public:
    static constexpr const char* kSubFolder = "\\RotaryKnobs\\";
    static constexpr int kPulled = 0;
    static constexpr int kPushed = 1;
    static constexpr int kResting = 2;
    // Calls a pull or push keeps its picture (this one and four more).
    static constexpr int kPushPullCalls = 5;

    bool Initialise(const RotaryKnobSettings& settings);

    // Turning with the value held to the limits, or wrapping round them.
    void HandleMouseClamped(MouseEvent* event);
    void HandleMouseWrapped(MouseEvent* event);
    // Turning for a caller that keeps its own value: steps to add.
    int GetTurnDelta(MouseEvent* event);
    // pulled / pushed are written on the call that sees the wheel, and left
    // alone while the pulled or pushed picture is held.
    void HandlePushPull(MouseEvent* event, bool& pulled, bool& pushed);
    void UpdateTouched(MouseEvent* event);
    bool IsTouched() const { return m_touched; }

    int GetValue() const { return m_value; }
    void SetValue(int value);
    bool HasChanged() const { return m_changed; }
    void SetSingleStep() { m_singleStep = true; }
    void SetFastRepeat() { m_fastRepeat = true; }
    void SetFastRepeat(bool on) { m_fastRepeat = on; }
    void SetStep(int step) { m_step = step; }
    void RestoreStep() { m_step = m_initialStep; }
    int GetStep() const { return m_step; }
    void SetLimits(int maximum, int minimum);
    int GetMaximum() const { return m_maximum; }
    int GetMinimum() const { return m_minimum; }
    void SetPictureIndex(int index) { m_pictureIndex = index; }
    int GetPictureIndex() const { return m_pictureIndex; }
    bool IsInitialised() const { return m_initialised != 0; }

    // Draws the picture of the picture index (the base draws nothing for a
    // rotary knob).
    void DrawRotaryKnob(CDC* dc);

  private:
    void Turn(MouseEvent* event, bool wrap);
    bool InIncreaseZone(const CPoint& p) const;
    bool InDecreaseZone(const CPoint& p) const;

    std::int32_t m_knobX = 0;
    std::int32_t m_knobY = 0;
    bool m_touched = false;
    bool m_changed = false;
    bool m_singleStep = false;
    std::int32_t m_repeatCount = 0;
    std::int32_t m_initialised = 0;
    CRect m_size;
    std::int32_t m_pressState = 0;
    std::uint32_t m_cycleCount = 0;
    std::int32_t m_value = 0;
    CRect m_decreaseZone;
    CRect m_increaseZone;
    std::int32_t m_step = 1;
    std::int32_t m_initialStep = 1;
    bool m_fastRepeat = false;
    std::int32_t m_pushPullCountdown = 0;
    std::int32_t m_pictureIndex = kResting;
    std::int32_t m_maximum = 0;
    std::int32_t m_minimum = 0;
};
