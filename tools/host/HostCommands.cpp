#include "host/HostCommands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "fields/FieldValue.h"
#include "host/DirectSegment.h"
#include "host/McduPage.h"
#include "shm/SimSegment.h"

namespace host {

namespace {

constexpr std::size_t kValueSize = 16384;

const char kGeneralHelp[] =
    "skylid-host: the substitute simulation host of Skylid, and a window into\n"
    "every field that crosses the generic segment.\n"
    "\n"
    "Usage: skylid-host [--segment NAME] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  serve [--demo] [--seconds N]  create or attach both segments, stay attached at 20 Hz\n"
    "  get NAME...                   print each field's value, one line each\n"
    "  set NAME VALUE...             write fields; all are checked before any is written\n"
    "  dump                          every field with its value\n"
    "  watch [--json] [PREFIX...]    one line per change of a field, with the frame counter\n"
    "  record [--seconds N] FILE     write every change of every field to FILE, timed\n"
    "  replay [--speed X] [--show-trainee] [--all] FILE\n"
    "                                play a recording back into the segment\n"
    "  fields [--markdown]           the registry of named fields\n"
    "  mcdu-page SIDE FILE           put a page from a text file on MCDU 0 or 1\n"
    "  help [COMMAND]                this text, or a command's (also COMMAND --help)\n"
    "\n"
    "Options:\n"
    "  --segment NAME  the generic segment (default GenericSimSharedMemory); serve\n"
    "                  attaches the training segment NAME_Trn with it (default\n"
    "                  TrnShmSpace)\n"
    "  -h, --help      help\n"
    "  --              what follows is an operand, even when it begins with --\n"
    "\n"
    "get, set, dump and watch open an existing segment without counting themselves in;\n"
    "they never create one. Field names are compared without regard to case.\n"
    "\n"
    "Exit status: 0 done; 1 no segment, a segment of another version or size, or a\n"
    "system error; 2 a bad command line, field name or value (nothing is written);\n"
    "3 the field tables are unsound.\n";

const char kServeHelp[] =
    "Usage: skylid-host [--segment NAME] serve [--demo] [--seconds N]\n"
    "\n"
    "Creates or attaches the generic and the training segment exactly as the cockpit\n"
    "does (version texts, attach counter) and stays attached at 20 Hz until N seconds\n"
    "have passed or SIGINT, SIGTERM or SIGHUP arrives; then it detaches (the last\n"
    "process to leave removes the segments).\n"
    "\n"
    "--demo      behave like a very small aircraft so that the panels can be tried:\n"
    "            electrical panel: OFF is lit while its push-button is out, ALTN\n"
    "            while in;\n"
    "            button 10 (AVAIL/ON) connects and disconnects external power at each\n"
    "            press (AVAIL lit while available, ON while connected); the two\n"
    "            displays show the battery voltages of buttons 0 and 1, which charge\n"
    "            while in and rest while out. The demo writes only its lights and\n"
    "            displays: switch the lamp test or a preset from another shell, e.g.\n"
    "            skylid-host set ELEC.LAMP_TEST 1. A light set by hand stays until\n"
    "            the demo's own value for it changes.\n"
    "--seconds N stop after N seconds (a positive number; default: run until stopped)\n"
    "\n"
    "At every iteration it moves the host's time counter FCU.HOST_TIME (tenths of a\n"
    "second since serve started): the cockpit warns that the host is not responding\n"
    "when that counter stands still for 2 seconds.\n";

const char kGetHelp[] =
    "Usage: skylid-host [--segment NAME] get NAME...\n"
    "\n"
    "Prints the value of each named field, one line each, in the order given.\n"
    "Texts are printed with escapes (\\\\ \\n \\t \\r \\\" \\xHH) so that each value is one\n"
    "line; `set` accepts the same escapes. Unknown names are refused (exit 2).\n";

const char kSetHelp[] =
    "Usage: skylid-host [--segment NAME] set NAME VALUE [NAME VALUE]...\n"
    "\n"
    "Writes each field. Every pair is checked before any is written; one bad name or\n"
    "value writes nothing and exits 2. Values: byte 0 to 255; bool 0, 1, true, false;\n"
    "int16, uint16, int32, uint32 in their ranges (decimal or 0x hexadecimal); float\n"
    "and double finite numbers (a float within its range); a text of n characters at\n"
    "most n-1 characters after escapes (\\\\ \\n \\t \\r \\\" \\xHH). SYS.VERSION and\n"
    "SYS.ATTACH_COUNTER belong to the attach logic and are refused. Fields written by\n"
    "the cockpit can be set too (to stand in for a click); the cockpit writes them\n"
    "again at its next update of the panel.\n";

const char kDumpHelp[] =
    "Usage: skylid-host [--segment NAME] dump\n"
    "\n"
    "Prints every named field with its value, one line each, in registry order.\n"
    "Texts are quoted and escaped.\n";

const char kWatchHelp[] =
    "Usage: skylid-host [--segment NAME] watch [--json] [PREFIX...]\n"
    "\n"
    "Looks at the segment 20 times a second and prints one line for each field that\n"
    "changed, with the frame counter (which itself is not reported as a change).\n"
    "With prefixes, only the fields whose names begin with one of them are watched\n"
    "(e.g. watch ELEC.BUTTON leaves out the moving displays of the demo).\n"
    "  frame=1234 ELEC.BUTTON_0.STATE=1 (was 0)\n"
    "--json  one JSON object a line instead:\n"
    "  {\"frame\":1234,\"name\":\"ELEC.BUTTON_0.STATE\",\"value\":1,\"previous\":0}\n"
    "Runs until SIGINT or SIGTERM (exit 0), or until the segment is removed because\n"
    "every process attached to it has left (exit 1).\n";

const char kRecordHelp[] =
    "Usage: skylid-host [--segment NAME] record [--seconds N] FILE\n"
    "\n"
    "Writes every change of every named field to FILE (- for standard output), for\n"
    "a debriefing: it looks at the segment 100 times a second until SIGINT or\n"
    "SIGTERM, until N seconds have passed, or until the segment is removed because\n"
    "every process has left; the file is then flushed and closed (exit 0; 1 when it\n"
    "could not be written whole). It opens the segment as get does: it never\n"
    "creates one. The file is text, one item a line:\n"
    "  skylid-record 1                  the format and its version (first line)\n"
    "  segment GenericSimSharedMemory   the segment, its size, its version text and\n"
    "  size 132464                      the number of fields recorded\n"
    "  version \"...\"\n"
    "  fields 2157\n"
    "  snapshot                         then every field as recording began:\n"
    "  0 1234 ELEC.LAMP_TEST 0\n"
    "  changes                          then one line per change:\n"
    "  1250 1259 ELEC.BUTTON_0.STATE 1\n"
    "A data line is TIME_MS FRAME NAME VALUE: milliseconds since recording began, the\n"
    "cockpit's frame counter (SYS.FRAME_COUNTER, which is not recorded as a change\n"
    "itself), the name and the value as dump shows it (texts quoted, with escapes).\n"
    "Blank lines and lines beginning with # are ignored.\n";

const char kReplayHelp[] =
    "Usage: skylid-host [--segment NAME] replay [--speed X] [--show-trainee] [--all] FILE\n"
    "\n"
    "Plays a recording of record back (FILE, or - for standard input): the snapshot\n"
    "at once, then each change at its recorded time divided by X (default 1; 2 plays\n"
    "twice as fast). It writes the host's side, the fields whose writer is the host,\n"
    "so that with the cockpit running the panels light and move as they did.\n"
    "--show-trainee  print each change of the program's side (what the trainee did)\n"
    "                at its time, as TIME_MS FRAME NAME VALUE\n"
    "--all           write the program's fields too, and the frame counter (for a\n"
    "                segment without a cockpit, e.g. under serve, to watch a lesson)\n"
    "SYS.VERSION and SYS.ATTACH_COUNTER are never written. A malformed line (or an\n"
    "unknown field, or a value out of its range) is reported with its line number and\n"
    "skipped; the replay goes on and exits 2 at its end. A file whose first line is\n"
    "not that of a recording is refused (exit 2). SIGINT or SIGTERM stops (exit 0).\n";

const char kFieldsHelp[] =
    "Usage: skylid-host fields [--markdown]\n"
    "\n"
    "Lists every named field: name, offset, type, writer (program = the cockpit, host)\n"
    "and meaning. --markdown writes the document docs/HOST-INTERFACE.md.\n";

const char kMcduPageHelp[] =
    "Usage: skylid-host [--segment NAME] mcdu-page SIDE FILE\n"
    "\n"
    "Writes a page onto the screen of MCDU SIDE (0 captain, 1 first officer) from a\n"
    "text file (- reads standard input). One line per screen line:\n"
    "  # a comment; blank lines are skipped\n"
    "  TITLE {white}      INIT\n"
    "  LABEL1 {white} CO RTE          FROM/TO\n"
    "  LINE1 {amber}[][][][][]{blue}      [][][]/[][]\n"
    "  MESSAGE amber NOT IN DATABASE\n"
    "  SCROLL\n"
    "TITLE, LABEL1..LABEL6 and LINE1..LINE6 take the text after the one blank that\n"
    "follows the name, at most 24 characters. {colour} or {colour size} colours the\n"
    "characters that follow: green yellow red white blue amber magenta; large or\n"
    "small (data lines; the title is always large, labels always small). Lines start\n"
    "white and large; {{ is the character {. Special characters draw symbols:\n"
    "[ ] brackets, @ a box, 0 a slashed zero, ^ { } ~ arrows, ? up/down arrows,\n"
    "# & ; circles and the overfly triangle. MESSAGE puts a message in the scratch\n"
    "pad (white amber red cyan; \"@\" clears it); SCROLL shows the scroll mark. The\n"
    "page is written whole (lines not named are emptied) and marked valid last.\n"
    "The cockpit shows it when McduRefresh = 1 in Skylid.ini.\n";

struct CommandInfo {
    const char* name;
    const char* help;
};
constexpr CommandInfo kCommands[] = {
    {"serve", kServeHelp},   {"get", kGetHelp},       {"set", kSetHelp},
    {"dump", kDumpHelp},     {"watch", kWatchHelp},   {"record", kRecordHelp},
    {"replay", kReplayHelp}, {"fields", kFieldsHelp}, {"mcdu-page", kMcduPageHelp},
    {"help", kGeneralHelp},
};

const CommandInfo* FindCommand(const std::string& name) {
    for (const CommandInfo& c : kCommands) {
        if (name == c.name)
            return &c;
    }
    return nullptr;
}

int UsageError(const std::string& text) {
    std::fprintf(stderr, "skylid-host: %s\nTry skylid-host --help.\n", text.c_str());
    return kExitUsage;
}

}  // namespace

int SegmentError(const std::string& text) {
    std::fprintf(stderr, "skylid-host: %s\n", text.c_str());
    return kExitSegment;
}

namespace {

bool ParseSeconds(const std::string& text, double& out) {
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, out);
    return result.ec == std::errc{} && result.ptr == end && std::isfinite(out) && out > 0.0;
}

// Parses the command line; returns -1 to go on, else the exit status.
int ParseCommandLine(int argc, char** argv, Options& options) {
    bool segmentGiven = false;
    bool operandsOnly = false;
    std::vector<std::string> given;  // options seen, for the check below
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool isOption =
            !operandsOnly && arg.size() > 1 && arg[0] == '-' && (arg[1] == '-' || arg == "-h");
        if (!isOption) {
            if (options.command.empty())
                options.command = arg;
            else
                options.args.push_back(arg);
            continue;
        }
        if (arg == "--") {
            operandsOnly = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (auto eq = arg.find('='); eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            hasValue = true;
        }
        auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= argc)
                return false;
            value = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--segment") {
            if (!takeValue())
                return UsageError("--segment needs a name");
            options.segment = value;
            segmentGiven = true;
        } else if (arg == "--seconds") {
            if (!takeValue() || !ParseSeconds(value, options.seconds))
                return UsageError("--seconds needs a positive number of seconds");
        } else if (arg == "--speed") {
            if (!takeValue() || !ParseSeconds(value, options.speed))
                return UsageError("--speed needs a positive number");
        } else if (arg == "--show-trainee") {
            options.showTrainee = true;
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--markdown") {
            options.markdown = true;
        } else {
            return UsageError("unknown option " + arg);
        }
        if (hasValue && arg != "--segment" && arg != "--seconds" && arg != "--speed")
            return UsageError("option " + arg + " takes no value");
        given.push_back(arg);
    }

    // Options that belong to one command (or two) only.
    struct Owner {
        const char* option;
        const char* command;
        const char* other;  // a second command that takes it, or null
    };
    constexpr Owner kOwners[] = {
        {"--demo", "serve", nullptr},   {"--seconds", "serve", "record"},
        {"--json", "watch", nullptr},   {"--markdown", "fields", nullptr},
        {"--speed", "replay", nullptr}, {"--show-trainee", "replay", nullptr},
        {"--all", "replay", nullptr},
    };
    if (!options.help) {
        for (const Owner& owner : kOwners) {
            bool used = std::find(given.begin(), given.end(), owner.option) != given.end();
            bool owned = options.command == owner.command ||
                         (owner.other != nullptr && options.command == owner.other);
            if (used && !owned)
                return UsageError(
                    std::string("option ") + owner.option + " belongs to " + owner.command +
                    (owner.other ? std::string(" and ") + owner.other : std::string()));
        }
    }

    if (!segmentGiven) {
        options.segment = Gensim_Shm::kName;
        options.training = CTrnShm::kName;
    } else {
        std::string error;
        if (!CheckSegmentName(options.segment, error))
            return UsageError(error);
        options.training = options.segment + "_Trn";
    }
    return -1;
}

