// The wildcard matcher against the naive reference: "pattern\ntext", each byte one
// unit (bytes from 0x80 stand for surrogate halves). Any disagreement aborts.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "checks/wildcard.h"
#include "diagnostics/failure.h"
#include "support/reference_wildcard.h"

namespace {

std::u16string units(const std::uint8_t* data, std::size_t size) {
    std::u16string s;
    for (std::size_t i = 0; i < size; ++i)
        s.push_back(data[i] < 0x80 ? char16_t(data[i]) : char16_t(0xD800 + (data[i] - 0x80) * 8));
    return s;
}

void require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* end = data + size;
    const auto* newline = std::find(data, end, std::uint8_t('\n'));
    const std::u16string pattern = units(data, static_cast<std::size_t>(newline - data));
    const std::u16string text = newline == end ? std::u16string() : units(newline + 1, static_cast<std::size_t>(end - newline - 1));
    // The reference tries every split at each star: keep its work small.
    if (pattern.size() > 24 || text.size() > 24 || std::count(pattern.begin(), pattern.end(), u'*') > 3) return 0;

    if (!sw::reference::valid(pattern)) {
        bool threw = false;
        try {
            sw::WildcardPattern::compile(pattern);
        } catch (const sw::Failure& f) {
            threw = f.number() == sw::failures::invalidPattern().number();
        }
        require(threw);
        return 0;
    }
    const auto compiled = sw::WildcardPattern::compile(pattern);
    const bool expected = sw::reference::matchRest(text, pattern);
    require(compiled.matches(text) == expected);
    require(sw::wildcardMatch(text, pattern) == expected);
    if (compiled.isLiteral()) require(compiled.matches(compiled.literalText()) && expected == (text == compiled.literalText()));
    if (expected) {
        for (const std::u16string_view run : compiled.requiredRuns()) require(text.find(run) != std::u16string::npos);
        const auto ending = compiled.requiredEnding();
        const std::size_t tail = ending.run.size() + ending.fromEnd;
        require(tail <= text.size() && std::u16string_view(text).substr(text.size() - tail, ending.run.size()) == ending.run);
    }
    return 0;
}
