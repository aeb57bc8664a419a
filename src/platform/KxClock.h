// Time for the real-time loop and the start-up pauses, behind an interface so
// that tests drive it with a fake clock and never sleep.
#pragma once

#include <cstdint>

namespace kx {

class IClock {
  public:
    virtual ~IClock() = default;
    // Monotonic time in nanoseconds since an arbitrary start.
    virtual std::int64_t NowNs() = 0;
    // Lets at least this much time pass.
    virtual void SleepNs(std::int64_t ns) = 0;
    // False for a clock that only counts milliseconds.
    virtual bool IsHighResolution() const { return true; }
};

// std::chrono::steady_clock and a real sleep.
class SteadyClock final : public IClock {
  public:
    std::int64_t NowNs() override;
    void SleepNs(std::int64_t ns) override;
    static SteadyClock& Instance();
};

// A clock that moves only when told: SleepNs and Advance move it forward.
class FakeClock final : public IClock {
  public:
    explicit FakeClock(std::int64_t startNs = 0) : m_now(startNs) {}
    std::int64_t NowNs() override { return m_now += m_stepPerRead; }
    void SleepNs(std::int64_t ns) override {
        if (ns > 0)
            m_now += ns;
        m_slept += ns > 0 ? ns : 0;
    }
    void Advance(std::int64_t ns) { m_now += ns; }
    // Time that passes with every reading (models the cost of looking).
    void SetStepPerRead(std::int64_t ns) { m_stepPerRead = ns; }
    std::int64_t TotalSleptNs() const { return m_slept; }
    bool IsHighResolution() const override { return m_highResolution; }
    void SetHighResolution(bool on) { m_highResolution = on; }

  private:
    std::int64_t m_now;
    std::int64_t m_stepPerRead = 0;
    std::int64_t m_slept = 0;
    bool m_highResolution = true;
};

// The window system's message pump: handles pending window events.
class IMessagePump {
  public:
    virtual ~IMessagePump() = default;
    // Handles one pending event (or a batch); true when there was any.
    virtual bool PumpOne() = 0;
};

}  // namespace kx
