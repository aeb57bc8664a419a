// The labels engraved on the plates of the main picture beside each control,
// taken from the panels' own control rows, so that the picture and the host's
// field names say the same thing.
#pragma once

#include <string>
#include <vector>

namespace art {

struct EngravedLabel {
    int panel;
    std::string text;
    // The control's place on the main picture (A320 layout).
    int x;
    int y;
    int width;
    int height;
};

// Every labelled control of every catalogued panel.
std::vector<EngravedLabel> ControlLabels();

// Width and height of a control picture of the default art, or 0 x 0 when the
// table has no such picture. name: a folder ("Buttons\\FaultOff") or a file of
// a switch or rotary knob ("EvacSwUp.bmp").
void ControlPictureSize(const char* name, int& width, int& height);

}  // namespace art
