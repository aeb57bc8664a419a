// cockpit_timing: timing figures of the cockpit window and its real-time loop.
//
// Runs the real main window in this process, on the default cockpit art and
// on segments of its own, under whatever Qt platform is chosen (run it under
// Xvfb with QT_QPA_PLATFORM=xcb for the figures of a real window), and prints:
//   - the start-up time to the success byte and the resident memory after it;
//   - per wait mode (busy, LowCpuWait): the loop's period error
//     |measured period - 50 ms|, the callback time per iteration with the
//     electrical panel in view, the paint time, and the CPU time per second;
//   - the indication latency: a second thread plays the host and, at random
//     moments, toggles a light byte of electrical button 0; the window side
//     finds the paint after which the button's pixels in the off-screen
//     picture have changed. Once with the round robin, once with
//     UpdateAllVisible.
// Every figure is taken after the panels have started (frame 20) and settled.
// The sample buffers are sized before each run, so nothing is allocated on the
// timed path.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/CSkylidDlg.h"
#include "banner/ViewInitialise.h"
#include "panels/ElectricalLayout.h"
#include "platform/KxSystem.h"
#include "shm/GenericLayout.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRate = 20;
constexpr double kPeriodMs = 1000.0 / kRate;
// The panels start at frame 20 and their first update refreshes them all;
// the figures are taken from frame 60, after the loop's own warm-up as well.
constexpr int kFirstMeasuredFrame = 60;
constexpr int kWindowWidth = 1100;
constexpr int kWindowHeight = 740;
// The part of the cockpit in view: the overhead with the electrical panel.
constexpr int kViewX = 605;
constexpr int kViewY = 5;
// How long the host waits for a toggled light to show before it gives up.
constexpr std::int64_t kShowTimeoutNs = 3'000'000'000;
// Host pauses between toggles: random in this range, milliseconds.
constexpr int kMinPauseMs = 20;
constexpr int kMaxPauseMs = 300;
constexpr double kMsPerNs = 1e-6;

// The targets the figures are held against.
constexpr double kPeriodErrorP99TargetMs = 0.1;
constexpr double kCallbackP99TargetMs = 2.0;
constexpr double kLowCpuTargetPercent = 5.0;
constexpr double kLatencyP99TargetMs = 100.0;
constexpr double kResidentTargetMb = 200.0;

const char kHelp[] =
    "Usage: cockpit_timing [--seconds N] [--mode busy|lowcpu|both] [--art DIR]\n"
    "\n"
    "Runs the cockpit window in this process and prints its timing figures: the\n"
    "start-up time and resident memory, the real-time loop's period error, callback\n"
    "time and CPU use in each wait mode, and the indication latency from a host\n"
    "write of a light byte to the changed pixels, with the round robin and with\n"
    "UpdateAllVisible. Each run lasts N seconds after the panels have started.\n"
    "\n"
    "Options:\n"
    "  --seconds N  measured seconds per run (default 30)\n"
    "  --mode M     wait modes to measure: busy, lowcpu or both (default both);\n"
    "               the latency runs use busy unless M is lowcpu\n"
    "  --art DIR    a cockpit art folder with Skylid.ini (default: skylid-art\n"
    "               writes the default art into a temporary folder)\n"
    "  --help       this text\n"
    "\n"
    "For the figures of a real window run it on an X server, e.g.\n"
    "  QT_QPA_PLATFORM=xcb xvfb-run -a cockpit_timing\n";

std::int64_t NowNs() {
    return kx::SteadyClock::Instance().NowNs();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A "Name:   1234 kB" line of /proc/self/status, in megabytes (-1 if absent).
double StatusMegabytes(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(name);
    while (std::getline(status, line)) {
        if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':')
            return std::strtod(line.c_str() + length + 1, nullptr) / 1024.0;
    }
    return -1.0;
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    double one = 0, five = 0, fifteen = 0;
    file >> one >> five >> fifteen;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", one, five, fifteen);
    return text;
}

