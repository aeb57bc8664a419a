#include "panels/CFlapPanelPanel.h"

namespace flaps {

namespace {

using namespace kit;

// Click areas in percent of the picture: left, right, top, bottom.
constexpr LeverDetent kDetentRows[CLever::kDetentCount] = {
    {1, "FlapHandle\\FlapUp.bmp", 0, 100, 0, 29},     {1, "FlapHandle\\Flap1.bmp", 0, 100, 30, 47},
    {1, "FlapHandle\\Flap2.bmp", 0, 100, 51, 59},     {1, "FlapHandle\\Flap3.bmp", 0, 100, 60, 74},
    {1, "FlapHandle\\FlapFull.bmp", 0, 100, 75, 100},
};

constexpr LeverRow kLeverRows[] = {
    {"FLAPS", &kDetentRows, 70, 30, OneHot(kDetentBytes, kDetents)},
};

}  // namespace

const PanelDescription kDescription{
    .className = "CFlapPanelPanel",
    .progress = "Initialising Flap panel items",
    .prefix = "FLAPS",
    .title = "Flap handle",
    .regions = blocks::kFlap,
    .typeDependent = true,
    .levers = kLeverRows,
};

}  // namespace flaps

void CFlapPanelPanel::RefreshFromOutputs() {
    const std::uint8_t* view = GetSharedMemory();
    if (!IsInitialised() || view == nullptr)
        return;
    bool any = false;
    for (int d = 0; d < flaps::kDetents; ++d)
        any = any || ReadOutByte(view, flaps::kDetentBytes + static_cast<std::uint32_t>(d)) != 0;
    if (!any)
        Handle().SetDetent(0);
    CKitPanel::RefreshFromOutputs();
}
