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

// Until the native views exist no window can be shown: the send stops at the
// confirmation window with an error report, so a mail never leaves unconfirmed.
class UnavailableWindows : public Windows {
public:
    void showModal(ui::WindowModel& window) override;
};

}  // namespace sw::win
