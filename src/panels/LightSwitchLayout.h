// The light switch panel's fields in the generic segment (A320 region; the
// A330 region has the same layout at its own blocks).
//
// Output block: byte 0 is the host's: non-zero takes the panel over (the
// panel then follows its output block). The panel writes the in-state of
// each button at +3 + i and the up and down flags of each switch at
// +6 + 2i and +7 + 2i.
// Input block: the upper and lower legend light of each button at 2i and
// 2i + 1, the lamp test at 6.
#pragma once

#include <cstdint>

#include "panels/PanelBlocks.h"
#include "shm/SimSegment.h"

namespace lights {

inline constexpr int kSwitches = 15;
inline constexpr int kButtons = 3;
inline constexpr std::uint32_t kOut = blocks::kLightSwitch.a320.out;
inline constexpr std::uint32_t kIn = blocks::kLightSwitch.a320.in;

// Output block.
inline constexpr GenField<std::uint8_t> kRemoteHold{kOut + 0};
inline constexpr GenField<std::uint8_t> kButtonState{kOut + 3};  // + i
inline constexpr GenField<std::uint8_t> kSwitchUp{kOut + 6};     // + 2i
inline constexpr GenField<std::uint8_t> kSwitchDown{kOut + 7};   // + 2i

// Input block.
inline constexpr GenField<std::uint8_t> kUpperLight{kIn + 0};  // + 2i
inline constexpr GenField<std::uint8_t> kLowerLight{kIn + 1};  // + 2i
inline constexpr GenField<std::uint8_t> kLampTest{kIn + 6};

static_assert(kOut + 7 + 2 * (kSwitches - 1) < Gensim_Shm::kSize);

}  // namespace lights
