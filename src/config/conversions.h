#pragma once
// How config.xml's texts are read: the host runtime's own text-to-number and
// text-to-flag conversions.
#include <cstdint>
#include <string_view>

namespace sw {

// Surrounding white space ignored; a fraction rounds to the nearest integer with
// ties to even; throws type mismatch (13) for empty or non-numeric text and
// overflow (6) outside the signed 32-bit range.
std::int32_t minutesFromText(std::u16string_view text);

// "True"/"False" in any letter case, or a number (0 false, anything else true);
// throws type mismatch (13) otherwise.
bool flagFromText(std::u16string_view text);

}  // namespace sw
