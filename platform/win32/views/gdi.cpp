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
    // The windows were laid out in 9-point "ＭＳ Ｐゴシック": a label sized for two of
    // its lines clips in the taller UI fonts of later Windows versions. Where the
    // face is missing, the Japanese character set leads the mapper to a like one.
    base_.lfHeight = -MulDiv(9, dpi_, 72);
    base_.lfWeight = FW_NORMAL;
    base_.lfCharSet = SHIFTJIS_CHARSET;
    base_.lfQuality = DEFAULT_QUALITY;
    lstrcpyW(base_.lfFaceName, L"ＭＳ Ｐゴシック");
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
