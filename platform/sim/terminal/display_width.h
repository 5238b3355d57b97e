#pragma once
// How many terminal columns text takes: East Asian wide and full-width characters
// take two, combining marks and control characters none, everything else one. The
// table is our own, so the layout does not depend on the process locale.
#include <string>
#include <string_view>
#include <vector>

namespace sw::sim {

int codePointWidth(char32_t cp);
int displayWidth(std::string_view utf8);
int displayWidth(std::u16string_view text);

enum class Align { left, centre, right };

// The text when it fits in `width` columns; otherwise the longest prefix that fits
// together with a trailing "…". A wide character is never split and a combining
// mark stays with its base, so the result may be a column short of `width`.
std::string truncateToWidth(std::string_view utf8, int width);

// Lines of at most `width` columns (at least one character each), broken after the
// last space that fits when there is one, else between any two characters.
std::vector<std::string> wrapToWidth(std::string_view utf8, int width);

// Exactly `width` columns (nothing for width <= 0): truncated as above, then padded
// with spaces on the side(s) that `align` leaves free.
std::string fitToWidth(std::string_view utf8, int width, Align align = Align::left);

}  // namespace sw::sim
