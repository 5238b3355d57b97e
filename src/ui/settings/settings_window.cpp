#include "ui/settings/settings_window.h"

#include <algorithm>

#include "text.h"
#include "ui/settings/entry_editor.h"

namespace sw::ui {
namespace {

using S = SettingsWindow;
using K = ControlKind;
constexpr Rect panelArea{240, 360, 4815, 2175};
constexpr int outOfSight = -20000;

// The window as designed. Tab places: tab strip, OK, Cancel, Apply, then the
// panels' controls in order; labels and panels hold places after them.
constexpr ControlSpec design[] = {
    {S::tbsOptions, u"tbsOptions", K::tabStrip, noControl, u"", {120, 0, 5055, 2565}, 0},
    {S::picOptions0, u"picOptions(0)", K::panel, noControl, u"", panelArea, 19},
    {S::picOptions1, u"picOptions(1)", K::panel, noControl, u"", panelArea, 20},
    {S::picOptions2, u"picOptions(2)", K::panel, noControl, u"", panelArea, 21},
    {S::picOptions3, u"picOptions(3)", K::panel, noControl, u"", panelArea, 22},
    {S::cmdOK, u"cmdOK", K::pushButton, noControl, u"&OK", {960, 2640, 1095, 375}, 1, black, false, u"", 0, true},
    {S::cmdCancel, u"cmdCancel", K::pushButton, noControl, u"キャンセル", {2160, 2640, 1095, 375}, 2, black, false, u"", 0, false, true},
    {S::cmdApply, u"cmdApply", K::pushButton, noControl, u"適用", {3360, 2640, 1095, 375}, 3},
    {S::Label1_0, u"Label1(0)", K::label, S::picOptions0, u"メール本文のチェック対象とする文言を設定します。", {0, 0, 4815, 255}, 23},
    {S::Label1_1, u"Label1(1)", K::label, S::picOptions1, u"添付漏れのチェック対象とする文言を設定します。", {0, 0, 4815, 255}, 24},
    {S::Label1_2, u"Label1(2)", K::label, S::picOptions2, u"強調表示しないメールアドレスを設定します。", {0, 0, 4815, 255}, 25},
    {S::Label1_3, u"Label1(3)", K::label, S::picOptions3, u"遅延配信の時間を設定します。", {0, 0, 4815, 255}, 26},
    {S::lstWord0, u"lstWord(0)", K::listBox, S::picOptions0, u"", {0, 240, 3735, 1860}, 4},
    {S::lstWord1, u"lstWord(1)", K::listBox, S::picOptions1, u"", {0, 240, 3735, 1860}, 8},
    {S::lstWord2, u"lstWord(2)", K::listBox, S::picOptions2, u"", {0, 240, 3735, 1860}, 12},
    {S::cmdAdd0, u"cmdAdd(0)", K::pushButton, S::picOptions0, u"追加(&A)", {3840, 240, 975, 375}, 5},
    {S::cmdAdd1, u"cmdAdd(1)", K::pushButton, S::picOptions1, u"追加(&A)", {3840, 240, 975, 375}, 9},
    {S::cmdAdd2, u"cmdAdd(2)", K::pushButton, S::picOptions2, u"追加(&A)", {3840, 240, 975, 375}, 13},
    {S::cmdEdit0, u"cmdEdit(0)", K::pushButton, S::picOptions0, u"編集(&E)", {3840, 720, 975, 375}, 6},
    {S::cmdEdit1, u"cmdEdit(1)", K::pushButton, S::picOptions1, u"編集(&E)", {3840, 720, 975, 375}, 10},
    {S::cmdEdit2, u"cmdEdit(2)", K::pushButton, S::picOptions2, u"編集(&E)", {3840, 720, 975, 375}, 14},
    {S::cmdDelete0, u"cmdDelete(0)", K::pushButton, S::picOptions0, u"削除(&D)", {3840, 1200, 975, 375}, 7},
    {S::cmdDelete1, u"cmdDelete(1)", K::pushButton, S::picOptions1, u"削除(&D)", {3840, 1200, 975, 375}, 11},
    {S::cmdDelete2, u"cmdDelete(2)", K::pushButton, S::picOptions2, u"削除(&D)", {3840, 1200, 975, 375}, 15},
    {S::chkUseDeferredDelivery, u"chkUseDeferredDelivery", K::checkBox, S::picOptions3, u"有効にする", {240, 360, 1215, 255}, 16},
    {S::txtDeferredTime, u"txtDeferredTime", K::textField, S::picOptions3, u"0", {600, 720, 390, 270}, 17},
    {S::updDeferredTime, u"updDeferredTime", K::upDown, S::picOptions3, u"", {960, 720, 240, 270}, 18},
    {S::lblDeferredTime, u"lblDeferredTime", K::label, S::picOptions3, u"分遅延して配信する。(0-30)", {1320, 765, 2655, 255}, 27},
};

const std::vector<Tab> tabs = {
    {u"本文チェック", u"Group1", u"メール本文のチェック対象とする文言を設定します。"},
    {u"添付漏れチェック", u"Group2", u"ファイル添付漏れのチェック対象とするメール本文の文言を設定します。"},
    {u"宛先セーフリスト", u"Group3", u"宛先確認ダイアログで強調表示しないメールアドレスを設定します。"},
    {u"遅延配信", u"Group4", u"遅延配信の時間を設定します。"},
};

}  // namespace

SettingsWindow::SettingsWindow(SettingsContext context) : context_(context) {}
SettingsWindow::~SettingsWindow() = default;

WindowFrame SettingsWindow::frame() const {
    // Fixed dialog border, no task bar button; the client area is what the outer
    // size leaves below the caption and the menu bar.
    return WindowFrame{.clientWidth = 5295, .clientHeight = 3060, .outerWidth = 5385, .outerHeight = 3750};
}

const std::vector<MenuItem>& SettingsWindow::menuBar() const {
    static const std::vector<MenuItem> menu = {
        {mnuFile, u"ファイル(&F)", u"", true, {{mnuClose, u"閉じる(&C)", u"Ctrl+F4"}}},
        {mnuHelp, u"ヘルプ(&H)", u"", true, {{mnuVersion, u"バージョン情報(&V)..."}}},
    };
    return menu;
}

void SettingsWindow::load() {
    controls_ = controlsFrom(design);
    Control& strip = mutableControl(tbsOptions);
    strip.tabs = tabs;
    Control& spinner = mutableControl(updDeferredTime);
    spinner.minimum = minimumMinutes;
    spinner.maximum = maximumMinutes;
    spinner.buddy = txtDeferredTime;
    for (int i = 0; i < listCount; ++i) mutableControl(lstWord0 + i).value = -1;

    for (const ConfigListPlace& place : configLists)
        for (const std::u16string& text : context_.config.entries(place.list)) lstWord(listIndex(place.list)).add(text);
    for (int i = 0; i < listCount; ++i) {
        setEditEnable(i);
        setDeleteEnable(i);
    }
    setDeferredDeliveryEnable(context_.config.useDeferredDelivery());
    const std::int32_t minutes = context_.config.deferredMinutes();
    mutableControl(txtDeferredTime).caption = decimal(minutes);
    spinner.value = std::clamp(minutes, minimumMinutes, maximumMinutes);
    editor_ = std::make_unique<EntryEditor>(*this, context_.diagnostics);
    selectTab(0);
    focus_ = tbsOptions;
    visible_ = false;
    loaded_ = true;
    setApplyEnable(false);
}

void SettingsWindow::show() { visible_ = loaded_; }

void SettingsWindow::unload() {
    visible_ = false;
    loaded_ = false;
    editor_.reset();
}

SortedList SettingsWindow::lstWord(int index) { return SortedList(mutableControl(lstWord0 + index)); }

EntryEditor& SettingsWindow::editor() {
    if (!editor_) editor_ = std::make_unique<EntryEditor>(*this, context_.diagnostics);
    return *editor_;
}

void SettingsWindow::selectTab(int tab) {
    mutableControl(tbsOptions).value = tab;
    for (int t = 0; t < tabCount; ++t) {
        Control& panel = mutableControl(picOptions0 + t);
        panel.enabled = t == tab;
        panel.rect.left = t == tab ? panelArea.left : outOfSight;
        if (t == tab) panel.rect.top = panelArea.top;
    }
    if (focus_ != noControl && !available(focus_)) focus_ = tbsOptions;
}

void SettingsWindow::setEditEnable(int index) {
    SortedList list = lstWord(index);
    mutableControl(cmdEdit0 + index).enabled = list.count() > 0 && list.selected() != -1;
}

void SettingsWindow::setDeleteEnable(int index) {
    SortedList list = lstWord(index);
    mutableControl(cmdDelete0 + index).enabled = list.count() > 0 && list.selected() != -1;
}

void SettingsWindow::setApplyEnable(bool isChanged) { mutableControl(cmdApply).enabled = isChanged; }

void SettingsWindow::setDeferredDeliveryEnable(bool flag) {
    mutableControl(chkUseDeferredDelivery).value = flag ? 1 : 0;
    for (ControlId id : {txtDeferredTime, updDeferredTime, lblDeferredTime}) mutableControl(id).enabled = flag;
}

void SettingsWindow::cmdApply_Click() {
    // Both report their own failures; Apply is disabled whatever they met.
    context_.config.saveConfigXML(*this);
    context_.config.loadConfigXML();
    setApplyEnable(false);
}

std::int32_t SettingsWindow::entryCount(int list) { return lstWord(list).count(); }
std::u16string SettingsWindow::entry(int list, std::int32_t index) { return lstWord(list).item(index); }
std::u16string SettingsWindow::minutesText() { return control(txtDeferredTime).caption; }
bool SettingsWindow::useDeferredDeliveryChecked() { return control(chkUseDeferredDelivery).value == 1; }

}  // namespace sw::ui
