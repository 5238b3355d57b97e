#pragma once
// Whole-text wildcard matching on 16-bit units, used by the safe list and the body-word
// checks. Pattern elements:
//   *        any run of units, including none
//   ?        exactly one unit
//   #        exactly one digit '0'..'9' (not the full-width digits)
//   [list]   one unit in the list: single units and ranges low-high by code
//   [!list]  one unit not in the list ("[!]" therefore matches any one unit)
//   []       the empty string
//   other    that unit only; "]" outside brackets is an ordinary unit
// Units are compared by code, so case and full/half width differ and each half of a
// surrogate pair is a unit of its own. A "[" with no "]" anywhere after it makes the
// pattern invalid (failures::invalidPattern(), number 93).
//
// Matching never backtracks across "*": the pattern is kept as fixed-width segments
// between stars; the first is anchored at the start, the last at the end, and the
// ones between are found leftmost in order. That is exact because a segment always
// consumes the same number of units, so an earlier placement never leaves less room
// for the segments after it. The cost is at most text length times segment length,
// and near the text length alone in practice: the search tests two fixed units of a
// segment at four places at a time before comparing the whole segment.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class WildcardPattern {
public:
    // Throws failures::invalidPattern() for an unclosed "[".
    static WildcardPattern compile(std::u16string_view pattern);

    bool matches(std::u16string_view text) const;

    // True when exactly one text matches, literalText(): no "*", "?", "#" and no list
    // that admits more than one unit ("a[*]b" and "a[]b" are literal: "a*b", "ab").
    bool isLiteral() const;
    std::u16string_view literalText() const;  // meaningful only when isLiteral()

    // For each part between stars that has plain units, its longest run of them: every
    // matching text contains all these runs. Lets a caller skip texts that cannot match.
    std::vector<std::u16string_view> requiredRuns() const;

    // A run of units that every matching text holds ending fromEnd units before its
    // end: the longest plain run after the last "*" (or in the whole pattern without
    // one). Empty when that part has none, as when the pattern ends with "*".
    struct Ending {
        std::u16string_view run;
        std::size_t fromEnd = 0;
    };
    Ending requiredEnding() const;

private:
    enum class Kind : std::uint8_t { Unit, AnyUnit, Digit, List };
    struct Element {
        Kind kind;
        std::uint32_t list;  // index into lists_ for Kind::List
    };
    struct List {
        std::uint32_t begin, end;  // into ranges_
        bool negated;
    };
    struct Range {
        char16_t low, high;
    };
    struct Segment {
        std::uint32_t begin, end;  // into elements_ and units_ alike
        bool literal;              // every element is Kind::Unit
        // Offsets of the first and the last Kind::Unit element (-1: none), whose units
        // filter the places worth trying when the segment is searched for.
        std::int32_t firstUnit, lastUnit;
    };

    WildcardPattern() = default;
    void parse(std::u16string_view pattern);
    void addList(std::u16string_view list);
    void finish();

    std::size_t width(const Segment& s) const { return s.end - s.begin; }
    std::u16string_view longestRun(const Segment& s) const;
    bool accepts(const Element& e, char16_t unit) const;
    bool matchAt(const Segment& s, const char16_t* at) const;
    std::size_t find(const Segment& s, std::u16string_view text, std::size_t from) const;

    std::vector<Element> elements_;  // without the stars
    std::u16string units_;           // the unit of each element (0 where it is not Kind::Unit)
    std::vector<List> lists_;
    std::vector<Range> ranges_;
    std::vector<Segment> segments_;  // one more than the number of stars
};

// Compiles and matches in one go; throws like WildcardPattern::compile.
bool wildcardMatch(std::u16string_view text, std::u16string_view pattern);

}  // namespace sw
