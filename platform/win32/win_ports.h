#pragma once
// The small ports on Windows: clock, message boxes, shell, and the windows port.
#include "platform.h"

namespace sw::win {

class WinClock : public Clock {
public:
    LocalDateTime now() override;
};

// Modal to Outlook's active window.
class WinMessageBoxes : public MessageBoxes {
public:
    int show(const std::u16string& text, const std::u16string& title, int style) override;
};

class WinShell : public Shell {
public:
    void openUrl(const std::u16string& url) override;
};

// Every window model as a native modal window (views/model_view.h).
class WinWindows : public Windows {
public:
    void showModal(ui::WindowModel& window) override;
};

}  // namespace sw::win
