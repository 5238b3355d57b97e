#pragma once
// frmConfig: the settings window. Its three list boxes, minutes field and check box
// are the working copy of the configuration; Apply rebuilds config.xml from them.
#include <memory>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "diagnostics/diagnostics.h"
#include "platform.h"
#include "ui/settings/sorted_list.h"
#include "ui/window_model.h"

namespace sw::ui {

class EntryEditor;

struct SettingsContext {
    Diagnostics& diagnostics;  // message boxes
    ConfigStore& config;
    Windows& windows;          // the entry editor and the version window
    Shell& shell;              // the version window's link
};

class SettingsWindow : public WindowModel, public SettingsSource {
public:
    // Control arrays have one value per element, in index order.
    enum Id : ControlId {
        tbsOptions, picOptions0, picOptions1, picOptions2, picOptions3, cmdOK, cmdCancel, cmdApply,
        Label1_0, Label1_1, Label1_2, Label1_3, lstWord0, lstWord1, lstWord2, cmdAdd0, cmdAdd1, cmdAdd2,
        cmdEdit0, cmdEdit1, cmdEdit2, cmdDelete0, cmdDelete1, cmdDelete2,
        chkUseDeferredDelivery, txtDeferredTime, updDeferredTime, lblDeferredTime,
        mnuFile, mnuClose, mnuHelp, mnuVersion,
    };
    static constexpr int listCount = 3, tabCount = 4;
    static constexpr int minimumMinutes = 0, maximumMinutes = 30;
    static constexpr char16_t deleteQuestion[] = u"選択されているアイテムを削除しますか？";

    explicit SettingsWindow(SettingsContext context);
    ~SettingsWindow() override;

    // Creates the window (not shown): fills the lists and the deferral panel from the
    // configuration and creates the entry editor hidden.
    void load();
    bool loaded() const { return loaded_; }
    // Marks the window shown; the caller hands it to Windows::showModal.
    void show();

    std::u16string title() const override { return u"Sendwardenの設定"; }
    WindowFrame frame() const override;
    const std::vector<MenuItem>& menuBar() const override;

    // --- user actions ---
    void click(ControlId id) override;
    void doubleClick(ControlId id) override;
    bool keyDown(Key key, KeyModifiers mods, char16_t character = 0) override;
    void textChanged(ControlId id, const std::u16string& text) override;
    void selectionChanged(ControlId id, int index) override;
    void spin(ControlId id, int delta) override;
    void menuChosen(ControlId item) override;
    void closeRequested() override;

    // --- what the entry editor and the confirmation dialog use ---
    SortedList lstWord(int index);
    EntryEditor& editor();
    void cmdApply_Click();
    void setEditEnable(int index);
    void setDeleteEnable(int index);
    void setApplyEnable(bool isChanged);
    // Closes the window and the entry editor; nothing is saved.
    void unload();

    // --- what the save reads ---
    std::int32_t entryCount(int list) override;
    std::u16string entry(int list, std::int32_t index) override;
    std::u16string minutesText() override;
    bool useDeferredDeliveryChecked() override;

    int selectedTab() const { return control(tbsOptions).value; }  // 0-based

private:
    void selectTab(int tab);
    void setDeferredDeliveryEnable(bool flag);
    void cmdAdd_Click(int index);
    void cmdEdit_Click(int index);
    void cmdDelete_Click(int index);
    void cmdOK_Click();
    void showEditor();

    SettingsContext context_;
    std::unique_ptr<EntryEditor> editor_;
    bool loaded_ = false;
};

}  // namespace sw::ui