// Finds every name and reports each unknown one; false when any is unknown.
bool FindAll(const Registry& registry, const std::vector<std::string>& names,
             std::vector<const NamedField*>& fields) {
    bool ok = true;
    for (const std::string& name : names) {
        const NamedField* field = registry.Find(name);
        if (field == nullptr) {
            std::fprintf(stderr, "skylid-host: no field named \"%s\" (see skylid-host fields)\n",
                         name.c_str());
            ok = false;
        }
        fields.push_back(field);
    }
    return ok;
}

// A value as a message quotes it: long texts are cut.
std::string Shortened(const std::string& text) {
    constexpr std::size_t kShown = 60;
    return text.size() <= kShown ? text : text.substr(0, kShown - 3) + "...";
}

int Get(const Options& options, const Registry& registry) {
    if (options.args.empty())
        return UsageError("get needs at least one field name");
    std::vector<const NamedField*> fields;
    if (!FindAll(registry, options.args, fields))
        return kExitUsage;
    DirectSegment segment;
    std::string error;
    if (!segment.Open(options.segment, false, error))
        return SegmentError(error);
    static char value[kValueSize];
    for (const NamedField* field : fields) {
        FormatValue(segment.View(), *field, ValueStyle::Plain, value, sizeof value);
        std::printf("%s\n", value);
    }
    return kExitOk;
}

