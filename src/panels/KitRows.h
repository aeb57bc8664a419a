// The rows from which a panel is described: one static table per control
// kind, one row per control, and the panel's description that ties them to
// its blocks in the generic segment. A panel built on CKitPanel is its
// description plus the few rules that go beyond the common pattern.
//
// Offsets in rows are bytes from the start of the panel's output block (what
// the panel writes) or input block (what the host writes); kNone means the
// control has no such field.
//
// Presets are columns: each row's `presets` text holds one character per
// preset of the panel, in the order of the panel's preset rows. For a
// push-button 'I' forces it in, 'O' out; for a switch, knob or lever a digit
// forces that position or detent; '.', ' ' or a missing character keeps the
// control as it is.
#pragma once

#include <climits>
#include <cstdint>
#include <span>

#include "controls/CLever.h"
#include "panels/PanelBlocks.h"
#include "shm/FieldInfo.h"

namespace kit {

inline constexpr std::uint32_t kNone = blocks::kNoBlock;
// A row's A330-layout position when it is the same as its A320 one.
inline constexpr int kSame = INT_MIN;

// In which control layout a control is drawn and takes the mouse.
enum class Layout : std::uint8_t { Both, A320, A330 };

// How a control's state goes into its output field.
enum class Enc : std::uint8_t {
    None,      // not published
    Byte,      // push-button: 1 in, 0 out; others: the position as a byte
    Inverted,  // push-button: 1 out, 0 in
    Int32,     // the position or detent as a 32-bit int
    Flags,     // switch: two bytes, (1, 0) up or left, (0, 1) down or right
    OneAt,     // 1 while the position is `value`, else 0
    OneHot,    // one byte per position from the field on, 1 at the position
               // (`value` bytes when given, else one per position the kind has)
};

struct Out {
    std::uint32_t offset = kNone;
    Enc enc = Enc::None;
    std::int8_t value = 0;
};
constexpr Out Byte(std::uint32_t offset) {
    return {offset, Enc::Byte};
}
constexpr Out Inverted(std::uint32_t offset) {
    return {offset, Enc::Inverted};
}
constexpr Out Int32(std::uint32_t offset) {
    return {offset, Enc::Int32};
}
constexpr Out Flags(std::uint32_t offset) {
    return {offset, Enc::Flags};
}
constexpr Out OneAt(std::uint32_t offset, int position) {
    return {offset, Enc::OneAt, static_cast<std::int8_t>(position)};
}
constexpr Out OneHot(std::uint32_t offset) {
    return {offset, Enc::OneHot};
}
// One-hot over the first `count` positions only (a lever with five detents
// owns five bytes, not eight).
constexpr Out OneHot(std::uint32_t offset, int count) {
    return {offset, Enc::OneHot, static_cast<std::int8_t>(count)};
}
// Positions a one-hot field covers for a control with the given number.
constexpr int OneHotCount(const Out& out, int positions) {
    return out.value > 0 && out.value < positions ? out.value : positions;
}
inline constexpr Out kNoOutput{};

// Bytes of the segment an output field covers for a control with the given
// number of positions.
constexpr std::uint32_t Width(const Out& out, int positions = 8) {
    switch (out.enc) {
        case Enc::None:
            return 0;
        case Enc::Int32:
            return 4;
        case Enc::Flags:
            return 2;
        case Enc::OneHot:
            return static_cast<std::uint32_t>(OneHotCount(out, positions));
        default:
            return 1;
    }
}

// Where a push-button's lights come from.
enum class Lit : std::uint8_t {
    Pair,      // top and bottom light bytes (non-zero lit), and the lamp test
    One,       // one light byte (on/off buttons), and the lamp test
    TestOnly,  // only the lamp test lights it
    None,      // never lit
    Panel,     // the panel's own rule (CKitPanel::ButtonLit), and the lamp test
};
struct Lights {
    Lit mode = Lit::TestOnly;
    std::uint32_t top = kNone;
    std::uint32_t bottom = kNone;
};
constexpr Lights Pair(std::uint32_t top, std::uint32_t bottom) {
    return {Lit::Pair, top, bottom};
}
constexpr Lights One(std::uint32_t at) {
    return {Lit::One, at, kNone};
}
inline constexpr Lights kTestOnly{Lit::TestOnly};
inline constexpr Lights kPanelLit{Lit::Panel};
inline constexpr Lights kUnlit{Lit::None};

// A push-button the panel holds in every update.
enum class Held : std::uint8_t { No, Always, InA330Layout };

// The builders that every row kind shares: each returns a copy of the row
// with one column set, so that a row with a few non-default columns reads as
// one expression, e.g. ButtonRow{...}.Drawn(Layout::A330).Presets("I.").
#define KIT_PLACE_BUILDERS(Row)                 \
    constexpr Row Drawn(Layout layout) const {  \
        Row row = *this;                        \
        row.drawn = layout;                     \
        return row;                             \
    }                                           \
    constexpr Row At330(int ax, int ay) const { \
        Row row = *this;                        \
        row.x330 = ax;                          \
        row.y330 = ay;                          \
        return row;                             \
    }
#define KIT_PRESET_BUILDERS(Row)                       \
    constexpr Row Presets(const char* columns) const { \
        Row row = *this;                               \
        row.presets = columns;                         \
        return row;                                    \
    }                                                  \
    constexpr Row Id(int identifier) const {           \
        Row row = *this;                               \
        row.id = identifier;                           \
        return row;                                    \
    }

struct ButtonRow {
    const char* label;    // the function on the aircraft, e.g. "BAT 1"
    const char* picture;  // e.g. "Buttons\FaultOff"
    int x;                // from the panel origin, unscaled
    int y;
    Out out = kNoOutput;
    Lights lights = kTestOnly;
    std::uint8_t momentary = 0;
    std::uint8_t onOff = 0;  // the four on/off pictures
    Held held = Held::No;
    Layout drawn = Layout::Both;
    const char* presets = "";
    int id = -1;  // the control's identifier; -1: its row index
    int x330 = kSame;
    int y330 = kSame;

