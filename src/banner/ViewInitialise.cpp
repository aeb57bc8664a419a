#include "banner/ViewInitialise.h"

#include "shm/GenericLayout.h"

std::uint8_t* ViewInitialise::s_segment = nullptr;
kx::IClock* ViewInitialise::s_clock = nullptr;

namespace {

// The counters only ever count up; past the largest value they wrap, as the
// banner only looks for a change.
void CountUp(const GenField<std::int32_t>& counter, std::uint8_t* segment) {
    auto next = static_cast<std::uint32_t>(counter.Read(segment)) + 1u;
    counter.Write(segment, static_cast<std::int32_t>(next));
}

}  // namespace

void ViewInitialise::Bind(std::uint8_t* genericSegment) {
    s_segment = genericSegment;
}

void ViewInitialise::SetClock(kx::IClock* clock) {
    s_clock = clock;
}

void ViewInitialise::Pause() {
    kx::IClock& clock = s_clock != nullptr ? *s_clock : kx::SteadyClock::Instance();
    clock.SleepNs(static_cast<std::int64_t>(kPauseMs) * 1'000'000);
}

// The banner reads the record while it is written: each counter goes up
// before the texts it announces are written.
void ViewInitialise::Report(const char* heading, const char* text) {
    if (s_segment == nullptr)
        return;
    generic::report::kHeading.Write(s_segment, heading);
    CountUp(generic::report::kProgressCount, s_segment);
    generic::report::kText.Write(s_segment, text);
    Pause();
}

void ViewInitialise::Report(const char* text) {
    if (s_segment == nullptr)
        return;
    CountUp(generic::report::kProgressCount, s_segment);
    generic::report::kHeading.Write(s_segment, "");
    generic::report::kText.Write(s_segment, text);
    Pause();
}

void ViewInitialise::ReportError(const char* title, const char* detail, const char* consequence) {
    if (s_segment == nullptr)
        return;
    CountUp(generic::report::kErrorCount, s_segment);
    generic::report::kErrorTitle.Write(s_segment, title);
    generic::report::kErrorConsequence.Write(s_segment, consequence);
    generic::report::kErrorDetail.Write(s_segment, detail);
    generic::report::kState.Write(s_segment, generic::report::kStateError);
    Pause();
}
