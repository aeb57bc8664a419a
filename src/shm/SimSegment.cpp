#include "shm/SimSegment.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/KxSystem.h"
#include "shm/GenericLayout.h"
#include "util/KxText.h"

static_assert(std::char_traits<char>::length(Gensim_Shm::kVersionText) == 43);
static_assert(std::char_traits<char>::length(CTrnShm::kVersionText) == 35);
static_assert(Gensim_Shm::kCounterOffset % 4 == 0 && CTrnShm::kCounterOffset % 4 == 0,
              "the attach counters are updated atomically and must be aligned");

int SimSegment::s_creationWaitMs = 2000;

namespace {

constexpr int kAttachRounds = 4;

void PauseBriefly() {
    std::this_thread::sleep_for(std::chrono::microseconds(500));
}

bool TimedOut(std::chrono::steady_clock::time_point start, int ms) {
    return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(ms);
}

// The generic segment's creator records where its sub-areas start, as
// 32-bit values (the low half of each address on a 64-bit system).
void WriteGenericHeader(std::uint8_t* view) {
    for (const auto& entry : generic::kPointerTable) {
        auto address = reinterpret_cast<std::uintptr_t>(view + entry.areaOffset);
        shm::Field<std::uint32_t, Gensim_Shm::kSize>::At(entry.tableOffset)
            .Write(view, static_cast<std::uint32_t>(address & 0xFFFFFFFFu));
    }
}

const SegmentDefinition kGeneric{Gensim_Shm::kName,        Gensim_Shm::kSize,
                                 Gensim_Shm::kVersionText, Gensim_Shm::kCounterOffset,
                                 "Gensim_Shm::Gensim_Shm", WriteGenericHeader};
const SegmentDefinition kTraining{CTrnShm::kName,        CTrnShm::kSize,
                                  CTrnShm::kVersionText, CTrnShm::kCounterOffset,
                                  "CTrnShm::CTrnShm",    nullptr};

}  // namespace

bool CheckSegmentName(const std::string& name, std::string& error) {
    const std::size_t longest = BaseSharedMemory::kNameSize - 1 - std::strlen("_Trn");
    if (name.empty() || name.size() > longest || name.find('/') != std::string::npos) {
        error =
            "--segment needs a name of 1 to " + std::to_string(longest) + " characters without '/'";
        return false;
    }
    return true;
}

Gensim_Shm::Gensim_Shm(const char* segmentName) : SimSegment(kGeneric, segmentName) {}
CTrnShm::CTrnShm(const char* segmentName) : SimSegment(kTraining, segmentName) {}

SimSegment::SimSegment(const SegmentDefinition& definition, const char* segmentName)
    : m_def(definition) {
    SetNameAndSize(segmentName ? segmentName : definition.name, definition.size);
    for (int round = 0; round < kAttachRounds; ++round) {
        switch (AttachExisting()) {
            case Outcome::Attached:
                return;
            case Outcome::Failed:
                return;
            case Outcome::Dead:
                // A segment on its way out: its last user removes it in a
                // moment. One that stays with a count of 0 is left over:
                // remove it and make a new one.
                PauseBriefly();
                if (round > 0) {
                    RemoveIfSame();
                    m_notice = std::string(GetName()) +
                               ": a segment with an attach count of 0 was left over; removed "
                               "and made anew";
                    std::fprintf(stderr, "%s: %s\n", m_def.constructorName, m_notice.c_str());
                }
                break;
            case Outcome::Missing:
                break;
        }
        if (CreateNew())
            return;
        if (GetLastErrorCode() != EEXIST)
            break;
        // Another process created it between our two attempts: attach to it.
    }
    FailText(kx::SystemErrorText(GetLastErrorCode()).c_str());
}

SimSegment::~SimSegment() {
    if (m_attached && m_versionMatch) {
        std::int32_t* counter = Counter();
        std::int32_t count = __atomic_load_n(counter, __ATOMIC_ACQUIRE);
        for (;;) {
            std::int32_t next = count < 2 ? 0 : count - 1;
            if (__atomic_compare_exchange_n(counter, &count, next, false, __ATOMIC_ACQ_REL,
                                            __ATOMIC_ACQUIRE)) {
                if (next == 0)
                    Remove();
                break;
            }
        }
    }
    // Unmapping our own view is all that is left; the segment lives on for
    // the other processes until the last one removes it.
    Release();
}

