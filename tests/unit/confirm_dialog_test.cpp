#include <gtest/gtest.h>

#include "support/addin_fixture.h"

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
    EXPECT_TRUE(d.topmost());
    EXPECT_TRUE(d.iconDrawn());
    const auto& ok = d.control(u"cmdOK");
    EXPECT_EQ(ok.caption, u"&OK");
    EXPECT_EQ(ok.rect, (ui::Rect{1560, 240, 1095, 375}));
    EXPECT_EQ(ok.container, u"fraButtons");
    EXPECT_EQ(d.control(u"cmdCancel").tabIndex, 1);
    EXPECT_EQ(d.control(u"lblCheckBody").foreColor, ui::red);
    EXPECT_TRUE(d.control(u"lblCheckBody").bold);
    EXPECT_FALSE(d.control(u"lblCheckSubject").bold);
    EXPECT_EQ(d.control(u"fgdReplyRecipients").rect, (ui::Rect{120, 240, 5775, 735}));
    EXPECT_EQ(d.control(u"llbAmazon").caption, u"Amazonで買い物");
    EXPECT_EQ(d.control(u"lblMessage").caption, u"以下の宛先に送信します。\r\nよろしいですか？");
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
    EXPECT_FALSE(d.control(u"fraReplyRecipients").visible);
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
    EXPECT_EQ(d.focus(), u"cmdOK");
    // Deferral off: the box is hidden; no Reply-To: that grid is hidden with its frame.
    EXPECT_EQ(d.tabStops(), (std::vector<std::u16string>{u"cmdOK", u"cmdCancel", u"fgdRecipients"}));
    d.setFocus(u"chkNotDeferred");
    EXPECT_EQ(d.focus(), u"cmdOK");
}

TEST_F(ConfirmDialogTest, LinkOpensTheShoppingPageAndKeepsTheDialogOpen) {
    d.show();
    d.llbAmazon_Click();
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
    EXPECT_EQ(d.focus(), u"chkNotDeferred");
    d.keyDown(ui::Key::space, {});
    d.keyDown(ui::Key::character, {}, u'o');  // a plain access key works off the text-taking grid
    EXPECT_FALSE(d.visible());
    EXPECT_FALSE(addin.cancelSend());
    EXPECT_EQ(d.chkNotDeferred(), 1);
}

}  // namespace
}  // namespace sw
