#pragma once
// Plain-text keys, looked up by every suffix of a text: a text ends with a key exactly
// when one of its suffixes equals it, and addresses are short, so one hash probe per
// suffix length that some key has is all it takes.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class SuffixIndex {
public:
    // Keys are non-empty; a key added more than once keeps its values in the order added.
    void add(std::u16string_view key, std::uint32_t value);
    void reserve(std::size_t keys, std::size_t units) {
        records_.reserve(keys);
        arena_.reserve(units);
    }
    void build();

    bool empty() const { return records_.empty(); }

    // Calls visit(value) for each key that text ends with, until visit returns true.
    template <typename Visit>
    bool visitEndings(std::u16string_view text, Visit&& visit) const {
        if (records_.empty()) return false;
        const std::size_t longest = std::min(text.size(), lengthPresent_.size() - 1);
        std::uint64_t h = hashSeed;
        for (std::size_t length = 1; length <= longest; ++length) {
            h = hashStep(h, text[text.size() - length]);
            if (!lengthPresent_[length]) continue;
            for (std::uint32_t r = find(h, text.substr(text.size() - length)); r != none; r = records_[r].next)
                if (visit(records_[r].value)) return true;
        }
        return false;
    }

private:
    static constexpr std::uint32_t none = UINT32_MAX;
    // FNV-1a over the units from last to first, so that the hashes of all suffixes of
    // a text come out of one pass from its end.
    static constexpr std::uint64_t hashSeed = 0xcbf29ce484222325ULL;
    static constexpr std::uint64_t hashStep(std::uint64_t h, char16_t unit) { return (h ^ unit) * 0x100000001b3ULL; }

    struct Record {
        std::uint64_t hash;
        std::uint32_t offset, length;  // into arena_
        std::uint32_t value;
        std::uint32_t next;  // next record with the same key, or none
    };

    std::uint32_t find(std::uint64_t hash, std::u16string_view key) const;

    std::u16string arena_;
    std::vector<Record> records_;
    std::vector<std::uint32_t> slots_;  // open addressing: first record of each key
    std::vector<bool> lengthPresent_;   // by key length
    unsigned shift_ = 64;
};

}  // namespace sw