int Set(const Options& options, const Registry& registry) {
    if (options.args.empty() || options.args.size() % 2 != 0)
        return UsageError("set needs NAME VALUE pairs");
    std::vector<const NamedField*> fields;
    std::vector<FieldValue> values;
    bool ok = true;
    for (std::size_t i = 0; i < options.args.size(); i += 2) {
        const std::string& name = options.args[i];
        const std::string& text = options.args[i + 1];
        const NamedField* field = registry.Find(name);
        FieldValue value;
        std::string error;
        if (field == nullptr) {
            std::fprintf(stderr, "skylid-host: no field named \"%s\" (see skylid-host fields)\n",
                         name.c_str());
            ok = false;
        } else if (IsReadOnly(*field)) {
            std::fprintf(stderr,
                         "skylid-host: %s belongs to the segment's attach logic and is not set "
                         "by hand\n",
                         field->name.c_str());
            ok = false;
        } else if (!ParseValue(*field, text.c_str(), value, error)) {
            std::fprintf(stderr, "skylid-host: %s (%s): \"%s\": %s\n", field->name.c_str(),
                         TypeName(*field).c_str(), Shortened(text).c_str(), error.c_str());
            ok = false;
        }
        fields.push_back(field);
        values.push_back(std::move(value));
    }
    if (!ok) {
        std::fprintf(stderr, "skylid-host: nothing was written\n");
        return kExitUsage;
    }
    DirectSegment segment;
    std::string error;
    if (!segment.Open(options.segment, true, error))
        return SegmentError(error);
    for (std::size_t i = 0; i < fields.size(); ++i)
        WriteValue(segment.View(), *fields[i], values[i]);
    return kExitOk;
}