    constexpr ButtonRow Momentary() const {
        ButtonRow row = *this;
        row.momentary = 1;
        return row;
    }
    constexpr ButtonRow OnOff() const {
        ButtonRow row = *this;
        row.onOff = 1;
        return row;
    }
    constexpr ButtonRow Hold(Held how = Held::Always) const {
        ButtonRow row = *this;
        row.held = how;
        return row;
    }
    KIT_PLACE_BUILDERS(ButtonRow)
    KIT_PRESET_BUILDERS(ButtonRow)
};

// A cover or guard over a push-button: while closed the button is locked.
struct CoverRow {
    const char* label;
    const char* picture;  // e.g. "Guards\StandardRed"
    int button;           // the row of the covered button
    // While closed the button is neither updated nor drawn and publishes 0.
    std::uint8_t gates = 0;
    // The button is drawn after the cover, and only while the cover is open.
    std::uint8_t hides = 0;
};

struct SwitchRow {
    const char* label;
    int type;                 // 1 to 6 (see CSwitchClass)
    const char* pictures[3];  // in the Switches folder: up, middle, down
    int x;
    int y;
    Out out = kNoOutput;
    int initial = 0;
    Layout drawn = Layout::Both;
    const char* presets = "";
    int id = -1;
    int x330 = kSame;
    int y330 = kSame;

    constexpr SwitchRow Initial(int position) const {
        SwitchRow row = *this;
        row.initial = position;
        return row;
    }
    KIT_PLACE_BUILDERS(SwitchRow)
    KIT_PRESET_BUILDERS(SwitchRow)
};

struct KnobRow {
    const char* label;
    const char* picture;  // e.g. "Knobs\XBleed"
    int x;
    int y;
    const char* present;  // the present positions as digits, e.g. "0123"
    Out out = kNoOutput;
    int initial = 0;
    int verticalMargin = 0;  // either margin non-zero: the margin zones
    int horizontalMargin = 0;
    Layout drawn = Layout::Both;
    const char* presets = "";
    int id = -1;
    int x330 = kSame;
    int y330 = kSame;
    // The A330 layout's pictures and present positions; null: the same.
    const char* picture330 = nullptr;
    const char* present330 = nullptr;

    constexpr KnobRow For330(const char* picture, const char* present) const {
        KnobRow row = *this;
        row.picture330 = picture;
        row.present330 = present;
        return row;
    }
    constexpr KnobRow Margins(int vertical, int horizontal) const {
        KnobRow row = *this;
        row.verticalMargin = vertical;
        row.horizontalMargin = horizontal;
        return row;
    }
    constexpr KnobRow Initial(int position) const {
        KnobRow row = *this;
        row.initial = position;
        return row;
    }
    KIT_PLACE_BUILDERS(KnobRow)
    KIT_PRESET_BUILDERS(KnobRow)
};

struct LeverRow {
    const char* label;
    const LeverDetent (*detents)[CLever::kDetentCount];
    int x;
    int y;
    Out out = kNoOutput;
    int initial = 0;
    Layout drawn = Layout::Both;
    const char* presets = "";
    int id = -1;
    int x330 = kSame;
    int y330 = kSame;

