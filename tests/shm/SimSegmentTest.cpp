#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "shm/GenericLayout.h"
#include "shm/SimSegment.h"
#include "support/TestSupport.h"

namespace {

// Reads a segment from outside, without attaching (so the counter is not
// touched). Returns false when the segment does not exist.
bool Peek(const std::string& name, std::size_t size, std::vector<std::uint8_t>& out) {
    int fd = ::shm_open(("/" + name).c_str(), O_RDONLY, 0);
    if (fd < 0)
        return false;
    void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED)
        return false;
    out.assign(static_cast<std::uint8_t*>(view), static_cast<std::uint8_t*>(view) + size);
    ::munmap(view, size);
    return true;
}

std::int32_t PeekCounter(const std::string& name) {
    std::vector<std::uint8_t> bytes;
    if (!Peek(name, Gensim_Shm::kSize, bytes))
        return -1;
    return generic::kAttachCounter.Read(bytes.data());
}

// Makes a segment the way some other program would, for the refusal cases.
void MakeForeignSegment(const std::string& name, std::size_t size, const char* version,
                        std::size_t versionLen, std::int32_t counter) {
    int fd = ::shm_open(("/" + name).c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    auto* view = static_cast<std::uint8_t*>(
        ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
    ::close(fd);
    ASSERT_NE(view, MAP_FAILED);
    std::memcpy(view, version, versionLen);
    if (size >= Gensim_Shm::kSize)
        generic::kAttachCounter.Write(view, counter);
    ::munmap(view, size);
}

// Keeps a segment mapped, as a live host or cockpit would.
struct Mapping {
    void* view = MAP_FAILED;
    explicit Mapping(const std::string& name) {
        int fd = ::shm_open(("/" + name).c_str(), O_RDONLY, 0);
        if (fd >= 0) {
            view = ::mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
            ::close(fd);
        }
        EXPECT_NE(view, MAP_FAILED);
    }
    ~Mapping() {
        if (view != MAP_FAILED)
            ::munmap(view, 4096);
    }
};

struct Pipe {
    int fd[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fd), 0); }
    ~Pipe() {
        for (int f : fd) {
            if (f >= 0)
                ::close(f);
        }
    }
    void CloseRead() { ::close(fd[0]), fd[0] = -1; }
    void CloseWrite() { ::close(fd[1]), fd[1] = -1; }
};

struct ChildReport {
    std::int32_t valid;
    std::int32_t creator;
    std::int32_t count;
};

// A child process: waits until the start pipe closes, attaches, reports, then
// stays attached until the hold pipe closes, detaches and exits.
pid_t SpawnAttacher(const std::string& name, Pipe& start, Pipe& report, Pipe& hold) {
    pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    char byte;
    ::close(start.fd[1]);
    ::close(hold.fd[1]);
    [[maybe_unused]] ssize_t r = ::read(start.fd[0], &byte, 1);
    {
        Gensim_Shm segment(name.c_str());
        ChildReport rep{segment.IsValid(), segment.IsCreator(), segment.GetAttachCount()};
        [[maybe_unused]] ssize_t w = ::write(report.fd[1], &rep, sizeof rep);
        r = ::read(hold.fd[0], &byte, 1);
    }
    ::_exit(0);
}

void WaitFor(pid_t pid) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace

TEST(SimSegment, CreatorSeesZerosVersionCounterOneAndPointerTable) {
    std::string name = testsupport::UniqueSegmentName("creator");
    {
        Gensim_Shm segment(name.c_str());
        ASSERT_TRUE(segment.IsValid()) << segment.GetErrorText();
        EXPECT_TRUE(segment.IsCreator());
        EXPECT_EQ(segment.GetAttachCount(), 1);
        EXPECT_STREQ(segment.GetVersionText(), Gensim_Shm::kVersionText);

        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(Peek(name, Gensim_Shm::kSize, bytes));
        EXPECT_EQ(std::memcmp(bytes.data(), Gensim_Shm::kVersionText, 44), 0);
        auto base = reinterpret_cast<std::uintptr_t>(segment.Content());
        for (const auto& entry : generic::kPointerTable) {
            EXPECT_EQ(GenField<std::uint32_t>::At(entry.tableOffset).Read(bytes.data()),
                      static_cast<std::uint32_t>((base + entry.areaOffset) & 0xFFFFFFFFu));
        }
        EXPECT_EQ(GenField<std::uint32_t>::At(2040).Read(bytes.data()), 0u);
        // Everything else is zero.
        for (std::size_t i = 44; i < bytes.size(); ++i) {
            bool header = (i >= 2008 && i < 2048) || (i >= 119116 && i < 119120);
            if (!header && bytes[i] != 0) {
                ADD_FAILURE() << "byte " << i << " is " << int(bytes[i]);
                break;
            }
        }
    }
    EXPECT_EQ(PeekCounter(name), -1) << "the last process to leave removes the segment";
}

