#include "panels/CKitPanel.h"

#include <cstdio>

#include "shm/SimSegment.h"
#include "util/KxText.h"

namespace {

using kit::kNone;

template <typename T>
T ReadAt(const std::uint8_t* view, std::uint32_t offset) {
    return offset == kNone ? T{} : GenField<T>::At(offset).Read(view);
}

template <typename T>
void WriteAt(std::uint8_t* view, std::uint32_t offset, T value) {
    if (offset != kNone)
        GenField<T>::At(offset).Write(view, value);
}

std::uint32_t Within(std::uint32_t block, std::uint32_t offset) {
    return block == kNone || offset == kNone ? kNone : block + offset;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void CKitPanel::Bind(const Controls& controls) {
    m_controls = controls;
    m_buttons = controls.buttons;
    m_covers = controls.covers;
    m_switches = controls.switches;
    m_knobs = controls.knobs;
    m_levers = controls.levers;
    m_lights = controls.lights;
    m_displays = controls.displays;
    m_rotaries = controls.rotaries;
}

blocks::PanelBlocks CKitPanel::BlocksOf(const kit::PanelDescription& desc, int side, bool a320) {
    if (!desc.sideRegions.empty()) {
        if (side < 0 || static_cast<std::size_t>(side) >= desc.sideRegions.size())
            return blocks::kNoBlocks;
        const blocks::TypedBlocks& typed = desc.sideRegions[static_cast<std::size_t>(side)];
        return a320 ? typed.a320 : typed.a330;
    }
    blocks::PanelBlocks chosen = a320 ? desc.regions.a320 : desc.regions.a330;
    const auto move = [side](std::uint32_t start, std::uint32_t stride) {
        return start == kNone ? kNone : start + static_cast<std::uint32_t>(side) * stride;
    };
    chosen.out = move(chosen.out, desc.sideOutStride);
    chosen.in = move(chosen.in, desc.sideInStride);
    return chosen;  // the lengths are the same for every side
}

bool CKitPanel::QueryAircraftType() {
    if (!m_desc.typeDependent) {
        m_blocks = BlocksOf(m_desc, m_side, true);
        m_a320Layout = true;
        return true;
    }
    blocks::PanelBlocks unused{};
    bool a320 = true;
    if (!blocks::ChooseRegion(m_desc.regions, m_aircraftType, unused, a320))
        return false;
    m_a320Layout = a320;
    m_blocks = BlocksOf(m_desc, m_side, a320);
    return true;
}

bool CKitPanel::Fail(const char* what) {
    char text[256];
    kx::Format(text, sizeof text, "%s::Initialise --> %s", m_desc.className, what);
    SetError(text);
    return false;
}

bool CKitPanel::Initialise(const char* folder, int x, int y) {
    m_initialised = false;
    SetError(m_desc.progress);
    SetPosition(x, y);
    if (GetSharedMemory() == nullptr)
        return Fail("SharedMemory ptr not set");
    if (m_side < 0 || m_side >= m_desc.sides)
        return Fail("Invalid Side given ");
    if (!QueryAircraftType())
        return Fail("Incorrect aircraft fit");
    if (m_buttons.size() != m_desc.buttons.size() || m_covers.size() != m_desc.covers.size() ||
        m_switches.size() != m_desc.switches.size() || m_knobs.size() != m_desc.knobs.size() ||
        m_levers.size() != m_desc.levers.size() || m_lights.size() != m_desc.lights.size() ||
        m_displays.size() != m_desc.displays.size() ||
        m_rotaries.size() != m_desc.rotaries.size()) {
        return Fail("Control tables do not match the panel");
    }
    if (!InitialiseControls(folder) || !InitialiseExtra(folder))
        return false;
    m_initialised = true;
    bool atStart = false;
    for (std::size_t k = 0; k < m_desc.presets.size(); ++k) {
        if (m_desc.presets[k].atStart) {
            ApplyPreset(k);
            atStart = true;
        }
    }
    if (atStart)
        WriteOutputs(GetSharedMemory());
    return true;
}

int CKitPanel::PlaceX(int x, int x330) const {
    return !m_a320Layout && x330 != kit::kSame ? x330 : x;
}

int CKitPanel::PlaceY(int y, int y330) const {
    return !m_a320Layout && y330 != kit::kSame ? y330 : y;
}

bool CKitPanel::InitialiseControls(const char* folder) {
    const CPoint origin = GetPosition();
    // Every control's settings take the folder, the panel origin, its place
    // from its row (the A330 place in the A330 layout) and the panel scale.
    const auto place = [&](auto& settings, const auto& row) {
        settings.folder = folder;
        settings.panelX = origin.x;
        settings.panelY = origin.y;
        settings.xOffset = PlaceX(row.x, row.x330);
        settings.yOffset = PlaceY(row.y, row.y330);
        settings.scale = m_scale;
    };
    auto failWith = [this](auto& control, const char* groupFailure = nullptr) {
        if (groupFailure == nullptr) {
            SetError(control.GetErrorText());
        } else {
            char where[256];
            kx::Format(where, sizeof where, "%s::Initialise --> %s", m_desc.className,
                       groupFailure);
            SetError(where, control.GetErrorText());
        }
        OnControlFailure(KindOf(control));
        return false;
    };

    for (std::size_t i = 0; i < m_displays.size(); ++i) {
        const kit::DisplayRow& row = m_desc.displays[i];
        PanelDisplaySettings settings;
        settings.cellCount = row.cells;
        place(settings, row);
        if (!m_displays[i].Initialise(settings))
            return failWith(m_displays[i]);
    }

    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const kit::ButtonRow& row = m_desc.buttons[i];
        ButtonSettings settings;
        settings.buttonId = row.id >= 0 ? row.id : static_cast<std::int32_t>(i);
        settings.controlFolder = row.picture;
        place(settings, row);
        settings.momentary = row.momentary;
        settings.onOffSet = row.onOff;
        if (!m_buttons[i].Initialise(settings))
            return failWith(m_buttons[i]);
        // A new button shows picture 0 (in, upper legend lit) until its first
        // update; show it out and unlit as it is from the start.
        m_buttons[i].SetPressed(m_buttons[i].IsPressed());
    }

    for (std::size_t i = 0; i < m_covers.size(); ++i) {
        const kit::CoverRow& row = m_desc.covers[i];
        if (row.button < 0 || static_cast<std::size_t>(row.button) >= m_desc.buttons.size())
            return Fail("Cover over a button the panel does not have");
        const kit::ButtonRow& covered = m_desc.buttons[static_cast<std::size_t>(row.button)];
        CoverSettings settings;
        settings.controlFolder = row.picture;
        place(settings, covered);
        if (!m_covers[i].Initialise(settings))
            return failWith(m_covers[i]);
    }

    for (std::size_t i = 0; i < m_switches.size(); ++i) {
        const kit::SwitchRow& row = m_desc.switches[i];
        SwitchSettings settings;
        settings.switchId = row.id >= 0 ? row.id : static_cast<std::int32_t>(i);
        settings.switchType = row.type;
        for (int p = 0; p < 3; ++p)
            settings.pictures[p] = row.pictures[p];
        place(settings, row);
        if (!m_switches[i].Initialise(settings))
            return failWith(m_switches[i], m_desc.switchesFailure);
        m_switches[i].SetPosition(row.initial);
    }

    for (std::size_t i = 0; i < m_knobs.size(); ++i) {
        const kit::KnobRow& row = m_desc.knobs[i];
        KnobSettings settings;
        const bool own330 = !m_a320Layout;
        const char* present = own330 && row.present330 != nullptr ? row.present330 : row.present;
        for (const char* p = present; p != nullptr && *p != '\0'; ++p) {
            if (*p >= '0' && *p <= '7')
                settings.present[*p - '0'] = 1;
        }
        settings.controlFolder = own330 && row.picture330 != nullptr ? row.picture330 : row.picture;
        place(settings, row);
        settings.verticalMargin = row.verticalMargin;
        settings.horizontalMargin = row.horizontalMargin;
        const bool margins = row.verticalMargin != 0 || row.horizontalMargin != 0;
        if (!(margins ? m_knobs[i].InitialiseWithMargins(settings)
                      : m_knobs[i].Initialise(settings))) {
            return failWith(m_knobs[i], m_desc.knobsFailure);
        }
        m_knobs[i].SetKnobPosition(row.initial);
    }

    for (std::size_t i = 0; i < m_levers.size(); ++i) {
        const kit::LeverRow& row = m_desc.levers[i];
        LeverSettings settings;
        settings.leadingWord = row.id >= 0 ? row.id : static_cast<std::int32_t>(i);
        place(settings, row);
        if (row.detents != nullptr) {
            for (int d = 0; d < CLever::kDetentCount; ++d)
                settings.detents[d] = (*row.detents)[d];
        }
        if (!m_levers[i].Initialise(settings))
            return failWith(m_levers[i]);
        m_levers[i].SetDetent(row.initial);
    }

    for (std::size_t i = 0; i < m_lights.size(); ++i) {
        const kit::LightRow& row = m_desc.lights[i];
        LightSettings settings;
        settings.buttonId = static_cast<std::int32_t>(i);
        settings.controlFolder = row.picture;
        place(settings, row);
        if (!m_lights[i].Initialise(settings))
            return failWith(m_lights[i]);
        m_lights[i].SetLight(false, false);
    }

    for (std::size_t i = 0; i < m_rotaries.size(); ++i) {
        const kit::RotaryRow& row = m_desc.rotaries[i];
        RotaryKnobSettings settings;
        for (int p = 0; p < 3; ++p)
            settings.pictures[p] = row.pictures[p];
        place(settings, row);
        settings.step = row.step;
        settings.maximum = row.maximum;
        settings.minimum = row.minimum;
        if (!m_rotaries[i].Initialise(settings))
            return failWith(m_rotaries[i]);
    }
    return true;
}

std::uint8_t CKitPanel::InByte(const std::uint8_t* view, std::uint32_t offset) const {
    return ReadAt<std::uint8_t>(view, Within(m_blocks.in, offset));
}

void CKitPanel::OutByte(std::uint8_t* view, std::uint32_t offset, std::uint8_t value) const {
    WriteAt<std::uint8_t>(view, Within(m_blocks.out, offset), value);
}

std::uint8_t CKitPanel::ReadOutByte(const std::uint8_t* view, std::uint32_t offset) const {
    return ReadAt<std::uint8_t>(view, Within(m_blocks.out, offset));
}

bool CKitPanel::LampTest(const std::uint8_t* view) const {
    return m_desc.lampTest != kNone && InByte(view, m_desc.lampTest) != 0;
}

char CKitPanel::Forced(const char* presets, kit::Held held, const std::uint8_t* view) const {
    char action = '\0';
    for (std::size_t k = 0; k < m_desc.presets.size(); ++k) {
        const kit::PresetRow& preset = m_desc.presets[k];
        if (preset.request == kNone || InByte(view, preset.request) == 0)
            continue;
        if (char a = kit::PresetAction(presets, k))
            action = a;  // a later preset wins
    }
    if (held == kit::Held::Always || (held == kit::Held::InA330Layout && !m_a320Layout))
        action = 'I';
    return action;
}

void CKitPanel::ButtonLights(int index, const std::uint8_t* view, bool& top, bool& bottom) const {
    const kit::Lights& lights = m_desc.buttons[static_cast<std::size_t>(index)].lights;
    switch (lights.mode) {
        case kit::Lit::Pair:
            top = InByte(view, lights.top) != 0;
            bottom = InByte(view, lights.bottom) != 0;
            return;
        case kit::Lit::One:
            top = InByte(view, lights.top) != 0;
            bottom = false;
            return;
        case kit::Lit::Panel:
            top = ButtonLit(index, view);
            bottom = false;
            return;
        default:
            top = bottom = false;
            return;
    }
}

bool CKitPanel::ButtonGated(int index) const {
    for (std::size_t c = 0; c < m_covers.size(); ++c) {
        const kit::CoverRow& row = m_desc.covers[c];
        if (row.button == index && row.gates && m_covers[c].IsClosed())
            return true;
    }
    return false;
}

bool CKitPanel::ButtonHidden(int index) const {
    for (const kit::CoverRow& row : m_desc.covers) {
        if (row.button == index && row.hides)
            return true;
    }
    return false;
}

void CKitPanel::ApplyPreset(std::size_t preset) {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const char a = kit::PresetAction(m_desc.buttons[i].presets, preset);
        if (a == 'I' || a == 'O')
            m_buttons[i].SetPressed(a == 'I');
    }
    for (std::size_t i = 0; i < m_switches.size(); ++i) {
        const char a = kit::PresetAction(m_desc.switches[i].presets, preset);
        if (IsDigit(a))
            m_switches[i].SetPosition(a - '0');
    }
    for (std::size_t i = 0; i < m_knobs.size(); ++i) {
        const char a = kit::PresetAction(m_desc.knobs[i].presets, preset);
        if (IsDigit(a))
            m_knobs[i].SetKnobPosition(a - '0');
    }
    for (std::size_t i = 0; i < m_levers.size(); ++i) {
        const char a = kit::PresetAction(m_desc.levers[i].presets, preset);
        if (IsDigit(a))
            m_levers[i].SetDetent(a - '0');
    }
}

