#include "units/CFcuPanel.h"

#include "panels/PanelKit.h"
#include "util/KxText.h"

namespace {

using panelkit::ButtonRow;

// Momentary push-buttons with the on/off pictures. Row 5 is EXPED on the
// A320 family and ALT on the A330 family.
constexpr ButtonRow kButtonRows[CFcuPanel::kButtonCount] = {
    {"Buttons\\AutoP1", 240, 110, 1, 1},    // 0 AP1
    {"Buttons\\AutoP2", 290, 110, 1, 1},    // 1 AP2
    {"Buttons\\AutoT", 265, 155, 1, 1},     // 2 A/THR
    {"Buttons\\FcuLoc", 165, 165, 1, 1},    // 3 LOC
    {"Buttons\\FcuApp", 465, 165, 1, 1},    // 4 APPR
    {"Buttons\\FcuExped", 355, 165, 1, 1},  // 5 EXPED / ALT
    {"Buttons\\FcuButton", 27, 70, 1, 1},   // 6 SPD/MACH
    {"Buttons\\FcuButton", 265, 70, 1, 1},  // 7 HDG-V/S / TRK-FPA
    {"Buttons\\FcuButton", 425, 70, 1, 1},  // 8 altitude side
};
constexpr int kAltitudeButtonRow = 5;
constexpr const char* kA330AltitudeButton = "Buttons\\FcuAlt";
constexpr int kSpdMachButton = 6;
constexpr int kHdgTrkButton = 7;

constexpr int kNoLight = -1;
constexpr int kButtonLight[CFcuPanel::kButtonCount] = {
    fcu::in::kAp1Light,
    fcu::in::kAp2Light,
    fcu::in::kAthrLight,
    fcu::in::kLocLight,
    fcu::in::kApprLight,
    fcu::in::kExpedLight,
    kNoLight,
    kNoLight,
    kNoLight,
};
constexpr std::uint32_t kButtonState[CFcuPanel::kButtonCount] = {
    fcu::out::kAp1,   fcu::out::kAp2,     fcu::out::kAthr,   fcu::out::kLoc,   fcu::out::kAppr,
    fcu::out::kExped, fcu::out::kSpdMach, fcu::out::kHdgTrk, fcu::out::kThird,
};

// Rotary knobs, in CFcuTargets' knob order: resting, pushed, pulled pictures.
struct KnobRow {
    const char* resting;
    const char* pushed;
    const char* pulled;
    int x;
    int y;
};
constexpr KnobRow kKnobRows[CFcuTargets::kKnobCount] = {
    {"SpdKnob.bmp", "SpdKnobPush.bmp", "SpdKnobPull.bmp", 55, 100},
    {"HdgKnob.bmp", "HdgKnobPush.bmp", "HdgKnobPull.bmp", 145, 100},
    {"AltKnob.bmp", "AltKnobPush.bmp", "AltKnobPull.bmp", 345, 90},
    {"AltKnob100.bmp", "AltPush100.bmp", "AltKnobPull.bmp", 345, 90},
    {"VsKnob.bmp", "VsKnobPush.bmp", "VsKnobPull.bmp", 465, 100},
};

// Windows: speed, heading, altitude, vertical speed.
struct WindowRow {
    int cells;
    int x;
    int y;
    std::uint32_t text;  // output field of the text as drawn
};
constexpr WindowRow kWindowRows[CFcuPanel::kWindowCount] = {
    {3, 52, 29, fcu::out::kSpeedText},
    {3, 150, 29, fcu::out::kHeadingText},
    {5, 340, 29, fcu::out::kAltitudeText},
    {5, 440, 29, fcu::out::kVerticalText},
};

// What lights each label, dot and overlay.
enum class Drive {
    NotMach,       // SPD while in speed mode
    Never,         // the Mach point: part of the "@" glyph
    TrkFpa,        // TRK labels
    NotTrkFpa,     // V/S labels
    Always,        // LAT
    Off,           // ALT
    SpeedManaged,  // dots
    HeadingManaged,
    VerticalManaged,
    Overlay,  // drawn alone when the FCU is blank
};
struct LightRow {
    const char* picture;
    int number;
    int x;
    int y;
    Drive drive;
    bool lampTest;
};
constexpr LightRow kLightRows[CFcuPanel::kLightCount] = {
    {"Lights\\FcuSpd", 0, 52, 14, Drive::NotMach, true},
    {"Lights\\MachPoint", 10, 72, 23, Drive::Never, false},
    {"Lights\\HdgTrk", 1, 150, 14, Drive::TrkFpa, true},
    {"Lights\\FcuLat", 8, 210, 14, Drive::Always, false},
    {"Lights\\FcuAlt", 5, 340, 14, Drive::Off, false},
    {"Lights\\VsFpa", 4, 490, 14, Drive::NotTrkFpa, true},
    {"Lights\\HdgTrk", 6, 245, 30, Drive::TrkFpa, true},
    {"Lights\\VsFpa", 7, 275, 27, Drive::NotTrkFpa, true},
    {"Lights\\FcuDot", 2, 102, 29, Drive::SpeedManaged, true},
    {"Lights\\FcuDot", 3, 212, 33, Drive::HeadingManaged, true},
    {"Lights\\FcuDot", 8, 425, 29, Drive::VerticalManaged, true},
    {"Blanks\\Fcu", 6, 40, 16, Drive::Overlay, true},
};

template <typename T>
GenField<T> At(std::uint32_t offset) {
    return GenField<T>::At(offset);
}

}  // namespace

