#include "checks/suffix_index.h"

#include <bit>

namespace sw {

namespace {
constexpr std::uint64_t slotMix = 0x9E3779B97F4A7C15ULL;
}  // namespace

void SuffixIndex::add(std::u16string_view key, std::uint32_t value) {
    std::uint64_t h = hashSeed;
    for (std::size_t i = key.size(); i-- > 0;) h = hashStep(h, key[i]);
    records_.push_back({h, static_cast<std::uint32_t>(arena_.size()), static_cast<std::uint32_t>(key.size()), value,
                        none});
    arena_.append(key);
    if (lengthPresent_.size() <= key.size()) lengthPresent_.resize(key.size() + 1, false);
    lengthPresent_[key.size()] = true;
}

void SuffixIndex::build() {
    if (records_.empty()) return;
    const std::size_t capacity = std::bit_ceil(records_.size() * 2);
    shift_ = 64 - static_cast<unsigned>(std::countr_zero(capacity));
    slots_.assign(capacity, none);
    std::vector<std::uint32_t> last(records_.size(), none);  // tail of each key's chain, by head
    const std::size_t mask = capacity - 1;
    for (std::uint32_t r = 0; r < records_.size(); ++r) {
        const Record& rec = records_[r];
        const std::u16string_view key(arena_.data() + rec.offset, rec.length);
        // The shift keeps only as many bits as there are slots: it fits a 32-bit size_t too.
        for (auto slot = static_cast<std::size_t>((rec.hash * slotMix) >> shift_);; slot = (slot + 1) & mask) {
            const std::uint32_t head = slots_[slot];
            if (head == none) {
                slots_[slot] = last[r] = r;
                break;
            }
            const Record& other = records_[head];
            if (other.hash == rec.hash && std::u16string_view(arena_.data() + other.offset, other.length) == key) {
                records_[last[head]].next = r;
                last[head] = r;
                break;
            }
        }
    }
}

std::uint32_t SuffixIndex::find(std::uint64_t hash, std::u16string_view key) const {
    const std::size_t mask = slots_.size() - 1;
    for (auto slot = static_cast<std::size_t>((hash * slotMix) >> shift_);; slot = (slot + 1) & mask) {
        const std::uint32_t head = slots_[slot];
        if (head == none) return none;
        const Record& rec = records_[head];
        if (rec.hash == hash && std::u16string_view(arena_.data() + rec.offset, rec.length) == key) return head;
    }
}

}  // namespace sw
