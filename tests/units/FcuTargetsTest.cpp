// The FCU's targets on their own: limits, rounding, the SPD/MACH changeover,
// presets, formats and previews, without pictures or a segment.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "units/CFcuTargets.h"

namespace {

constexpr double kTenThousandFeet = 3048.0;  // metres

class FcuTargetsTest : public ::testing::Test {
  protected:
    // One update without mouse input.
    void Step(bool spdMach = false, bool hdgTrk = false) {
        targets.Step(nullptr, in, spdMach, hdgTrk);
    }
    // A press and a release of the SPD/MACH button.
    void PressSpdMach() {
        Step(true);
        Step(false);
    }
    std::string SpeedWindow() {
        FcuWindowTexts texts;
        targets.ComposeWindows(window, texts);
        return texts.speed;
    }
    FcuWindowTexts Windows() {
        FcuWindowTexts texts;
        targets.ComposeWindows(window, texts);
        return texts;
    }

    CFcuTargets targets;
    FcuHostInputs in;
    FcuWindowInputs window;
};

}  // namespace

TEST_F(FcuTargetsTest, StartsAt100KnotsInSpeedMode) {
    EXPECT_EQ(targets.Published().speed, 100);
    EXPECT_FALSE(targets.Published().mach);
    EXPECT_EQ(SpeedWindow(), "100");
}

TEST_F(FcuTargetsTest, MachIsPublishedRoundedToTwoDecimalsAndNeverBeyond099) {
    targets.SetSelectedSpeed(784);
    Step();
    EXPECT_TRUE(targets.Published().mach);
    EXPECT_EQ(targets.Published().speed, 780);
    EXPECT_EQ(SpeedWindow(), "@78");
    targets.SetSelectedSpeed(785);
    Step();
    EXPECT_EQ(targets.Published().speed, 790);
    EXPECT_EQ(SpeedWindow(), "@79");

    // A Mach knob at 1000 (or anything that rounds to 1.00) publishes 0.99.
    for (int value : {1000, 996, 1100}) {
        targets.SetSelectedSpeed(value);
        Step();
        EXPECT_EQ(targets.Published().speed, 990) << value;
        EXPECT_EQ(SpeedWindow(), "@99") << value;
    }
}

TEST_F(FcuTargetsTest, SpdMachChangesToMachOnlyAboveMach044) {
    // 250 kt at 10 000 ft is Mach 0.45.
    in.aircraftAltitude = kTenThousandFeet;
    targets.SetSelectedSpeed(250);
    Step();
    PressSpdMach();
    EXPECT_TRUE(targets.Published().mach);
    EXPECT_EQ(targets.Published().speed, 450);
    EXPECT_EQ(SpeedWindow(), "@45");

    // And back: about 250 kt again (truncated on the way).
    PressSpdMach();
    EXPECT_FALSE(targets.Published().mach);
    EXPECT_GE(targets.Published().speed, 248);
    EXPECT_LE(targets.Published().speed, 250);

    // 250 kt at sea level is well below Mach 0.44: nothing changes.
    in.aircraftAltitude = 0.0;
    targets.SetSelectedSpeed(250);
    PressSpdMach();
    EXPECT_FALSE(targets.Published().mach);
    EXPECT_EQ(targets.Published().speed, 250);

    // Around the threshold at 10 000 ft: the last speed that stays and the
    // first that changes lie one knot apart, at Mach 0.44.
    in.aircraftAltitude = kTenThousandFeet;
    int first = 0;
    for (int knots = 230; knots <= 260 && first == 0; ++knots) {
        CFcuTargets t;
        t.SetSelectedSpeed(knots);
        t.Step(nullptr, in, true, false);
        if (t.Published().mach)
            first = knots;
    }
    ASSERT_GT(first, 230);
    EXPECT_GT(targets.MachOfKnots(first, kTenThousandFeet), 0.44);
    EXPECT_LE(targets.MachOfKnots(first - 1, kTenThousandFeet), 0.44);
}

TEST_F(FcuTargetsTest, ChangeBackToSpeedNeverLandsOn400) {
    // Mach 0.99 at sea level is far above 400 kt; 400 would read as Mach 0.40.
    targets.SetSelectedSpeed(990);
    in.aircraftAltitude = 0.0;
    in.toSpeed = true;
    Step();
    EXPECT_FALSE(targets.Published().mach);
    EXPECT_EQ(targets.Published().speed, 399);
    // Mach 0.10 high up is below 110 kt: 110.
    CFcuTargets slow;
    slow.SetSelectedSpeed(100);
    slow.ChangeToSpeed(11000.0, false);  // Mach x 1000 = 100 under Mach mode
    EXPECT_EQ(slow.GetSelectedSpeed(), 110);
}

