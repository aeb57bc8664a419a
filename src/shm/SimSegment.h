// The two segments shared with the simulation host.
//
// Whichever process starts first creates and initialises a segment: zeros,
// the version text, attach counter 1 (and, for the generic segment, the
// pointer table of its sub-areas). Every later process attaches, checks that
// both sides were built against the same segment definition (the version
// text) and counts itself in. The last process to leave removes the segment.
#pragma once

#include <cstdint>
#include <string>

#include "shm/BaseSharedMemory.h"
#include "shm/ShmField.h"

struct SegmentDefinition {
    const char* name;                         // binding segment name
    std::uint32_t size;                       // bytes
    const char* versionText;                  // this program's revision of the segment definition
    std::uint32_t counterOffset;              // 32-bit attach counter
    const char* constructorName;              // where-part of the error texts
    void (*writeHeader)(std::uint8_t* view);  // creator's extra header, may be null
};

class SimSegment : public BaseSharedMemory {
  public:
    static constexpr std::size_t kVersionFieldSize = 64;

    ~SimSegment();

    bool IsValid() const { return m_attached && m_versionMatch; }
    bool IsAttached() const { return m_attached; }
    bool IsVersionMatch() const { return m_versionMatch; }
    // True when this process created (and initialised) the segment.
    bool IsCreator() const { return m_creator; }
    const char* GetVersionText() const { return m_def.versionText; }
    std::uint8_t* Content() const { return m_content; }
    std::int32_t GetAttachCount() const;

    // What attaching found and mended on the way (a stale segment removed and
    // made anew); empty when nothing. Also written on standard error.
    const std::string& GetNotice() const { return m_notice; }

    // How long an attaching process waits for a creator that is still
    // initialising the segment (its size or version text not yet written).
    static void SetCreationWaitMs(int ms) { s_creationWaitMs = ms; }

  protected:
    // segmentName overrides the binding name (tests use unique names).
    SimSegment(const SegmentDefinition& definition, const char* segmentName);

  private:
    enum class Outcome { Attached, Missing, Dead, Failed };
    Outcome AttachExisting();
    Outcome RemoveStale(const char* why);
    bool CreateNew();
    void FailText(const char* detail);
    std::int32_t* Counter() const;

    SegmentDefinition m_def;
    bool m_attached = false;
    bool m_versionMatch = false;
    bool m_creator = false;
    std::uint8_t* m_content = nullptr;
    std::string m_notice;

    static int s_creationWaitMs;
};

// "GenericSimSharedMemory": every panel, option and start-up field.
class Gensim_Shm : public SimSegment {
  public:
    static constexpr const char* kName = "GenericSimSharedMemory";
    static constexpr std::uint32_t kSize = 132464;
    static constexpr std::uint32_t kCounterOffset = 119116;
    static constexpr const char* kVersionText = "Skylid generic segment definition rev 1.0.0";

    explicit Gensim_Shm(const char* segmentName = kName);
};

// "TrnShmSpace": attached and counted; nothing else of it is used here.
class CTrnShm : public SimSegment {
  public:
    static constexpr const char* kName = "TrnShmSpace";
    static constexpr std::uint32_t kSize = 692672;
    static constexpr std::uint32_t kCounterOffset = 692656;
    static constexpr const char* kVersionText = "Skylid training segment def rev 1.0";

    explicit CTrnShm(const char* segmentName = kName);
};

// Checks a segment name given on a command line (--segment) for the generic
// segment; the training segment is named after it with "_Trn". Refuses an
// empty name, one holding "/", and one so long that either name would be cut.
// False with the reason in error.
bool CheckSegmentName(const std::string& name, std::string& error);

// Fields of the generic segment and of the training segment.
template <typename T>
using GenField = shm::Field<T, Gensim_Shm::kSize>;
template <std::size_t N>
using GenText = shm::Text<N, Gensim_Shm::kSize>;
template <typename T>
using TrnField = shm::Field<T, CTrnShm::kSize>;
