#pragma once
// The readable text of an HTML body, for HTML-only messages: tags dropped, common
// entities decoded, line breaks where <br> and block elements end. Not a renderer.
#include <string>
#include <string_view>

namespace sw::sim {

// UTF-8 in, UTF-8 out; lines separated by "\n".
std::string htmlToText(std::string_view html);

}  // namespace sw::sim
