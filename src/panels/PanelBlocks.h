// Where each panel's blocks lie in the generic segment: the output block that
// the panel writes (its controls' positions) and the input block that the host
// writes (lights, display values, lamp test, preset requests). Panels that
// exist per aircraft family have an A320-region and an A330-region pair; the
// cockpit runs the A320 one. kNoBlock means the panel has no such block (0 is
// a real offset).
//
// Each block also carries its length: the bytes from its start to the end of
// its last field. The blocks lie end to end in the segment, several of them
// touching; the table at the end of this file lists every block of every
// panel, side and region, and a compile-time check keeps them apart and inside
// the segment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <span>
#include <string_view>

#include "shm/SimSegment.h"

namespace blocks {

inline constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;

struct PanelBlocks {
    std::uint32_t out;
    std::uint32_t in;
    // Bytes from the block's start to the end of its last field; 0 for kNoBlock.
    std::uint32_t outLength = 0;
    std::uint32_t inLength = 0;
};
inline constexpr PanelBlocks kNoBlocks{kNoBlock, kNoBlock};

// A320-only panels: {out, in, out length, in length}.
inline constexpr PanelBlocks kElectrical{129952, 129136, 14, 33};
inline constexpr PanelBlocks kEcamControl{130596, 129552, 16, 8};
// The ECAM control panel copies its output fields, at the same offsets, into a
// third block in the A330 region.
inline constexpr std::uint32_t kEcamControlThird = 76000;
inline constexpr std::uint32_t kEcamControlThirdLength = 16;
inline constexpr PanelBlocks kAdiru{129968, 129172, 60, 57};
inline constexpr PanelBlocks kFuel{130155, 129372, 8, 23};
inline constexpr PanelBlocks kAir{130172, 129409, 32, 15};
inline constexpr PanelBlocks kHydraulic{130163, 129396, 9, 13};
inline constexpr PanelBlocks kFire{130115, 129318, 14, 23};
inline constexpr PanelBlocks kFltCtlsLeft{130085, 129267, 6, 9};
inline constexpr PanelBlocks kCargoSmoke{130228, 129450, 8, 11};
inline constexpr PanelBlocks kFltCtlsRight{130091, 129276, 4, 11};
inline constexpr PanelBlocks kCargoHeat{130212, 129437, 16, 13};
inline constexpr PanelBlocks kGpws{130064, 129238, 8, 13};
inline constexpr PanelBlocks kCalls{130108, 129307, 7, 9};
inline constexpr PanelBlocks kEvacuation{130072, 129251, 6, 5};
inline constexpr PanelBlocks kRecorder{130095, 129287, 6, 9};
inline constexpr PanelBlocks kAntiIce{130132, 129343, 16, 13};

// Panels that exist per aircraft family: {A320 region, A330 region}.
struct TypedBlocks {
    PanelBlocks a320;
    PanelBlocks a330 = kNoBlocks;
};

// The aircraft region of a type code: 7 to 9 the A330 region, 10 to 13 the
// A320 region; every other code is an incorrect fit.
enum class Region { None, A320, A330 };
constexpr Region RegionOf(int typeCode) {
    if (typeCode >= 7 && typeCode <= 9)
        return Region::A330;
    if (typeCode >= 10 && typeCode <= 13)
        return Region::A320;
    return Region::None;
}

// The blocks and layout of a type-dependent panel for a type code; false for
// an incorrect fit (nothing changed).
constexpr bool ChooseRegion(const TypedBlocks& typed, int typeCode, PanelBlocks& chosen,
                            bool& a320Layout) {
    const Region region = RegionOf(typeCode);
    if (region == Region::None)
        return false;
    a320Layout = region == Region::A320;
    chosen = a320Layout ? typed.a320 : typed.a330;
    return true;
}

// A panel's two region pairs with the lengths its fields give (the same in
// both regions); a block that does not exist keeps length 0.
constexpr TypedBlocks Typed(PanelBlocks a320, PanelBlocks a330, std::uint32_t outLength,
                            std::uint32_t inLength) {
    for (PanelBlocks* pair : {&a320, &a330}) {
        pair->outLength = pair->out == kNoBlock ? 0 : outLength;
        pair->inLength = pair->in == kNoBlock ? 0 : inLength;
    }
    return {a320, a330};
}

inline constexpr TypedBlocks kLandingGear = Typed({130340, 129740}, {75724, 75108}, 16, 21);
inline constexpr TypedBlocks kLightSwitch = Typed({130028, 129229}, {75349, 74580}, 36, 7);
inline constexpr TypedBlocks kParkBrake = Typed({130552, kNoBlock}, {75957, kNoBlock}, 5, 0);
inline constexpr TypedBlocks kEngineStart = Typed({130565, 129544}, {75970, 74912}, 8, 7);
inline constexpr TypedBlocks kFlap = Typed({130557, kNoBlock}, {75962, kNoBlock}, 8, 0);
// Glareshield: side s at + s strides.
inline constexpr TypedBlocks kGlareshield = Typed({130492, 129799}, {75876, 75167}, 8, 13);
inline constexpr std::uint32_t kGlareshieldOutStride = 8;
inline constexpr std::uint32_t kGlareshieldInStride = 15;
inline constexpr TypedBlocks kSpeedBrake = Typed({130612, kNoBlock}, {76016, kNoBlock}, 8, 0);
inline constexpr TypedBlocks kClock = Typed({130508, 129829}, {75892, 75197}, 14, 17);
// Thrust levers: one output block of two detent ints, the left lever's then
// the right lever's.
inline constexpr TypedBlocks kThrustLever = Typed({131000, kNoBlock}, {76404, kNoBlock}, 8, 0);
inline constexpr std::uint32_t kThrustLeverRightA320 = 131004;
inline constexpr std::uint32_t kThrustLeverRightA330 = 76408;
inline constexpr TypedBlocks kEmergencyPower = Typed({130078, 129256}, {75553, 74741}, 7, 11);
inline constexpr TypedBlocks kVentilation = Typed({130204, 129426}, {75567, 74763}, 7, 11);
inline constexpr TypedBlocks kStab = Typed({130620, 129560}, {76024, 74928}, 8, 4);
inline constexpr TypedBlocks kManualEngine = Typed({130148, 129358}, {75574, 74784}, 7, 12);
inline constexpr TypedBlocks kOxygen = Typed({130101, 129296}, {75604, 74807}, 7, 9);
inline constexpr TypedBlocks kRudderTrim = Typed({130628, 129568}, {76032, 74936}, 7, 7);
// EFIS display control: side s at + s strides.
inline constexpr TypedBlocks kEfisDmc = Typed({130524, 129940}, {75908, 75308}, 8, 2);
inline constexpr std::uint32_t kEfisDmcOutStride = 8;
inline constexpr std::uint32_t kEfisDmcInStride = 2;
// Audio control panels: sides 0 and 1 at base + 14n / base + 8n; side 2 apart.
inline constexpr TypedBlocks kAcpSide0 = Typed({130796, 129708}, {76200, 75076}, 13, 5);
inline constexpr std::uint32_t kAcpOutStride = 14;
inline constexpr std::uint32_t kAcpInStride = 8;
inline constexpr TypedBlocks kAcpSide2 = Typed({130316, 129528}, {75692, 74884}, 13, 5);
// Radio management panels, one pair per side.
inline constexpr TypedBlocks kRmpSide0 = Typed({130636, 129580}, {76040, 74948}, 80, 60);
inline constexpr TypedBlocks kRmpSide1 = Typed({130716, 129644}, {76120, 75012}, 80, 60);
inline constexpr TypedBlocks kRmpSide2 = Typed({130236, 129464}, {75612, 74820}, 80, 60);

// Units with logic of their own. Out is the block the unit writes, In the
// block the host writes.
// FCU: FcuOutputs / FcuInputs.
inline constexpr TypedBlocks kFcu = Typed({130356, 129848}, {75740, 75216}, 61, 81);
// EFIS control panels: EfisOutputs / EfisInputs, side s at + s strides.
inline constexpr TypedBlocks kEfisControl = Typed({130420, 129763}, {75804, 75131}, 33, 17);
inline constexpr std::uint32_t kEfisControlOutStride = 36;
inline constexpr std::uint32_t kEfisControlInStride = 18;
// MCDUs: key block / page block, MCDU i at + i strides. The cockpit builds
// MCDUs 0 and 1; the panel accepts index 2 as well (see kKnownOverlaps).
inline constexpr TypedBlocks kMcdu = Typed({130824, 126736}, {76228, 71952}, 88, 700);
inline constexpr std::uint32_t kMcduKeyStride = 88;
inline constexpr std::uint32_t kMcduPageStride = 700;
inline constexpr int kMcduIndexes = 3;
// TCAS/ATC panel: AtcOutputs / AtcInputs, the same for every type code.
inline constexpr PanelBlocks kAtc{131008, 129724, 32, 7};
// Data screen and EFIS switching panel: one block each, written by the unit.
inline constexpr TypedBlocks kDataScreen = Typed({130540, kNoBlock}, {75924, kNoBlock}, 3, 0);
inline constexpr TypedBlocks kEfisSwitching = Typed({130576, kNoBlock}, {75980, kNoBlock}, 20, 0);

// ---------------------------------------------------------------------------
// Every block of every panel, side and region, for the checks below and for
// the tools that walk the segment.

enum class Direction : std::uint8_t { Out, In };

struct Extent {
    const char* panel;  // short name, e.g. "ELEC", "RMP"
    int side;
    Region region;  // None: the same block for every type code
    Direction direction;
    std::uint32_t start;
    std::uint32_t length;

