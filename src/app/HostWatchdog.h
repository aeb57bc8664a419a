// HostWatchdog: tells when the simulation host has stopped, from its time
// counter (FCU.HOST_TIME), which a live host moves all the time. The window
// feeds it the counter at every iteration of the real-time loop and shows a
// warning while it says the host is silent.
#pragma once

#include <cstdint>

#include "platform/KxClock.h"

class HostWatchdog {
  public:
    // A counter that stays still this long means the host is not responding.
    static constexpr std::int64_t kDefaultTimeoutNs = 2'000'000'000;

    explicit HostWatchdog(kx::IClock& clock, std::int64_t timeoutNs = kDefaultTimeoutNs)
        : m_clock(clock), m_timeoutNs(timeoutNs) {}

    // Off for hosts that keep no time counter: it never says silent.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_enabled; }

    // Looks at the counter's value now. Returns true when the answer of
    // IsSilent() changed with it (the window then retitles and redraws).
    bool Observe(std::int32_t counter);

    // Forgets what was seen (the loop stopped): not silent, and the next
    // Observe starts the time again.
    void Reset();

    bool IsSilent() const { return m_silent; }

  private:
    kx::IClock& m_clock;
    std::int64_t m_timeoutNs;
    bool m_enabled = true;
    bool m_seen = false;  // a value has been observed since the last Reset
    bool m_silent = false;
    std::int32_t m_last = 0;
    std::int64_t m_movedAtNs = 0;  // when the counter last moved (or was first seen)
};
