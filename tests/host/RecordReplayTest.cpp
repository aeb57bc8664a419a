// skylid-host record and replay as programs, on segments of the test's own.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "HostProcess.h"
#include "fields/FieldValue.h"
#include "fields/HostRegistry.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

namespace {

using hosttest::HostProcess;
using hosttest::Lines;
using hosttest::RunHost;
using hosttest::RunResult;

// The lines after "changes", without their time and frame columns.
std::vector<std::string> Changes(const std::vector<std::string>& lines) {
    std::vector<std::string> changes;
    bool after = false;
    for (const std::string& line : lines) {
        if (after) {
            std::size_t name = line.find(' ', line.find(' ') + 1);
            changes.push_back(line.substr(name + 1));
        }
        after = after || line == "changes";
    }
    return changes;
}

void Set(std::uint8_t* view, const char* name, const char* value) {
    const host::NamedField* field = host::GenericRegistry().Find(name);
    ASSERT_NE(field, nullptr) << name;
    host::FieldValue parsed;
    std::string error;
    ASSERT_TRUE(host::ParseValue(*field, value, parsed, error)) << name << ": " << error;
    host::WriteValue(view, *field, parsed);
}

std::string Get(const std::uint8_t* view, const char* name) {
    char text[256];
    host::FormatValue(view, *host::GenericRegistry().Find(name), host::ValueStyle::Quoted, text,
                      sizeof text);
    return text;
}

// A segment held as the cockpit holds it, and the binary run against it.
struct Segment {
    std::string name = testsupport::UniqueSegmentName("Rec");
    Gensim_Shm shm{name.c_str()};
    std::uint8_t* View() { return shm.Content(); }
    std::vector<std::string> With(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--segment", name});
        return args;
    }
};

// Records the segment while lesson() changes it; returns the file's lines.
template <typename Lesson>
std::vector<std::string> RecordWhile(Segment& segment, const std::string& file, Lesson lesson) {
    HostProcess recorder;
    EXPECT_TRUE(recorder.Start(segment.With({"record", file})));
    std::string line;
    EXPECT_TRUE(recorder.ReadErrLine(line, 10000));
    EXPECT_NE(line.find("recording"), std::string::npos) << line;
    lesson();
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    recorder.Signal(SIGINT);
    EXPECT_EQ(recorder.Wait(10000), 0);
    return Lines(testsupport::ReadFile(file));
}

// Changes 80 ms apart: far more than the recorder's 10 ms look.
void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
}

}  // namespace

TEST(RecordReplay, ARecordedLessonPlaysBackAsItWasRecorded) {
    testsupport::TempDir dir;
    const std::string lessonFile = (dir.Path() / "lesson.rec").string();
    Segment cockpit;
    generic::kFrameCounter.Write(cockpit.View(), 500);
    const std::vector<std::string> recorded = RecordWhile(cockpit, lessonFile, [&] {
        Set(cockpit.View(), "ELEC.LAMP_TEST", "1");  // host
        Pause();
        generic::kFrameCounter.Write(cockpit.View(), 502);
        Set(cockpit.View(), "ELEC.BUTTON_0.STATE", "1");  // program: the trainee
        Pause();
        Set(cockpit.View(), "ADIRS.DISPLAY_TEXT", R"(NAV "1"\\ ok\n)");
        Set(cockpit.View(), "ELEC.DISPLAY_1", "12.5");
        Pause();
        Set(cockpit.View(), "ELEC.LAMP_TEST", "0");
    });

    // The header, a snapshot of every field but the frame counter, then the
    // changes in the order they were made, texts quoted with escapes.
    ASSERT_GT(recorded.size(), 7u);
    EXPECT_EQ(recorded[0], "skylid-record 1");
    EXPECT_EQ(recorded[1], "segment " + cockpit.name);
    EXPECT_EQ(recorded[2], "size 132464");
    EXPECT_EQ(recorded[5], "snapshot");
    EXPECT_EQ(recorded[6].rfind("0 500 SYS.VERSION \"", 0), 0u) << recorded[6];
    std::size_t snapshot = 0;
    for (std::size_t i = 6; i < recorded.size() && recorded[i] != "changes"; ++i)
        ++snapshot;
    EXPECT_EQ(recorded[4], "fields " + std::to_string(snapshot));
    EXPECT_EQ(snapshot + 1, host::GenericRegistry().Fields().size());
    const std::vector<std::string> expected = {
        "ELEC.LAMP_TEST 1", "ELEC.BUTTON_0.STATE 1", "ELEC.DISPLAY_1 12.5",
        R"(ADIRS.DISPLAY_TEXT "NAV \"1\"\\ ok\n")", "ELEC.LAMP_TEST 0"};
    std::vector<std::string> changes = Changes(recorded);
    // The text and the display changed in one look: registry order there.
    if (changes.size() == expected.size() && changes[2] != expected[2])
        std::swap(changes[2], changes[3]);
    EXPECT_EQ(changes, expected);
    const std::string& trainee = recorded[recorded.size() - 4];
    EXPECT_EQ(trainee.substr(trainee.find(' ')), " 502 ELEC.BUTTON_0.STATE 1");
    EXPECT_GE(std::stol(trainee), 60);  // ms after the start, at least one pause

    // Played back with both sides into a segment without a cockpit, while
    // that is recorded in turn: the same changes in the same order.
    Segment debrief;
    const std::vector<std::string> replayed =
        RecordWhile(debrief, (dir.Path() / "replayed.rec").string(), [&] {
            RunResult replay = RunHost(debrief.With({"replay", "--all", lessonFile}));
            EXPECT_EQ(replay.status, 0) << replay.err;
        });
    changes = Changes(replayed);
    if (changes.size() == expected.size() && changes[2] != expected[2])
        std::swap(changes[2], changes[3]);
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(generic::kFrameCounter.Read(debrief.View()), 502);

    // The host's side only, fast, with the trainee's side shown: the
    // cockpit's own fields are left to the cockpit.
    Segment live;
    RunResult hostSide =
        RunHost(live.With({"replay", "--speed", "1000", "--show-trainee", lessonFile}));
    EXPECT_EQ(hostSide.status, 0) << hostSide.err;
    EXPECT_EQ(hostSide.out, trainee + "\n");
    EXPECT_EQ(Get(live.View(), "ELEC.LAMP_TEST"), "0");
    EXPECT_EQ(Get(live.View(), "ELEC.DISPLAY_1"), "12.5");
    EXPECT_EQ(Get(live.View(), "ADIRS.DISPLAY_TEXT"), R"("NAV \"1\"\\ ok\n")");
    EXPECT_EQ(Get(live.View(), "ELEC.BUTTON_0.STATE"), "0");
    EXPECT_EQ(generic::kFrameCounter.Read(live.View()), 0);
}