    constexpr std::uint64_t End() const { return std::uint64_t{start} + length; }
};

constexpr bool Overlap(const Extent& a, const Extent& b) {
    return a.start < b.End() && b.start < a.End();
}

// Overlaps the panels' own layouts define, each with the reason it does no
// harm. Matched by panel and side, in both regions.
struct KnownOverlap {
    const char* panelA;
    int sideA;
    const char* panelB;
    int sideB;
    const char* reason;
};
inline constexpr KnownOverlap kKnownOverlaps[] = {
    {"MCDU", 2, "THR LEVERS", 0,
     "a third MCDU's key block lies over the thrust-lever detents; the cockpit builds MCDUs 0 "
     "and 1 only"},
    {"MCDU", 2, "ATC", 0,
     "a third MCDU's key block lies over the transponder outputs; the cockpit builds MCDUs 0 "
     "and 1 only"},
};

class BlockTable {
  public:
    static constexpr std::size_t kCapacity = 192;

    constexpr void Add(const char* panel, int side, Region region, Direction direction,
                       std::uint32_t start, std::uint32_t length) {
        if (start == kNoBlock)
            return;
        m_items[m_count++] = Extent{panel, side, region, direction, start, length};
    }
    constexpr void Add(const char* panel, int side, Region region, const PanelBlocks& at) {
        Add(panel, side, region, Direction::Out, at.out, at.outLength);
        Add(panel, side, region, Direction::In, at.in, at.inLength);
    }
    // Both regions of a typed pair, side `side` moved by the strides.
    constexpr void Add(const char* panel, int side, const TypedBlocks& typed,
                       std::uint32_t outStride = 0, std::uint32_t inStride = 0) {
        const auto s = static_cast<std::uint32_t>(side);
        for (const Region region : {Region::A320, Region::A330}) {
            const PanelBlocks& at = region == Region::A320 ? typed.a320 : typed.a330;
            Add(panel, side, region, Direction::Out,
                at.out == kNoBlock ? kNoBlock : at.out + s * outStride, at.outLength);
            Add(panel, side, region, Direction::In,
                at.in == kNoBlock ? kNoBlock : at.in + s * inStride, at.inLength);
        }
    }

