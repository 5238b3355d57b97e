#include "ui/controls/link_label.h"

namespace sw::ui {

PropertyValue MemoryPropertyBag::read(const std::u16string& key, const PropertyValue& defaultValue) const {
    const auto at = values.find(key);
    return at == values.end() ? defaultValue : at->second;
}

void MemoryPropertyBag::write(const std::u16string& key, const PropertyValue& value,
                              const std::optional<PropertyValue>& defaultValue) {
    if (defaultValue && *defaultValue == value)
        values.erase(key);
    else
        values[key] = value;
}

LinkLabel::LinkLabel(Shell& shell) : shell_(shell) {}

namespace {
// A stored value of another type than the property's fails as the host's bag does.
template <class T>
T as(const PropertyValue& value) {
    if (const T* v = std::get_if<T>(&value)) return *v;
    throw std::bad_variant_access();
}
}  // namespace

void LinkLabel::readProperties(const PropertyBag& bag, const Font& ambient) {
    backColor_ = as<std::uint32_t>(bag.read(u"BackColor", colours::buttonFace));
    linkColor_ = as<std::uint32_t>(bag.read(u"LinkColor", colours::blue));
    enabled_ = as<bool>(bag.read(u"Enabled", true));
    font_ = as<Font>(bag.read(u"Font", ambient));
    backStyle_ = as<std::int32_t>(bag.read(u"BackStyle", std::int32_t{1}));
    borderStyle_ = as<std::int32_t>(bag.read(u"BorderStyle", std::int32_t{0}));
    mousePointer_ = as<std::int32_t>(bag.read(u"MousePointer", std::int32_t{0}));
    activeLinkColor_ = as<std::uint32_t>(bag.read(u"ActiveLinkColor", red));
    links_ = as<std::u16string>(bag.read(u"Links", std::u16string()));
    text_ = as<std::u16string>(bag.read(u"Text", std::u16string(u"Label1")));
    font_.underline = true;
    mouseIcon_ = as<std::int32_t>(bag.read(u"MouseIcon", std::int32_t{0}));
}

void LinkLabel::writeProperties(PropertyBag& bag, const Font& ambient) const {
    bag.write(u"BackColor", backColor_, colours::buttonFace);
    bag.write(u"ForeColor", linkColor_, colours::buttonText);  // the label's own colour, which is LinkColor
    bag.write(u"LinkColor", linkColor_, colours::blue);
    bag.write(u"Enabled", enabled_, true);
    bag.write(u"Font", font_, ambient);
    bag.write(u"BackStyle", backStyle_, std::int32_t{1});
    bag.write(u"BorderStyle", borderStyle_, std::int32_t{0});
    bag.write(u"MousePointer", mousePointer_, std::int32_t{0});
    bag.write(u"ActiveLinkColor", activeLinkColor_, red);
    bag.write(u"Links", links_, std::u16string());
    bag.write(u"Text", text_, std::nullopt);
    bag.write(u"MouseIcon", mouseIcon_, std::int32_t{0});
}

void LinkLabel::click() {
    if (!links_.empty()) {
        try {
            shell_.openUrl(links_);
        } catch (...) {
            // The shell's answer is not inspected; a failure opens nothing.
        }
    }
    std::int16_t cancel = 0;
    if (events.beforeClick) events.beforeClick(cancel);
    if (cancel == 0 && events.click) events.click();
}

void LinkLabel::dblClick() {
    if (events.dblClick) events.dblClick();
}
void LinkLabel::mouseDown(const MouseEvent& e) {
    if (events.mouseDown) events.mouseDown(e);
}
void LinkLabel::mouseMove(const MouseEvent& e) {
    if (events.mouseMove) events.mouseMove(e);
}
void LinkLabel::mouseUp(const MouseEvent& e) {
    if (events.mouseUp) events.mouseUp(e);
}

void LinkLabel::applyTo(Control& row) const {
    row.caption = text_;
    row.link = links_;
    row.foreColor = linkColor_;
    row.enabled = enabled_;
    row.font = font_;
    row.font.underline = true;
}

}  // namespace sw::ui