void CKitPanel::SetAllOn() {
    bool write = false;
    for (std::size_t k = 0; k < m_desc.presets.size(); ++k) {
        if (m_desc.presets[k].allOn) {
            ApplyPreset(k);
            write = write || m_desc.presets[k].writeAtOnce;
        }
    }
    if (write && m_initialised)
        WriteOutputs(GetSharedMemory());
}

void CKitPanel::WriteButton(std::uint8_t* view, int index) {
    const kit::Out& out = m_desc.buttons[static_cast<std::size_t>(index)].out;
    const std::uint32_t at = Within(m_blocks.out, out.offset);
    const CButtonClass& button = m_buttons[static_cast<std::size_t>(index)];
    if (!IsActive(Kind::Button, index) || ButtonGated(index)) {
        WriteAt<std::uint8_t>(view, at, 0);
        return;
    }
    if (out.enc == kit::Enc::Inverted)
        WriteAt<std::uint8_t>(view, at, button.IsPublishedPressed() ? 0 : 1);
    else if (out.enc != kit::Enc::None)
        WriteAt<std::uint8_t>(view, at, button.IsPublishedPressed() ? 1 : 0);
}

void CKitPanel::WritePosition(std::uint8_t* view, const kit::Out& out, int position, int positions,
                              const char flags[2]) {
    const std::uint32_t at = Within(m_blocks.out, out.offset);
    switch (out.enc) {
        case kit::Enc::None:
            return;
        case kit::Enc::Int32:
            WriteAt<std::int32_t>(view, at, position);
            return;
        case kit::Enc::Flags:
            WriteAt<std::uint8_t>(view, at, flags[0] ? 1 : 0);
            WriteAt<std::uint8_t>(view, Within(at, 1), flags[1] ? 1 : 0);
            return;
        case kit::Enc::OneAt:
            WriteAt<std::uint8_t>(view, at, position == out.value ? 1 : 0);
            return;
        case kit::Enc::OneHot:
            for (int p = 0; p < kit::OneHotCount(out, positions); ++p)
                WriteAt<std::uint8_t>(view, Within(at, static_cast<std::uint32_t>(p)),
                                      p == position ? 1 : 0);
            return;
        case kit::Enc::Byte:
        case kit::Enc::Inverted:
            WriteAt<std::uint8_t>(view, at, static_cast<std::uint8_t>(position < 0 ? 0 : position));
            return;
    }
}