TEST(SimSegment, TrainingSegmentHasItsOwnSizeVersionAndCounter) {
    std::string name = testsupport::UniqueSegmentName("training");
    CTrnShm segment(name.c_str());
    ASSERT_TRUE(segment.IsValid()) << segment.GetErrorText();
    EXPECT_EQ(segment.GetSize(), 692672u);
    EXPECT_EQ(segment.GetAttachCount(), 1);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(Peek(name, CTrnShm::kSize, bytes));
    EXPECT_EQ(std::memcmp(bytes.data(), "Skylid training segment def rev 1.0\0", 36), 0);
    EXPECT_EQ(TrnField<std::int32_t>::At(692656).Read(bytes.data()), 1);
    EXPECT_EQ(TrnField<std::uint32_t>::At(2008).Read(bytes.data()), 0u) << "no pointer table";
}

TEST(SimSegment, SecondProcessCountsInAndOut) {
    std::string name = testsupport::UniqueSegmentName("second");
    Gensim_Shm first(name.c_str());
    ASSERT_TRUE(first.IsValid());
    Pipe start, report, hold;
    pid_t child = SpawnAttacher(name, start, report, hold);
    start.CloseWrite();
    ChildReport rep{};
    ASSERT_EQ(::read(report.fd[0], &rep, sizeof rep), static_cast<ssize_t>(sizeof rep));
    EXPECT_TRUE(rep.valid);
    EXPECT_FALSE(rep.creator);
    EXPECT_EQ(rep.count, 2);
    EXPECT_EQ(first.GetAttachCount(), 2);
    hold.CloseWrite();
    WaitFor(child);
    EXPECT_EQ(first.GetAttachCount(), 1);
    EXPECT_EQ(PeekCounter(name), 1) << "the segment stays while the first process holds it";
}

TEST(SimSegment, VersionMismatchIsReportedAndLeavesTheCounter) {
    std::string name = testsupport::UniqueSegmentName("mismatch");
    const char other[] = "Another revision of the segment definition";
    MakeForeignSegment(name, Gensim_Shm::kSize, other, sizeof other, 7);
    Mapping otherBuild(name);  // the program of the other build still runs
    {
        Gensim_Shm segment(name.c_str());
        EXPECT_FALSE(segment.IsValid());
        EXPECT_TRUE(segment.IsAttached());
        // The rebuild text, then a line that names the segment and says how
        // to remove it.
        EXPECT_EQ(std::string(segment.GetErrorText()),
                  "Gensim_Shm::Gensim_Shm\nShared Memory Version Mismatch\nPlease rebuild "
                  "software\nSegment " +
                      name +
                      " is in use by a program of another build: stop it, or remove the "
                      "segment (rm /dev/shm/" +
                      name + ")");
        EXPECT_EQ(PeekCounter(name), 7);
    }
    EXPECT_EQ(PeekCounter(name), 7) << "a mismatched process neither decrements nor removes";
    ::shm_unlink(("/" + name).c_str());
}

TEST(SimSegment, VersionComparisonStopsAtFirstNulAndAtTheField) {
    std::string name = testsupport::UniqueSegmentName("nul");
    char version[64] = {};
    std::strcpy(version, Gensim_Shm::kVersionText);
    std::memset(version + 44, 'z', 20);  // garbage after the first NUL
    MakeForeignSegment(name, Gensim_Shm::kSize, version, sizeof version, 1);
    auto user = std::make_unique<Mapping>(name);
    {
        Gensim_Shm segment(name.c_str());
        EXPECT_TRUE(segment.IsValid());
        EXPECT_EQ(segment.GetAttachCount(), 2);
    }
    EXPECT_EQ(PeekCounter(name), 1);
    user.reset();
    ::shm_unlink(("/" + name).c_str());

    std::string full = testsupport::UniqueSegmentName("full");
    char noNul[80];
    std::memset(noNul, 'S', sizeof noNul);  // 64 characters and more, no NUL
    MakeForeignSegment(full, Gensim_Shm::kSize, noNul, sizeof noNul, 1);
    Mapping fullUser(full);
    Gensim_Shm segment(full.c_str());
    EXPECT_FALSE(segment.IsValid());
    EXPECT_TRUE(segment.IsAttached());
    ::shm_unlink(("/" + full).c_str());
}

