#include "app/HostWatchdog.h"

void HostWatchdog::SetEnabled(bool enabled) {
    m_enabled = enabled;
    Reset();
}

void HostWatchdog::Reset() {
    m_seen = false;
    m_silent = false;
}

bool HostWatchdog::Observe(std::int32_t counter) {
    const bool wasSilent = m_silent;
    if (!m_enabled)
        return false;
    const std::int64_t now = m_clock.NowNs();
    if (!m_seen || counter != m_last) {
        m_seen = true;
        m_last = counter;
        m_movedAtNs = now;
        m_silent = false;
    } else if (now - m_movedAtNs >= m_timeoutNs) {
        m_silent = true;
    }
    return m_silent != wasSilent;
}
