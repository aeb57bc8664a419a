#include "E2eSupport.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {

namespace {

// Starts argv with the extra environment; its output (and its errors too,
// unless told otherwise) goes to outputFd.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, int outputFd,
            bool alsoStderr = true) {
    pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    if (outputFd >= 0) {
        ::dup2(outputFd, 1);
        if (alsoStderr)
            ::dup2(outputFd, 2);
    }
    for (const std::string& e : env)
        ::putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    std::fprintf(stderr, "cannot start %s: %s\n", args[0], std::strerror(errno));
    ::_exit(127);
}

}  // namespace

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             const std::string& outputFile) {
    int fd = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    m_pid = Spawn(argv, env, fd);
    if (fd >= 0)
        ::close(fd);
}

Child::~Child() {
    if (m_pid > 0 && Running())
        Stop(SIGKILL, std::chrono::milliseconds(2000));
}

Child::Child(Child&& other) noexcept : m_pid(other.m_pid), m_status(other.m_status) {
    other.m_pid = -1;
}

Child& Child::operator=(Child&& other) noexcept {
    if (this != &other) {
        if (m_pid > 0 && Running())
            Stop(SIGKILL, std::chrono::milliseconds(2000));
        m_pid = other.m_pid;
        m_status = other.m_status;
        other.m_pid = -1;
    }
    return *this;
}

bool Child::Running() {
    if (m_pid <= 0)
        return false;
    int status = 0;
    pid_t r = ::waitpid(m_pid, &status, WNOHANG);
    if (r == m_pid) {
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        m_pid = -1;
        return false;
    }
    return r == 0;
}

int Child::Stop(int signal, std::chrono::milliseconds timeout) {
    if (m_pid > 0)
        ::kill(m_pid, signal);
    if (!WaitFor([this] { return !Running(); }, timeout))
        return -1;
    return m_status;
}

std::string Run(const std::vector<std::string>& argv, int* status,
                const std::vector<std::string>& env) {
    int pipeFd[2];
    if (::pipe2(pipeFd, O_CLOEXEC) != 0)
        return {};
    pid_t pid = Spawn(argv, env, pipeFd[1], /*alsoStderr=*/false);
    ::close(pipeFd[1]);
    std::string out;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFd[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, n);
    ::close(pipeFd[0]);
    int st = 0;
    ::waitpid(pid, &st, 0);
    if (status)
        *status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return out;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

Display::Display() {
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    // Xvfb writes the display number it chose to this descriptor.
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        int devnull = ::open("/dev/null", O_WRONLY);
        ::dup2(devnull, 1);
        ::dup2(devnull, 2);
        std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    std::string number;
    char c;
    while (::read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (!number.empty())
        m_name = ":" + number;
    m_serverPid = pid;
}

Display::~Display() {
    if (m_serverPid > 0) {
        ::kill(m_serverPid, SIGTERM);
        int status;
        ::waitpid(m_serverPid, &status, 0);
    }
}

int Shot::Differences(const Shot& other, int left, int top, int right, int bottom) const {
    if (width != other.width || height != other.height)
        return -1;
    int count = 0;
    for (int y = top; y < bottom && y < height; ++y) {
        for (int x = left; x < right && x < width; ++x) {
            std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
            if (std::memcmp(&rgb[at], &other.rgb[at], 3) != 0)
                ++count;
        }
    }
    return count;
}

// The window's pixels through ImageMagick's import, as a binary PPM.
Shot Screenshot(const Display& display, const std::string& window) {
    std::string ppm =
        Run({"import", "-window", window, "-depth", "8", "ppm:-"}, nullptr, display.Env());
    Shot shot;
    std::istringstream in(ppm);
    std::string magic;
    int maxValue = 0;
    in >> magic >> shot.width >> shot.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || shot.width <= 0 || shot.height <= 0)
        return Shot{};
    std::size_t bytes = static_cast<std::size_t>(shot.width) * shot.height * 3;
    std::size_t start = static_cast<std::size_t>(in.tellg());
    if (ppm.size() < start + bytes)
        return Shot{};
    shot.rgb.assign(ppm.begin() + start, ppm.begin() + start + bytes);
    return shot;
}

std::string Xdotool(const Display& display, const std::vector<std::string>& args, int* status) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return Run(argv, status, display.Env());
}

}  // namespace e2e