void CKitPanel::WriteOutputs(std::uint8_t* view) {
    if (view == nullptr)
        return;
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        WriteButton(view, static_cast<int>(i));
    const char none[2] = {0, 0};
    for (std::size_t i = 0; i < m_switches.size(); ++i) {
        const int p = m_switches[i].GetPosition();
        const char flags[2] = {static_cast<char>(p == CSwitchClass::kUp),
                               static_cast<char>(p == CSwitchClass::kDown)};
        const bool on = IsActive(Kind::Switch, static_cast<int>(i));
        WritePosition(view, m_desc.switches[i].out, on ? p : -1, 3, on ? flags : none);
    }
    for (std::size_t i = 0; i < m_knobs.size(); ++i) {
        const bool on = IsActive(Kind::Knob, static_cast<int>(i));
        WritePosition(view, m_desc.knobs[i].out, on ? m_knobs[i].GetKnobPosition() : 0,
                      CKnobClass::kPositionCount, none);
    }
    for (std::size_t i = 0; i < m_levers.size(); ++i) {
        const bool on = IsActive(Kind::Lever, static_cast<int>(i));
        WritePosition(view, m_desc.levers[i].out, on ? m_levers[i].GetDetent() : -1,
                      kit::DetentCount(m_desc.levers[i]), none);
    }
}

