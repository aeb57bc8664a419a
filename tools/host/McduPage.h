// MCDU pages in a small readable text format, for `skylid-host mcdu-page`
// and the demo host.
//
//   # a comment; blank lines are skipped
//   TITLE {white}      INIT
//   LABEL1 {white} CO RTE{small}          FROM/TO
//   LINE1 {amber}##########{blue}      ####/####
//   MESSAGE amber NOT IN DATABASE
//   SCROLL
//
// TITLE, LABEL1..LABEL6 and LINE1..LINE6 give a screen line: the text after
// the one blank that follows the name, at most 24 characters. {colour} or
// {colour size} sets the colour (green yellow red white blue amber magenta)
// and size (large small; data lines only) of the characters that follow;
// "{{" is the character "{". Lines start white and large. A blank is an
// empty cell. MESSAGE sets the scratch-pad message and its colour (white
// amber red cyan); SCROLL sets the scroll mark. A page is written whole:
// lines it does not name are emptied, and it is marked valid last.
#pragma once

#include <cstdint>
#include <string>

#include "units/McduLayout.h"

namespace host {

struct McduPage {
    // Per line (0 title, 1..6 data lines, 7..12 label lines): 24 cells.
    static constexpr int kLines = 13;
    std::uint8_t chars[kLines][mcdu::kColumns] = {};
    std::uint8_t attributes[kLines][mcdu::kColumns] = {};
    std::string message;
    std::int32_t messageColour = 0;
    bool scrollMark = false;
};

// Parses the text; false with a message naming the line when it is not a page.
bool ParseMcduPage(const std::string& text, McduPage& page, std::string& error);

// Writes the page into the page block of MCDU side (0 or 1) of the A320 region.
void WriteMcduPage(std::uint8_t* view, int side, const McduPage& page);

// Sets a run of text on a line at a column with an attribute byte (cut at
// the line's end).
void PutMcduText(McduPage& page, int line, int column, const std::string& text,
                 std::uint8_t attribute);

}  // namespace host
