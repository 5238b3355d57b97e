#include "checks/pattern_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "../support/reference_wildcard.h"
#include "text.h"

namespace sw {
namespace {

using Mode = PatternList::Mode;
using Entries = std::vector<std::u16string>;

std::u16string wrap(Mode mode, std::u16string_view entry) {
    std::u16string p = u"*" + std::u16string(entry);
    if (mode == Mode::Contains) p += u'*';
    return p;
}

// What the checks would do without a compiled list: the entries one by one.
bool naiveAnyMatch(Mode mode, const Entries& entries, std::u16string_view text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (reference::wildcardMatch(text, wrap(mode, entries[i]))) return true;
    return false;
}

struct Row {
    Entries entries;
    const char16_t* text;
    bool matches;
};

void expectRows(Mode mode, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        const PatternList list(mode, r.entries);
        ASSERT_FALSE(list.firstInvalid());
        EXPECT_EQ(list.anyMatch(r.text, 0, list.size()), r.matches)
            << toUtf8(r.text) << " against " << testing::PrintToString(r.entries.size()) << " entries, first "
            << (r.entries.empty() ? "" : toUtf8(r.entries.front()));
    }
}

TEST(PatternListSuffix, AddressEndsWithAnEntry) {
    expectRows(Mode::Suffix, {
        {{}, u"taro@example.co.jp", false},                             // empty list accepts nothing
        {{u"example.co.jp"}, u"taro@example.co.jp", true},              // bare domain
        {{u"example.co.jp"}, u"taro@sub.example.co.jp", true},          // and its subdomains
        {{u"example.co.jp"}, u"taro@myexample.co.jp", true},            // and any name ending alike
        {{u"example.co.jp"}, u"taro@EXAMPLE.co.jp", false},             // case matters
        {{u"example.co.jp"}, u"taro@example.co.jp.evil.com", false},    // continuing past it
        {{u"@example.co.jp"}, u"taro@example.co.jp", true},             // at sign: that domain only
        {{u"@example.co.jp"}, u"taro@sub.example.co.jp", false},        //
        {{u"hanako@example.jp"}, u"hanako@example.jp", true},           // full address
        {{u"hanako@example.jp"}, u"o.hanako@example.jp", true},         // and what ends with it
        {{u""}, u"anyone@anywhere", true},                              // empty entry: "*"
        {{u"*"}, u"anyone@anywhere", true},                             //
        {{u""}, u"", true},                                             //
        {{u"**example.jp"}, u"a@example.jp", true},                     // leading stars are one
        {{u"@example.??"}, u"a@example.jp", true},                      // wildcards at the end
        {{u"@example.??"}, u"a@example.com", false},                    //
        {{u"@mail#.example.jp"}, u"a@mail7.example.jp", true},          //
        {{u"@[a-c].jp"}, u"x@b.jp", true},                              //
        {{u"@a.??", u"@b.?", u"@c.?"}, u"x@c.j", true},                 // runs at two distances from the end
        {{u"@a.??", u"@b.?", u"@c.?"}, u"x@c.jp", false},               //
        {{u"@example.*"}, u"x@example.anything", true},                 // trailing star
        {{u"@example.*"}, u"x@example", false},                         //
        {{u"a[*]b.jp"}, u"x@a*b.jp", true},                             // bracketed star is text
        {{u"a[*]b.jp"}, u"x@axb.jp", false},                            //
        {{u"a[]b.jp"}, u"x@ab.jp", true},                               // empty list vanishes
        {{u"社外.jp", u"例え.jp"}, u"太郎@例え.jp", true},             // later entry, Japanese
        {{u"ｅｘａｍｐｌｅ.jp"}, u"a@example.jp", false},              // width matters
    });
}

TEST(PatternListContains, BodyContainsAWord) {
    const Entries fanOut = {u"k0a", u"k1a", u"k2a", u"k3a", u"k4a", u"k5a", u"k6a", u"k7a", u"k8a", u"kzq"};
    expectRows(Mode::Contains, {
        {{}, u"極秘", false},                                   // no words, no hit
        {{u"極秘"}, u"これは極秘資料です", true},               // plain word inside
        {{u"極秘"}, u"これは秘密です", false},                  //
        {{u"Confidential"}, u"confidential", false},            // case matters
        {{u"添付"}, u"", false},                                //
        {{u""}, u"", true},                                     // empty word matches even an empty body
        {{u"**"}, u"body", true},                               //
        {{u"添付*ファイル"}, u"添付したファイル", true},        // parts in order
        {{u"添付*ファイル"}, u"ファイルを添付", false},         //
        {{u"*社外秘*"}, u"これは社外秘", true},                 // stars around a word add nothing
        {{u"ID:####"}, u"ID:1234 です", true},                  // wildcards inside a word
        {{u"ID:####"}, u"ID:12a4 です", false},                 //
        {{u"pass[!a-z]"}, u"pass1", true},                      //
        {{u"pass[!a-z]"}, u"password", false},                  //
        {{u"[!]"}, u"", false},                                 // one unit needed
        {{u"????"}, u"abc", false},                             // no plain run: always tried
        {{u"????"}, u"abcd", true},                             //
        {{u"abc", u"bc", u"c"}, u"xxc", true},                  // shorter words inside longer ones
        {{u"abcd", u"bc"}, u"abc", true},                       //
        {{u"abcd", u"bce"}, u"abcx", false},                    //
        {fanOut, u"-kzq-", true},                               // wide fan-out after "k"
        {fanOut, u"-kza-", false},                              //
        {fanOut, u"-k9a-", false},                              //
        {fanOut, u"-k9q-", false},                              //
    });
}

TEST(PatternList, IndexRangeSelectsEntries) {
    // Each row: entries, text, [from, to), expected.
    struct RangeRow {
        Mode mode;
        Entries entries;
        const char16_t* text;
        std::size_t from, to;
        bool matches;
    };
    const Entries dup = {u"a.jp", u"b.jp", u"a.jp"};
    const Entries nested = {u"bc", u"x*y", u"abc", u"c", u"abc"};
    const RangeRow rows[] = {
        {Mode::Suffix, dup, u"u@a.jp", 0, 1, true},     // lowest entry of a repeated key
        {Mode::Suffix, dup, u"u@a.jp", 1, 2, false},    // none in range
        {Mode::Suffix, dup, u"u@a.jp", 1, 3, true},     // the repeat
        {Mode::Suffix, dup, u"u@a.jp", 2, 2, false},    // empty range
        {Mode::Suffix, {u"a?.jp", u"b.jp", u"a?.jp"}, u"u@ax.jp", 1, 3, true},  // wildcard entries too
        {Mode::Suffix, {u"a?.jp", u"b.jp", u"a?.jp"}, u"u@ax.jp", 1, 2, false},  //
        {Mode::Contains, nested, u"zabcz", 1, 2, false},  // "abc" holds "bc" and "c" too
        {Mode::Contains, nested, u"zabcz", 1, 3, true},   //
        {Mode::Contains, nested, u"zabcz", 3, 4, true},   // found through the fail chain
        {Mode::Contains, nested, u"zabcz", 4, 5, true},   // repeated word
        {Mode::Contains, nested, u"zxqyz", 0, 1, false},  // wildcard word out of range
        {Mode::Contains, nested, u"zxqyz", 1, 2, true},   //
        {Mode::Contains, {u"", u"q"}, u"z", 1, 2, false}, // empty word out of range
        {Mode::Contains, {u"", u"q"}, u"z", 0, 1, true},  //
    };
    for (const RangeRow& r : rows) {
        const PatternList list(r.mode, r.entries);
        EXPECT_EQ(list.anyMatch(r.text, r.from, r.to), r.matches)
            << toUtf8(r.text) << " [" << r.from << ", " << r.to << ")";
    }
}

TEST(PatternList, FirstInvalidEntryStopsTheList) {
    // Each row: entries and the index of the first invalid one (-1: none).
    const std::pair<Entries, int> rows[] = {
        {{u"ok.jp", u"[bad", u"later.jp", u"[worse"}, 1},  // the first of two
        {{u"[abc]", u"a]b", u"[]"}, -1},                    // closed lists, stray "]"
        {{u"x", u"a[*"}, 1},                                // a trailing star does not close it
        {{u"*[", u"ok"}, 0},                                //
    };
    for (const Mode mode : {Mode::Suffix, Mode::Contains}) {
        for (const auto& [entries, invalid] : rows) {
            const PatternList list(mode, entries);
            EXPECT_EQ(list.size(), entries.size());
            if (invalid < 0)
                EXPECT_FALSE(list.firstInvalid());
            else
                EXPECT_EQ(list.firstInvalid(), static_cast<std::size_t>(invalid)) << toUtf8(entries.front());
        }
    }
    const PatternList list(Mode::Suffix, {u"ok.jp", u"[bad", u"later.jp"});
    EXPECT_TRUE(list.anyMatch(u"a@ok.jp", 0, 1));
    EXPECT_FALSE(list.anyMatch(u"a@later.jp", 0, 1));
}

std::u16string randomString(std::mt19937& rng, std::u16string_view alphabet, std::size_t minLength,
                            std::size_t maxLength) {
    std::u16string s(std::uniform_int_distribution<std::size_t>(minLength, maxLength)(rng), u'a');
    for (char16_t& c : s) c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    return s;
}

// Lists mixing plain entries (the fast paths), wildcard entries, repeats and the odd
// invalid entry, checked with random texts and ranges against the naive loop.
void compareWithNaive(Mode mode, unsigned seed) {
    std::mt19937 rng(seed);
    const std::u16string_view plain = u"ab1-]!.";
    const std::u16string_view wild = u"ab1-]!.*?#[[]";
    int hits = 0;
    int queries = 0;
    for (int round = 0; round < 500; ++round) {
        Entries entries(rng() % 12);
        for (auto& e : entries) {
            const auto kind = rng() % 10;
            e = kind < 5 ? randomString(rng, plain, 0, 4)
              : kind < 9 ? randomString(rng, wild, 0, 5)
                         : (entries.empty() ? u"" : entries[rng() % entries.size()]);  // maybe a repeat
        }
        const PatternList list(mode, entries);
        std::size_t valid = entries.size();
        for (std::size_t i = 0; i < entries.size() && valid == entries.size(); ++i)
            if (!reference::valid(wrap(mode, entries[i]))) valid = i;
        ASSERT_EQ(list.firstInvalid().value_or(entries.size()), valid);
        for (int q = 0; q < 40; ++q) {
            std::u16string text = randomString(rng, plain, 0, mode == Mode::Suffix ? 6 : 14);
            if (valid > 0 && rng() % 2) {  // plant an entry's text to make hits likely
                const std::u16string& e = entries[rng() % valid];
                const std::size_t at = mode == Mode::Suffix ? text.size() : rng() % (text.size() + 1);
                text.insert(at, e);
            }
            const std::size_t from = rng() % (valid + 1);
            const std::size_t to = from + rng() % (valid - from + 1);
            const bool expected = naiveAnyMatch(mode, entries, text, from, to);
            hits += expected;
            ++queries;
            ASSERT_EQ(list.anyMatch(text, from, to), expected)
                << "text " << toUtf8(text) << " range [" << from << ", " << to << ") entry " << from << ": "
                << (from < entries.size() ? toUtf8(entries[from]) : "");
        }
    }
    EXPECT_GT(hits, queries / 5);
    EXPECT_LT(hits, queries * 4 / 5);
}

TEST(PatternListSuffix, AgreesWithNaiveLoop) { compareWithNaive(Mode::Suffix, 7); }
TEST(PatternListContains, AgreesWithNaiveLoop) { compareWithNaive(Mode::Contains, 11); }

}  // namespace
}  // namespace sw