// The steady clock, adding up the time slept on it: the start-up report
// pauses on it so that the banner can show each entry.
class PauseCountingClock final : public kx::IClock {
  public:
    std::int64_t NowNs() override { return kx::SteadyClock::Instance().NowNs(); }
    void SleepNs(std::int64_t ns) override {
        ++m_pauses;
        m_sleptNs += ns > 0 ? ns : 0;
        kx::SteadyClock::Instance().SleepNs(ns);
    }
    void Reset() {
        m_pauses = 0;
        m_sleptNs = 0;
    }
    int Pauses() const { return m_pauses; }
    double SleptMs() const { return static_cast<double>(m_sleptNs) * 1e-6; }

  private:
    int m_pauses = 0;
    std::int64_t m_sleptNs = 0;
};

// A buffer of samples whose room is reserved up front: Add never allocates,
// and samples beyond the room are dropped (and counted).
class Samples {
  public:
    struct Summary {
        std::size_t count = 0;
        double median = 0.0;
        double p99 = 0.0;
        double max = 0.0;
    };

    explicit Samples(std::size_t capacity) { m_values.reserve(capacity); }

    void Add(double value) {
        if (m_values.size() < m_values.capacity())
            m_values.push_back(value);
        else
            ++m_dropped;
    }
    std::size_t Count() const { return m_values.size(); }
    std::size_t Dropped() const { return m_dropped; }

    // Nearest-rank percentiles over a sorted copy.
    Summary Summarise() const {
        Summary summary;
        summary.count = m_values.size();
        if (m_values.empty())
            return summary;
        std::vector<double> sorted = m_values;
        std::sort(sorted.begin(), sorted.end());
        auto rank = [&](double fraction) {
            auto index =
                static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
            return sorted[std::clamp<std::size_t>(index, 1, sorted.size()) - 1];
        };
        summary.median = rank(0.5);
        summary.p99 = rank(0.99);
        summary.max = sorted.back();
        return summary;
    }

  private:
    std::vector<double> m_values;
    std::size_t m_dropped = 0;
};

// The simulation host's part: a thread that, at random moments, flips the top
// or the bottom light byte of electrical button 0 and records when it did.
// The window side reports the toggle as shown; the host waits for that before
// the next toggle, so that every change of the button's pixels belongs to
// exactly one toggle.
class LightToggler {
  public:
    LightToggler(std::uint8_t* segment, std::size_t capacity, unsigned seed)
        : m_segment(segment),
          m_capacity(capacity),
          m_writeTimes(std::make_unique<std::atomic<std::int64_t>[]>(capacity)),
          m_seed(seed) {}
    ~LightToggler() { Stop(); }
    LightToggler(const LightToggler&) = delete;
    LightToggler& operator=(const LightToggler&) = delete;

    void Start() {
        m_thread = std::thread([this] { Run(); });
    }
    void Stop() {
        m_stop.store(true);
        if (m_thread.joinable())
            m_thread.join();
    }
    // Toggling begins once armed (when the figures are being taken).
    void Arm() { m_armed.store(true, std::memory_order_release); }

    // The window side: the toggle not yet shown, with the time of its write.
    bool Pending(std::uint32_t& sequence, std::int64_t& writtenNs) const {
        sequence = m_written.load(std::memory_order_acquire);
        if (sequence == m_shown.load(std::memory_order_relaxed))
            return false;
        writtenNs = m_writeTimes[sequence].load(std::memory_order_relaxed);
        return true;
    }
    void Shown(std::uint32_t sequence) { m_shown.store(sequence, std::memory_order_release); }

    std::uint32_t Toggles() const { return m_written.load(); }
    bool TimedOut() const { return m_timedOut.load(); }

  private:
    // Sleeps in short steps so that Stop is prompt; false when stopped.
    bool Pause(std::int64_t ns) {
        const std::int64_t end = NowNs() + ns;
        while (!m_stop.load()) {
            const std::int64_t left = end - NowNs();
            if (left <= 0)
                return true;
            std::this_thread::sleep_for(
                std::chrono::nanoseconds(std::min<std::int64_t>(left, 1'000'000)));
        }
        return false;
    }

