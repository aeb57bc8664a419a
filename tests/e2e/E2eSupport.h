// Helpers of the whole-program tests: child processes, an Xvfb display,
// xdotool and screenshots of a window.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A child process; killed (SIGKILL) when the object goes away and it still runs.
class Child {
  public:
    Child() = default;
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& env,
          const std::string& outputFile);
    ~Child();
    Child(Child&& other) noexcept;
    Child& operator=(Child&& other) noexcept;
    pid_t Pid() const { return m_pid; }
    bool Running();
    // Sends the signal and waits up to timeout for the exit; the exit status,
    // or -1 when it did not end in time.
    int Stop(int signal, std::chrono::milliseconds timeout);

  private:
    pid_t m_pid = -1;
    int m_status = -1;
};

// Runs a command to its end; its standard output, and its exit status in status.
std::string Run(const std::vector<std::string>& argv, int* status = nullptr,
                const std::vector<std::string>& env = {});

// Polls the condition every 20 ms until it holds or the time runs out.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// An Xvfb server on a free display number.
class Display {
  public:
    Display();
    ~Display();
    bool Ok() const { return !m_name.empty(); }
    const std::string& Name() const { return m_name; }
    std::vector<std::string> Env() const { return {"DISPLAY=" + m_name}; }

  private:
    pid_t m_serverPid = -1;
    std::string m_name;
};

// A screenshot of a window, RGB pixels.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    bool Ok() const { return width > 0; }
    // Number of pixels that differ inside the rectangle.
    int Differences(const Shot& other, int left, int top, int right, int bottom) const;
};
Shot Screenshot(const Display& display, const std::string& window);

std::string Xdotool(const Display& display, const std::vector<std::string>& args,
                    int* status = nullptr);

}  // namespace e2e