std::int32_t* SimSegment::Counter() const {
    return reinterpret_cast<std::int32_t*>(m_content + m_def.counterOffset);
}

std::int32_t SimSegment::GetAttachCount() const {
    if (m_content == nullptr)
        return 0;
    return __atomic_load_n(Counter(), __ATOMIC_ACQUIRE);
}

void SimSegment::FailText(const char* detail) {
    m_attached = false;
    m_versionMatch = false;
    m_content = nullptr;
    Release();
    SetError(m_def.constructorName, detail);
}

SimSegment::Outcome SimSegment::AttachExisting() {
    auto start = std::chrono::steady_clock::now();
    // A creator may be between making the segment and giving it its size.
    while (!Attach()) {
        if (GetLastErrorCode() == ENOENT)
            return Outcome::Missing;
        if (GetLastErrorCode() != EINVAL || TimedOut(start, s_creationWaitMs)) {
            // A refused owner, mode or size already explains itself.
            if (IsFailureExplained()) {
                std::string detail = Kx_ErrorReport::GetErrorText();
                FailText(detail.c_str());
            } else {
                FailText(kx::SystemErrorText(GetLastErrorCode()).c_str());
            }
            return Outcome::Failed;
        }
        Release();
        PauseBriefly();
    }
    m_content = static_cast<std::uint8_t*>(GetView());
    m_attached = true;

    // The creator writes the version text last; wait for it.
    const char* version = reinterpret_cast<const char*>(m_content);
    while (__atomic_load_n(m_content, __ATOMIC_ACQUIRE) == 0 &&
           !TimedOut(start, s_creationWaitMs)) {
        PauseBriefly();
    }
    // A segment that no process maps any more was left by one that was
    // killed: its fields and its counter mean nothing now.
    if (!IsUsedElsewhere())
        return RemoveStale("no process uses it any more");

    std::size_t len = kx::BoundedLength(version, kVersionFieldSize);
    m_versionMatch =
        len == std::strlen(m_def.versionText) && std::memcmp(version, m_def.versionText, len) == 0;
    if (!m_versionMatch) {
        char detail[256];
        kx::Format(detail, sizeof detail,
                   "Shared Memory Version Mismatch\nPlease rebuild software\n"
                   "Segment %s is in use by a program of another build: stop it, or remove the "
                   "segment (rm /dev/shm/%s)",
                   GetName(), GetName());
        SetError(m_def.constructorName, detail);
        return Outcome::Attached;
    }
    std::int32_t before = __atomic_fetch_add(Counter(), 1, __ATOMIC_ACQ_REL);
    if (before <= 0) {
        // The last user has just left and removed it: it is gone by name.
        __atomic_fetch_sub(Counter(), 1, __ATOMIC_ACQ_REL);
        m_attached = false;
        m_versionMatch = false;
        m_content = nullptr;
        Release();
        return Outcome::Dead;
    }
    return Outcome::Attached;
}

SimSegment::Outcome SimSegment::RemoveStale(const char* why) {
    std::int32_t count = GetAttachCount();
    m_attached = false;
    m_versionMatch = false;
    m_content = nullptr;
    Release();
    RemoveIfSame();
    m_notice = std::string(GetName()) + ": a stale segment (attach count " + std::to_string(count) +
               ", " + why + ") was removed and made anew";
    std::fprintf(stderr, "%s: %s\n", m_def.constructorName, m_notice.c_str());
    return Outcome::Missing;
}

bool SimSegment::CreateNew() {
    if (!CreateAndAttach()) {
        Release();
        return false;
    }
    m_content = static_cast<std::uint8_t*>(GetView());
    ClearView(m_def.size);
    if (m_def.writeHeader != nullptr)
        m_def.writeHeader(m_content);
    __atomic_store_n(Counter(), 1, __ATOMIC_RELEASE);
    // The version text goes in last: attaching processes wait for its first
    // character, so they never count themselves into a half-made segment.
    std::memcpy(m_content + 1, m_def.versionText + 1, std::strlen(m_def.versionText));
    __atomic_store_n(m_content, static_cast<std::uint8_t>(m_def.versionText[0]), __ATOMIC_RELEASE);
    m_attached = true;
    m_versionMatch = true;
    m_creator = true;
    return true;
}
