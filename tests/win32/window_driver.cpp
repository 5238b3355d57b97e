#include "win32/window_driver.h"

#include "win32/dialog_reader.h"

namespace sw::test::win {
namespace {

struct Search {
    const wchar_t* className;
    HWND except;
    HWND found = nullptr;
};

BOOL CALLBACK findShown(HWND window, LPARAM data) {
    auto& s = *reinterpret_cast<Search*>(data);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (window == s.except || lstrcmpW(className, s.className) != 0 || !IsWindowVisible(window) ||
        !IsWindowEnabled(window))
        return TRUE;
    s.found = window;
    return FALSE;
}

HWND shownWindow(DWORD thread, const wchar_t* className, HWND except = nullptr) {
    Search s{className, except};
    EnumThreadWindows(thread, findShown, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace

WindowDriver::WindowDriver(HWND first) : first_(first), thread_(GetWindowThreadProcessId(first, nullptr)) {}

HWND WindowDriver::control(HWND window, ui::ControlId id) const {
    HWND found = controlWindow(window, id);
    if (!found) throw Stuck("no control " + std::to_string(id));
    return found;
}

bool WindowDriver::waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

void WindowDriver::expect(const std::function<bool()>& condition, const std::string& what) {
    if (waitFor(condition)) return;
    problem(what);
    throw Stuck(what);
}

HWND WindowDriver::topWindow(HWND except) {
    HWND found = nullptr;
    expect([&] { return (found = shownWindow(thread_, L"SendwardenWindow", except)) != nullptr; }, "no window came up");
    return found;
}

void WindowDriver::answerBox(int button) {
    HWND box = nullptr;
    expect([&] { return (box = shownWindow(thread_, L"#32770")) != nullptr; }, "no message box came up");
    boxes.push_back(boxMessage(box));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    expect([&] { return !IsWindow(box) || !IsWindowVisible(box); }, "the message box stayed");
}

void WindowDriver::press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void WindowDriver::clickAt(HWND control, POINT at, bool twice) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(control, WM_LBUTTONUP, 0, where);
    if (!twice) return;
    PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageW(control, WM_LBUTTONUP, 0, where);
}

void WindowDriver::rightClickAt(HWND control, POINT at) {
    POINT screen = at;
    ClientToScreen(control, &screen);
    SetCursorPos(screen.x, screen.y);  // the menu opens at the pointer
    PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(control, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

void WindowDriver::keys(const std::vector<WORD>& chord) {
    std::vector<INPUT> input;
    for (WORD key : chord) input.push_back(INPUT{.type = INPUT_KEYBOARD, .ki = {.wVk = key}});
    for (auto key = chord.rbegin(); key != chord.rend(); ++key)
        input.push_back(INPUT{.type = INPUT_KEYBOARD, .ki = {.wVk = *key, .dwFlags = KEYEVENTF_KEYUP}});
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void WindowDriver::typeText(HWND field, const std::u16string& text) {
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void WindowDriver::closeAll() {
    for (int i = 0; i < 5; ++i) {
        if (HWND box = shownWindow(thread_, L"#32770")) PostMessageW(box, WM_CLOSE, 0, 0);
        HWND top = shownWindow(thread_, L"SendwardenWindow");
        if (!top) return;
        PostMessageW(top, WM_CLOSE, 0, 0);
        waitFor([&] { return !IsWindowVisible(top); });
    }
}

}  // namespace sw::test::win