void CKitPanel::UpdateCovers(MouseEvent* event) {
    for (std::size_t c = 0; c < m_covers.size(); ++c) {
        if (!IsActive(Kind::Cover, static_cast<int>(c)))
            continue;
        m_covers[c].HandleMouse(event);
        const auto button = static_cast<std::size_t>(m_desc.covers[c].button);
        m_buttons[button].SetLocked(m_covers[c].IsClosed());
    }
}

void CKitPanel::UpdateButtons(std::uint8_t* view, MouseEvent* event) {
    const bool test = LampTest(view);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const kit::ButtonRow& row = m_desc.buttons[i];
        const int index = static_cast<int>(i);
        CButtonClass& button = m_buttons[i];
        if (IsActive(Kind::Button, index) && !ButtonGated(index)) {
            MouseEvent* ev = DrawnHere(row.drawn) ? event : nullptr;
            bool top = false;
            bool bottom = false;
            ButtonLights(index, view, top, bottom);
            const bool lamp = test && row.lights.mode != kit::Lit::None;
            if (row.onOff)
                button.UpdateOnOff(ev, top, lamp);
            else
                button.Update(ev, top, bottom, lamp);
            const char forced = Forced(row.presets, row.held, view);
            if (forced == 'I' || forced == 'O')
                button.SetPressed(forced == 'I');
        }
        WriteButton(view, index);
    }
}