bool CFcuPanel::QueryAircraftType() {
    if (IsA320Type(m_aircraftType)) {
        m_out = fcu::kBlocks.a320.out;
        m_in = fcu::kBlocks.a320.in;
        m_a330Set = false;
        return true;
    }
    if (IsA330Type(m_aircraftType)) {
        m_out = fcu::kBlocks.a330.out;
        m_in = fcu::kBlocks.a330.in;
        m_a330Set = true;
        return true;
    }
    return false;
}

bool CFcuPanel::Initialise(const char* folder, int x, int y) {
    SetError("Initialising FCU panel items");
    SetPosition(x, y);
    m_ready = false;
    if (GetSharedMemory() == nullptr) {
        SetError("CFcuPanel::Initialise --> SharedMemory ptr not set");
        return false;
    }
    if (!QueryAircraftType()) {
        SetError("CFcuPanel::Initialise --> Incorrect aircraft fit");
        return false;
    }

    const panelkit::Placement at{folder, x, y, m_scale};
    ButtonRow rows[kButtonCount];
    for (int i = 0; i < kButtonCount; ++i)
        rows[i] = kButtonRows[i];
    if (m_a330Set)
        rows[kAltitudeButtonRow].picture = kA330AltitudeButton;
    if (!panelkit::InitialiseButtons(*this, m_buttons, rows, at))
        return false;

    for (int k = 0; k < CFcuTargets::kKnobCount; ++k) {
        RotaryKnobSettings settings;
        settings.folder = folder;
        settings.pictures[CRotaryKnobClass::kPulled] = kKnobRows[k].pulled;
        settings.pictures[CRotaryKnobClass::kPushed] = kKnobRows[k].pushed;
        settings.pictures[CRotaryKnobClass::kResting] = kKnobRows[k].resting;
        settings.xOffset = kKnobRows[k].x;
        settings.yOffset = kKnobRows[k].y;
        settings.panelX = x;
        settings.panelY = y;
        settings.scale = m_scale;
        CRotaryKnobClass& knob = m_targets.KnobAt(k);
        if (!knob.Initialise(settings)) {
            SetError(knob.GetErrorText());
            return false;
        }
    }
    m_targets.ResetKnobs();  // the targets keep each knob's step and limits

    for (int w = 0; w < kWindowCount; ++w) {
        PanelDisplaySettings settings;
        settings.cellCount = kWindowRows[w].cells;
        settings.folder = folder;
        settings.panelX = x;
        settings.panelY = y;
        settings.xOffset = kWindowRows[w].x;
        settings.yOffset = kWindowRows[w].y;
        settings.scale = m_scale;
        if (!m_windows[w].Initialise(settings)) {
            SetError(m_windows[w].GetErrorText());
            return false;
        }
    }

    for (int i = 0; i < kLightCount; ++i) {
        LightSettings settings;
        settings.buttonId = kLightRows[i].number;
        settings.folder = folder;
        settings.controlFolder = kLightRows[i].picture;
        settings.panelX = x;
        settings.panelY = y;
        settings.xOffset = kLightRows[i].x;
        settings.yOffset = kLightRows[i].y;
        settings.scale = m_scale;
        const bool ok = m_lights[i].Initialise(settings);
        if (i == kBlankOverlay) {
            // Without its overlay a blank FCU still shows its labels.
            m_blankReady = ok;
        } else if (!ok) {
            SetError(m_lights[i].GetErrorText());
            return false;
        }
    }

    m_ready = true;
    SetLights(m_targets.IsMach(), m_targets.IsTrkFpa(), false);
    At<std::uint16_t>(m_out + fcu::out::kSpeed)
        .Write(GetSharedMemory(), static_cast<std::uint16_t>(m_targets.Published().speed));
    return true;
}

bool CFcuPanel::InBit(std::uint32_t offset) const {
    return At<std::uint8_t>(m_in + offset).Read(GetSharedMemory()) != 0;
}

void CFcuPanel::PutOut(std::uint32_t offset, std::uint8_t value) {
    At<std::uint8_t>(m_out + offset).Write(GetSharedMemory(), value);
}

