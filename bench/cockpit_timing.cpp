// cockpit_timing: timing figures of the cockpit window and its real-time loop.
//
// Runs the real main window in this process, on the default cockpit art and
// on segments of its own, under whatever Qt platform is chosen (run it under
// Xvfb with QT_QPA_PLATFORM=xcb for the figures of a real window), and prints:
//   - the start-up time to the success byte and the resident memory after it;
//   - per view (the default view of the overhead, or the whole cockpit in one
//     window), per wait mode (busy, LowCpuWait) and with the round robin or
//     UpdateAllVisible: the loop's period error |measured period - 50 ms|, the
//     callback time per iteration, the paint time, and the CPU time per second;
//   - the indication latency: a second thread plays the host and, at random
//     moments, toggles a light byte of electrical button 0; the window side
//     finds the paint after which the button's pixels in the off-screen
//     picture have changed. Once with the round robin, once with
//     UpdateAllVisible, in each view;
//   - on request, a long run of the whole cockpit whose resident memory is
//     read once a minute, to show that it does not grow.
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
// Room around the picture in a window that shows all of it (the frame at the
// top-left corner and the border).
constexpr int kWholeMargin = 20;
// The part of the cockpit in view: the overhead with the electrical panel.
constexpr int kViewX = 605;
constexpr int kViewY = 5;
// How long the host waits for a toggled light to show before it gives up
// (a round robin over the whole cockpit takes about 2.5 s).
constexpr std::int64_t kShowTimeoutNs = 6'000'000'000;
// Host pauses between toggles: random in this range, milliseconds.
constexpr int kMinPauseMs = 20;
constexpr int kMaxPauseMs = 300;
constexpr double kMsPerNs = 1e-6;

// The targets the figures are held against.
constexpr double kPeriodErrorP99TargetMs = 0.1;
constexpr double kCallbackP99TargetMs = 2.0;
constexpr double kCallbackMaxTargetMs = 25.0;
constexpr double kLowCpuTargetPercent = 5.0;
constexpr double kResidentTargetMb = 150.0;
// Resident memory may move by this much over a long run without "growing"
// (the allocator's own bookkeeping).
constexpr double kResidentDriftMb = 2.0;

