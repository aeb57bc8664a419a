// MouseEvent: the mouse state that the main dialog keeps and hands down
// through the cockpit manager and the panels to the controls on every update,
// not only when a mouse message arrives.
//
// A held left button is therefore seen as code 1 on every update; controls
// detect a press by comparing with the code they saw last. The wheel codes stay
// set until the main dialog clears them. The point is that of the last mouse
// message, relative to the drawing origin of the window; controls read the
// mouse point through CPanelMouse instead.
#pragma once

#include <cstdint>

struct MouseEvent {
    enum Code : std::int32_t {
        kNone = 0,         // no button held (after a release)
        kLeftPress = 1,    // left button held
        kRightPress = 2,   // right button held (Home key as well)
        kWheelToward = 3,  // wheel turned toward the user, or Page Up
        kWheelAway = 4,    // wheel turned away from the user, or Page Down
        kLeftDoubleClick = 5,
    };

    std::int32_t code = kNone;
    std::int32_t x = 0;
    std::int32_t y = 0;
};