bool CFcuPanel::HasPresetRequest() const {
    if (!m_ready || GetSharedMemory() == nullptr)
        return false;
    for (std::uint32_t request : fcu::in::kPresetRequests) {
        if (InBit(request))
            return true;
    }
    return false;
}

void CFcuPanel::SetLights(bool mach, bool trkFpa, bool test) {
    for (int i = 0; i < kLightCount; ++i) {
        bool lit = false;
        switch (kLightRows[i].drive) {
            case Drive::NotMach:
                lit = !mach;
                break;
            case Drive::Never:
            case Drive::Off:
            case Drive::Overlay:
                lit = false;
                break;
            case Drive::TrkFpa:
                lit = trkFpa;
                break;
            case Drive::NotTrkFpa:
                lit = !trkFpa;
                break;
            case Drive::Always:
                lit = true;
                break;
            case Drive::SpeedManaged:
                lit = InBit(fcu::in::kSpeedManaged);
                break;
            case Drive::HeadingManaged:
                lit = InBit(fcu::in::kHeadingManaged);
                break;
            case Drive::VerticalManaged:
                lit = InBit(fcu::in::kVerticalManaged);
                break;
        }
        m_lights[i].SetLight(lit, test && kLightRows[i].lampTest);
    }
}

void CFcuPanel::RefreshFromOutputs() {
    if (!m_ready)
        return;
    const bool test = InBit(fcu::in::kLampTest);
    for (int i = 0; i < kButtonCount; ++i) {
        if (kButtonLight[i] != kNoLight)
            m_buttons[i].SetOnOffLights(InBit(kButtonLight[i]), test);
    }
}

void CFcuPanel::Update(MouseEvent* event) {
    std::uint8_t* view = GetSharedMemory();
    if (!m_ready || view == nullptr)
        return;
    if (m_remoteHold) {
        RefreshFromOutputs();
        return;
    }

    const bool test = InBit(fcu::in::kLampTest);
    for (int i = 0; i < kButtonCount; ++i) {
        const bool lit = kButtonLight[i] != kNoLight && InBit(kButtonLight[i]);
        m_buttons[i].UpdateOnOff(event, lit, test);
        PutOut(kButtonState[i], m_buttons[i].IsPressed() ? 1 : 0);
    }

    FcuHostInputs in;
    in.speedManaged = InBit(fcu::in::kSpeedManaged);
    in.headingManaged = InBit(fcu::in::kHeadingManaged);
    in.verticalManaged = InBit(fcu::in::kVerticalManaged);
    in.managedSpeed = At<std::int32_t>(m_in + fcu::in::kManagedSpeed).Read(view);
    in.speedOnPull = At<std::int32_t>(m_in + fcu::in::kSpeedOnPull).Read(view);
    in.speedSet = At<std::uint32_t>(m_in + fcu::in::kSpeedSet).Read(view);
    in.toSpeed = InBit(fcu::in::kToSpeed);
    in.toMach = InBit(fcu::in::kToMach);
    in.altitudePreset = InBit(fcu::in::kAltitudePreset);
    in.altitudePresetFeet = At<float>(m_in + fcu::in::kAltitudePresetValue).Read(view);
    in.aircraftAltitude = fcu::kAircraftAltitude.Read(view);
    m_targets.Step(event, in, m_buttons[kSpdMachButton].IsPressed(),
                   m_buttons[kHdgTrkButton].IsPressed());

    const FcuPublished& p = m_targets.Published();
    At<std::uint16_t>(m_out + fcu::out::kSpeed).Write(view, static_cast<std::uint16_t>(p.speed));
    At<std::uint16_t>(m_out + fcu::out::kHeading)
        .Write(view, static_cast<std::uint16_t>(p.heading));
    At<std::uint16_t>(m_out + fcu::out::kAltitude)
        .Write(view, static_cast<std::uint16_t>(p.altitudeHundreds));
    At<std::int16_t>(m_out + fcu::out::kVertical)
        .Write(view, static_cast<std::int16_t>(p.vertical));
    for (int role = 0; role < CFcuTargets::kRoleCount; ++role)
        PutOut(fcu::out::kAltitudeAction + static_cast<std::uint32_t>(role), p.action[role]);
    PutOut(fcu::out::kSpeedDot, in.speedManaged ? 1 : 0);
    PutOut(fcu::out::kHeadingDot, in.headingManaged ? 1 : 0);
    PutOut(fcu::out::kVerticalDot, in.verticalManaged ? 1 : 0);
    PutOut(fcu::out::kMach, p.mach ? 1 : 0);
    PutOut(fcu::out::kTrkFpa, p.trkFpa ? 1 : 0);
    PutOut(fcu::out::kAltitude100, p.step100 ? 1 : 0);
    SetLights(p.mach, p.trkFpa, test);
}

