#pragma once
// A user at the screen: from a second thread, while the add-in's modal loop runs,
// finds every message box the program shows, reads it and presses its OK button,
// and hands each window of the add-in's own to `onWindow` (by default: closes it).
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sw::test::win {

struct SeenBox {
    std::u16string title, text;
};

class ScreenUser {
public:
    using WindowAction = std::function<void(HWND)>;  // acts by posting: the window's thread may block
    static void closeWindow(HWND window);

    explicit ScreenUser(WindowAction onWindow = closeWindow);
    ~ScreenUser();
    ScreenUser(const ScreenUser&) = delete;
    ScreenUser& operator=(const ScreenUser&) = delete;

    std::vector<SeenBox> boxes();

private:
    void watch();

    DWORD uiThread_;
    WindowAction onWindow_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::thread thread_;
};

}  // namespace sw::test::win
