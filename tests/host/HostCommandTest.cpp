// skylid-host as a program: every test runs the binary against a segment of
// its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "HostProcess.h"
#include "fields/HostRegistry.h"
#include "panels/ElectricalLayout.h"
#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

namespace {

using hosttest::HostProcess;
using hosttest::Lines;
using hosttest::RunHost;
using hosttest::RunResult;
using shm::FieldType;

bool SegmentExists(const std::string& name) {
    int fd = ::shm_open(("/" + name).c_str(), O_RDONLY, 0);
    if (fd < 0)
        return errno != ENOENT;
    ::close(fd);
    return true;
}

// Polls until the condition holds (another process acting), at most 10 s.
template <typename Condition>
bool Eventually(Condition condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}

// A segment that the test itself holds, as the cockpit would.
class HostCommandTest : public ::testing::Test {
  protected:
    std::vector<std::string> With(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--segment", m_name});
        return args;
    }
    RunResult Host(std::vector<std::string> args) const { return RunHost(With(std::move(args))); }
    std::vector<std::uint8_t> Image() const {
        const std::uint8_t* view = m_segment.Content();
        return {view, view + Gensim_Shm::kSize};
    }

    std::string m_name = testsupport::UniqueSegmentName("Host");
    Gensim_Shm m_segment{m_name.c_str()};
};

// A value for each field, different from field to field, and how get shows it.
struct Sample {
    std::string input;
    std::string shown;
};

Sample SampleFor(const host::NamedField& f, int i) {
    switch (f.type) {
        case FieldType::Byte:
            return {std::to_string(i * 7 % 255 + 1), std::to_string(i * 7 % 255 + 1)};
        case FieldType::Bool:
            return {i % 2 ? "true" : "1", "1"};
        case FieldType::Int16:
            return {std::to_string(-100 * (i % 300) - 1), std::to_string(-100 * (i % 300) - 1)};
        case FieldType::UInt16:
            return {std::to_string(60000 + i % 5000), std::to_string(60000 + i % 5000)};
        case FieldType::Int32:
            return {std::to_string(-1000000 * (i % 2000) - 7),
                    std::to_string(-1000000 * (i % 2000) - 7)};
        case FieldType::UInt32:
            return {std::to_string(4000000000u + i % 100000),
                    std::to_string(4000000000u + i % 100000)};
        case FieldType::Float:
        case FieldType::Double:
            return {std::to_string(i) + ".25", std::to_string(i) + ".25"};
        case FieldType::Text: {
            // Filled to the last character the field holds, with an escape.
            std::string text = "T" + std::to_string(i) + "\\n\"x\"";
            std::size_t length = text.size() - 1;  // "\\n" is one character in the field
            if (length + 1 > f.textSize)
                text = "T";
            else
                text += std::string(f.textSize - 1 - length, 'y');
            return {text, text};
        }
    }
    return {};
}

TEST_F(HostCommandTest, SetThenGetRoundTripsEveryField) {
    const host::Registry& registry = host::GenericRegistry();
    std::vector<std::string> set = {"set"};
    std::vector<std::string> get = {"get"};
    std::vector<std::string> expected;
    std::set<FieldType> types;
    std::map<std::string, Sample> samples;
    int i = 0;
    for (const host::NamedField& f : registry.Fields()) {
        if (host::IsReadOnly(f))
            continue;
        Sample sample = SampleFor(f, i++);
        set.push_back(f.name);
        set.push_back(sample.input);
        get.push_back(f.name);
        expected.push_back(sample.shown);
        types.insert(f.type);
        samples[f.name] = sample;
    }
    // The registry holds at least these types today; later panels add more.
    for (FieldType t : {FieldType::Byte, FieldType::Int32, FieldType::Float, FieldType::Text})
        EXPECT_TRUE(types.count(t)) << static_cast<int>(t);

    RunResult written = Host(set);
    ASSERT_EQ(written.status, 0) << written.err;
    // One set of all fields, then one get of all: two fields over each other
    // would show as a value that does not read back.
    RunResult read = Host(get);
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(Lines(read.out), expected);

    // The bytes are where the cockpit reads them.
    const std::uint8_t* view = m_segment.Content();
    EXPECT_EQ(std::to_string(elec::kButtonState.Plus(3).Read(view)),
              samples["ELEC.BUTTON_3.STATE"].shown);
    char heading[64];
    generic::kBannerHeading.Read(view, heading, sizeof heading);
    std::string expectedHeading = samples["BANNER.HEADING"].input;
    expectedHeading.replace(expectedHeading.find("\\n"), 2, "\n");
    EXPECT_EQ(heading, expectedHeading);
}

TEST_F(HostCommandTest, BadNamesAndValuesAreRefusedAndNothingIsWritten) {
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{"set", "ELEC.NO_SUCH_FIELD", "1"}, "no field named \"ELEC.NO_SUCH_FIELD\""},
        {{"set", "ELEC.BUTTON_0.STATE", "on"}, "not a whole number"},
        {{"set", "ELEC.LAMP_TEST", "256"}, "out of range 0 to 255"},
        {{"set", "SYS.FRAME_COUNTER", "2147483648"}, "out of range"},
        {{"set", "ELEC.DISPLAY_1", "1e39"}, "out of range for a float"},
        {{"set", "BANNER.HEADING", std::string(50, 'x')}, "too long: 50 characters"},
        {{"set", "SYS.ATTACH_COUNTER", "5"}, "attach logic"},
        {{"set", "SYS.VERSION", "other"}, "attach logic"},
        {{"set", "ELEC.LAMP_TEST"}, "NAME VALUE pairs"},
        // Good pairs before and after a bad one are not written either.
        {{"set", "ELEC.LAMP_TEST", "1", "ELEC.DISPLAY_1", "abc", "ELEC.COLD_PRESET", "1"},
         "ELEC.DISPLAY_1 (float): \"abc\": not a number"},
        {{"get", "ELEC.LAMP_TEST", "ELEC.NO_SUCH_FIELD"}, "no field named"},
        {{"get"}, "at least one field name"},
        {{"watch", "NOTHING.LIKE.THIS"}, "no field begins with"},
    };
    elec::kDisplay1.Write(m_segment.Content(), 12.5f);
    const std::vector<std::uint8_t> before = Image();
    for (const Case& c : cases) {
        RunResult r = Host(c.args);
        EXPECT_EQ(r.status, 2) << c.args[1] << ": " << r.err;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "") << c.args[1];
        EXPECT_TRUE(Image() == before) << "the segment changed after set " << c.args[1];
    }
}

