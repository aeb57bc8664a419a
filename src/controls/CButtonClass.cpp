#include "controls/CButtonClass.h"

bool CButtonClass::Initialise(const ButtonSettings& settings) {
    SetScale(settings.scale);

    ControlDefinition definition{};
    definition.kind = ControlType::PushButton;
    if (settings.onOffSet) {
        for (int i = 0; i < 4; ++i) {
            JoinPictureName(definition.fileNames[i], settings.folder, "\\", settings.controlFolder,
                            kOnOffSlotNames[i]);
        }
    } else {
        for (int i = 0; i < 8; ++i) {
            JoinPictureName(definition.fileNames[i], settings.folder, "\\", settings.controlFolder,
                            kLegendSlotNames[i]);
        }
    }
    definition.reducedPictureSet = settings.onOffSet ? 1 : 0;
    definition.x = ScaleValue(settings.xOffset) + settings.panelX;
    definition.y = ScaleValue(settings.yOffset) + settings.panelY;

    m_momentary = settings.momentary != 0;
    m_onOffSet = settings.onOffSet != 0;

    bool ok = CBaseCockpitControl::Initialise(definition);
    if (!ok) {
        // Keep what the panel can read out: the first 255 characters.
        SetError(GetErrorText());
    }
    m_buttonId = settings.buttonId;
    return ok;
}

int CButtonClass::LegendCode(bool top, bool bottom, bool test) {
    if (test || (top && bottom))
        return kBothLit;
    if (top)
        return kTopLit;
    if (bottom)
        return kBottomLit;
    return kNoneLit;
}

void CButtonClass::ShowLegendPicture() {
    m_index = (m_pressState != kOut) ? m_lightCode : 4 + m_lightCode;
}

void CButtonClass::ShowOnOffPicture() {
    bool lit = m_lightCode == kTopLit;
    if (m_pressState != kOut)
        m_index = lit ? 0 : 1;
    else
        m_index = lit ? 2 : 3;
}

void CButtonClass::Update(MouseEvent* event, bool top, bool bottom, bool test) {
    if (m_onOffSet) {
        UpdateOnOff(event, top, test);
        return;
    }
    m_lightCode = LegendCode(top, bottom, test);
    if (event == nullptr)
        return;
    ShowLegendPicture();
    HandleMouse(*event);
}

void CButtonClass::UpdateOnOff(MouseEvent* event, bool lit, bool test) {
    m_lightCode = (lit || test) ? kTopLit : kNoneLit;
    if (event == nullptr)
        return;
    ShowOnOffPicture();
    HandleMouse(*event);
}

void CButtonClass::SetOnOffLights(bool lit, bool test) {
    m_lightCode = (lit || test) ? kTopLit : kNoneLit;
    ShowOnOffPicture();
}

// A latching button forced in counts as latched, so that the trainee's next
// press takes it out as a press on any latched-in button does; held would need
// a press and a release to latch first, so the first click would seem lost.
void CButtonClass::SetPressed(bool pressed) {
    m_pressState = pressed ? (m_momentary ? kHeld : kLatched) : kOut;
    // An on/off button has no legend pictures: it follows its own rule.
    if (m_onOffSet)
        ShowOnOffPicture();
    else
        ShowLegendPicture();
}

void CButtonClass::HandleMouse(const MouseEvent& event) {
    if (m_locked)
        return;

    CPoint p;
    GetLocalMousePoint(p);
    // Here the border counts as inside.
    CRect size = GetSize();
    if (p.x < 0 || p.x > size.right || p.y < 0 || p.y > size.bottom) {
        if (m_momentary)
            m_pressState = kOut;
        return;
    }

    const bool press = event.code == MouseEvent::kLeftPress;
    const bool wasPress = m_lastEventCode == MouseEvent::kLeftPress;
    switch (m_pressState) {
        case kOut:
            if (press && !wasPress) {
                m_pressState = kHeld;
                if (m_momentary)
                    m_pressIteration = GetIteration();
            }
            break;
        case kHeld:
            if (!press && wasPress)
                m_pressState = m_momentary ? kOut : kLatched;
            break;
        case kLatched:
            if (press && !wasPress)
                m_pressState = kOut;
            break;
        default:
            break;
    }
    m_lastEventCode = event.code;
}

// The press was made during iteration n (the counter still shows n); the
// host sees it through iterations n + 1 and n + 2 whatever the release does.
// Iteration 0 means that no loop runs (start-up, or a panel driven on its
// own): a press then lasts exactly as long as the button is held.
bool CButtonClass::IsPressShown() const {
    const std::int32_t now = GetIteration();
    return m_momentary && m_pressIteration > 0 && now >= m_pressIteration &&
           now <= m_pressIteration + kPressIterations;
}

void CButtonClass::DrawButton(CDC* dc) {
    Draw(dc);
}
