#include "diagnostics/hresult.h"
#include <gtest/gtest.h>

#include "support/addin_fixture.h"

namespace sw {
namespace {

using test::AddInTest;

TEST_F(AddInTest, ConfirmedMailIsSavedShownAndSent) {
    connect();
    auto item = app->newItem(typicalMail());
    windows.actions.push_back(ok);
    EXPECT_FALSE(send(*item, true));
    EXPECT_EQ(item->state().saveCount, 1);
    EXPECT_EQ(windows.shows, 1);
    EXPECT_EQ(item->state().deferredDeliveryTime, notDeferred);  // deferral off: untouched
    EXPECT_FALSE(addin.dialog().visible());
}

TEST_F(AddInTest, CancelOrAnyOtherCloseStopsTheSentButSavedMail) {
    connect();
    for (auto action : {sim::ScriptedWindows::Action(cancel),
                        sim::ScriptedWindows::Action([](ui::WindowModel& w) { w.closeRequested(); }),
                        onDialog([](ui::ConfirmDialog& d) {
                            d.keyDown(ui::Key::escape, {});  // Esc is bound to nothing...
                            d.focusChanged(ui::dialog::fgdRecipients);
                            d.keyDown(ui::Key::enter, {});  // ...and Enter off the buttons cancels
                        })}) {
        auto item = app->newItem(typicalMail());
        windows.actions.push_back(action);
        EXPECT_TRUE(send(*item));
        EXPECT_EQ(item->state().saveCount, 1);
    }
}

TEST_F(AddInTest, EveryMailIsShownEvenWithoutAnyWarning) {
    connect();
    sim::MailState m = typicalMail();
    m.recipients = {{u"社内", u"a@example.co.jp", 1}};
    auto item = app->newItem(m);
    windows.actions.push_back(onDialog([](ui::ConfirmDialog& d) {
        EXPECT_EQ(d.control(ui::dialog::lblCheckSubject).caption, u"");
        EXPECT_EQ(d.control(ui::dialog::lblCheckBody).caption, u"");
        EXPECT_EQ(d.control(ui::dialog::lblCheckAttachment).caption, u"");
        d.keyDown(ui::Key::enter, {});  // focus starts on OK
    }));
    EXPECT_FALSE(send(*item));
    EXPECT_EQ(windows.shows, 1);
}

TEST_F(AddInTest, NonMailItemsAndAnUnloadedConfigurationPassUnchecked) {
    connect();
    sim::MailState meeting = typicalMail();
    meeting.itemClass = host::olMeetingRequest;
    auto request = app->newItem(meeting);
    EXPECT_TRUE(send(*request, true));  // the host's flag as it was
    EXPECT_FALSE(send(*request, false));
    EXPECT_EQ(request->state().saveCount, 0);

    writeConfig("<deferred-delivery use=\"True\">bad</deferred-delivery>");
    addin.config().loadConfigXML();  // a failed reload, as from the settings window
    env.messageBoxes.shown.clear();
    auto mail = app->newItem(typicalMail());
    EXPECT_FALSE(send(*mail, true));
    EXPECT_EQ(mail->state().saveCount, 0);
    EXPECT_EQ(windows.shows, 0);
    EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(AddInTest, DialogShowsRecipientsWarningsAndLayout) {
    connect();
    sim::MailState m = typicalMail();
    m.subject = u"";
    m.body = u"社外秘の資料を添付します。";
    m.replyRecipients = {{u"窓口", u"desk@other.example", 0}};
    auto item = app->newItem(m);
    windows.actions.push_back(onDialog([](ui::ConfirmDialog& d) {
        const ui::Grid& g = d.fgdRecipients();
        ASSERT_EQ(g.rows(), 3);
        EXPECT_EQ(g.cell(0, 0).text, u"種類");
        EXPECT_EQ(g.cell(0, 2).text, u"アドレス");
        EXPECT_EQ(g.cell(1, 0).text, u"TO");
        EXPECT_EQ(g.cell(1, 2).foreColor, ui::black);
        EXPECT_EQ(g.cell(2, 0).text, u"CC");
        EXPECT_EQ(g.cell(2, 1).foreColor, ui::red);
        const ui::Grid& r = d.fgdReplyRecipients();
        ASSERT_EQ(r.rows(), 2);
        EXPECT_EQ(r.cell(1, 0).text, u"Reply-TO");
        EXPECT_EQ(r.cell(1, 2).foreColor, ui::black);  // never classified
        EXPECT_TRUE(d.control(ui::dialog::fraReplyRecipients).visible);
        EXPECT_EQ(d.control(ui::dialog::fraButtons).rect.top, 4200);
        EXPECT_EQ(d.frame().outerHeight, 5400);
        EXPECT_EQ(d.control(ui::dialog::lblCheckSubject).caption, u"※件名が空です。");
        EXPECT_EQ(d.control(ui::dialog::lblCheckBody).caption, u"※本文に取扱注意の語句が含まれています。");
        EXPECT_EQ(d.control(ui::dialog::lblCheckAttachment).caption, u"※ファイルの添付漏れの可能性があります。");
        d.cmdCancel_Click();
    }));
    send(*item);
    // The buttons clear the warning lines on their way out.
    EXPECT_EQ(addin.dialog().control(ui::dialog::lblCheckBody).caption, u"");
}

TEST_F(AddInTest, NothingOfTheLastSendShowsInTheNext) {
    connect();
    sim::MailState first = typicalMail();
    first.subject = u"";
    first.replyRecipients = {{u"r", u"r@other.example", 0}};
    auto a = app->newItem(first);
    windows.actions.push_back(cancel);
    send(*a);

    sim::MailState second = typicalMail();
    second.recipients = {{u"only", u"only@example.co.jp", 3}};
    auto b = app->newItem(second);
    windows.actions.push_back(onDialog([](ui::ConfirmDialog& d) {
        EXPECT_EQ(d.fgdRecipients().rows(), 2);
        EXPECT_EQ(d.fgdRecipients().cell(1, 0).text, u"BCC");
        EXPECT_FALSE(d.control(ui::dialog::fraReplyRecipients).visible);
        EXPECT_EQ(d.control(ui::dialog::fraButtons).rect.top, 3120);
        EXPECT_EQ(d.frame().outerHeight, 4320);
        EXPECT_EQ(d.control(ui::dialog::lblCheckSubject).caption, u"");
        d.cmdOK_Click();
    }));
    EXPECT_FALSE(send(*b));
}

TEST_F(AddInTest, FailedSendNeverLeavesItsRecipientsForTheNextDialog) {
    connect();
    auto a = app->newItem(typicalMail());
    app->faults().failNext("Item.ReplyRecipients", hresult::eFail, u"busy");
    EXPECT_TRUE(send(*a));  // stopped before the dialog
    EXPECT_EQ(windows.shows, 0);

    sim::MailState second = typicalMail();
    second.recipients = {{u"x", u"x@example.co.jp", 1}};
    auto b = app->newItem(second);
    app->faults().failNext("Recipients.Count", hresult::eFail, u"busy");  // the grid is never filled
    windows.actions.push_back(onDialog([](ui::ConfirmDialog& d) {
        EXPECT_FALSE(d.fgdRecipients().initialised());  // not the first mail's rows
        d.cmdCancel_Click();
    }));
    send(*b);
    EXPECT_EQ(windows.shows, 1);
}

TEST_F(AddInTest, DeferredDeliveryFollowsTheSendImmediatelyBox) {
    connect("<body-check/><attachment-check/><recipient-check/><deferred-delivery use=\"True\">5</deferred-delivery>");
    env.clock.fix({2026, 12, 8, 10, 0, 0});
    auto deferred = app->newItem(typicalMail());
    windows.actions.push_back(onDialog([](ui::ConfirmDialog& d) {
        EXPECT_TRUE(d.control(ui::dialog::chkNotDeferred).visible);
        EXPECT_EQ(d.chkNotDeferred(), 0);
        d.cmdOK_Click();
    }));
    EXPECT_FALSE(send(*deferred));
    EXPECT_EQ(deferred->state().deferredDeliveryTime, LocalDateTime(2026, 12, 8, 10, 5, 0));

    sim::MailState userDeferred = typicalMail();
    userDeferred.deferredDeliveryTime = {2026, 12, 24, 9, 0, 0};
    auto immediate = app->newItem(userDeferred);
    windows.actions.push_back(onDialog([](ui::ConfirmDialog& d) {
        d.chkNotDeferred_Click();
        d.cmdOK_Click();
    }));
    EXPECT_FALSE(send(*immediate));
    EXPECT_EQ(immediate->state().deferredDeliveryTime, notDeferred);

    auto cancelled = app->newItem(typicalMail());
    windows.actions.push_back(cancel);
    EXPECT_TRUE(send(*cancelled));
    EXPECT_EQ(cancelled->state().deferredDeliveryTime, notDeferred);
}

TEST_F(AddInTest, SendImmediatelyBoxIsHiddenAndTickedWhenDeferralIsOff) {
    connect();
    auto item = app->newItem(typicalMail());
    windows.actions.push_back(onDialog([](ui::ConfirmDialog& d) {
        EXPECT_FALSE(d.control(ui::dialog::chkNotDeferred).visible);
        EXPECT_EQ(d.chkNotDeferred(), 1);
        d.chkNotDeferred_Click();  // a hidden box cannot be clicked
        EXPECT_EQ(d.chkNotDeferred(), 1);
        d.cmdOK_Click();
    }));
    send(*item);
}

TEST_F(AddInTest, DebugModeWritesTheTwoSendLines) {
    env.clock.fix({2026, 12, 8, 10, 0, 0});
    connect("<body-check/><attachment-check/><recipient-check/>"
            "<deferred-delivery use=\"True\">5</deferred-delivery><debug>True</debug>");
    std::filesystem::remove(folder / "debug.log");
    auto item = app->newItem(typicalMail());
    windows.actions.push_back(ok);
    send(*item);
    const std::string log = folder.read("debug.log");
    EXPECT_NE(log.find("\tfrmDialog\tinitChkDeferredTime\tItem判定\t0\t\t\tuseDeferredDelivery = True\r\n"),
              std::string::npos) << log;
    EXPECT_NE(log.find("\tfrmDialog\tsetRecipientsData\tフレキシブルグリッド初期化前\t0\t\t\t宛先件数 = 2\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("\tdsrOutlook2003\tobjApp_ItemSend\t宛先確認ダイアログ表示\t0\t\t\r\n"), std::string::npos);
    EXPECT_NE(log.find("\t\t打ち合わせの件:chkNotDeferred = 0 useDeferredDelivery = True "
                       "Before DeferredDeliveryTime = 4501/01/01 After DeferredDeliveryTime = 2026/12/08 10:05:00 "
                       "Item.DeferredDeliveryTime = 2026/12/08 10:05:00\r\n"),
              std::string::npos)
        << log;
}

TEST_F(AddInTest, KeyboardRules) {
    connect();
    const struct {
        std::function<void(ui::ConfirmDialog&)> keys;
        bool cancelled;
    } rows[] = {
        {[](ui::ConfirmDialog& d) { d.keyDown(ui::Key::enter, {}); }, false},  // focus starts on OK
        {[](ui::ConfirmDialog& d) { d.keyDown(ui::Key::character, {.alt = true}, u'o'); }, false},
        {[](ui::ConfirmDialog& d) { d.keyDown(ui::Key::character, {.alt = true}, u'C'); }, true},
        {[](ui::ConfirmDialog& d) {
             d.keyDown(ui::Key::tab, {});  // OK -> Cancel
             EXPECT_EQ(d.focus(), ui::dialog::cmdCancel);
             d.keyDown(ui::Key::tab, {.shift = true});
             EXPECT_EQ(d.focus(), ui::dialog::cmdOK);
             d.keyDown(ui::Key::tab, {});
             d.keyDown(ui::Key::enter, {});
         },
         true},
        {[](ui::ConfirmDialog& d) {
             d.focusChanged(ui::dialog::fgdRecipients);
             d.keyDown(ui::Key::character, {}, u'o');  // the grid takes plain letters
             EXPECT_TRUE(d.visible());
             d.keyDown(ui::Key::escape, {});
             EXPECT_TRUE(d.visible());
             d.closeRequested();
         },
         true},
    };
    for (const auto& row : rows) {
        auto item = app->newItem(typicalMail());
        windows.actions.push_back(onDialog(row.keys));
        EXPECT_EQ(send(*item), row.cancelled);
    }
}

}  // namespace
}  // namespace sw
