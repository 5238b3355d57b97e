#include "sim/xml_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <regex>

namespace sw::sim {
namespace {

const std::regex declaration(R"(^(\xEF\xBB\xBF)?<\?xml[^>]*?\bencoding\s*=\s*(["'])([A-Za-z0-9._:-]+)\2)");

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::optional<std::string> convert(const std::string& bytes, const std::string& from) {
    iconv_t cd = ::iconv_open("UTF-8", from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = ::iconv(cd, &in, &inLeft, &dst, &outLeft);
    ::iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> declaredEncoding(const std::string& bytes) {
    std::smatch m;
    const std::string head = bytes.substr(0, 400);
    if (!std::regex_search(head, m, declaration)) return std::nullopt;
    return m[3].str();
}

std::optional<std::string> toUtf8Document(const std::string& bytes) {
    const std::optional<std::string> declared = declaredEncoding(bytes);
    if (!declared) return bytes;
    const std::string name = lower(*declared);
    if (name == "utf-8" || name == "utf8" || name.rfind("utf-16", 0) == 0) return bytes;
    // Shift_JIS as Windows writes it: CP932 is its superset (NEC and IBM extensions).
    const std::string from = name == "shift_jis" || name == "shift-jis" || name == "sjis" || name == "x-sjis" ? "CP932" : *declared;
    std::optional<std::string> utf8 = convert(bytes, from);
    if (!utf8) return std::nullopt;
    std::smatch m;
    const std::string head = utf8->substr(0, 400);
    if (std::regex_search(head, m, declaration)) utf8->replace(static_cast<std::size_t>(m.position(3)), m.length(3), "UTF-8");
    return utf8;
}

}  // namespace sw::sim
