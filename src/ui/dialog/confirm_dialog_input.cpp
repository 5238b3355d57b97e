// What the user can do in the confirmation dialog.
#include <algorithm>

#include "ui/dialog/confirm_dialog.h"

namespace sw::ui {

void ConfirmDialog::show() {
    visible_ = true;
    focus_ = u"cmdOK";
}

void ConfirmDialog::close() {
    visible_ = false;
    loaded_ = false;  // unloaded; the send-immediately value stays readable
}

void ConfirmDialog::cmdOK_Click() {
    context_.cancelSend = false;
    initLabels();
    close();
}

void ConfirmDialog::cmdCancel_Click() {
    context_.cancelSend = true;
    initLabels();
    close();
}

void ConfirmDialog::closeWindow() { close(); }

std::vector<std::u16string> ConfirmDialog::tabStops() const {
    std::vector<const Control*> stops;
    for (const auto& c : controls_) {
        if (!c.canFocus || !c.visible || !c.enabled) continue;
        // A control inside a hidden frame is hidden too.
        if (!c.container.empty() && !control(c.container).visible) continue;
        stops.push_back(&c);
    }
    std::sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::u16string> names;
    for (auto* c : stops) names.push_back(c->name);
    return names;
}

void ConfirmDialog::setFocus(const std::u16string& name) {
    const auto stops = tabStops();
    if (std::find(stops.begin(), stops.end(), name) != stops.end()) focus_ = name;
}

void ConfirmDialog::chkNotDeferred_Click() {
    const Control& box = control(u"chkNotDeferred");
    if (!box.visible || !box.enabled) return;
    chkNotDeferred_ = chkNotDeferred_ == 1 ? 0 : 1;
    focus_ = u"chkNotDeferred";
}

void ConfirmDialog::llbAmazon_Click() {
    try {
        context_.shell.openUrl(linkTarget);
    } catch (...) {
        // The shell's answer is not inspected; a failure opens nothing.
    }
}

void ConfirmDialog::keyDown(Key key, KeyModifiers mods, char16_t character) {
    if (!visible_) return;
    const bool onButton = focus_ == u"cmdOK" || focus_ == u"cmdCancel";
    switch (key) {
        case Key::enter:
            // Enter presses the focused push button, else the default button, Cancel.
            if (focus_ == u"cmdOK")
                cmdOK_Click();
            else
                cmdCancel_Click();
            return;
        case Key::space:
            if (focus_ == u"cmdOK") cmdOK_Click();
            else if (focus_ == u"cmdCancel") cmdCancel_Click();
            else if (focus_ == u"chkNotDeferred") chkNotDeferred_Click();
            return;
        case Key::tab: {
            const auto stops = tabStops();
            if (stops.empty()) return;
            auto at = std::find(stops.begin(), stops.end(), focus_);
            std::size_t i = at == stops.end() ? 0 : static_cast<std::size_t>(at - stops.begin());
            i = mods.shift ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size();
            focus_ = stops[i];
            return;
        }
        case Key::character: {
            // Access keys: with Alt anywhere, alone where the focus takes no text.
            if (!mods.alt && !(onButton || focus_ == u"chkNotDeferred")) return;
            const char16_t c = character >= u'A' && character <= u'Z' ? static_cast<char16_t>(character + 32) : character;
            if (c == u'o') cmdOK_Click();
            else if (c == u'c') cmdCancel_Click();
            return;
        }
        default:
            return;  // Esc and the rest are bound to nothing
    }
}

}  // namespace sw::ui
