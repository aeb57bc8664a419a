// Small services of the operating system that the cockpit logic needs.
#pragma once

#include <string>

namespace kx {

// The last system error number (errno) and the system's text for an error.
int LastErrorCode();
std::string SystemErrorText(int code);

// The running program's own file and folder (from /proc/self/exe); empty when
// it cannot be read.
std::string ProgramPath();
std::string ProgramFolder();

// Starts a program detached from this one, without waiting for it. The
// command line is split like a shell would split it (quotes group words).
// Returns false with a reason in error when it could not be started.
bool StartDetached(const std::string& commandLine, std::string& error);

// Shows a message to the trainee: a message box in the real program; only a
// line on standard error when the program runs headless (no window system, the
// offscreen platform, or SKYLID_HEADLESS set), so no test can hang on a box.
void MessageBox(const char* text, const char* caption);
// The last text passed to MessageBox (for tests and the log).
const std::string& LastMessageBoxText();

}  // namespace kx
