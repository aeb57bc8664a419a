// skylid-banner run as its own process against a segment that the test
// writes through the proxies the program uses.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "banner/KxBanner.h"
#include "banner/ViewInitialise.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

namespace {

// skylid-banner with its standard output on a pipe.
class BannerProcess {
  public:
    explicit BannerProcess(std::vector<std::string> args, const char* platform = nullptr) {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            if (platform != nullptr)
                ::setenv("QT_QPA_PLATFORM", platform, 1);
            std::vector<char*> argv;
            static std::string exe = SKYLID_BANNER_EXE;
            argv.push_back(exe.data());
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(exe.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        m_out = fds[0];
    }
    ~BannerProcess() {
        if (m_pid > 0 && !m_reaped) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            ::close(m_out);
    }

    // The next line of output, or "<none>" when none comes within the time.
    std::string NextLine(int timeoutMs = 10000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            std::size_t nl = m_buffer.find('\n');
            if (nl != std::string::npos) {
                std::string line = m_buffer.substr(0, nl);
                m_buffer.erase(0, nl + 1);
                return line;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                            deadline - std::chrono::steady_clock::now())
                            .count();
            if (left <= 0)
                return "<none>";
            pollfd p{m_out, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left)) <= 0)
                continue;
            char chunk[512];
            ssize_t n = ::read(m_out, chunk, sizeof chunk);
            if (n <= 0)
                return "<none>";
            m_buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }
    // Every line up to the end of the output.
    std::vector<std::string> RemainingLines() {
        std::vector<std::string> lines;
        for (std::string line = NextLine(); line != "<none>"; line = NextLine())
            lines.push_back(line);
        return lines;
    }
    // The exit code (-1 when it did not end within the time).
    int Wait(int timeoutMs = 20000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_reaped = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(5000);
        }
        return -1;
    }

  private:
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_reaped = false;
    std::string m_buffer;
};

class BannerToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        name = testsupport::UniqueSegmentName("banner");
        segment = std::make_unique<Gensim_Shm>(name.c_str());
        ASSERT_TRUE(segment->IsValid()) << segment->GetErrorText();
        ViewInitialise::SetClock(&clock);
        ViewInitialise::Bind(segment->Content());
    }
    void TearDown() override {
        ViewInitialise::Unbind();
        ViewInitialise::SetClock(nullptr);
    }
    std::vector<std::string> Args(std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"--segment", name, "--linger", "0", "--timeout", "20"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    std::string name;
    std::unique_ptr<Gensim_Shm> segment;
    kx::FakeClock clock;
    ViewInitialise report;
};

}  // namespace

TEST_F(BannerToolTest, TextModeShowsEachChangeAndEndsWithSuccess) {
    KxBanner banner(segment->Content(), name.c_str());
    BannerProcess tool(Args({"--text"}));
    // Each change is shown before the next is made, as the real start-up's
    // pauses allow.
    banner.SetHeading("Kx-P-0028 v1.0");
    EXPECT_EQ(tool.NextLine(), "Heading: Kx-P-0028 v1.0");
    banner.SetProgress(5);
    EXPECT_EQ(tool.NextLine(), "Progress: 5%");
    report.Report("Reading Ini File ... Skylid.ini");
    EXPECT_EQ(tool.NextLine(), "Report 1: Reading Ini File ... Skylid.ini");
    report.Report("CIniRead::GetInitData", "Using Data File : /art");
    EXPECT_EQ(tool.NextLine(), "Report 2: CIniRead::GetInitData: Using Data File : /art");
    report.ReportError("help file not identified in the Ini file",
                       "Tag >HelpFile< not found under Title >FILES< in initialisation file",
                       "No help file available");
    EXPECT_EQ(tool.NextLine(),
              "Error 1: help file not identified in the Ini file | No help file available | "
              "Tag >HelpFile< not found under Title >FILES< in initialisation file");
    report.ReportError("Log File Path not identified in the Ini file", "two\nlines",
                       "No Flight plan printing or log files available");
    EXPECT_EQ(tool.NextLine(),
              "Error 2: Log File Path not identified in the Ini file | No Flight plan printing "
              "or log files available | two / lines");
    banner.AddProgress(55);
    EXPECT_EQ(tool.NextLine(), "Progress: 60%");
    banner.SetSuccess();
    EXPECT_EQ(tool.NextLine(), "Start-up finished");
    EXPECT_EQ(tool.Wait(), 0);
}

