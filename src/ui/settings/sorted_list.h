#pragma once
// The sorted list box of the settings window: entries in alphabetical order ignoring
// case, single selection. It works on the list box control itself, so the window's
// controls are the only copy of the entries.
#include <cstdint>
#include <string>

#include "ui/window_model.h"

namespace sw::ui {

// Simple case folding of one 16-bit unit (Latin, Greek, Cyrillic, Armenian, Georgian,
// letterlike symbols, Roman numerals, circled and full-width letters); every other
// unit folds to itself.
char16_t foldCase(char16_t unit);

// Orders two entries by their 16-bit units after case folding.
bool sortsBefore(const std::u16string& a, const std::u16string& b);

class SortedList {
public:
    explicit SortedList(Control& box) : box_(box) {}

    std::int32_t count() const { return static_cast<std::int32_t>(box_.items.size()); }
    const std::u16string& item(std::int32_t index) const;  // std::out_of_range outside the list
    std::int32_t selected() const { return box_.value; }    // -1: none
    void select(std::int32_t index);                        // -1 clears; outside the list: none

    // Inserts at the sorted place, before any entry equal to it ignoring case, and
    // returns that place. The selected entry stays selected.
    std::int32_t add(const std::u16string& text);
    void remove(std::int32_t index);
    // Replaces the text in place; the list is not re-sorted.
    void setItem(std::int32_t index, const std::u16string& text);

private:
    Control& box_;
};

}  // namespace sw::ui
