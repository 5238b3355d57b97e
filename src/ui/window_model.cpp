#include "ui/window_model.h"

#include <algorithm>
#include <stdexcept>

namespace sw::ui {

bool Control::takesFocus() const {
    return kind != ControlKind::label && kind != ControlKind::frame && kind != ControlKind::panel;
}

bool Control::takesCharacters() const {
    return kind == ControlKind::textField || kind == ControlKind::listBox || kind == ControlKind::grid;
}

char16_t Control::accessKey() const {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        const char16_t c = caption[i + 1];
        if (c != u'&') return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
        ++i;  // "&&" is a literal ampersand
    }
    return 0;
}

std::vector<Control> controlsFrom(std::span<const ControlSpec> table) {
    std::vector<Control> controls;
    controls.reserve(table.size());
    for (const auto& spec : table) {
        Control c;
        c.id = spec.id;
        c.name = spec.name;
        c.kind = spec.kind;
        c.container = spec.container;
        c.caption = spec.caption;
        c.rect = spec.rect;
        c.tabIndex = spec.tabIndex;
        c.foreColor = spec.foreColor;
        c.font = {spec.fontFace, spec.fontPoints, spec.bold, false};
        c.isDefault = spec.isDefault;
        c.isCancel = spec.isCancel;
        controls.push_back(std::move(c));
    }
    return controls;
}

const Control& WindowModel::control(ControlId id) const {
    // Tables are indexed by their enum, so the id is nearly always the position.
    if (id >= 0 && static_cast<std::size_t>(id) < controls_.size() && controls_[id].id == id) return controls_[id];
    for (const auto& c : controls_)
        if (c.id == id) return c;
    throw std::out_of_range("no control " + std::to_string(id));
}

Control& WindowModel::mutableControl(ControlId id) {
    return const_cast<Control&>(static_cast<const WindowModel*>(this)->control(id));
}

const std::vector<MenuItem>& WindowModel::menuBar() const {
    static const std::vector<MenuItem> none;
    return none;
}

bool WindowModel::available(ControlId id) const {
    for (ControlId at = id; at != noControl;) {
        const Control& c = control(at);
        if (!c.visible || !c.enabled) return false;
        at = c.container;
    }
    return true;
}

std::vector<ControlId> WindowModel::tabStops() const {
    std::vector<const Control*> stops;
    for (const auto& c : controls_)
        if (c.takesFocus() && available(c.id)) stops.push_back(&c);
    std::stable_sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<ControlId> ids;
    for (auto* c : stops) ids.push_back(c->id);
    return ids;
}

void WindowModel::moveFocus(bool backwards) {
    const auto stops = tabStops();
    if (stops.empty()) return;
    const auto at = std::find(stops.begin(), stops.end(), focus_);
    if (at == stops.end()) {
        focus_ = backwards ? stops.back() : stops.front();
        return;
    }
    const std::size_t i = static_cast<std::size_t>(at - stops.begin());
    focus_ = stops[backwards ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size()];
}

bool WindowModel::pressAccessKey(char16_t key) {
    if (key >= u'A' && key <= u'Z') key = static_cast<char16_t>(key - u'A' + u'a');
    for (const auto& c : controls_) {
        if (key == 0 || c.accessKey() != key || !available(c.id)) continue;
        switch (c.kind) {
            case ControlKind::pushButton: click(c.id); return true;
            case ControlKind::checkBox:
                focus_ = c.id;
                click(c.id);
                return true;
            case ControlKind::label:
            case ControlKind::frame:
            case ControlKind::panel:
                // A caption's key leads to the control that follows it in the tab order.
                for (const ControlId stop : tabStops())
                    if (control(stop).tabIndex > c.tabIndex) {
                        focusChanged(stop);
                        return true;
                    }
                return true;
            default: focusChanged(c.id); return true;
        }
    }
    return false;
}

bool WindowModel::keyDown(Key key, KeyModifiers mods, char16_t character) {
    if (!visible_) return false;  // typed ahead into a window already closed: decides nothing
    const Control* focused = focus_ == noControl ? nullptr : &control(focus_);
    switch (key) {
        case Key::tab:
            if (mods.ctrl || mods.alt) return false;
            moveFocus(mods.shift);
            return true;
        case Key::enter: {
            if (focused && focused->kind == ControlKind::pushButton) {
                click(focus_);
                return true;
            }
            for (const auto& c : controls_)
                if (c.isDefault && available(c.id)) {
                    click(c.id);
                    return true;
                }
            return false;
        }
        case Key::escape:
            for (const auto& c : controls_)
                if (c.isCancel && available(c.id)) {
                    click(c.id);
                    return true;
                }
            return false;
        case Key::space:
            if (focused && (focused->kind == ControlKind::pushButton || focused->kind == ControlKind::checkBox)) {
                click(focus_);
                return true;
            }
            return false;
        case Key::character:
            if (mods.ctrl) return false;
            if (!mods.alt && focused && focused->takesCharacters()) return false;
            return pressAccessKey(character) || mods.alt;
        default: return false;
    }
}

void WindowModel::click(ControlId) {}
void WindowModel::doubleClick(ControlId) {}

void WindowModel::focusChanged(ControlId id) {
    const auto stops = tabStops();
    if (std::find(stops.begin(), stops.end(), id) != stops.end()) focus_ = id;
}

void WindowModel::textChanged(ControlId id, const std::u16string& text) { mutableControl(id).caption = text; }
void WindowModel::selectionChanged(ControlId id, int index) { mutableControl(id).value = index; }

void WindowModel::spin(ControlId id, int delta) {
    Control& c = mutableControl(id);
    c.value = std::clamp(c.value + delta, c.minimum, c.maximum);
}

void WindowModel::mouseDown(ControlId id, MouseButton, int) { focusChanged(id); }
void WindowModel::menuChosen(ControlId) { popup_.reset(); }
void WindowModel::popupDismissed() { popup_.reset(); }
void WindowModel::activated() {}

}  // namespace sw::ui
