// skylid-host serve: attaches both segments as the cockpit does and stays
// attached at 20 Hz, running the demo behaviours when asked.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <optional>

#include "host/HostCommands.h"
#include "host/demo/Demo.h"
#include "shm/SimSegment.h"
#include "units/FcuLayout.h"

namespace host {

namespace {

// The host's time counter (FCU.HOST_TIME) counts tenths of a second since
// serve started: the unit of the FCU's preview times, and what the cockpit's
// watchdog watches to know that the host is alive.
constexpr double kHostTimeUnitsPerSecond = 10.0;

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnStopSignal(int) {
    g_stop = 1;
}

const char* HowAttached(const SimSegment& segment) {
    return segment.IsCreator() ? "created" : "attached";
}

}  // namespace

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a sleep ends at once on a signal
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool StopRequested() {
    return g_stop != 0;
}

long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

void SleepUntilNs(long long deadlineNs) {
    timespec deadline{static_cast<time_t>(deadlineNs / 1'000'000'000LL),
                      static_cast<long>(deadlineNs % 1'000'000'000LL)};
    // An interrupted sleep (EINTR) returns; the caller looks at the stop flag.
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr);
}

int Serve(const Options& options) {
    InstallStopHandlers();

    // The generic segment first, then the training segment, as the cockpit
    // does; released in the same order.
    std::optional<Gensim_Shm> generic;
    generic.emplace(options.segment.c_str());
    if (!generic->IsValid()) {
        std::fprintf(stderr, "skylid-host: %s\n", generic->GetErrorText());
        return kExitSegment;
    }
    std::optional<CTrnShm> training;
    training.emplace(options.training.c_str());
    if (!training->IsValid()) {
        std::fprintf(stderr, "skylid-host: %s\n", training->GetErrorText());
        generic.reset();
        return kExitSegment;
    }

    std::uint8_t* view = generic->Content();
    std::vector<std::unique_ptr<demo::PanelDemo>> demos;
    if (options.demo)
        demos = demo::MakeAllDemos();
    for (auto& d : demos)
        d->Start(view);

    std::string demoNames;
    for (auto& d : demos)
        demoNames += std::string(demoNames.empty() ? "" : ", ") + d->Name();
    std::fprintf(stderr,
                 "skylid-host: serving %s (%s, %d attached) and %s (%s, %d attached) at 20 Hz%s%s;"
                 " SIGINT or SIGTERM stops\n",
                 options.segment.c_str(), HowAttached(*generic), generic->GetAttachCount(),
                 options.training.c_str(), HowAttached(*training), training->GetAttachCount(),
                 options.demo ? ", demo: " : "", demoNames.c_str());

    const long long start = MonotonicNs();
    const long long limit =
        options.seconds > 0.0 ? static_cast<long long>(options.seconds * 1e9) : -1;
    long long next = start;
    while (!StopRequested()) {
        long long now = MonotonicNs();
        if (limit >= 0 && now - start >= limit)
            break;
        double seconds = static_cast<double>(now - start) / 1e9;
        fcu::kHostTime.Write(view, static_cast<std::int32_t>(seconds * kHostTimeUnitsPerSecond));
        for (auto& d : demos)
            d->Step(view, seconds);
        next += kTickNs;
        if (next < now)
            next = now + kTickNs;  // fell behind: no burst of catching-up ticks
        if (limit >= 0 && next > start + limit)
            next = start + limit;
        SleepUntilNs(next);
    }

    generic.reset();
    training.reset();
    std::fprintf(stderr, "skylid-host: detached\n");
    return kExitOk;
}

}  // namespace host
