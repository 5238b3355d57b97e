#include "win32/views/gdi.h"

#include "win32/handles.h"

namespace sw::win {

int dpiFor(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto perWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (perWindow && window) {
        if (const UINT dpi = perWindow(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

FontCache::FontCache(int dpi) : dpi_(dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        base_ = metrics.lfMessageFont;
        // The system reports the font for the system DPI; the window may sit on another monitor.
        const int systemDpi = dpiFor(nullptr);
        base_.lfHeight = MulDiv(base_.lfHeight, dpi_, systemDpi);
    } else {
        base_.lfHeight = -MulDiv(9, dpi_, 72);
        base_.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(base_.lfFaceName, L"Tahoma");
    }
}

FontCache::~FontCache() {
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FontCache::get(const ui::Font& font) {
    const auto key = std::make_tuple(font.face, font.points, font.bold, font.underline);
    if (auto at = fonts_.find(key); at != fonts_.end()) return at->second;
    LOGFONTW f = base_;
    if (font.points > 0) f.lfHeight = -MulDiv(font.points, dpi_, 72);
    if (!font.face.empty() && font.face.size() < LF_FACESIZE) {
        lstrcpynW(f.lfFaceName, wide(font.face), LF_FACESIZE);
        f.lfCharSet = DEFAULT_CHARSET;
    }
    f.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    f.lfUnderline = font.underline ? TRUE : FALSE;
    HFONT made = CreateFontIndirectW(&f);
    if (!made) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // stock: never deleted
    fonts_.emplace(key, made);
    return made;
}

}  // namespace sw::win
