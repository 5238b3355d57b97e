// Send-time matching costs: compiled pattern lists and the matcher against the naive
// reference matcher on the same work. Every figure named "Reference" is the naive loop;
// where it cannot finish on the full input its name says how much smaller its input is.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "../tests/support/reference_wildcard.h"
#include "checks/pattern_list.h"
#include "checks/wildcard.h"

namespace sw {
namespace {

using Entries = std::vector<std::u16string>;

std::u16string number(std::size_t n) {
    std::u16string s;
    do s.insert(s.begin(), static_cast<char16_t>(u'0' + n % 10)); while ((n /= 10) != 0);
    return s;
}

template <typename T>
const T& pick(std::mt19937& rng, const std::vector<T>& from) {
    return from[rng() % from.size()];
}

const std::vector<std::u16string> companies = {u"tanaka-shoji", u"yamato-unyu", u"sakura-bank", u"fujisan-denki",
                                               u"nihon-kogyo",  u"example",     u"日本商事",    u"東京物産",
                                               u"みらい電機",   u"大阪製作所"};
const std::vector<std::u16string> tlds = {u".co.jp", u".ne.jp", u".or.jp", u".com", u".jp", u".ac.jp"};
const std::vector<std::u16string> users = {u"taro.yamada", u"hanako", u"sato", u"k-suzuki", u"info", u"sales"};

std::u16string domain(std::mt19937& rng, std::size_t i) { return pick(rng, companies) + number(i) + pick(rng, tlds); }

// A safe list as users write it: "@domain", bare domains, full addresses, and three
// entries in twenty with wildcards. Alongside, addresses of which about half are safe.
struct SafeList {
    Entries entries;
    std::vector<std::u16string> addresses;
};

SafeList makeSafeList(std::size_t entryCount, std::size_t addressCount, unsigned seed) {
    std::mt19937 rng(seed);
    SafeList s;
    std::vector<std::u16string> domains;
    for (std::size_t i = 0; i < entryCount; ++i) {
        const std::u16string d = domain(rng, i);
        domains.push_back(d);
        switch (rng() % 20) {
        case 0: s.entries.push_back(u"@mail#." + d); break;
        case 1: s.entries.push_back(u"*." + d); break;
        case 2: s.entries.push_back(u"@" + d.substr(0, d.size() - 2) + u"??"); break;
        case 3: case 4: case 5: s.entries.push_back(pick(rng, users) + u"@" + d); break;
        case 6: case 7: case 8: case 9: case 10: case 11: s.entries.push_back(d); break;
        default: s.entries.push_back(u"@" + d); break;
        }
    }
    for (std::size_t i = 0; i < addressCount; ++i) {
        const bool safe = rng() % 2 == 0;
        const std::u16string d = safe ? domains[rng() % domains.size()] : domain(rng, entryCount + 1000 + i);
        s.addresses.push_back(pick(rng, users) + u"@" + d);
    }
    return s;
}

// A business-mail body as the checks see it (line breaks removed), and sensitive words
// (one in fifty with wildcards) that mostly do not occur in it, so that the scan runs
// to the end: the costly case.
std::u16string makeBody(std::size_t units, unsigned seed) {
    static const std::vector<std::u16string> sentences = {
        u"いつもお世話になっております。", u"株式会社東京物産の山田です。",
        u"先日の打ち合わせの件でご連絡いたしました。", u"資料をご確認のうえ、ご返信ください。",
        u"Please find the schedule below. ", u"会議は来週の火曜日、午後3時からです。",
        u"よろしくお願いいたします。", u"Best regards, Taro Yamada",
        u"ｶﾀｶﾅの半角表記もあります。", u"Order No. 2024-0815 has been shipped. "};
    std::mt19937 rng(seed);
    std::u16string body;
    while (body.size() < units) body += pick(rng, sentences);
    body.resize(units);
    return body;
}

Entries makeWords(std::size_t count, unsigned seed) {
    static const std::vector<std::u16string> stems = {u"極秘", u"社外秘", u"関係者外秘", u"confidential",
                                                      u"部外秘", u"取扱注意", u"個人情報", u"Secret"};
    static const std::vector<std::u16string> wild = {u"パスワード*送付", u"ID:####-####", u"打ち合わせ*極秘",
                                                     u"[極秘][秘密]資料", u"confidential*project", u"社外*厳禁"};
    std::mt19937 rng(seed);
    Entries words = {u"極秘", u"社外秘", u"confidential", u"CONFIDENTIAL"};
    while (words.size() < count) {
        if (words.size() % 50 == 0)
            words.push_back(wild[words.size() / 50 % wild.size()] + number(words.size()));
        else
            words.push_back(pick(rng, stems) + u"案件" + number(words.size()));
    }
    return words;
}

bool referenceAny(const Entries& entries, std::u16string_view text, bool contains) {
    for (const auto& e : entries)
        if (reference::wildcardMatch(text, u"*" + e + (contains ? u"*" : u""))) return true;
    return false;
}

std::size_t safeCount(const PatternList& list, const std::vector<std::u16string>& addresses) {
    std::size_t safe = 0;
    for (const auto& a : addresses) safe += list.anyMatch(a, 0, list.size());
    return safe;
}

std::size_t referenceSafeCount(const Entries& entries, const std::vector<std::u16string>& addresses) {
    std::size_t safe = 0;
    for (const auto& a : addresses) safe += referenceAny(entries, a, false);
    return safe;
}

// Benchmarks compare answers with the reference once, so a fast wrong answer shows.
void check(benchmark::State& state, bool same) {
    if (!same) state.SkipWithError("compiled list and reference disagree");
}

// --- 1,000 addresses against 10,000 entries, and a body of 10 M units (20 MB as
// UTF-16) against 1,000 words ---

const SafeList& largeSafeList() { static const SafeList s = makeSafeList(10000, 1000, 1); return s; }
const std::u16string& largeBody() { static const std::u16string b = makeBody(10u << 20, 2); return b; }
const Entries& largeWords() { static const Entries w = makeWords(1000, 3); return w; }

void BM_Large_SafeList_1000x10000_PatternList(benchmark::State& state) {
    const auto& s = largeSafeList();
    const PatternList list(PatternList::Mode::Suffix, s.entries);
    check(state, safeCount(list, s.addresses) == referenceSafeCount(s.entries, s.addresses));
    for (auto _ : state) benchmark::DoNotOptimize(safeCount(list, s.addresses));
}
BENCHMARK(BM_Large_SafeList_1000x10000_PatternList)->Unit(benchmark::kMillisecond);

void BM_Large_SafeList_1000x10000_Reference(benchmark::State& state) {
    const auto& s = largeSafeList();
    for (auto _ : state) benchmark::DoNotOptimize(referenceSafeCount(s.entries, s.addresses));
}
BENCHMARK(BM_Large_SafeList_1000x10000_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Large_BodyWords_10Mx1000_PatternList(benchmark::State& state) {
    const PatternList list(PatternList::Mode::Contains, largeWords());
    for (auto _ : state) benchmark::DoNotOptimize(list.anyMatch(largeBody(), 0, list.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * largeBody().size() * 2));
}
BENCHMARK(BM_Large_BodyWords_10Mx1000_PatternList)->Unit(benchmark::kMillisecond);

// The reference needs some twenty seconds per million units with 1,000 words, so the
// comparison runs on the first 256 K units of the body.
std::u16string_view bodyStart() { return std::u16string_view(largeBody()).substr(0, 256u << 10); }

void BM_Large_BodyWords_256Kx1000_PatternList(benchmark::State& state) {
    const PatternList list(PatternList::Mode::Contains, largeWords());
    check(state, list.anyMatch(bodyStart(), 0, list.size()) == referenceAny(largeWords(), bodyStart(), true));
    for (auto _ : state) benchmark::DoNotOptimize(list.anyMatch(bodyStart(), 0, list.size()));
}
BENCHMARK(BM_Large_BodyWords_256Kx1000_PatternList)->Unit(benchmark::kMillisecond);

void BM_Large_BodyWords_256Kx1000_Reference(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(referenceAny(largeWords(), bodyStart(), true));
}
BENCHMARK(BM_Large_BodyWords_256Kx1000_Reference)->Unit(benchmark::kMillisecond)->Iterations(1);

// The whole large mail: what the target of well under 100 ms is about.
void BM_Large_WholeMail_PatternList(benchmark::State& state) {
    const auto& s = largeSafeList();
    const PatternList safe(PatternList::Mode::Suffix, s.entries);
    const PatternList words(PatternList::Mode::Contains, largeWords());
    for (auto _ : state) {
        benchmark::DoNotOptimize(safeCount(safe, s.addresses));
        benchmark::DoNotOptimize(words.anyMatch(largeBody(), 0, words.size()));
    }
}
BENCHMARK(BM_Large_WholeMail_PatternList)->Unit(benchmark::kMillisecond);

// Compiling the lists when the configuration loads.
void BM_Compile_SafeList10000(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(PatternList(PatternList::Mode::Suffix, largeSafeList().entries));
}
BENCHMARK(BM_Compile_SafeList10000)->Unit(benchmark::kMillisecond);

void BM_Compile_Words10000(benchmark::State& state) {
    static const Entries words = makeWords(10000, 4);
    for (auto _ : state) benchmark::DoNotOptimize(PatternList(PatternList::Mode::Contains, words));
}
BENCHMARK(BM_Compile_Words10000)->Unit(benchmark::kMillisecond);

// --- A typical mail: 10 addresses, 100 safe entries, 20 KB body, two lists of 50 words ---

struct TypicalMail {
    SafeList safe = makeSafeList(100, 10, 5);
    std::u16string body = makeBody(10u << 10, 6);  // 10 K units = 20 KB
    Entries sensitive = makeWords(50, 7);
    Entries attachment = {u"添付", u"同封", u"attached", u"attachment", u"別送", u"ファイルを送"};
};
const TypicalMail& typical() { static const TypicalMail m; return m; }

void BM_TypicalMail_PatternList(benchmark::State& state) {
    const auto& m = typical();
    const PatternList safe(PatternList::Mode::Suffix, m.safe.entries);
    const PatternList sensitive(PatternList::Mode::Contains, m.sensitive);
    const PatternList attachment(PatternList::Mode::Contains, m.attachment);
    check(state, safeCount(safe, m.safe.addresses) == referenceSafeCount(m.safe.entries, m.safe.addresses) &&
                       sensitive.anyMatch(m.body, 0, sensitive.size()) == referenceAny(m.sensitive, m.body, true) &&
                       attachment.anyMatch(m.body, 0, attachment.size()) == referenceAny(m.attachment, m.body, true));
    for (auto _ : state) {
        benchmark::DoNotOptimize(safeCount(safe, m.safe.addresses));
        benchmark::DoNotOptimize(sensitive.anyMatch(m.body, 0, sensitive.size()));
        benchmark::DoNotOptimize(attachment.anyMatch(m.body, 0, attachment.size()));
    }
}
BENCHMARK(BM_TypicalMail_PatternList)->Unit(benchmark::kMicrosecond);

void BM_TypicalMail_Reference(benchmark::State& state) {
    const auto& m = typical();
    for (auto _ : state) {
        benchmark::DoNotOptimize(referenceSafeCount(m.safe.entries, m.safe.addresses));
        benchmark::DoNotOptimize(referenceAny(m.sensitive, m.body, true));
        benchmark::DoNotOptimize(referenceAny(m.attachment, m.body, true));
    }
}
BENCHMARK(BM_TypicalMail_Reference)->Unit(benchmark::kMicrosecond);

// --- Many stars on a long text ---
// "endsWithB" is the target case; the matcher rejects it at the last unit. With a
// trailing star the "b" has to be searched for through the whole text instead.

void BM_ManyStars_1M_WildcardPattern(benchmark::State& state, std::u16string_view pattern) {
    const std::u16string text(1u << 20, u'a');
    const auto compiled = WildcardPattern::compile(pattern);
    for (auto _ : state) benchmark::DoNotOptimize(compiled.matches(text));
}
BENCHMARK_CAPTURE(BM_ManyStars_1M_WildcardPattern, endsWithB, u"*a*a*a*a*a*a*b")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ManyStars_1M_WildcardPattern, trailingStar, u"*a*a*a*a*a*a*b*")->Unit(benchmark::kMillisecond);

// The reference tries every placement of six stars: it only finishes on texts of a few
// dozen units, given as the argument. The matcher on the same short texts, for the ratio.
void BM_ManyStars_ShortText_WildcardPattern(benchmark::State& state, std::u16string_view pattern) {
    const std::u16string text(static_cast<std::size_t>(state.range(0)), u'a');
    const auto compiled = WildcardPattern::compile(pattern);
    for (auto _ : state) benchmark::DoNotOptimize(compiled.matches(text));
}
BENCHMARK_CAPTURE(BM_ManyStars_ShortText_WildcardPattern, endsWithB, u"*a*a*a*a*a*a*b")->Arg(24)->Arg(40);
BENCHMARK_CAPTURE(BM_ManyStars_ShortText_WildcardPattern, trailingStar, u"*a*a*a*a*a*a*b*")->Arg(24)->Arg(40);

void BM_ManyStars_ShortText_Reference(benchmark::State& state, std::u16string_view pattern) {
    const std::u16string text(static_cast<std::size_t>(state.range(0)), u'a');
    for (auto _ : state) benchmark::DoNotOptimize(reference::wildcardMatch(text, pattern));
}
BENCHMARK_CAPTURE(BM_ManyStars_ShortText_Reference, endsWithB, u"*a*a*a*a*a*a*b")
    ->Arg(24)->Arg(40)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ManyStars_ShortText_Reference, trailingStar, u"*a*a*a*a*a*a*b*")
    ->Arg(24)->Arg(40)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sw
