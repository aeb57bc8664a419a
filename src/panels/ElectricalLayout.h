// The electrical panel's fields in the generic segment.
//
// Output block (written by the panel): the state byte of each of the 11
// push-buttons at +3 + i (1 in, 0 out); bytes 0 to 2 are not written.
// Input block (written by the host): the two display values as floats, the
// top and bottom light of each button, the lamp test and the two preset
// requests.
#pragma once

#include <cstdint>

#include "panels/PanelBlocks.h"
#include "shm/FieldInfo.h"
#include "shm/SimSegment.h"

namespace elec {

inline constexpr int kButtons = 11;
inline constexpr std::uint32_t kOut = blocks::kElectrical.out;
inline constexpr std::uint32_t kIn = blocks::kElectrical.in;

// Output block.
inline constexpr GenField<std::uint8_t> kButtonState{kOut + 3};  // + i

// Input block.
inline constexpr GenField<float> kDisplay1{kIn + 0};
inline constexpr GenField<float> kDisplay2{kIn + 4};
inline constexpr GenField<std::uint8_t> kTopLight{kIn + 8};     // + 2i
inline constexpr GenField<std::uint8_t> kBottomLight{kIn + 9};  // + 2i
inline constexpr GenField<std::uint8_t> kLampTest{kIn + 30};
inline constexpr GenField<std::uint8_t> kColdPreset{kIn + 31};
inline constexpr GenField<std::uint8_t> kAllOnPreset{kIn + 32};

// The last fields of each block must lie inside the segment.
static_assert(kOut + 3 + kButtons <= Gensim_Shm::kSize);
static_assert(kIn + 9 + 2 * (kButtons - 1) < kIn + 30);

// The display values; the rows of the buttons, lights, lamp test and presets
// come from the panel's tables.
inline constexpr shm::FieldRow kDisplayFields[] = {
    {"ELEC.DISPLAY_1", kDisplay1.Offset(), shm::FieldType::Float, shm::Writer::Host,
     "value of display 1 (shown 00.0 to 99.9)"},
    {"ELEC.DISPLAY_2", kDisplay2.Offset(), shm::FieldType::Float, shm::Writer::Host,
     "value of display 2 (shown 00.0 to 99.9)"},
};

}  // namespace elec
