#pragma once
// Text helpers for the edges: the core holds text as 16-bit units.
#include <cstdint>
#include <string>
#include <string_view>

namespace sw {

// UTF-8 to UTF-16; invalid bytes become U+FFFD.
std::u16string fromUtf8(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

std::u16string decimal(std::int64_t value);
std::u16string boolText(bool value);  // "True" / "False"

}  // namespace sw
