#pragma once
// config.xml files written on Japanese Windows often declare Shift_JIS; pugixml
// reads only the Unicode encodings, so such a file is turned into UTF-8 first.
#include <optional>
#include <string>

namespace sw::sim {

// The encoding named in the XML declaration at the start of `bytes`, if any.
std::optional<std::string> declaredEncoding(const std::string& bytes);

// The file's bytes as UTF-8 when it declares an encoding other than UTF-8 or
// UTF-16 (the declaration then says UTF-8); the bytes unchanged otherwise.
// Nothing when they are not valid in the declared encoding.
std::optional<std::string> toUtf8Document(const std::string& bytes);

}  // namespace sw::sim
