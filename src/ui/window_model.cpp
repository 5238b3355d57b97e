#include "ui/window_model.h"

#include <algorithm>
#include <stdexcept>

namespace sw::ui {
inline namespace interim {

bool Control::takesFocus() const {
    switch (kind) {
        case ControlKind::label:
        case ControlKind::frame:
        case ControlKind::pictureBox:
        case ControlKind::panel: return false;
        default: return true;
    }
}

std::vector<Control> controlsFrom(std::span<const ControlSpec> table) {
    std::vector<Control> controls;
    for (const ControlSpec& s : table) {
        Control c;
        c.id = s.id;
        c.name = s.name;
        c.kind = s.kind;
        c.container = s.container;
        c.caption = s.caption;
        c.rect = s.rect;
        c.tabIndex = s.tabIndex;
        c.foreColor = s.foreColor;
        c.font = Font{s.fontFace, s.fontPoints, s.bold, false};
        controls.push_back(std::move(c));
    }
    return controls;
}

const Control& WindowModel::control(ControlId id) const {
    for (const Control& c : controls_)
        if (c.id == id) return c;
    throw std::out_of_range("no such control");
}

Control& WindowModel::mutableControl(ControlId id) {
    return const_cast<Control&>(static_cast<const WindowModel*>(this)->control(id));
}

const std::vector<MenuItem>& WindowModel::menuBar() const {
    static const std::vector<MenuItem> none;
    return none;
}

std::vector<ControlId> WindowModel::tabStops() const {
    auto usable = [&](const Control& c) {
        for (const Control* at = &c;;) {
            if (!at->visible || !at->enabled) return false;
            if (at->container == noControl) return true;
            at = &control(at->container);
        }
    };
    std::vector<const Control*> stops;
    for (const Control& c : controls_)
        if (c.takesFocus() && usable(c)) stops.push_back(&c);
    std::stable_sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<ControlId> ids;
    for (auto* c : stops) ids.push_back(c->id);
    return ids;
}

void WindowModel::click(ControlId) {}
void WindowModel::doubleClick(ControlId) {}
void WindowModel::textChanged(ControlId, const std::u16string&) {}
void WindowModel::selectionChanged(ControlId, int) {}
void WindowModel::spin(ControlId, int) {}
void WindowModel::mouseDown(ControlId, MouseButton, int) {}
void WindowModel::menuChosen(ControlId) { popup_.reset(); }
void WindowModel::popupDismissed() { popup_.reset(); }
void WindowModel::activated() {}

void WindowModel::focusChanged(ControlId id) {
    const auto stops = tabStops();
    if (std::find(stops.begin(), stops.end(), id) != stops.end()) focus_ = id;
}

bool WindowModel::keyDown(Key key, KeyModifiers mods, char16_t character) {
    const auto stops = tabStops();
    auto pressable = [&](ControlId id) { return std::find(stops.begin(), stops.end(), id) != stops.end(); };
    auto pressFirst = [&](bool Control::*flag) {
        for (const Control& c : controls_)
            if (c.*flag && pressable(c.id)) {
                click(c.id);
                return;
            }
    };
    const Control* focused = focus_ == noControl ? nullptr : &control(focus_);
    switch (key) {
        case Key::tab: {
            if (stops.empty()) return true;
            auto at = std::find(stops.begin(), stops.end(), focus_);
            std::size_t i = at == stops.end() ? 0 : static_cast<std::size_t>(at - stops.begin());
            i = mods.shift ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size();
            focus_ = stops[i];
            return true;
        }
        case Key::enter:
            if (focused && focused->kind == ControlKind::pushButton) click(focus_);
            else pressFirst(&Control::isDefault);
            return true;
        case Key::escape:
            pressFirst(&Control::isCancel);
            return true;
        case Key::space:
            if (focused && (focused->kind == ControlKind::pushButton || focused->kind == ControlKind::checkBox)) {
                click(focus_);
                return true;
            }
            return false;
        case Key::character: {
            if (!mods.alt && focused && focused->kind == ControlKind::textField) return false;
            auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
            for (ControlId id : stops) {
                const std::u16string& caption = control(id).caption;
                const auto amp = caption.find(u'&');
                if (amp != std::u16string::npos && amp + 1 < caption.size() &&
                    lower(caption[amp + 1]) == lower(character)) {
                    focus_ = id;
                    click(id);
                    return true;
                }
            }
            return mods.alt;
        }
        default:
            return false;
    }
}

}  // namespace interim
}  // namespace sw::ui
