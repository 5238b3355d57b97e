#pragma once
// One line inside a drawn window, built left to right and measured in terminal
// columns, with the few text attributes the views use.
#include <string>
#include <string_view>
#include <vector>

#include "sim/terminal/display_width.h"

namespace sw::sim {

struct Style {
    bool red = false, bold = false, underline = false, reverse = false, link = false, dim = false;
    bool plain() const { return !(red || bold || underline || reverse || link || dim); }
};

// Mail headers reach the screen through here: no control character may go out raw,
// or a crafted display name could move the cursor or recolour the terminal.
std::string printable(std::u16string_view text);

// Split at LF, a CR before it dropped.
std::vector<std::u16string_view> splitLines(std::u16string_view text);

// The caption as shown: the access-key mark dropped, "&&" one ampersand.
std::u16string plainCaption(std::u16string_view text);

// A grid cell's alignment code (the host grid's 0..9) as a terminal alignment.
Align alignmentOf(int code);

class FrameLine {
public:
    FrameLine(int width, bool colour) : width_(width), colour_(colour) {}

    int column() const { return used_; }
    void moveTo(int col);
    // As much of text as is left room for.
    void add(std::string_view text, Style style = {});
    void addCell(std::string_view text, int columns, Align align, Style style = {});
    // "| text |", padded to the frame's width.
    std::string framed() const;

private:
    void append(const std::string& fitted, Style style);

    int width_, used_ = 0;
    bool colour_;
    std::string text_;
};

}  // namespace sw::sim
