// The fixture of the whole-program tests: Xvfb, the default art, and the
// real cockpit started on a segment that the test creates as the host. Each
// test file of this folder adds its steps as tests of this fixture.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "E2eSupport.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

using namespace std::chrono_literals;

// Where electrical button 0 is in the window: panel (898, 500) + (270, 20),
// seen from the first view (605, 5), drawn from the drawing origin (14, 3).
inline constexpr int kButton0X = 898 + 270 + 20 - 605 + 14;
inline constexpr int kButton0Y = 500 + 20 + 20 - 5 + 3;
inline constexpr int kHalf = 18;

class CockpitE2E : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new testsupport::TempDir;
        s_display = new e2e::Display;
        ASSERT_TRUE(s_display->Ok()) << "Xvfb did not start";
        int status = 0;
        e2e::Run({SKYLID_ART_BIN, "--out", (s_dir->Path() / "art").string()}, &status);
        ASSERT_EQ(status, 0) << "skylid-art failed";
        // The banner program is not wanted on the screenshots, nor the host
        // watchdog's banner: the tests play the host and keep no time counter.
        std::ifstream in(s_dir->Path() / "art/Skylid.ini");
        std::stringstream ini;
        ini << in.rdbuf();
        std::string text = ini.str();
        std::size_t options = text.find("[OPTIONS]");
        ASSERT_NE(options, std::string::npos);
        text.insert(options + 9, "\nBannerProgram = /bin/true\nHostWatchdog = 0");
        testsupport::WriteFile(s_dir->Path() / "e2e.ini", text);
        // A second set-up whose first view lies on the glareshield.
        std::size_t viewTop = text.find("ViewTop");
        ASSERT_NE(viewTop, std::string::npos);
        text.replace(viewTop, text.find('\n', viewTop) - viewTop, "ViewTop = 1400");
        testsupport::WriteFile(s_dir->Path() / "e2e-fcu.ini", text);
    }
    static void TearDownTestSuite() {
        delete s_display;
        delete s_dir;
    }

    // Starts the cockpit on a segment that this test has created as the host.
    void StartCockpit(const std::string& segmentName, const char* ini = "e2e.ini") {
        std::vector<std::string> env = s_display->Env();
        env.push_back("QT_QPA_PLATFORM=xcb");
        env.push_back("SKYLID_HEADLESS=1");
        cockpit = e2e::Child(
            {SKYLID_BIN, "--segment", segmentName, "--ini", (s_dir->Path() / ini).string()}, env,
            (s_dir->Path() / ("skylid-" + segmentName + ".log")).string());
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

    inline static testsupport::TempDir* s_dir = nullptr;
    inline static e2e::Display* s_display = nullptr;
    e2e::Child cockpit;
    std::string window;
    std::uint8_t* view = nullptr;
};
