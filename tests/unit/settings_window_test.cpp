#include <gtest/gtest.h>

#include "support/addin_fixture.h"
#include "support/settings_fixture.h"
#include "ui/dialog/safe_list_addition.h"

namespace sw {
namespace {

using S = ui::SettingsWindow;

class SettingsWindowTest : public test::SettingsTest {};

TEST_F(SettingsWindowTest, DeletingMovesTheSelectionAndOkSavesTheRest) {
    struct Row {
        const char* what;
        std::vector<std::u16string> before;
        int selected;
        int answer;
        std::vector<std::u16string> after;
        int selectedAfter;
    };
    const Row rows[] = {
        // the entry before the deleted one is selected
        {"middle", {u"a", u"b", u"c", u"d", u"e"}, 3, mb::answerYes, {u"a", u"b", u"c", u"e"}, 2},
        {"first", {u"a", u"b", u"c"}, 0, mb::answerYes, {u"b", u"c"}, 0},
        {"last", {u"a", u"b"}, 1, mb::answerYes, {u"a"}, 0},
        {"only", {u"a"}, 0, mb::answerYes, {}, -1},
        // No changes neither the list nor Apply
        {"answered No", {u"a", u"b"}, 1, mb::answerNo, {u"a", u"b"}, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        env.messageBoxes.shown.clear();
        env.messageBoxes.answers = {r.answer};
        open(r.before);
        window.selectionChanged(S::lstWord0, r.selected);
        window.click(S::cmdDelete0);
        ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
        EXPECT_EQ(env.messageBoxes.shown[0].text, S::deleteQuestion);
        EXPECT_EQ(env.messageBoxes.shown[0].style, mb::yesNo | mb::question);
        EXPECT_EQ(shown(0), r.after);
        EXPECT_EQ(window.lstWord(0).selected(), r.selectedAfter);
        EXPECT_EQ(enabled(S::cmdEdit0), r.selectedAfter != -1);
        EXPECT_EQ(enabled(S::cmdDelete0), r.selectedAfter != -1);
        EXPECT_EQ(enabled(S::cmdApply), r.answer == mb::answerYes);
        window.click(S::cmdOK);
        EXPECT_FALSE(window.visible());
        EXPECT_EQ(saved(ConfigList::bodyCheckWords), r.after);
    }
}

TEST_F(SettingsWindowTest, WhatReachesTheFileByEachWayOut) {
    using Steps = std::function<void(S&)>;
    struct Row {
        const char* what;
        Steps steps;
        std::vector<std::u16string> body;
        std::u16string deferral;
    };
    auto add = [this](std::u16string text) {
        return [this, text](S& w) {
            windows.actions.push_back(test::typeAndPress(text));
            w.click(S::cmdAdd0);
        };
    };
    const Row rows[] = {
        // the file's order and duplicates come back sorted, duplicates kept
        {"OK unchanged", [](S& w) { w.click(S::cmdOK); }, {u"apple", u"banana", u"Banana", u"banana", u"cherry"}, u"5 on"},
        {"menu Close", [&](S& w) { add(u"date")(w); w.menuChosen(S::mnuClose); },
         {u"apple", u"banana", u"Banana", u"banana", u"cherry", u"date"}, u"5 on"},
        {"Ctrl+F4", [&](S& w) { add(u"date")(w); w.keyDown(ui::Key::f4, {.ctrl = true}); },
         {u"apple", u"banana", u"Banana", u"banana", u"cherry", u"date"}, u"5 on"},
        // Cancel, Escape and the close box discard
        {"Cancel", [&](S& w) { add(u"date")(w); w.click(S::cmdCancel); }, {u"cherry", u"banana", u"apple", u"Banana", u"banana"}, u"5 on"},
        {"Escape", [&](S& w) { add(u"date")(w); w.keyDown(ui::Key::escape, {}); }, {u"cherry", u"banana", u"apple", u"Banana", u"banana"}, u"5 on"},
        {"close box", [&](S& w) { add(u"date")(w); w.closeRequested(); }, {u"cherry", u"banana", u"apple", u"Banana", u"banana"}, u"5 on"},
        // a later Cancel does not undo what Apply saved
        {"Apply then Cancel",
         [&](S& w) {
             add(u"date")(w);
             w.click(S::cmdApply);
             EXPECT_FALSE(w.control(S::cmdApply).enabled);
             EXPECT_TRUE(w.visible());
             add(u"elder")(w);
             w.click(S::cmdCancel);
         },
         {u"apple", u"banana", u"Banana", u"banana", u"cherry", u"date"}, u"5 on"},
        // unticking keeps the number, saved with use off
        {"deferral unticked",
         [](S& w) {
             w.selectionChanged(S::tbsOptions, 3);
             w.click(S::chkUseDeferredDelivery);
             EXPECT_FALSE(w.control(S::txtDeferredTime).enabled);
             EXPECT_FALSE(w.control(S::updDeferredTime).enabled);
             EXPECT_FALSE(w.control(S::lblDeferredTime).enabled);
             w.spin(S::updDeferredTime, 1);  // a disabled spinner does not move
             w.click(S::cmdOK);
         },
         {u"apple", u"banana", u"Banana", u"banana", u"cherry"}, u"5 off"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        open({u"cherry", u"banana", u"apple", u"Banana", u"banana"});
        EXPECT_EQ(shown(0), (std::vector<std::u16string>{u"apple", u"banana", u"Banana", u"banana", u"cherry"}));
        EXPECT_FALSE(enabled(S::cmdApply));
        r.steps(window);
        EXPECT_FALSE(window.visible());
        EXPECT_EQ(saved(ConfigList::bodyCheckWords), r.body);
        EXPECT_EQ(savedDeferral(), r.deferral);
    }
}

TEST_F(SettingsWindowTest, CtrlTabStepsTabsAndOnlyTheSelectedPanelIsInPlace) {
    struct Row {
        int from;
        ui::KeyModifiers mods;
        int to;
    };
    const Row rows[] = {
        {0, {.ctrl = true}, 1},
        {3, {.ctrl = true}, 0},                 // wraps to the first tab
        {2, {.shift = true, .ctrl = true}, 2},  // Ctrl+Shift+Tab does nothing
        {2, {.ctrl = true, .alt = true}, 2},
    };
    open({u"a"});
    for (const Row& r : rows) {
        SCOPED_TRACE(r.from);
        window.selectionChanged(S::tbsOptions, r.from);
        window.keyDown(ui::Key::tab, r.mods);
        EXPECT_EQ(window.selectedTab(), r.to);
        for (int t = 0; t < S::tabCount; ++t) {
            const ui::Control& panel = window.control(S::picOptions0 + t);
            EXPECT_EQ(panel.enabled, t == r.to);
            EXPECT_EQ(panel.rect.left, t == r.to ? 240 : -20000);
            EXPECT_EQ(panel.rect.top, 360);
        }
    }
    // Only the shown panel's buttons answer their access key.
    window.selectionChanged(S::tbsOptions, 1);
    window.keyDown(ui::Key::character, {.alt = true}, u'a');
    EXPECT_EQ(titles.back(), u"添付漏れチェック語句の追加");
    window.menuChosen(S::mnuVersion);
    EXPECT_EQ(titles.back(), u"バージョン情報");
    EXPECT_TRUE(window.visible());
}

TEST_F(SettingsWindowTest, SpinnerStepsTheFieldWithinItsRange) {
    open({}, "<deferred-delivery use=\"True\">29</deferred-delivery>");
    EXPECT_TRUE(window.control(S::chkUseDeferredDelivery).value);
    EXPECT_FALSE(enabled(S::cmdApply));
    window.selectionChanged(S::tbsOptions, 3);
    window.spin(S::updDeferredTime, 1);
    EXPECT_EQ(window.control(S::txtDeferredTime).caption, u"30");
    EXPECT_TRUE(enabled(S::cmdApply));
    window.click(S::cmdApply);
    window.spin(S::updDeferredTime, 1);  // at the top: nothing changes
    EXPECT_FALSE(enabled(S::cmdApply));
    window.textChanged(S::txtDeferredTime, u"abc");  // typing is not taken
    window.focusChanged(S::txtDeferredTime);
    window.keyDown(ui::Key::down, {});
    EXPECT_EQ(window.control(S::txtDeferredTime).caption, u"29");
    window.click(S::cmdOK);
    EXPECT_EQ(savedDeferral(), u"29 on");
}

}  // namespace
}  // namespace sw

namespace sw {
namespace {

class SafeListFromDialogTest : public test::AddInTest {};

TEST_F(SafeListFromDialogTest, AddedAddressStaysSavedThoughTheSendIsCancelled) {
    struct Step {
        const char* what;
        int row;
        std::u16string message;
        int style;
    };
    const Step steps[] = {
        {"a red row is added and turns black", 2, ui::safeListAddedMessage, mb::information},
        {"the same address again changes nothing", 2, ui::EntryEditor::duplicateWarning, mb::exclamation},
    };
    connect();
    auto item = app->newItem(typicalMail());
    windows.actions.push_back(onDialog([&](ui::ConfirmDialog& d) {
        for (const Step& s : steps) {
            SCOPED_TRACE(s.what);
            env.messageBoxes.shown.clear();
            const std::string before = folder.read("config.xml");
            d.mouseDown(ui::dialog::fgdRecipients, ui::MouseButton::right, s.row);
            d.menuChosen(ui::dialog::mnuAddSafeDomain);
            ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
            EXPECT_EQ(env.messageBoxes.shown[0].text, s.message);
            EXPECT_EQ(env.messageBoxes.shown[0].style, s.style);
            if (s.style == mb::exclamation) {
                EXPECT_EQ(folder.read("config.xml"), before);
            }
            for (int c = 0; c < 3; ++c) EXPECT_EQ(d.fgdRecipients().cell(s.row, c).foreColor, ui::black);
            EXPECT_TRUE(d.visible());
        }
        d.click(ui::dialog::cmdCancel);
    }));
    EXPECT_TRUE(send(*item));
    sim::SimEnvironment fresh{folder.path()};
    fresh.config.loadConfigXML();
    EXPECT_EQ(fresh.config.entries(ConfigList::safeDomains),
              (std::vector<std::u16string>{u"example.co.jp", u"someone@other.example"}));
    EXPECT_TRUE(addin.config().configLoaded());
}

}  // namespace
}  // namespace sw