    constexpr std::span<const Extent> All() const { return {m_items, m_count}; }

  private:
    Extent m_items[kCapacity]{};
    std::size_t m_count = 0;
};

constexpr BlockTable MakeBlockTable() {
    BlockTable table;
    table.Add("ELEC", 0, Region::A320, kElectrical);
    table.Add("ECAM", 0, Region::A320, kEcamControl);
    table.Add("ECAM COPY", 0, Region::A330, Direction::Out, kEcamControlThird,
              kEcamControlThirdLength);
    table.Add("ADIRU", 0, Region::A320, kAdiru);
    table.Add("FUEL", 0, Region::A320, kFuel);
    table.Add("AIR", 0, Region::A320, kAir);
    table.Add("HYD", 0, Region::A320, kHydraulic);
    table.Add("FIRE", 0, Region::A320, kFire);
    table.Add("FLT CTL L", 0, Region::A320, kFltCtlsLeft);
    table.Add("CARGO SMOKE", 0, Region::A320, kCargoSmoke);
    table.Add("FLT CTL R", 0, Region::A320, kFltCtlsRight);
    table.Add("CARGO HEAT", 0, Region::A320, kCargoHeat);
    table.Add("GPWS", 0, Region::A320, kGpws);
    table.Add("CALLS", 0, Region::A320, kCalls);
    table.Add("EVAC", 0, Region::A320, kEvacuation);
    table.Add("RCDR", 0, Region::A320, kRecorder);
    table.Add("ANTI ICE", 0, Region::A320, kAntiIce);

    table.Add("LDG GEAR", 0, kLandingGear);
    table.Add("LIGHTS", 0, kLightSwitch);
    table.Add("PARK BRK", 0, kParkBrake);
    table.Add("ENG START", 0, kEngineStart);
    table.Add("FLAP", 0, kFlap);
    for (int side = 0; side < 2; ++side)
        table.Add("GLARESHIELD", side, kGlareshield, kGlareshieldOutStride, kGlareshieldInStride);
    table.Add("SPD BRK", 0, kSpeedBrake);
    table.Add("CLOCK", 0, kClock);
    table.Add("THR LEVERS", 0, kThrustLever);
    table.Add("EMER PWR", 0, kEmergencyPower);
    table.Add("VENT", 0, kVentilation);
    table.Add("STAB", 0, kStab);
    table.Add("MAN ENG START", 0, kManualEngine);
    table.Add("OXYGEN", 0, kOxygen);
    table.Add("RUD TRIM", 0, kRudderTrim);
    for (int side = 0; side < 2; ++side)
        table.Add("EFIS DMC", side, kEfisDmc, kEfisDmcOutStride, kEfisDmcInStride);
    for (int side = 0; side < 2; ++side)
        table.Add("ACP", side, kAcpSide0, kAcpOutStride, kAcpInStride);
    table.Add("ACP", 2, kAcpSide2);
    table.Add("RMP", 0, kRmpSide0);
    table.Add("RMP", 1, kRmpSide1);
    table.Add("RMP", 2, kRmpSide2);

    table.Add("FCU", 0, kFcu);
    for (int side = 0; side < 2; ++side)
        table.Add("EFIS CTL", side, kEfisControl, kEfisControlOutStride, kEfisControlInStride);
    for (int index = 0; index < kMcduIndexes; ++index)
        table.Add("MCDU", index, kMcdu, kMcduKeyStride, kMcduPageStride);
    table.Add("ATC", 0, Region::None, kAtc);
    table.Add("DATA SCREEN", 0, kDataScreen);
    table.Add("EFIS SW", 0, kEfisSwitching);
    return table;
}

inline constexpr BlockTable kBlockTable = MakeBlockTable();

// The index in kKnownOverlaps of the overlap that allows a and b to share
// bytes, or -1.
constexpr int KnownOverlapOf(const Extent& a, const Extent& b) {
    const auto is = [](const Extent& e, const char* panel, int side) {
        return std::string_view(e.panel) == panel && e.side == side;
    };
    int index = 0;
    for (const KnownOverlap& known : kKnownOverlaps) {
        if ((is(a, known.panelA, known.sideA) && is(b, known.panelB, known.sideB)) ||
            (is(b, known.panelA, known.sideA) && is(a, known.panelB, known.sideB)))
            return index;
        ++index;
    }
    return -1;
}

// Every block has a length and lies inside the generic segment.
constexpr bool BlocksInsideSegment(std::span<const Extent> all) {
    for (const Extent& e : all) {
        if (e.length == 0 || e.End() > Gensim_Shm::kSize)
            return false;
    }
    return true;
}

// No two blocks share a byte unless kKnownOverlaps lists them; blocks that
// touch (one ends where the next begins) are apart.
constexpr bool BlocksApart(std::span<const Extent> all) {
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            if (Overlap(all[i], all[j]) && KnownOverlapOf(all[i], all[j]) < 0)
                return false;
        }
    }
    return true;
}

// Every listed overlap still occurs, so the list stays true.
constexpr bool KnownOverlapsOccur(std::span<const Extent> all) {
    for (int known = 0; known < static_cast<int>(std::size(kKnownOverlaps)); ++known) {
        bool seen = false;
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (std::size_t j = i + 1; j < all.size(); ++j)
                seen = seen || (Overlap(all[i], all[j]) && KnownOverlapOf(all[i], all[j]) == known);
        }
        if (!seen)
            return false;
    }
    return true;
}

static_assert(BlocksInsideSegment(kBlockTable.All()),
              "a panel block has no length or ends beyond the generic segment");
static_assert(BlocksApart(kBlockTable.All()),
              "two panel blocks share bytes that kKnownOverlaps does not list");
static_assert(KnownOverlapsOccur(kBlockTable.All()),
              "kKnownOverlaps lists an overlap that no longer occurs");

}  // namespace blocks
