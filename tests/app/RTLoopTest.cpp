#include "app/RTLoop.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kPeriod20Hz = 50 * kMs;

// A loop whose callback runs a test function and stops after a number of
// iterations. Every clock reading costs 10 microseconds of fake time.
class TestLoop : public RTLoop {
  public:
    TestLoop(int rate, kx::FakeClock& clock, kx::IMessagePump* pump = nullptr)
        : RTLoop(rate, clock, pump), m_clock(clock) {}
    int stopAfter = 100;
    std::function<void(int iteration)> onIterate;
    std::vector<std::int64_t> startTimes;
    std::vector<int> subframes;
    std::vector<int> states;

  protected:
    void Iterate(int subframe, int state) override {
        startTimes.push_back(m_clock.NowNs());
        subframes.push_back(subframe);
        states.push_back(state);
        int iteration = static_cast<int>(startTimes.size());
        if (onIterate)
            onIterate(iteration);
        if (iteration >= stopAfter)
            Stop();
    }

  private:
    kx::FakeClock& m_clock;
};

class QueuePump : public kx::IMessagePump {
  public:
    std::function<void()> onMessage;
    int pending = 0;
    int handled = 0;
    bool PumpOne() override {
        if (pending == 0)
            return false;
        --pending;
        ++handled;
        if (onMessage)
            onMessage();
        return true;
    }
};