    void Run() {
        std::mt19937 random(m_seed);
        std::uniform_int_distribution<int> pauseMs(kMinPauseMs, kMaxPauseMs);
        std::bernoulli_distribution bottom(0.5);
        while (!m_armed.load(std::memory_order_acquire)) {
            if (!Pause(1'000'000))
                return;
        }
        for (std::uint32_t sequence = 1; sequence < m_capacity; ++sequence) {
            if (!Pause(std::int64_t{pauseMs(random)} * 1'000'000))
                return;
            const GenField<std::uint8_t> light =
                bottom(random) ? elec::kBottomLight : elec::kTopLight;
            const std::uint8_t next = light.Read(m_segment) != 0 ? 0 : 1;
            // The record is published, and fenced, before the byte changes,
            // so a window that sees the new light also finds its write time.
            m_writeTimes[sequence].store(NowNs(), std::memory_order_relaxed);
            m_written.store(sequence, std::memory_order_release);
            std::atomic_thread_fence(std::memory_order_seq_cst);
            light.Write(m_segment, next);

            const std::int64_t deadline = NowNs() + kShowTimeoutNs;
            while (m_shown.load(std::memory_order_acquire) != sequence) {
                if (NowNs() > deadline) {
                    m_timedOut.store(true);
                    return;  // a lost toggle would spoil every later sample
                }
                if (!Pause(500'000))
                    return;
            }
        }
    }

    std::uint8_t* m_segment;
    std::size_t m_capacity;
    std::unique_ptr<std::atomic<std::int64_t>[]> m_writeTimes;
    unsigned m_seed;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_armed{false};
    std::atomic<bool> m_timedOut{false};
    std::atomic<std::uint32_t> m_written{0};
    std::atomic<std::uint32_t> m_shown{0};
};

class RunProbe;

// The main window with a look at every paint.
class TimedDialog : public CSkylidDlg {
  public:
    using CSkylidDlg::CSkylidDlg;
    void SetProbe(RunProbe* probe) { m_probe = probe; }
    int Paints() const { return m_paints; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    RunProbe* m_probe = nullptr;
    int m_paints = 0;
};

// Takes the figures of one run: the loop's iterations through the observer,
// the paints through the window, and stops the loop when enough iterations
// have been measured.
class RunProbe : public IIterationObserver {
  public:
    RunProbe(TimedDialog& dialog, int iterations, LightToggler* host, int maxToggles)
        : m_dialog(dialog),
          m_iterations(iterations),
          m_host(host),
          m_periodError(iterations),
          m_callback(iterations),
          m_paint(2 * iterations),
          m_latency(host != nullptr ? maxToggles : 0) {
        const CRect button = dialog.Manager().m_electrical.Button(0).GetRect();
        const QImage& picture = dialog.Picture();
        m_button = CRect(std::max(0, button.left), std::max(0, button.top),
                         std::min(picture.width(), button.right),
                         std::min(picture.height(), button.bottom));
    }

    void OnIteration(std::int64_t startTicks, double periodSeconds,
                     double callbackSeconds) override {
        if (m_dialog.GetFrameCounter() < kFirstMeasuredFrame || m_done)
            return;
        if (!m_started) {
            // The first iteration only opens the window of measurement.
            m_started = true;
            m_startNs = startTicks;
            m_startCpu = CpuSeconds();
            m_buttonSignature = ButtonSignature();
            if (m_host != nullptr)
                m_host->Arm();
            return;
        }
        m_periodError.Add(std::fabs(periodSeconds * 1000.0 - kPeriodMs));
        m_callback.Add(callbackSeconds * 1000.0);
        if (++m_measured >= m_iterations) {
            m_endNs = startTicks;
            m_endCpu = CpuSeconds();
            m_done = true;
            m_dialog.Loop()->Stop();
        }
    }

    void AfterPaint(std::int64_t beginNs, std::int64_t endNs) {
        if (!m_started || m_done)
            return;
        m_paint.Add(static_cast<double>(endNs - beginNs) * kMsPerNs);
        if (m_host == nullptr)
            return;
        const std::uint64_t signature = ButtonSignature();
        if (signature == m_buttonSignature)
            return;
        m_buttonSignature = signature;
        std::uint32_t sequence = 0;
        std::int64_t writtenNs = 0;
        if (m_host->Pending(sequence, writtenNs)) {
            m_latency.Add(static_cast<double>(endNs - writtenNs) * kMsPerNs);
            m_host->Shown(sequence);
        } else {
            ++m_unexplainedChanges;
        }
    }

    bool Completed() const { return m_done; }
    double WallSeconds() const { return static_cast<double>(m_endNs - m_startNs) * 1e-9; }
    double CpuSecondsUsed() const { return m_endCpu - m_startCpu; }
    const Samples& PeriodError() const { return m_periodError; }
    const Samples& Callback() const { return m_callback; }
    const Samples& Paint() const { return m_paint; }
    const Samples& Latency() const { return m_latency; }
    int UnexplainedChanges() const { return m_unexplainedChanges; }

  private:
    // FNV-1a over the pixels of button 0 in the off-screen picture.
    std::uint64_t ButtonSignature() const {
        const QImage& picture = m_dialog.Picture();
        const int bytesPerPixel = picture.depth() / 8;
        std::uint64_t hash = 14695981039346656037ull;
        for (int y = m_button.top; y < m_button.bottom; ++y) {
            const uchar* row = picture.constScanLine(y) + m_button.left * bytesPerPixel;
            const int bytes = (m_button.right - m_button.left) * bytesPerPixel;
            for (int i = 0; i < bytes; ++i) {
                hash ^= row[i];
                hash *= 1099511628211ull;
            }
        }
        return hash;
    }

    TimedDialog& m_dialog;
    int m_iterations;
    LightToggler* m_host;
    CRect m_button;
    Samples m_periodError;
    Samples m_callback;
    Samples m_paint;
    Samples m_latency;
    bool m_started = false;
    bool m_done = false;
    int m_measured = 0;
    std::int64_t m_startNs = 0;
    std::int64_t m_endNs = 0;
    double m_startCpu = 0.0;
    double m_endCpu = 0.0;
    std::uint64_t m_buttonSignature = 0;
    int m_unexplainedChanges = 0;
};

void TimedDialog::paintEvent(QPaintEvent* event) {
    const std::int64_t begin = NowNs();
    CSkylidDlg::paintEvent(event);
    const std::int64_t end = NowNs();
    ++m_paints;
    if (m_probe != nullptr)
        m_probe->AfterPaint(begin, end);
}

// What a run is about.
struct RunPlan {
    const char* title;
    bool lowCpuWait;
    bool updateAllVisible;
    bool playHost;
};

// The figures the summary holds against the targets.
struct Results {
    double startupMs = -1.0;
    double fromApplicationMs = -1.0;
    double residentMb = -1.0;
    double busyPeriodP99 = -1.0;
    double lowCpuPeriodP99 = -1.0;
    double callbackP99 = -1.0;
    double lowCpuPercent = -1.0;
    double latencyP99 = -1.0;
};

struct Options {
    int seconds = 30;
    bool busy = true;
    bool lowCpu = true;
    std::string art;
};

bool ParseOptions(int argc, char** argv, Options& options, bool& help) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        }
        if (arg == "--seconds" && i + 1 < argc) {
            char* end = nullptr;
            const long value = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || value < 1 || value > 3600) {
                std::fprintf(stderr, "cockpit_timing: --seconds takes 1 to 3600\n");
                return false;
            }
            options.seconds = static_cast<int>(value);
        } else if (arg == "--mode" && i + 1 < argc) {
            const std::string mode = argv[++i];
            options.busy = mode == "busy" || mode == "both";
            options.lowCpu = mode == "lowcpu" || mode == "both";
            if (!options.busy && !options.lowCpu) {
                std::fprintf(stderr, "cockpit_timing: --mode takes busy, lowcpu or both\n");
                return false;
            }
        } else if (arg == "--art" && i + 1 < argc) {
            options.art = argv[++i];
        } else {
            std::fprintf(stderr, "cockpit_timing: unknown option '%s' (see --help)\n", arg.c_str());
            return false;
        }
    }
    return true;
}