TEST(SimSegment, TooSmallSegmentIsRefusedWithAClearText) {
    std::string name = testsupport::UniqueSegmentName("small");
    MakeForeignSegment(name, 100, "x", 1, 0);
    SimSegment::SetCreationWaitMs(50);
    Gensim_Shm segment(name.c_str());
    SimSegment::SetCreationWaitMs(2000);
    EXPECT_FALSE(segment.IsValid());
    EXPECT_FALSE(segment.IsAttached());
    EXPECT_EQ(segment.GetView(), nullptr);
    std::string text = segment.GetErrorText();
    EXPECT_EQ(text.rfind("Gensim_Shm::Gensim_Shm\nMapViewOfFile (Code: 22)\nSegment " + name, 0),
              0u)
        << text;
    EXPECT_NE(text.find("holds 100 bytes, 132464 expected"), std::string::npos) << text;
    ::shm_unlink(("/" + name).c_str());
}

TEST(SimSegment, SegmentIsPrivateToItsUser) {
    std::string name = testsupport::UniqueSegmentName("mode");
    Gensim_Shm segment(name.c_str());
    ASSERT_TRUE(segment.IsValid());
    struct stat info {};
    int fd = ::shm_open(("/" + name).c_str(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::fstat(fd, &info), 0);
    ::close(fd);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(SimSegment, TwoProcessesStartingTogetherShareOneSegment) {
    for (int round = 0; round < 50; ++round) {
        std::string name = testsupport::UniqueSegmentName("race");
        Pipe start, report, hold;
        pid_t a = SpawnAttacher(name, start, report, hold);
        pid_t b = SpawnAttacher(name, start, report, hold);
        start.CloseWrite();  // both start now
        ChildReport ra{}, rb{};
        ASSERT_EQ(::read(report.fd[0], &ra, sizeof ra), static_cast<ssize_t>(sizeof ra));
        ASSERT_EQ(::read(report.fd[0], &rb, sizeof rb), static_cast<ssize_t>(sizeof rb));
        EXPECT_TRUE(ra.valid && rb.valid) << "round " << round;
        EXPECT_EQ(ra.creator + rb.creator, 1) << "round " << round;
        EXPECT_EQ(PeekCounter(name), 2) << "round " << round;
        hold.CloseWrite();
        WaitFor(a);
        WaitFor(b);
        EXPECT_EQ(PeekCounter(name), -1) << "round " << round;
        if (HasFailure())
            break;
    }
}

// Segments this program must not use, and segments it must not trust.

TEST(SimSegment, SegmentsOthersMayWriteOrOwnAreRefused) {
    std::string name = testsupport::UniqueSegmentName("open");
    MakeForeignSegment(name, Gensim_Shm::kSize, Gensim_Shm::kVersionText, 44, 1);
    Mapping owner(name);
    ASSERT_EQ(::chmod(("/dev/shm/" + name).c_str(), 0666), 0);
    {
        Gensim_Shm segment(name.c_str());
        EXPECT_FALSE(segment.IsValid());
        EXPECT_FALSE(segment.IsAttached());
        EXPECT_EQ(std::string(segment.GetErrorText()),
                  "Gensim_Shm::Gensim_Shm\nSegment " + name +
                      " may be written by other users (mode 0666): it is not used.\nRemove it "
                      "(rm /dev/shm/" +
                      name + ") and start again");
    }
    EXPECT_EQ(PeekCounter(name), 1) << "a refused segment is not counted into";
    ASSERT_EQ(::chmod(("/dev/shm/" + name).c_str(), 0620), 0);
    {
        Gensim_Shm segment(name.c_str());
        EXPECT_FALSE(segment.IsValid()) << "group write is refused as well";
    }

    ASSERT_EQ(::chmod(("/dev/shm/" + name).c_str(), 0600), 0);
    if (::geteuid() == 0) {
        // Made first by another local user.
        ASSERT_EQ(::chown(("/dev/shm/" + name).c_str(), 65534, 65534), 0);
        Gensim_Shm segment(name.c_str());
        EXPECT_FALSE(segment.IsValid());
        std::string text = segment.GetErrorText();
        EXPECT_EQ(text.rfind("Gensim_Shm::Gensim_Shm\nSegment " + name + " belongs to ", 0), 0u)
            << text;
        EXPECT_NE(text.find("not to root: it is not used."), std::string::npos) << text;
        EXPECT_NE(text.find("rm /dev/shm/" + name), std::string::npos) << text;
    }
    ::shm_unlink(("/" + name).c_str());
}

TEST(SimSegment, SegmentNobodyMapsIsStaleAndMadeAnew) {
    // Left by killed processes: an inflated counter and old fields.
    std::string name = testsupport::UniqueSegmentName("stale");
    MakeForeignSegment(name, Gensim_Shm::kSize, Gensim_Shm::kVersionText, 44, 3);
    {
        std::vector<std::uint8_t> bytes;
        int fd = ::shm_open(("/" + name).c_str(), O_RDWR, 0);
        ASSERT_GE(fd, 0);
        auto* view = static_cast<std::uint8_t*>(
            ::mmap(nullptr, Gensim_Shm::kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0));
        ::close(fd);
        generic::kFrameCounter.Write(view, 12345);
        ::munmap(view, Gensim_Shm::kSize);
    }
    {
        Gensim_Shm segment(name.c_str());
        ASSERT_TRUE(segment.IsValid()) << segment.GetErrorText();
        EXPECT_TRUE(segment.IsCreator());
        EXPECT_EQ(segment.GetAttachCount(), 1);
        EXPECT_EQ(generic::kFrameCounter.Read(segment.Content()), 0);
        EXPECT_NE(segment.GetNotice().find("stale"), std::string::npos) << segment.GetNotice();
    }
    EXPECT_EQ(PeekCounter(name), -1);

    // The right version and a counter of 0: nobody maps it, or someone
    // still does (its last user was killed while leaving).
    for (bool mapped : {false, true}) {
        std::string zero = testsupport::UniqueSegmentName("zero");
        MakeForeignSegment(zero, Gensim_Shm::kSize, Gensim_Shm::kVersionText, 44, 0);
        auto watcher = mapped ? std::make_unique<Mapping>(zero) : nullptr;
        {
            Gensim_Shm segment(zero.c_str());
            ASSERT_TRUE(segment.IsValid()) << mapped << ": " << segment.GetErrorText();
            EXPECT_TRUE(segment.IsCreator()) << mapped;
            EXPECT_EQ(segment.GetAttachCount(), 1) << mapped;
            EXPECT_FALSE(segment.GetNotice().empty()) << mapped;
        }
        EXPECT_EQ(PeekCounter(zero), -1) << mapped;
    }

    // A mismatching segment that nobody maps is stale too.
    std::string old = testsupport::UniqueSegmentName("oldbuild");
    const char other[] = "Another revision of the segment definition";
    MakeForeignSegment(old, Gensim_Shm::kSize, other, sizeof other, 2);
    Gensim_Shm segment(old.c_str());
    EXPECT_TRUE(segment.IsValid()) << segment.GetErrorText();
    EXPECT_TRUE(segment.IsCreator());
}

TEST(SimSegment, OnlyOneAttachmentHoldsTheLock) {
    std::string name = testsupport::UniqueSegmentName("lock");
    std::string holder;
    auto first = std::make_unique<Gensim_Shm>(name.c_str());
    ASSERT_TRUE(first->LockExclusive(holder));
    {
        Gensim_Shm second(name.c_str());
        ASSERT_TRUE(second.IsValid());
        EXPECT_FALSE(second.LockExclusive(holder));
        EXPECT_NE(holder.find("(pid " + std::to_string(::getpid()) + ")"), std::string::npos)
            << holder;
        // The host only attaches: it neither takes nor needs the lock.
        EXPECT_EQ(second.GetAttachCount(), 2);
    }
    first.reset();
    Gensim_Shm later(name.c_str());
    EXPECT_TRUE(later.LockExclusive(holder)) << "the lock ends with its attachment";
}

TEST(SimSegment, SegmentNamesFromTheCommandLineAreChecked) {
    std::string error;
    EXPECT_TRUE(CheckSegmentName("GenericSimSharedMemory", error));
    EXPECT_TRUE(CheckSegmentName(std::string(59, 'a'), error));
    EXPECT_FALSE(CheckSegmentName(std::string(60, 'a'), error))
        << "with _Trn the training segment's name would be cut";
    EXPECT_EQ(error, "--segment needs a name of 1 to 59 characters without '/'");
    EXPECT_FALSE(CheckSegmentName("", error));
    EXPECT_FALSE(CheckSegmentName("a/b", error));
}
