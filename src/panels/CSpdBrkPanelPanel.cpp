#include "panels/CSpdBrkPanelPanel.h"

#include "shm/SimSegment.h"

namespace spdbrk {

namespace {

using namespace kit;

constexpr LeverDetent kDetentRows[CLever::kDetentCount] = {
    {1, "SpdBrake\\Gnd.bmp", 0, 100, 0, 15},   {1, "SpdBrake\\Ret.bmp", 0, 100, 20, 33},
    {1, "SpdBrake\\Qtr.bmp", 0, 100, 35, 48},  {1, "SpdBrake\\Half.bmp", 0, 100, 50, 63},
    {1, "SpdBrake\\Tqrt.bmp", 0, 100, 65, 75}, {1, "SpdBrake\\Full.bmp", 0, 100, 76, 100},
};

// SetAllOn puts the handle at RET.
constexpr PresetRow kPresets[] = {{.name = "ALL_ON", .allOn = 1}};

constexpr LeverRow kLeverRows[] = {
    LeverRow{"SPEED BRAKE", &kDetentRows, 160, 25, Int32(kDetentOut), 1}.Presets("1"),
};

// Held in; its legends are the panel's rule (AfterControls).
constexpr ButtonRow kButtonRows[] = {
    ButtonRow{"SPD BRK", "Buttons\\SpdBrk", 100, 110, kNoOutput, kUnlit}.Hold().Id(99),
};

}  // namespace

const PanelDescription kDescription{
    .className = "CSpdBrkPanelPanel",
    .progress = "Initialising Speed Brake panel items",
    .prefix = "SPEED_BRAKE",
    .title = "Speed brake handle",
    .regions = blocks::kSpeedBrake,
    .typeDependent = true,
    .presets = kPresets,
    .buttons = kButtonRows,
    .levers = kLeverRows,
};

}  // namespace spdbrk

void CSpdBrkPanelPanel::LightIndicator() {
    const int detent = Handle().GetDetent();
    Indicator().Update(nullptr, detent == 0, detent >= 2, false);
    Indicator().SetPressed(true);  // shows the new legends at once
}

void CSpdBrkPanelPanel::AfterControls(std::uint8_t* /*view*/, MouseEvent* /*event*/) {
    LightIndicator();
}

void CSpdBrkPanelPanel::RefreshFromOutputs() {
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    const int kept = Handle().GetDetent();
    CKitPanel::RefreshFromOutputs();
    const std::int32_t wanted =
        GenField<std::int32_t>::At(OutBlock() + spdbrk::kDetentOut).Read(view);
    if (wanted < 0 || wanted >= spdbrk::kDetents)
        Handle().SetDetent(kept);
    LightIndicator();
}