// Runs skylid-art (beside this program) to write the default art into folder.
bool WriteDefaultArt(const fs::path& folder) {
    const std::string program = kx::ProgramFolder() + "/skylid-art";
    const std::string out = folder.string();
    char* args[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--out"),
                    const_cast<char*>(out.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, args, environ) != 0) {
        std::fprintf(stderr, "cockpit_timing: cannot start %s\n", program.c_str());
        return false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A copy of the art's Skylid.ini with the run's options placed first in its
// OPTIONS section (the first occurrence of an item is the one read). The
// banner program is not started, so that no other window shares the machine.
bool WriteIniVariant(const fs::path& artIni, const fs::path& out, const RunPlan& plan) {
    std::ifstream in(artIni);
    if (!in) {
        std::fprintf(stderr, "cockpit_timing: cannot read %s\n", artIni.c_str());
        return false;
    }
    std::ostringstream options;
    options << "LowCpuWait = " << (plan.lowCpuWait ? 1 : 0) << "\n"
            << "UpdateAllVisible = " << (plan.updateAllVisible ? 1 : 0) << "\n"
            << "BannerProgram = /bin/true\n";
    std::ostringstream text;
    std::string line;
    bool placed = false;
    while (std::getline(in, line)) {
        text << line << "\n";
        if (!placed && line.rfind("[OPTIONS]", 0) == 0) {
            text << options.str();
            placed = true;
        }
    }
    if (!placed)
        text << "[OPTIONS]\n" << options.str();
    std::ofstream file(out);
    file << text.str();
    return static_cast<bool>(file);
}

// Handles window events until the condition holds or the time is up.
template <typename Condition>
bool WaitFor(Condition condition, std::int64_t timeoutNs) {
    const std::int64_t end = NowNs() + timeoutNs;
    while (!condition()) {
        if (NowNs() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void PrintSummary(const char* what, const Samples& samples, const char* unit) {
    const Samples::Summary s = samples.Summarise();
    std::printf("  %-22s median %8.3f  p99 %8.3f  max %8.3f %s  (%zu samples)\n", what, s.median,
                s.p99, s.max, unit, s.count);
    if (samples.Dropped() > 0)
        std::printf("  %-22s %zu more samples did not fit the buffer\n", "", samples.Dropped());
}

void PrintTarget(const char* what, double value, double limit, const char* unit) {
    if (value < 0.0) {
        std::printf("  %-46s not measured\n", what);
        return;
    }
    std::printf("  %-46s %9.3f %-4s (target < %g %s)  %s\n", what, value, unit, limit, unit,
                value < limit ? "met" : "MISSED");
}

// One run of the window: start-up, show, the real-time loop for the measured
// iterations, then the figures. The first run also gives the start-up figures.
bool RunWindow(const RunPlan& plan, const fs::path& ini, const std::string& segment, int seconds,
               Results& results, bool firstRun, std::int64_t applicationStartNs) {
    DialogOptions options;
    options.iniFile = ini.string();
    options.genericSegment = segment;
    options.trainingSegment = segment + "_Trn";

    TimedDialog dialog(options);
    dialog.resize(kWindowWidth, kWindowHeight);
    static PauseCountingClock reportClock;
    ViewInitialise::SetClock(&reportClock);
    reportClock.Reset();
    const std::int64_t initialiseStart = NowNs();
    const bool ready = dialog.InitialiseDialog();
    const std::int64_t initialiseEnd = NowNs();
    if (!ready || generic::kStartupSuccess.Read(dialog.Segment()) != 1) {
        std::fprintf(stderr, "cockpit_timing: start-up failed: %s\n", dialog.GetErrorText());
        return false;
    }
    dialog.show();
    const bool shown = WaitFor(
        [&] {
            return dialog.windowHandle() != nullptr && dialog.windowHandle()->isExposed() &&
                   dialog.Paints() > 0;
        },
        5'000'000'000);
    if (!shown) {
        std::fprintf(stderr, "cockpit_timing: the window was never shown and painted\n");
        return false;
    }
    const double startupMs = static_cast<double>(initialiseEnd - initialiseStart) * kMsPerNs;
    if (firstRun) {
        results.startupMs = startupMs;
        results.fromApplicationMs =
            static_cast<double>(initialiseEnd - applicationStartNs) * kMsPerNs;
        results.residentMb = StatusMegabytes("VmRSS");
        std::printf(
            "start-up: InitialiseDialog to the success byte %.1f ms, of which %.1f ms "
            "are %d pauses of the start-up report; from the application's set-up "
            "%.1f ms\n",
            results.startupMs, reportClock.SleptMs(), reportClock.Pauses(),
            results.fromApplicationMs);
        std::printf("resident memory after start-up (window shown): %.1f MB\n\n",
                    results.residentMb);
    }

    const CPoint scroll = dialog.GetScroll();
    dialog.ScrollBy(kViewX - scroll.x, kViewY - scroll.y);

    const int iterations = seconds * kRate;
    // At most one toggle per shortest host pause.
    const int maxToggles = seconds * 1000 / kMinPauseMs + 2;
    std::unique_ptr<LightToggler> host;
    if (plan.playHost) {
        host = std::make_unique<LightToggler>(
            dialog.Segment(), static_cast<std::size_t>(maxToggles), static_cast<unsigned>(NowNs()));
        host->Start();
    }
    RunProbe probe(dialog, iterations, host.get(), maxToggles);
    dialog.SetProbe(&probe);
    dialog.Loop()->SetObserver(&probe);
    const std::string load = LoadAverage();
    dialog.StartRealTime();  // returns when the probe stops the loop
    dialog.SetProbe(nullptr);
    if (host)
        host->Stop();

    const int visible = dialog.Manager().GetVisibleCount();
    std::printf("%s (%s, %s, %d panels in view, start-up %.1f ms)\n", plan.title,
                plan.lowCpuWait ? "LowCpuWait" : "busy wait",
                plan.updateAllVisible ? "UpdateAllVisible" : "round robin", visible, startupMs);
    if (!probe.Completed()) {
        std::fprintf(stderr, "cockpit_timing: the loop ended before the run was complete\n");
        return false;
    }
    std::printf("  load average before: %s; after: %s\n", load.c_str(), LoadAverage().c_str());
    const RTStatistics& stats = dialog.LastStatistics();
    if (plan.playHost) {
        PrintSummary("indication latency", probe.Latency(), "ms");
        // The last toggle may still be on its way when the run ends.
        std::printf("  toggles %u, shown %zu%s%s\n", host->Toggles(), probe.Latency().Count(),
                    host->TimedOut() ? "; a toggle was NOT shown within 3 s" : "",
                    probe.UnexplainedChanges() > 0 ? "; the button changed without a toggle" : "");
        if (host->TimedOut() || probe.UnexplainedChanges() > 0)
            std::printf("  the latency figures are not trustworthy\n");
        const double p99 = probe.Latency().Summarise().p99;
        if (plan.updateAllVisible)
            results.latencyP99 = host->TimedOut() ? 1e9 : p99;
    } else {
        const Samples::Summary period = probe.PeriodError().Summarise();
        const Samples::Summary callback = probe.Callback().Summarise();
        const double cpuPercent = 100.0 * probe.CpuSecondsUsed() / probe.WallSeconds();
        PrintSummary("period error", probe.PeriodError(), "ms");
        PrintSummary("callback time", probe.Callback(), "ms");
        PrintSummary("paint time", probe.Paint(), "ms");
        std::printf("  %-22s %.1f %% of a core (%.2f s CPU in %.2f s)\n", "CPU time", cpuPercent,
                    probe.CpuSecondsUsed(), probe.WallSeconds());
        std::printf("  %-22s period %d, execution %d\n", "overruns", stats.periodOverruns,
                    stats.executionOverruns);
        if (plan.lowCpuWait) {
            results.lowCpuPeriodP99 = period.p99;
            results.lowCpuPercent = cpuPercent;
        } else {
            results.busyPeriodP99 = period.p99;
        }
        results.callbackP99 = std::max(results.callbackP99, callback.p99);
    }
    std::printf("\n");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    bool help = false;
    if (!ParseOptions(argc, argv, options, help))
        return 2;
    if (help) {
        std::fputs(kHelp, stdout);
        return 0;
    }

    char workTemplate[] = "/tmp/cockpit_timing.XXXXXX";
    if (mkdtemp(workTemplate) == nullptr) {
        std::perror("cockpit_timing: mkdtemp");
        return 1;
    }
    const fs::path work = workTemplate;
    fs::path art = options.art;
    if (art.empty()) {
        art = work / "art";
        if (!WriteDefaultArt(art)) {
            std::fprintf(stderr, "cockpit_timing: skylid-art failed\n");
            fs::remove_all(work);
            return 1;
        }
    }

    std::vector<RunPlan> plans;
    if (options.busy)
        plans.push_back({"loop, busy wait", false, false, false});
    if (options.lowCpu)
        plans.push_back({"loop, low-CPU wait", true, false, false});
    const bool latencyLowCpu = !options.busy;
    plans.push_back({"indication latency, round robin", latencyLowCpu, false, true});
    plans.push_back({"indication latency, UpdateAllVisible", latencyLowCpu, true, true});

    const std::int64_t applicationStart = NowNs();
    QApplication application(argc, argv);
    std::printf(
        "cockpit_timing: platform %s, %d s per run at %d Hz, window %d x %d at (%d, %d), "
        "%u CPUs\n",
        QGuiApplication::platformName().toLocal8Bit().constData(), options.seconds, kRate,
        kWindowWidth, kWindowHeight, kViewX, kViewY, std::thread::hardware_concurrency());
    std::printf("art: %s\n\n", art.c_str());

    Results results;
    bool ok = true;
    for (std::size_t i = 0; i < plans.size() && ok; ++i) {
        const fs::path ini = work / ("run" + std::to_string(i) + ".ini");
        const std::string segment =
            "CockpitTiming_" + std::to_string(::getpid()) + "_" + std::to_string(i);
        ok = WriteIniVariant(art / "Skylid.ini", ini, plans[i]) &&
             RunWindow(plans[i], ini, segment, options.seconds, results, i == 0, applicationStart);
    }
    const double peakMb = StatusMegabytes("VmHWM");
    fs::remove_all(work);
    if (!ok)
        return 1;

    std::printf("peak resident memory over all runs: %.1f MB\n\n", peakMb);
    std::printf("targets:\n");
    PrintTarget("period error p99, busy wait", results.busyPeriodP99, kPeriodErrorP99TargetMs,
                "ms");
    PrintTarget("period error p99, LowCpuWait", results.lowCpuPeriodP99, kPeriodErrorP99TargetMs,
                "ms");
    PrintTarget("callback time p99", results.callbackP99, kCallbackP99TargetMs, "ms");
    PrintTarget("CPU time, LowCpuWait", results.lowCpuPercent, kLowCpuTargetPercent, "%");
    PrintTarget("indication latency p99, UpdateAllVisible", results.latencyP99, kLatencyP99TargetMs,
                "ms");
    PrintTarget("resident memory after start-up", results.residentMb, kResidentTargetMb, "MB");
    return 0;
}
