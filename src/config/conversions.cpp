#include "config/conversions.h"

#include <string>

#include "diagnostics/failure.h"

namespace sw {
namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string_view trimmed(std::u16string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

// A decimal number as sign, significant digits and a power of ten.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    long exponent = 0;   // value = digits * 10^exponent
};

bool parseDecimal(std::u16string_view s, Decimal& out) {
    s = trimmed(s);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) out.negative = s[i++] == u'-';
    bool sawDigit = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        sawDigit = true;
        if (!out.digits.empty() || s[i] != u'0') out.digits.push_back(static_cast<char>(s[i]));
    }
    if (i < s.size() && s[i] == u'.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            sawDigit = true;
            if (!out.digits.empty() || s[i] != u'0') out.digits.push_back(static_cast<char>(s[i]));
            --out.exponent;
        }
    }
    if (!sawDigit) return false;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        bool negExp = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negExp = s[i++] == u'-';
        if (i == s.size() || !isDigit(s[i])) return false;
        long e = 0;
        for (; i < s.size() && isDigit(s[i]); ++i) e = std::min(e * 10 + (s[i] - u'0'), 1000000L);
        out.exponent += negExp ? -e : e;
    }
    return i == s.size();
}

}  // namespace

std::int32_t minutesFromText(std::u16string_view text) {
    Decimal d;
    if (!parseDecimal(text, d)) throw failures::typeMismatch();
    if (d.digits.empty()) return 0;

    std::string integer;
    std::string fraction;
    const long len = static_cast<long>(d.digits.size());
    if (d.exponent >= 0) {
        if (len + d.exponent > 11) throw failures::overflow();
        integer = d.digits + std::string(static_cast<std::size_t>(d.exponent), '0');
    } else if (-d.exponent >= len) {
        fraction = std::string(static_cast<std::size_t>(-d.exponent - len), '0') + d.digits;
    } else {
        integer = d.digits.substr(0, static_cast<std::size_t>(len + d.exponent));
        fraction = d.digits.substr(static_cast<std::size_t>(len + d.exponent));
    }
    if (integer.size() > 11) throw failures::overflow();

    long long value = integer.empty() ? 0 : std::stoll(integer);
    if (!fraction.empty()) {
        const char first = fraction[0];
        const bool restZero = fraction.find_first_not_of('0', 1) == std::string::npos;
        const bool up = first > '5' || (first == '5' && (!restZero || value % 2 == 1));
        if (up) ++value;
    }
    if (d.negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) throw failures::overflow();
    return static_cast<std::int32_t>(value);
}

bool flagFromText(std::u16string_view text) {
    const std::u16string_view t = trimmed(text);
    auto equalsIgnoringCase = [&](std::u16string_view word) {
        if (t.size() != word.size()) return false;
        for (std::size_t i = 0; i < t.size(); ++i) {
            char16_t c = t[i];
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
            if (c != word[i]) return false;
        }
        return true;
    };
    if (equalsIgnoringCase(u"true")) return true;
    if (equalsIgnoringCase(u"false")) return false;
    Decimal d;
    if (!parseDecimal(t, d)) throw failures::typeMismatch();
    return !d.digits.empty();
}

}  // namespace sw
