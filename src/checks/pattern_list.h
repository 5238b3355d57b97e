#pragma once
// A list of wildcard entries compiled once, when the configuration loads, so that the
// send-time checks can test one text against the whole list quickly:
//   Suffix:   text matches "*" + entry          (safe list: the address ends with it)
//   Contains: text matches "*" + entry + "*"    (body words: the body contains it)
// The result is always what matching the wrapped pattern entry by entry would give.
// Entries that are plain text are looked up together (a hash of suffixes, one
// Aho-Corasick pass over the body); the others are matched one by one, but only on
// texts that hold a run of plain units each of them requires.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/suffix_index.h"
#include "checks/wildcard.h"
#include "checks/word_automaton.h"

namespace sw {

class PatternList {
public:
    enum class Mode { Suffix, Contains };

    // Never throws for a bad entry: firstInvalid() reports it, and entries after it are
    // not compiled, since a scan never gets past it.
    PatternList(Mode mode, const std::vector<std::u16string>& entries);

    Mode mode() const { return mode_; }
    std::size_t size() const { return size_; }
    // The first entry whose wrapped pattern is invalid (an unclosed "[").
    std::optional<std::size_t> firstInvalid() const { return firstInvalid_; }

    // True when some entry with an index in [from, to) matches text.
    // Precondition: to <= firstInvalid().value_or(size()).
    bool anyMatch(std::u16string_view text, std::size_t from, std::size_t to) const;

private:
    struct Wildcard {
        std::uint32_t index;
        WildcardPattern pattern;  // the wrapped pattern
        // Contains: the runs a body must hold, as [begin, end) in fragments_.
        std::uint32_t fragmentsBegin = 0, fragmentsEnd = 0;
    };

    void addLiteral(std::u16string_view text, std::uint32_t index);
    void addWildcard(std::u16string_view entry, std::uint32_t index);
    bool wildcardMatch(const Wildcard& w, std::u16string_view text, std::uint32_t from, std::uint32_t to) const;
    bool anySuffixMatch(std::u16string_view text, std::uint32_t from, std::uint32_t to) const;
    bool anyContainsMatch(std::u16string_view text, std::uint32_t from, std::uint32_t to) const;

    Mode mode_;
    std::size_t size_;
    std::optional<std::size_t> firstInvalid_;
    std::vector<std::uint32_t> matchEverything_;  // ascending entry indices
    std::vector<Wildcard> wildcards_;             // ascending entry indices
    SuffixIndex suffixes_;
    WordAutomaton words_;
    std::vector<WordAutomaton::Node> fragments_;
    // Suffix: wildcard entries by a run that a matching text holds a fixed distance
    // before its end (one index per distance), then those without such a run.
    struct Endings {
        std::size_t fromEnd;
        SuffixIndex runs;  // run -> position in wildcards_
    };
    std::vector<Endings> endings_;
    std::vector<std::uint32_t> withoutEnding_;  // positions in wildcards_
};

}  // namespace sw
