#pragma once
// LinkLabel: one label drawn as a hyperlink that opens a fixed target through the
// shell when clicked. Windows that carry one own it, load its design-time values
// from a property bag, and copy it into their Control row for the views.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "platform.h"
#include "ui/window_model.h"

namespace sw::ui {

namespace colours {
inline constexpr std::uint32_t buttonFace = 0x8000000F;  // system colours: high bit set
inline constexpr std::uint32_t buttonText = 0x80000012;
inline constexpr std::uint32_t blue = 0xFF0000;
}  // namespace colours

inline constexpr std::int32_t handCursor = 32649;  // the system's standard cursor id
inline constexpr std::int32_t customPointer = 99;  // MousePointer: use MouseIcon

using PropertyValue = std::variant<bool, std::int32_t, std::uint32_t, std::u16string, Font>;

// A control's design-time properties, as its container stores them.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    // The stored value, or `defaultValue` when the key is absent.
    virtual PropertyValue read(const std::u16string& key, const PropertyValue& defaultValue) const = 0;
    // Stores the value; a value equal to its default is left out of the bag.
    virtual void write(const std::u16string& key, const PropertyValue& value,
                       const std::optional<PropertyValue>& defaultValue) = 0;
};

class MemoryPropertyBag : public PropertyBag {
public:
    PropertyValue read(const std::u16string& key, const PropertyValue& defaultValue) const override;
    void write(const std::u16string& key, const PropertyValue& value,
               const std::optional<PropertyValue>& defaultValue) override;
    std::map<std::u16string, PropertyValue> values;
};

// Pointer events as the child label raises them: button and shift masks, position
// in container units.
struct MouseEvent {
    std::int16_t button = 0, shift = 0;
    float x = 0, y = 0;
};

class LinkLabel {
public:
    // The control's events; an empty one is not handled.
    struct Events {
        std::function<void(std::int16_t& cancel)> beforeClick;
        std::function<void()> click, dblClick;
        std::function<void(const MouseEvent&)> mouseDown, mouseMove, mouseUp;
    };

    // Created as the control is: the hand cursor as its custom pointer.
    explicit LinkLabel(Shell& shell);

    std::uint32_t backColor() const { return backColor_; }
    void setBackColor(std::uint32_t v) { set(backColor_, v, u"BackColor"); }
    std::uint32_t foreColor() const { return 0; }  // inert: the text is always LinkColor
    void setForeColor(std::uint32_t) {}
    bool enabled() const { return enabled_; }
    void setEnabled(bool v) { set(enabled_, v, u"Enabled"); }
    const Font& font() const { return font_; }
    void setFont(const Font& v) { set(font_, v, u"Font"); }
    std::int32_t backStyle() const { return backStyle_; }
    void setBackStyle(std::int32_t v) { set(backStyle_, v, u"BackStyle"); }
    std::int32_t borderStyle() const { return borderStyle_; }
    void setBorderStyle(std::int32_t v) { set(borderStyle_, v, u"BorderStyle"); }
    std::int32_t mousePointer() const { return mousePointer_; }
    void setMousePointer(std::int32_t v) { set(mousePointer_, v, u"MousePointer"); }
    std::uint32_t activeLinkColor() const { return activeLinkColor_; }
    void setActiveLinkColor(std::uint32_t v) { set(activeLinkColor_, v, u"ActiveLinkColor"); }
    std::uint32_t linkColor() const { return linkColor_; }
    void setLinkColor(std::uint32_t v) { set(linkColor_, v, u"LinkColor"); }  // recolours the text at once
    const std::u16string& links() const { return links_; }
    void setLinks(const std::u16string& v) { set(links_, v, u"Links"); }
    const std::u16string& text() const { return text_; }
    void setText(const std::u16string& v) { set(text_, v, u"Text"); }
    std::int32_t mouseIcon() const { return mouseIcon_; }  // a cursor id, 0 for none
    void setMouseIcon(std::int32_t v) { set(mouseIcon_, v, u"MouseIcon"); }

    // The design-time values, in the order the control reads and writes them.
    // `ambient` is the container's font, the default of "Font".
    void readProperties(const PropertyBag& bag, const Font& ambient);
    void writeProperties(PropertyBag& bag, const Font& ambient) const;

    // The label was clicked: the shell opens Links (when set), then BeforeClick and,
    // unless its handler sets the argument, Click.
    void click();
    void dblClick();
    void mouseDown(const MouseEvent& e);
    void mouseMove(const MouseEvent& e);
    void mouseUp(const MouseEvent& e);

    // What the views draw: the caption, target, link colour and underlined font.
    void applyTo(Control& row) const;

    Events events;
    // Told the name of each property a setter changed, so the container rewrites its bag.
    std::function<void(const std::u16string& property)> propertyChanged;

private:
    template <class T>
    void set(T& field, const T& value, const char16_t* property) {
        field = value;
        if (propertyChanged) propertyChanged(property);
    }

    Shell& shell_;
    std::uint32_t backColor_ = colours::buttonFace;
    bool enabled_ = true;
    Font font_;
    std::int32_t backStyle_ = 1, borderStyle_ = 0, mousePointer_ = customPointer;
    std::uint32_t activeLinkColor_ = red, linkColor_ = colours::blue;
    std::u16string links_, text_ = u"Label1";
    std::int32_t mouseIcon_ = handCursor;
};

}  // namespace sw::ui
