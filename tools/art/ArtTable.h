// The default art set as data: one row per picture family that a panel names,
// in panel order, and the expansion of each row into the files that the
// controls ask for (folder and slot names per control kind).
//
// Plain C++ (no Qt), so that the tests can walk the same table.
#pragma once

#include <string>
#include <vector>

namespace art {

struct Rgb {
    unsigned char r, g, b;
};

// The panels' plate colour on the main picture. Pictures of knobs, switches
// and levers have it as their background, so that they sit on the plates
// without a seam.
inline constexpr Rgb kPanelGrey{82, 97, 114};

// Colours of legends and lights.
inline constexpr Rgb kAmber{255, 157, 36};
inline constexpr Rgb kWhite{240, 240, 236};
inline constexpr Rgb kBlue{70, 170, 255};
inline constexpr Rgb kGreen{60, 232, 96};
inline constexpr Rgb kRed{255, 52, 40};
inline constexpr Rgb kCyan{90, 230, 255};

// Legend texts with a meaning of their own: two short bars, a gear-down
// triangle, and arrows. A '\n' in a legend splits it into two lines.
inline constexpr const char* kBars = "#bars";
inline constexpr const char* kTriangle = "#triangle";
inline constexpr const char* kArrowLeft = "#left";
inline constexpr const char* kArrowRight = "#right";
inline constexpr const char* kArrowUp = "#up";
inline constexpr const char* kArrowDown = "#down";

enum class Kind {
    PushButton,  // Buttons\<folder>: legend set and on/off set
    Light,       // <folder>: On and Off
    Switch,      // Switches\<file> for up, middle, down
    Knob,        // Knobs\<folder>: Knob000 .. Knob315
    RotaryKnob,  // RotaryKnobs\<file> for resting, pushed, pulled
    Lever,       // Levers\<folder>\<file> per detent
    Guard,       // Guards\<folder>: cover pictures and guard bars
    Glyphs,      // DigitalDisplay: the 39-slot glyph table
};

// How a family is drawn.
enum class Look {
    // push-buttons
    Legends,   // square face with an upper and a lower legend
    Key,       // keyboard key whose label lights
    BarKey,    // key with a label and a green light bar above it
    RoundKey,  // small round push-button
    // lights
    Annunciator,  // legend on a black face
    LcdLabel,     // word on a display window: one word lit, another when unlit
    Dot,          // round lamp
    Arrow,        // red down arrow
    Mask,         // blanking plate, hatched when lit
    Overlay,      // dark glass over a unit that is switched off
    TrimScale,    // pitch trim scale
    TrimMark,     // pitch trim index mark
    ThrustLeft,   // left thrust lever at one detent
    ThrustRight,  // right thrust lever at one detent
    // switches
    ToggleBat,
    ToggleBall,
    ToggleFlat,
    EngineMaster,
    GearLever,
    ParkBrake,
    GravityCrank,
    TrimWheel,
    // knobs
    BarKnob,    // pointer-shaped selector
    RoundKnob,  // round selector with a pointer line
    // rotary knobs
    FcuKnob,
    BaroKnob,
    DualKnob,
    CageKnob,
    // levers
    FlapLever,
    SpeedBrakeLever,
    // guards
    RedGuard,    // red wire guard, red cover
    BlackGuard,  // black wire guard, black cover
    RedPlate,    // red plate cover
    BlackPlate,  // black plate cover
    // glyphs
    SevenSegment,
};

struct Legend {
    const char* text = "";
    Rgb colour = kWhite;
};

struct LeverDetent {
    const char* file;
    const char* label;
    int centrePercent;  // the handle's place, inside the detent's click area
};

struct ArtEntry {
    int panel;  // the first panel (in number order) that names the family
    Kind kind;
    Look look;
    const char* folder;  // folder below the bitmap folder ("Buttons\\FaultOff")
    int width;
    int height;
    Legend upper;  // legend, lit word, label
    Legend lower;  // second legend, unlit word
    // Switches: files for up, middle and down (nullptr where a position has
    // no picture of its own). Rotary knobs: resting, pushed, pulled.
    const char* files[3] = {nullptr, nullptr, nullptr};
    unsigned positions = 0;  // knobs: bit n marks position n as used
    int variant = 0;         // thrust levers: the detent code
    const LeverDetent* detents = nullptr;
    int detentCount = 0;
};

// One file of the set: its name below the bitmap folder in Windows form
// ("Buttons\\FaultOff\\TopIn.bmp") and which picture of its row it holds.
struct ArtFile {
    const ArtEntry* entry;
    std::string name;
    int variant;
};

// Variants of a push-button: the legend slots 0..7, then the on/off slots.
inline constexpr int kOnOffVariant = 8;

// Variants of a guard folder.
enum GuardVariant {
    kCoverUp = 0,
    kCoverDown,
    kGuardTop,
    kGuardBottom,
    kGuardLeft,
    kGuardRight,
    kGuardVertical,
    kGuardHorizontal,
    kGuardOpenTop,
    kGuardOpenBottom,
    kGuardVariantCount
};

// Rotary knob variants.
enum RotaryVariant { kResting = 0, kPushed = 1, kPulled = 2 };

// The whole table, in panel order.
const std::vector<ArtEntry>& Table();

// The files of one row.
std::vector<ArtFile> FilesOf(const ArtEntry& entry);

// The files of the whole table; a name is listed once, with the first row that
// produces it.
std::vector<ArtFile> AllFiles();

// A Windows-style name as a relative path with forward slashes.
std::string ToRelativePath(const std::string& windowsName);

// Whether two files of one row must have one size: every picture of a control
// replaces another in the same place, except the cover pictures (the raised
// cover is a strip along the top, so the button under it stays visible) and
// the guard bars.
bool SameSizeGroup(const ArtFile& file);

// Width and height of a guard's pieces, from the default guard geometry
// (bars around a push-button of about 35 x 35 pixels).
void GuardPieceSize(const ArtEntry& entry, int variant, int& width, int& height);

// The glyph table: file name per slot ("" for the two empty slots).
inline constexpr int kGlyphSlots = 39;
extern const char* const kGlyphNames[kGlyphSlots];

}  // namespace art
