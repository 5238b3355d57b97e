// What the user does in a model's window, handed to the model.
#include "win32/views/model_view.h"

#include <optional>

namespace sw::win {
namespace {

using ui::ControlKind;
using ui::Key;

struct KeyPress {
    Key key;
    char16_t character = 0;
};

std::optional<KeyPress> keyOf(WPARAM virtualKey, bool shift) {
    switch (virtualKey) {
        case VK_RETURN: return KeyPress{Key::enter};
        case VK_ESCAPE: return KeyPress{Key::escape};
        case VK_TAB: return KeyPress{Key::tab};
        case VK_SPACE: return KeyPress{Key::space};
        case VK_LEFT: return KeyPress{Key::left};
        case VK_RIGHT: return KeyPress{Key::right};
        case VK_UP: return KeyPress{Key::up};
        case VK_DOWN: return KeyPress{Key::down};
        case VK_HOME: return KeyPress{Key::home};
        case VK_END: return KeyPress{Key::end};
        case VK_PRIOR: return KeyPress{Key::pageUp};
        case VK_NEXT: return KeyPress{Key::pageDown};
        case VK_DELETE: return KeyPress{Key::deleteKey};
        case VK_F4: return KeyPress{Key::f4};
        case VK_APPS: return KeyPress{Key::contextMenu};
        case VK_F10:
            if (shift) return KeyPress{Key::contextMenu};
            return std::nullopt;
        default: break;
    }
    // Letters and digits: the virtual key is the character itself.
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return KeyPress{Key::character, static_cast<char16_t>(virtualKey)};
    return std::nullopt;
}

bool pressed(int virtualKey) { return GetKeyState(virtualKey) < 0; }

int rowAt(HWND list, const ui::Grid& grid, POINT at) {
    LVHITTESTINFO hit{};
    hit.pt = at;
    return gridRow(grid, ListView_SubItemHitTest(list, &hit));
}

}  // namespace

LRESULT CALLBACK ModelView::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        if (auto* view = reinterpret_cast<ModelView*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
            return view->handle(window, message, wParam, lParam);
        return DefWindowProcW(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

bool ModelView::keyToModel(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    const bool shift = pressed(VK_SHIFT);
    const std::optional<KeyPress> press = keyOf(message.wParam, shift);
    if (!press) return false;
    const ui::KeyModifiers mods{shift, pressed(VK_CONTROL), message.message == WM_SYSKEYDOWN || pressed(VK_MENU)};
    bool taken = false;
    forward([&] { taken = model_.keyDown(press->key, mods, press->character); });
    return taken || failure_;
}

LRESULT ModelView::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: return command(wParam, lParam);
        case WM_NOTIFY: return notify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM: drawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_CONTEXTMENU:
            // From the mouse the list view has already told of the press.
            if (lParam == -1) keyboardContextMenu(reinterpret_cast<HWND>(wParam));
            return 0;
        default: break;
    }
    if (window == window_) {
        switch (message) {
            case WM_CLOSE: forward([&] { model_.closeRequested(); }); return 0;
            case WM_ACTIVATE:
                if (LOWORD(wParam) != WA_INACTIVE) {
                    if (!shown_) break;
                    forward([&] { model_.activated(); });
                    syncFocus();
                    return 0;
                }
                break;
            default: break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ModelView::command(WPARAM wParam, LPARAM lParam) {
    const WORD code = HIWORD(wParam);
    if (lParam == 0) {
        if (code == 0) forward([&] { model_.menuChosen(static_cast<ui::ControlId>(LOWORD(wParam)) - controlIdBase); });
        return 0;
    }
    HWND from = reinterpret_cast<HWND>(lParam);
    const ui::ControlId id = idOf(from);
    if (id == ui::noControl) return 0;
    switch (model_.control(id).kind) {
        case ControlKind::pushButton:
        case ControlKind::checkBox:
        case ControlKind::linkLabel:
            if (code == BN_CLICKED) forward([&] { model_.click(id); });
            if (code == BN_DOUBLECLICKED) forward([&] { model_.doubleClick(id); });
            break;
        case ControlKind::listBox:
            if (code == LBN_SELCHANGE) {
                const int index = static_cast<int>(SendMessageW(from, LB_GETCURSEL, 0, 0));
                forward([&] { model_.selectionChanged(id, index); });
            }
            if (code == LBN_DBLCLK) forward([&] { model_.doubleClick(id); });
            break;
        case ControlKind::textField:
            if (code == EN_CHANGE) {
                std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(from)) + 1, L'\0');
                text.resize(static_cast<std::size_t>(GetWindowTextW(from, text.data(), static_cast<int>(text.size()))));
                forward([&] { model_.textChanged(id, std::u16string(text.begin(), text.end())); });
            }
            break;
        default: break;
    }
    return 0;
}

LRESULT ModelView::notify(NMHDR& header) {
    if (header.code == TTN_GETDISPINFOW) {
        // A tab strip's tooltip asks for the text of tab idFrom.
        for (const auto& [id, native] : natives_)
            if (native.drawn && native.drawn->kind == ControlKind::tabStrip &&
                reinterpret_cast<HWND>(SendMessageW(native.window, TCM_GETTOOLTIPS, 0, 0)) == header.hwndFrom &&
                header.idFrom < native.drawn->tabs.size()) {
                auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
                info.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(
                    native.drawn->tabs[header.idFrom].tooltip.c_str()));
            }
        return 0;
    }
    const ui::ControlId id = idOf(header.hwndFrom);
    const ui::Control* shown = drawn(id);
    if (!shown) return 0;
    switch (shown->kind) {
        case ControlKind::grid:
            switch (header.code) {
                case NM_CUSTOMDRAW: return drawGridCell(shown->grid, reinterpret_cast<NMLVCUSTOMDRAW&>(header));
                case NM_CLICK:
                case NM_RCLICK: {
                    const int row = rowAt(header.hwndFrom, shown->grid, reinterpret_cast<NMITEMACTIVATE&>(header).ptAction);
                    const auto button = header.code == NM_CLICK ? ui::MouseButton::left : ui::MouseButton::right;
                    forward([&] { model_.mouseDown(id, button, row); });
                    return 0;
                }
                case NM_DBLCLK: forward([&] { model_.doubleClick(id); }); return 0;
                default: return 0;
            }
        case ControlKind::tabStrip:
            if (header.code == TCN_SELCHANGE) {
                const int index = TabCtrl_GetCurSel(header.hwndFrom);
                forward([&] { model_.selectionChanged(id, index); });
            }
            return 0;
        case ControlKind::upDown:
            if (header.code == UDN_DELTAPOS) {
                const int delta = reinterpret_cast<NMUPDOWN&>(header).iDelta > 0 ? 1 : -1;
                forward([&] { model_.spin(id, delta); });
                return TRUE;  // the model sets the position
            }
            return 0;
        default: return 0;
    }
}

void ModelView::keyboardContextMenu(HWND target) {
    const ui::ControlId id = idOf(target);
    const ui::Control* shown = drawn(id);
    if (!shown) return;
    // The key acts as a right press on the focused row.
    int row = -1;
    if (shown->kind == ControlKind::grid)
        row = gridRow(shown->grid, ListView_GetNextItem(natives_.at(id).window, -1, LVNI_FOCUSED));
    forward([&] { model_.mouseDown(id, ui::MouseButton::right, row); });
}

LRESULT ModelView::colourStatic(HDC dc, HWND control) {
    if (const ui::Control* shown = drawn(idOf(control))) SetTextColor(dc, nativeColour(shown->foreColor));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));  // a system brush: never deleted
}

void ModelView::drawPicture(const DRAWITEMSTRUCT& item) {
    const ui::Control* shown = drawn(idOf(item.hwndItem));
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (!shown || shown->icon != ui::SystemIcon::question) return;
    // A shared system icon: drawn, never destroyed. Its corner sits on the box's corner.
    const int size = MulDiv(32, dpi_, 96);
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_QUESTION)),
               size, size, 0, nullptr, DI_NORMAL);
}

}  // namespace sw::win
