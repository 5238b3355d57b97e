#include <gtest/gtest.h>

#include "support/settings_fixture.h"

namespace sw {
namespace {

using E = ui::EntryEditor;
using S = ui::SettingsWindow;
using Texts = std::vector<std::u16string>;

class EntryEditorTest : public test::SettingsTest {};

TEST(SortedListTest, OrdersByFoldedUnitsAndPutsCaseTwinsFirst) {
    struct Row {
        Texts added;
        Texts order;
    };
    const Row rows[] = {
        {{u"b", u"C", u"a"}, {u"a", u"b", u"C"}},
        {{u"abc", u"ABC"}, {u"ABC", u"abc"}},      // equal ignoring case: before the one there
        {{u"ＡＢ", u"ａａ"}, {u"ａａ", u"ＡＢ"}},  // full-width letters fold too
        {{u"Ωmega", u"ωa"}, {u"ωa", u"Ωmega"}},
        {{u"[", u"a"}, {u"[", u"a"}},  // after folding '[' (0x5B) sorts before 'a' (0x61)
    };
    for (const Row& r : rows) {
        ui::Control box;
        box.value = -1;
        ui::SortedList list(box);
        for (const auto& t : r.added) list.add(t);
        EXPECT_EQ(box.items, r.order);
    }
}

TEST_F(EntryEditorTest, AddingRefusesOnlyAnExactTwin) {
    struct Row {
        const char* what;
        Texts list;
        std::u16string typed;
        bool accepted;
        Texts after;
    };
    const Row rows[] = {
        {"exact twin", {u"abc", u"xyz"}, u"abc", false, {u"abc", u"xyz"}},
        {"other case", {u"abc"}, u"ABC", true, {u"ABC", u"abc"}},
        {"lands last", {u"abc"}, u"zzz", true, {u"abc", u"zzz"}},
        // a twin behind a case variant is still found (the file's order, shown ABC, abc)
        {"twin after a variant", {u"abc", u"ABC"}, u"abc", false, {u"ABC", u"abc"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        env.messageBoxes.shown.clear();
        open(r.list);
        window.selectionChanged(S::lstWord0, 0);
        const std::u16string selected = shown(0)[0];
        ui::EntryEditor* editor = nullptr;
        windows.actions.push_back([&](ui::WindowModel& w) {
            editor = &dynamic_cast<E&>(w);
            EXPECT_FALSE(w.control(E::cmdOK).enabled);
            test::typeAndPress(r.typed)(w);
            EXPECT_EQ(w.visible(), !r.accepted);
            if (r.accepted) return;
            EXPECT_EQ(w.focus(), E::txtEdit);
            EXPECT_EQ(w.control(E::txtEdit).selectionStart, 0);
            EXPECT_EQ(w.control(E::txtEdit).selectionLength, static_cast<int>(r.typed.size()));
            w.click(E::cmdCancel);
        });
        window.click(S::cmdAdd0);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(shown(0), r.after);
        EXPECT_EQ(window.lstWord(0).item(window.lstWord(0).selected()), selected);
        EXPECT_EQ(enabled(S::cmdApply), r.accepted);
        EXPECT_EQ(env.messageBoxes.shown.size(), r.accepted ? 0u : 1u);
        if (!r.accepted) {
            EXPECT_EQ(env.messageBoxes.shown[0].text, E::duplicateWarning);
            EXPECT_EQ(env.messageBoxes.shown[0].style, mb::exclamation);
        }
        window.click(S::cmdOK);
        EXPECT_EQ(saved(ConfigList::bodyCheckWords), r.after);
    }
}

TEST_F(EntryEditorTest, EditingKeepsThePlaceAndMayMakeATwin) {
    open({u"abc", u"mno", u"xyz"});
    window.selectionChanged(S::lstWord0, 2);
    windows.actions.push_back([](ui::WindowModel& w) {
        EXPECT_EQ(w.control(E::txtEdit).selectionLength, 3);  // the entry, fully selected
        EXPECT_TRUE(w.control(E::cmdOK).enabled);
        test::typeAndPress(u"abc")(w);
    });
    window.doubleClick(S::lstWord0);
    EXPECT_EQ(shown(0), (Texts{u"abc", u"mno", u"abc"}));
    window.click(S::cmdOK);
    EXPECT_EQ(saved(ConfigList::bodyCheckWords), (Texts{u"abc", u"mno", u"abc"}));
}

TEST_F(EntryEditorTest, ActivationTextsFollowTheListAndMode) {
    struct Row {
        int list;
        ui::ControlId button;
        std::u16string caption;
        int imeMode;
    };
    const Row rows[] = {
        {0, S::cmdAdd0, u"本文チェック語句の追加", 1},
        {1, S::cmdEdit1, u"添付漏れチェック語句の編集", 1},
        {2, S::cmdAdd2, u"アドレスまたはドメインの追加", 2},
        {2, S::cmdEdit2, u"アドレスまたはドメインの編集", 2},
    };
    writeConfig("<body-check/><attachment-check><word>w</word></attachment-check>"
                "<recipient-check><domain>d</domain></recipient-check>"
                "<deferred-delivery use=\"False\">0</deferred-delivery><debug>False</debug>");
    store.loadConfigXML();
    window.load();
    for (const Row& r : rows) {
        window.selectionChanged(S::tbsOptions, r.list);
        window.selectionChanged(S::lstWord0 + r.list, 0);
        windows.actions.push_back([&](ui::WindowModel& w) {
            EXPECT_EQ(w.title(), r.caption);
            EXPECT_EQ(w.control(E::txtEdit).imeMode, r.imeMode);
            w.keyDown(ui::Key::escape, {});  // Escape does nothing here
            EXPECT_TRUE(w.visible());
            w.textChanged(E::txtEdit, u"");
            EXPECT_FALSE(w.control(E::cmdOK).enabled);
            w.textChanged(E::txtEdit, u" ");  // a space is text
            EXPECT_TRUE(w.control(E::cmdOK).enabled);
            w.click(E::cmdCancel);
        });
        window.click(r.button);
    }
    EXPECT_EQ(shown(1), Texts{u"w"});
    EXPECT_EQ(shown(2), Texts{u"d"});
    EXPECT_FALSE(enabled(S::cmdApply));
}

}  // namespace
}  // namespace sw
