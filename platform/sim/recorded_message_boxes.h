#pragma once
// Message boxes answered without a person: each is recorded and answered with
// the box's default button (or a queued answer), as a test or script needs.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform.h"

namespace sw::sim {

struct ShownMessage {
    std::u16string title;
    std::u16string text;
    int style = 0;
};

class RecordedMessageBoxes : public MessageBoxes {
public:
    int show(const std::u16string& text, const std::u16string& title, int style) override;

    std::vector<ShownMessage> shown;
    std::deque<int> answers;  // taken first; otherwise the default button answers
    std::function<void(const ShownMessage&)> onShow;  // e.g. to print it as it appears
};

// The answer of a box's first (default) button for a Windows message-box style.
int defaultAnswer(int style);

}  // namespace sw::sim
