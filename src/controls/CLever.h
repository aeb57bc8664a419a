// CLever: a lever with up to eight detents (for example the speed-brake or
// flap handle). Each detent has its own picture in folder + "\Levers\" and its
// own click area, given in percent of the picture's width and height.
//
// A left press chooses the first present detent whose area holds the point;
// the wheel over the lever moves one detent up (toward the user) or down,
// stepping over absent detents without checking them.
#pragma once

#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "controls/MouseEvent.h"

struct LeverDetent {
    std::uint8_t present = 0;
    const char* picture = nullptr;  // a name shorter than 3 characters makes the detent absent
    // Click area in percent of the picture: left and right of its width, top
    // and bottom of its height.
    double left = 0.0;
    double right = 0.0;
    double top = 0.0;
    double bottom = 0.0;
};

struct LeverSettings {
    std::int32_t leadingWord = 0;  // not used by the lever
    const char* folder = nullptr;  // cockpit bitmap folder
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    std::int32_t xOffset = 0;
    std::int32_t yOffset = 0;
    double scale = 1.0;
    LeverDetent detents[8];
};

class CLever : public CBaseCockpitControl {
  public:
    static constexpr const char* kSubFolder = "\\Levers\\";
    static constexpr int kDetentCount = 8;

    bool Initialise(const LeverSettings& settings);
    void HandleMouse(MouseEvent* event);
    void SetDetent(int detent);
    int GetDetent() const { return m_index; }
    void GetDetentRect(int detent, CRect& out) const;
    bool IsDetentPresent(int detent) const;
    int GetLeverId() const { return m_leverId; }

  private:
    bool m_present[kDetentCount] = {};
    // Origin of the detent areas: panel + offset, unscaled.
    std::int32_t m_zoneX = 0;
    std::int32_t m_zoneY = 0;
    std::int32_t m_leverId = -1;
    CRect m_detentRects[kDetentCount];
};
