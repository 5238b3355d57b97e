#include "win32/views/model_view.h"

#include <algorithm>
#include <stdexcept>

#include "win32/handles.h"
#include "win32/module.h"
#include "win32/views/link_control.h"
#include "win32/win_ports.h"

namespace sw::win {
namespace {

// The classes live while a view does: a DLL unloaded later leaves no class behind
// that points into it.
int liveViews = 0;

void registerClasses(HINSTANCE module) {
    if (liveViews++ > 0) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = ModelView::windowProc;
    c.hInstance = module;
    c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = windowClassName;
    RegisterClassExW(&c);
    registerLinkClass(module);
}

void unregisterClasses(HINSTANCE module) {
    if (--liveViews > 0) return;
    UnregisterClassW(windowClassName, module);
    unregisterLinkClass(module);
}

bool sameMenus(const std::vector<ui::MenuItem>& a, const std::vector<ui::MenuItem>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ui::MenuItem& x, const ui::MenuItem& y) {
        return x.id == y.id && x.caption == y.caption && x.shortcut == y.shortcut && x.enabled == y.enabled &&
               sameMenus(x.items, y.items);
    });
}

void appendItems(HMENU menu, const std::vector<ui::MenuItem>& items) {
    for (const ui::MenuItem& item : items) {
        std::u16string text = item.caption;
        if (!item.shortcut.empty()) text += u"\t" + item.shortcut;
        const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
        if (text == u"-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.items.empty()) {
            HMENU sub = CreatePopupMenu();
            appendItems(sub, item.items);
            AppendMenuW(menu, MF_STRING | MF_POPUP | state, reinterpret_cast<UINT_PTR>(sub), wide(text));
        } else {
            AppendMenuW(menu, MF_STRING | state, static_cast<UINT_PTR>(nativeId(item.id)), wide(text));
        }
    }
}

