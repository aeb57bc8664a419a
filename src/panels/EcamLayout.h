// The ECAM control panel's fields in the generic segment.
//
// Output block (written by the panel, and copied every update to the same
// offsets of a third block in the A330 region, so that a host built for
// either region sees them): the page request, the CLR, RCL and STS keys,
// the two display-unit buttons (1 out, 0 in) and the key-held counter.
// Input block (written by the host): the page shown, the key to light, the
// CLR light, the lamp test and the degraded mode.
#pragma once

#include <cstdint>

#include "panels/PanelBlocks.h"
#include "shm/FieldInfo.h"
#include "shm/SimSegment.h"

namespace ecam {

inline constexpr int kKeys = 18;
inline constexpr std::uint32_t kOut = blocks::kEcamControl.out;
inline constexpr std::uint32_t kIn = blocks::kEcamControl.in;
inline constexpr std::uint32_t kCopy = blocks::kEcamControlThird;

// Output block (and the copy block at the same offsets).
struct Outputs {
    GenField<std::int32_t> pageRequest;  // a key index, or -1 for none
    GenField<std::uint8_t> clr;          // either CLR key in
    GenField<std::uint8_t> rcl;
    GenField<std::uint8_t> sts;
    GenField<std::uint8_t> upperDisplayOut;  // display-unit buttons: 1 out, 0 in
    GenField<std::uint8_t> lowerDisplayOut;
    GenField<std::uint16_t> keyHeld;  // updates the present key has been in
};
inline constexpr Outputs kOutputs{kOut + 4,  kOut + 8,  kOut + 9, kOut + 10,
                                  kOut + 11, kOut + 12, kOut + 14};
inline constexpr Outputs kCopied{kCopy + 4,  kCopy + 8,  kCopy + 9, kCopy + 10,
                                 kCopy + 11, kCopy + 12, kCopy + 14};

// Input block.
inline constexpr GenField<std::int16_t> kPageShown{kIn + 0};
inline constexpr GenField<std::int16_t> kLitKey{kIn + 2};  // 0 to 17, or 99 for none
inline constexpr GenField<std::uint8_t> kClrLight{kIn + 4};
inline constexpr GenField<std::uint8_t> kLampTest{kIn + 5};
inline constexpr GenField<std::uint8_t> kDegraded{kIn + 7};

// The fields the rows do not describe.
inline constexpr shm::FieldRow kExtraFields[] = {
    shm::FieldRow{"ECAM.PAGE_REQUEST", kOutputs.pageRequest.Offset(), shm::FieldType::Int32,
                  shm::Writer::Program,
                  "page requested: a key index 0 to 17 until the host shows it, else -1"}
        .In(-1, 17),
    shm::FieldRow{"ECAM.CLR", kOutputs.clr.Offset(), shm::FieldType::Byte, shm::Writer::Program,
                  "1 while either CLR key is in"}
        .In(0, 1),
    shm::FieldRow{"ECAM.RCL", kOutputs.rcl.Offset(), shm::FieldType::Byte, shm::Writer::Program,
                  "1 while RCL is in"}
        .In(0, 1),
    shm::FieldRow{"ECAM.STS", kOutputs.sts.Offset(), shm::FieldType::Byte, shm::Writer::Program,
                  "1 while STS is in"}
        .In(0, 1),
    shm::FieldRow{"ECAM.KEY_HELD", kOutputs.keyHeld.Offset(), shm::FieldType::UInt16,
                  shm::Writer::Program,
                  "updates a key has been in (after 61439 it goes on from 16); 0 with no key in"}
        .In(0, 61439),
    shm::FieldRow{"ECAM.COPY.PAGE_REQUEST", kCopied.pageRequest.Offset(), shm::FieldType::Int32,
                  shm::Writer::Program, "copy of ECAM.PAGE_REQUEST (A330 region)"}
        .In(-1, 17),
    shm::FieldRow{"ECAM.COPY.CLR", kCopied.clr.Offset(), shm::FieldType::Byte, shm::Writer::Program,
                  "copy of ECAM.CLR (A330 region)"}
        .In(0, 1),
    shm::FieldRow{"ECAM.COPY.RCL", kCopied.rcl.Offset(), shm::FieldType::Byte, shm::Writer::Program,
                  "copy of ECAM.RCL (A330 region)"}
        .In(0, 1),
    shm::FieldRow{"ECAM.COPY.STS", kCopied.sts.Offset(), shm::FieldType::Byte, shm::Writer::Program,
                  "copy of ECAM.STS (A330 region)"}
        .In(0, 1),
    shm::FieldRow{"ECAM.COPY.UPPER_DISPLAY", kCopied.upperDisplayOut.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program,
                  "copy of the upper display-unit button (1 out, 0 in; A330 region)"}
        .In(0, 1),
    shm::FieldRow{"ECAM.COPY.LOWER_DISPLAY", kCopied.lowerDisplayOut.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program,
                  "copy of the lower display-unit button (1 out, 0 in; A330 region)"}
        .In(0, 1),
    shm::FieldRow{"ECAM.COPY.KEY_HELD", kCopied.keyHeld.Offset(), shm::FieldType::UInt16,
                  shm::Writer::Program, "copy of ECAM.KEY_HELD (A330 region)"}
        .In(0, 61439),
    {"ECAM.PAGE_SHOWN", kPageShown.Offset(), shm::FieldType::Int16, shm::Writer::Host,
     "page the host shows (a key index)"},
    {"ECAM.LIT_KEY", kLitKey.Offset(), shm::FieldType::Int16, shm::Writer::Host,
     "key to light: 0 to 17, or 99 for none"},
    {"ECAM.CLR_LIGHT", kClrLight.Offset(), shm::FieldType::Byte, shm::Writer::Host,
     "CLR keys lit (and STS with them)"},
    {"ECAM.DEGRADED", kDegraded.Offset(), shm::FieldType::Byte, shm::Writer::Host,
     "degraded mode: no key lit, CLR unlit, only EMER CANC and ALL to RCL may request a page"},
};

}  // namespace ecam
