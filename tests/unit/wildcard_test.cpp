#include "checks/wildcard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "../support/reference_wildcard.h"
#include "diagnostics/failure.h"
#include "text.h"

namespace sw {
namespace {

struct Case {
    const char16_t* pattern;
    const char16_t* text;
    bool matches;
};

std::string show(std::u16string_view s) { return "\"" + toUtf8(s) + "\""; }

TEST(WildcardMatch, PatternElements) {
    const Case cases[] = {
        {u"", u"", true},           // empty pattern matches only the empty text
        {u"", u"a", false},         //
        {u"abc", u"abc", true},     // plain units match themselves, whole text only
        {u"abc", u"abcd", false},   //
        {u"abc", u"xabc", false},   //
        {u"*", u"", true},          // star matches no units
        {u"*", u"anything", true},  //
        {u"a*", u"a", true},        // star after a prefix
        {u"a*", u"ba", false},      //
        {u"*a", u"bba", true},      // star before a suffix
        {u"*a", u"ab", false},      //
        {u"a*b*c", u"aXbYc", true},    // middle segments in order
        {u"a*b*c", u"acb", false},     //
        {u"a*b*c", u"abc", true},      //
        {u"ab*ba", u"aba", false},     // prefix and suffix may not share a unit
        {u"ab*ba", u"abba", true},     //
        {u"*aa*aa*", u"aaa", false},   // middle segments may not overlap
        {u"*aa*aa*", u"aaaa", true},   //
        {u"***", u"x", true},          // consecutive stars act as one
        {u"?", u"", false},         // question mark: exactly one unit
        {u"?", u"x", true},         //
        {u"?", u"xy", false},       //
        {u"a?c", u"a?c", true},     //
        {u"#", u"7", true},         // hash: one ASCII digit
        {u"#", u"a", false},        //
        {u"#", u"１", false},       // full-width digit is not a digit here
        {u"##", u"0", false},       //
        {u"[abc]", u"b", true},     // list of single units
        {u"[abc]", u"d", false},    //
        {u"[abc]", u"", false},     //
        {u"[abc]", u"ab", false},   // a list consumes exactly one unit
        {u"[a-c]", u"b", true},     // range by code
        {u"[a-c]", u"d", false},    //
        {u"[a-cx-z]", u"y", true},  // two ranges
        {u"[z-a]", u"m", false},    // descending range holds nothing
        {u"[z-a]", u"z", false},    //
        {u"[!z-a]", u"m", true},    // so its complement holds everything
        {u"[-a]", u"-", true},      // leading dash is a unit
        {u"[a-]", u"-", true},      // trailing dash is a unit
        {u"[a-]", u"b", false},     //
        {u"[!-a]", u"-", false},    // dash first after "!" is a unit
        {u"[!-a]", u"b", true},     //
        {u"[a-c-e]", u"-", true},   // a dash after a range is a unit
        {u"[a-c-e]", u"d", false},  //
        {u"[!abc]", u"d", true},    // negated list
        {u"[!abc]", u"a", false},   //
        {u"[!abc]", u"", false},    // negated list still consumes one unit
        {u"[!]", u"x", true},       // empty negated list: any one unit
        {u"[!]", u"", false},       //
        {u"[a!]", u"!", true},      // "!" not first is a unit
        {u"[]", u"", true},         // empty list matches the empty string
        {u"a[]b", u"ab", true},     //
        {u"[]", u"x", false},       //
        {u"[]]", u"]", true},       // first "]" closes, the next is a unit
        {u"[*]", u"*", true},       // meta characters in brackets are units
        {u"[*]", u"x", false},      //
        {u"[?]", u"x", false},      //
        {u"[#]", u"#", true},       //
        {u"[#]", u"1", false},      //
        {u"[[]", u"[", true},       //
        {u"]", u"]", true},         // "]" outside brackets is a unit
        {u"a]b", u"a]b", true},     //
        {u"*@example.co.jp", u"taro@example.co.jp", true},      // safe-list suffix
        {u"*example.co.jp", u"taro@sub.example.co.jp", true},   //
        {u"*@example.co.jp", u"taro@sub.example.co.jp", false}, //
        {u"*example.co.jp", u"taro@example.co.jp.evil", false}, //
        {u"*極秘*", u"これは極秘です", true},                   // body word contains
        {u"*添付*ファイル*", u"ファイルを添付", false},           // parts must come in order
        {u"*添付*ファイル*", u"添付したファイル", true},          //
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.matches) << show(c.pattern) << " on " << show(c.text);
        EXPECT_EQ(reference::wildcardMatch(c.text, c.pattern), c.matches)
            << "reference: " << show(c.pattern) << " on " << show(c.text);
    }
}

TEST(WildcardMatch, ComparesSixteenBitCodes) {
    const Case cases[] = {
        {u"ABC", u"abc", false},         // case differs
        {u"*example.com", u"x@EXAMPLE.COM", false},  //
        {u"ＡＢＣ", u"ABC", false},       // full width against half width
        {u"ｱ", u"ア", false},             // half-width against full-width katakana
        {u"?", u"\U0001F600", false},     // a surrogate pair is two units
        {u"??", u"\U0001F600", true},     //
        {u"[\xD83D]?", u"\U0001F600", true},  // a list can hold one half
        {u"[a-\xFFFF]", u"\xFFFF", true},     // top of the unit range
        {u"[\x0001-b]", u"\x0001", true},     // bottom of it
    };
    for (const Case& c : cases)
        EXPECT_EQ(wildcardMatch(c.text, c.pattern), c.matches) << show(c.pattern) << " on " << show(c.text);
}

TEST(WildcardMatch, UnclosedBracketIsAnInvalidPattern) {
    for (const char16_t* pattern : {u"[", u"a[", u"[abc", u"*[!", u"][", u"a][", u"[a][", u"[]["}) {
        try {
            WildcardPattern::compile(pattern);
            ADD_FAILURE() << show(pattern) << " compiled";
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), 93) << show(pattern);
        }
        EXPECT_THROW(reference::wildcardMatch(u"", pattern), Failure);
    }
    for (const char16_t* pattern : {u"]", u"[]", u"[[]", u"[!]", u"a]b[c]"})
        EXPECT_NO_THROW(WildcardPattern::compile(pattern)) << show(pattern);
}

