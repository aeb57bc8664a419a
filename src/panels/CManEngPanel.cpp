#include "panels/CManEngPanel.h"

#include "shm/SimSegment.h"

namespace maneng {

namespace {

using namespace kit;

constexpr std::uint32_t kModeFlag = 0;  // input byte
constexpr int kFirstModeButton = 2;

constexpr PresetRow kPresets[] = {
    {.name = "PRESET", .request = 11, .allOn = 1},
};

// Lights from input byte 1 on: byte 0 is the mode flag.
constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"MAN START 1", "Buttons\\DotsOnBlue", 30, 45, Byte(3), Pair(1, 2)}.Presets("O"),
    ButtonRow{"MAN START 2", "Buttons\\DotsOnBlue", 95, 45, Byte(4), Pair(3, 4)}.Presets("O"),
    {"N1 MODE 1", "Buttons\\DotsOnBlue", 160, 45, Byte(5), Pair(5, 6)},
    {"N1 MODE 2", "Buttons\\DotsOnBlue", 225, 45, Byte(6), Pair(7, 8)},
};

constexpr CoverRow kCoverRows[] = {
    {"MAN START 1 GUARD", "Guards\\StandardBlack", 0},
    {"MAN START 2 GUARD", "Guards\\StandardBlack", 1},
    {"N1 MODE 1 GUARD", "Guards\\StandardBlack", 2},
    {"N1 MODE 2 GUARD", "Guards\\StandardBlack", 3},
};

constexpr LightRow kLightRows[] = {
    {"N1 MODE", "Lights\\N1Mode", 116, 8, kModeFlag},
};

// The mode flag lights N1 MODE and opens the N1 MODE buttons. The host owns
// it; the cockpit gives it its first value once, at the end of start-up.
constexpr shm::FieldRow kExtraFields[] = {
    shm::FieldRow{"MAN_ENG.MODE", blocks::kManualEngine.a320.in + kModeFlag, shm::FieldType::Byte,
                  shm::Writer::Host,
                  "N1 mode: non-zero lights N1 MODE and lets the N1 MODE buttons work (set to 1 "
                  "once by the cockpit at the end of start-up)"},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CManEngPanel",
    .progress = "Initialising Manual Start Panel items",
    .prefix = "MAN_ENG",
    .title = "Manual engine start panel",
    .regions = blocks::kManualEngine,
    .typeDependent = true,
    .lampTest = 9,
    .presets = kPresets,
    .buttons = kButtonRows,
    .covers = kCoverRows,
    .lights = kLightRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kExtraFields); },
};

}  // namespace maneng

void CManEngPanel::SetMode(int mode) {
    std::uint8_t* view = GetSharedMemory();
    if (view == nullptr || InBlock() == kit::kNone)
        return;
    GenField<std::uint8_t>::At(InBlock() + maneng::kModeFlag)
        .Write(view, static_cast<std::uint8_t>(mode == kN1Mode ? 1 : 0));
}

bool CManEngPanel::IsActive(Kind kind, int index) const {
    if ((kind != Kind::Button && kind != Kind::Cover) || index < maneng::kFirstModeButton)
        return true;
    const std::uint8_t* view = GetSharedMemory();
    return view != nullptr && InByte(view, maneng::kModeFlag) != 0;
}
