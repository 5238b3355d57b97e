#pragma once
// frmConfigEdit: the small dialog that adds an entry to one of the settings window's
// lists or changes one, and addItem, the one place that refuses a duplicate.
#include <cstdint>
#include <string>

#include "diagnostics/diagnostics.h"
#include "ui/settings/sorted_list.h"
#include "ui/window_model.h"

namespace sw::ui {

class SettingsWindow;

class EntryEditor : public WindowModel {
public:
    enum Id : ControlId { lblMessage, txtEdit, lblSample, cmdOK, cmdCancel };
    static constexpr int addMode = 0, editMode = 1;
    static constexpr char16_t duplicateWarning[] = u"既に登録されています。";

    EntryEditor(SettingsWindow& settings, Diagnostics& diagnostics);

    // Set by the settings window before each show; kept while the dialog is hidden.
    int intMode = addMode;
    int intTab = 0;    // the list: 0 body words, 1 attachment words, 2 safe list
    int intIndex = 0;  // edit mode: the entry's position

    // Writes txtEdit as the settings window does (OK follows the text).
    void setText(const std::u16string& text);
    const std::u16string& text() const { return control(txtEdit).caption; }
    void show();
    // Closed by its title-bar button, which discards the dialog itself.
    bool destroyed() const { return destroyed_; }

    // Adds the entry at its sorted place; an entry exactly equal to one already
    // there is taken out again with a warning, and false comes back. The selection
    // and the Apply button are left to the caller.
    bool addItem(SortedList list, const std::u16string& item);

    std::u16string title() const override { return caption_; }
    WindowFrame frame() const override;
    void click(ControlId id) override;
    void textChanged(ControlId id, const std::u16string& text) override;
    void activated() override;
    void closeRequested() override;

private:
    void cmdOK_Click();
    void selectWholeText();

    SettingsWindow& settings_;
    Diagnostics& diagnostics_;
    std::u16string caption_ = u"Sendwardenの設定";
    bool destroyed_ = false;
};

}  // namespace sw::ui
