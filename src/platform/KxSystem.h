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

// Who uses a file (a shared-memory segment) now, from /proc. Processes of
// other users whose /proc entries cannot be read are not seen.
struct FileUsers {
    int ownMappings = 0;     // mappings of the file in this process
    int otherProcesses = 0;  // other processes that map it
};
FileUsers FindFileUsers(unsigned long long device, unsigned long long inode);
// The process holding a lock on the file through an open descriptor, or -1.
int FindLockHolder(unsigned long long device, unsigned long long inode);
// "name (pid N)" for a process, from its /proc entry ("pid N" when unreadable).
std::string DescribeProcess(int pid);
// The name of a user ("uid N" when unknown).
std::string UserName(unsigned uid);

// The program's own texts, numbers and dates stay in the C locale whatever
// the user's locale is; only character classification follows the user (for
// file names and keyboard input). Call it after the window system started,
// which adopts the user's locale.
void KeepCLocale();

// Shows a message to the trainee: a message box in the real program; only a
// line on standard error when the program runs headless (no window system, the
// offscreen platform, or SKYLID_HEADLESS set), so no test can hang on a box.
void MessageBox(const char* text, const char* caption);
// The same with a stop icon, for faults that end what was being started.
void StopBox(const char* text, const char* caption);
// The last text passed to MessageBox (for tests and the log).
const std::string& LastMessageBoxText();
// Called while a box is open (after it is shown; in the real program from
// within its event loop), for tests that act while a box waits.
void SetMessageBoxObserver(void (*observer)(const char* text));

}  // namespace kx
