// What the user can do in the settings window.
#include <algorithm>

#include "text.h"
#include "ui/about/about_window.h"
#include "ui/settings/entry_editor.h"
#include "ui/settings/settings_window.h"

namespace sw::ui {
namespace {

// The array element a control id belongs to, or -1.
int element(ControlId id, ControlId first, int count) { return id >= first && id < first + count ? id - first : -1; }

// The minutes the field reads as, if it holds a plain number.
std::optional<int> minutesIn(const std::u16string& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    int n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        n = n * 10 + (c - u'0');
    }
    return n;
}

}  // namespace

void SettingsWindow::click(ControlId id) {
    if (!loaded_ || !available(id)) return;
    if (int i = element(id, cmdAdd0, listCount); i >= 0) return cmdAdd_Click(i);
    if (int i = element(id, cmdEdit0, listCount); i >= 0) return cmdEdit_Click(i);
    if (int i = element(id, cmdDelete0, listCount); i >= 0) return cmdDelete_Click(i);
    switch (id) {
        case chkUseDeferredDelivery:
            focus_ = id;
            setDeferredDeliveryEnable(control(id).value == 0);
            setApplyEnable(true);
            return;
        case cmdApply: return cmdApply_Click();
        case cmdOK: return cmdOK_Click();
        case cmdCancel: return unload();
        default: return;
    }
}

void SettingsWindow::doubleClick(ControlId id) {
    const int i = element(id, lstWord0, listCount);
    if (i >= 0 && available(id) && lstWord(i).selected() != -1) cmdEdit_Click(i);
}

bool SettingsWindow::keyDown(Key key, KeyModifiers mods, char16_t character) {
    if (!loaded_) return true;
    if (key == Key::tab && mods.ctrl) {
        // Exactly Ctrl steps to the next tab, wrapping; any other Ctrl+Tab does nothing.
        if (!mods.shift && !mods.alt) selectTab((selectedTab() + 1) % tabCount);
        return true;
    }
    if (key == Key::f4 && mods.ctrl && !mods.shift && !mods.alt) {
        menuChosen(mnuClose);
        return true;
    }
    if ((key == Key::up || key == Key::down) && (focus_ == txtDeferredTime || focus_ == updDeferredTime)) {
        spin(updDeferredTime, key == Key::up ? 1 : -1);
        return true;
    }
    return WindowModel::keyDown(key, mods, character);
}

void SettingsWindow::textChanged(ControlId, const std::u16string&) {
    // The minutes field takes no typing: only the spinner writes it, so it always
    // holds a number that the reload after a save can read.
}

void SettingsWindow::selectionChanged(ControlId id, int index) {
    if (!loaded_ || !available(id)) return;
    if (id == tbsOptions) {
        if (index >= 0 && index < tabCount) selectTab(index);
        return;
    }
    if (int i = element(id, lstWord0, listCount); i >= 0) {
        lstWord(i).select(index);
        focus_ = id;
        setEditEnable(i);
        setDeleteEnable(i);
    }
}

void SettingsWindow::spin(ControlId id, int delta) {
    if (!loaded_ || id != updDeferredTime || !available(id)) return;
    Control& spinner = mutableControl(updDeferredTime);
    // The spinner steps from the number the field shows.
    const int from = minutesIn(control(txtDeferredTime).caption).value_or(spinner.value);
    const int to = std::clamp(from + delta, minimumMinutes, maximumMinutes);
    const std::u16string text = decimal(to);
    if (text == control(txtDeferredTime).caption) return;
    spinner.value = to;
    mutableControl(txtDeferredTime).caption = text;
    setApplyEnable(true);
}

void SettingsWindow::menuChosen(ControlId item) {
    WindowModel::menuChosen(item);
    if (!loaded_) return;
    if (item == mnuClose) {
        cmdOK_Click();
    } else if (item == mnuVersion) {
        AboutWindow about(context_.shell);
        about.load();
        about.show();
        context_.windows.showModal(about);
    }
}

void SettingsWindow::closeRequested() { unload(); }

void SettingsWindow::cmdOK_Click() {
    cmdApply_Click();
    unload();
}

void SettingsWindow::cmdAdd_Click(int index) {
    EntryEditor& e = editor();
    e.intMode = EntryEditor::addMode;
    e.intTab = index;
    e.setText(u"");
    showEditor();
}

void SettingsWindow::cmdEdit_Click(int index) {
    const std::int32_t k = lstWord(index).selected();
    if (k == -1) return;
    EntryEditor& e = editor();
    e.intMode = EntryEditor::editMode;
    e.intTab = index;
    e.intIndex = k;
    e.setText(lstWord(index).item(k));
    showEditor();
}

void SettingsWindow::showEditor() {
    EntryEditor& e = editor();
    e.show();
    context_.windows.showModal(e);
    // Closed by its title-bar button: created afresh on the next use.
    if (e.destroyed()) editor_.reset();
}

void SettingsWindow::cmdDelete_Click(int index) {
    SortedList list = lstWord(index);
    const std::int32_t k = list.selected();
    if (k == -1) return;
    if (context_.diagnostics.message(deleteQuestion, mb::yesNo | mb::question) != mb::answerYes) return;
    list.remove(k);
    // The entry before the deleted one, else the new first one.
    list.select(k >= 1 ? k - 1 : (list.count() > 0 ? 0 : -1));
    setDeleteEnable(index);
    setEditEnable(index);
    setApplyEnable(true);
}

}  // namespace sw::ui