TEST(WildcardPattern, LiteralAndRequiredParts) {
    using Runs = std::vector<std::u16string_view>;
    struct Row {
        const char16_t* pattern;
        bool literal;
        const char16_t* literalText;  // when literal
        Runs runs;
        const char16_t* ending;       // the run fixed relative to the end
        std::size_t fromEnd;
    };
    const Row rows[] = {
        {u"abc", true, u"abc", {u"abc"}, u"abc", 0},                   // plain text
        {u"", true, u"", {}, u"", 0},                                   // empty pattern: the empty text
        {u"a[*]b", true, u"a*b", {u"a*b"}, u"a*b", 0},                  // one-unit list is a unit
        {u"a[]b", true, u"ab", {u"ab"}, u"ab", 0},                      // empty list vanishes
        {u"a?bc", false, nullptr, {u"bc"}, u"bc", 0},                   // question mark breaks the run
        {u"a?b", false, nullptr, {u"a"}, u"a", 2},                      // first of equal runs
        {u"*ab*c#de", false, nullptr, {u"ab", u"de"}, u"de", 0},        // one run per part
        {u"*abcd*e?", false, nullptr, {u"abcd", u"e"}, u"e", 1},        // ending only after the last star
        {u"*@example.??", false, nullptr, {u"@example."}, u"@example.", 2},  //
        {u"xy*", false, nullptr, {u"xy"}, u"", 0},                      // trailing star: no ending
        {u"[ab]*?", false, nullptr, {}, u"", 0},                        // a real list fixes nothing
        {u"[!]", false, nullptr, {}, u"", 0},                           //
    };
    for (const Row& r : rows) {
        const auto p = WildcardPattern::compile(r.pattern);
        EXPECT_EQ(p.isLiteral(), r.literal) << show(r.pattern);
        if (r.literal) {
            EXPECT_EQ(p.literalText(), r.literalText) << show(r.pattern);
        }
        EXPECT_EQ(p.requiredRuns(), r.runs) << show(r.pattern);
        EXPECT_EQ(p.requiredEnding().run, r.ending) << show(r.pattern);
        EXPECT_EQ(p.requiredEnding().fromEnd, r.fromEnd) << show(r.pattern);
    }
}