    KIT_PLACE_BUILDERS(LeverRow)
    KIT_PRESET_BUILDERS(LeverRow)
};

// Where a light's state comes from.
enum class Source : std::uint8_t {
    Byte,         // input byte non-zero
    Int32Equals,  // 32-bit input int equal to `value`
    Panel,        // the panel's own rule (CKitPanel::LightLit)
};
struct LightRow {
    const char* label;
    const char* picture;  // e.g. "Lights\FuelMaskL"
    int x;
    int y;
    std::uint32_t input = kNone;
    Source source = Source::Byte;
    std::int32_t value = 0;
    std::uint8_t lampTest = 1;  // the lamp test lights it
    Layout drawn = Layout::Both;
    int x330 = kSame;
    int y330 = kSame;

    constexpr LightRow NoLampTest() const {
        LightRow row = *this;
        row.lampTest = 0;
        return row;
    }
    KIT_PLACE_BUILDERS(LightRow)
};

struct DisplayRow {
    const char* label;
    int cells;
    int x;
    int y;
    Layout drawn = Layout::Both;
    int x330 = kSame;
    int y330 = kSame;

    KIT_PLACE_BUILDERS(DisplayRow)
};

struct RotaryRow {
    const char* label;
    const char* pictures[3];  // in the RotaryKnobs folder: pulled, pushed, resting
    int x;
    int y;
    int step = 1;
    int maximum = 0;
    int minimum = 0;
    Layout drawn = Layout::Both;
    int x330 = kSame;
    int y330 = kSame;

    KIT_PLACE_BUILDERS(RotaryRow)
};

// The detents a lever's one-hot field covers: up to its last present detent.
constexpr int DetentCount(const LeverRow& row) {
    int count = 0;
    if (row.detents == nullptr)
        return count;
    for (int d = 0; d < CLever::kDetentCount; ++d) {
        const LeverDetent& detent = (*row.detents)[d];
        if (detent.present && detent.picture != nullptr && detent.picture[0] != '\0' &&
            detent.picture[1] != '\0' && detent.picture[2] != '\0')
            count = d + 1;
    }
    return count;
}

// A preset of the panel: the column of that index in every row.
struct PresetRow {
    const char* name;               // for the host, e.g. "COLD_PRESET"
    std::uint32_t request = kNone;  // input byte that applies it every update while non-zero
    std::uint8_t allOn = 0;         // SetAllOn applies it
    std::uint8_t writeAtOnce = 0;   // SetAllOn also writes the outputs at once
    std::uint8_t atStart = 0;       // applied and written at the end of Initialise
};

struct PanelDescription {
    const char* className;  // for the messages, e.g. "CA320_FuelPanel"
    const char* progress;   // the progress line, e.g. "Initialising FEUL Panel items"
    const char* prefix;     // host field names, e.g. "FUEL"
    const char* title;      // host heading, e.g. "Fuel panel"
    blocks::TypedBlocks regions;
    bool typeDependent = false;  // false: always the A320 region
    std::uint32_t lampTest = kNone;
    std::span<const PresetRow> presets = {};
    bool coversAfterButtons = false;
    // While the remote-hold flag is set the panel follows its output block.
    bool followsRemoteHold = true;
    std::span<const ButtonRow> buttons = {};
    std::span<const CoverRow> covers = {};
    std::span<const SwitchRow> switches = {};
    std::span<const KnobRow> knobs = {};
    std::span<const LeverRow> levers = {};
    std::span<const LightRow> lights = {};
    std::span<const DisplayRow> displays = {};
    std::span<const RotaryRow> rotaries = {};
    // Panels in several instances: side s moves the blocks by s strides.
    int sides = 1;
    std::uint32_t sideOutStride = 0;
    std::uint32_t sideInStride = 0;
    // Panels whose sides lie apart: the blocks of each side (instead of
    // regions and strides when not empty).
    std::span<const blocks::TypedBlocks> sideRegions = {};
    // The panel's fields that its rows do not describe (display values,
    // texts, mode bytes), for the host tools; absolute offsets per side.
    std::span<const shm::FieldRow> (*extraFields)(int side) = nullptr;
    // Panels with their own message for a failing group: the message (after
    // "<class>::Initialise --> ") comes first, the control's own text after it.
    const char* switchesFailure = nullptr;
    const char* knobsFailure = nullptr;
};

// The preset action of a row's column: 'I', 'O', a digit, or 0 to keep.
constexpr char PresetAction(const char* presets, std::size_t index) {
    for (std::size_t i = 0; presets != nullptr && presets[i] != '\0'; ++i) {
        if (i == index)
            return presets[i] == '.' || presets[i] == ' ' ? '\0' : presets[i];
    }
    return '\0';
}

constexpr bool DrawnIn(Layout drawn, bool a320Layout) {
    return drawn == Layout::Both || (drawn == Layout::A320) == a320Layout;
}

#undef KIT_PLACE_BUILDERS
#undef KIT_PRESET_BUILDERS

}  // namespace kit
