#include "panels/LeverTrimRules.h"

#include <cmath>

#include "eng/Table.h"
#include "util/KxText.h"

namespace levers {

namespace {

// Band limits down the thrust lever picture, pixels from its top.
constexpr int kTakeOffBand = 120;
constexpr int kMaxContinuousBand = 200;
constexpr int kClimbBand = 360;

constexpr double kTakeOffAngle = 97.0;
constexpr double kMaxContinuousAngle = 92.0;
constexpr double kClimbAngle = 80.0;
constexpr double kIdleAngle = 0.0;
constexpr double kReverseAngle = -12.0;

// The trim range of the scales, degrees.
constexpr double kTrimRange = 6.0;
constexpr float kA330Step = 0.01f;
constexpr float kA320Rate = 1.0f;

// A330 index marks: nose-up trim against the offset up the scale.
constexpr double kMarkTrim[] = {-4, -3, -2, -1, 0, 1, 2, 3, 4, 5};
constexpr double kMarkOffset[] = {29, 39, 83, 135, 190, 239, 284, 314, 337, 340};
constexpr int kMarkPoints = sizeof kMarkTrim / sizeof kMarkTrim[0];
constexpr int kA330MarkLow = 29;
constexpr int kA330MarkHigh = 340;
constexpr int kA320MarkLow = 15;
constexpr int kA320MarkHigh = 210;

// The host's trim, as a finite number.
double Finite(float trim) {
    return std::isfinite(trim) ? static_cast<double>(trim) : 0.0;
}

}  // namespace

int DetentFromAngle(double angle, bool reverseSelected) {
    const double x = angle + 1.0;
    if (x < -10.0)
        return kReverse;
    if (!(x >= 2.0))  // a NaN angle reads as idle
        return reverseSelected ? kReverse : kIdle;
    if (x < 92.0)
        return kClimb;
    if (x < 97.0)
        return kMaxContinuous;
    return kTakeOff;
}

bool BandAngle(int y, int pictureHeight, double& angle) {
    if (y >= pictureHeight)
        return false;
    if (y < kTakeOffBand)
        angle = kTakeOffAngle;
    else if (y < kMaxContinuousBand)
        angle = kMaxContinuousAngle;
    else if (y < kClimbBand)
        angle = kClimbAngle;
    else
        angle = kIdleAngle;
    return true;
}

bool AngleOfDetent(int detent, double& angle) {
    switch (detent) {
        case kReverse:
            angle = kReverseAngle;
            return true;
        case 1:
        case kIdle:
            angle = kIdleAngle;
            return true;
        case kClimb:
            angle = kClimbAngle;
            return true;
        case kMaxContinuous:
            angle = kMaxContinuousAngle;
            return true;
        case kTakeOff:
            angle = kTakeOffAngle;
            return true;
        default:
            return false;
    }
}

TrimCommand WheelCommand(float trim, int leftWheel, int rightWheel, bool leftHeld,
                         bool a320Layout) {
    TrimCommand command{trim, false};
    if (leftWheel == 0 || rightWheel == 0) {
        command.active = leftHeld;
        command.value = a320Layout ? kA320Rate : command.value + kA330Step;
    }
    if (leftWheel == 2 || rightWheel == 2) {
        command.active = leftHeld;
        command.value = a320Layout ? -kA320Rate : command.value - kA330Step;
    }
    return command;
}

float ScaleCommand(int y, int scaleHeight) {
    const double f =
        scaleHeight > 0 ? kx::Limit(static_cast<double>(y) / scaleHeight, 0.0, 1.0) : 0.0;
    return static_cast<float>(kTrimRange * f - kTrimRange);
}

void TrimText(float trim, char* text, std::size_t size) {
    const double value = Finite(trim);
    kx::Format(text, size, "%5.2f%s", std::fabs(value), value < 0.0 ? " U" : " d");
}

int MarkOffset(float trim, int scaleHeight, bool a320Layout) {
    const double value = Finite(trim);
    if (a320Layout) {
        // Limited before the cast: a wild trim must not overflow the int.
        const double b =
            kx::Limit(std::fabs(value) / kTrimRange * scaleHeight,
                      static_cast<double>(kA320MarkLow), static_cast<double>(kA320MarkHigh));
        return static_cast<int>(b);
    }
    static Table curve(kMarkTrim, kMarkPoints, kMarkOffset);
    const double offset = curve.Evaluate(-value);
    return static_cast<int>(
        kx::Limit(offset, static_cast<double>(kA330MarkLow), static_cast<double>(kA330MarkHigh)));
}

bool RudderSpring::Step(int position, bool leftHeld) {
    if (position == 0) {
        m_counter = kHold;
        return false;
    }
    if (!leftHeld && m_counter >= 0)
        --m_counter;
    return m_counter < 0;
}

}  // namespace levers
