// CGuardedButton: a wire guard drawn as a frame of bars around a push-button.
// A right click opens or closes it; while it is closed it locks the button.
// It either owns its button (Initialise) or is a guard alone over a button
// the panel manages (InitialiseGuard; the panel then locks the button itself
// from IsClosed()).
//
// Pictures: folder + "\" + control folder + the names below, each drawn at
// its own position (guard origin + the offsets of GuardGeometry):
//
//   slot  picture            drawn at         when
//   0     \top.bmp           top bar          closed
//   1     \bottom.bmp        bottom bar       closed
//   2     \left.bmp          left bar         closed
//   3     \right.bmp         right bar        closed
//   4     \vertical.bmp      vertical bar     closed
//   5     \horizontal.bmp    horizontal bar   closed
//   6     \opentop.bmp       top bar + open-top offset     open
//   7     \openbot.bmp       open top + open-bottom offset first drawing after closed
#pragma once

#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "controls/CButtonClass.h"
#include "controls/MouseEvent.h"

// Where the guard's pictures go, relative to the guard origin (the place of
// the button it covers). A panel may replace it before InitialiseGuard.
struct GuardGeometry {
    std::int32_t leftDx = 0, leftDy = 0;
    std::int32_t rightDx = 32, rightDy = 0;
    std::int32_t topDx = -1, topDy = -2;
    std::int32_t bottomDx = 2, bottomDy = 33;
    std::int32_t verticalDx = 18, verticalDy = 2;
    // The horizontal bar sits at origin x - dx, origin y + dy.
    std::int32_t horizontalSubDx = 0, horizontalAddDy = 17;
    // Open-top picture from the top bar; open-bottom picture from the open top.
    std::int32_t openTopDx = 0, openTopDy = 0;
    std::int32_t openBottomDx = 0, openBottomDy = 0;
};

struct GuardSettings {
    std::int32_t guardId = 0;
    const char* folder = nullptr;         // cockpit bitmap folder
    const char* controlFolder = nullptr;  // e.g. "Guards\StandardRed"
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    std::int32_t xOffset = 0;  // those of the button it covers
    std::int32_t yOffset = 0;
    double scale = 1.0;
    ButtonSettings button;  // the inner button (Initialise only)
};

class CGuardedButton : public CBaseCockpitControl {
  public:
    static constexpr const char* kSlotNames[kSlotCount] = {
        "\\top.bmp",      "\\bottom.bmp",     "\\left.bmp",    "\\right.bmp",
        "\\vertical.bmp", "\\horizontal.bmp", "\\opentop.bmp", "\\openbot.bmp",
    };

    CGuardedButton();

    void SetGeometry(const GuardGeometry& geometry) { m_geometry = geometry; }
    // The guard alone. Fails only when none of its pictures loaded; a guard
    // with some pictures missing still toggles and locks.
    bool InitialiseGuard(const GuardSettings& settings);
    // The guard, then the inner button; fails with the button's text when the
    // button fails.
    bool Initialise(const GuardSettings& settings);

    // Call on every update: a cycle without a held button arms the guard, a
    // right press on it (borders included) then toggles it once.
    void HandleGuardMouse(MouseEvent* event);
    // With an event: the guard, the lock, then the inner button; without:
    // only the button's lights.
    void Update(MouseEvent* event, bool top, bool bottom, bool test);
    void SetPressed(bool pressed);

    int GetGuardState() const { return m_guardState; }
    bool IsClosed() const { return m_guardState == kGuardClosed; }
    bool IsButtonInitialised() const { return m_buttonInitialised; }
    int GetGuardId() const { return m_guardId; }
    CButtonClass& Button() { return m_button; }
    const CButtonClass& Button() const { return m_button; }
    // Picture position 1 to 8 (see the table above), for the panel's checks.
    CPoint GetGuardPosition(int position) const;

    // The inner button, then the guard over it.
    void Draw(CDC* dc) override;

  private:
    CButtonClass m_button;
    GuardGeometry m_geometry;
    CRect m_clickZone;
    std::int32_t m_guardId = 0;
    bool m_armed = false;
    bool m_buttonInitialised = false;
};
