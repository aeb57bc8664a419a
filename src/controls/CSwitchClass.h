// CSwitchClass: the toggle switch of the panels, with two or three positions
// arranged vertically or horizontally, latching or spring-loaded back to the
// middle. The trainee moves it by clicking the part of the picture that
// points to the wanted position.
//
// Positions are picture indexes: 0 up (or left), 1 middle, 2 down (or right).
// Types:
//   1  up / middle / down      three horizontal bands
//   2  up / down               two horizontal bands
//   3  left / middle / right   three vertical strips
//   4  left / right            two vertical strips
//   5  as 1, springs back to the middle
//   6  as 3, springs back to the middle
// A band is hit when the point lies strictly inside it (borders excluded).
//
// A spring-loaded switch moved to an end reports that end through
// WritePositionFlags for 11 updates and then returns to the middle.
#pragma once

#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "controls/MouseEvent.h"

struct SwitchSettings {
    std::int32_t switchId = 0;
    const char* folder = nullptr;  // cockpit bitmap folder
    std::int32_t switchType = 1;   // 1 to 6
    // Pictures in folder + "\Switches\": up (or left), middle, down (or
    // right). A two-position switch names its up picture twice, e.g.
    // "EvacSwUp.bmp", "EvacSwUp.bmp", "EvacSwDn.bmp".
    const char* pictures[3] = {};
    std::int32_t xOffset = 0;
    std::int32_t yOffset = 0;
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    double scale = 1.0;
};

class CSwitchClass : public CBaseCockpitControl {
  public:
    static constexpr const char* kSubFolder = "\\Switches\\";
    static constexpr int kUp = 0;  // also left
    static constexpr int kMiddle = 1;
    static constexpr int kDown = 2;  // also right
    // Updates an end position is reported before a spring-loaded switch
    // returns to the middle, counted down from here to below 0.
    static constexpr int kSpringStart = 10;

    bool Initialise(const SwitchSettings& settings);

    void HandleMouse(MouseEvent* event);
    void SetPosition(int code);
    // flags[0] up (or left) wins over flags[1] down (or right); neither: middle.
    void SetPositionFromFlags(const char flags[2]);
    // -1 while not initialised.
    int GetPosition();
    // Writes (1, 0) for up, (0, 1) for down, (0, 0) otherwise, and runs the
    // spring of types 5 and 6. Call once per update.
    void WritePositionFlags(char out[2]);

    int GetSwitchId() const { return m_switchId; }
    int GetSwitchType() const { return m_switchType; }
    bool IsInitialised() const { return m_initialised; }

  private:
    bool IsSpringLoaded() const { return m_switchType == 5 || m_switchType == 6; }
    void ComputeZones();

    std::int32_t m_switchId = -1;
    bool m_initialised = false;
    std::int32_t m_switchType = 0;
    // Idle while below -1.
    std::int32_t m_springCountdown = -2;
    CRect m_upZone;
    CRect m_downZone;
    CRect m_middleZone;
    CRect m_leftZone;
    CRect m_rightZone;
};