void CFcuPanel::ApplyHostPresets() {
    std::uint8_t* view = GetSharedMemory();
    if (!m_ready || view == nullptr || m_remoteHold)
        return;
    FcuHostPresets presets;
    presets.speed = InBit(fcu::in::kSpeedPreset);
    presets.speedValue = At<float>(m_in + fcu::in::kSpeedPresetValue).Read(view);
    presets.heading = InBit(fcu::in::kHeadingPreset);
    presets.headingValue = At<float>(m_in + fcu::in::kHeadingPresetValue).Read(view);
    presets.altitude = InBit(fcu::in::kAltitudePreset);
    presets.altitudeFeet = At<float>(m_in + fcu::in::kAltitudePresetValue).Read(view);
    presets.fpa = InBit(fcu::in::kFpaPreset);
    presets.fpaValue = At<float>(m_in + fcu::in::kFpaPresetValue).Read(view);
    presets.vs = InBit(fcu::in::kVsPreset);
    presets.vsValue = At<float>(m_in + fcu::in::kVsPresetValue).Read(view);
    m_targets.ApplyPresets(presets);
}

void CFcuPanel::DrawWindows(const char* const (&texts)[kWindowCount], CDC* dc) {
    std::uint8_t* view = GetSharedMemory();
    for (int w = 0; w < kWindowCount; ++w) {
        m_windows[w].SetDisplay(texts[w], dc);
        if (!m_remoteHold) {
            shm::TextAt<Gensim_Shm::kSize>(m_out + kWindowRows[w].text, fcu::out::kTextSize)
                .Write(view, texts[w]);
        }
    }
}

void CFcuPanel::DrawLabels(CDC* dc) {
    if (InBit(fcu::in::kBlank) && m_blankReady) {
        m_lights[kBlankOverlay].Draw(dc);
        return;
    }
    for (int i = 0; i < kLightCount; ++i) {
        const Drive drive = kLightRows[i].drive;
        if (drive != Drive::Never && drive != Drive::Overlay)
            m_lights[i].Draw(dc);
    }
}

void CFcuPanel::Draw(CDC* dc) {
    std::uint8_t* view = GetSharedMemory();
    if (!m_ready || view == nullptr)
        return;
    for (CButtonClass& button : m_buttons)
        button.Draw(dc);

    const bool step100 = m_remoteHold
                             ? At<std::uint8_t>(m_out + fcu::out::kAltitude100).Read(view) != 0
                             : m_targets.IsStep100();
    for (int k = 0; k < CFcuTargets::kKnobCount; ++k) {
        if (k == CFcuTargets::kAltitude1000Knob && step100)
            continue;
        if (k == CFcuTargets::kAltitude100Knob && !step100)
            continue;
        m_targets.KnobAt(k).DrawRotaryKnob(dc);
    }

    if (m_remoteHold) {
        // The FCU as published.
        char published[kWindowCount][8];
        const char* texts[kWindowCount];
        for (int w = 0; w < kWindowCount; ++w) {
            shm::TextAt<Gensim_Shm::kSize>(m_out + kWindowRows[w].text, fcu::out::kTextSize)
                .Read(view, published[w], sizeof published[w]);
            texts[w] = published[w];
        }
        DrawWindows(texts, dc);
        SetLights(At<std::uint8_t>(m_out + fcu::out::kMach).Read(view) != 0,
                  At<std::uint8_t>(m_out + fcu::out::kTrkFpa).Read(view) != 0,
                  InBit(fcu::in::kLampTest));
    } else {
        FcuWindowInputs in;
        in.lampTest = InBit(fcu::in::kLampTest);
        in.blank = InBit(fcu::in::kBlank);
        in.speedManaged = InBit(fcu::in::kSpeedManaged);
        in.headingManaged = InBit(fcu::in::kHeadingManaged);
        in.verticalManaged = InBit(fcu::in::kVerticalManaged);
        in.managedSpeed = At<std::int32_t>(m_in + fcu::in::kManagedSpeed).Read(view);
        in.hostTime = fcu::kHostTime.Read(view);
        FcuWindowTexts composed;
        m_targets.ComposeWindows(in, composed);
        const char* texts[kWindowCount] = {composed.speed, composed.heading, composed.altitude,
                                           composed.vertical};
        DrawWindows(texts, dc);
    }
    DrawLabels(dc);
}

const CBaseCockpitControl* CFcuPanel::GetControl(int index) const {
    if (index >= 0 && index < kButtonCount)
        return &m_buttons[index];
    index -= kButtonCount;
    if (index >= 0 && index < CFcuTargets::kKnobCount)
        return &m_targets.KnobAt(index);
    index -= CFcuTargets::kKnobCount;
    if (index >= 0 && index < kLightCount)
        return &m_lights[index];
    return nullptr;
}
