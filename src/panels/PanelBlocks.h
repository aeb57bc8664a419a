// Where each panel's blocks lie in the generic segment: the output block that
// the panel writes (its controls' positions) and the input block that the host
// writes (lights, display values, lamp test, preset requests). Panels that
// exist per aircraft family have an A320-region and an A330-region pair; the
// cockpit runs the A320 one. Panels with several sides give the side offsets
// in their own files. kNoBlock means the panel has no such block (0 is a real
// offset).
#pragma once

#include <cstdint>

namespace blocks {

inline constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;

struct PanelBlocks {
    std::uint32_t out;
    std::uint32_t in;
};
inline constexpr PanelBlocks kNoBlocks{kNoBlock, kNoBlock};

// A320-only panels.
inline constexpr PanelBlocks kElectrical{129952, 129136};
inline constexpr PanelBlocks kEcamControl{130596, 129552};
inline constexpr std::uint32_t kEcamControlThird = 76000;
inline constexpr PanelBlocks kAdiru{129968, 129172};
inline constexpr PanelBlocks kFuel{130155, 129372};
inline constexpr PanelBlocks kAir{130172, 129409};
inline constexpr PanelBlocks kHydraulic{130163, 129396};
inline constexpr PanelBlocks kFire{130115, 129318};
inline constexpr PanelBlocks kFltCtlsLeft{130085, 129267};
inline constexpr PanelBlocks kCargoSmoke{130228, 129450};
inline constexpr PanelBlocks kFltCtlsRight{130091, 129276};
inline constexpr PanelBlocks kCargoHeat{130212, 129437};
inline constexpr PanelBlocks kGpws{130064, 129238};
inline constexpr PanelBlocks kCalls{130108, 129307};
inline constexpr PanelBlocks kEvacuation{130072, 129251};
inline constexpr PanelBlocks kRecorder{130095, 129287};
inline constexpr PanelBlocks kAntiIce{130132, 129343};

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
inline constexpr TypedBlocks kLandingGear{{130340, 129740}, {75724, 75108}};
inline constexpr TypedBlocks kLightSwitch{{130028, 129229}, {75349, 74580}};
inline constexpr TypedBlocks kParkBrake{{130552, kNoBlock}, {75957, kNoBlock}};
inline constexpr TypedBlocks kEngineStart{{130565, 129544}, {75970, 74912}};
inline constexpr TypedBlocks kFlap{{130557, kNoBlock}, {75962, kNoBlock}};
inline constexpr TypedBlocks kGlareshield{{130492, 129799}, {75876, 75167}};
inline constexpr TypedBlocks kSpeedBrake{{130612, kNoBlock}, {76016, kNoBlock}};
inline constexpr TypedBlocks kClock{{130508, 129829}, {75892, 75197}};
// Thrust levers: left and right lever outputs.
inline constexpr TypedBlocks kThrustLever{{131000, kNoBlock}, {76404, kNoBlock}};
inline constexpr std::uint32_t kThrustLeverRightA320 = 131004;
inline constexpr std::uint32_t kThrustLeverRightA330 = 76408;
inline constexpr TypedBlocks kEmergencyPower{{130078, 129256}, {75553, 74741}};
inline constexpr TypedBlocks kVentilation{{130204, 129426}, {75567, 74763}};
inline constexpr TypedBlocks kStab{{130620, 129560}, {76024, 74928}};
inline constexpr TypedBlocks kManualEngine{{130148, 129358}, {75574, 74784}};
inline constexpr TypedBlocks kOxygen{{130101, 129296}, {75604, 74807}};
inline constexpr TypedBlocks kRudderTrim{{130628, 129568}, {76032, 74936}};
inline constexpr TypedBlocks kEfisDmc{{130524, 129940}, {75908, 75308}};
// Audio control panels: sides 0 and 1 at base + 14n / base + 8n; side 2 apart.
inline constexpr TypedBlocks kAcpSide0{{130796, 129708}, {76200, 75076}};
inline constexpr std::uint32_t kAcpOutStride = 14;
inline constexpr std::uint32_t kAcpInStride = 8;
inline constexpr TypedBlocks kAcpSide2{{130316, 129528}, {75692, 74884}};

}  // namespace blocks
