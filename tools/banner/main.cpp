// skylid-banner: shows the progress and the problems of Skylid's start-up.
//
// It reads the banner fields and the start-up report of the generic segment
// (never writing them): a small window with a progress bar when a display is
// there, otherwise (or with --text) one line on standard output per change.
// It ends when the start-up has succeeded or failed, after showing the final
// state for a moment, or after a time-out.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "BannerWatch.h"
#include "shm/SimSegment.h"

namespace {

constexpr int kPollMs = 20;

struct Options {
    std::string segment = Gensim_Shm::kName;
    double timeoutSeconds = 120.0;
    double attachWaitSeconds = 5.0;
    double lingerSeconds = 2.0;
    bool text = false;
    bool window = false;
};

void PrintHelp() {
    std::printf(
        "Usage: skylid-banner [options]\n"
        "Shows the progress and the problems of Skylid's start-up, read from the\n"
        "generic shared-memory segment.\n"
        "\n"
        "  --text              one line per change on standard output (also the\n"
        "                      default when there is no display)\n"
        "  --window            a window even when no display is detected\n"
        "  --segment NAME      the generic segment's name (default %s)\n"
        "  --timeout SECONDS   give up after this long (default 120)\n"
        "  --attach-wait SECONDS\n"
        "                      wait this long for the segment to appear (default 5)\n"
        "  --linger SECONDS    show the final state this long (default 2)\n"
        "  --help              this text\n"
        "\n"
        "Exit status: 0 start-up succeeded, 1 start-up failed, 2 no segment to\n"
        "show, 3 no result before the time-out or the program went away.\n",
        Gensim_Shm::kName);
}

bool ParseSeconds(const char* text, double& out) {
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(value >= 0.0) || value > 86400.0)
        return false;
    out = value;
    return true;
}

// 0: run; otherwise the exit code (after --help or a bad argument).
int Parse(int argc, char** argv, Options& options, bool& exitNow) {
    exitNow = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            PrintHelp();
            exitNow = true;
            return 0;
        } else if (std::strcmp(arg, "--text") == 0) {
            options.text = true;
        } else if (std::strcmp(arg, "--window") == 0) {
            options.window = true;
        } else if (std::strcmp(arg, "--segment") == 0 && next != nullptr && *next != '\0' &&
                   std::strlen(next) < BaseSharedMemory::kNameSize) {
            options.segment = next;
            ++i;
        } else if (std::strcmp(arg, "--timeout") == 0 && next != nullptr &&
                   ParseSeconds(next, options.timeoutSeconds)) {
            ++i;
        } else if (std::strcmp(arg, "--attach-wait") == 0 && next != nullptr &&
                   ParseSeconds(next, options.attachWaitSeconds)) {
            ++i;
        } else if (std::strcmp(arg, "--linger") == 0 && next != nullptr &&
                   ParseSeconds(next, options.lingerSeconds)) {
            ++i;
        } else {
            std::fprintf(stderr, "skylid-banner: bad argument '%s' (see --help)\n", arg);
            exitNow = true;
            return banner::kExitNoSegment;
        }
    }
    return 0;
}

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr &&
        (std::strcmp(platform, "offscreen") == 0 || std::strcmp(platform, "minimal") == 0))
        return false;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// Texts may hold line feeds; a line of output shows them as " / ".
std::string OneLine(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n')
            out += " / ";
        else if (*p != '\r')
            out += *p;
    }
    return out;
}

const char* ResultText(banner::Result result) {
    switch (result) {
        case banner::Result::kSuccess:
            return "Start-up finished";
        case banner::Result::kFailure:
            return "Start-up failed";
        case banner::Result::kProgramGone:
            return "Start-up ended without a result";
        case banner::Result::kTimedOut:
            return "Timed out waiting for the start-up";
        default:
            return "";
    }
}

class TextView final : public banner::IBannerView {
  public:
    void ShowHeading(const char* text) override { Line("Heading: %s", OneLine(text)); }
    void ShowMessage(const char* text) override { Line("Message: %s", OneLine(text)); }
    void ShowProgress(int percent) override {
        std::printf("Progress: %d%%\n", percent);
        std::fflush(stdout);
    }
    void ShowReport(int count, const char* heading, const char* text) override {
        if (*heading != '\0')
            std::printf("Report %d: %s: %s\n", count, OneLine(heading).c_str(),
                        OneLine(text).c_str());
        else
            std::printf("Report %d: %s\n", count, OneLine(text).c_str());
        std::fflush(stdout);
    }
    void ShowError(int count, const char* title, const char* consequence,
                   const char* detail) override {
        std::printf("Error %d: %s | %s | %s\n", count, OneLine(title).c_str(),
                    OneLine(consequence).c_str(), OneLine(detail).c_str());
        std::fflush(stdout);
    }
    void ShowWarning() override { Line("%s", "Warning: start-up continues with a problem"); }
    void ShowResult(banner::Result result) override { Line("%s", ResultText(result)); }

