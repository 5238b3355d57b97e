#include "checks/wildcard.h"

#include <bit>
#include <cstring>

#include "diagnostics/failure.h"

namespace sw {

namespace {
using Traits = std::char_traits<char16_t>;
constexpr std::size_t npos = std::u16string_view::npos;
}  // namespace

WildcardPattern WildcardPattern::compile(std::u16string_view pattern) {
    WildcardPattern p;
    p.parse(pattern);
    p.finish();
    return p;
}

bool wildcardMatch(std::u16string_view text, std::u16string_view pattern) {
    return WildcardPattern::compile(pattern).matches(text);
}

void WildcardPattern::parse(std::u16string_view pattern) {
    // Element index at each star; consecutive stars (also "*[]*") collapse into one cut.
    std::vector<std::uint32_t> cuts;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        switch (c) {
        case u'*': {
            const auto at = static_cast<std::uint32_t>(elements_.size());
            if (cuts.empty() || cuts.back() != at) cuts.push_back(at);
            break;
        }
        case u'?':
            elements_.push_back({Kind::AnyUnit, 0});
            units_.push_back(0);
            break;
        case u'#':
            elements_.push_back({Kind::Digit, 0});
            units_.push_back(0);
            break;
        case u'[': {
            const std::size_t close = pattern.find(u']', i + 1);
            if (close == npos) throw failures::invalidPattern();
            addList(pattern.substr(i + 1, close - i - 1));
            i = close;
            break;
        }
        default:
            elements_.push_back({Kind::Unit, 0});
            units_.push_back(c);
            break;
        }
    }
    std::uint32_t begin = 0;
    for (const std::uint32_t cut : cuts) {
        segments_.push_back({begin, cut, false, -1, -1});
        begin = cut;
    }
    segments_.push_back({begin, static_cast<std::uint32_t>(elements_.size()), false, -1, -1});
}

// List items are single units or ranges "low-high"; a "-" with nothing on one side of
// it (first, last, or first after "!") is an ordinary unit. A descending range such as
// "z-a" contains no unit at all: "[z-a]" never matches and "[!z-a]" matches any unit.
// Raising an error for it instead would make one bad safe-list entry silence every
// entry after it, which is worse for the user than an entry that simply never matches.
void WildcardPattern::addList(std::u16string_view list) {
    if (list.empty()) return;  // "[]" consumes nothing
    const bool negated = list.front() == u'!';
    if (negated) list.remove_prefix(1);
    const auto begin = static_cast<std::uint32_t>(ranges_.size());
    for (std::size_t k = 0; k < list.size();) {
        if (k + 2 < list.size() && list[k + 1] == u'-') {
            if (list[k] <= list[k + 2]) ranges_.push_back({list[k], list[k + 2]});
            k += 3;
        } else {
            ranges_.push_back({list[k], list[k]});
            k += 1;
        }
    }
    const std::size_t count = ranges_.size() - begin;
    if (!negated && count == 1 && ranges_.back().low == ranges_.back().high) {
        units_.push_back(ranges_.back().low);
        ranges_.pop_back();
        elements_.push_back({Kind::Unit, 0});
        return;
    }
    if (negated && count == 0) {
        elements_.push_back({Kind::AnyUnit, 0});
        units_.push_back(0);
        return;
    }
    const auto index = static_cast<std::uint32_t>(lists_.size());
    lists_.push_back({begin, static_cast<std::uint32_t>(ranges_.size()), negated});
    elements_.push_back({Kind::List, index});
    units_.push_back(0);
}

void WildcardPattern::finish() {
    for (Segment& s : segments_) {
        s.literal = true;
        for (std::uint32_t k = s.begin; k < s.end; ++k) {
            if (elements_[k].kind != Kind::Unit) {
                s.literal = false;
                continue;
            }
            if (s.firstUnit < 0) s.firstUnit = static_cast<std::int32_t>(k - s.begin);
            s.lastUnit = static_cast<std::int32_t>(k - s.begin);
        }
    }
}

bool WildcardPattern::isLiteral() const { return segments_.size() == 1 && segments_.front().literal; }

std::u16string_view WildcardPattern::literalText() const { return units_; }

std::u16string_view WildcardPattern::longestRun(const Segment& s) const {
    std::uint32_t bestBegin = s.begin, bestEnd = s.begin, runBegin = s.begin;
    for (std::uint32_t k = s.begin; k < s.end; ++k) {
        if (elements_[k].kind != Kind::Unit) {
            runBegin = k + 1;
        } else if (k + 1 - runBegin > bestEnd - bestBegin) {
            bestBegin = runBegin;
            bestEnd = k + 1;
        }
    }
    return std::u16string_view(units_).substr(bestBegin, bestEnd - bestBegin);
}

