// CGuardedCover: a hinged cover over a push-button or switch (the red fire or
// ditching covers), closed or open, toggled once per right click.
//
// Pictures: folder + "\" + control folder + "\Up.bmp" (slot 0, open) and
// "\Down.bmp" (slot 1, closed). The cover only reports whether it is closed;
// the panel locks the button under it (CButtonClass::SetLocked) and draws the
// cover after the button so that the closed cover hides it.
#pragma once

#include <cstdint>

#include "controls/CBaseCockpitControl.h"
#include "controls/MouseEvent.h"

struct CoverSettings {
    std::int32_t leadingWord = 0;         // not used by the cover
    const char* folder = nullptr;         // cockpit bitmap folder
    const char* controlFolder = nullptr;  // e.g. "Guards\RedPlate"
    std::int32_t panelX = 0;
    std::int32_t panelY = 0;
    std::int32_t xOffset = 0;
    std::int32_t yOffset = 0;
    double scale = 1.0;
};

class CGuardedCover : public CBaseCockpitControl {
  public:
    static constexpr const char* kSlotNames[2] = {"\\Up.bmp", "\\Down.bmp"};

    // Closed afterwards, whatever the result.
    bool Initialise(const CoverSettings& settings);
    // Call on every update: a cycle without a held button arms the cover, a
    // right press inside it then toggles it once.
    void HandleMouse(MouseEvent* event);
    int GetCoverState() const { return m_guardState; }
    bool IsClosed() const { return m_guardState == kGuardClosed; }
    // Closes or opens the cover without a click (a restored cockpit).
    void SetClosed(bool closed) {
        m_guardState = closed ? kGuardClosed : kGuardOpen;
        m_index = closed ? 1 : 0;
    }

  private:
    bool m_armed = false;
};