TEST_F(FcuTargetsTest, HostChangeToMachBelow040KeepsTheSelectedSpeed) {
    targets.SetSelectedSpeed(200);  // Mach 0.30 at sea level
    in.toMach = true;
    Step();
    EXPECT_FALSE(targets.Published().mach);
    EXPECT_EQ(targets.Published().speed, 200) << "not 300 kt";
    // High enough, the request changes to Mach.
    in.aircraftAltitude = kTenThousandFeet;
    targets.SetSelectedSpeed(300);
    Step();
    EXPECT_TRUE(targets.Published().mach);
    EXPECT_GE(targets.Published().speed, 540);
    // Managed: the mode changes, the value waits for the managed target.
    CFcuTargets managed;
    managed.SetSelectedSpeed(200);
    in.speedManaged = true;
    managed.Step(nullptr, in, false, false);
    EXPECT_TRUE(managed.Published().mach);
}

TEST_F(FcuTargetsTest, SpeedSetRequestAndPresetsKeepTheirMode) {
    in.speedSet = 320;
    Step();
    EXPECT_EQ(targets.Published().speed, 320);
    in.speedSet = 0;

    FcuHostPresets presets;
    presets.speed = true;
    presets.speedValue = 0.3f;  // Mach 0.30 stays a Mach number
    targets.ApplyPresets(presets);
    Step();
    EXPECT_TRUE(targets.Published().mach);
    EXPECT_EQ(targets.Published().speed, 300);
    EXPECT_EQ(SpeedWindow(), "@30");

    presets.speedValue = 450.0f;  // knots stay knots, limited
    targets.ApplyPresets(presets);
    Step();
    EXPECT_FALSE(targets.Published().mach);
    EXPECT_EQ(targets.Published().speed, 399);

    presets.speedValue = 0.78f;
    targets.ApplyPresets(presets);
    Step();
    EXPECT_EQ(targets.Published().speed, 780);

    // A value that is not a number changes nothing.
    presets.speedValue = std::numeric_limits<float>::quiet_NaN();
    targets.ApplyPresets(presets);
    Step();
    EXPECT_EQ(targets.Published().speed, 780);
}

TEST_F(FcuTargetsTest, HeadingAndVerticalPresetsStayInRange) {
    FcuHostPresets presets;
    presets.heading = true;
    for (auto [value, expected] :
         {std::pair{123.9f, 123}, {360.0f, 0}, {-10.0f, 350}, {725.0f, 5}}) {
        presets.headingValue = value;
        targets.ApplyPresets(presets);
        Step();
        EXPECT_EQ(targets.Published().heading, expected) << value;
    }
    presets.headingValue = std::numeric_limits<float>::infinity();
    targets.ApplyPresets(presets);
    Step();
    EXPECT_EQ(targets.Published().heading, 5);

    presets = {};
    presets.vs = true;
    presets.vsValue = 9000.0f;
    presets.fpa = true;
    presets.fpaValue = -33.0f;
    targets.ApplyPresets(presets);  // V/S mode: the V/S preset acts
    Step();
    EXPECT_EQ(targets.Published().vertical, 6000);
    Step(false, true);  // to TRK/FPA: the knob restarts at 0
    EXPECT_TRUE(targets.Published().trkFpa);
    EXPECT_EQ(targets.Published().vertical, 0);
    targets.ApplyPresets(presets);
    Step();
    EXPECT_EQ(targets.Published().vertical, -33);
    presets.fpaValue = -120.0f;
    targets.ApplyPresets(presets);
    Step();
    EXPECT_EQ(targets.Published().vertical, -90) << "-9.0 degrees at most";
}

