#pragma once
// The native view of any window model: builds a window from the model's control
// table, forwards every key, click, focus change and close to the model, and after
// each forwarded call brings the window back in line with the model. No rule of
// behaviour lives here: Enter, Escape, Tab and access keys are the model's.
#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ui/window_model.h"
#include "win32/views/gdi.h"
#include "win32/views/native_controls.h"

namespace sw::win {

class ModelView {
public:
    explicit ModelView(ui::WindowModel& model);
    ~ModelView();
    ModelView(const ModelView&) = delete;
    ModelView& operator=(const ModelView&) = delete;

    // Shows the window modally, the thread's other windows disabled, and returns
    // when the model turns invisible (or the thread is told to quit). What a model
    // handler threw ends the loop and is thrown from here.
    void runModal();

    // One window procedure for the window and its frames; it catches everything.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT command(WPARAM wParam, LPARAM lParam);
    LRESULT notify(NMHDR& header);
    LRESULT colourStatic(HDC dc, HWND control);
    void drawPicture(const DRAWITEMSTRUCT& item);
    void keyboardContextMenu(HWND target);

    // Every key reaches the model first; true when it took it.
    bool keyToModel(const MSG& message);
    // Calls the model, then redraws from it; a closed window takes no more input.
    template <class Call>
    void forward(Call&& call);
    void sync();
    void syncFrame();
    void syncMenuBar();
    void syncFocus();
    void showPopup();
    void noticeFocus();

    void build();
    NativeControl& nativeFor(const ui::Control& control);
    ui::ControlId idOf(HWND window) const;
    const ui::Control* drawn(ui::ControlId id) const;

    ui::WindowModel& model_;
    HINSTANCE module_;
    HWND owner_ = nullptr, hiddenOwner_ = nullptr, window_ = nullptr;
    DWORD style_ = 0, exStyle_ = 0;
    int dpi_ = 96;
    std::unique_ptr<FontCache> fonts_;
    std::map<ui::ControlId, NativeControl> natives_;
    std::optional<ui::WindowFrame> frame_;
    bool hasMenu_ = false;
    std::vector<ui::MenuItem> menuBar_;
    std::u16string title_;
    HWND focusSeen_ = nullptr;
    bool syncing_ = false, shown_ = false;
    std::exception_ptr failure_;
};

}  // namespace sw::win

namespace sw::win {

template <class Call>
void ModelView::forward(Call&& call) {
    if (syncing_ || failure_ || !model_.visible()) return;
    try {
        call();
    } catch (...) {
        failure_ = std::current_exception();
        PostMessageW(window_, WM_NULL, 0, 0);  // wakes the loop to end it
        return;
    }
    sync();
}

}  // namespace sw::win
