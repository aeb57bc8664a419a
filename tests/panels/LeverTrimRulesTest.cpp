// The lever and trim arithmetic on its own: thrust bands and detents, pitch
// trim commands, text and index marks, the rudder trim spring.
#include <gtest/gtest.h>

#include <limits>

#include "panels/LeverTrimRules.h"

using namespace levers;

TEST(ThrustLeverRules, AnglesReadAsDetentsByTheShiftedBands) {
    EXPECT_EQ(DetentFromAngle(-12.0, false), 0) << "reverse";
    EXPECT_EQ(DetentFromAngle(-10.5, false), 2) << "-9.5 is not below -10: idle";
    EXPECT_EQ(DetentFromAngle(-10.5, true), 0) << "idle reads as reverse when selected";
    EXPECT_EQ(DetentFromAngle(0.99, false), 2);
    EXPECT_EQ(DetentFromAngle(1.0, false), 3) << "2.0 is not below 2.0";
    EXPECT_EQ(DetentFromAngle(1.0, true), 3) << "reverse selection acts only on idle";
    EXPECT_EQ(DetentFromAngle(90.9, false), 3);
    EXPECT_EQ(DetentFromAngle(91.5, false), 4) << "92.5 is not below 92";
    EXPECT_EQ(DetentFromAngle(95.9, false), 4);
    EXPECT_EQ(DetentFromAngle(96.0, false), 5);
    EXPECT_EQ(DetentFromAngle(std::numeric_limits<double>::quiet_NaN(), false), 2);
}

TEST(ThrustLeverRules, ClickBandsDownThePicture) {
    struct Case {
        int y;
        double angle;
    } cases[] = {{0, 97.0},   {10, 97.0},  {119, 97.0}, {120, 92.0}, {199, 92.0},
                 {200, 80.0}, {359, 80.0}, {360, 0.0},  {439, 0.0}};
    for (const Case& c : cases) {
        double angle = -99.0;
        ASSERT_TRUE(BandAngle(c.y, 440, angle)) << c.y;
        EXPECT_DOUBLE_EQ(angle, c.angle) << c.y;
    }
    double angle = 55.5;
    EXPECT_FALSE(BandAngle(440, 440, angle)) << "the bottom edge";
    EXPECT_FALSE(BandAngle(500, 440, angle));
    EXPECT_DOUBLE_EQ(angle, 55.5) << "left alone";
}

TEST(ThrustLeverRules, TheAngleOfEachDetentReadsBackAsThatDetent) {
    for (int code : {0, 2, 3, 4, 5}) {
        double angle = 0.0;
        ASSERT_TRUE(AngleOfDetent(code, angle)) << code;
        EXPECT_EQ(DetentFromAngle(angle, false), code) << code << " -> " << angle;
    }
    double angle = 0.0;
    ASSERT_TRUE(AngleOfDetent(1, angle));
    EXPECT_EQ(DetentFromAngle(angle, false), 2) << "code 1 is taken as idle";
    angle = 42.0;
    EXPECT_FALSE(AngleOfDetent(6, angle));
    EXPECT_FALSE(AngleOfDetent(-1, angle));
    EXPECT_DOUBLE_EQ(angle, 42.0);
}

TEST(PitchTrimRules, WheelsCommandAStepOrARate) {
    // A330 layout: the current trim plus or minus 0.01 while held.
    TrimCommand up = WheelCommand(-2.5f, 0, 1, true, false);
    EXPECT_FLOAT_EQ(up.value, -2.49f);
    EXPECT_TRUE(up.active);
    TrimCommand down = WheelCommand(-2.5f, 1, 2, true, false);
    EXPECT_FLOAT_EQ(down.value, -2.51f);
    // A320 layout: a rate.
    TrimCommand rate = WheelCommand(3.0f, 2, 1, true, true);
    EXPECT_FLOAT_EQ(rate.value, -1.0f);
    EXPECT_TRUE(rate.active);
    EXPECT_FLOAT_EQ(WheelCommand(3.0f, 1, 0, true, true).value, 1.0f);
    // Released on a wheel that was still up: the command is not active.
    EXPECT_FALSE(WheelCommand(3.0f, 0, 1, false, true).active);
    // Both wheels middle: the trim itself, not active.
    TrimCommand idle = WheelCommand(1.25f, 1, 1, true, false);
    EXPECT_FLOAT_EQ(idle.value, 1.25f);
    EXPECT_FALSE(idle.active);

    EXPECT_FLOAT_EQ(ScaleCommand(0, 345), -6.0f) << "top of the scale";
    EXPECT_FLOAT_EQ(ScaleCommand(345, 345), 0.0f) << "bottom";
    EXPECT_FLOAT_EQ(ScaleCommand(-20, 345), -6.0f) << "limited";
    EXPECT_FLOAT_EQ(ScaleCommand(115, 345), -4.0f);
    EXPECT_FLOAT_EQ(ScaleCommand(10, 0), -6.0f) << "no scale height: no division by 0";
}

TEST(PitchTrimRules, DisplayTextAndIndexMarks) {
    char text[10];
    TrimText(-2.5f, text, sizeof text);
    EXPECT_STREQ(text, " 2.50 U");
    TrimText(0.0f, text, sizeof text);
    EXPECT_STREQ(text, " 0.00 d");
    TrimText(13.5f, text, sizeof text);
    EXPECT_STREQ(text, "13.50 d");
    TrimText(std::numeric_limits<float>::quiet_NaN(), text, sizeof text);
    EXPECT_STREQ(text, " 0.00 d") << "a trim that is not a number shows as 0";

    // A320 layout: |trim| / 6 of the scale height, 15 to 210.
    EXPECT_EQ(MarkOffset(3.0f, 220, true), 110);
    EXPECT_EQ(MarkOffset(-3.0f, 220, true), 110);
    EXPECT_EQ(MarkOffset(0.0f, 220, true), 15);
    EXPECT_EQ(MarkOffset(1.0e30f, 220, true), 210) << "limited before the cast";
    EXPECT_EQ(MarkOffset(std::numeric_limits<float>::infinity(), 220, true), 15);
    // A330 layout: the curve over t = -trim, 29 to 340.
    EXPECT_EQ(MarkOffset(0.0f, 345, false), 190);
    EXPECT_EQ(MarkOffset(-2.5f, 345, false), 299) << "t = 2.5: halfway from 284 to 314";
    EXPECT_EQ(MarkOffset(1.5f, 345, false), 109) << "t = -1.5: halfway from 83 to 135";
    EXPECT_EQ(MarkOffset(4.0f, 345, false), 29);
    EXPECT_EQ(MarkOffset(9.0f, 345, false), 29) << "flat below the table";
    EXPECT_EQ(MarkOffset(-9.0f, 345, false), 340);
}

TEST(RudderTrimRules, TheSelectorReturnsSixUpdatesAfterRelease) {
    RudderSpring spring;
    EXPECT_FALSE(spring.Step(0, false));
    for (int held = 0; held < 30; ++held)
        EXPECT_FALSE(spring.Step(7, true)) << "held: stays";
    for (int update = 1; update <= 5; ++update)
        EXPECT_FALSE(spring.Step(7, false)) << update;
    EXPECT_TRUE(spring.Step(7, false)) << "the sixth update after release returns it";
    EXPECT_FALSE(spring.Step(0, false));
    EXPECT_EQ(spring.Counter(), RudderSpring::kHold);
}