std::vector<std::u16string_view> WildcardPattern::requiredRuns() const {
    std::vector<std::u16string_view> runs;
    for (const Segment& s : segments_)
        if (const auto run = longestRun(s); !run.empty()) runs.push_back(run);
    return runs;
}

WildcardPattern::Ending WildcardPattern::requiredEnding() const {
    const Segment& last = segments_.back();
    const std::u16string_view run = longestRun(last);
    if (run.empty()) return {};
    return {run, static_cast<std::size_t>(units_.data() + last.end - (run.data() + run.size()))};
}

bool WildcardPattern::accepts(const Element& e, char16_t unit) const {
    switch (e.kind) {
    case Kind::AnyUnit:
        return true;
    case Kind::Digit:
        return unit >= u'0' && unit <= u'9';
    case Kind::List: {
        const List& list = lists_[e.list];
        bool inList = false;
        for (std::uint32_t r = list.begin; r < list.end && !inList; ++r)
            inList = unit >= ranges_[r].low && unit <= ranges_[r].high;
        return inList != list.negated;
    }
    case Kind::Unit:
        break;
    }
    return false;  // Kind::Unit is compared by the caller
}

bool WildcardPattern::matchAt(const Segment& s, const char16_t* at) const {
    if (s.literal) return Traits::compare(units_.data() + s.begin, at, width(s)) == 0;
    for (std::uint32_t k = s.begin; k < s.end; ++k, ++at) {
        const Element& e = elements_[k];
        if (e.kind == Kind::Unit ? units_[k] != *at : !accepts(e, *at)) return false;
    }
    return true;
}

bool WildcardPattern::matches(std::u16string_view text) const {
    const std::size_t n = text.size();
    if (segments_.size() == 1) return n == elements_.size() && matchAt(segments_.front(), text.data());
    if (n < elements_.size()) return false;
    const Segment& first = segments_.front();
    const Segment& last = segments_.back();
    // The end first: for the safe list's "*" + entry it is the whole test.
    if (!matchAt(last, text.data() + n - width(last))) return false;
    if (!matchAt(first, text.data())) return false;
    const std::u16string_view between = text.substr(0, n - width(last));
    std::size_t pos = width(first);
    for (std::size_t i = 1; i + 1 < segments_.size(); ++i) {
        const std::size_t found = find(segments_[i], between, pos);
        if (found == npos) return false;
        pos = found + width(segments_[i]);
    }
    return true;
}

namespace {
// Four units per 64-bit word: a lane is 0x8000 where it holds unit, else 0. Exact per
// lane, as no sum can carry out of its 16 bits.
constexpr std::uint64_t lanesLow = 0x0001000100010001ULL;
std::uint64_t lanesEqual(const char16_t* at, char16_t unit) {
    std::uint64_t v;
    std::memcpy(&v, at, sizeof v);
    const std::uint64_t x = v ^ (lanesLow * unit);
    return ~(((x & 0x7FFF7FFF7FFF7FFFULL) + 0x7FFF7FFF7FFF7FFFULL) | x) & 0x8000800080008000ULL;
}
}  // namespace

std::size_t WildcardPattern::find(const Segment& s, std::u16string_view text, std::size_t from) const {
    const std::size_t w = width(s);
    if (from > text.size() || text.size() - from < w) return npos;
    const std::size_t lastStart = text.size() - w;
    const char16_t* t = text.data();
    std::size_t pos = from;
    if (s.firstUnit < 0) {
        for (; pos <= lastStart; ++pos)
            if (matchAt(s, t + pos)) return pos;
        return npos;
    }
    const auto first = static_cast<std::size_t>(s.firstUnit);
    const auto last = static_cast<std::size_t>(s.lastUnit);
    const char16_t firstUnit = units_[s.begin + first];
    const char16_t lastUnit = units_[s.begin + last];
    if constexpr (std::endian::native == std::endian::little) {
        for (; pos + 4 <= lastStart + 1; pos += 4) {
            std::uint64_t hits = lanesEqual(t + pos + first, firstUnit) & lanesEqual(t + pos + last, lastUnit);
            for (; hits != 0; hits &= hits - 1) {
                const std::size_t at = pos + static_cast<std::size_t>(std::countr_zero(hits) / 16);
                if (matchAt(s, t + at)) return at;
            }
        }
    }
    for (; pos <= lastStart; ++pos)
        if (t[pos + first] == firstUnit && t[pos + last] == lastUnit && matchAt(s, t + pos)) return pos;
    return npos;
}

}  // namespace sw
