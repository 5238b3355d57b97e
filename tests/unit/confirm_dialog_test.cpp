#include <gtest/gtest.h>

#include "support/addin_fixture.h"
#include "text.h"

namespace sw {
namespace {

class ConfirmDialogTest : public test::AddInTest {
protected:
    ui::ConfirmDialog& d = addin.dialog();
    void SetUp() override {
        connect();
        d.load();
        d.initDialog();
    }
};

TEST_F(ConfirmDialogTest, DesignedWindowMatchesTheLayout) {
    EXPECT_TRUE(d.frame().topmost);
    EXPECT_EQ(d.control(ui::dialog::picIcon).icon, ui::SystemIcon::question);
    const auto& ok = d.control(ui::dialog::cmdOK);
    EXPECT_EQ(ok.caption, u"&OK");
    EXPECT_EQ(ok.rect, (ui::Rect{1560, 240, 1095, 375}));
    EXPECT_EQ(ok.container, ui::dialog::fraButtons);
    EXPECT_EQ(d.control(ui::dialog::cmdCancel).tabIndex, 1);
    EXPECT_EQ(d.control(ui::dialog::lblCheckBody).foreColor, ui::red);
    EXPECT_TRUE(d.control(ui::dialog::lblCheckBody).font.bold);
    EXPECT_FALSE(d.control(ui::dialog::lblCheckSubject).font.bold);
    EXPECT_EQ(d.control(ui::dialog::fgdReplyRecipients).rect, (ui::Rect{120, 240, 5775, 735}));
    const auto& link = d.control(ui::dialog::llbAmazon);
    EXPECT_EQ(link.caption, u"Amazonで買い物");
    EXPECT_EQ(link.link, ui::ConfirmDialog::linkTarget);
    EXPECT_TRUE(link.font.underline);
    EXPECT_EQ(link.foreColor, ui::colours::blue);
    EXPECT_EQ(d.control(ui::dialog::fgdRecipients).font, (ui::Font{u"ＭＳ Ｐゴシック", 9}));
    EXPECT_TRUE(d.control(ui::dialog::cmdCancel).isDefault);
    for (const auto& c : d.controls()) EXPECT_FALSE(c.isCancel) << toUtf8(c.name);  // Esc presses nothing
    const ui::WindowFrame frame = d.frame();
    EXPECT_EQ(frame.clientWidth, 6030);
    EXPECT_EQ(frame.outerHeight, 5400);
    EXPECT_FALSE(frame.inTaskbar);
    EXPECT_EQ(d.control(ui::dialog::lblMessage).caption, u"以下の宛先に送信します。\r\nよろしいですか？");
}

TEST_F(ConfirmDialogTest, EmptyCollectionLeavesTheHeaderAlone) {
    auto item = app->newItem({});
    d.setRecipients(*item);
    const ui::Grid& g = d.fgdRecipients();
    ASSERT_EQ(g.rows(), 1);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.cols(), 3);
    EXPECT_EQ(g.columnWidth(0), 750);
    EXPECT_EQ(g.columnWidth(1), 1500);
    EXPECT_EQ(g.columnWidth(2), 3000);
    EXPECT_EQ(g.cell(0, 1).text, u"名前");
    EXPECT_EQ(g.cell(0, 1).alignment, 4);
}

TEST_F(ConfirmDialogTest, UnknownRecipientTypesReadOtherAndAreStillClassified) {
    sim::MailState m;
    m.recipients = {{u"orig", u"me@example.co.jp", 0}, {u"odd", u"x@other.example", 9}};
    auto item = app->newItem(m);
    d.setRecipients(*item);
    const ui::Grid& g = d.fgdRecipients();
    EXPECT_EQ(g.cell(1, 0).text, u"other");
    EXPECT_EQ(g.cell(1, 0).foreColor, ui::black);
    EXPECT_EQ(g.cell(2, 0).text, u"other");
    EXPECT_EQ(g.cell(2, 2).foreColor, ui::red);
}

TEST_F(ConfirmDialogTest, ReplyToGridOnlyRefilledWhenThereAreAddresses) {
    sim::MailState with;
    with.replyRecipients = {{u"a", u"a@other.example", 0}, {u"b", u"b@other.example", 0}};
    d.setReplyRecipients(*app->newItem(with));
    EXPECT_EQ(d.fgdReplyRecipients().rows(), 3);
    const int countsBefore = app->faults().calls("Item.ReplyRecipients");
    d.setReplyRecipients(*app->newItem({}));
    EXPECT_EQ(app->faults().calls("Item.ReplyRecipients") - countsBefore, 1);  // asked once, not refilled
    EXPECT_FALSE(d.control(ui::dialog::fraReplyRecipients).visible);
    EXPECT_EQ(d.fgdReplyRecipients().rows(), 3);  // hidden, not cleared
}

TEST_F(ConfirmDialogTest, GridFailureAfterSomeRowsKeepsThemAndReportsOnce) {
    sim::MailState m;
    m.recipients = {{u"a", u"a@example.co.jp", 1}, {u"b", u"b@example.co.jp", 1}, {u"c", u"c@example.co.jp", 1}};
    auto item = app->newItem(m);
    app->faults().failOn("Recipients.Item", app->faults().calls("Recipients.Item") + 2, 440, u"Automation error");
    d.setRecipients(*item);
    const ui::Grid& g = d.fgdRecipients();
    ASSERT_EQ(g.rows(), 4);
    EXPECT_EQ(g.cell(1, 2).text, u"a@example.co.jp");
    EXPECT_EQ(g.cell(2, 2).text, u"");
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"setRecipientsData");
}

