// The thrust levers and the pitch trim in the real window: the picture is
// dragged down to the pedestal, a click on a lever band moves the lever's
// angle and detent, and a trim written by the test, as host, changes the
// trim display.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <thread>

#include "CockpitFixture.h"
#include "panels/CStabPanel.h"
#include "panels/CThrustLever.h"
#include "panels/PanelBlocks.h"

namespace {

// The drag starts on a point of the picture that no panel covers, (605, 702)
// from the first view, and moves the mouse up by kDrag: the picture scrolls
// with it.
constexpr int kDragX = 14;
constexpr int kDragFrom = 700;
constexpr int kDrag = 680;
constexpr int kDrags = 4;
constexpr int kScrollX = 605;
constexpr int kScrollY = 5 + kDrags * kDrag;
// Window point of a picture point: minus the scroll, plus the drawing origin.
constexpr int WindowX(int x) {
    return x - kScrollX + 14;
}
constexpr int WindowY(int y) {
    return y - kScrollY + 3;
}

}  // namespace

TEST_F(CockpitE2E, ThrustLeverClickAndPitchTrimDisplay) {
    std::string name = testsupport::UniqueSegmentName("e2elevers");
    Gensim_Shm host(name.c_str());
    ASSERT_TRUE(host.IsValid());
    view = host.Content();
    ASSERT_NO_FATAL_FAILURE(StartCockpit(name));
    ASSERT_NO_FATAL_FAILURE(StartLoop());

    for (int i = 0; i < kDrags; ++i) {
        std::this_thread::sleep_for(300ms);
        e2e::Xdotool(*s_display,
                     {"mousemove", "--window", window, std::to_string(kDragX),
                      std::to_string(kDragFrom), "mousedown", "1", "mousemove", "--window", window,
                      std::to_string(kDragX), std::to_string(kDragFrom - kDrag), "mouseup", "1"});
    }

    // Thrust levers at (1200, 2920); 10 pixels below the top of the left one.
    const int leverX = WindowX(1200 + 40);
    const int leverY = WindowY(2920 + 10);
    ClickAt(leverX, leverY);
    EXPECT_TRUE(e2e::WaitFor([&] { return thrust::kAngle[0].Read(view) == 97.0; }, 3s))
        << "left angle " << thrust::kAngle[0].Read(view);
    EXPECT_EQ(GenField<std::int32_t>::At(blocks::kThrustLever.a320.out).Read(view), 5);
    EXPECT_EQ(thrust::kAngle[1].Read(view), 0.0) << "right lever untouched";

    // Down the climb band of the right lever.
    ClickAt(WindowX(1300 + 40), WindowY(2920 + 300));
    EXPECT_TRUE(e2e::WaitFor([&] { return thrust::kAngle[1].Read(view) == 80.0; }, 3s));
    EXPECT_EQ(GenField<std::int32_t>::At(blocks::kThrustLeverRightA320).Read(view), 3);

    // The pitch trim display at (1080 + 160, 2860 + 10), seven glyphs.
    const int displayX = WindowX(1240);
    const int displayY = WindowY(2870);
    e2e::Shot before = Shot();
    ASSERT_TRUE(before.Ok());
    GenField<float>::At(blocks::kStab.a320.in + stab::kTrim).Write(view, -2.5f);
    EXPECT_TRUE(e2e::WaitFor(
        [&] {
            return Shot().Differences(before, displayX, displayY, displayX + 100, displayY + 24) >
                   20;
        },
        5s))
        << "the trim display did not change";
    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
}