TEST(HostCommand, WithoutASegmentTheCommandsSaySoAndCreateNone) {
    std::string name = testsupport::UniqueSegmentName("HostNone");
    for (std::vector<std::string> args : {std::vector<std::string>{"get", "SYS.FRAME_COUNTER"},
                                          {"set", "ELEC.LAMP_TEST", "1"},
                                          {"dump"},
                                          {"watch"}}) {
        args.insert(args.begin(), {"--segment", name});
        RunResult r = RunHost(args);
        EXPECT_EQ(r.status, 1) << args[2];
        EXPECT_NE(r.err.find("there is no segment \"" + name + "\""), std::string::npos) << r.err;
        EXPECT_FALSE(SegmentExists(name)) << args[2];
    }
}

// A segment made the way another program would make it.
void MakeForeignSegment(const std::string& name, std::size_t size, const char* version) {
    int fd = ::shm_open(("/" + name).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    void* view = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    ASSERT_NE(view, MAP_FAILED);
    std::memcpy(view, version, std::strlen(version));
    if (size >= Gensim_Shm::kSize)
        generic::kAttachCounter.Write(view, 3);
    ::munmap(view, size);
}

std::int32_t CounterOf(const std::string& name) {
    int fd = ::shm_open(("/" + name).c_str(), O_RDONLY, 0);
    if (fd < 0)
        return -1;
    void* view = ::mmap(nullptr, Gensim_Shm::kSize, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED)
        return -1;
    std::int32_t counter = generic::kAttachCounter.Read(view);
    ::munmap(view, Gensim_Shm::kSize);
    return counter;
}

TEST(HostCommand, AnotherVersionOrASmallerSegmentIsRefused) {
    std::string other = testsupport::UniqueSegmentName("HostOther");
    MakeForeignSegment(other, Gensim_Shm::kSize, "Skylid generic segment definition rev 0.9.0");
    // The program of that other version still runs (it maps the segment);
    // a segment nobody maps would be stale and made anew.
    int fd = ::shm_open(("/" + other).c_str(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    void* otherProgram = ::mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    ASSERT_NE(otherProgram, MAP_FAILED);
    for (std::vector<std::string> args : {std::vector<std::string>{"get", "SYS.FRAME_COUNTER"},
                                          {"set", "ELEC.LAMP_TEST", "1"},
                                          {"serve", "--seconds", "5"}}) {
        args.insert(args.begin(), {"--segment", other});
        RunResult r = RunHost(args);
        EXPECT_EQ(r.status, 1) << args[2];
        EXPECT_NE(r.err.find("Shared Memory Version Mismatch\nPlease rebuild software"),
                  std::string::npos)
            << r.err;
    }
    EXPECT_EQ(CounterOf(other), 3) << "a process of another version neither counts in nor out";
    EXPECT_FALSE(SegmentExists(other + "_Trn"));
    ::munmap(otherProgram, 4096);
    ::shm_unlink(("/" + other).c_str());

    std::string small = testsupport::UniqueSegmentName("HostSmall");
    MakeForeignSegment(small, 100, Gensim_Shm::kVersionText);
    RunResult r = RunHost({"--segment", small, "dump"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("holds 100 bytes, 132464 expected"), std::string::npos) << r.err;
    ::shm_unlink(("/" + small).c_str());
}

TEST_F(HostCommandTest, WatchReportsAChangeMadeByAnotherProcess) {
    generic::kFrameCounter.Write(m_segment.Content(), 42);
    HostProcess watch;
    ASSERT_TRUE(watch.Start(With({"watch", "--json"})));
    std::string line;
    ASSERT_TRUE(watch.ReadErrLine(line, 10000));
    EXPECT_NE(line.find("watching"), std::string::npos) << line;

    ASSERT_EQ(Host({"set", "ELEC.BUTTON_0.STATE", "1"}).status, 0);
    ASSERT_TRUE(watch.ReadOutLine(line, 10000));
    EXPECT_EQ(line, R"({"frame":42,"name":"ELEC.BUTTON_0.STATE","value":1,"previous":0})");

    ASSERT_EQ(Host({"set", "BANNER.HEADING", "Kx\\n1"}).status, 0);
    ASSERT_TRUE(watch.ReadOutLine(line, 10000));
    EXPECT_EQ(line, R"({"frame":42,"name":"BANNER.HEADING","value":"Kx\n1","previous":""})");

    // The frame counter goes with every line but is no change of its own.
    generic::kFrameCounter.Write(m_segment.Content(), 43);
    EXPECT_FALSE(watch.ReadOutLine(line, 300)) << line;

    watch.Signal(SIGTERM);
    EXPECT_EQ(watch.Wait(10000), 0);
}

TEST_F(HostCommandTest, WatchWithPrefixesReportsOnlyThoseFields) {
    HostProcess watch;
    ASSERT_TRUE(watch.Start(With({"watch", "elec.button_1"})));
    std::string line;
    ASSERT_TRUE(watch.ReadErrLine(line, 10000));
    EXPECT_NE(line.find("(6 fields)"), std::string::npos) << line;  // BUTTON_1 and BUTTON_10

    ASSERT_EQ(Host({"set", "ELEC.LAMP_TEST", "1", "ELEC.BUTTON_1.LIGHT_TOP", "1"}).status, 0);
    ASSERT_TRUE(watch.ReadOutLine(line, 10000));
    EXPECT_EQ(line, "frame=0 ELEC.BUTTON_1.LIGHT_TOP=1 (was 0)");
    watch.Signal(SIGINT);
    EXPECT_EQ(watch.Wait(10000), 0);
}

TEST_F(HostCommandTest, ServeStoppedBySigtermLeavesTheCounterWhereItFoundIt) {
    ASSERT_EQ(m_segment.GetAttachCount(), 1);
    HostProcess serve;
    ASSERT_TRUE(serve.Start(With({"serve"})));
    ASSERT_TRUE(Eventually([&] { return m_segment.GetAttachCount() == 2; }));
    EXPECT_TRUE(SegmentExists(m_name + "_Trn")) << "the training segment goes with it";

    serve.Signal(SIGTERM);
    EXPECT_EQ(serve.Wait(10000), 0);
    EXPECT_EQ(m_segment.GetAttachCount(), 1);
    EXPECT_FALSE(SegmentExists(m_name + "_Trn")) << "its last user removed it";
    EXPECT_TRUE(SegmentExists(m_name));
}

TEST(HostCommand, ServeAloneCreatesBothSegmentsAndRemovesThemWhenItEnds) {
    std::string name = testsupport::UniqueSegmentName("HostServe");
    RunResult r = RunHost({"--segment", name, "serve", "--seconds", "0.3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("serving " + name + " (created, 1 attached) and " + name +
                         "_Trn (created, 1 attached)"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(SegmentExists(name));
    EXPECT_FALSE(SegmentExists(name + "_Trn"));
}

TEST_F(HostCommandTest, TheDemoLightsOffOnAButtonOutAndLeavesTheLampTestAlone) {
    HostProcess serve;
    ASSERT_TRUE(serve.Start(With({"serve", "--demo"})));
    ASSERT_TRUE(Eventually([&] { return m_segment.GetAttachCount() == 2; }));

    // Button 0 (FAULT/OFF) out: the demo lights OFF, as on the aircraft;
    // pushed in, OFF goes dark.
    elec::kButtonState.Write(m_segment.Content(), 0);
    EXPECT_TRUE(Eventually([&] { return elec::kBottomLight.Read(m_segment.Content()) == 1; }));
    elec::kButtonState.Write(m_segment.Content(), 1);
    EXPECT_TRUE(Eventually([&] { return elec::kBottomLight.Read(m_segment.Content()) == 0; }));

    RunResult set = Host({"set", "ELEC.LAMP_TEST", "1"});
    ASSERT_EQ(set.status, 0) << set.err;
    // Let the demo run a few ticks: the displays move at every one.
    for (int tick = 0; tick < 3; ++tick) {
        float shown = elec::kDisplay1.Read(m_segment.Content());
        ASSERT_TRUE(Eventually([&] { return elec::kDisplay1.Read(m_segment.Content()) != shown; }));
    }
    EXPECT_EQ(elec::kLampTest.Read(m_segment.Content()), 1);

    serve.Signal(SIGINT);
    EXPECT_EQ(serve.Wait(10000), 0);
    EXPECT_EQ(m_segment.GetAttachCount(), 1);
}

TEST(HostCommand, TheCommittedInterfaceDocumentMatchesTheRegistry) {
    RunResult r = RunHost({"fields", "--markdown"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string committed = testsupport::ReadFile(SKYLID_SOURCE_DIR "/docs/HOST-INTERFACE.md");
    EXPECT_TRUE(r.out == committed)
        << "docs/HOST-INTERFACE.md differs from the field tables; regenerate it with\n"
        << "  " << hosttest::HostBinary() << " fields --markdown > docs/HOST-INTERFACE.md";
}

TEST(HostCommand, HelpAndCommandLineMistakes) {
    RunResult help = RunHost({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command :
         {"serve", "get NAME", "set NAME VALUE", "dump", "watch", "fields",
          "record [--seconds N] FILE", "replay [--speed X] [--show-trainee] [--all] FILE"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    RunResult serveHelp = RunHost({"serve", "--help"});
    EXPECT_EQ(serveHelp.status, 0);
    EXPECT_NE(serveHelp.out.find("ELEC.LAMP_TEST"), std::string::npos);
    EXPECT_EQ(RunHost({"help", "watch"}).out, RunHost({"watch", "-h"}).out);

    const std::vector<std::vector<std::string>> mistakes = {
        {},
        {"fly"},
        {"get", "--demo", "SYS.FRAME_COUNTER"},
        {"serve", "--seconds", "0"},
        {"serve", "--seconds", "soon"},
        {"dump", "--colour"},
        {"serve", "--speed", "2"},
        {"replay", "--speed", "0", "lesson.rec"},
        {"record", "--all", "lesson.rec"},
        {"record"},
        {"--segment", "a/b", "dump"},
        {"--segment", std::string(60, 's'), "dump"},
    };
    for (const auto& args : mistakes) {
        RunResult r = RunHost(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace
