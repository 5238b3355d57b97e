#pragma once
#include <cstdint>

namespace sw::ui {

// 0x00BBGGRR; with the high bit set, the low byte names a system colour.
inline constexpr std::uint32_t black = 0x000000, red = 0x0000FF;

}  // namespace sw::ui
