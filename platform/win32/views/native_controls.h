#pragma once
// One native control per model control: created by its kind, then kept equal to
// the model's row by touching only what changed since it was last drawn.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "ui/window_model.h"
#include "win32/views/gdi.h"

namespace sw::win {

// The child window id of a model control; menu commands are numbered the same way.
inline constexpr int controlIdBase = 100;
inline int nativeId(ui::ControlId id) { return id + controlIdBase; }

inline constexpr wchar_t windowClassName[] = L"SendwardenWindow";  // windows and their frames

struct NativeControl {
    HWND window = nullptr;
    std::optional<ui::Control> drawn;  // what the window shows; none before the first update
};

// Hidden until the first update; `parent` is the window or the container's window.
HWND createNative(const ui::Control& control, HWND parent, HINSTANCE module, void* view);

// The geometry is given in pixels by the caller: containers are native parents.
void update(NativeControl& native, const ui::Control& control, FontCache& fonts, int dpi);

// A text field's input method as the model asks when the field takes the focus:
// 1 switched on, 2 off, 0 left as the user had it.
void applyInputMethod(HWND field, int mode);

// A grid cell's text colour as the list view draws it, for its custom-draw notification.
LRESULT drawGridCell(const ui::Grid& grid, NMLVCUSTOMDRAW& draw);

// The grid row (the header is row 0) of a list-view item; -1 for none.
int gridRow(const ui::Grid& grid, int item);

}  // namespace sw::win