const char kHelp[] =
    "Usage: cockpit_timing [--seconds N] [--mode busy|lowcpu|both]\n"
    "                      [--view default|whole|both] [--soak MINUTES] [--art DIR]\n"
    "\n"
    "Runs the cockpit window in this process and prints its timing figures: the\n"
    "start-up time and resident memory, the real-time loop's period error, callback\n"
    "time and CPU use in each wait mode with the round robin and with\n"
    "UpdateAllVisible, and the indication latency from a host write of a light\n"
    "byte to the changed pixels, in the default view and with the whole cockpit\n"
    "in one window. Each run lasts N seconds after the panels have started. A\n"
    "table of every run follows, in Markdown.\n"
    "\n"
    "Options:\n"
    "  --seconds N  measured seconds per run (default 30)\n"
    "  --mode M     wait modes to measure: busy, lowcpu or both (default both);\n"
    "               the latency runs use busy unless M is lowcpu\n"
    "  --view V     default (1100 x 740 at the electrical panel), whole (a window\n"
    "               as large as the picture) or both (default both)\n"
    "  --soak M     after the runs, run the whole cockpit for M minutes with\n"
    "               UpdateAllVisible and read the resident memory each minute\n"
    "               (default 0: no long run)\n"
    "  --art DIR    a cockpit art folder with Skylid.ini (default: skylid-art\n"
    "               writes the default art into a temporary folder)\n"
    "  --help       this text\n"
    "\n"
    "For the figures of a real window run it on an X server whose screen holds\n"
    "the whole picture, e.g.\n"
    "  QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 2800x4000x24' cockpit_timing\n";

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
    std::size_t Capacity() const { return m_values.capacity(); }
    double At(std::size_t index) const { return m_values[index]; }
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
    RunProbe(TimedDialog& dialog, int iterations, LightToggler* host, int maxToggles,
             int residentSamples)
        : m_dialog(dialog),
          m_iterations(iterations),
          m_host(host),
          m_periodError(iterations),
          m_callback(iterations),
          m_paint(2 * iterations),
          m_latency(host != nullptr ? maxToggles : 0),
          m_resident(static_cast<std::size_t>(residentSamples)) {
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
        ++m_measured;
        // A long run reads its resident memory once a minute (outside the
        // callback, whose time is already taken).
        if (m_resident.Capacity() > 0 && m_measured % (kRate * 60) == 0)
            m_resident.Add(StatusMegabytes("VmRSS"));
        if (m_measured >= m_iterations) {
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
    const Samples& Resident() const { return m_resident; }
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
    Samples m_resident;
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
    bool whole;       // the whole cockpit in one window
    int soakMinutes;  // a long run: its length instead of --seconds
};

// What a run measured, for the table and the targets.
struct RunRecord {
    RunPlan plan{};
    int visible = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    double startupMs = 0.0;
    double residentMb = 0.0;  // once the window is shown and painted
    Samples::Summary period;
    Samples::Summary callback;
    Samples::Summary paint;
    Samples::Summary latency;
    double cpuPercent = 0.0;
    int periodOverruns = 0;
    bool latencyTrustworthy = true;
    std::vector<double> residentByMinute;  // long runs only
};

struct Options {
    int seconds = 30;
    bool busy = true;
    bool lowCpu = true;
    bool defaultView = true;
    bool wholeView = true;
    int soakMinutes = 0;
    std::string art;
};

// The value of a numeric option within [low, high]; false (with a message) if not.
bool ParseCount(const char* option, const char* text, int low, int high, int& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || end == text || value < low || value > high) {
        std::fprintf(stderr, "cockpit_timing: %s takes %d to %d\n", option, low, high);
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool ParseOptions(int argc, char** argv, Options& options, bool& help) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        }
        if (arg == "--seconds" && i + 1 < argc) {
            if (!ParseCount("--seconds", argv[++i], 1, 3600, options.seconds))
                return false;
        } else if (arg == "--soak" && i + 1 < argc) {
            if (!ParseCount("--soak", argv[++i], 0, 600, options.soakMinutes))
                return false;
        } else if (arg == "--mode" && i + 1 < argc) {
            const std::string mode = argv[++i];
            options.busy = mode == "busy" || mode == "both";
            options.lowCpu = mode == "lowcpu" || mode == "both";
            if (!options.busy && !options.lowCpu) {
                std::fprintf(stderr, "cockpit_timing: --mode takes busy, lowcpu or both\n");
                return false;
            }
        } else if (arg == "--view" && i + 1 < argc) {
            const std::string view = argv[++i];
            options.defaultView = view == "default" || view == "both";
            options.wholeView = view == "whole" || view == "both";
            if (!options.defaultView && !options.wholeView) {
                std::fprintf(stderr, "cockpit_timing: --view takes default, whole or both\n");
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
// banner program is not started, so that no other window shares the machine,
// and the host watchdog is off: no host keeps the time counter here.
bool WriteIniVariant(const fs::path& artIni, const fs::path& out, const RunPlan& plan) {
    std::ifstream in(artIni);
    if (!in) {
        std::fprintf(stderr, "cockpit_timing: cannot read %s\n", artIni.c_str());
        return false;
    }
    std::ostringstream options;
    options << "LowCpuWait = " << (plan.lowCpuWait ? 1 : 0) << "\n"
            << "UpdateAllVisible = " << (plan.updateAllVisible ? 1 : 0) << "\n"
            << "BannerProgram = /bin/true\n"
            << "HostWatchdog = 0\n";
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

// One run of the window: start-up, show, the real-time loop for the measured
// iterations, then the figures.
bool RunWindow(const RunPlan& plan, const fs::path& ini, const std::string& segment, int seconds,
               RunRecord& record, bool firstRun, std::int64_t applicationStartNs) {
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
    if (plan.whole) {
        const CSize picture = dialog.GetPictureSize();
        dialog.resize(picture.cx + kWholeMargin, picture.cy + kWholeMargin);
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
    record.plan = plan;
    record.startupMs = static_cast<double>(initialiseEnd - initialiseStart) * kMsPerNs;
    record.residentMb = StatusMegabytes("VmRSS");
    record.windowWidth = dialog.width();
    record.windowHeight = dialog.height();
    if (firstRun) {
        std::printf(
            "start-up: InitialiseDialog to the success byte %.1f ms, of which %.1f ms "
            "are %d pauses of the start-up report; from the application's set-up "
            "%.1f ms\n",
            record.startupMs, reportClock.SleptMs(), reportClock.Pauses(),
            static_cast<double>(initialiseEnd - applicationStartNs) * kMsPerNs);
        std::printf("resident memory after start-up (window shown): %.1f MB\n\n",
                    record.residentMb);
    }

    const CPoint scroll = dialog.GetScroll();
    if (plan.whole)
        dialog.ScrollBy(-scroll.x, -scroll.y);
    else
        dialog.ScrollBy(kViewX - scroll.x, kViewY - scroll.y);

    const int runSeconds = plan.soakMinutes > 0 ? plan.soakMinutes * 60 : seconds;
    const int iterations = runSeconds * kRate;
    // At most one toggle per shortest host pause.
    const int maxToggles = runSeconds * 1000 / kMinPauseMs + 2;
    std::unique_ptr<LightToggler> host;
    if (plan.playHost) {
        host = std::make_unique<LightToggler>(
            dialog.Segment(), static_cast<std::size_t>(maxToggles), static_cast<unsigned>(NowNs()));
        host->Start();
    }
    RunProbe probe(dialog, iterations, host.get(), maxToggles, plan.soakMinutes + 1);
    dialog.SetProbe(&probe);
    dialog.Loop()->SetObserver(&probe);
    const std::string load = LoadAverage();
    dialog.StartRealTime();  // returns when the probe stops the loop
    dialog.SetProbe(nullptr);
    if (host)
        host->Stop();

    record.visible = dialog.Manager().GetVisibleCount();
    std::printf("%s (%s, %s, %s %d x %d, %d panels in view, start-up %.1f ms)\n", plan.title,
                plan.lowCpuWait ? "LowCpuWait" : "busy wait",
                plan.updateAllVisible ? "UpdateAllVisible" : "round robin",
                plan.whole ? "whole cockpit" : "default view", record.windowWidth,
                record.windowHeight, record.visible, record.startupMs);
    if (!probe.Completed()) {
        std::fprintf(stderr, "cockpit_timing: the loop ended before the run was complete\n");
        return false;
    }
    std::printf("  load average before: %s; after: %s\n", load.c_str(), LoadAverage().c_str());
    record.period = probe.PeriodError().Summarise();
    record.callback = probe.Callback().Summarise();
    record.paint = probe.Paint().Summarise();
    record.cpuPercent = 100.0 * probe.CpuSecondsUsed() / probe.WallSeconds();
    record.periodOverruns = dialog.LastStatistics().periodOverruns;
    PrintSummary("period error", probe.PeriodError(), "ms");
    PrintSummary("callback time", probe.Callback(), "ms");
    PrintSummary("paint time", probe.Paint(), "ms");
    std::printf("  %-22s %.1f %% of a core (%.2f s CPU in %.2f s)\n", "CPU time", record.cpuPercent,
                probe.CpuSecondsUsed(), probe.WallSeconds());
    std::printf("  %-22s period %d, execution %d\n", "overruns", record.periodOverruns,
                dialog.LastStatistics().executionOverruns);
    if (plan.playHost) {
        PrintSummary("indication latency", probe.Latency(), "ms");
        record.latency = probe.Latency().Summarise();
        // The last toggle may still be on its way when the run ends.
        std::printf("  toggles %u, shown %zu%s%s\n", host->Toggles(), probe.Latency().Count(),
                    host->TimedOut() ? "; a toggle was NOT shown within 6 s" : "",
                    probe.UnexplainedChanges() > 0 ? "; the button changed without a toggle" : "");
        record.latencyTrustworthy = !host->TimedOut() && probe.UnexplainedChanges() == 0;
        if (!record.latencyTrustworthy)
            std::printf("  the latency figures are not trustworthy\n");
    }
    for (std::size_t i = 0; i < probe.Resident().Count(); ++i) {
        record.residentByMinute.push_back(probe.Resident().At(i));
        std::printf("  resident memory after minute %zu: %.1f MB\n", i + 1, probe.Resident().At(i));
    }
    std::printf("\n");
    return true;
}

std::string Triple(const Samples::Summary& s, int decimals) {
    char text[96];
    std::snprintf(text, sizeof text, "%.*f / %.*f / %.*f", decimals, s.median, decimals, s.p99,
                  decimals, s.max);
    return text;
}

// Every run as one row of a Markdown table.
void PrintTable(const std::vector<RunRecord>& records) {
    std::printf(
        "| view | wait | update | panels in view | period error p99 / max (ms) | callback "
        "median / p99 / max (ms) | paint median / p99 / max (ms) | CPU (%% of a core) | "
        "indication latency median / p99 / max (ms) | start-up (ms) | resident when shown "
        "(MB) |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (const RunRecord& r : records) {
        char period[64];
        std::snprintf(period, sizeof period, "%.3f / %.3f", r.period.p99, r.period.max);
        const std::string latency =
            r.plan.playHost ? Triple(r.latency, 1) + " (" + std::to_string(r.latency.count) +
                                  " toggles)" + (r.latencyTrustworthy ? "" : " untrustworthy")
                            : std::string("-");
        std::printf("| %s%s | %s | %s | %d | %s | %s | %s | %.1f | %s | %.0f | %.1f |\n",
                    r.plan.whole ? "whole cockpit" : "default view",
                    r.plan.soakMinutes > 0 ? " (long run)" : "",
                    r.plan.lowCpuWait ? "LowCpuWait" : "busy",
                    r.plan.updateAllVisible ? "UpdateAllVisible" : "round robin", r.visible, period,
                    Triple(r.callback, 3).c_str(), Triple(r.paint, 2).c_str(), r.cpuPercent,
                    latency.c_str(), r.startupMs, r.residentMb);
    }
}

void PrintTarget(const char* what, double value, double limit, const char* unit, bool atMost) {
    const bool met = atMost ? value <= limit : value < limit;
    std::printf("  %-58s %9.3f %-3s (target %s %.3g %s)  %s\n", what, value, unit,
                atMost ? "<=" : "<", limit, unit, met ? "met" : "MISSED");
}

// The targets, for every run they concern.
void PrintTargets(const std::vector<RunRecord>& records) {
    std::printf("targets:\n");
    for (const RunRecord& r : records) {
        char what[160];
        const char* view = r.plan.whole ? "whole" : "default";
        const char* update = r.plan.updateAllVisible ? "all visible" : "round robin";
        const char* wait = r.plan.lowCpuWait ? "low-CPU" : "busy";
        std::snprintf(what, sizeof what, "callback p99, %s view, %s, %s", view, wait, update);
        PrintTarget(what, r.callback.p99, kCallbackP99TargetMs, "ms", false);
        std::snprintf(what, sizeof what, "callback max, %s view, %s, %s", view, wait, update);
        PrintTarget(what, r.callback.max, kCallbackMaxTargetMs, "ms", false);
        if (!r.plan.playHost && r.plan.soakMinutes == 0) {
            std::snprintf(what, sizeof what, "period error p99, %s view, %s, %s", view, wait,
                          update);
            PrintTarget(what, r.period.p99, kPeriodErrorP99TargetMs, "ms", false);
            // The low-CPU target is the default view's; a whole-cockpit window
            // spends its CPU on painting, which is reported, not held to it.
            if (r.plan.lowCpuWait && !r.plan.whole) {
                std::snprintf(what, sizeof what, "CPU, %s view, low-CPU, %s", view, update);
                PrintTarget(what, r.cpuPercent, kLowCpuTargetPercent, "%", false);
            }
        }
        if (r.plan.playHost && r.plan.updateAllVisible) {
            // One period for the panel's update, one paint to show it.
            std::snprintf(what, sizeof what, "latency p99, %s view, all visible (period + paint)",
                          view);
            PrintTarget(what, r.latencyTrustworthy ? r.latency.p99 : 1e9, kPeriodMs + r.paint.p99,
                        "ms", true);
        }
        // Only the first run starts in a fresh process.
        if (&r == &records.front()) {
            std::snprintf(what, sizeof what, "resident after start-up, %s view", view);
            PrintTarget(what, r.residentMb, kResidentTargetMb, "MB", false);
        }
        if (!r.residentByMinute.empty()) {
            const double first = r.residentByMinute.front();
            const double last = r.residentByMinute.back();
            std::snprintf(what, sizeof what, "resident after %zu minutes",
                          r.residentByMinute.size());
            PrintTarget(what, last, kResidentTargetMb, "MB", false);
            std::snprintf(what, sizeof what, "resident growth from minute 1 to minute %zu",
                          r.residentByMinute.size());
            PrintTarget(what, last - first, kResidentDriftMb, "MB", true);
        }
    }
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
    const bool latencyLowCpu = !options.busy;
    for (const bool whole : {false, true}) {
        if (whole ? !options.wholeView : !options.defaultView)
            continue;
        for (const bool all : {false, true}) {
            if (options.busy)
                plans.push_back({"loop, busy wait", false, all, false, whole, 0});
            if (options.lowCpu)
                plans.push_back({"loop, low-CPU wait", true, all, false, whole, 0});
        }
        plans.push_back({"indication latency", latencyLowCpu, false, true, whole, 0});
        plans.push_back({"indication latency", latencyLowCpu, true, true, whole, 0});
    }
    if (options.soakMinutes > 0)
        plans.push_back({"long run", latencyLowCpu, true, false, true, options.soakMinutes});

    const std::int64_t applicationStart = NowNs();
    QApplication application(argc, argv);
    std::printf(
        "cockpit_timing: platform %s, %d s per run at %d Hz, default view %d x %d at "
        "(%d, %d), %u CPUs\n",
        QGuiApplication::platformName().toLocal8Bit().constData(), options.seconds, kRate,
        kWindowWidth, kWindowHeight, kViewX, kViewY, std::thread::hardware_concurrency());
    std::printf("art: %s\n\n", art.c_str());

    std::vector<RunRecord> records(plans.size());
    bool ok = true;
    for (std::size_t i = 0; i < plans.size() && ok; ++i) {
        const fs::path ini = work / ("run" + std::to_string(i) + ".ini");
        const std::string segment =
            "CockpitTiming_" + std::to_string(::getpid()) + "_" + std::to_string(i);
        ok = WriteIniVariant(art / "Skylid.ini", ini, plans[i]) &&
             RunWindow(plans[i], ini, segment, options.seconds, records[i], i == 0,
                       applicationStart);
    }
    const double peakMb = StatusMegabytes("VmHWM");
    fs::remove_all(work);
    if (!ok)
        return 1;

    std::printf("peak resident memory over all runs: %.1f MB\n\n", peakMb);
    PrintTable(records);
    std::printf("\n");
    PrintTargets(records);
    return 0;
}
