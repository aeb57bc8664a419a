#include "controls/CGuardedButton.h"

CGuardedButton::CGuardedButton() {
    m_guardState = kGuardClosed;
}

bool CGuardedButton::InitialiseGuard(const GuardSettings& settings) {
    m_buttonInitialised = false;
    SetScale(settings.scale);
    const int ox = ScaleValue(settings.xOffset) + settings.panelX;
    const int oy = ScaleValue(settings.yOffset) + settings.panelY;
    const GuardGeometry& g = m_geometry;

    CPoint* pos = m_guardPositions;
    pos[0] = CPoint(ox + g.leftDx, oy + g.leftDy);
    pos[1] = CPoint(ox + g.rightDx, oy + g.rightDy);
    pos[2] = CPoint(ox + g.topDx, oy + g.topDy);
    pos[3] = CPoint(ox + g.bottomDx, oy + g.bottomDy);
    pos[4] = CPoint(ox + g.verticalDx, oy + g.verticalDy);
    pos[5] = CPoint(ox - g.horizontalSubDx, oy + g.horizontalAddDy);
    pos[6] = CPoint(pos[2].x + g.openTopDx, pos[2].y + g.openTopDy);
    pos[7] = CPoint(pos[6].x + g.openBottomDx, pos[6].y + g.openBottomDy);

    // The frame spans from the left bar to the right bar and from the top bar
    // to the bottom bar.
    const CRect frame(pos[0].x, pos[2].y, pos[1].x, pos[3].y);
    m_clickZone = CRect(0, 0, frame.Width(), frame.Height());

    m_anyLoaded = false;
    m_kind = ControlType::GuardedButton;
    char name[kNameSize];
    for (int i = 0; i < kSlotCount; ++i) {
        JoinPictureName(name, settings.folder, "\\", settings.controlFolder, kSlotNames[i]);
        m_loaded[i] = LoadControlImage(m_images[i], name);
        m_anyLoaded = m_anyLoaded || m_loaded[i];
    }

    SetPosition(frame.left, frame.top);
    // The hit area of a guard is its frame, not its last picture.
    m_rect = frame;
    m_guardId = settings.guardId;
    return m_anyLoaded;
}

bool CGuardedButton::Initialise(const GuardSettings& settings) {
    InitialiseGuard(settings);
    m_buttonInitialised = m_button.Initialise(settings.button);
    if (!m_buttonInitialised)
        SetError(m_button.GetErrorText());
    return m_buttonInitialised;
}

// The click zone counts its border as inside.
void CGuardedButton::HandleGuardMouse(MouseEvent* event) {
    ToggleGuardOnRightPress(event, m_armed, [this](CPoint p) {
        return p.x >= 0 && p.x <= m_clickZone.right && p.y >= 0 && p.y <= m_clickZone.bottom;
    });
}

void CGuardedButton::Update(MouseEvent* event, bool top, bool bottom, bool test) {
    if (event == nullptr) {
        m_button.Update(nullptr, top, bottom, test);
        return;
    }
    HandleGuardMouse(event);
    if (!m_buttonInitialised)
        return;
    m_button.SetLocked(m_guardState == kGuardClosed);
    m_button.Update(event, top, bottom, test);
}

void CGuardedButton::SetPressed(bool pressed) {
    if (m_buttonInitialised)
        m_button.SetPressed(pressed);
}

CPoint CGuardedButton::GetGuardPosition(int position) const {
    if (position < 1 || position > kGuardPositionCount)
        return CPoint();
    return m_guardPositions[position - 1];
}

void CGuardedButton::Draw(CDC* dc) {
    m_button.DrawButton(dc);
    CBaseCockpitControl::Draw(dc);
}
