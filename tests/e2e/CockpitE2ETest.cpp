// The whole program: skylid in a real window under Xvfb on the default art,
// clicked with xdotool, with this test as the simulation host on the segment.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "CockpitFixture.h"
#include "E2eSupport.h"
#include "panels/ElectricalLayout.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

using namespace std::chrono_literals;

namespace {}  // namespace

TEST_F(CockpitE2E, ClicksLightsFreezeScrollAndClose) {
    std::string name = testsupport::UniqueSegmentName("e2e");
    Gensim_Shm host(name.c_str());
    ASSERT_TRUE(host.IsValid());
    view = host.Content();
    ASSERT_NO_FATAL_FAILURE(StartCockpit(name));
    EXPECT_EQ(generic::kStartupProgress.Read(view), 60);
    EXPECT_EQ(generic::kAttachCounter.Read(view), 2);
    EXPECT_EQ(Frames(), 0) << "the loop waits for the first click";

    // The first click starts the loop at about 20 iterations a second.
    ASSERT_NO_FATAL_FAILURE(StartLoop());
    std::int32_t first = Frames();
    auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(2s);
    std::int32_t second = Frames();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    double rate = (second - first) / seconds;
    EXPECT_GT(rate, 15.0);
    EXPECT_LT(rate, 25.0);

    // A click on button 0 latches its output byte; a second one releases it.
    ClickAt(kButton0X, kButton0Y);
    EXPECT_TRUE(e2e::WaitFor([&] { return elec::kButtonState.Read(view) == 1; }, 2s));
    ClickAt(kButton0X, kButton0Y);
    EXPECT_TRUE(e2e::WaitFor([&] { return elec::kButtonState.Read(view) == 0; }, 2s));

    // The host's light byte and the lamp test change the button's pixels.
    e2e::Shot unlit = Shot();
    ASSERT_TRUE(unlit.Ok());
    elec::kTopLight.Write(view, 1);
    EXPECT_TRUE(Button0Changes(unlit, 5s)) << "top light";
    e2e::Shot lit = Shot();
    elec::kLampTest.Write(view, 1);
    EXPECT_TRUE(Button0Changes(lit, 5s)) << "lamp test";
    elec::kLampTest.Write(view, 0);
    elec::kTopLight.Write(view, 0);
    EXPECT_TRUE(Button0Changes(lit, 5s)) << "lights off again";

    // The redraw-suspend byte freezes the picture while the frames go on.
    generic::kRedrawSuspended.Write(view, 1);
    std::this_thread::sleep_for(300ms);
    e2e::Shot frozen = Shot();
    std::int32_t framesBefore = Frames();
    elec::kTopLight.Write(view, 1);
    std::this_thread::sleep_for(2s);
    EXPECT_GT(Frames(), framesBefore + 20);
    EXPECT_EQ(Shot().Differences(frozen, 0, 0, frozen.width, frozen.height), 0);
    generic::kRedrawSuspended.Write(view, 0);
    EXPECT_TRUE(Button0Changes(frozen, 5s)) << "painting resumes";
    elec::kTopLight.Write(view, 0);
    std::this_thread::sleep_for(2s);

    // The arrow keys scroll; back at the top the picture is the same again.
    e2e::Xdotool(*s_display, {"windowfocus", "--sync", window});
    e2e::Xdotool(*s_display, {"keydown", "Up", "sleep", "1", "keyup", "Up"});
    std::this_thread::sleep_for(300ms);
    e2e::Shot top = Shot();
    e2e::Xdotool(*s_display, {"keydown", "Down", "sleep", "0.5", "keyup", "Down"});
    std::this_thread::sleep_for(300ms);
    e2e::Shot down = Shot();
    EXPECT_GT(down.Differences(top, 0, 0, top.width, top.height), 1000) << "Down scrolled";
    e2e::Xdotool(*s_display, {"keydown", "Up", "sleep", "2", "keyup", "Up"});
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(Shot().Differences(top, 0, 0, top.width, top.height), 0) << "Up came back";

    // Closing the window detaches: the counter goes back to the host alone.
    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
    EXPECT_EQ(generic::kAttachCounter.Read(view), 1);
}

TEST_F(CockpitE2E, DemoHostLightsTheButtonThatWasClicked) {
    std::string name = testsupport::UniqueSegmentName("e2edemo");
    e2e::Child demo({SKYLID_HOST_BIN, "--segment", name, "serve", "--demo"}, {},
                    (s_dir->Path() / "host.log").string());
    // The demo host creates the segments; this test looks in as a second user.
    std::unique_ptr<Gensim_Shm> looker;
    ASSERT_TRUE(e2e::WaitFor(
        [&] {
            looker = std::make_unique<Gensim_Shm>(name.c_str());
            if (looker->IsValid() && !looker->IsCreator())
                return true;
            looker.reset();
            return false;
        },
        10s));
    view = looker->Content();
    ASSERT_NO_FATAL_FAILURE(StartCockpit(name));
    ASSERT_NO_FATAL_FAILURE(StartLoop());
    e2e::Shot before = Shot();
    EXPECT_EQ(elec::kBottomLight.Read(view), 0);
    ClickAt(kButton0X, kButton0Y);
    EXPECT_TRUE(e2e::WaitFor([&] { return elec::kBottomLight.Read(view) == 1; }, 3s))
        << "the demo lights a button that is in";
    EXPECT_TRUE(Button0Changes(before, 5s));
    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
    EXPECT_EQ(demo.Stop(SIGTERM, 10s), 0);
}
