// Runs skylid-host from the tests: to completion, or in the background with
// its output read line by line.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace hosttest {

// The skylid-host binary under test.
const char* HostBinary();

struct RunResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

// The lines of a program's output.
std::vector<std::string> Lines(const std::string& text);

// Runs skylid-host with the arguments and waits for it (at most 30 s, then
// it is killed and the status is -1).
RunResult RunHost(const std::vector<std::string>& args);

// skylid-host running in the background.
class HostProcess {
  public:
    HostProcess() = default;
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool Start(const std::vector<std::string>& args);
    // Reads the next line of standard output or standard error, waiting at
    // most timeoutMs; false when none came.
    bool ReadOutLine(std::string& line, int timeoutMs) { return ReadLine(0, line, timeoutMs); }
    bool ReadErrLine(std::string& line, int timeoutMs) { return ReadLine(1, line, timeoutMs); }
    void Signal(int signal);
    // Waits for the end (at most timeoutMs, then kills); the exit status, or
    // -1 when it did not exit normally.
    int Wait(int timeoutMs);
    pid_t Pid() const { return m_pid; }

  private:
    bool ReadLine(int which, std::string& line, int timeoutMs);

    pid_t m_pid = -1;
    int m_fd[2] = {-1, -1};
    std::string m_buffer[2];
};

}  // namespace hosttest
