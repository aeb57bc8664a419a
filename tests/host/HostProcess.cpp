#include "HostProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace hosttest {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

pid_t Spawn(const std::vector<std::string>& args, int outFd[2], int errFd[2]) {
    if (::pipe(outFd) != 0 || ::pipe(errFd) != 0)
        return -1;
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd[1], 1);
        ::dup2(errFd[1], 2);
        ::close(outFd[0]);
        ::close(outFd[1]);
        ::close(errFd[0]);
        ::close(errFd[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(HostBinary()));
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(HostBinary(), argv.data());
        ::_exit(127);
    }
    ::close(outFd[1]);
    ::close(errFd[1]);
    return pid;
}

int WaitFor(pid_t pid, Clock::time_point deadline) {
    int status = 0;
    for (;;) {
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0)
            return -1;
        if (Clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

const char* HostBinary() {
    return SKYLID_HOST_BINARY;
}

RunResult RunHost(const std::vector<std::string>& args) {
    RunResult result;
    int outFd[2];
    int errFd[2];
    pid_t pid = Spawn(args, outFd, errFd);
    if (pid < 0)
        return result;
    auto deadline = Clock::now() + std::chrono::seconds(30);
    pollfd fds[2] = {{outFd[0], POLLIN, 0}, {errFd[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && RemainingMs(deadline) > 0) {
        if (::poll(fds, 2, RemainingMs(deadline)) <= 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[4096];
            ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& f : fds) {
        if (f.fd >= 0)
            ::close(f.fd);
    }
    result.status = WaitFor(pid, deadline);
    return result;
}

HostProcess::~HostProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
    for (int fd : m_fd) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool HostProcess::Start(const std::vector<std::string>& args) {
    int outFd[2];
    int errFd[2];
    m_pid = Spawn(args, outFd, errFd);
    m_fd[0] = outFd[0];
    m_fd[1] = errFd[0];
    return m_pid > 0;
}

bool HostProcess::ReadLine(int which, std::string& line, int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string& buffer = m_buffer[which];
    for (;;) {
        if (auto end = buffer.find('\n'); end != std::string::npos) {
            line = buffer.substr(0, end);
            buffer.erase(0, end + 1);
            return true;
        }
        if (m_fd[which] < 0)
            return false;
        pollfd fd{m_fd[which], POLLIN, 0};
        if (::poll(&fd, 1, RemainingMs(deadline)) <= 0)
            return false;
        char chunk[4096];
        ssize_t n = ::read(m_fd[which], chunk, sizeof chunk);
        if (n <= 0) {
            ::close(m_fd[which]);
            m_fd[which] = -1;
            continue;
        }
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

void HostProcess::Signal(int signal) {
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

int HostProcess::Wait(int timeoutMs) {
    if (m_pid <= 0)
        return -1;
    int status = WaitFor(m_pid, Clock::now() + std::chrono::milliseconds(timeoutMs));
    m_pid = -1;
    return status;
}

}  // namespace hosttest
