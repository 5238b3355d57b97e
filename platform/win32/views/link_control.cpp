#include "win32/views/link_control.h"

namespace sw::win {
namespace {

// Window extra bytes: the text colour, then the font.
constexpr int colourSlot = 0;
constexpr int fontSlot = sizeof(LONG_PTR);

void notifyParent(HWND link, WORD code) {
    SendMessageW(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), code), reinterpret_cast<LPARAM>(link));
}

void paint(HWND link) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(link, &ps);
    if (!dc) return;
    RECT area;
    GetClientRect(link, &area);
    // The parent picks the background, as it does for its labels.
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    wchar_t text[512] = {};
    const int length = GetWindowTextW(link, text, 512);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrW(link, fontSlot)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(link) ? linkColour(link) : GetSysColor(COLOR_GRAYTEXT));
    RECT textArea = area;
    DrawTextW(dc, text, length, &textArea, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_CALCRECT);
    DrawTextW(dc, text, length, &textArea, DT_LEFT | DT_TOP | DT_SINGLELINE);
    if (GetFocus() == link) {
        InflateRect(&textArea, 1, 0);
        IntersectRect(&textArea, &textArea, &area);
        DrawFocusRect(dc, &textArea);
    }
    SelectObject(dc, oldFont);
    EndPaint(link, &ps);
}

LRESULT handle(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: paint(link); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
            return TRUE;
        case WM_SETFONT:
            SetWindowLongPtrW(link, fontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam)) InvalidateRect(link, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return GetWindowLongPtrW(link, fontSlot);
        case WM_SETTEXT: {
            const LRESULT r = DefWindowProcW(link, message, wParam, lParam);
            InvalidateRect(link, nullptr, TRUE);
            return r;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE: InvalidateRect(link, nullptr, TRUE); return 0;
        case WM_LBUTTONDOWN:
            SetFocus(link);
            SetCapture(link);
            return 0;
        case WM_LBUTTONUP: {
            if (GetCapture() != link) return 0;
            ReleaseCapture();
            RECT area;
            GetClientRect(link, &area);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (PtInRect(&area, at)) notifyParent(link, BN_CLICKED);
            return 0;
        }
        case WM_LBUTTONDBLCLK: notifyParent(link, BN_DOUBLECLICKED); return 0;
        default: return DefWindowProcW(link, message, wParam, lParam);
    }
}

LRESULT CALLBACK linkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return handle(link, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

}  // namespace

bool registerLinkClass(HINSTANCE module) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = linkProc;
    c.cbWndExtra = 2 * sizeof(LONG_PTR);
    c.hInstance = module;
    c.lpszClassName = linkClassName;
    return RegisterClassExW(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void unregisterLinkClass(HINSTANCE module) { UnregisterClassW(linkClassName, module); }

void setLinkColour(HWND link, COLORREF colour) {
    SetWindowLongPtrW(link, colourSlot, static_cast<LONG_PTR>(colour));
    InvalidateRect(link, nullptr, TRUE);
}

COLORREF linkColour(HWND link) { return static_cast<COLORREF>(GetWindowLongPtrW(link, colourSlot)); }

}  // namespace sw::win
