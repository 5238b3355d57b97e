#include "ui/settings/sorted_list.h"

#include <algorithm>
#include <stdexcept>

namespace sw::ui {
namespace {

// Ranges whose capitals fold by a fixed offset, and runs of capital/small pairs.
struct Shift {
    char16_t first, last;
    int offset;
};
constexpr Shift shifts[] = {
    {0x0041, 0x005A, 32},  {0x00C0, 0x00D6, 32},  {0x00D8, 0x00DE, 32},  {0x0388, 0x038A, 37},
    {0x038E, 0x038F, 63},  {0x0391, 0x03A1, 32},  {0x03A3, 0x03AB, 32},  {0x0400, 0x040F, 80},
    {0x0410, 0x042F, 32},  {0x0531, 0x0556, 48},  {0x10A0, 0x10C5, 7264}, {0x2160, 0x216F, 16},
    {0x24B6, 0x24CF, 26},  {0x2C00, 0x2C2E, 48},  {0xFF21, 0xFF3A, 32},
};
// Pairs: the capital at an even (or odd) unit, its small letter right after it.
struct Pairs {
    char16_t first, last;
};
constexpr Pairs pairs[] = {
    {0x0100, 0x012F}, {0x0132, 0x0137}, {0x0139, 0x0148}, {0x014A, 0x0177}, {0x0179, 0x017E},
    {0x0460, 0x0481}, {0x048A, 0x04BF}, {0x04C1, 0x04CE}, {0x04D0, 0x052F}, {0x1E00, 0x1E95},
    {0x1EA0, 0x1EFF},
};
struct Single {
    char16_t from, to;
};
constexpr Single singles[] = {
    {0x00B5, 0x03BC}, {0x0178, 0x00FF}, {0x017F, 0x0073}, {0x0386, 0x03AC}, {0x038C, 0x03CC},
    {0x03C2, 0x03C3}, {0x04C0, 0x04CF}, {0x1E9B, 0x1E61}, {0x1E9E, 0x00DF}, {0x2126, 0x03C9},
    {0x212A, 0x006B}, {0x212B, 0x00E5}, {0x2132, 0x214E}, {0x2183, 0x2184},
};

}  // namespace

char16_t foldCase(char16_t unit) {
    for (const Shift& s : shifts)
        if (unit >= s.first && unit <= s.last) return static_cast<char16_t>(unit + s.offset);
    for (const Pairs& p : pairs)
        if (unit >= p.first && unit <= p.last)
            return (unit - p.first) % 2 == 0 ? static_cast<char16_t>(unit + 1) : unit;
    for (const Single& s : singles)
        if (unit == s.from) return s.to;
    return unit;
}

bool sortsBefore(const std::u16string& a, const std::u16string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return foldCase(x) < foldCase(y); });
}

const std::u16string& SortedList::item(std::int32_t index) const {
    return box_.items.at(static_cast<std::size_t>(index));
}

void SortedList::select(std::int32_t index) { box_.value = index >= 0 && index < count() ? index : -1; }

std::int32_t SortedList::add(const std::u16string& text) {
    const auto at = std::lower_bound(box_.items.begin(), box_.items.end(), text, sortsBefore);
    const auto index = static_cast<std::int32_t>(at - box_.items.begin());
    box_.items.insert(at, text);
    if (box_.value >= index) ++box_.value;
    return index;
}

void SortedList::remove(std::int32_t index) {
    if (index < 0 || index >= count()) throw std::out_of_range("no such list entry");
    box_.items.erase(box_.items.begin() + index);
    if (box_.value == index) box_.value = -1;
    else if (box_.value > index) --box_.value;
}

void SortedList::setItem(std::int32_t index, const std::u16string& text) {
    box_.items.at(static_cast<std::size_t>(index)) = text;
}

}  // namespace sw::ui
