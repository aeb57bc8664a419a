// The radio management panel's knob and the transponder keypad in the real
// window: the picture is dragged down to the pedestal, the knob is held on
// its right half, and a squawk is keyed with real clicks.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "CockpitFixture.h"
#include "panels/CA330_Rmp.h"
#include "units/TcasPanel.h"

namespace {

// Six drags of 500 pixels take the view from the first one (605, 5) to
// (605, 3005); a picture point is then at (x - 605 + 14, y - 3005 + 3).
constexpr int kScrollY = 5 + 6 * 500;
constexpr int WindowX(int pictureX) {
    return pictureX - 605 + 14;
}
constexpr int WindowY(int pictureY) {
    return pictureY - kScrollY + 3;
}
// RMP 1 (captain) at (765, 3075); its blocks in the A320 region.
constexpr std::uint32_t kRmpOut = 130636;
constexpr std::uint32_t kRmpIn = 129580;
// Its knob (48 x 48 in the default art) at +205, +60; the right half turns up.
constexpr int kKnobUpX = WindowX(765 + 205 + 36);
constexpr int kKnobUpY = WindowY(3075 + 60 + 24);
// The standby window at +179, +15.
constexpr int kStandbyX = WindowX(765 + 179);
constexpr int kStandbyY = WindowY(3075 + 15);
// XFR (32 x 20) at +139, +18.
constexpr int kXfrX = WindowX(765 + 139 + 16);
constexpr int kXfrY = WindowY(3075 + 18 + 10);
// TCAS/ATC panel at (1530, 3465): keys 26 x 26; "7" at +86, +95, "0" at +116, +95.
constexpr std::uint32_t kAtcOut = 131008;
constexpr std::uint32_t kAtcIn = 129724;
constexpr int kKey7X = WindowX(1530 + 86 + 13);
constexpr int kKey0X = WindowX(1530 + 116 + 13);
constexpr int kKeyRowY = WindowY(3465 + 95 + 13);

}  // namespace

TEST_F(CockpitE2E, TuningKnobAndSquawkKeysOnThePedestal) {
    std::string name = testsupport::UniqueSegmentName("e2eradio");
    Gensim_Shm host(name.c_str());
    ASSERT_TRUE(host.IsValid());
    view = host.Content();
    GenField<std::uint8_t>::At(kRmpIn + rmp::in::kPowered).Write(view, 1);
    GenField<std::uint8_t>::At(kAtcIn + atc::in::kActive).Write(view, 1);
    ASSERT_NO_FATAL_FAILURE(StartCockpit(name));
    ASSERT_NO_FATAL_FAILURE(StartLoop());

    for (int drag = 0; drag < 6; ++drag) {
        std::this_thread::sleep_for(300ms);
        e2e::Xdotool(*s_display, {"mousemove", "--window", window, "560", "700", "mousedown", "1",
                                  "sleep", "0.2", "mousemove", "--window", window, "560", "200",
                                  "sleep", "0.2", "mouseup", "1"});
    }
    std::this_thread::sleep_for(1s);

    // Holding the left button on the knob's right half turns the standby up.
    e2e::Shot before = Shot();
    ASSERT_TRUE(before.Ok());
    e2e::Xdotool(*s_display,
                 {"mousemove", "--window", window, std::to_string(kKnobUpX),
                  std::to_string(kKnobUpY), "mousedown", "1", "sleep", "1.5", "mouseup", "1"});
    EXPECT_TRUE(e2e::WaitFor(
        [&] {
            return Shot().Differences(before, kStandbyX, kStandbyY, kStandbyX + 110,
                                      kStandbyY + 30) > 20;
        },
        5s))
        << "the standby window did not change";
    // The transfer hands the standby over: above the 119.900 of the start.
    ClickAt(kXfrX, kXfrY);
    EXPECT_TRUE(e2e::WaitFor(
        [&] { return GenField<std::uint8_t>::At(kRmpOut + rmp::out::kCommPending).Read(view); },
        3s));
    EXPECT_GT(GenField<float>::At(kRmpOut + rmp::out::kCommHandedOver).Read(view), 119.9f);

    // 7, 0, 0, 0 on the keypad.
    for (int x : {kKey7X, kKey0X, kKey0X, kKey0X})
        ClickAt(x, kKeyRowY);
    EXPECT_TRUE(e2e::WaitFor(
        [&] { return GenField<std::int32_t>::At(kAtcOut + atc::out::kCode).Read(view) == 7000; },
        3s))
        << "code " << GenField<std::int32_t>::At(kAtcOut + atc::out::kCode).Read(view);
    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
}
