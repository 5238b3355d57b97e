#include "sim/recorded_message_boxes.h"

#include <vector>

namespace sw::sim {

int defaultAnswer(int style) {
    // Buttons of each box type, by answer code (IDOK 1, IDCANCEL 2, IDABORT 3,
    // IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7); MB_DEFBUTTONn picks among them.
    static const std::vector<std::vector<int>> buttons = {
        {1}, {1, 2}, {3, 4, 5}, {6, 7, 2}, {6, 7}, {4, 2}};
    const std::size_t type = static_cast<std::size_t>(style & 0x0F);
    const std::size_t pick = static_cast<std::size_t>((style >> 8) & 0x0F);
    if (type >= buttons.size()) return 1;
    const auto& row = buttons[type];
    return row[pick < row.size() ? pick : 0];
}

int RecordedMessageBoxes::show(const std::u16string& text, const std::u16string& title, int style) {
    shown.push_back({title, text, style});
    if (onShow) onShow(shown.back());
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return defaultAnswer(style);
}

}  // namespace sw::sim
