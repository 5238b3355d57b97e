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

}  // namespace

ScreenUser::ScreenUser() : uiThread_(GetCurrentThreadId()), thread_([this] { watch(); }) {}

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
    while (!stop_) {
        HWND box = nullptr;
        EnumThreadWindows(uiThread_, firstDialog, reinterpret_cast<LPARAM>(&box));
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
