#pragma once
// Drawing resources of the views: fonts made once per window and freed with it,
// colours and geometry converted from the models' units.
#include <windows.h>

#include <cstdint>
#include <map>
#include <tuple>

#include "ui/window_model.h"

namespace sw::win {

// 0x00BBGGRR, or a system colour when the high bit is set.
inline COLORREF nativeColour(std::uint32_t colour) {
    return (colour & 0x80000000u) ? GetSysColor(static_cast<int>(colour & 0xFFu)) : colour & 0xFFFFFFu;
}

// 15 twips to a pixel at 96 dpi.
inline int pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// The monitor's dots per inch for a window: per window where Windows tells it,
// else the screen's.
int dpiFor(HWND window);

// Every font a window's controls ask for, created on first use and deleted when
// the cache goes (after the window: a control must never hold a deleted font).
class FontCache {
public:
    explicit FontCache(int dpi);
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The window's default font where the face or size is left open.
    HFONT get(const ui::Font& font);

private:
    int dpi_;
    LOGFONTW base_{};
    std::map<std::tuple<std::u16string, int, bool, bool>, HFONT> fonts_;
};

}  // namespace sw::win
