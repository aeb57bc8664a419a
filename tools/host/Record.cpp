// skylid-host record and replay: every change of every named field written
// to a text file while a lesson runs, and played back into the segment for
// the debriefing.
//
// A recording is line-based text:
//   skylid-record 1                     format and its version (first line)
//   segment GenericSimSharedMemory      informative header lines
//   size 132464
//   version "..."
//   fields 2157
//   snapshot                            every field as recording began
//   0 1234 ELEC.LAMP_TEST 0
//   ...
//   changes                             then one line per change
//   1250 1259 ELEC.BUTTON_0.STATE 1
// A data line is TIME_MS FRAME NAME VALUE: milliseconds since recording
// began, the cockpit's frame counter, the field's name and its value as
// `dump` shows it (texts quoted and escaped, so one value is one line).
// Blank lines and lines beginning with # are ignored.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "fields/FieldValue.h"
#include "host/DirectSegment.h"
#include "host/FieldChanges.h"
#include "host/HostCommands.h"
#include "shm/GenericLayout.h"

namespace host {

namespace {

constexpr char kMagic[] = "skylid-record";
constexpr int kFormatVersion = 1;
// Five looks per iteration of the cockpit's 20 Hz loop: no change it makes
// is missed, and each is timed to within 10 ms.
constexpr long long kPollNs = 10'000'000;
constexpr int kPresenceCheckPolls = 100;  // once a second
// The longest text value escaped (four characters per byte at worst) and
// quoted.
constexpr std::size_t kValueSize = 4 * 8192 + 3;

// Fields that a recording holds: every named field but the frame counter,
// which goes with every line instead.
bool Recorded(const NamedField& field) {
    return field.offset != generic::kFrameCounter.Offset();
}

// Writes one data line.
void PutLine(std::FILE* out, long long timeMs, std::int32_t frame, const NamedField& field,
             const std::uint8_t* view) {
    static char value[kValueSize];
    FormatValue(view, field, ValueStyle::Quoted, value, sizeof value);
    std::fprintf(out, "%lld %d %s %s\n", timeMs, frame, field.name.c_str(), value);
}

std::string Shortened(const char* text) {
    constexpr std::size_t kShown = 60;
    std::string s(text);
    return s.size() <= kShown ? s : s.substr(0, kShown - 3) + "...";
}

}  // namespace

int Record(const Options& options, const Registry& registry) {
    if (options.args.size() != 1) {
        std::fprintf(stderr,
                     "skylid-host: record needs one FILE (- for standard output)\n"
                     "Try skylid-host --help.\n");
        return kExitUsage;
    }
    const std::string& path = options.args.front();
    InstallStopHandlers();

    // The segment first: without it no file is made.
    DirectSegment segment;
    std::string error;
    if (!segment.Open(options.segment, false, error))
        return SegmentError(error);
    const std::uint8_t* view = segment.View();

    const bool toStdout = path == "-";
    std::FILE* out = toStdout ? stdout : std::fopen(path.c_str(), "w");
    if (out == nullptr) {
        std::fprintf(stderr, "skylid-host: cannot write %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return kExitSegment;
    }

    std::vector<const NamedField*> recorded;
    for (const NamedField& field : registry.Fields()) {
        if (Recorded(field))
            recorded.push_back(&field);
    }
    FieldChanges fields(std::move(recorded), view, registry.SegmentSize());

    const NamedField* version = registry.Find("SYS.VERSION");
    static char versionText[kValueSize];
    versionText[0] = '\0';
    if (version != nullptr)
        FormatValue(fields.Image(), *version, ValueStyle::Quoted, versionText, sizeof versionText);
    std::fprintf(out, "%s %d\nsegment %s\nsize %u\nversion %s\nfields %zu\nsnapshot\n", kMagic,
                 kFormatVersion, options.segment.c_str(), registry.SegmentSize(), versionText,
                 fields.Fields().size());
    std::int32_t frame = generic::kFrameCounter.Read(fields.Image());
    for (const NamedField* field : fields.Fields())
        PutLine(out, 0, frame, *field, fields.Image());
    std::fputs("changes\n", out);
    std::fflush(out);

    std::fprintf(stderr, "skylid-host: recording %s (%zu fields) into %s; Ctrl-C stops\n",
                 options.segment.c_str(), fields.Fields().size(),
                 toStdout ? "standard output" : path.c_str());

    const long long start = MonotonicNs();
    const long long limit =
        options.seconds > 0.0 ? static_cast<long long>(options.seconds * 1e9) : -1;
    long long next = start;
    long long changes = 0;
    int polls = 0;
    bool removed = false;
    while (!StopRequested()) {
        const long long now = MonotonicNs();
        const long long timeMs = (now - start) / 1'000'000;
        frame = generic::kFrameCounter.Read(view);
        const int changed = fields.Look(
            view, [](const NamedField&) {},
            [&](const NamedField& field) { PutLine(out, timeMs, frame, field, fields.Image()); });
        changes += changed;
        if (changed > 0)
            std::fflush(out);
        if (limit >= 0 && now - start >= limit)
            break;
        if (++polls % kPresenceCheckPolls == 0 && !segment.StillPresent()) {
            removed = true;
            break;
        }
        next += kPollNs;
        if (next < now)
            next = now + kPollNs;
        if (limit >= 0 && next > start + limit)
            next = start + limit;
        SleepUntilNs(next);
    }

    // A recording that could not be written whole is a failure, not a lesson.
    bool written = std::fflush(out) == 0 && std::ferror(out) == 0;
    if (!toStdout)
        written = std::fclose(out) == 0 && written;
    if (!written) {
        std::fprintf(stderr, "skylid-host: writing %s failed: %s\n", path.c_str(),
                     std::strerror(errno));
        return kExitSegment;
    }
    if (removed) {
        std::fprintf(stderr,
                     "skylid-host: segment %s was removed: every process attached to it has "
                     "left; the recording ends\n",
                     options.segment.c_str());
    }
    std::fprintf(stderr, "skylid-host: recorded %lld changes in %.1f s\n", changes,
                 static_cast<double>(MonotonicNs() - start) / 1e9);
    return kExitOk;
}

namespace {

// Reads a recording line by line and plays it.
class Player {
  public:
    Player(const Options& options, const Registry& registry, std::uint8_t* view)
        : m_options(options), m_registry(registry), m_view(view) {}

    // Plays the file; returns the exit status.
    int Play(std::FILE* in, const std::string& path);

  private:
    enum class Section { Header, Snapshot, Changes };

    // False (with the reason) when the line is malformed.
    bool HeaderLine(const char* line, std::string& reason);
    bool DataLine(char* line, std::string& reason);
    void WaitFor(long long timeMs);

    const Options& m_options;
    const Registry& m_registry;
    std::uint8_t* m_view;
    Section m_section = Section::Header;
    long long m_start = 0;
    FieldValue m_value;  // reused: its text keeps its storage from line to line
    long long m_written = 0;
    long long m_shown = 0;
};

bool ParseWhole(const char* begin, const char* end, long long& out) {
    auto result = std::from_chars(begin, end, out);
    return begin != end && result.ec == std::errc{} && result.ptr == end;
}

bool Player::HeaderLine(const char* line, std::string& reason) {
    const char* space = std::strchr(line, ' ');
    const std::string key = space ? std::string(line, space) : std::string(line);
    const char* rest = space ? space + 1 : "";
    if (key == "snapshot" && rest[0] == '\0') {
        m_section = Section::Snapshot;
        return true;
    }
    if (key == "size") {
        long long size = 0;
        if (!ParseWhole(rest, rest + std::strlen(rest), size)) {
            reason = "size is not a number";
            return false;
        }
        if (size != m_registry.SegmentSize()) {
            std::fprintf(stderr,
                         "skylid-host: recorded from a segment of %lld bytes, this one has %u: "
                         "fields are matched by name\n",
                         size, m_registry.SegmentSize());
        }
        return true;
    }
    if (key == "segment" || key == "version" || key == "fields" || key == "started")
        return true;
    reason = "not a header line (the snapshot line has not come yet)";
    return false;
}

bool Player::DataLine(char* line, std::string& reason) {
    if (std::strcmp(line, "changes") == 0) {
        m_section = Section::Changes;
        return true;
    }
    // TIME_MS FRAME NAME VALUE, one blank between them; the value is the rest.
    char* fields[3];
    char* p = line;
    for (char*& f : fields) {
        f = p;
        char* space = std::strchr(p, ' ');
        if (space == nullptr) {
            reason = "expected TIME_MS FRAME NAME VALUE";
            return false;
        }
        *space = '\0';
        p = space + 1;
    }
    const char* const recorded = p;
    const char* valueText = p;
    long long timeMs = 0;
    long long frame = 0;
    if (!ParseWhole(fields[0], fields[0] + std::strlen(fields[0]), timeMs) || timeMs < 0) {
        reason = "the time is not a whole number of milliseconds";
        return false;
    }
    if (!ParseWhole(fields[1], fields[1] + std::strlen(fields[1]), frame) ||
        frame < std::numeric_limits<std::int32_t>::min() ||
        frame > std::numeric_limits<std::int32_t>::max()) {
        reason = "the frame counter is not a 32-bit whole number";
        return false;
    }
    const NamedField* field = m_registry.Find(fields[2]);
    if (field == nullptr) {
        reason = std::string("no field named \"") + fields[2] + "\"";
        return false;
    }
    // Texts are quoted in a recording; the quotes go before the escapes are
    // read.
    std::string unquoted;
    if (field->type == shm::FieldType::Text) {
        const std::size_t length = std::strlen(valueText);
        if (length < 2 || valueText[0] != '"' || valueText[length - 1] != '"') {
            reason = field->name + ": a text value is in double quotes";
            return false;
        }
        unquoted.assign(valueText + 1, length - 2);
        valueText = unquoted.c_str();
    }
    std::string error;
    if (!ParseValue(*field, valueText, m_value, error)) {
        reason = field->name + ": " + error;
        return false;
    }

    // The attach logic's fields belong to the processes attached now.
    if (IsReadOnly(*field))
        return true;
    const bool snapshot = m_section == Section::Snapshot;
    if (!snapshot)
        WaitFor(timeMs);
    if (StopRequested())
        return true;
    if (field->writer == shm::Writer::Host || m_options.all) {
        WriteValue(m_view, *field, m_value);
        if (m_options.all)
            generic::kFrameCounter.Write(m_view, static_cast<std::int32_t>(frame));
        ++m_written;
    }
    if (field->writer == shm::Writer::Program && m_options.showTrainee && !snapshot) {
        static char shown[kValueSize];
        FormatValue(m_view, *field, ValueStyle::Quoted, shown, sizeof shown);
        if (m_options.all) {
            std::printf("%lld %lld %s %s\n", timeMs, frame, field->name.c_str(), shown);
        } else {
            // Without --all the trainee's side is not written: show the
            // recorded value itself.
            std::printf("%lld %lld %s %s\n", timeMs, frame, field->name.c_str(), recorded);
        }
        std::fflush(stdout);
        ++m_shown;
    }
    return true;
}

// Sleeps until the line's time, scaled by the speed, has come.
void Player::WaitFor(long long timeMs) {
    const long long target =
        m_start + static_cast<long long>(static_cast<double>(timeMs) * 1e6 / m_options.speed);
    while (!StopRequested() && MonotonicNs() < target)
        SleepUntilNs(target);
}

int Player::Play(std::FILE* in, const std::string& path) {
    char* line = nullptr;
    std::size_t capacity = 0;
    long long number = 0;
    long long skipped = 0;
    int status = kExitOk;
    m_start = MonotonicNs();
    ssize_t length;
    while (!StopRequested() && (length = ::getline(&line, &capacity, in)) >= 0) {
        ++number;
        while (length > 0 && (line[length - 1] == '\n' || line[length - 1] == '\r'))
            line[--length] = '\0';
        if (number == 1) {
            char expected[32];
            std::snprintf(expected, sizeof expected, "%s %d", kMagic, kFormatVersion);
            if (std::strcmp(line, expected) != 0) {
                std::fprintf(stderr,
                             "skylid-host: %s is not a recording of this format (its first line "
                             "is not \"%s\")\n",
                             path.c_str(), expected);
                status = kExitUsage;
                break;
            }
            continue;
        }
        if (length == 0 || line[0] == '#')
            continue;
        std::string reason;
        const std::string copy = line;  // for the report: parsing cuts the line up
        const bool ok =
            m_section == Section::Header ? HeaderLine(line, reason) : DataLine(line, reason);
        if (!ok) {
            std::fprintf(stderr, "skylid-host: %s:%lld: %s; skipped: %s\n", path.c_str(), number,
                         reason.c_str(), Shortened(copy.c_str()).c_str());
            ++skipped;
        }
    }
    std::free(line);
    if (status != kExitOk)
        return status;
    if (number == 0) {
        std::fprintf(stderr, "skylid-host: %s is empty\n", path.c_str());
        return kExitUsage;
    }
    std::fprintf(stderr,
                 "skylid-host: %s %s: %lld lines, %lld values written, %lld shown, %lld skipped\n",
                 StopRequested() ? "stopped replaying" : "replayed", path.c_str(), number,
                 m_written, m_shown, skipped);
    return skipped > 0 ? kExitUsage : kExitOk;
}

}  // namespace

int Replay(const Options& options, const Registry& registry) {
    if (options.args.size() != 1) {
        std::fprintf(stderr,
                     "skylid-host: replay needs one FILE (- for standard input)\n"
                     "Try skylid-host --help.\n");
        return kExitUsage;
    }
    const std::string& path = options.args.front();
    InstallStopHandlers();
    const bool fromStdin = path == "-";
    std::FILE* in = fromStdin ? stdin : std::fopen(path.c_str(), "r");
    if (in == nullptr) {
        std::fprintf(stderr, "skylid-host: cannot read %s: %s\n", path.c_str(),
                     std::strerror(errno));
        return kExitUsage;
    }
    DirectSegment segment;
    std::string error;
    if (!segment.Open(options.segment, true, error)) {
        if (!fromStdin)
            std::fclose(in);
        return SegmentError(error);
    }
    Player player(options, registry, segment.View());
    const int status = player.Play(in, path);
    if (!fromStdin)
        std::fclose(in);
    return status;
}

}  // namespace host
