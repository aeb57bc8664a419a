// The arithmetic of the levers and trim units, apart from their pictures so
// that it can be checked on its own: the thrust levers' click bands and
// detents, the pitch trim's commands, display text and index marks, and the
// rudder trim selector's spring.
#pragma once

#include <cstddef>

namespace levers {

// Thrust lever detent codes (1 is never produced).
enum ThrustDetent : int {
    kReverse = 0,
    kIdle = 2,
    kClimb = 3,
    kMaxContinuous = 4,
    kTakeOff = 5,
};

// The detent an engine lever angle reads as: the angle plus 1.0 below -10.0
// is reverse, below 2.0 idle (reverse when the host has selected reverse
// and both reverse conditions hold), below 92.0 climb, below 97.0 maximum
// continuous, otherwise take-off. An angle that is not a number reads as
// idle.
int DetentFromAngle(double angle, bool reverseSelected);

// The angle a click writes, from its height y down the lever picture of the
// given height: take-off above 120, maximum continuous above 200, climb above
// 360, idle down to the picture's bottom edge. False at or below the bottom
// edge (the angle stays as it is).
bool BandAngle(int y, int pictureHeight, double& angle);

// An angle inside each detent's band, which reads back as that detent when
// reverse is not selected (code 1 is taken as idle). False for other codes.
bool AngleOfDetent(int detent, double& angle);

// The pitch trim unit's command for one update.
struct TrimCommand {
    float value;  // the commanded trim (A330 layout) or rate (A320 layout)
    bool active;  // output byte "command active"
};
// Wheel positions are 0 up, 1 middle, 2 down; leftHeld is the left button.
TrimCommand WheelCommand(float trim, int leftWheel, int rightWheel, bool leftHeld, bool a320Layout);
// A double-click at height y down a scale of the given height commands
// 6.0 x (y / height) - 6.0: -6.0 at the top, 0.0 at the bottom.
float ScaleCommand(int y, int scaleHeight);
// The trim display: the absolute trim as "%5.2f" and " U" (nose up, trim
// below 0) or " d".
void TrimText(float trim, char* text, std::size_t size);
// The index marks' offset up from the bottom of the scales: in the A320
// layout proportional (absolute trim / 6 of the scale height, 15 to 210);
// in the A330 layout from the curve over the nose-up trim, 29 to 340.
int MarkOffset(float trim, int scaleHeight, bool a320Layout);
// The trim change that makes the scales and marks be drawn again.
inline constexpr double kRedrawChange = 0.01;

// The rudder trim selector springs back to neutral: at neutral the counter
// is held at 5; away from it, every update without the left button counts
// down, and below 0 the selector returns.
class RudderSpring {
  public:
    static constexpr int kHold = 5;
    // position after the mouse; true when the selector must return now.
    bool Step(int position, bool leftHeld);
    int Counter() const { return m_counter; }

  private:
    int m_counter = kHold;
};

}  // namespace levers
