// The MCDUs' fields in the generic segment.
//
// Each MCDU has a key block of 88 bytes that the panel writes (key codes,
// the CLR handshake and the scratch pad) and a page block of 700 bytes that
// the host writes (annunciator requests, the 14 screen lines as character
// and attribute pairs, the scratch-pad message). The A320 blocks of MCDU i
// start 88 i and 700 i after those of MCDU 0; the A330 region has its own.
#pragma once

#include <array>
#include <cstdint>

#include "shm/FieldInfo.h"
#include "shm/SimSegment.h"

namespace mcdu {

inline constexpr int kSides = 3;  // captain, first officer, a third one accepted
inline constexpr std::uint32_t kKeyBlockSize = 88;
inline constexpr std::uint32_t kPageBlockSize = 700;

struct Region {
    std::uint32_t keyBlock;   // MCDU 0
    std::uint32_t pageBlock;  // MCDU 0
};
inline constexpr Region kA320{130824, 126736};
inline constexpr Region kA330{76228, 71952};

// Key block (offsets from its start).
inline constexpr std::uint32_t kClrLocal = 0;      // byte: CLR used on the own scratch pad
inline constexpr std::uint32_t kClrRequest = 1;    // byte: CLR request to the MCDU
inline constexpr std::uint32_t kMessageTaken = 2;  // byte: pulse after a message was taken
inline constexpr std::uint32_t kLineKeyCode = 4;   // int32: line-select or arrow key held
inline constexpr std::uint32_t kPageKeyCode = 8;   // int32: page key held
inline constexpr std::uint32_t kScratchPad = 12;   // char[25]
inline constexpr std::uint32_t kScratchPadSize = 25;

// Page block (offsets from its start).
inline constexpr std::uint32_t kLeftLights = 0;       // int32: 0 off, 1 top, 2 bottom, 3 both
inline constexpr std::uint32_t kRightLights = 4;      // int32
inline constexpr std::uint32_t kTitleLine = 8;        // 24 x (char, attribute)
inline constexpr std::uint32_t kDataLines = 58;       // + 50 i, i = 0..5
inline constexpr std::uint32_t kScrollMark = 360;     // byte
inline constexpr std::uint32_t kPageValid = 361;      // byte
inline constexpr std::uint32_t kMessage = 363;        // char[25]
inline constexpr std::uint32_t kMessageColour = 388;  // int32: 0 white 1 amber 2 red 3 cyan
inline constexpr std::uint32_t kLabelLines = 392;     // + 50 i, i = 0..5
inline constexpr std::uint32_t kLineStride = 50;
inline constexpr int kColumns = 24;
inline constexpr int kRows = 6;
// The part of the page block that the panel copies: 0..359 and 360..691.
inline constexpr std::uint32_t kCopyFirstPart = 360;
inline constexpr std::uint32_t kCopySize = 692;

// Attribute byte of a screen cell.
inline constexpr std::uint8_t kColourMask = 0x1C;
inline constexpr std::uint8_t kLargeBit = 0x02;

using ScratchPadField = std::array<char, kScratchPadSize>;

// The blocks of one MCDU, chosen by the aircraft type code.
struct Blocks {
    std::uint32_t key;
    std::uint32_t page;
};
constexpr Blocks BlocksOf(const Region& region, int side) {
    return Blocks{region.keyBlock + kKeyBlockSize * static_cast<std::uint32_t>(side),
                  region.pageBlock + kPageBlockSize * static_cast<std::uint32_t>(side)};
}

// The A320 blocks of all three sides lie inside the segment.
static_assert(BlocksOf(kA320, kSides - 1).key + kKeyBlockSize <= Gensim_Shm::kSize);
static_assert(BlocksOf(kA320, kSides - 1).page + kPageBlockSize <= kA320.keyBlock);

// Where the screen lies on the panel and where its data lines are: the row
// table that the cockpit manager loads (added to the panel's y), and the
// screen rectangle between the line-select keys (from the panel origin).
inline constexpr int kRowTable[kRows] = {76, 97, 119, 141, 163, 185};
inline constexpr int kScreenLeft = 44;
inline constexpr int kScreenTop = 28;
inline constexpr int kScreenRight = 272;
inline constexpr int kScreenBottom = 222;
// The font and symbol scale of the screens.
inline constexpr double kScreenScale = 0.4;

#define SKYLID_MCDU_ROWS(P, SIDE)                                                                 \
    shm::FieldRow{P ".CLR_LOCAL", BlocksOf(kA320, SIDE).key + kClrLocal, shm::FieldType::Byte,    \
                  shm::Writer::Program,                                                           \
                  "1 while a CLR press is used on the panel's own scratch pad"}                   \
        .In(0, 1),                                                                                \
        shm::FieldRow{P ".CLR_REQUEST", BlocksOf(kA320, SIDE).key + kClrRequest,                  \
                      shm::FieldType::Byte, shm::Writer::Program,                                 \
                      "1 while CLR is held after a press on an empty scratch pad"}                \
            .In(0, 1),                                                                            \
        shm::FieldRow{P ".MESSAGE_TAKEN", BlocksOf(kA320, SIDE).key + kMessageTaken,              \
                      shm::FieldType::Byte, shm::Writer::Program,                                 \
                      "1 for five updates after the panel took the scratch-pad message"}          \
            .In(0, 1),                                                                            \
        shm::FieldRow{                                                                            \
            P ".LINE_KEY", BlocksOf(kA320, SIDE).key + kLineKeyCode, shm::FieldType::Int32,       \
            shm::Writer::Program,                                                                 \
            "line-select or arrow key held: 1-6 left, 7-12 right, 13 up, 14 down, 15 left, "      \
            "16 right (the up key sends 14, the down key 13); 0 none"}                            \
            .In(0, 16),                                                                           \
        shm::FieldRow{                                                                            \
            P ".PAGE_KEY", BlocksOf(kA320, SIDE).key + kPageKeyCode, shm::FieldType::Int32,       \
            shm::Writer::Program,                                                                 \
            "page key held: 1 DIR, 2 PROG, 3 PERF, 4 INIT, 5 F-PLN, 6 SEC F-PLN, 7 RAD NAV, "     \
            "8 FUEL PRED, 9 MENU, 10 AIRPORT, 11 DATA; 0 none"}                                   \
            .In(0, 11),                                                                           \
        {P ".SCRATCH_PAD",                                                                        \
         BlocksOf(kA320, SIDE).key + kScratchPad,                                                 \
         shm::FieldType::Text,                                                                    \
         shm::Writer::Program,                                                                    \
         "the scratch pad (25 characters, unterminated when full)",                               \
         1,                                                                                       \
         0,                                                                                       \
         kScratchPadSize},                                                                        \
        {P ".LIGHTS_LEFT", BlocksOf(kA320, SIDE).page + kLeftLights, shm::FieldType::Int32,       \
         shm::Writer::Host, "left annunciators: 0 off, 1 top, 2 bottom, 3 both"},                 \
        {P ".LIGHTS_RIGHT", BlocksOf(kA320, SIDE).page + kRightLights, shm::FieldType::Int32,     \
         shm::Writer::Host, "right annunciators: 0 off, 1 top, 2 bottom, 3 both"},                \
        {P ".TITLE.CHAR_%d",                                                                      \
         BlocksOf(kA320, SIDE).page + kTitleLine,                                                 \
         shm::FieldType::Byte,                                                                    \
         shm::Writer::Host,                                                                       \
         "title line: character of column i (always large)",                                      \
         kColumns,                                                                                \
         2},                                                                                      \
        {P ".TITLE.ATTR_%d",                                                                      \
         BlocksOf(kA320, SIDE).page + kTitleLine + 1,                                             \
         shm::FieldType::Byte,                                                                    \
         shm::Writer::Host,                                                                       \
         "title line: attribute of column i (0 empty; colour 4 green 8 yellow 12 red 16 white "   \
         "20 blue 24 amber 0/28 magenta)",                                                        \
         kColumns,                                                                                \
         2},                                                                                      \
        SKYLID_MCDU_LINE(P, SIDE, 1), SKYLID_MCDU_LINE(P, SIDE, 2), SKYLID_MCDU_LINE(P, SIDE, 3), \
        SKYLID_MCDU_LINE(P, SIDE, 4), SKYLID_MCDU_LINE(P, SIDE, 5), SKYLID_MCDU_LINE(P, SIDE, 6), \
        {P ".SCROLL_MARK", BlocksOf(kA320, SIDE).page + kScrollMark, shm::FieldType::Byte,        \
         shm::Writer::Host, "non-zero: the up/down arrows at the end of the scratch-pad line"},   \
        {P ".PAGE_VALID", BlocksOf(kA320, SIDE).page + kPageValid, shm::FieldType::Byte,          \
         shm::Writer::Host, "the page is drawn only while non-zero"},                             \
        shm::FieldRow{                                                                            \
            P ".MESSAGE",                                                                         \
            BlocksOf(kA320, SIDE).page + kMessage,                                                \
            shm::FieldType::Text,                                                                 \
            shm::Writer::Host,                                                                    \
            "scratch-pad message; the panel empties it when taken; \"@\" clears the scratch pad", \
            1,                                                                                    \
            0,                                                                                    \
            kScratchPadSize}                                                                      \
            .Consumed(),                                                                          \
    {                                                                                             \
        P ".MESSAGE_COLOUR", BlocksOf(kA320, SIDE).page + kMessageColour, shm::FieldType::Int32,  \
            shm::Writer::Host, "colour of the message: 0 white, 1 amber, 2 red, 3 cyan"           \
    }

// Data line N and the label line above it: the 24 characters as one text
// field (a NUL ends the text as the host reads it) and the attributes.
#define SKYLID_MCDU_LINE(P, SIDE, N)                                                \
    {P ".LINE_" #N ".CHAR_%d",                                                      \
     BlocksOf(kA320, SIDE).page + kDataLines + kLineStride * (N - 1),               \
     shm::FieldType::Byte,                                                          \
     shm::Writer::Host,                                                             \
     "data line " #N ": character of column i",                                     \
     kColumns,                                                                      \
     2},                                                                            \
        {P ".LINE_" #N ".ATTR_%d",                                                  \
         BlocksOf(kA320, SIDE).page + kDataLines + kLineStride * (N - 1) + 1,       \
         shm::FieldType::Byte,                                                      \
         shm::Writer::Host,                                                         \
         "data line " #N ": attribute of column i (bit 1 large, else small)",       \
         kColumns,                                                                  \
         2},                                                                        \
        {P ".LABEL_" #N ".CHAR_%d",                                                 \
         BlocksOf(kA320, SIDE).page + kLabelLines + kLineStride * (N - 1),          \
         shm::FieldType::Byte,                                                      \
         shm::Writer::Host,                                                         \
         "label line above data line " #N ": character of column i (always small)", \
         kColumns,                                                                  \
         2},                                                                        \
    {                                                                               \
        P ".LABEL_" #N ".ATTR_%d",                                                  \
            BlocksOf(kA320, SIDE).page + kLabelLines + kLineStride*(N - 1) + 1,     \
            shm::FieldType::Byte, shm::Writer::Host,                                \
            "label line above data line " #N ": attribute of column i", kColumns, 2 \
    }

inline constexpr shm::FieldRow kFields0[] = {SKYLID_MCDU_ROWS("MCDU_0", 0)};
inline constexpr shm::FieldRow kFields1[] = {SKYLID_MCDU_ROWS("MCDU_1", 1)};

#undef SKYLID_MCDU_LINE
#undef SKYLID_MCDU_ROWS

}  // namespace mcdu
