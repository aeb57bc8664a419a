// CSkylidApp: the program. Reads the command line, shows the one window,
// runs the start-up sequence and hands control to the window system; the
// real-time loop starts with the first left click in the window.
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <string>

#include "app/CSkylidDlg.h"
#include "platform/KxSystem.h"

namespace {

const char kHelp[] =
    "Usage: skylid [--ini PATH] [--state FILE] [--stats] [--segment NAME] [--no-host-watchdog]\n"
    "\n"
    "The cockpit-panel window of the flight-training simulator. It attaches the\n"
    "shared-memory segments of the simulation host (creating them when it is the\n"
    "first to start), reads its initialisation file, and shows the cockpit picture.\n"
    "The first left click in the window starts the real-time loop.\n"
    "\n"
    "Options:\n"
    "  --ini PATH   the initialisation file (default: Skylid.ini in the current\n"
    "               folder, else beside the program)\n"
    "  --state FILE restore the cockpit saved in FILE at start-up (when it exists);\n"
    "               Ctrl+S in the window saves the cockpit to FILE (default:\n"
    "               skylid-state.ini in the current folder)\n"
    "  --stats      print the real-time loop's statistics when the window closes\n"
    "  --segment NAME\n"
    "               attach the generic segment NAME and the training segment\n"
    "               NAME_Trn instead of GenericSimSharedMemory and TrnShmSpace\n"
    "               (for tests and a second cockpit on one machine; the host\n"
    "               must use the same names, e.g. skylid-host --segment NAME)\n"
    "  --no-host-watchdog\n"
    "               no warning when the host's time counter (FCU.HOST_TIME) stands\n"
    "               still for 2 s, for hosts that do not keep it (also\n"
    "               HostWatchdog = 0 in the initialisation file)\n"
    "  --help       this text\n"
    "  --version    the version label and the shared-memory version texts\n"
    "\n"
    "Mouse: left button presses push-buttons and switches, right button works\n"
    "guards and covers, the wheel turns knobs; drag with the left button or use\n"
    "the arrow keys to move around the cockpit. Ctrl+S saves the cockpit state.\n";

// SIGTERM, SIGINT and SIGHUP close the window the way its close button does,
// so the segments are released and the attach counters counted down. The
// handler only writes a byte; the window closes from the event loop.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

void CloseOnSignals(QWidget& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window](QSocketDescriptor) {
        char byte;
        [[maybe_unused]] ssize_t n = ::read(g_signalPipe[0], &byte, 1);
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

class CSkylidApp {
  public:
    int Run(int argc, char** argv);

  private:
    static std::string DefaultIni();
    static void PrintStatistics(const RTStatistics& s);
};

std::string CSkylidApp::DefaultIni() {
    if (QFileInfo::exists(QStringLiteral("Skylid.ini")))
        return "Skylid.ini";
    std::string beside = kx::ProgramFolder() + "/Skylid.ini";
    if (QFileInfo::exists(QString::fromStdString(beside)))
        return beside;
    return "Skylid.ini";
}

void CSkylidApp::PrintStatistics(const RTStatistics& s) {
    std::printf(
        "iterations %d\nperiod %.6f s\ntotal time %.3f s\n"
        "callback time: last %.6f s, average %.6f s, maximum %.6f s\n"
        "iteration time: last %.6f s, average %.6f s, maximum %.6f s\n"
        "execution overruns %d\nperiod overruns %d\n",
        s.iterationCount, s.period, s.totalTime, s.lastCallbackTime, s.averageCallbackTime,
        s.maxCallbackTime, s.lastIterationTime, s.averageIterationTime, s.maxIterationTime,
        s.executionOverruns, s.periodOverruns);
}

int CSkylidApp::Run(int argc, char** argv) {
    DialogOptions options;
    options.iniFile.clear();
    bool stats = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("%s\n%s\n%s\n", CSkylidDlg::kVersionLabel, Gensim_Shm::kVersionText,
                        CTrnShm::kVersionText);
            return 0;
        }
        if (arg == "--stats") {
            stats = true;
        } else if (arg == "--no-host-watchdog") {
            options.hostWatchdog = false;
        } else if (arg == "--segment" && i + 1 < argc) {
            options.genericSegment = argv[++i];
            std::string error;
            if (!CheckSegmentName(options.genericSegment, error)) {
                std::fprintf(stderr, "skylid: %s (see skylid --help)\n", error.c_str());
                return 2;
            }
            options.trainingSegment = options.genericSegment + "_Trn";
        } else if (arg == "--state" && i + 1 < argc) {
            options.stateFile = argv[++i];
        } else if (arg.rfind("--state=", 0) == 0) {
            options.stateFile = arg.substr(8);
        } else if (arg == "--ini" && i + 1 < argc) {
            options.iniFile = argv[++i];
        } else if (arg.rfind("--ini=", 0) == 0) {
            options.iniFile = arg.substr(6);
        } else {
            std::fprintf(stderr, "skylid: unknown option '%s' (see skylid --help)\n", arg.c_str());
            return 2;
        }
    }
    if (options.iniFile.empty())
        options.iniFile = DefaultIni();

    QApplication app(argc, argv);
    // The window system has adopted the user's locale; dates and numbers in
    // the program's own texts stay as they are everywhere.
    kx::KeepCLocale();
    CSkylidDlg dialog(options);
    CloseOnSignals(dialog);
    // A failed start ends the program once its box has been answered (the
    // banner and the box have shown the cause); a close or a signal during
    // start-up ends it too.
    if (!dialog.InitialiseDialog()) {
        std::fprintf(stderr, "skylid: start-up failed:\n%s\n", dialog.GetErrorText());
        return 1;
    }
    if (dialog.IsClosed())
        return 1;
    dialog.show();
    int result = app.exec();
    if (stats) {
        if (dialog.HasLoopStatistics()) {
            PrintStatistics(dialog.LastStatistics());
        } else {
            std::printf("the real-time loop did not run\n");
        }
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    CSkylidApp application;
    return application.Run(argc, argv);
}