kx::FakeClock MakeClock() {
    kx::FakeClock clock(1'000 * kMs);
    clock.SetStepPerRead(10'000);
    return clock;
}

}  // namespace

TEST(RTLoop, RateIsLimitedToOneToThousand) {
    kx::FakeClock clock = MakeClock();
    for (int bad : {0, -1, 1001}) {
        RTLoop loop(bad, clock, nullptr);
        EXPECT_EQ(loop.GetRate(), 1) << bad;
        EXPECT_EQ(loop.GetPeriodTicks(), 1'000'000'000) << bad;
    }
    RTLoop fast(1000, clock, nullptr);
    EXPECT_EQ(fast.GetRate(), 1000);
    bool highResolution = false;
    EXPECT_DOUBLE_EQ(fast.GetTiming(highResolution), 0.001);
    EXPECT_TRUE(highResolution);
}

TEST(RTLoop, MillisecondClockRunsAt16MsAndLeavesIterationTimesZero) {
    kx::FakeClock clock = MakeClock();
    clock.SetHighResolution(false);
    TestLoop loop(20, clock);
    EXPECT_EQ(loop.GetPeriodTicks(), 16);
    loop.stopAfter = 20;
    loop.onIterate = [&](int) { clock.Advance(3 * kMs); };
    loop.Start();
    EXPECT_EQ(loop.Run(), 20);
    RTStatistics stats{};
    loop.GetStatistics(stats);
    EXPECT_EQ(stats.lastIterationTime, 0.0);
    EXPECT_EQ(stats.averageIterationTime, 0.0);
    EXPECT_GT(stats.lastCallbackTime, 0.0);
    for (std::size_t i = 1; i < loop.startTimes.size(); ++i) {
        std::int64_t gap = loop.startTimes[i] - loop.startTimes[i - 1];
        EXPECT_GE(gap, 16 * kMs);
        EXPECT_LT(gap, 18 * kMs);
    }
}

TEST(RTLoop, StateMachine) {
    kx::FakeClock clock = MakeClock();
    RTLoop loop(20, clock, nullptr);
    EXPECT_EQ(loop.GetState(), RTLoop::Stopped);
    EXPECT_FALSE(loop.TogglePause());
    EXPECT_EQ(loop.GetState(), RTLoop::Stopped);
    EXPECT_EQ(loop.Run(), 0) << "a stopped loop returns at once";
    EXPECT_TRUE(loop.Start());
    EXPECT_TRUE(loop.TogglePause());
    EXPECT_EQ(loop.GetState(), RTLoop::Paused);
    EXPECT_TRUE(loop.Start());
    EXPECT_EQ(loop.GetState(), RTLoop::Paused) << "Start only leaves the stopped state";
    EXPECT_FALSE(loop.TogglePause());
    EXPECT_EQ(loop.GetState(), RTLoop::Running);
    EXPECT_TRUE(loop.Stop());
    EXPECT_EQ(loop.GetState(), RTLoop::Stopped);
}

TEST(RTLoop, IterationsComeOnePeriodApartAndLatenessIsNotCaughtUp) {
    kx::FakeClock clock = MakeClock();
    TestLoop loop(20, clock);
    loop.stopAfter = 10;
    loop.onIterate = [&](int iteration) {
        if (iteration == 4)
            clock.Advance(175 * kMs);  // three and a half periods late
    };
    loop.Start();
    loop.Run();
    ASSERT_EQ(loop.startTimes.size(), 10u);
    for (std::size_t i = 1; i < loop.startTimes.size(); ++i) {
        std::int64_t gap = loop.startTimes[i] - loop.startTimes[i - 1];
        if (i == 4) {
            EXPECT_GT(gap, 175 * kMs) << "the late one";
        } else {
            EXPECT_GE(gap, kPeriod20Hz) << i;
            EXPECT_LT(gap, kPeriod20Hz + kMs) << i << ": no extra iterations after a late one";
        }
    }
    EXPECT_EQ(loop.subframes[0], 0);
    EXPECT_EQ(loop.subframes[9], 9);
}

TEST(RTLoop, OverrunsAreCountedWithHoldOff) {
    kx::FakeClock clock = MakeClock();
    TestLoop loop(20, clock);
    loop.stopAfter = 200;
    // Every callback takes 1.5 periods: every period and every callback overruns.
    loop.onIterate = [&](int) { clock.Advance(75 * kMs); };
    loop.Start();
    loop.Run();
    RTStatistics stats{};
    loop.GetStatistics(stats);
    EXPECT_EQ(stats.executionOverruns, 200);
    // Counted at iteration 18, then held off for 120 iterations: 18 and 139.
    EXPECT_EQ(stats.periodOverruns, 2);
    EXPECT_EQ(stats.iterationCount, 200);
    EXPECT_TRUE(loop.ResetStatistics());
    loop.GetStatistics(stats);
    EXPECT_EQ(stats.executionOverruns, 0);
    EXPECT_EQ(stats.periodOverruns, 2) << "period overruns are not reset";
}

TEST(RTLoop, MaximaIgnoreTheWarmUpAndAveragesCoverSixteen) {
    kx::FakeClock clock = MakeClock();
    TestLoop loop(20, clock);
    loop.stopAfter = 64;
    loop.onIterate = [&](int iteration) {
        if (iteration == 30)
            clock.Advance(20 * kMs);  // during warm-up: forgotten
        if (iteration == 62)
            clock.Advance(5 * kMs);  // after it: the maximum
    };
    loop.Start();
    loop.Run();
    RTStatistics stats{};
    loop.GetStatistics(stats);
    EXPECT_NEAR(stats.maxCallbackTime, 0.005, 0.0001);
    // Iterations 49..64 form the last full block of 16: one 5 ms callback.
    EXPECT_NEAR(stats.averageCallbackTime, 0.005 / 16.0, 0.0001);
    // The first iteration is due at once; 63 periods follow it.
    EXPECT_NEAR(stats.totalTime, 63 * 0.05, 0.01);
    EXPECT_NEAR(stats.period, 0.05, 0.001);
    EXPECT_EQ(stats.callbackHistory[0], stats.lastCallbackTime);
}

TEST(RTLoop, PausedLoopStillIteratesButReportsNoCallbackTimes) {
    kx::FakeClock clock = MakeClock();
    TestLoop loop(20, clock);
    loop.stopAfter = 5;
    RTStatistics stats{};
    loop.onIterate = [&](int iteration) {
        clock.Advance(kMs);
        if (iteration == 5)
            loop.GetStatistics(stats);  // as published after iteration 4
    };
    loop.Start();
    loop.TogglePause();
    loop.Run();
    EXPECT_EQ(loop.states.front(), RTLoop::Paused);
    EXPECT_EQ(stats.iterationCount, 4);
    EXPECT_EQ(stats.lastCallbackTime, 0.0);
    EXPECT_EQ(stats.averageCallbackTime, 0.0);
    EXPECT_EQ(stats.maxCallbackTime, 0.0);
}

TEST(RTLoop, OneEventPerPassEvenWhenAnIterationIsDue) {
    kx::FakeClock clock = MakeClock();
    QueuePump pump;
    TestLoop loop(20, clock, &pump);
    loop.stopAfter = 3;
    std::vector<int> handledAtIteration;
    loop.onIterate = [&](int) {
        handledAtIteration.push_back(pump.handled);
        if (loop.startTimes.size() == 1) {
            pump.pending = 5;                // five events queue up...
            clock.Advance(2 * kPeriod20Hz);  // ...while the next iteration is overdue
        }
    };
    // Each handled event costs 1 ms: all five are handled before the overdue
    // iteration runs.
    pump.onMessage = [&] { clock.Advance(kMs); };
    loop.Start();
    loop.Run();
    ASSERT_EQ(handledAtIteration.size(), 3u);
    EXPECT_EQ(handledAtIteration[0], 0);
    EXPECT_EQ(handledAtIteration[1], 5);
}

TEST(RTLoop, LowCpuWaitSleepsAndStillKeepsThePeriod) {
    kx::FakeClock clock = MakeClock();
    TestLoop loop(20, clock);
    loop.SetWaitMode(RTLoop::WaitMode::LowCpu);
    loop.stopAfter = 20;
    loop.Start();
    loop.Run();
    EXPECT_GT(clock.TotalSleptNs(), 19 * 45 * kMs) << "most of each period is slept";
    for (std::size_t i = 1; i < loop.startTimes.size(); ++i) {
        std::int64_t gap = loop.startTimes[i] - loop.startTimes[i - 1];
        EXPECT_GE(gap, kPeriod20Hz);
        EXPECT_LT(gap, kPeriod20Hz + kMs);
    }
}

namespace {
class CountingOwner : public IFrameOwner {
  public:
    int frames = 0;
    int invalidations = 0;
    void FrameUpdate() override { ++frames; }
    void InvalidatePicture() override {
        EXPECT_EQ(invalidations + 1, frames) << "the picture is invalidated after the update";
        ++invalidations;
    }
};

class StoppingPump : public kx::IMessagePump {
  public:
    RTLoop* loop = nullptr;
    CountingOwner* owner = nullptr;
    bool PumpOne() override {
        if (owner->frames >= 7)
            loop->Stop();  // as the close handler would
        return false;
    }
};
}  // namespace

TEST(RealTimeLoop, CallsFrameUpdateThenInvalidates) {
    kx::FakeClock clock = MakeClock();
    CountingOwner owner;
    StoppingPump pump;
    RealTimeLoop loop(&owner, 20, clock, &pump);
    pump.loop = &loop;
    pump.owner = &owner;
    loop.Start();
    EXPECT_EQ(loop.Run(), 7);
    EXPECT_EQ(owner.frames, 7);
    EXPECT_EQ(owner.invalidations, 7);
}

namespace {
class RecordingObserver : public IIterationObserver {
  public:
    std::vector<double> periods;
    std::vector<double> callbacks;
    void OnIteration(std::int64_t, double period, double callback) override {
        periods.push_back(period);
        callbacks.push_back(callback);
    }
};
}  // namespace

TEST(RTLoop, ObserverSeesEveryIterationsTimes) {
    kx::FakeClock clock = MakeClock();
    TestLoop loop(20, clock);
    RecordingObserver observer;
    loop.SetObserver(&observer);
    loop.stopAfter = 5;
    loop.onIterate = [&](int) { clock.Advance(2 * kMs); };
    loop.Start();
    loop.Run();
    ASSERT_EQ(observer.periods.size(), 5u);
    EXPECT_NEAR(observer.periods[3], 0.05, 0.001);
    EXPECT_NEAR(observer.callbacks[3], 0.002, 0.0001);
}