std::size_t LongestName(const Registry& registry) {
    std::size_t longest = 0;
    for (const NamedField& f : registry.Fields())
        longest = std::max(longest, f.name.size());
    return longest;
}

int Dump(const Options& options, const Registry& registry) {
    if (!options.args.empty())
        return UsageError("dump takes no operands");
    DirectSegment segment;
    std::string error;
    if (!segment.Open(options.segment, false, error))
        return SegmentError(error);
    const int width = static_cast<int>(LongestName(registry));
    static char value[kValueSize];
    for (const NamedField& field : registry.Fields()) {
        FormatValue(segment.View(), field, ValueStyle::Quoted, value, sizeof value);
        std::printf("%-*s  %s\n", width, field.name.c_str(), value);
    }
    return kExitOk;
}

int Fields(const Options& options, const Registry& registry) {
    if (!options.args.empty())
        return UsageError("fields takes no operands");
    if (options.markdown) {
        std::fputs(FieldsMarkdown(registry).c_str(), stdout);
        return kExitOk;
    }
    const int width = static_cast<int>(LongestName(registry));
    std::printf("%-*s  %6s  %-10s  %-7s  %s\n", width, "NAME", "OFFSET", "TYPE", "WRITER",
                "MEANING");
    for (const NamedField& field : registry.Fields()) {
        std::printf("%-*s  %6u  %-10s  %-7s  %s\n", width, field.name.c_str(), field.offset,
                    TypeName(field).c_str(), WriterName(field.writer), field.meaning);
    }
    return kExitOk;
}

