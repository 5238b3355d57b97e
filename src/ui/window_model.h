#pragma once
// The one shape of every window model. A view draws any WindowModel from this data
// and forwards the user's input to its virtual methods, then re-reads the model.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sw::ui {
inline namespace interim {

using ControlId = int;
inline constexpr ControlId noControl = -1;

inline constexpr std::uint32_t black = 0x000000, red = 0x0000FF;  // 0x00BBGGRR; high bit: system colour

enum class ControlKind { label, frame, pictureBox, pushButton, checkBox, linkLabel, grid,
                         tabStrip, panel, listBox, textField, upDown };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Font {
    std::u16string face;
    int points = 0;
    bool bold = false;
    bool underline = false;
};

enum class SystemIcon { none, question };
struct Tab {
    std::u16string caption, key, tooltip;
};

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
};

struct Control {
    ControlId id = noControl;
    std::u16string name;
    ControlKind kind = ControlKind::label;
    ControlId container = noControl;
    std::u16string caption;
    Rect rect;
    int tabIndex = 0;
    bool visible = true, enabled = true;
    std::uint32_t foreColor = black;
    Font font;
    std::u16string tooltip;
    bool isDefault = false;
    bool isCancel = false;
    int value = 0;
    int minimum = 0, maximum = 0;
    ControlId buddy = noControl;
    std::vector<std::u16string> items;
    std::vector<Tab> tabs;
    SystemIcon icon = SystemIcon::none;
    std::u16string link;
    int imeMode = 0;
    int selectionStart = 0, selectionLength = 0;

    bool takesFocus() const;
};

std::vector<Control> controlsFrom(std::span<const ControlSpec> table);

struct MenuItem {
    ControlId id = noControl;
    std::u16string caption;
    std::u16string shortcut;
    bool enabled = true;
    std::vector<MenuItem> items;
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
    int clientWidth = 0, clientHeight = 0;
    int outerWidth = 0, outerHeight = 0;
    bool topmost = false;
    bool centred = true;
    bool closeBox = true;
    bool inTaskbar = false;
};

class WindowModel {
public:
    virtual ~WindowModel() = default;

    virtual std::u16string title() const = 0;
    virtual WindowFrame frame() const = 0;
    const std::vector<Control>& controls() const { return controls_; }
    const Control& control(ControlId id) const;
    ControlId focus() const { return focus_; }
    bool visible() const { return visible_; }
    virtual const std::vector<MenuItem>& menuBar() const;
    const std::optional<PopupRequest>& popup() const { return popup_; }

    virtual void click(ControlId id);
    virtual void doubleClick(ControlId id);
    virtual bool keyDown(Key key, KeyModifiers mods, char16_t character = 0);
    virtual void focusChanged(ControlId id);
    virtual void textChanged(ControlId id, const std::u16string& text);
    virtual void selectionChanged(ControlId id, int index);
    virtual void spin(ControlId id, int delta);
    virtual void mouseDown(ControlId id, MouseButton button, int row);
    virtual void menuChosen(ControlId item);
    virtual void popupDismissed();
    virtual void activated();
    virtual void closeRequested() = 0;

    std::vector<ControlId> tabStops() const;

protected:
    Control& mutableControl(ControlId id);
    std::vector<Control> controls_;
    ControlId focus_ = noControl;
    bool visible_ = false;
    std::optional<PopupRequest> popup_;
};

}  // namespace interim
}  // namespace sw::ui