  private:
    static void Line(const char* format, const std::string& text) {
        std::printf(format, text.c_str());
        std::printf("\n");
        std::fflush(stdout);
    }
};

class WindowView final : public banner::IBannerView {
  public:
    WindowView() {
        m_window.setWindowTitle(QStringLiteral("Skylid start-up"));
        auto* layout = new QVBoxLayout(&m_window);
        QFont bold = m_heading.font();
        bold.setBold(true);
        bold.setPointSize(bold.pointSize() + 2);
        m_heading.setFont(bold);
        m_message.setWordWrap(true);
        m_progress.setRange(0, 100);
        m_progress.setValue(0);
        m_entries.setReadOnly(true);
        m_entries.setMinimumHeight(160);
        layout->addWidget(&m_heading);
        layout->addWidget(&m_message);
        layout->addWidget(&m_progress);
        layout->addWidget(&m_entries);
        layout->addWidget(&m_status);
        m_window.resize(520, 320);
        m_window.show();
    }
    void ShowHeading(const char* text) override { m_heading.setText(QString::fromUtf8(text)); }
    void ShowMessage(const char* text) override { m_message.setText(QString::fromUtf8(text)); }
    void ShowProgress(int percent) override {
        m_progress.setValue(percent < 0 ? 0 : percent > 100 ? 100 : percent);
    }
    void ShowReport(int, const char* heading, const char* text) override {
        QString line = QString::fromUtf8(text);
        if (*heading != '\0')
            line = QString::fromUtf8(heading) + QStringLiteral(": ") + line;
        m_entries.appendPlainText(line);
    }
    void ShowError(int, const char* title, const char* consequence, const char* detail) override {
        m_entries.appendPlainText(QStringLiteral("ERROR: ") + QString::fromUtf8(title));
        m_entries.appendPlainText(QStringLiteral("    ") + QString::fromUtf8(consequence));
        m_entries.appendPlainText(QStringLiteral("    ") +
                                  QString::fromUtf8(detail).replace('\n', QStringLiteral(" / ")));
    }
    void ShowWarning() override {
        m_status.setText(QStringLiteral("Warning: start-up continues with a problem"));
    }
    void ShowResult(banner::Result result) override {
        m_status.setText(QString::fromUtf8(ResultText(result)));
        if (result == banner::Result::kSuccess)
            m_progress.setValue(100);
    }

  private:
    QWidget m_window;
    QLabel m_heading;
    QLabel m_message;
    QProgressBar m_progress;
    QPlainTextEdit m_entries;
    QLabel m_status;
};

int RunText(const std::uint8_t* segment, const Options& options) {
    TextView view;
    banner::BannerWatch watch(segment, view);
    const auto deadline =
        std::chrono::steady_clock::now() +
        std::chrono::milliseconds(static_cast<long long>(options.timeoutSeconds * 1000.0));
    for (;;) {
        banner::Result result = watch.Poll();
        if (result == banner::Result::kRunning && std::chrono::steady_clock::now() >= deadline)
            result = banner::Result::kTimedOut;
        if (result != banner::Result::kRunning) {
            if (result == banner::Result::kTimedOut)
                view.ShowResult(result);
            std::this_thread::sleep_for(
                std::chrono::milliseconds(static_cast<long long>(options.lingerSeconds * 1000.0)));
            return banner::ExitCode(result);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}

int RunWindow(int argc, char** argv, const std::uint8_t* segment, const Options& options) {
    QApplication app(argc, argv);
    WindowView view;
    banner::BannerWatch watch(segment, view);
    int exitCode = banner::kExitNoResult;
    bool done = false;

    auto finish = [&](banner::Result result) {
        done = true;
        exitCode = banner::ExitCode(result);
        QTimer::singleShot(static_cast<int>(options.lingerSeconds * 1000.0), &app,
                           [&app, &exitCode] { app.exit(exitCode); });
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done)
            return;
        banner::Result result = watch.Poll();
        if (result != banner::Result::kRunning) {
            poll.stop();
            finish(result);
        }
    });
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [&] {
        if (done)
            return;
        poll.stop();
        view.ShowResult(banner::Result::kTimedOut);
        finish(banner::Result::kTimedOut);
    });
    poll.start(kPollMs);
    timeout.start(static_cast<int>(options.timeoutSeconds * 1000.0));
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    bool exitNow = false;
    int code = Parse(argc, argv, options, exitNow);
    if (exitNow)
        return code;

    banner::SegmentReader segment(options.segment.c_str());
    if (!segment.AttachWaiting(static_cast<int>(options.attachWaitSeconds * 1000.0))) {
        std::fprintf(stderr, "skylid-banner: cannot show segment %s\n%s\n", options.segment.c_str(),
                     segment.GetErrorText());
        return banner::kExitNoSegment;
    }
    bool window = options.window || (!options.text && DisplayAvailable());
    if (window)
        return RunWindow(argc, argv, segment.Content(), options);
    return RunText(segment.Content(), options);
}