TEST_F(BannerToolTest, FailureEndsNonZeroAndTheSegmentIsNeverWritten) {
    // Everything is in place before the banner starts: it shows the state it
    // finds, then ends at once.
    KxBanner banner(segment->Content());
    banner.SetHeading("Kx-P-0028 v1.0");
    banner.SetProgress(30);
    report.ReportError("Company routes file not identified in the Ini file", "detail",
                       "No company routes available for city pairs");
    banner.SetMessage("Unable tp load main picture");
    banner.SetFailure();
    std::vector<std::uint8_t> before(segment->Content(), segment->Content() + Gensim_Shm::kSize);

    BannerProcess tool(Args({"--text"}));
    EXPECT_EQ(tool.Wait(), 1);
    std::vector<std::string> lines = tool.RemainingLines();
    std::vector<std::string> expected = {
        "Heading: Kx-P-0028 v1.0",
        "Message: Unable tp load main picture",
        "Progress: 30%",
        "Error 1: Company routes file not identified in the Ini file | No company routes "
        "available for city pairs | detail",
        "Start-up failed",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(std::memcmp(before.data(), segment->Content(), before.size()) == 0);
    EXPECT_EQ(segment->GetAttachCount(), 1);
}

TEST_F(BannerToolTest, WarningIsShownAndStartUpGoesOn) {
    KxBanner banner(segment->Content());
    BannerProcess tool(Args({"--text"}));
    banner.SetMessage("Unable to load Nav Data");
    EXPECT_EQ(tool.NextLine(), "Message: Unable to load Nav Data");
    banner.SetWarning();
    EXPECT_EQ(tool.NextLine(), "Warning: start-up continues with a problem");
    banner.SetSuccess();
    EXPECT_EQ(tool.NextLine(), "Start-up finished");
    EXPECT_EQ(tool.Wait(), 0);
}

TEST_F(BannerToolTest, EndsWithoutAResult) {
    // Time-out.
    BannerProcess waiting({"--segment", name, "--linger", "0", "--timeout", "0.3", "--text"});
    EXPECT_EQ(waiting.NextLine(), "Timed out waiting for the start-up");
    EXPECT_EQ(waiting.Wait(), 3);

    // The program goes away without a result.
    BannerProcess orphan(Args({"--text"}));
    KxBanner(segment->Content()).SetHeading("going");
    EXPECT_EQ(orphan.NextLine(), "Heading: going");
    ViewInitialise::Unbind();
    segment.reset();
    EXPECT_EQ(orphan.NextLine(), "Start-up ended without a result");
    EXPECT_EQ(orphan.Wait(), 3);
}

TEST_F(BannerToolTest, NoSegmentToShow) {
    BannerProcess tool(
        {"--segment", testsupport::UniqueSegmentName("absent"), "--attach-wait", "0.2", "--text"});
    EXPECT_EQ(tool.Wait(), 2);
    EXPECT_EQ(tool.NextLine(1000), "<none>");
}

TEST_F(BannerToolTest, WindowModeEndsWithTheResult) {
    KxBanner banner(segment->Content());
    banner.SetHeading("Kx-P-0028 v1.0");
    report.Report("CIniRead::GetInitData", "Using Data File : /art");
    report.ReportError("title", "detail", "consequence");
    banner.SetProgress(60);
    banner.SetSuccess();
    BannerProcess tool(Args({"--window"}), "offscreen");
    EXPECT_EQ(tool.Wait(), 0);
    // The window shows; nothing goes to standard output.
    EXPECT_EQ(tool.NextLine(1000), "<none>");

    segment->Content()[4882] = 0;
    segment->Content()[4884] = 1;
    BannerProcess failed(Args({"--window"}), "offscreen");
    EXPECT_EQ(failed.Wait(), 1);
}

TEST_F(BannerToolTest, HelpAndBadArguments) {
    BannerProcess help({"--help"});
    EXPECT_EQ(help.NextLine(), "Usage: skylid-banner [options]");
    EXPECT_EQ(help.Wait(), 0);
    BannerProcess bad({"--timeout", "soon"});
    EXPECT_EQ(bad.Wait(), 2);
}
