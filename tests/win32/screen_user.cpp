#include "win32/screen_user.h"

#include <chrono>

namespace sw::test::win {
namespace {

std::u16string windowText(HWND window) {
    wchar_t buffer[4096] = {};
    const int length = GetWindowTextW(window, buffer, 4096);
    return {reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(length)};
}

BOOL CALLBACK longestStatic(HWND child, LPARAM out) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    auto& text = *reinterpret_cast<std::u16string*>(out);
    if (lstrcmpiW(className, L"Static") == 0) {
        std::u16string t = windowText(child);
        if (t.size() > text.size()) text = std::move(t);
    }
    return TRUE;
}

BOOL CALLBACK firstDialog(HWND window, LPARAM out) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK firstAddInWindow(HWND window, LPARAM out) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, L"SendwardenWindow") == 0 && IsWindowVisible(window) && IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(out) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void ScreenUser::closeWindow(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

ScreenUser::ScreenUser(WindowAction onWindow)
    : uiThread_(GetCurrentThreadId()), onWindow_(std::move(onWindow)), thread_([this] { watch(); }) {}

ScreenUser::~ScreenUser() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenBox> ScreenUser::boxes() {
    std::lock_guard lock(mutex_);
    return boxes_;
}

void ScreenUser::watch() {
    using namespace std::chrono_literals;
    HWND handled = nullptr;  // the add-in window acted on, until it goes
    while (!stop_) {
        HWND box = nullptr, window = nullptr;
        EnumThreadWindows(uiThread_, firstDialog, reinterpret_cast<LPARAM>(&box));
        if (handled && !(IsWindow(handled) && IsWindowVisible(handled))) handled = nullptr;
        if (!box && !handled) EnumThreadWindows(uiThread_, firstAddInWindow, reinterpret_cast<LPARAM>(&window));
        if (window && onWindow_) {
            handled = window;
            onWindow_(window);
            continue;
        }
        if (!box) {
            std::this_thread::sleep_for(10ms);
            continue;
        }
        SeenBox seen{windowText(box), {}};
        EnumChildWindows(box, longestStatic, reinterpret_cast<LPARAM>(&seen.text));
        {
            std::lock_guard lock(mutex_);
            boxes_.push_back(seen);
        }
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        while (!stop_ && IsWindow(box) && IsWindowVisible(box)) std::this_thread::sleep_for(10ms);
    }
}

}  // namespace sw::test::win