TEST_F(FcuTargetsTest, AltitudePresetIsInFeetInBothPlacesAndInBothStepModes) {
    FcuHostPresets presets;
    presets.altitude = true;
    presets.altitudeFeet = 12300.0f;
    targets.ApplyPresets(presets);
    Step();
    EXPECT_EQ(targets.Published().altitudeHundreds, 123);
    EXPECT_EQ(Windows().altitude, std::string("12300"));

    // In 100 ft steps the preset holds as well (both knobs take it).
    FcuStateRecord state;
    targets.GetState(state);
    state.step100 = 1;
    targets.SetState(state);
    presets.altitudeFeet = 8700.0f;
    targets.ApplyPresets(presets);
    Step();
    EXPECT_EQ(targets.Published().altitudeHundreds, 87);

    // The update's own reading of the preset uses the same scale.
    in.altitudePreset = true;
    in.altitudePresetFeet = 24600.4f;
    Step();
    EXPECT_EQ(targets.Published().altitudeHundreds, 246);
    in.altitudePresetFeet = 99999.0f;
    Step();
    EXPECT_EQ(targets.Published().altitudeHundreds, 500);
}

TEST(FcuFormats, VerticalWindowForms) {
    const struct {
        int value;
        bool trk;
        const char* text;
    } cases[] = {
        {-33, true, "-3.3 "},   {0, true, "+0.0 "},     {90, true, "+9.0 "},
        {-90, true, "-9.0 "},   {0, false, "-00oo"},    {-700, false, "-07oo"},
        {1500, false, "+15oo"}, {6000, false, "+60oo"}, {-6000, false, "-60oo"},
    };
    for (const auto& c : cases) {
        char text[8];
        CFcuTargets::FormatVertical(c.value, c.trk, text);
        EXPECT_STREQ(text, c.text) << c.value << (c.trk ? " FPA" : " V/S");
    }
    char speed[8];
    CFcuTargets::FormatSpeed(250, false, speed);
    EXPECT_STREQ(speed, "250");
    CFcuTargets::FormatSpeed(450, true, speed);
    EXPECT_STREQ(speed, "@45");
}

TEST_F(FcuTargetsTest, LampTestAndBlankFillEveryWindowToItsCells) {
    window.lampTest = true;
    window.blank = true;
    FcuWindowTexts t = Windows();
    EXPECT_STREQ(t.speed, "888");
    EXPECT_STREQ(t.heading, "888");
    EXPECT_STREQ(t.altitude, "88888");
    EXPECT_STREQ(t.vertical, "88888");
    window.lampTest = false;
    t = Windows();
    EXPECT_STREQ(t.speed, "   ");
    EXPECT_STREQ(t.altitude, "     ");
}

TEST_F(FcuTargetsTest, ManagedWindowsShowDashesAndTakeTheManagedSpeed) {
    window.speedManaged = window.headingManaged = window.verticalManaged = true;
    window.managedSpeed = 250;
    FcuWindowTexts t = Windows();
    EXPECT_STREQ(t.speed, "---");
    EXPECT_STREQ(t.heading, "---");
    EXPECT_STREQ(t.vertical, "-----");
    EXPECT_EQ(targets.GetSelectedSpeed(), 250);
    Step();
    EXPECT_EQ(targets.Published().speed, 250);
}

TEST(FcuPreviewTimer, ATurnWhileManagedPreviewsForTheHoldTime) {
    SelectedPreviewTimer timer;
    timer.holdTime = 10;
    EXPECT_FALSE(timer.Run(250, true, 100)) << "managed just began: dashes at once";
    timer.moved = 1;
    EXPECT_TRUE(timer.Run(251, true, 101));
    timer.moved = 0;
    EXPECT_TRUE(timer.Run(251, true, 110));
    EXPECT_FALSE(timer.Run(251, true, 111)) << "10 units after the turn";
    // A preview running when the target is no longer managed, then managed
    // again: it ends at once.
    timer.moved = 1;
    EXPECT_TRUE(timer.Run(252, true, 120));
    timer.moved = 0;
    timer.Run(252, false, 121);
    EXPECT_FALSE(timer.Run(252, true, 122));
}

TEST_F(FcuTargetsTest, StateRecordRoundTripsAndLimitsThe1000FtKnob) {
    FcuStateRecord record{780, 270, 35000, 35100, 1200, 1, 0, 0};
    targets.SetState(record);
    FcuStateRecord back;
    targets.GetState(back);
    EXPECT_EQ(back.speed, 780);
    EXPECT_EQ(back.heading, 270);
    EXPECT_EQ(back.altitude1000, 35000);
    EXPECT_EQ(back.altitude100, 35100);
    EXPECT_EQ(back.vertical, 1200);
    EXPECT_EQ(back.mach, 1);
    record.altitude1000 = 50000;  // 1000 ft mode at this moment: 1000..49000
    targets.SetState(record);
    targets.GetState(back);
    EXPECT_EQ(back.altitude1000, 49000);
}
