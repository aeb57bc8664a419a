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

#include "E2eSupport.h"
#include "panels/ElectricalLayout.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

using namespace std::chrono_literals;

namespace {

// Where electrical button 0 is in the window: panel (898, 500) + (270, 20),
// seen from the first view (605, 5), drawn from the drawing origin (14, 3).
constexpr int kButton0X = 898 + 270 + 20 - 605 + 14;
constexpr int kButton0Y = 500 + 20 + 20 - 5 + 3;
constexpr int kHalf = 18;

class CockpitE2E : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new testsupport::TempDir;
        s_display = new e2e::Display;
        ASSERT_TRUE(s_display->Ok()) << "Xvfb did not start";
        int status = 0;
        e2e::Run({SKYLID_ART_BIN, "--out", (s_dir->Path() / "art").string()}, &status);
        ASSERT_EQ(status, 0) << "skylid-art failed";
        // The banner program is not wanted on the screenshots.
        std::ifstream in(s_dir->Path() / "art/Skylid.ini");
        std::stringstream ini;
        ini << in.rdbuf();
        std::string text = ini.str();
        std::size_t options = text.find("[OPTIONS]");
        ASSERT_NE(options, std::string::npos);
        text.insert(options + 9, "\nBannerProgram = /bin/true");
        testsupport::WriteFile(s_dir->Path() / "e2e.ini", text);
    }
    static void TearDownTestSuite() {
        delete s_display;
        delete s_dir;
    }

    // Starts the cockpit on a segment that this test has created as the host.
    void StartCockpit(const std::string& segmentName) {
        std::vector<std::string> env = s_display->Env();
        env.push_back("QT_QPA_PLATFORM=xcb");
        env.push_back("SKYLID_HEADLESS=1");
        cockpit = e2e::Child(
            {SKYLID_BIN, "--segment", segmentName, "--ini", (s_dir->Path() / "e2e.ini").string()},
            env, (s_dir->Path() / ("skylid-" + segmentName + ".log")).string());
        ASSERT_TRUE(e2e::WaitFor([&] { return generic::kStartupSuccess.Read(view) == 1; }, 60s))
            << "no success byte; see the cockpit's log";
        ASSERT_TRUE(e2e::WaitFor(
            [&] {
                window = e2e::Xdotool(
                    *s_display, {"search", "--onlyvisible", "--pid", std::to_string(cockpit.Pid()),
                                 "--name", "Kx-P-0028"});
                window = window.substr(0, window.find('\n'));
                return !window.empty();
            },
            20s))
            << "no cockpit window";
    }

    // Clicks further apart than a double-click (which the window does not
    // hand to the panels).
    void ClickAt(int x, int y, int button = 1) {
        std::this_thread::sleep_for(600ms);
        e2e::Xdotool(*s_display, {"mousemove", "--window", window, std::to_string(x),
                                  std::to_string(y), "click", std::to_string(button)});
    }

    std::int32_t Frames() { return generic::kFrameCounter.Read(view); }

    // Starts the loop with a click beside the panels and waits for the
    // panels' first updates.
    void StartLoop() {
        ClickAt(300, 300);
        ASSERT_TRUE(e2e::WaitFor([&] { return Frames() > 25; }, 20s)) << "the loop did not start";
    }

    e2e::Shot Shot() { return e2e::Screenshot(*s_display, window); }

    bool Button0Changes(const e2e::Shot& before, std::chrono::milliseconds within) {
        return e2e::WaitFor(
            [&] {
                e2e::Shot now = Shot();
                return now.Differences(before, kButton0X - kHalf, kButton0Y - kHalf,
                                       kButton0X + kHalf, kButton0Y + kHalf) > 20;
            },
            within);
    }

    static testsupport::TempDir* s_dir;
    static e2e::Display* s_display;
    e2e::Child cockpit;
    std::string window;
    std::uint8_t* view = nullptr;
};

testsupport::TempDir* CockpitE2E::s_dir = nullptr;
e2e::Display* CockpitE2E::s_display = nullptr;

}  // namespace

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