void CKitPanel::UpdatePositioned(std::uint8_t* view, MouseEvent* event) {
    const char none[2] = {0, 0};
    for (std::size_t i = 0; i < m_switches.size(); ++i) {
        const kit::SwitchRow& row = m_desc.switches[i];
        CSwitchClass& control = m_switches[i];
        if (!IsActive(Kind::Switch, static_cast<int>(i))) {
            WritePosition(view, row.out, -1, 3, none);
            continue;
        }
        if (DrawnHere(row.drawn))
            control.HandleMouse(event);
        const char forced = Forced(row.presets, kit::Held::No, view);
        if (IsDigit(forced))
            control.SetPosition(forced - '0');
        char flags[2] = {0, 0};
        control.WritePositionFlags(flags);
        WritePosition(view, row.out, control.GetPosition(), 3, flags);
    }
    for (std::size_t i = 0; i < m_knobs.size(); ++i) {
        const kit::KnobRow& row = m_desc.knobs[i];
        CKnobClass& control = m_knobs[i];
        if (!IsActive(Kind::Knob, static_cast<int>(i))) {
            WritePosition(view, row.out, 0, CKnobClass::kPositionCount, none);
            continue;
        }
        if (DrawnHere(row.drawn))
            control.HandleMouse(event);
        const char forced = Forced(row.presets, kit::Held::No, view);
        if (IsDigit(forced))
            control.SetKnobPosition(forced - '0');
        WritePosition(view, row.out, control.GetKnobPosition(), CKnobClass::kPositionCount, none);
    }
    for (std::size_t i = 0; i < m_levers.size(); ++i) {
        const kit::LeverRow& row = m_desc.levers[i];
        CLever& control = m_levers[i];
        if (!IsActive(Kind::Lever, static_cast<int>(i))) {
            WritePosition(view, row.out, -1, kit::DetentCount(row), none);
            continue;
        }
        if (DrawnHere(row.drawn))
            control.HandleMouse(event);
        const char forced = Forced(row.presets, kit::Held::No, view);
        if (IsDigit(forced))
            control.SetDetent(forced - '0');
        WritePosition(view, row.out, control.GetDetent(), kit::DetentCount(row), none);
    }
}

