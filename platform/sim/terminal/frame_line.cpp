#include "sim/terminal/frame_line.h"

#include <algorithm>

#include "text.h"

namespace sw::sim {
namespace {

constexpr std::string_view sgrReset = "\x1b[0m";

std::string sgr(const Style& s) {
    std::string codes;
    const auto add = [&codes](const char* code) {
        if (!codes.empty()) codes += ';';
        codes += code;
    };
    if (s.bold) add("1");
    if (s.dim) add("2");
    if (s.underline || s.link) add("4");
    if (s.reverse) add("7");
    if (s.red) add("31");
    if (s.link) add("34");
    return "\x1b[" + codes + "m";
}

}  // namespace

std::string printable(std::u16string_view text) {
    std::u16string clean(text);
    for (auto& c : clean)
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) c = u' ';
    return toUtf8(clean);
}

std::vector<std::u16string_view> splitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    while (true) {
        const auto at = text.find(u'\n');
        auto line = text.substr(0, at);
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        lines.push_back(line);
        if (at == std::u16string_view::npos) return lines;
        text.remove_prefix(at + 1);
    }
}

std::u16string plainCaption(std::u16string_view text) {
    std::u16string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

Align alignmentOf(int code) {
    if (code >= 3 && code <= 5) return Align::centre;
    return code >= 6 && code <= 8 ? Align::right : Align::left;
}

void FrameLine::moveTo(int col) {
    if (col > used_) add(std::string(static_cast<std::size_t>(std::min(col, width_) - used_), ' '));
}

void FrameLine::add(std::string_view text, Style style) { append(truncateToWidth(text, width_ - used_), style); }

void FrameLine::addCell(std::string_view text, int columns, Align align, Style style) {
    append(fitToWidth(text, std::min(columns, width_ - used_), align), style);
}

std::string FrameLine::framed() const {
    return "| " + text_ + std::string(static_cast<std::size_t>(width_ - used_), ' ') + " |";
}

void FrameLine::append(const std::string& fitted, Style style) {
    if (fitted.empty()) return;
    text_ += colour_ && !style.plain() ? sgr(style) + fitted + std::string(sgrReset) : fitted;
    used_ += displayWidth(fitted);
}

}  // namespace sw::sim