// The thread's other windows, disabled while a modal window shows, as a dialog does.
struct Disabled {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK disableOne(HWND window, LPARAM data) {
    auto& d = *reinterpret_cast<Disabled*>(data);
    if (window != d.except && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        d.windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

ModelView::ModelView(ui::WindowModel& model) : model_(model), module_(thisModule()) { registerClasses(module_); }

ModelView::~ModelView() {
    if (window_) DestroyWindow(window_);  // children and menu bar with it
    if (hiddenOwner_) DestroyWindow(hiddenOwner_);
    fonts_.reset();  // after the controls that used them
    unregisterClasses(module_);
}

void ModelView::build() {
    const ui::WindowFrame frame = model_.frame();
    owner_ = GetActiveWindow();
    if (!owner_ && !frame.inTaskbar) {
        // An owned window stays out of the task bar; with no window to own it, a hidden one does.
        hiddenOwner_ = CreateWindowExW(0, windowClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module_, nullptr);
        owner_ = hiddenOwner_;
    }
    style_ = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (frame.closeBox ? WS_SYSMENU : 0);
    exStyle_ = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (frame.inTaskbar ? WS_EX_APPWINDOW : 0);
    window_ = CreateWindowExW(exStyle_, windowClassName, L"", style_, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner_,
                              nullptr, module_, this);
    if (!window_) throw std::runtime_error("the window could not be created");
    dpi_ = dpiFor(window_);
    fonts_ = std::make_unique<FontCache>(dpi_);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->get({})), FALSE);
}

NativeControl& ModelView::nativeFor(const ui::Control& control) {
    if (auto at = natives_.find(control.id); at != natives_.end()) return at->second;
    // A container is made before what it holds, wherever the table lists it.
    HWND parent = control.container == ui::noControl ? window_
                                                     : nativeFor(model_.control(control.container)).window;
    NativeControl& native = natives_[control.id];
    native.window = createNative(control, parent, module_, this);
    if (!native.window) throw std::runtime_error("a control could not be created");
    return native;
}

ui::ControlId ModelView::idOf(HWND window) const {
    for (HWND at = window; at && at != window_; at = GetParent(at)) {
        const auto found = natives_.find(GetDlgCtrlID(at) - controlIdBase);
        if (found != natives_.end() && found->second.window == at) return found->first;
    }
    return ui::noControl;
}

const ui::Control* ModelView::drawn(ui::ControlId id) const {
    const auto found = natives_.find(id);
    return found != natives_.end() && found->second.drawn ? &*found->second.drawn : nullptr;
}

void ModelView::sync() {
    if (syncing_) return;
    syncing_ = true;
    try {
        if (const std::u16string title = model_.title(); title != title_) {
            SetWindowTextW(window_, wide(title));
            title_ = title;
        }
        syncMenuBar();
        syncFrame();
        for (const ui::Control& c : model_.controls()) update(nativeFor(c), c, *fonts_, dpi_);
        syncFocus();
    } catch (...) {
        failure_ = std::current_exception();
    }
    syncing_ = false;
    if (model_.popup() && model_.visible() && !failure_) showPopup();
}

void ModelView::syncMenuBar() {
    const std::vector<ui::MenuItem>& items = model_.menuBar();
    if (frame_ && sameMenus(items, menuBar_)) return;
    HMENU bar = nullptr;
    if (!items.empty()) {
        bar = CreateMenu();
        appendItems(bar, items);
    }
    HMENU old = GetMenu(window_);
    SetMenu(window_, bar);
    if (old) DestroyMenu(old);
    menuBar_ = items;
    if (hasMenu_ != (bar != nullptr)) frame_.reset();  // the client area changes size
    hasMenu_ = bar != nullptr;
}

void ModelView::syncFrame() {
    const ui::WindowFrame f = model_.frame();
    const bool resized = !frame_ || f.clientWidth != frame_->clientWidth || f.clientHeight != frame_->clientHeight ||
                         f.outerWidth != frame_->outerWidth || f.outerHeight != frame_->outerHeight;
    if (resized) {
        RECT outer{0, 0, pixels(f.clientWidth, dpi_), pixels(f.clientHeight, dpi_)};
        AdjustWindowRectEx(&outer, style_, hasMenu_, exStyle_);
        const int width = f.outerWidth > 0 ? pixels(f.outerWidth, dpi_) : outer.right - outer.left;
        const int height = f.outerHeight > 0 ? pixels(f.outerHeight, dpi_) : outer.bottom - outer.top;
        RECT placed;
        GetWindowRect(window_, &placed);
        int x = placed.left, y = placed.top;
        if (f.centred && !shown_) {
            MONITORINFO monitor{sizeof monitor};
            GetMonitorInfoW(MonitorFromWindow(owner_ ? owner_ : window_, MONITOR_DEFAULTTONEAREST), &monitor);
            const RECT& area = monitor.rcWork;
            x = area.left + (area.right - area.left - width) / 2;
            y = area.top + (area.bottom - area.top - height) / 2;
        }
        SetWindowPos(window_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!frame_ || f.topmost != frame_->topmost)
        SetWindowPos(window_, f.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    frame_ = f;
}

void ModelView::syncFocus() {
    if (!shown_ || model_.focus() == ui::noControl) return;
    const auto found = natives_.find(model_.focus());
    if (found == natives_.end() || !IsWindowVisible(found->second.window)) return;
    if (GetFocus() != found->second.window) SetFocus(found->second.window);
    noticeFocus();
}

void ModelView::noticeFocus() {
    HWND now = GetFocus();
    if (now == focusSeen_) return;
    focusSeen_ = now;
    const ui::ControlId id = idOf(now);
    if (const ui::Control* shown = drawn(id); shown && shown->kind == ui::ControlKind::textField)
        applyInputMethod(now, shown->imeMode);
    if (id != ui::noControl && id != model_.focus()) forward([&] { model_.focusChanged(id); });
}

void ModelView::showPopup() {
    const ui::PopupRequest request = *model_.popup();
    HMENU menu = CreatePopupMenu();
    appendItems(menu, request.items);
    POINT at{};
    GetCursorPos(&at);
    // From the keyboard the pointer may be anywhere: the menu then opens on the control.
    if (const auto over = natives_.find(request.over); over != natives_.end()) {
        RECT area;
        GetWindowRect(over->second.window, &area);
        if (!PtInRect(&area, at)) at = {area.left + 8, area.top + 8};
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                           at.x, at.y, window_, nullptr));
    DestroyMenu(menu);
    if (chosen) forward([&] { model_.menuChosen(static_cast<ui::ControlId>(chosen) - controlIdBase); });
    else forward([&] { model_.popupDismissed(); });
}

void ModelView::runModal() {
    build();
    sync();
    Disabled disabled{window_, {}};
    EnumThreadWindows(GetCurrentThreadId(), disableOne, reinterpret_cast<LPARAM>(&disabled));
    ShowWindow(window_, SW_SHOW);
    shown_ = true;
    sync();
    MSG message;
    while (model_.visible() && !failure_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The thread is ending: hand the quit on to the loop outside, after closing.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            forward([&] { model_.closeRequested(); });
            break;
        }
        if (!keyToModel(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        noticeFocus();
    }
    // Enabled before hiding, so that the activation goes back to the window below.
    for (HWND w : disabled.windows)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    ShowWindow(window_, SW_HIDE);
    if (failure_) std::rethrow_exception(failure_);
}

void WinWindows::showModal(ui::WindowModel& window) {
    ModelView view(window);
    view.runModal();
}

}  // namespace sw::win
