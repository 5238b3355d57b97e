#include "checks/pattern_list.h"

#include <algorithm>
#include <cassert>

#include "diagnostics/failure.h"

namespace sw {

namespace {
bool hasWildcardElement(std::u16string_view s) {
    return std::any_of(s.begin(), s.end(), [](char16_t c) { return c == u'*' || c == u'?' || c == u'#' || c == u'['; });
}

// Stars at either end of an entry add nothing to "*" + entry + "*": stars next to each
// other act as one. A star that ends an entry is never inside brackets (its "]" would
// have to come after it), and dropping it cannot turn an invalid entry into a valid
// one, so the trimmed entry is equivalent in validity too. In Suffix mode only the
// leading stars meet the added one.
std::u16string_view trimStars(std::u16string_view entry, PatternList::Mode mode) {
    while (!entry.empty() && entry.front() == u'*') entry.remove_prefix(1);
    if (mode == PatternList::Mode::Contains)
        while (!entry.empty() && entry.back() == u'*') entry.remove_suffix(1);
    return entry;
}

bool anyInRange(const std::vector<std::uint32_t>& ascending, std::uint32_t from, std::uint32_t to) {
    const auto at = std::lower_bound(ascending.begin(), ascending.end(), from);
    return at != ascending.end() && *at < to;
}
}  // namespace

PatternList::PatternList(Mode mode, const std::vector<std::u16string>& entries)
    : mode_(mode), size_(entries.size()) {
    if (mode == Mode::Suffix) {
        std::size_t units = 0;
        for (const auto& e : entries) units += e.size();
        suffixes_.reserve(entries.size(), units);
    }
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        const std::u16string_view core = trimStars(entries[i], mode);
        if (!hasWildcardElement(core)) {
            addLiteral(core, i);
            continue;
        }
        try {
            // "*" + core (+ "*") is literal text between stars when core is.
            const auto compiled = WildcardPattern::compile(core);
            if (compiled.isLiteral())
                addLiteral(compiled.literalText(), i);
            else
                addWildcard(entries[i], i);
        } catch (const Failure&) {
            firstInvalid_ = i;
            break;
        }
    }
    suffixes_.build();
    words_.build();
    for (Endings& e : endings_) e.runs.build();
}

void PatternList::addLiteral(std::u16string_view text, std::uint32_t index) {
    if (text.empty())
        matchEverything_.push_back(index);
    else if (mode_ == Mode::Suffix)
        suffixes_.add(text, index);
    else
        words_.addWord(text, index);
}

void PatternList::addWildcard(std::u16string_view entry, std::uint32_t index) {
    std::u16string wrapped = u"*";
    wrapped += entry;
    if (mode_ == Mode::Contains) wrapped += u'*';
    Wildcard w{index, WildcardPattern::compile(wrapped)};
    const auto position = static_cast<std::uint32_t>(wildcards_.size());
    if (mode_ == Mode::Contains) {
        w.fragmentsBegin = static_cast<std::uint32_t>(fragments_.size());
        for (const auto run : w.pattern.requiredRuns()) fragments_.push_back(words_.addFragment(run));
        w.fragmentsEnd = static_cast<std::uint32_t>(fragments_.size());
    } else if (const auto ending = w.pattern.requiredEnding(); !ending.run.empty()) {
        auto e = std::find_if(endings_.begin(), endings_.end(),
                              [&](const Endings& x) { return x.fromEnd == ending.fromEnd; });
        if (e == endings_.end()) e = endings_.insert(e, Endings{ending.fromEnd, {}});
        e->runs.add(ending.run, position);
    } else {
        withoutEnding_.push_back(position);
    }
    wildcards_.push_back(std::move(w));
}

bool PatternList::anyMatch(std::u16string_view text, std::size_t from, std::size_t to) const {
    assert(to <= firstInvalid_.value_or(size_));
    if (from >= to) return false;
    const auto first = static_cast<std::uint32_t>(from);
    const auto end = static_cast<std::uint32_t>(to);
    if (anyInRange(matchEverything_, first, end)) return true;
    return mode_ == Mode::Suffix ? anySuffixMatch(text, first, end) : anyContainsMatch(text, first, end);
}

bool PatternList::wildcardMatch(const Wildcard& w, std::u16string_view text, std::uint32_t from,
                                std::uint32_t to) const {
    return w.index >= from && w.index < to && w.pattern.matches(text);
}

bool PatternList::anySuffixMatch(std::u16string_view text, std::uint32_t from, std::uint32_t to) const {
    if (suffixes_.visitEndings(text, [&](std::uint32_t index) { return index >= from && index < to; })) return true;
    const auto tryWildcard = [&](std::uint32_t position) { return wildcardMatch(wildcards_[position], text, from, to); };
    for (const Endings& e : endings_)
        if (text.size() >= e.fromEnd && e.runs.visitEndings(text.substr(0, text.size() - e.fromEnd), tryWildcard))
            return true;
    return std::any_of(withoutEnding_.begin(), withoutEnding_.end(), tryWildcard);
}

bool PatternList::anyContainsMatch(std::u16string_view text, std::uint32_t from, std::uint32_t to) const {
    const auto firstWildcard = std::lower_bound(wildcards_.begin(), wildcards_.end(), from,
                                                [](const Wildcard& w, std::uint32_t i) { return w.index < i; });
    const auto endWildcard = std::lower_bound(firstWildcard, wildcards_.end(), to,
                                              [](const Wildcard& w, std::uint32_t i) { return w.index < i; });
    const bool needFragments = std::any_of(firstWildcard, endWildcard, [](const Wildcard& w) {
        return w.fragmentsBegin != w.fragmentsEnd;
    });
    std::vector<std::uint8_t> seen;
    if (needFragments) seen.assign(words_.nodeCount(), 0);
    if ((words_.hasWords() || needFragments) && words_.scan(text, from, to, needFragments ? &seen : nullptr))
        return true;
    const auto allSeen = [&](const Wildcard& w) {
        return std::all_of(fragments_.begin() + w.fragmentsBegin, fragments_.begin() + w.fragmentsEnd,
                           [&](WordAutomaton::Node n) { return seen[n] != 0; });
    };
    for (auto w = firstWildcard; w != endWildcard; ++w)
        if (allSeen(*w) && w->pattern.matches(text)) return true;
    return false;
}

}  // namespace sw