void CKitPanel::UpdateLights(const std::uint8_t* view) {
    const bool test = LampTest(view);
    for (std::size_t i = 0; i < m_lights.size(); ++i) {
        const kit::LightRow& row = m_desc.lights[i];
        bool lit = false;
        switch (row.source) {
            case kit::Source::Byte:
                lit = InByte(view, row.input) != 0;
                break;
            case kit::Source::Int32Equals:
                lit = ReadAt<std::int32_t>(view, Within(m_blocks.in, row.input)) == row.value;
                break;
            case kit::Source::Panel:
                lit = LightLit(static_cast<int>(i), view);
                break;
        }
        m_lights[i].SetLight(lit, test && row.lampTest);
    }
}

void CKitPanel::Update(MouseEvent* event) {
    std::uint8_t* view = GetSharedMemory();
    if (!m_initialised || view == nullptr)
        return;
    if (m_remoteHold && m_desc.followsRemoteHold) {
        RefreshFromOutputs();
        return;
    }
    BeforeControls(view, event);
    if (!m_desc.coversAfterButtons)
        UpdateCovers(event);
    UpdateButtons(view, event);
    UpdatePositioned(view, event);
    UpdateLights(view);
    if (m_desc.coversAfterButtons)
        UpdateCovers(event);
    AfterControls(view, event);
}

void CKitPanel::RefreshFromOutputs() {
    std::uint8_t* view = GetSharedMemory();
    if (!m_initialised || view == nullptr)
        return;
    const bool test = LampTest(view);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const kit::ButtonRow& row = m_desc.buttons[i];
        CButtonClass& button = m_buttons[i];
        bool top = false;
        bool bottom = false;
        ButtonLights(static_cast<int>(i), view, top, bottom);
        const bool lamp = test && row.lights.mode != kit::Lit::None;
        if (row.onOff)
            button.UpdateOnOff(nullptr, top, lamp);
        else
            button.Update(nullptr, top, bottom, lamp);
        if (row.out.enc == kit::Enc::Byte || row.out.enc == kit::Enc::Inverted) {
            const bool on = ReadOutByte(view, row.out.offset) != 0;
            button.SetPressed(row.out.enc == kit::Enc::Byte ? on : !on);
        } else {
            button.SetPressed(button.IsPressed());  // shows the new lights
        }
    }
    for (std::size_t i = 0; i < m_switches.size(); ++i) {
        const kit::Out& out = m_desc.switches[i].out;
        const std::uint32_t at = Within(m_blocks.out, out.offset);
        switch (out.enc) {
            case kit::Enc::Flags: {
                const char flags[2] = {
                    static_cast<char>(ReadAt<std::uint8_t>(view, at)),
                    static_cast<char>(ReadAt<std::uint8_t>(view, Within(at, 1)))};
                m_switches[i].SetPositionFromFlags(flags);
                break;
            }
            case kit::Enc::OneAt: {
                // 1: the position of the field. 0: position 0, or, when the
                // field is position 0 itself, the other end.
                const bool at0 = out.value == 0;
                const bool on = ReadAt<std::uint8_t>(view, at) != 0;
                m_switches[i].SetPosition(on ? out.value : at0 ? CSwitchClass::kDown : 0);
                break;
            }
            case kit::Enc::Byte:
                m_switches[i].SetPosition(ReadAt<std::uint8_t>(view, at));
                break;
            case kit::Enc::Int32:
                m_switches[i].SetPosition(ReadAt<std::int32_t>(view, at));
                break;
            default:
                break;
        }
    }
    for (std::size_t i = 0; i < m_knobs.size(); ++i) {
        const kit::Out& out = m_desc.knobs[i].out;
        const std::uint32_t at = Within(m_blocks.out, out.offset);
        if (out.enc == kit::Enc::Int32)
            m_knobs[i].SetKnobPosition(ReadAt<std::int32_t>(view, at));
        else if (out.enc == kit::Enc::Byte)
            m_knobs[i].SetKnobPosition(ReadAt<std::uint8_t>(view, at));
    }
    for (std::size_t i = 0; i < m_levers.size(); ++i) {
        const kit::Out& out = m_desc.levers[i].out;
        const std::uint32_t at = Within(m_blocks.out, out.offset);
        // A detent the lever does not have (a host's nonsense) leaves it where
        // it is.
        if (out.enc == kit::Enc::Int32 || out.enc == kit::Enc::Byte) {
            const int detent = out.enc == kit::Enc::Int32 ? ReadAt<std::int32_t>(view, at)
                                                          : ReadAt<std::uint8_t>(view, at);
            if (m_levers[i].IsDetentPresent(detent))
                m_levers[i].SetDetent(detent);
        } else if (out.enc == kit::Enc::OneHot) {
            const auto count = static_cast<std::uint32_t>(
                kit::OneHotCount(out, kit::DetentCount(m_desc.levers[i])));
            for (std::uint32_t d = 0; d < count; ++d) {
                if (m_levers[i].IsDetentPresent(static_cast<int>(d)) &&
                    ReadAt<std::uint8_t>(view, Within(at, d)) != 0) {
                    m_levers[i].SetDetent(static_cast<int>(d));
                    break;
                }
            }
        }
    }
    UpdateLights(view);
}

