#include "sim/outlook/html_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace sw::sim {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Where "</name" next starts, in any letter case, from `from` on.
std::size_t findEndTag(std::string_view html, std::size_t from, std::string_view name) {
    for (std::size_t at = html.find("</", from); at != std::string_view::npos; at = html.find("</", at + 2)) {
        const std::string_view candidate = html.substr(at + 2, name.size());
        if (candidate.size() == name.size() && lower(candidate) == name) return at;
    }
    return std::string_view::npos;
}

bool isBlock(const std::string& tag) {
    static constexpr std::array<std::string_view, 19> blocks{
        "p", "div", "li", "tr", "table", "ul", "ol", "blockquote", "pre", "h1", "h2",
        "h3", "h4", "h5", "h6", "hr", "dl", "dt", "dd"};
    return std::find(blocks.begin(), blocks.end(), tag) != blocks.end();
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The text of the entity starting at html[at] ('&'), and its length; an unknown
// entity is kept as written. Entities are short: the ';' is looked for nearby only.
std::pair<std::string, std::size_t> entity(std::string_view html, std::size_t at) {
    constexpr std::size_t longest = 10;
    const std::size_t semi = html.substr(at, longest + 1).find(';');
    if (semi == std::string_view::npos) return {"&", 1};
    const std::string name(html.substr(at + 1, semi - 1));
    const std::size_t length = semi + 1;
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        char* end = nullptr;
        const unsigned long cp = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
        if (digits.empty() || *end != '\0') return {"&", 1};
        std::string out;
        appendUtf8(out, cp > 0x10FFFF ? 0xFFFD : static_cast<std::uint32_t>(cp));
        return {out, length};
    }
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> named{{
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}, {"copy", "\u00A9"}}};
    for (const auto& [key, text] : named)
        if (name == key) return {std::string(text), length};
    return {"&", 1};
}

class TextBuilder {
public:
    void text(std::string_view s) {
        for (const char c : s) {
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                pendingSpace_ = true;
                continue;
            }
            if (pendingSpace_ && !atLineStart()) out_ += ' ';
            pendingSpace_ = false;
            out_ += c;
        }
    }
    void lineBreak() {
        out_ += '\n';
        pendingSpace_ = false;
    }
    void blockBoundary() {
        if (!atLineStart()) lineBreak();
        pendingSpace_ = false;
    }
    std::string finish() {
        while (!out_.empty() && out_.back() == '\n') out_.pop_back();
        return out_;
    }

private:
    bool atLineStart() const { return out_.empty() || out_.back() == '\n'; }

    std::string out_;
    bool pendingSpace_ = false;
};

}  // namespace

std::string htmlToText(std::string_view html) {
    TextBuilder out;
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '&') {
            const auto [text, length] = entity(html, i);
            out.text(text);
            i += length;
            continue;
        }
        if (c != '<') {
            const std::size_t next = html.find_first_of("<&", i);
            out.text(html.substr(i, next == std::string_view::npos ? next : next - i));
            i = next == std::string_view::npos ? html.size() : next;
            continue;
        }
        if (html.substr(i, 4) == "<!--") {
            const std::size_t end = html.find("-->", i + 4);
            i = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        const std::size_t close = html.find('>', i);
        if (close == std::string_view::npos) break;
        std::string_view tag = html.substr(i + 1, close - i - 1);
        i = close + 1;
        const bool closing = !tag.empty() && tag.front() == '/';
        if (closing) tag.remove_prefix(1);
        const std::size_t nameEnd = tag.find_first_of(" \t\r\n/");
        const std::string name = lower(tag.substr(0, nameEnd));
        if (!closing && (name == "script" || name == "style" || name == "head")) {
            const std::size_t end = findEndTag(html, i, name);
            const std::size_t gt = end == std::string_view::npos ? end : html.find('>', end);
            i = gt == std::string_view::npos ? html.size() : gt + 1;
        } else if (name == "br") {
            out.lineBreak();
        } else if (isBlock(name)) {
            out.blockBoundary();
        }
    }
    return out.finish();
}

}  // namespace sw::sim
