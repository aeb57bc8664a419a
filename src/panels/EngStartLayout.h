// The engine start panel's fields in the generic segment (A320 region; the
// A330 region has the same layout at its own blocks).
//
// Output block: master switch 1 and 2 up (1) at +3 and +4; the mode
// selector one-hot at +5 (CRANK, position 7), +6 (NORM, position 0) and +7
// (IGN/START, position 1).
// Input block: the upper legend lights of indicators 1 and 2 at 0 and 1,
// their lower legend lights at 2 and 3, the lamp test at 4 and the all-on
// preset request at 6.
#pragma once

#include <cstdint>

#include "panels/PanelBlocks.h"
#include "shm/FieldInfo.h"
#include "shm/SimSegment.h"

namespace engstart {

inline constexpr std::uint32_t kOut = blocks::kEngineStart.a320.out;
inline constexpr std::uint32_t kIn = blocks::kEngineStart.a320.in;

// Output block.
inline constexpr GenField<std::uint8_t> kMasterUp{kOut + 3};  // + engine - 1
inline constexpr GenField<std::uint8_t> kModeCrank{kOut + 5};
inline constexpr GenField<std::uint8_t> kModeNorm{kOut + 6};
inline constexpr GenField<std::uint8_t> kModeIgnStart{kOut + 7};

// Input block.
inline constexpr GenField<std::uint8_t> kUpperLight{kIn + 0};  // + engine - 1
inline constexpr GenField<std::uint8_t> kLowerLight{kIn + 2};  // + engine - 1
inline constexpr GenField<std::uint8_t> kLampTest{kIn + 4};
inline constexpr GenField<std::uint8_t> kAllOnPreset{kIn + 6};

// The mode selector's bytes, which the rows do not describe.
inline constexpr shm::FieldRow kModeFields[] = {
    shm::FieldRow{"ENG_START.MODE_CRANK", kModeCrank.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program, "1 while the mode selector is at CRANK (position 7)"}
        .In(0, 1),
    shm::FieldRow{"ENG_START.MODE_NORM", kModeNorm.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program, "1 while the mode selector is at NORM (position 0)"}
        .In(0, 1),
    shm::FieldRow{"ENG_START.MODE_IGN_START", kModeIgnStart.Offset(), shm::FieldType::Byte,
                  shm::Writer::Program, "1 while the mode selector is at IGN/START (position 1)"}
        .In(0, 1),
};

}  // namespace engstart