void CKitPanel::Draw(CDC* dc) {
    std::uint8_t* view = GetSharedMemory();
    if (!m_initialised || view == nullptr)
        return;
    for (std::size_t i = 0; i < m_displays.size(); ++i) {
        if (!DrawnHere(m_desc.displays[i].drawn))
            continue;
        char text[64];
        if (DisplayText(static_cast<int>(i), view, text, sizeof text))
            m_displays[i].SetDisplay(text, dc);
    }
    const auto drawAll = [this, dc](auto controls, auto rows, Kind kind) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (DrawnHere(rows[i].drawn) && IsActive(kind, static_cast<int>(i)))
                controls[i].Draw(dc);
        }
    };
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const int index = static_cast<int>(i);
        if (DrawnHere(m_desc.buttons[i].drawn) && IsActive(Kind::Button, index) &&
            !ButtonHidden(index)) {
            m_buttons[i].Draw(dc);
        }
    }
    drawAll(m_switches, m_desc.switches, Kind::Switch);
    drawAll(m_knobs, m_desc.knobs, Kind::Knob);
    drawAll(m_levers, m_desc.levers, Kind::Lever);
    drawAll(m_lights, m_desc.lights, Kind::Light);
    for (std::size_t i = 0; i < m_rotaries.size(); ++i) {
        if (DrawnHere(m_desc.rotaries[i].drawn) && IsActive(Kind::Rotary, static_cast<int>(i)))
            m_rotaries[i].DrawRotaryKnob(dc);
    }
    for (std::size_t c = 0; c < m_covers.size(); ++c) {
        const kit::CoverRow& row = m_desc.covers[c];
        const auto b = static_cast<std::size_t>(row.button);
        const bool buttonDrawn =
            DrawnHere(m_desc.buttons[b].drawn) && IsActive(Kind::Button, row.button);
        if (!buttonDrawn || !IsActive(Kind::Cover, static_cast<int>(c)))
            continue;
        m_covers[c].Draw(dc);
        if (row.hides && !m_covers[c].IsClosed())
            m_buttons[b].Draw(dc);
    }
    DrawExtra(dc);
}

const CBaseCockpitControl* CKitPanel::GetControl(int index) const {
    if (index < 0)
        return nullptr;
    auto pick = [&index](auto controls) -> const CBaseCockpitControl* {
        if (static_cast<std::size_t>(index) < controls.size())
            return &controls[static_cast<std::size_t>(index)];
        index -= static_cast<int>(controls.size());
        return nullptr;
    };
    if (auto* c = pick(m_buttons))
        return c;
    if (auto* c = pick(m_covers))
        return c;
    if (auto* c = pick(m_switches))
        return c;
    if (auto* c = pick(m_knobs))
        return c;
    if (auto* c = pick(m_levers))
        return c;
    if (auto* c = pick(m_lights))
        return c;
    return pick(m_rotaries);
}
