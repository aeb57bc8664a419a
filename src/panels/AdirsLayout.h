// The ADIRS panel's fields in the generic segment.
//
// Output block (written by the panel): the state byte of each button row at
// +3 + r (rows 0 to 2: the reference units' on/off toggles; rows 3 to 5:
// always 1; keys: 1 while in), the entry text (17 characters, copied every
// update), the ENT signal and the five knob positions as ints.
// Input block (written by the host): the display text, the ON BAT light, the
// light bytes of the buttons and keys, the lamp test and the two presets.
#pragma once

#include <array>
#include <cstdint>

#include "panels/PanelBlocks.h"
#include "shm/FieldInfo.h"
#include "shm/SimSegment.h"

namespace adirs {

inline constexpr int kRows = 18;
inline constexpr int kUnits = 3;  // reference-unit buttons, rows 0 to 2
inline constexpr int kKnobs = 5;
inline constexpr std::size_t kTextSize = 17;
inline constexpr std::uint32_t kOut = blocks::kAdiru.out;
inline constexpr std::uint32_t kIn = blocks::kAdiru.in;

// Output block.
inline constexpr GenField<std::uint8_t> kRowState{kOut + 3};  // + r
inline constexpr GenField<std::array<char, kTextSize>> kEntryText{kOut + 21};
inline constexpr GenField<std::uint8_t> kEntSignal{kOut + 38};
inline constexpr GenField<std::int32_t> kKnobPosition{kOut + 40};  // + 4k

// Input block.
inline constexpr GenText<kTextSize> kHostText{kIn + 0};
inline constexpr GenField<std::uint8_t> kOnBatLight{kIn + 17};
inline constexpr GenField<std::uint8_t> kTopLight{kIn + 18};     // + 2r, rows 0 to 5
inline constexpr GenField<std::uint8_t> kBottomLight{kIn + 19};  // + 2r, rows 0 to 5
inline constexpr GenField<std::uint8_t> kKeyLight{kIn + 18};     // + 2k, key index k
inline constexpr GenField<std::uint8_t> kEntLight{kIn + 18 + 2 * 16};
inline constexpr GenField<std::uint8_t> kLampTest{kIn + 54};
inline constexpr GenField<std::uint8_t> kColdPreset{kIn + 55};
inline constexpr GenField<std::uint8_t> kAllOnPreset{kIn + 56};

static_assert(kOut + 40 + 4 * kKnobs <= Gensim_Shm::kSize);
static_assert(3 + kRows <= 21, "row states end before the entry text");

// The fields the rows do not describe.
inline constexpr shm::FieldRow kExtraFields[] = {
    shm::FieldRow{
        "ADIRS.UNIT_%d.STATE", kRowState.Offset(), shm::FieldType::Byte, shm::Writer::Program,
        "reference unit on (1) or off (0): each click on its button toggles it", kUnits, 1}
        .In(0, 1),
    {"ADIRS.ENTRY_TEXT", kEntryText.Offset(), shm::FieldType::Text, shm::Writer::Program,
     "the keypad entry (17 characters, all NUL when cleared)", 1, 0, kTextSize},
    shm::FieldRow{
        "ADIRS.ENT", kEntSignal.Offset(), shm::FieldType::Byte, shm::Writer::Program,
        "ENT signal: 1 for 50 updates after ENT, then until the host puts the ENT light out"}
        .In(0, 1),
    {"ADIRS.DISPLAY_TEXT", kHostText.Offset(), shm::FieldType::Text, shm::Writer::Host,
     "the display text shown while no entry is in progress (16 shown)", 1, 0, kTextSize},
};

}  // namespace adirs
