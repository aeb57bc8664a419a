// Fields of the generic segment that belong to the program as a whole (the
// loop, the main dialog, the start-up banner). Panel fields are named beside
// the panel that owns them.
#pragma once

#include <cstdint>

#include "shm/FieldInfo.h"
#include "shm/SimSegment.h"

namespace generic {

// The creator's table of sub-area starts: 32-bit values at tableOffset.
struct PointerEntry {
    std::uint32_t tableOffset;
    std::uint32_t areaOffset;
};
inline constexpr PointerEntry kPointerTable[] = {
    {2008, 0},      {2012, 30088},  {2016, 67384},  {2020, 76448}, {2024, 104784},
    {2028, 109464}, {2032, 119128}, {2036, 122256}, {2044, 1096},
};
// 2040 is left 0.

inline constexpr GenText<64> kVersion{0};
inline constexpr GenField<std::int32_t> kAttachCounter{Gensim_Shm::kCounterOffset};

inline constexpr GenField<std::int32_t> kFrameCounter{2068};
inline constexpr GenField<std::uint8_t> kUpdateAll{2075};
inline constexpr GenField<std::uint8_t> kRedrawSuspended{26966};
inline constexpr GenField<std::uint8_t> kFcuRequests[] = {75216, 75224, 75232, 75240, 75248};
inline constexpr GenField<std::int32_t> kRemoteHoldRequest{77632};
inline constexpr GenField<std::uint8_t> kRemoteHoldCaptEfis{77640};
inline constexpr GenField<std::uint8_t> kRemoteHoldLeftGlareshield{77657};

// Start-up banner.
inline constexpr GenText<50> kBannerHeading{3808};
inline constexpr GenText<1024> kBannerMessage{3858};
inline constexpr GenField<std::uint8_t> kStartupSuccess{4882};
inline constexpr GenField<std::uint8_t> kStartupWarning{4883};
inline constexpr GenField<std::uint8_t> kStartupFailed{4884};
inline constexpr GenField<std::int32_t> kStartupProgress{4888};

// Configuration copied from the initialisation file: the first path field
// (the cockpit bitmap folder); the others follow in 1000-character fields.
inline constexpr std::uint32_t kPathFieldSize = 1000;
inline constexpr GenText<kPathFieldSize> kCockpitBitmapPath{4908};

// Start of the start-up report record.
inline constexpr std::uint32_t kStartupReportOffset = 104792;

// Fields of the start-up report record (offsets from its start).
namespace report {
inline constexpr GenField<std::int32_t> kErrorCount{kStartupReportOffset + 0};
inline constexpr GenField<std::int32_t> kProgressCount{kStartupReportOffset + 4};
inline constexpr GenText<50> kHeading{kStartupReportOffset + 8};
inline constexpr GenText<512> kText{kStartupReportOffset + 58};
inline constexpr GenField<std::int32_t> kState{kStartupReportOffset + 572};
inline constexpr std::int32_t kStateError = 2;
// 576 to 2623: four further 512-character texts, reserved.
inline constexpr GenText<512> kErrorTitle{kStartupReportOffset + 2624};
inline constexpr GenText<512> kErrorConsequence{kStartupReportOffset + 3136};
inline constexpr GenText<512> kErrorDetail{kStartupReportOffset + 3648};
}  // namespace report

// The program-wide fields by name, for the substitute host.
inline constexpr shm::FieldRow kProgramFields[] = {
    {"SYS.VERSION", 0, shm::FieldType::Text, shm::Writer::Program,
     "version text of the segment definition (written by the creator)", 1, 0, 64},
    {"SYS.ATTACH_COUNTER", kAttachCounter.Offset(), shm::FieldType::Int32, shm::Writer::Program,
     "number of processes attached to the segment"},
    {"SYS.FRAME_COUNTER", kFrameCounter.Offset(), shm::FieldType::Int32, shm::Writer::Program,
     "iterations of the real-time loop, written every iteration"},
    {"SYS.UPDATE_ALL", kUpdateAll.Offset(), shm::FieldType::Byte, shm::Writer::Host,
     "update-all request: when it becomes non-zero every panel is updated once"},
    {"SYS.REDRAW_SUSPEND", kRedrawSuspended.Offset(), shm::FieldType::Byte, shm::Writer::Host,
     "redraw suspended: the window does not paint while non-zero"},
    {"SYS.FCU_REQUEST_%d", kFcuRequests[0].Offset(), shm::FieldType::Byte, shm::Writer::Host,
     "FCU request: any non-zero makes the FCU update every iteration", 5, 8},
    {"SYS.REMOTE_HOLD_REQUEST", kRemoteHoldRequest.Offset(), shm::FieldType::Int32,
     shm::Writer::Host, "remote-hold request word: a change applies the two flags below"},
    {"SYS.REMOTE_HOLD_CAPT_EFIS", kRemoteHoldCaptEfis.Offset(), shm::FieldType::Byte,
     shm::Writer::Host, "remote-hold flag of the captain's EFIS control panel"},
    {"SYS.REMOTE_HOLD_LEFT_GLARESHIELD", kRemoteHoldLeftGlareshield.Offset(), shm::FieldType::Byte,
     shm::Writer::Host, "remote-hold flag of the left glareshield panel"},
    {"BANNER.HEADING", kBannerHeading.Offset(), shm::FieldType::Text, shm::Writer::Program,
     "start-up banner heading", 1, 0, 50},
    {"BANNER.MESSAGE", kBannerMessage.Offset(), shm::FieldType::Text, shm::Writer::Program,
     "start-up banner message", 1, 0, 1024},
    shm::FieldRow{"BANNER.SUCCESS", kStartupSuccess.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program, "start-up finished successfully"}
        .In(0, 1),
    shm::FieldRow{"BANNER.WARNING", kStartupWarning.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program, "start-up warning (navigation data)"}
        .In(0, 1),
    shm::FieldRow{"BANNER.FAILED", kStartupFailed.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program, "start-up failed"}
        .In(0, 1),
    shm::FieldRow{"BANNER.PROGRESS", kStartupProgress.Offset(), shm::FieldType::Int32,
                  shm::Writer::Program, "start-up progress, percent"}
        .In(0, 100),
};

}  // namespace generic
