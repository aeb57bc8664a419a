#include "app/HostWatchdog.h"

#include <gtest/gtest.h>

#include "platform/KxClock.h"

namespace {

constexpr std::int64_t kMs = 1'000'000;

}  // namespace

TEST(HostWatchdog, ACounterStillForTwoSecondsIsSilentUntilItMoves) {
    kx::FakeClock clock;
    HostWatchdog watchdog(clock);
    EXPECT_FALSE(watchdog.Observe(7));
    // 50 ms iterations: nothing before two seconds have passed.
    for (int i = 0; i < 39; ++i) {
        clock.Advance(50 * kMs);
        EXPECT_FALSE(watchdog.Observe(7)) << i;
    }
    EXPECT_FALSE(watchdog.IsSilent());
    clock.Advance(50 * kMs);  // 2.000 s
    EXPECT_TRUE(watchdog.Observe(7));
    EXPECT_TRUE(watchdog.IsSilent());
    clock.Advance(50 * kMs);
    EXPECT_FALSE(watchdog.Observe(7)) << "reported once";
    EXPECT_TRUE(watchdog.IsSilent());

    // Any move clears it, backwards too (a host that started again), and the
    // two seconds start again from there.
    clock.Advance(50 * kMs);
    EXPECT_TRUE(watchdog.Observe(3));
    EXPECT_FALSE(watchdog.IsSilent());
    clock.Advance(1990 * kMs);
    EXPECT_FALSE(watchdog.Observe(3));
    clock.Advance(10 * kMs);
    EXPECT_TRUE(watchdog.Observe(3));

    // The loop stopped: forgotten, and timed afresh from the next look.
    watchdog.Reset();
    EXPECT_FALSE(watchdog.IsSilent());
    clock.Advance(5000 * kMs);
    EXPECT_FALSE(watchdog.Observe(3));
    clock.Advance(1999 * kMs);
    EXPECT_FALSE(watchdog.Observe(3));
}
