#pragma once
// Reading an add-in window as a user sees it, from the screen user's thread: its
// controls by the model's ids, list-view texts and the colour each cell is drawn in.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ui/window_model.h"

namespace sw::test::win {

HWND controlWindow(HWND window, ui::ControlId id);
std::u16string textOf(HWND control);
bool shown(HWND control);  // visible, its containers too

struct GridSeen {
    std::vector<std::u16string> header;
    std::vector<std::vector<std::u16string>> rows;
    std::vector<std::vector<COLORREF>> colours;  // as the view answers the list view's custom draw
};
GridSeen readGrid(HWND list);

// Posts a left click to a button or check box.
void press(HWND control);

// The window as it is on the screen, title bar included, and `margin` pixels more
// to the right and below (for a menu that opens over its edge), as a 24-bit BMP.
bool saveBitmap(HWND window, const std::filesystem::path& file, int margin = 0);

}  // namespace sw::test::win