TEST(RecordReplay, BadLinesAreReportedWithTheirNumberAndSkipped) {
    testsupport::TempDir dir;
    Segment segment;
    const std::int32_t attached = generic::kAttachCounter.Read(segment.View());
    const std::string file = (dir.Path() / "bad.rec").string();
    testsupport::WriteFile(file,
                           "skylid-record 1\n"
                           "size 132464\n"
                           "snapshot\n"
                           "0 0 ELEC.DISPLAY_2 3.5\n"
                           "changes\n"
                           "# a comment\n"
                           "10 1 ELEC.LAMP_TEST 1\n"
                           "garbage\n"
                           "20 2 ELEC.NO_SUCH_FIELD 1\n"
                           "30 3 ELEC.LAMP_TEST 256\n"
                           "40 4 ADIRS.DISPLAY_TEXT unquoted\n"
                           "x 5 ELEC.DISPLAY_1 1\n"
                           "50 6 SYS.ATTACH_COUNTER 99\n"
                           "60 7 ELEC.DISPLAY_1 7.5\n");
    RunResult replay = RunHost(segment.With({"replay", "--all", "--speed", "1000", file}));
    EXPECT_EQ(replay.status, 2);
    const std::vector<std::string> err = Lines(replay.err);
    ASSERT_EQ(err.size(), 6u) << replay.err;
    EXPECT_NE(err[0].find("bad.rec:8: "), std::string::npos) << err[0];
    EXPECT_NE(err[1].find("bad.rec:9: no field named \"ELEC.NO_SUCH_FIELD\""), std::string::npos)
        << err[1];
    EXPECT_NE(err[2].find("bad.rec:10: ELEC.LAMP_TEST: out of range 0 to 255"), std::string::npos)
        << err[2];
    EXPECT_NE(err[3].find("bad.rec:11: ADIRS.DISPLAY_TEXT: a text value is in double quotes"),
              std::string::npos)
        << err[3];
    EXPECT_NE(err[4].find("bad.rec:12: "), std::string::npos) << err[4];
    EXPECT_NE(err[5].find("5 skipped"), std::string::npos) << err[5];
    // The sound lines around them were played; the attach counter is never
    // played back.
    EXPECT_EQ(Get(segment.View(), "ELEC.DISPLAY_2"), "3.5");
    EXPECT_EQ(Get(segment.View(), "ELEC.LAMP_TEST"), "1");
    EXPECT_EQ(Get(segment.View(), "ELEC.DISPLAY_1"), "7.5");
    EXPECT_EQ(generic::kAttachCounter.Read(segment.View()), attached);

    // Not a recording at all: refused before anything is written.
    testsupport::WriteFile(file, "0 0 ELEC.LAMP_TEST 0\n");
    replay = RunHost(segment.With({"replay", file}));
    EXPECT_EQ(replay.status, 2);
    EXPECT_NE(replay.err.find("not a recording"), std::string::npos) << replay.err;
    EXPECT_EQ(Get(segment.View(), "ELEC.LAMP_TEST"), "1");
}

TEST(RecordReplay, RecordForSecondsEndsByItself) {
    testsupport::TempDir dir;
    Segment segment;
    const std::string file = (dir.Path() / "short.rec").string();
    RunResult record = RunHost(segment.With({"record", "--seconds", "0.1", file}));
    EXPECT_EQ(record.status, 0) << record.err;
    const std::vector<std::string> lines = Lines(testsupport::ReadFile(file));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "skylid-record 1");
    EXPECT_EQ(lines.back(), "changes");
}
