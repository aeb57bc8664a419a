// The whole program: skylid in a real window under Xvfb on the default art,
// clicked with xdotool, with this test as the simulation host on the segment.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstring>
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
    // Button 0 is a FAULT/OFF button: OFF (its lower legend) is lit while
    // it is out, as on the aircraft, and goes dark when it is pushed in.
    EXPECT_TRUE(e2e::WaitFor([&] { return elec::kBottomLight.Read(view) == 1; }, 3s))
        << "the demo lights OFF on a button that is out";
    std::this_thread::sleep_for(300ms);
    e2e::Shot before = Shot();
    ClickAt(kButton0X, kButton0Y);
    EXPECT_TRUE(e2e::WaitFor([&] { return elec::kBottomLight.Read(view) == 0; }, 3s))
        << "and puts it out when the button is in";
    EXPECT_TRUE(Button0Changes(before, 5s));
    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
    EXPECT_EQ(demo.Stop(SIGTERM, 10s), 0);
}

// The captain's MCDU: the view starts at the pedestal (ViewTop), keys are
// typed with real clicks, and a page written here appears on the screen.
TEST_F(CockpitE2E, McduTypesIntoTheScratchPadAndShowsTheHostsPage) {
    constexpr int kScrollX = 605;
    constexpr int kScrollY = 2500;
    std::ifstream in(s_dir->Path() / "e2e.ini");
    std::stringstream ini;
    ini << in.rdbuf();
    std::string text = ini.str();
    text.insert(text.find("[OPTIONS]") + 9, "\nViewTop = 2500");
    testsupport::WriteFile(s_dir->Path() / "e2e-mcdu.ini", text);
    ASSERT_NE(text.find("McduRefresh = 1"), std::string::npos) << "skylid-art's ini switches it on";

    std::string name = testsupport::UniqueSegmentName("e2emcdu");
    Gensim_Shm host(name.c_str());
    ASSERT_TRUE(host.IsValid());
    view = host.Content();
    std::vector<std::string> env = s_display->Env();
    env.push_back("QT_QPA_PLATFORM=xcb");
    env.push_back("SKYLID_HEADLESS=1");
    cockpit = e2e::Child(
        {SKYLID_BIN, "--segment", name, "--ini", (s_dir->Path() / "e2e-mcdu.ini").string()}, env,
        (s_dir->Path() / "skylid-mcdu.log").string());
    ASSERT_TRUE(e2e::WaitFor([&] { return generic::kStartupSuccess.Read(view) == 1; }, 60s));
    ASSERT_TRUE(e2e::WaitFor(
        [&] {
            window =
                e2e::Xdotool(*s_display, {"search", "--onlyvisible", "--pid",
                                          std::to_string(cockpit.Pid()), "--name", "Kx-P-0028"});
            window = window.substr(0, window.find('\n'));
            return !window.empty();
        },
        20s));
    ClickAt(600, 50);  // beside the panels: starts the loop
    ASSERT_TRUE(e2e::WaitFor([&] { return Frames() > 25; }, 20s));

    // Panel 8 at (765, 2584); keys A, B, C at (130, 305), (161, 305),
    // (192, 305) of the panel, 28 x 26 in the default art.
    auto key = [&](int x, int y) {
        ClickAt(765 + x + 14 - kScrollX + 14, 2584 + y + 13 - kScrollY + 3);
    };
    key(130, 305);
    key(161, 305);
    key(192, 305);
    const shm::TextAt<Gensim_Shm::kSize> pad(130824 + 12, 25);
    char typed[26] = {};
    EXPECT_TRUE(e2e::WaitFor(
        [&] {
            pad.Read(view, typed, sizeof typed);
            return std::string(typed) == "ABC";
        },
        5s))
        << "scratch pad: " << typed;

    // A page: the title "E2E" in white, large.
    const int left = 765 + 44 - kScrollX + 14;
    const int top = 2584 + 28 - kScrollY + 3;
    e2e::Shot before = Shot();
    ASSERT_TRUE(before.Ok());
    std::uint8_t* page = view + 126736;
    const char title[] = "E2E";
    for (int j = 0; j < 3; ++j) {
        page[8 + 2 * (10 + j)] = static_cast<std::uint8_t>(title[j]);
        page[8 + 2 * (10 + j) + 1] = 16;
    }
    page[361] = 1;
    EXPECT_TRUE(e2e::WaitFor(
        [&] { return Shot().Differences(before, left, top, left + 228, top + 40) > 20; }, 5s))
        << "the title appears on the screen";
    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
}

// A failed start ends the program with a non-zero status and its cause on
// standard error; a bad --segment is a usage error.
TEST_F(CockpitE2E, FailedStartsExitNonZeroWithTheirCause) {
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "SKYLID_HEADLESS=1"};
    auto run = [&](const std::string& arguments, int& status) {
        return e2e::Run({"/bin/sh", "-c", std::string(SKYLID_BIN) + " " + arguments + " 2>&1"},
                        &status, env);
    };
    const std::string missing = (s_dir->Path() / "absent.ini").string();
    int status = 0;
    std::string out =
        run("--segment " + testsupport::UniqueSegmentName("e2efail") + " --ini " + missing, status);
    EXPECT_EQ(status, 1) << out;
    EXPECT_NE(out.find("start-up failed"), std::string::npos) << out;
    EXPECT_NE(out.find("The initialisation file " + missing + " cannot be used"), std::string::npos)
        << out;

    for (const std::string& name : {std::string("''"), std::string("a/b"), std::string(60, 'x')}) {
        out = run("--segment " + name + " --ini " + missing, status);
        EXPECT_EQ(status, 2) << name << ": " << out;
        EXPECT_NE(out.find("--segment needs a name of 1 to 59 characters"), std::string::npos)
            << out;
    }
}
