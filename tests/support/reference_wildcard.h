#pragma once
// A deliberately naive wildcard matcher to check the real one against: it reads the
// pattern as it goes and tries every split of the text at each "*". Exponential in the
// number of stars, so keep its inputs small.
#include <cstddef>
#include <string_view>

#include "diagnostics/failure.h"

namespace sw::reference {

// One unit against a list's text (between "[" and "]", "!" included).
inline bool inList(std::u16string_view list, char16_t unit) {
    const bool negated = !list.empty() && list.front() == u'!';
    if (negated) list.remove_prefix(1);
    bool found = false;
    for (std::size_t k = 0; k < list.size();) {
        if (k + 2 < list.size() && list[k + 1] == u'-') {
            if (list[k] <= unit && unit <= list[k + 2]) found = true;  // "z-a" holds nothing
            k += 3;
        } else {
            if (list[k] == unit) found = true;
            k += 1;
        }
    }
    return found != negated;
}

inline bool matchRest(std::u16string_view text, std::u16string_view pattern) {
    std::size_t t = 0;
    std::size_t p = 0;
    while (p < pattern.size()) {
        const char16_t c = pattern[p];
        if (c == u'*') {
            for (std::size_t k = t; k <= text.size(); ++k)
                if (matchRest(text.substr(k), pattern.substr(p + 1))) return true;
            return false;
        }
        if (c == u'[') {
            const std::size_t close = pattern.find(u']', p + 1);
            const std::u16string_view list = pattern.substr(p + 1, close - p - 1);
            p = close + 1;
            if (list.empty()) continue;  // "[]" matches the empty string
            if (t == text.size() || !inList(list, text[t])) return false;
            ++t;
            continue;
        }
        if (t == text.size()) return false;
        if (c == u'#' && !(text[t] >= u'0' && text[t] <= u'9')) return false;
        if (c != u'?' && c != u'#' && c != text[t]) return false;
        ++t;
        ++p;
    }
    return t == text.size();
}

inline bool valid(std::u16string_view pattern) {
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        if (pattern[p] != u'[') continue;
        const std::size_t close = pattern.find(u']', p + 1);
        if (close == std::u16string_view::npos) return false;
        p = close;
    }
    return true;
}

inline bool wildcardMatch(std::u16string_view text, std::u16string_view pattern) {
    if (!valid(pattern)) throw failures::invalidPattern();
    return matchRest(text, pattern);
}

}  // namespace sw::reference
