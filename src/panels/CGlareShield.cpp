#include "panels/CGlareShield.h"

namespace glare {

namespace {

using namespace kit;

constexpr std::uint32_t kOutStride = 8;
constexpr std::uint32_t kInStride = 15;

// Button i's lights at input 2i and 2i + 1; button 3 lights only under the
// lamp test.
constexpr ButtonRow kSide0Buttons[] = {
    ButtonRow{"SIDE STICK PRIORITY", "Buttons\\SideStickA", 540, 120, Byte(3), Pair(0, 1)}
        .Momentary(),
    ButtonRow{"MASTER WARN", "Buttons\\MasterWarn", 377, 60, Byte(4), Pair(2, 3)}.Momentary(),
    ButtonRow{"MASTER CAUT", "Buttons\\MasterCaut", 377, 120, Byte(5), Pair(4, 5)}.Momentary(),
    ButtonRow{"FCU", "Buttons\\FcuButton", 535, 60, Byte(6), kTestOnly}.Momentary().OnOff(),
    ButtonRow{"GPWS G/S", "Buttons\\GpwsGs", 0, 120, Byte(7), Pair(8, 9)}.Momentary().Drawn(
        Layout::A330),
};
constexpr ButtonRow kSide1Buttons[] = {
    ButtonRow{"SIDE STICK PRIORITY", "Buttons\\SideStickB", 50, 120, Byte(3), Pair(0, 1)}
        .Momentary(),
    ButtonRow{"MASTER WARN", "Buttons\\MasterWarn", 240, 60, Byte(4), Pair(2, 3)}.Momentary(),
    ButtonRow{"MASTER CAUT", "Buttons\\MasterCaut", 240, 120, Byte(5), Pair(4, 5)}.Momentary(),
    ButtonRow{"FCU", "Buttons\\FcuButton", 50, 60, Byte(6), kTestOnly}.Momentary().OnOff(),
    ButtonRow{"GPWS G/S", "Buttons\\GpwsGs", 610, 120, Byte(7), Pair(8, 9)}.Momentary().Drawn(
        Layout::A330),
};

// The side-stick light is set up but never shown.
constexpr LightRow kSide0Lights[] = {
    {"AUTOLAND", "Lights\\AutoLand", 100, 120, 10},
    {"SIDE STICK", "Lights\\JoyStick", 246, 120},
};
constexpr LightRow kSide1Lights[] = {
    {"AUTOLAND", "Lights\\AutoLand", 510, 120, 10},
    {"SIDE STICK", "Lights\\JoyStick", 300, 120},
};
constexpr int kJoyStickLight = 1;

constexpr shm::FieldRow kRemoteHoldFields[kSides][1] = {
    {{"GLARESHIELD_0.REMOTE_HOLD", blocks::kGlareshield.a320.out + kRemoteHold,
      shm::FieldType::Byte, shm::Writer::Host,
      "non-zero: the panel follows its output bytes instead of the mouse"}},
    {{"GLARESHIELD_1.REMOTE_HOLD", blocks::kGlareshield.a320.out + kOutStride + kRemoteHold,
      shm::FieldType::Byte, shm::Writer::Host,
      "non-zero: the panel follows its output bytes instead of the mouse"}},
};

constexpr PanelDescription SideDescription(std::span<const ButtonRow> buttons,
                                           std::span<const LightRow> lights) {
    return PanelDescription{
        .className = "CGlareShield",
        .progress = "Initialising Glare Shield panel items",
        .prefix = "GLARESHIELD",
        .title = "Glareshield",
        .regions = blocks::kGlareshield,
        .typeDependent = true,
        .lampTest = 12,
        .buttons = buttons,
        .lights = lights,
        .sides = kSides,
        .sideOutStride = kOutStride,
        .sideInStride = kInStride,
        .extraFields =
            [](int side) {
                return std::span<const shm::FieldRow>(kRemoteHoldFields[side == 1 ? 1 : 0]);
            },
    };
}

}  // namespace

const PanelDescription kDescription[kSides] = {SideDescription(kSide0Buttons, kSide0Lights),
                                               SideDescription(kSide1Buttons, kSide1Lights)};

const PanelDescription& DescriptionOf(int side) {
    return kDescription[side == 1 ? 1 : 0];
}

}  // namespace glare

bool CGlareShield::Initialise(const char* folder, int x, int y) {
    if (m_requestedSide < 0 || m_requestedSide >= glare::kSides) {
        SetError("CGlareShield::Initialise --> Invalid Side given ");
        return false;
    }
    return CKitPanel::Initialise(folder, x, y);
}

bool CGlareShield::InitialiseExtra(const char* /*folder*/) {
    Lights()[0].SetLight(true, false);  // the autoland light, until the first update
    return true;
}

void CGlareShield::Update(MouseEvent* event) {
    std::uint8_t* view = GetSharedMemory();
    if (IsInitialised() && view != nullptr)
        SetRemoteHold(ReadOutByte(view, glare::kRemoteHold) != 0);
    CKitPanel::Update(event);
}

bool CGlareShield::IsActive(Kind kind, int index) const {
    if (kind == Kind::Light)
        return index != glare::kJoyStickLight;
    if (kind == Kind::Button && index == glare::kGpwsButton)
        return !IsA320Layout();
    return true;
}

void CGlareShield::OnControlFailure(Kind kind) {
    SetError(GetErrorText(), kind == Kind::Light
                                 ? "CGlareSheildLeft::Initialise --> Failed to set up Lights"
                                 : "CGlareSheildLeft::Initialise --> Failed to set up Buttons");
}
