// The labels engraved on the plates of the main picture beside each control,
// taken from the panels' own control rows, so that the picture and the host's
// field names say the same thing.
//
// Plain C++ (no Qt): the text is measured through a function the caller gives,
// so that the tests can place the labels as the painter does.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace art {

struct Box {
    int x;
    int y;
    int width;
    int height;

    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Overlaps(const Box& other) const {
        return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
    }
    bool Inside(const Box& outer) const {
        return x >= outer.x && y >= outer.y && Right() <= outer.Right() &&
               Bottom() <= outer.Bottom();
    }
};

struct EngravedLabel {
    int panel;
    std::string text;  // empty for a control without a label
    // The control's place on the main picture (A320 layout); 0 x 0 when the
    // default art has no picture of that name.
    int x;
    int y;
    int width;
    int height;
};

// Every control of every catalogued panel that the A320 layout draws, with its
// label, in panel order.
std::vector<EngravedLabel> ControlLabels();

// Width and height of a control picture of the default art, or 0 x 0 when the
// table has no such picture. name: a folder ("Buttons\\FaultOff") or a file of
// a switch or rotary knob ("EvacSwUp.bmp").
void ControlPictureSize(const char* name, int& width, int& height);

// Width and height in pixels of one line of text at a font size in pixels.
struct TextSize {
    int width;
    int height;
};
using MeasureText = std::function<TextSize(const std::string& line, int pixelSize)>;

// A label where it is engraved: its lines (one, or two when split at a space)
// centred in the box, at the font size given.
struct PlacedLabel {
    int panel;
    std::vector<std::string> lines;
    int pixelSize;
    Box box;
    bool clear;  // false: no place was free (the box is its last resort, above)
};

// Font sizes tried for the labels, largest first.
inline constexpr int kLabelSizes[] = {9, 8, 7, 6};

// Places every label next to its control: centred above it, else below it,
// beside it, or above or below flush with one of its sides, in
// the largest size at which it stays inside its panel's place and touches
// neither a control of the panel nor a label placed before it; a label of two
// words or more may be split into two lines. A label with no free place is
// listed not clear, and is not engraved: a label half covered by a control
// reads worse than none, and the controls concerned (keys packed in a block,
// the thrust levers' detent pictures) show their word on their own pictures.
std::vector<PlacedLabel> PlaceLabels(const std::vector<EngravedLabel>& controls,
                                     const MeasureText& measure);

}  // namespace art
