// CLightClass: an indicator light with an on and an off picture, set by the
// panel every update from the host's light byte and the lamp test.
//
// Pictures: folder + "\" + control folder + "\On.bmp" (slots 0 and 2) and
// "\Off.bmp" (slots 1 and 3). Picture index 0 shows on, 1 shows off.
#pragma once

#include "controls/CButtonClass.h"

// A light is described like a push-button; its momentary and on/off flags
// are ignored (a light always uses the on/off set).
using LightSettings = ButtonSettings;

class CLightClass : public CButtonClass {
  public:
    static constexpr const char* kSlotNames[4] = {"\\On.bmp", "\\Off.bmp", "\\On.bmp", "\\Off.bmp"};

    bool Initialise(const LightSettings& settings);

    // On when lit or under lamp test.
    void SetLight(bool lit, bool test);
    // An unpowered light shows only the lamp test.
    void SetLightPowered(bool powered, bool lit, bool test) { SetLight(powered && lit, test); }
    bool IsOn() const { return m_index == 0; }

    void DrawIfVisible(bool visible, CDC* dc);
    // The on picture at another point of the cockpit picture.
    void DrawAt(CDC* dc, int x, int y);
};
