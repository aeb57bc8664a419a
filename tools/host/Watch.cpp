// skylid-host watch: one line per change of any named field.
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "fields/FieldValue.h"
#include "host/DirectSegment.h"
#include "host/FieldChanges.h"
#include "host/HostCommands.h"
#include "shm/GenericLayout.h"

namespace host {

namespace {

constexpr std::size_t kValueSize = 16384;
constexpr int kPresenceCheckTicks = 20;  // once a second

// True when no prefixes are given or the name begins with one of them
// (without regard to case).
bool Selected(const NamedField& field, const std::vector<std::string>& prefixes) {
    if (prefixes.empty())
        return true;
    for (const std::string& prefix : prefixes) {
        if (prefix.size() <= field.name.size() &&
            strncasecmp(field.name.c_str(), prefix.c_str(), prefix.size()) == 0)
            return true;
    }
    return false;
}

}  // namespace

int Watch(const Options& options, const Registry& registry) {
    InstallStopHandlers();
    // The fields compared at every tick.
    std::vector<const NamedField*> watched;
    for (const NamedField& field : registry.Fields()) {
        if (field.offset != generic::kFrameCounter.Offset() && Selected(field, options.args))
            watched.push_back(&field);
    }
    if (watched.empty()) {
        std::fprintf(stderr, "skylid-host: no field begins with the names given\n");
        return kExitUsage;
    }

    DirectSegment segment;
    std::string error;
    if (!segment.Open(options.segment, false, error))
        return SegmentError(error);
    const std::uint8_t* view = segment.View();
    FieldChanges changes(std::move(watched), view, registry.SegmentSize());

    static char previous[kValueSize];
    static char current[kValueSize];
    static char name[256];
    const ValueStyle style = options.json ? ValueStyle::Json : ValueStyle::Quoted;

    std::fprintf(stderr, "skylid-host: watching %s (%zu fields) at 20 Hz; Ctrl-C stops\n",
                 options.segment.c_str(), changes.Fields().size());
    std::fflush(stderr);

    long long next = MonotonicNs();
    int ticks = 0;
    while (!StopRequested()) {
        const std::int32_t frame = generic::kFrameCounter.Read(view);
        const int changed = changes.Look(
            view,
            [&](const NamedField& field) {
                FormatValue(changes.Image(), field, style, previous, sizeof previous);
            },
            [&](const NamedField& field) {
                FormatValue(changes.Image(), field, style, current, sizeof current);
                if (options.json) {
                    FormatJsonString(field.name.c_str(), name, sizeof name);
                    std::printf("{\"frame\":%d,\"name\":%s,\"value\":%s,\"previous\":%s}\n", frame,
                                name, current, previous);
                } else {
                    std::printf("frame=%d %s=%s (was %s)\n", frame, field.name.c_str(), current,
                                previous);
                }
            });
        if (changed > 0)
            std::fflush(stdout);

        if (++ticks % kPresenceCheckTicks == 0 && !segment.StillPresent()) {
            std::fprintf(stderr,
                         "skylid-host: segment %s was removed: every process attached to it "
                         "has left\n",
                         options.segment.c_str());
            return kExitSegment;
        }
        next += kTickNs;
        long long now = MonotonicNs();
        if (next < now)
            next = now + kTickNs;
        SleepUntilNs(next);
    }
    return kExitOk;
}

}  // namespace host
