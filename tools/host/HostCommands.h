// The commands of skylid-host.
#pragma once

#include <string>
#include <vector>

#include "fields/HostRegistry.h"

namespace host {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitSegment = 1;   // no segment, another version, a system error
inline constexpr int kExitUsage = 2;     // bad command line, field name or value
inline constexpr int kExitRegistry = 3;  // the field tables are unsound

struct Options {
    std::string command;
    std::vector<std::string> args;  // the command's operands
    std::string segment;            // generic segment name
    std::string training;           // training segment name
    bool help = false;
    bool demo = false;
    bool json = false;
    bool markdown = false;
    double seconds = 0.0;      // serve, record: 0 runs until a signal
    double speed = 1.0;        // replay: recorded time is divided by it
    bool showTrainee = false;  // replay: print the program's changes at their times
    bool all = false;          // replay: write the program's fields too
};

// Runs skylid-host with its command line; returns the exit status.
int RunHost(int argc, char** argv);

int Serve(const Options& options);
int Watch(const Options& options, const Registry& registry);
int Record(const Options& options, const Registry& registry);
int Replay(const Options& options, const Registry& registry);

// The registry as a Markdown document (docs/HOST-INTERFACE.md).
std::string FieldsMarkdown(const Registry& registry);

// Reports a segment that cannot be opened; returns kExitSegment.
int SegmentError(const std::string& text);

// Stops the serve, watch, record and replay loops on SIGINT, SIGTERM and SIGHUP.
void InstallStopHandlers();
bool StopRequested();
// Sleeps until the deadline on the monotonic clock (nanoseconds), or less
// when a stop signal arrives.
void SleepUntilNs(long long deadlineNs);
long long MonotonicNs();

inline constexpr long long kTickNs = 50'000'000;  // 20 Hz

}  // namespace host
