// RTLoop: the pace-maker of the program.
//
// It calls the iteration callback at a fixed rate (20 Hz here) and, between
// iterations, handles the window events itself, one per pass. By default it
// waits for each deadline by spinning on the clock so that an iteration starts
// as soon as it is due; in low-CPU mode it sleeps until shortly before the
// deadline and spins only the last moment. Every iteration is measured: the
// period, the time in the callback and the whole iteration, with overrun
// counters, 16-iteration averages and maxima that ignore the warm-up.
#pragma once

#include <cstdint>

#include "platform/KxClock.h"

// The statistics record, copied out whole (216 bytes).
struct RTStatistics {
    std::int64_t reserved0;
    double period;  // measured period of the last iteration, seconds
    std::int32_t iterationCount;
    std::int32_t executionOverruns;
    std::int32_t periodOverruns;
    std::int32_t reserved1;
    double maxCallbackTime;
    double averageCallbackTime;
    double lastCallbackTime;
    double maxIterationTime;
    double averageIterationTime;
    double lastIterationTime;
    double callbackHistory[16];
    double totalTime;
};
static_assert(sizeof(RTStatistics) == 216);

// Told about every iteration, for timing tools: the clock reading that found
// it due, the measured period and the time spent in the callback (seconds).
class IIterationObserver {
  public:
    virtual ~IIterationObserver() = default;
    virtual void OnIteration(std::int64_t startTicks, double periodSeconds,
                             double callbackSeconds) = 0;
};

class RTLoop {
  public:
    enum State { Running = 0, Paused = 1, Stopped = 2 };
    enum class WaitMode { Busy, LowCpu };

    // clock and pump are not owned; pump may be null (no window events).
    RTLoop(int rate, kx::IClock& clock, kx::IMessagePump* pump);
    virtual ~RTLoop();
    RTLoop(const RTLoop&) = delete;
    RTLoop& operator=(const RTLoop&) = delete;

    void Calibrate();
    bool Start();
    bool Stop();
    bool TogglePause();
    int GetState() const { return m_state; }
    int Run();
    bool ResetStatistics();
    void GetStatistics(RTStatistics& out) const { out = m_stats; }
    double GetTiming(bool& highResolution) const;

    void SetWaitMode(WaitMode mode) { m_waitMode = mode; }
    WaitMode GetWaitMode() const { return m_waitMode; }
    // Not owned; null (the default) costs nothing.
    void SetObserver(IIterationObserver* observer) { m_observer = observer; }
    // How long before a deadline the low-CPU wait stops sleeping.
    static constexpr std::int64_t kSpinMarginNs = 200'000;
    // The longest single sleep, so window events are still handled promptly.
    static constexpr std::int64_t kMaxSleepNs = 2'000'000;

    int GetRate() const { return m_rate; }
    std::int64_t GetPeriodTicks() const { return m_period; }

  protected:
    virtual void Iterate(int subframe, int state);

  private:
    std::int64_t Now() const;
    void Publish(int subframe);
    void WaitALittle(std::int64_t ticksLeft);

    kx::IClock& m_clock;
    kx::IMessagePump* m_pump;
    IIterationObserver* m_observer = nullptr;
    WaitMode m_waitMode = WaitMode::Busy;

    RTStatistics m_stats{};
    bool m_highResolution = false;
    std::int64_t m_nextDeadline = 0;
    std::int64_t m_previousTime = 0;
    double m_measuredPeriod = 0.0;
    std::int64_t m_frequency = 0;
    std::int64_t m_now = 0;
    std::int64_t m_period = 0;
    double m_secondsPerTick = 0.0;
    double m_totalTime = 0.0;
    double m_lastCallbackTime = 0.0;
    double m_maxIterationTime = 0.0;
    double m_maxCallbackTime = 0.0;
    double m_averageCallbackTime = 0.0;
    double m_callbackSum = 0.0;
    double m_lastIterationTime = 0.0;
    std::int32_t m_iterations = 0;
    double m_periodSeconds = 0.0;
    std::int32_t m_rate = 0;
    std::int32_t m_totalIterations = 0;
    double m_iterationSum = 0.0;
    double m_averageIterationTime = 0.0;
    std::int32_t m_warmUp = 60;
    int m_state = Stopped;
};

// The program's loop: each iteration runs the owner's frame update and then
// asks for the picture to be repainted. Only one exists at a time; it reaches
// its owner through a program-wide pointer set at construction.
class IFrameOwner {
  public:
    virtual ~IFrameOwner() = default;
    virtual void FrameUpdate() = 0;
    virtual void InvalidatePicture() = 0;
};

class RealTimeLoop : public RTLoop {
  public:
    RealTimeLoop(IFrameOwner* owner, int rate, kx::IClock& clock, kx::IMessagePump* pump);
    ~RealTimeLoop() override;

  protected:
    void Iterate(int subframe, int state) override;

  private:
    static IFrameOwner* s_owner;
};
