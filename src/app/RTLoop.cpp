#include "app/RTLoop.h"

namespace {
constexpr std::int64_t kNsPerSecond = 1'000'000'000;
constexpr std::int64_t kNsPerMs = 1'000'000;
constexpr int kWarmUpIterations = 60;
constexpr int kHistory = 16;
}  // namespace

RTLoop::RTLoop(int rate, kx::IClock& clock, kx::IMessagePump* pump)
    : m_clock(clock), m_pump(pump), m_rate(rate) {
    m_warmUp = kWarmUpIterations;
    Publish(1);
    Calibrate();
}

RTLoop::~RTLoop() {
    m_state = Stopped;
}

std::int64_t RTLoop::Now() const {
    return m_highResolution ? m_clock.NowNs() : m_clock.NowNs() / kNsPerMs;
}

void RTLoop::Calibrate() {
    if (m_rate <= 0 || m_rate > 1000)
        m_rate = 1;
    if (m_clock.IsHighResolution()) {
        m_highResolution = true;
        m_frequency = kNsPerSecond;
        m_period = m_frequency / m_rate;
        m_nextDeadline = m_clock.NowNs();
        m_secondsPerTick = 1.0 / static_cast<double>(m_frequency);
    } else {
        // The millisecond clock: 16 ms whatever rate was asked for.
        m_highResolution = false;
        m_nextDeadline = m_clock.NowNs() / kNsPerMs;
        m_secondsPerTick = 0.001;
        m_period = 16;
    }
    m_previousTime = m_nextDeadline;
    m_periodSeconds = static_cast<double>(m_period) * m_secondsPerTick;
}

bool RTLoop::Start() {
    if (m_state == Stopped)
        m_state = Running;
    return true;
}

bool RTLoop::Stop() {
    m_state = Stopped;
    return true;
}

bool RTLoop::TogglePause() {
    if (m_state == Running) {
        m_state = Paused;
        return true;
    }
    if (m_state == Paused)
        m_state = Running;
    return false;
}

bool RTLoop::ResetStatistics() {
    m_stats.executionOverruns = 0;
    m_maxCallbackTime = 0.0;
    m_maxIterationTime = 0.0;
    m_warmUp = kWarmUpIterations;
    return true;
}

double RTLoop::GetTiming(bool& highResolution) const {
    highResolution = m_highResolution;
    return m_periodSeconds;
}

void RTLoop::Iterate(int, int) {}

void RTLoop::Publish(int subframe) {
    m_stats.totalTime = m_totalTime;
    m_stats.lastIterationTime = m_lastIterationTime;
    m_stats.averageIterationTime = m_averageIterationTime;
    m_stats.maxIterationTime = m_maxIterationTime;
    m_stats.period = m_measuredPeriod;
    if (m_state == Paused) {
        m_stats.lastCallbackTime = 0.0;
        m_stats.averageCallbackTime = 0.0;
        m_stats.maxCallbackTime = 0.0;
    } else {
        m_stats.lastCallbackTime = m_lastCallbackTime;
        m_stats.averageCallbackTime = m_averageCallbackTime;
        m_stats.maxCallbackTime = m_maxCallbackTime;
    }
    if (subframe >= 0 && subframe < kHistory)
        m_stats.callbackHistory[subframe] = m_lastCallbackTime;
}

// Low-CPU wait: sleep in short steps until the spin margin before the
// deadline; the caller spins (and handles events) for the rest.
void RTLoop::WaitALittle(std::int64_t ticksLeft) {
    const std::int64_t nsPerTick = m_highResolution ? 1 : kNsPerMs;
    std::int64_t nsLeft = ticksLeft * nsPerTick - kSpinMarginNs;
    if (nsLeft <= 0)
        return;
    m_clock.SleepNs(nsLeft < kMaxSleepNs ? nsLeft : kMaxSleepNs);
}

int RTLoop::Run() {
    int subframe = 0;
    const double overrunLimit = static_cast<double>(m_period) * m_secondsPerTick * 1.02;
    int holdOff = 16;
    m_nextDeadline = Now();
    m_previousTime = m_nextDeadline;
    m_totalTime = 0.0;

    while (m_state == Running || m_state == Paused) {
        if (m_pump != nullptr && m_pump->PumpOne())
            continue;
        m_now = Now();
        if (!(m_now > m_nextDeadline)) {
            if (m_waitMode == WaitMode::LowCpu)
                WaitALittle(m_nextDeadline - m_now);
            continue;
        }
        m_measuredPeriod = static_cast<double>(m_now - m_previousTime) * m_secondsPerTick;
        m_previousTime = m_now;
        m_stats.period = m_measuredPeriod * 1000.0;

        if (m_measuredPeriod > overrunLimit && holdOff < 0) {
            ++m_stats.periodOverruns;
            holdOff = 120;
        }
        --holdOff;

        std::int64_t before = Now();
        Iterate(subframe, m_state);
        std::int64_t after = Now();
        m_lastCallbackTime = static_cast<double>(after - before) * m_secondsPerTick;
        if (m_lastCallbackTime > m_maxCallbackTime)
            m_maxCallbackTime = m_lastCallbackTime;
        if (m_lastCallbackTime > overrunLimit)
            ++m_stats.executionOverruns;

        if (m_highResolution) {
            m_lastIterationTime = static_cast<double>(Now() - m_now) * m_secondsPerTick;
        }
        if (m_lastIterationTime > m_maxIterationTime)
            m_maxIterationTime = m_lastIterationTime;

        ++m_iterations;
        m_callbackSum += m_lastCallbackTime;
        m_iterationSum += m_lastIterationTime;

        // Lateness is not caught up: the next period starts now.
        m_nextDeadline = m_now + m_period;
        m_totalTime += m_measuredPeriod;
        ++m_totalIterations;

        if (++subframe > 15) {
            m_averageCallbackTime = m_callbackSum / 16.0;
            m_averageIterationTime = m_iterationSum / 16.0;
            subframe = 0;
            m_callbackSum = 0.0;
            m_iterationSum = 0.0;
        }
        Publish(subframe);
        m_stats.iterationCount = m_totalIterations;

        if (m_observer != nullptr) {
            m_observer->OnIteration(m_now, m_measuredPeriod, m_lastCallbackTime);
        }

        if (m_warmUp > 0 && --m_warmUp > 0) {
            m_maxCallbackTime = 0.0;
            m_maxIterationTime = 0.0;
        }
    }
    return m_totalIterations;
}

IFrameOwner* RealTimeLoop::s_owner = nullptr;

RealTimeLoop::RealTimeLoop(IFrameOwner* owner, int rate, kx::IClock& clock, kx::IMessagePump* pump)
    : RTLoop(rate, clock, pump) {
    s_owner = owner;
}

RealTimeLoop::~RealTimeLoop() {
    s_owner = nullptr;
}

void RealTimeLoop::Iterate(int, int) {
    if (s_owner == nullptr)
        return;
    s_owner->FrameUpdate();
    s_owner->InvalidatePicture();
}