TEST_F(ConfirmDialogTest, TabOrderSkipsHiddenControls) {
    d.setReplyRecipients(*app->newItem({}));
    d.show();
    EXPECT_EQ(d.focus(), ui::dialog::cmdOK);
    // Deferral off: the box is hidden; no Reply-To: that grid is hidden with its frame.
    // The icon (place 4) and the link (place 8) take the focus; labels and frames never do.
    using namespace ui::dialog;
    EXPECT_EQ(d.tabStops(), (std::vector<ui::ControlId>{cmdOK, cmdCancel, picIcon, llbAmazon, fgdRecipients}));
    d.focusChanged(ui::dialog::chkNotDeferred);
    EXPECT_EQ(d.focus(), ui::dialog::cmdOK);
}

TEST_F(ConfirmDialogTest, RightPressOnADataRowSelectsItAndOffersTheSafeListItem) {
    sim::MailState m = typicalMail();
    d.setRecipients(*app->newItem(m));
    const struct {
        ui::MouseButton button;
        int row;
        bool menu;
    } rows[] = {
        {ui::MouseButton::right, 2, true},
        {ui::MouseButton::right, 0, false},   // the header row
        {ui::MouseButton::right, -1, false},  // below the last row
        {ui::MouseButton::right, 3, false},   // past the grid: nothing to select
        {ui::MouseButton::left, 2, false},    // only the focus
        {ui::MouseButton::middle, 1, false},
    };
    for (const auto& row : rows) {
        d.show();
        d.fgdRecipients().setRow(1);
        d.mouseDown(ui::dialog::fgdRecipients, row.button, row.row);
        EXPECT_EQ(d.focus(), ui::dialog::fgdRecipients) << row.row;
        ASSERT_EQ(d.popup().has_value(), row.menu) << row.row;
        if (!row.menu) {
            EXPECT_EQ(d.fgdRecipients().row(), 1);  // the current row stays
            continue;
        }
        const ui::Grid& g = d.fgdRecipients();
        EXPECT_EQ(g.row(), row.row);
        for (int c = 0; c < 3; ++c) EXPECT_TRUE(g.selected(row.row, c)) << c;
        EXPECT_FALSE(g.selected(1, 0));
        ASSERT_EQ(d.popup()->items.size(), 1u);
        EXPECT_EQ(d.popup()->items[0].id, ui::dialog::mnuAddSafeDomain);
        EXPECT_EQ(d.popup()->items[0].caption, u"宛先セーフリストに追加");
    }
}

TEST_F(ConfirmDialogTest, ChoosingTheSafeListItemRunsTheAdditionAndLeavesTheDecisionAlone) {
    d.setRecipients(*app->newItem(typicalMail()));
    d.show();
    d.menuChosen(ui::dialog::mnuAddSafeDomain);  // no addition plugged in: nothing happens
    std::u16string added;
    d.setSafeListAddition([&](ui::ConfirmDialog& dialog) {
        const ui::Grid& g = dialog.fgdRecipients();
        added = g.cell(g.row(), 2).text;
    });
    d.mouseDown(ui::dialog::fgdRecipients, ui::MouseButton::right, 2);
    d.menuChosen(ui::dialog::mnuAddSafeDomain);
    EXPECT_EQ(added, u"someone@other.example");
    EXPECT_FALSE(d.popup());
    EXPECT_TRUE(d.visible());
    EXPECT_TRUE(d.cancelled());
}

TEST_F(ConfirmDialogTest, LinkOpensTheShoppingPageAndKeepsTheDialogOpen) {
    d.show();
    d.click(ui::dialog::llbAmazon);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], ui::ConfirmDialog::linkTarget);
    EXPECT_TRUE(d.visible());
}

TEST_F(ConfirmDialogTest, SendImmediatelyValueStaysReadableAfterClosing) {
    writeConfig("<deferred-delivery use=\"True\">5</deferred-delivery>");
    addin.config().loadConfigXML();
    d.initDialog();
    d.show();
    d.keyDown(ui::Key::tab, {});
    d.keyDown(ui::Key::tab, {});
    EXPECT_EQ(d.focus(), ui::dialog::chkNotDeferred);
    d.keyDown(ui::Key::space, {});
    d.keyDown(ui::Key::character, {}, u'o');  // a plain access key works off the text-taking grid
    EXPECT_FALSE(d.visible());
    EXPECT_FALSE(addin.cancelSend());
    EXPECT_EQ(d.chkNotDeferred(), 1);
}

}  // namespace
}  // namespace sw
