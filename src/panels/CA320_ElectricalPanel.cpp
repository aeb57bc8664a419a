#include "panels/CA320_ElectricalPanel.h"

#include <cstdio>

#include "util/KxText.h"

namespace {

using panelkit::ButtonRow;

constexpr ButtonRow kButtonRows[CA320_ElectricalPanel::kButtonCount] = {
    {"Buttons\\FaultOff", 270, 20},        // 0
    {"Buttons\\FaultOff", 315, 20},        // 1
    {"Buttons\\FaultOff", 50, 65},         // 2
    {"Buttons\\FaultAltn", 445, 40},       // 3
    {"Buttons\\DotsOff", 312, 115},        // 4
    {"Buttons\\FaultDots", 50, 145},       // 5, under cover 0
    {"Buttons\\FaultDots", 585, 145},      // 6, under cover 1
    {"Buttons\\FaultOff", 120, 145},       // 7
    {"Buttons\\FaultOff", 515, 145},       // 8
    {"Buttons\\FaultOff", 230, 145},       // 9
    {"Buttons\\AvailOn", 395, 145, 1, 0},  // 10, momentary
};

// Each cover sits on the button it covers.
struct CoverRow {
    const char* picture;
    int coveredButton;
};
constexpr CoverRow kCoverRows[CA320_ElectricalPanel::kCoverCount] = {
    {"Guards\\StandardRed", 5},
    {"Guards\\StandardRed", 6},
};

struct DisplayRow {
    int cells;
    int x;
    int y;
    const GenField<float>& value;
};
const DisplayRow kDisplayRows[2] = {
    {4, 192, 28, elec::kDisplay1},
    {4, 368, 28, elec::kDisplay2},
};

// Cold preset: 0 and 1 out, 5 to 8 in, 10 out; 2, 3, 4 and 9 as they are.
enum class Preset { Out, In, Keep };
constexpr Preset kColdPreset[CA320_ElectricalPanel::kButtonCount] = {
    Preset::Out, Preset::Out, Preset::Keep, Preset::Keep, Preset::Keep, Preset::In,
    Preset::In,  Preset::In,  Preset::In,   Preset::Keep, Preset::Out,
};

}  // namespace

const panelkit::ButtonFields CA320_ElectricalPanel::kFields{elec::kButtonState, elec::kTopLight,
                                                            elec::kBottomLight, 2, elec::kLampTest};

bool CA320_ElectricalPanel::Initialise(const char* folder, int x, int y) {
    SetError("Initialising Electrical Panel Items");

    for (int i = 0; i < 2; ++i) {
        PanelDisplaySettings settings;
        settings.cellCount = kDisplayRows[i].cells;
        settings.folder = folder;
        settings.panelX = x;
        settings.panelY = y;
        settings.xOffset = kDisplayRows[i].x;
        settings.yOffset = kDisplayRows[i].y;
        settings.scale = m_scale;
        if (!m_displays[i].Initialise(settings)) {
            SetError(m_displays[i].GetErrorText());
            return false;
        }
    }

    SetPosition(x, y);
    if (GetSharedMemory() == nullptr) {
        SetError("CA320_ElectricalPanel::Initialise --> SharedMemory ptr not set");
        return false;
    }

    const panelkit::Placement at{folder, x, y, m_scale};
    if (!panelkit::InitialiseButtons(*this, m_buttons, kButtonRows, at))
        return false;
    SetColdPreset();

    for (int i = 0; i < kCoverCount; ++i) {
        if (!panelkit::InitialiseCover(*this, m_covers[i], kCoverRows[i].picture,
                                       kButtonRows[kCoverRows[i].coveredButton], at)) {
            return false;
        }
    }
    return true;
}

void CA320_ElectricalPanel::SetColdPreset() {
    for (int i = 0; i < kButtonCount; ++i) {
        if (kColdPreset[i] != Preset::Keep)
            m_buttons[i].SetPressed(kColdPreset[i] == Preset::In);
    }
    panelkit::WriteButtonStates(m_buttons, kFields, GetSharedMemory());
}

void CA320_ElectricalPanel::SetAllOn() {
    for (CButtonClass& button : m_buttons)
        button.SetPressed(true);
    panelkit::WriteButtonStates(m_buttons, kFields, GetSharedMemory());
}

void CA320_ElectricalPanel::RefreshFromOutputs() {
    panelkit::RefreshButtons(m_buttons, kFields, GetSharedMemory());
}

void CA320_ElectricalPanel::Update(MouseEvent* event) {
    std::uint8_t* view = GetSharedMemory();
    if (view == nullptr)
        return;
    if (m_remoteHold) {
        RefreshFromOutputs();
        return;
    }
    if (elec::kAllOnPreset.Read(view) != 0)
        SetAllOn();
    if (elec::kColdPreset.Read(view) != 0)
        SetColdPreset();
    panelkit::UpdateButtons(m_buttons, kFields, view, event);
    for (int i = 0; i < kCoverCount; ++i) {
        panelkit::UpdateCover(m_covers[i], m_buttons[kCoverRows[i].coveredButton], event);
    }
}

void CA320_ElectricalPanel::FormatDisplay(float value, char (&text)[8]) {
    float shown = value;
    if (!(shown >= 0.0f))
        shown = 0.0f;  // below 0 (and a value that is not a number)
    if (shown >= 99.9f)
        shown = 99.9f;
    char formatted[32];
    kx::Format(formatted, sizeof formatted, "%04.1f", static_cast<double>(shown));
    kx::StrCopy(text, 5, formatted);
}

void CA320_ElectricalPanel::Draw(CDC* dc) {
    std::uint8_t* view = GetSharedMemory();
    if (view == nullptr)
        return;
    for (int i = 0; i < 2; ++i) {
        char text[8];
        FormatDisplay(kDisplayRows[i].value.Read(view), text);
        m_displays[i].SetDisplay(text, dc);
    }
    panelkit::DrawButtons(m_buttons, dc);
    for (CGuardedCover& cover : m_covers)
        cover.Draw(dc);
}

const CBaseCockpitControl* CA320_ElectricalPanel::GetControl(int index) const {
    if (index >= 0 && index < kButtonCount)
        return &m_buttons[index];
    index -= kButtonCount;
    if (index >= 0 && index < kCoverCount)
        return &m_covers[index];
    return nullptr;
}
