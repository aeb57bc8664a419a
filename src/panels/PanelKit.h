// The pieces that every panel shares: its control rows as static tables and
// one loop per control kind that sets the controls up, moves their states to
// and from the panel's blocks in the generic segment, and draws them.
//
// The common encodings: a push-button's output byte is 1 while it is in; its
// top and bottom lights are two input bytes (non-zero lit); the panel's
// lamp-test byte lights every light regardless.
#pragma once

#include <cstdint>
#include <span>

#include "controls/CButtonClass.h"
#include "controls/CGuardedCover.h"
#include "controls/MouseEvent.h"
#include "shm/SimSegment.h"

class CBasePanel;
class CDC;

namespace panelkit {

// One row of a panel's push-button table.
struct ButtonRow {
    const char* picture;  // e.g. "Buttons\FaultOff"
    int x;                // from the panel origin, unscaled
    int y;
    std::uint8_t momentary = 0;
    std::uint8_t onOffSet = 0;
};

// Where a group of push-buttons keeps its bytes: button i's state at
// state + i, its lights at topLight + lightStride * i and
// bottomLight + lightStride * i.
struct ButtonFields {
    GenField<std::uint8_t> state;
    GenField<std::uint8_t> topLight;
    GenField<std::uint8_t> bottomLight;
    std::uint32_t lightStride;
    GenField<std::uint8_t> lampTest;
};

// Where the panel is and what it draws with, for the set-up loops.
struct Placement {
    const char* folder;
    int x;
    int y;
    double scale;
};

// Sets up every button of the table in order; at the first failure the
// button's error text goes to the panel's report and the result is false.
bool InitialiseButtons(CBasePanel& panel, std::span<CButtonClass> buttons,
                       std::span<const ButtonRow> rows, const Placement& at);

// A cover over the button of the given row (the cover takes the row's place).
bool InitialiseCover(CBasePanel& panel, CGuardedCover& cover, const char* picture,
                     const ButtonRow& coveredRow, const Placement& at);

// The buttons take the mouse event and their lights, then their states are
// written to the output bytes.
void UpdateButtons(std::span<CButtonClass> buttons, const ButtonFields& fields, std::uint8_t* view,
                   MouseEvent* event);
// Every button's state to its output byte.
void WriteButtonStates(std::span<const CButtonClass> buttons, const ButtonFields& fields,
                       std::uint8_t* view);
// The buttons take their state from the output bytes and their lights from
// the input bytes, without mouse input (remote hold).
void RefreshButtons(std::span<CButtonClass> buttons, const ButtonFields& fields,
                    std::uint8_t* view);

// The cover takes the mouse event; while it is closed its button is locked.
void UpdateCover(CGuardedCover& cover, CButtonClass& button, MouseEvent* event);

void DrawButtons(std::span<CButtonClass> buttons, CDC* dc);

}  // namespace panelkit
