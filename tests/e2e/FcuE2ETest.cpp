// The FCU in the real window: the heading knob turned with the left button
// held on its right half, the speed knob pulled with a wheel notch.
#include <cstdint>
#include <cstring>

#include "CockpitFixture.h"

namespace {

// The FCU (976, 1595) seen from the view (605, 1400): the right half of the
// heading knob (145, 100) and the left half of the speed knob (55, 100),
// both 56 x 56 in the default art.
constexpr int kFcuX = 976 - 605 + 14;
constexpr int kFcuY = 1595 - 1400 + 3;
constexpr int kHeadingRightX = kFcuX + 145 + 42;
constexpr int kSpeedLeftX = kFcuX + 55 + 14;
constexpr int kKnobMidY = kFcuY + 100 + 28;
// FCU fields (A320 region): output block 130356, input block 129848.
constexpr std::uint32_t kFcuSpeedAction = 130356 + 17;
constexpr std::uint32_t kFcuHeadingAction = 130356 + 15;
constexpr std::uint32_t kFcuSpeed = 130356 + 18;
constexpr std::uint32_t kFcuHeading = 130356 + 20;
constexpr std::uint32_t kFcuSpeedOnPull = 129848 + 60;

}  // namespace

TEST_F(CockpitE2E, FcuHeadingKnobTurnsAndSpeedKnobPulls) {
    std::string name = testsupport::UniqueSegmentName("e2efcu");
    Gensim_Shm host(name.c_str());
    ASSERT_TRUE(host.IsValid());
    view = host.Content();
    auto u8 = [&](std::uint32_t offset) { return view[offset]; };
    auto u16 = [&](std::uint32_t offset) {
        std::uint16_t value;
        std::memcpy(&value, view + offset, sizeof value);
        return value;
    };
    ASSERT_NO_FATAL_FAILURE(StartCockpit(name, "e2e-fcu.ini"));
    ASSERT_NO_FATAL_FAILURE(StartLoop());
    EXPECT_EQ(u16(kFcuHeading), 0);
    EXPECT_EQ(u16(kFcuSpeed), 100);

    // The left button held on the right half of the heading knob turns it up;
    // the knob reports the turn while it is held.
    std::this_thread::sleep_for(600ms);
    e2e::Xdotool(*s_display, {"mousemove", "--window", window, std::to_string(kHeadingRightX),
                              std::to_string(kKnobMidY), "mousedown", "1"});
    EXPECT_TRUE(e2e::WaitFor([&] { return u8(kFcuHeadingAction) == 4; }, 5s)) << "turned";
    EXPECT_TRUE(e2e::WaitFor([&] { return u16(kFcuHeading) >= 2; }, 5s));
    e2e::Xdotool(*s_display, {"mouseup", "1"});
    EXPECT_TRUE(e2e::WaitFor([&] { return u8(kFcuHeadingAction) == 0; }, 5s)) << "released";
    const std::uint16_t heading = u16(kFcuHeading);
    EXPECT_GE(heading, 2);
    EXPECT_LE(heading, 359);
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(u16(kFcuHeading), heading) << "stops with the button";

    // A wheel notch toward the user over the speed knob pulls it: action
    // code 2, and the selected speed becomes the host's speed for a pull.
    const std::int32_t onPull = 220;
    std::memcpy(view + kFcuSpeedOnPull, &onPull, sizeof onPull);
    ClickAt(kSpeedLeftX, kKnobMidY, 5);
    EXPECT_TRUE(e2e::WaitFor([&] { return u8(kFcuSpeedAction) == 2; }, 5s)) << "pulled";
    EXPECT_TRUE(e2e::WaitFor([&] { return u16(kFcuSpeed) == 220; }, 5s));
    EXPECT_TRUE(e2e::WaitFor([&] { return u8(kFcuSpeedAction) == 0; }, 15s))
        << "the pull code ends";

    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
}