int WriteMcduPageCommand(const Options& options) {
    if (options.args.size() != 2)
        return UsageError("mcdu-page needs SIDE and FILE");
    const std::string& side = options.args[0];
    if (side != "0" && side != "1")
        return UsageError("mcdu-page: SIDE is 0 (captain) or 1 (first officer)");
    std::stringstream text;
    if (options.args[1] == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream file(options.args[1]);
        if (!file)
            return UsageError("mcdu-page: cannot read " + options.args[1]);
        text << file.rdbuf();
    }
    McduPage page;
    std::string error;
    if (!ParseMcduPage(text.str(), page, error))
        return UsageError("mcdu-page: " + options.args[1] + ": " + error);
    DirectSegment segment;
    if (!segment.Open(options.segment, true, error))
        return SegmentError(error);
    WriteMcduPage(segment.View(), side == "0" ? 0 : 1, page);
    return kExitOk;
}

std::string Fence(const char* text) {
    return std::string("```text\n") + text + "```\n";
}

std::string EscapeCell(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '|')
            out += '\\';
        out += *p;
    }
    return out;
}

}  // namespace

std::string FieldsMarkdown(const Registry& registry) {
    std::string md;
    md += "# Host interface\n\n";
    md += "<!-- Generated by `skylid-host fields --markdown` from the field tables; do not edit.\n";
    md += "     A test fails when this file and the tables differ. -->\n\n";
    md += "Every field that crosses the generic segment \"";
    md += Gensim_Shm::kName;
    md += "\" (";
    md += std::to_string(Gensim_Shm::kSize);
    md += " bytes, version text \"";
    md += Gensim_Shm::kVersionText;
    md += "\"), by the name that `skylid-host` gives it. Offsets are bytes from the start of the ";
    md += "segment; values are little-endian; texts are NUL-terminated within their field. ";
    md += "*Written by* says which side writes the field: the program (the cockpit) or the host. ";
    md += "Every byte has one writer, but for the version text, which the creator of the segment ";
    md += "writes, and the attach counter, which every process changes as it comes and goes. ";
    md += "A name with `<i>` stands for one field per index, the offset growing by the given ";
    md += "step. *Range* gives the values a field stays within (both inclusive): every value ";
    md += "the program publishes in a field it writes, the values the cockpit makes sense of in ";
    md += "one the host writes.\n\n";
    md += "The training segment \"";
    md += CTrnShm::kName;
    md += "\" (";
    md += std::to_string(CTrnShm::kSize);
    md += " bytes, version text \"";
    md += CTrnShm::kVersionText;
    md += "\") is attached and counted; no other field of it is used.\n\n";
    md += "## Commands\n\n";
    md += Fence(kGeneralHelp);
    for (const CommandInfo& c : kCommands) {
        if (c.help == kGeneralHelp)
            continue;
        md += "\n### ";
        md += c.name;
        md += "\n\n";
        md += Fence(c.help);
    }

    std::size_t rows = 0;
    for (const RowTable& table : registry.Tables()) {
        md += "\n## ";
        md += table.owner;
        md +=
            "\n\n| Name | Offset | Type | Range | Written by | Meaning "
            "|\n|---|---|---|---|---|---|\n";
        for (const shm::FieldRow& row : table.rows) {
            ++rows;
            std::string name = row.name ? row.name : "";
            std::string offset = std::to_string(row.offset);
            if (row.count > 1) {
                if (auto at = name.find("%d"); at != std::string::npos)
                    name.replace(at, 2, "<i>");
                offset +=
                    " + " + (row.stride == 1 ? std::string() : std::to_string(row.stride)) + "i";
            }
            NamedField shape{name,        row.offset,           row.type,     row.writer,
                             row.meaning, shm::FieldWidth(row), row.textSize, row.ranged,
                             row.minimum, row.maximum};
            md += "| `" + name + "`";
            if (row.count > 1)
                md += ", i = 0 to " + std::to_string(row.count - 1);
            md += " | " + offset + " | " + TypeName(shape) + " | " + RangeText(shape) + " | " +
                  WriterName(row.writer) + " | " + EscapeCell(row.meaning ? row.meaning : "") +
                  " |\n";
        }
    }
    md += "\n" + std::to_string(registry.Fields().size()) + " fields in " + std::to_string(rows) +
          " rows.\n";
    return md;
}