// Patterns and texts over a small alphabet that exercises every element and the
// corner cases of lists ("-", "!", "]" in all positions).
std::u16string randomString(std::mt19937& rng, std::u16string_view alphabet, std::size_t maxLength) {
    std::u16string s(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), u'a');
    for (char16_t& c : s) c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    return s;
}

// A text that is likely to match the pattern: each element replaced by something it
// tends to accept, then now and then one unit changed, so near misses are common too.
std::u16string textFor(std::mt19937& rng, std::u16string_view pattern, std::u16string_view alphabet) {
    auto pick = [&](std::u16string_view from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
    };
    std::u16string text;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        switch (pattern[p]) {
        case u'*': text += randomString(rng, alphabet, 3); break;
        case u'?': text += pick(alphabet); break;
        case u'#': text += pick(u"0123456789a"); break;
        case u'[': {
            const std::size_t close = pattern.find(u']', p + 1);
            const std::u16string_view list = pattern.substr(p + 1, close - p - 1);
            if (!list.empty()) text += pick(std::u16string(list) + pick(alphabet));
            p = close;
            break;
        }
        default: text += pattern[p];
        }
    }
    if (!text.empty() && rng() % 3 == 0) text[rng() % text.size()] = pick(alphabet);
    return text;
}

TEST(WildcardMatch, AgreesWithReferenceOnRandomInputs) {
    std::mt19937 rng(20240611);
    const std::u16string_view patternAlphabet = u"ab1-]!*?#[[";
    const std::u16string_view textAlphabet = u"ab1-]!*[";
    int matched = 0;
    int invalid = 0;
    for (int i = 0; i < 6000; ++i) {
        const std::u16string pattern = randomString(rng, patternAlphabet, 9);
        const bool valid = reference::valid(pattern);
        if (!valid) {
            ++invalid;
            EXPECT_THROW(WildcardPattern::compile(pattern), Failure) << show(pattern);
            continue;
        }
        const auto compiled = WildcardPattern::compile(pattern);
        for (int j = 0; j < 8; ++j) {
            const std::u16string text = j % 2 ? randomString(rng, textAlphabet, 10)
                                              : textFor(rng, pattern, textAlphabet);
            const bool expected = reference::matchRest(text, pattern);
            matched += expected;
            ASSERT_EQ(compiled.matches(text), expected) << show(pattern) << " on " << show(text);
        }
    }
    // The generators must produce matches and invalid patterns in fair numbers.
    EXPECT_GT(matched, 5000);
    EXPECT_GT(invalid, 200);
}

TEST(WildcardMatch, ManyStarsOnLongTextFinish) {
    const std::u16string longText(1 << 20, u'a');
    const auto pattern = WildcardPattern::compile(u"*a*a*a*a*a*a*b");
    EXPECT_FALSE(pattern.matches(longText));
    EXPECT_TRUE(pattern.matches(longText + u"b"));
    EXPECT_TRUE(wildcardMatch(longText + u"xb", u"*a*a*a*a*a*a*?b"));
    // A trailing star makes the last "b" a segment that is searched for, not anchored.
    EXPECT_FALSE(wildcardMatch(longText, u"*a*a*a*a*a*a*b*"));
    EXPECT_FALSE(wildcardMatch(longText, u"*aaaaaaaaaaaaaaaaab*"));
    EXPECT_TRUE(wildcardMatch(longText + u"1a" + longText, u"*a#a*"));
}

}  // namespace
}  // namespace sw
