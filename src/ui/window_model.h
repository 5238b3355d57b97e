#pragma once
// The one shape of every window: its controls as data, its focus and its menus, and
// the user's input as virtual methods. A platform view draws any WindowModel from
// this data alone, forwards input, and re-reads the whole model after each call.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ui/colours.h"
#include "ui/controls/grid.h"

namespace sw::ui {

using ControlId = int;  // the window's own enumeration value
inline constexpr ControlId noControl = -1;

enum class ControlKind { label, frame, pictureBox, pushButton, checkBox, linkLabel, grid,
                         tabStrip, panel, listBox, textField, upDown };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container
    friend bool operator==(const Rect&, const Rect&) = default;
};

// face empty / points 0: the window's default font
struct Font {
    std::u16string face;
    int points = 0;
    bool bold = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class SystemIcon { none, question };

struct Tab {
    std::u16string caption, key, tooltip;
};

// One row of a window's design table: written once per window as a static table,
// indexed by the window's enum.
struct ControlSpec {
    ControlId id;
    const char16_t* name;
    ControlKind kind;
    ControlId container;
    const char16_t* caption;
    Rect rect;
    int tabIndex;
    std::uint32_t foreColor = black;
    bool bold = false;
    const char16_t* fontFace = u"";
    int fontPoints = 0;
    bool isDefault = false;
    bool isCancel = false;
};

// A control: its design row plus its live state. Everything a view needs to draw it.
struct Control {
    ControlId id = noControl;
    std::u16string name;                 // "cmdOK", "lstWord(1)": the window's own vocabulary
    ControlKind kind = ControlKind::label;
    ControlId container = noControl;     // noControl: the window's client area
    std::u16string caption;              // caption, or a text field's text; "&" marks the access key
    Rect rect;
    int tabIndex = 0;
    bool visible = true, enabled = true;
    std::uint32_t foreColor = black;
    Font font;
    std::u16string tooltip;
    bool isDefault = false;              // Enter presses it unless a push button has the focus
    bool isCancel = false;               // Escape presses it
    int value = 0;                       // check box 0/1; up-down position; tab strip: selected tab, 0-based;
                                         // list box: selected index, -1 none
    int minimum = 0, maximum = 0;        // up-down range
    ControlId buddy = noControl;         // up-down: the text field it writes
    std::vector<std::u16string> items;   // list box entries in display order
    std::vector<Tab> tabs;               // tab strip
    SystemIcon icon = SystemIcon::none;  // picture box
    std::u16string link;                 // link label target
    int imeMode = 0;                     // text field input method: 0 untouched, 1 on, 2 off
    int selectionStart = 0, selectionLength = 0;  // text field
    Grid grid;                           // grids only

    bool takesFocus() const;             // by kind: labels, frames and panels never do
    bool takesCharacters() const;        // typed letters are its input, not access keys
    char16_t accessKey() const;          // the lower-case letter after "&", 0 for none
};

std::vector<Control> controlsFrom(std::span<const ControlSpec> table);

struct MenuItem {
    ControlId id = noControl;            // from the window's enum
    std::u16string caption;              // "&" marks the access key
    std::u16string shortcut;             // shown only, e.g. u"Ctrl+F4"; the model handles the key
    bool enabled = true;
    std::vector<MenuItem> items;         // submenu
};

struct PopupRequest {
    std::vector<MenuItem> items;
    ControlId over = noControl;
};

enum class Key { enter, escape, tab, space, left, right, up, down, home, end, pageUp, pageDown,
                 deleteKey, f4, contextMenu, character };

struct KeyModifiers {
    bool shift = false, ctrl = false, alt = false;
};

enum class MouseButton { left = 1, right = 2, middle = 4 };

struct WindowFrame {
    int clientWidth = 0, clientHeight = 0;  // twips
    int outerWidth = 0, outerHeight = 0;    // twips; 0 = follows the client size
    bool topmost = false;
    bool centred = true;
    bool closeBox = true;
    bool inTaskbar = false;
};

class WindowModel {
public:
    virtual ~WindowModel() = default;

    // --- what a view draws ---
    virtual std::u16string title() const = 0;
    virtual WindowFrame frame() const = 0;
    const std::vector<Control>& controls() const { return controls_; }
    const Control& control(ControlId id) const;  // std::out_of_range for an unknown id
    ControlId focus() const { return focus_; }
    bool visible() const { return visible_; }    // the modal loop runs while true
    virtual const std::vector<MenuItem>& menuBar() const;  // empty: no menu bar
    const std::optional<PopupRequest>& popup() const { return popup_; }  // a context menu to show now

    // --- what a view forwards; each returns after the model has changed its state ---
    virtual void click(ControlId id);  // button, check box, link label (default: nothing)
    virtual void doubleClick(ControlId id);
    // Every key goes to the model first. true: consumed, the view does nothing more;
    // false: the native control handles it (typing into a text field, arrows in a list).
    // The default is the standard dialog keyboard: Tab/Shift+Tab along tabStops(),
    // Enter presses the focused push button else the isDefault one, Escape the isCancel
    // one, Space clicks a focused button or check box, Alt+letter (or the letter alone
    // where the focus takes no text) acts on the control whose caption marks it ("&O").
    virtual bool keyDown(Key key, KeyModifiers mods, char16_t character = 0);
    virtual void focusChanged(ControlId id);  // the user put the focus there
    virtual void textChanged(ControlId id, const std::u16string& text);
    virtual void selectionChanged(ControlId id, int index);  // list row or tab, -1 none
    virtual void spin(ControlId id, int delta);              // up-down arrows, +1 / -1
    virtual void mouseDown(ControlId id, MouseButton button, int row);  // grid row under the pointer, -1 none
    virtual void menuChosen(ControlId item);  // menu bar or popup item; clears popup()
    virtual void popupDismissed();            // clears popup()
    virtual void activated();                 // the window became the active one
    virtual void closeRequested() = 0;        // title-bar close, Alt+F4

    // The controls that take the focus now (visible and enabled, containers too), in tab order.
    std::vector<ControlId> tabStops() const;
    // Visible and enabled, and so is every container around it.
    bool available(ControlId id) const;

protected:
    Control& mutableControl(ControlId id);
    // Focus to the next (or previous) tab stop after the current one, wrapping.
    void moveFocus(bool backwards);
    // Acts on the control whose caption marks `key`; false when none does.
    bool pressAccessKey(char16_t key);

    std::vector<Control> controls_;
    ControlId focus_ = noControl;
    bool visible_ = false;
    std::optional<PopupRequest> popup_;
};

}  // namespace sw::ui
