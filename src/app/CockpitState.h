// Cockpit state files: an instructor sets the cockpit up before a lesson,
// saves it, and gets it back at the next start (skylid --state FILE).
//
// The file is readable text, one section per panel under the heading the
// host shows for the panel's fields (the registry's table owner), one line
// per field the panel writes, "NAME = value", values as the host tool prints
// them (texts quoted). Three sections carry what the units keep beyond their
// fields: [FCU STATE] (the FCU's targets and modes), [ATC] (the squawk) and
// [BARO 0] / [BARO 1] (the barometric setting of each EFIS control panel).
// docs/STATE-FILES.md describes the format.
//
// Restoring writes every field of the file into the segment, lets each panel
// take its controls' states from its outputs (RefreshFromOutputs), hands the
// units their own records, and updates every panel once, so that the panels
// publish the restored cockpit at once. A bad line is reported and skipped;
// the rest of the file is still restored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CA320Cockpit;

namespace cockpitstate {

// The file the save key writes when no --state file was given.
inline constexpr const char* kDefaultFile = "skylid-state.ini";

// The sections of the units' own records.
inline constexpr const char* kFcuSection = "FCU STATE";
inline constexpr const char* kAtcSection = "ATC";
inline constexpr const char* kBaroSection[2] = {"BARO 0", "BARO 1"};

struct Result {
    bool ok = false;    // the file was read (restore) or written (save)
    int fields = 0;     // named fields saved or restored
    int records = 0;    // unit records ([FCU STATE], [ATC], [BARO n]) saved or applied
    std::string error;  // why the file could not be read or written
    std::vector<std::string> problems;  // one line per skipped entry: "line N: ..."

    enum class Action { Saved, Restored };
    // One line for the window caption: what was done and how many lines
    // were skipped, or why nothing was done.
    std::string Summary(Action action, const std::string& path) const;
};

// The text of a state file for the cockpit as it stands.
std::string Describe(CA320Cockpit& cockpit, const std::uint8_t* view, Result& result);

// Writes the state file: a temporary file in the same folder, flushed to
// disk, then renamed over path, so that path holds either the old file or the
// whole new one, never a part.
Result Save(CA320Cockpit& cockpit, const std::uint8_t* view, const std::string& path);

// Restores the cockpit from the file. Panels must be initialised.
Result Restore(CA320Cockpit& cockpit, std::uint8_t* view, const std::string& path);

// The atomic write on its own; false with error set when any step fails, in
// which case path is untouched and no temporary file is left behind.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error);

}  // namespace cockpitstate
