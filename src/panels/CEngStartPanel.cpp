#include "panels/CEngStartPanel.h"

namespace engstart {

namespace {

using namespace kit;

// Output bytes: the masters (1 while up) and the mode selector's one-hot
// bytes, from the block start.
constexpr std::uint32_t kMasterOut = 3;  // + engine - 1
constexpr std::uint32_t kCrankOut = 5;
constexpr std::uint32_t kNormOut = 6;
constexpr std::uint32_t kIgnStartOut = 7;

// Columns: all-on (on request), start (written at the end of Initialise).
constexpr PresetRow kPresets[] = {
    {.name = "ALL_ON_PRESET", .request = 6, .allOn = 1, .writeAtOnce = 1},
    {.name = "START", .atStart = 1},
};

constexpr SwitchRow kSwitchRows[] = {
    SwitchRow{"ENG 1 MASTER",
              2,
              {"EngStartSw1Up.bmp", "EngStartSw1Up.bmp", "EngStartSw1Dn.bmp"},
              110,
              35,
              OneAt(kMasterOut, 0),
              2}
        .At330(130, 40)
        .Presets("02"),
    SwitchRow{"ENG 2 MASTER",
              2,
              {"EngStartSw2Up.bmp", "EngStartSw2Up.bmp", "EngStartSw2Dn.bmp"},
              270,
              35,
              OneAt(kMasterOut + 1, 0),
              2}
        .At330(250, 40)
        .Presets("02"),
};

constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"ENG 1 FIRE FAULT", "Buttons\\FireFault", 122, 150, kNoOutput, Pair(0, 2)}
        .At330(145, 150)
        .Hold(),
    ButtonRow{"ENG 2 FIRE FAULT", "Buttons\\FireFault", 290, 150, kNoOutput, Pair(1, 3)}
        .At330(268, 150)
        .Hold(),
};

constexpr KnobRow kKnobRows[] = {
    KnobRow{"MODE", "Knobs\\StarterKnob", 162, 140, "017"}.At330(150, 243),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CEngStartPanel",
    .progress = "Initialising Engine Start Panel Items",
    .prefix = "ENG_START",
    .title = "Engine start panel",
    .regions = blocks::kEngineStart,
    .typeDependent = true,
    .lampTest = 4,
    .presets = kPresets,
    .buttons = kButtonRows,
    .switches = kSwitchRows,
    .knobs = kKnobRows,
    .extraFields = [](int) { return std::span<const shm::FieldRow>(kModeFields); },
};

}  // namespace engstart

using engstart::kCrankOut;
using engstart::kIgnStartOut;
using engstart::kMasterOut;
using engstart::kNormOut;

void CEngStartPanel::WriteMode(std::uint8_t* view, int position) const {
    OutByte(view, kCrankOut, position == kCrank ? 1 : 0);
    OutByte(view, kNormOut, position == kNorm ? 1 : 0);
    OutByte(view, kIgnStartOut, position == kIgnStart ? 1 : 0);
}

bool CEngStartPanel::InitialiseExtra(const char* /*folder*/) {
    Selector().SetKnobPosition(kNorm);
    WriteMode(GetSharedMemory(), kNorm);
    return true;
}

void CEngStartPanel::AfterControls(std::uint8_t* view, MouseEvent* /*event*/) {
    WriteMode(view, Selector().GetKnobPosition());
}

void CEngStartPanel::SetAllOn() {
    CKitPanel::SetAllOn();
    if (std::uint8_t* view = GetSharedMemory(); IsInitialised() && view != nullptr)
        WriteMode(view, kNorm);
}

void CEngStartPanel::RefreshFromOutputs() {
    CKitPanel::RefreshFromOutputs();
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    for (int i = 0; i < 2; ++i) {
        const bool up = ReadOutByte(view, kMasterOut + static_cast<std::uint32_t>(i)) != 0;
        Master(i).SetPosition(up ? CSwitchClass::kUp : CSwitchClass::kDown);
    }
    Selector().SetKnobPosition(ReadOutByte(view, kCrankOut) != 0  ? kCrank
                               : ReadOutByte(view, kNormOut) != 0 ? kNorm
                                                                  : kIgnStart);
}
