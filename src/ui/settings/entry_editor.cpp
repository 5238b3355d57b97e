#include "ui/settings/entry_editor.h"

#include "ui/settings/settings_window.h"

namespace sw::ui {
namespace {

using E = EntryEditor;
using K = ControlKind;

constexpr ControlSpec design[] = {
    {E::lblMessage, u"lblMessage", K::label, noControl, u"", {120, 120, 4215, 495}, 1},
    {E::txtEdit, u"txtEdit", K::textField, noControl, u"", {120, 720, 4215, 270}, 0},
    {E::lblSample, u"lblSample", K::label, noControl, u"", {120, 1080, 4215, 255}, 2},
    {E::cmdOK, u"cmdOK", K::pushButton, noControl, u"&OK", {1800, 1440, 1215, 375}, 3, black, false, u"", 0, true},
    {E::cmdCancel, u"cmdCancel", K::pushButton, noControl, u"キャンセル", {3120, 1440, 1215, 375}, 4},
};

// What the dialog says for each list: sample, captions and messages by mode, and
// the input method (1 on for words, 2 off for addresses).
struct ListTexts {
    const char16_t* sample;
    const char16_t* caption[2];
    const char16_t* message[2];
    int imeMode;
};
constexpr ListTexts listTexts[] = {
    {u"例：社外秘、取扱注意、飲み会、合コン",
     {u"本文チェック語句の追加", u"本文チェック語句の編集"},
     {u"リストに追加する語句を入力します。", u"リストに追加する語句を編集します。"},
     1},
    {u"例：添付、送付、別添",
     {u"添付漏れチェック語句の追加", u"添付漏れチェック語句の編集"},
     {u"リストに追加する語句を入力します。", u"リストに追加する語句を編集します。"},
     1},
    {u"例：taro@abc.co.jp、@abc.co.jp、abc.co.jp",
     {u"アドレスまたはドメインの追加", u"アドレスまたはドメインの編集"},
     {u"リストに追加する電子メールアドレスまたはインターネットドメイン名を入力します。",
      u"リストに追加する電子メールアドレスまたはインターネットドメイン名を編集します。"},
     2},
};

}  // namespace

EntryEditor::EntryEditor(SettingsWindow& settings, Diagnostics& diagnostics)
    : settings_(settings), diagnostics_(diagnostics) {
    controls_ = controlsFrom(design);
    mutableControl(cmdOK).enabled = false;
}

WindowFrame EntryEditor::frame() const { return WindowFrame{.clientWidth = 4455, .clientHeight = 1920}; }

void EntryEditor::setText(const std::u16string& text) {
    Control& field = mutableControl(txtEdit);
    field.caption = text;
    field.selectionStart = static_cast<int>(text.size());
    field.selectionLength = 0;
    mutableControl(cmdOK).enabled = !text.empty();
}

void EntryEditor::show() {
    visible_ = true;
    focus_ = txtEdit;
}

void EntryEditor::activated() {
    if (intTab < 0 || intTab > 2) return;
    const ListTexts& t = listTexts[intTab];
    const int mode = intMode == editMode ? 1 : 0;
    caption_ = t.caption[mode];
    mutableControl(lblMessage).caption = t.message[mode];
    mutableControl(lblSample).caption = t.sample;
    mutableControl(txtEdit).imeMode = t.imeMode;
    if (intMode == editMode) selectWholeText();
}

void EntryEditor::selectWholeText() {
    focus_ = txtEdit;
    Control& field = mutableControl(txtEdit);
    field.selectionStart = 0;
    field.selectionLength = static_cast<int>(field.caption.size());
}

void EntryEditor::textChanged(ControlId id, const std::u16string& text) {
    if (id == txtEdit) setText(text);
}

void EntryEditor::click(ControlId id) {
    if (!visible_ || !available(id)) return;
    if (id == cmdOK) {
        cmdOK_Click();
    } else if (id == cmdCancel) {
        visible_ = false;
    }
}

void EntryEditor::closeRequested() {
    visible_ = false;
    destroyed_ = true;
}

void EntryEditor::cmdOK_Click() {
    if (intTab < 0 || intTab >= SettingsWindow::listCount) return;
    SortedList list = settings_.lstWord(intTab);
    if (intMode == addMode) {
        if (!addItem(list, text())) {
            selectWholeText();
            return;
        }
    } else {
        if (intIndex < 0 || intIndex >= list.count()) return;
        list.setItem(intIndex, text());
    }
    settings_.setEditEnable(intTab);
    settings_.setDeleteEnable(intTab);
    settings_.setApplyEnable(true);
    visible_ = false;
}

bool EntryEditor::addItem(SortedList list, const std::u16string& item) {
    const std::int32_t n = list.add(item);
    // The new entry stands before every entry equal to it ignoring case, so an
    // exact twin is somewhere in the run that follows, not only right after it.
    for (std::int32_t j = n + 1; j < list.count() && !sortsBefore(item, list.item(j)); ++j) {
        if (list.item(j) != item) continue;
        list.remove(n);
        diagnostics_.message(duplicateWarning, mb::exclamation);
        return false;
    }
    return true;
}

}  // namespace sw::ui
