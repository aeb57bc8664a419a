// The ADIRS keypad and the ECAM page keys in the real window: an entry typed
// with clicks reaches the output block with its point put in, ENT raises the
// ENT signal, and a page key clicked after scrolling down to the pedestal
// raises a page request that falls when the host shows the page.
#include <gtest/gtest.h>
#include <signal.h>
#include <string.h>

#include <array>
#include <string>
#include <thread>

#include "CockpitFixture.h"
#include "panels/AdirsLayout.h"
#include "panels/EcamLayout.h"

namespace {

// Window point of a picture point: minus the scroll, plus the drawing origin.
constexpr int kOriginX = 14;
constexpr int kOriginY = 3;

struct WindowPoint {
    int x;
    int y;
};

// The ADIRS panel lies at (613, 65), inside the first view (605, 5).
WindowPoint AdirsKey(int x, int y) {
    return {613 + x + 10 - 605 + kOriginX, 65 + y + 10 - 5 + kOriginY};
}

std::string EntryText(const std::uint8_t* view) {
    const std::array<char, adirs::kTextSize> entry = adirs::kEntryText.Read(view);
    return std::string(entry.data(), strnlen(entry.data(), entry.size()));
}

}  // namespace

TEST_F(CockpitE2E, AdirsEntryTypedWithClicksAndEcamPageRequest) {
    std::string name = testsupport::UniqueSegmentName("e2eadirs");
    Gensim_Shm host(name.c_str());
    ASSERT_TRUE(host.IsValid());
    view = host.Content();
    ASSERT_NO_FATAL_FAILURE(StartCockpit(name));
    ASSERT_NO_FATAL_FAILURE(StartLoop());

    // N 4 5 3 0 2 on the keypad: the point comes in by itself.
    const WindowPoint keys[] = {AdirsKey(209, 67), AdirsKey(182, 92),  AdirsKey(209, 92),
                                AdirsKey(235, 67), AdirsKey(209, 145), AdirsKey(209, 67)};
    for (const WindowPoint& key : keys)
        ClickAt(key.x, key.y);
    EXPECT_TRUE(e2e::WaitFor([&] { return EntryText(view) == "N4530.2"; }, 3s))
        << "entry: " << EntryText(view);
    const WindowPoint ent = AdirsKey(182, 145);
    ClickAt(ent.x, ent.y);
    EXPECT_TRUE(e2e::WaitFor([&] { return adirs::kEntSignal.Read(view) == 1; }, 2s));

    // Drag the picture to the pedestal, always holding an empty part of it:
    // left to the picture's left edge, down by 2595, then right by 680.
    auto drag = [&](int x0, int y0, int x1, int y1) {
        std::this_thread::sleep_for(600ms);
        e2e::Xdotool(*s_display, {"mousemove", "--window", window, std::to_string(x0),
                                  std::to_string(y0), "mousedown", "1", "mousemove", "--window",
                                  window, std::to_string(x1), std::to_string(y1), "mouseup", "1"});
    };
    drag(30, 40, 1000, 40);
    for (int i = 0; i < 3; ++i)
        drag(314, 720, 314, 20);
    drag(314, 720, 314, 225);
    drag(720, 400, 40, 400);
    std::this_thread::sleep_for(300ms);

    // The ECAM control panel at (1079, 2711), seen from (680, 2600): ENG.
    EXPECT_EQ(ecam::kOutputs.pageRequest.Read(view), -1);
    ClickAt(1079 + 96 + 20 - 680 + kOriginX, 2711 + 42 + 13 - 2600 + kOriginY);
    EXPECT_TRUE(e2e::WaitFor([&] { return ecam::kOutputs.pageRequest.Read(view) == 2; }, 3s))
        << "request " << ecam::kOutputs.pageRequest.Read(view);
    ecam::kPageShown.Write(view, 2);
    // The panel sees the page at its next turn in the round robin.
    EXPECT_TRUE(e2e::WaitFor([&] { return ecam::kOutputs.pageRequest.Read(view) == -1; }, 10s));
    EXPECT_EQ(ecam::kCopied.pageRequest.Read(view), -1);

    EXPECT_EQ(cockpit.Stop(SIGTERM, 10s), 0);
}