int RunHost(int argc, char** argv) {
    Options options;
    if (int status = ParseCommandLine(argc, argv, options); status >= 0)
        return status;

    if (options.command.empty()) {
        if (options.help) {
            std::fputs(kGeneralHelp, stdout);
            return kExitOk;
        }
        std::fputs(kGeneralHelp, stderr);
        return kExitUsage;
    }
    const CommandInfo* command = FindCommand(options.command);
    if (command == nullptr)
        return UsageError("unknown command \"" + options.command + "\"");
    if (options.command == "help") {
        if (options.args.size() > 1)
            return UsageError("help takes at most one command");
        const CommandInfo* about =
            options.args.empty() ? command : FindCommand(options.args.front());
        if (about == nullptr)
            return UsageError("unknown command \"" + options.args.front() + "\"");
        std::fputs(about->help, stdout);
        return kExitOk;
    }
    if (options.help) {
        std::fputs(command->help, stdout);
        return kExitOk;
    }

    const Registry& registry = GenericRegistry();
    std::string problems;
    if (!registry.Check(problems)) {
        std::fprintf(stderr, "skylid-host: the field tables are unsound:\n%s", problems.c_str());
        return kExitRegistry;
    }

    if (options.command == "serve") {
        if (!options.args.empty())
            return UsageError("serve takes no operands");
        return Serve(options);
    }
    if (options.command == "get")
        return Get(options, registry);
    if (options.command == "set")
        return Set(options, registry);
    if (options.command == "dump")
        return Dump(options, registry);
    if (options.command == "watch")
        return Watch(options, registry);
    if (options.command == "record")
        return Record(options, registry);
    if (options.command == "replay")
        return Replay(options, registry);
    if (options.command == "mcdu-page")
        return WriteMcduPageCommand(options);
    return Fields(options, registry);
}

}  // namespace host
