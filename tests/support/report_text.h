#pragma once
// Reading the lines of an error report back out of a message box's text.
#include <string>
#include <vector>

#include "sim/recorded_message_boxes.h"

namespace sw::test {

// The text after `label` on its line ("位置：" gives the position).
inline std::u16string reportField(const std::u16string& text, const std::u16string& label) {
    const auto at = text.find(label);
    if (at == std::u16string::npos) return u"<no " + label + u">";
    const auto start = at + label.size();
    return text.substr(start, text.find(u"\r\n", start) - start);
}

// The position and procedure of the n-th message box shown.
struct ReportReader {
    const std::vector<sim::ShownMessage>& shown;
    std::u16string position(std::size_t n) const { return reportField(shown.at(n).text, u"位置："); }
    std::u16string procedure(std::size_t n) const { return reportField(shown.at(n).text, u"処理名："); }
};

}  // namespace sw::test
