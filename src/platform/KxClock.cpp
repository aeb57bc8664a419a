#include "platform/KxClock.h"

#include <chrono>
#include <thread>

namespace kx {

std::int64_t SteadyClock::NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SteadyClock::SleepNs(std::int64_t ns) {
    if (ns > 0)
        std::this_thread::sleep_for(std::chrono::nanoseconds(ns));
}

SteadyClock& SteadyClock::Instance() {
    static SteadyClock clock;
    return clock;
}

}  // namespace kx
