// The host interfaces: the substitute Outlook and the IDispatch adapter talking to
// Outlook's objects give the same answers, events and failures.
#include "contract/ports.h"
#include "diagnostics/failure.h"
#include "diagnostics/hresult.h"

namespace sw::test {
namespace {

class HostContract : public ::testing::TestWithParam<PortSet> {
protected:
    sim::SimApplication sim;
    std::shared_ptr<host::Application> app = GetParam().application(sim);

    std::unique_ptr<host::Item> item(sim::MailState& mail) { return GetParam().item(sim, mail); }
};

sim::MailState sampleMail() {
    sim::MailState m;
    m.subject = u"お見積りの件";
    m.body = u"本文です。\r\n二行目";
    m.attachmentCount = 2;
    m.deferredDeliveryTime = {2024, 3, 31, 23, 59, 58};
    m.recipients = {{u"山田 太郎", u"taro@example.co.jp", host::olTo},
                    {u"Exchange User", u"/o=ExchangeLabs/ou=Exchange/cn=Recipients/cn=user", host::olCC},
                    {u"", u"bcc@example.com", host::olBCC}};
    m.replyRecipients = {{u"返信先", u"reply@example.com", 0}};
    return m;
}

TEST_P(HostContract, ReadsAMailItemAsOutlookHoldsIt) {
    sim::MailState mail = sampleMail();
    const auto read = item(mail);
    EXPECT_EQ(read->itemClass(), host::olMail);
    EXPECT_EQ(read->subject(), mail.subject);
    EXPECT_EQ(read->body(), mail.body);
    EXPECT_EQ(read->attachmentCount(), 2);
    EXPECT_EQ(read->deferredDeliveryTime(), mail.deferredDeliveryTime);
    const auto recipients = read->recipients();
    ASSERT_EQ(recipients->count(), 3);
    for (std::int32_t i = 1; i <= 3; ++i) {
        const auto r = recipients->item(i);
        const sim::RecipientState& expected = mail.recipients[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(r->name(), expected.name);
        EXPECT_EQ(r->address(), expected.address);
        EXPECT_EQ(r->type(), expected.type);
    }
    EXPECT_EQ(read->replyRecipients()->item(1)->address(), u"reply@example.com");
    read->save();
    EXPECT_EQ(mail.saveCount, 1);
}

TEST_P(HostContract, DeferredDeliveryTimeGoesThroughTheOleDateExactly) {
    for (const LocalDateTime when : {notDeferred, LocalDateTime{2025, 1, 2, 3, 4, 5}, LocalDateTime{1900, 1, 1, 0, 0, 1}}) {
        sim::MailState mail;
        item(mail)->setDeferredDeliveryTime(when);
        EXPECT_EQ(mail.deferredDeliveryTime, when);
    }
}

TEST_P(HostContract, ExplorerToolsBarAndButton) {
    struct Row {
        const char* comment;
        bool explorer, tools;
    };
    for (const Row row : {Row{"explorer with a Tools bar", true, true}, Row{"no Tools bar", true, false},
                          Row{"no explorer window", false, false}}) {
        SCOPED_TRACE(row.comment);
        sim.setExplorerOpen(row.explorer);
        if (row.explorer) sim.setToolsBarPresent(row.tools);
        const auto explorer = app->activeExplorer();
        EXPECT_EQ(explorer != nullptr, row.explorer);
        if (!explorer) continue;
        const auto tools = explorer->commandBar(u"Tools");
        EXPECT_EQ(tools != nullptr, row.tools);
        if (!tools) continue;
        EXPECT_EQ(tools->findControlByTag(u"Sendvigil"), nullptr);
        const auto button = tools->addButton(true);
        button->setBeginGroup(true);
        button->setTag(u"Sendvigil");
        button->setCaption(u"宛先確認");
        button->setOnAction(u"!<Sendwarden.dsrOutlook2003>");
        EXPECT_EQ(sim.toolsControl(0), (sim::ControlState{host::msoControlButton, true, true, u"Sendvigil", u"宛先確認",
                                                          u"!<Sendwarden.dsrOutlook2003>"}));
        int clicks = 0;
        {
            const auto found = tools->findControlByTag(u"Sendvigil");
            ASSERT_NE(found, nullptr);
            const auto connection = found->onClick([&] { ++clicks; });
            sim.clickButton(0);
        }
        sim.clickButton(0);  // disconnected
        EXPECT_EQ(clicks, 1);
    }
}

TEST_P(HostContract, ItemSendReachesTheHandlerAndItsAnswerReachesOutlook) {
    sim::MailState mail = sampleMail();
    sim::SimItem sent(mail, sim.sharedFaults());
    std::u16string seen;
    {
        const auto connection = app->onItemSend([&](host::Item& i, bool& cancel) {
            seen = i.subject();
            cancel = !cancel;
        });
        bool cancel = false;
        sim.raiseItemSend(sent, cancel);
        EXPECT_TRUE(cancel);
        sim.raiseItemSend(sent, cancel);
        EXPECT_FALSE(cancel);
    }
    EXPECT_EQ(seen, mail.subject);
    EXPECT_EQ(sim.itemSendHandlerCount(), 0u);
    sim.setExchangeConnectionMode(host::olCachedConnectedFull);
    EXPECT_EQ(app->getNamespace(u"MAPI")->exchangeConnectionMode(), host::olCachedConnectedFull);
    EXPECT_EQ(app->name(), u"Outlook");
    EXPECT_EQ(GetParam().addInInstance(sim)->progId(), u"Sendwarden.dsrOutlook2003");
}

// Outlook's own number and text come back as the failure value.
TEST_P(HostContract, FailuresKeepOutlooksNumberAndText) {
    sim::MailState mail = sampleMail();
    const auto read = item(mail);
    struct Row {
        const char* operation;
        std::function<void()> call;
        bool textKept = true;  // a connection point answers with a bare HRESULT
    };
    const std::vector<Row> rows = {
        {"Item.Save", [&] { read->save(); }},
        {"Item.Class", [&] { read->itemClass(); }},
        {"Item.DeferredDeliveryTime.Set", [&] { read->setDeferredDeliveryTime(notDeferred); }},
        {"Recipients.Item", [&] { read->recipients()->item(1); }},
        {"Application.ActiveExplorer", [&] { app->activeExplorer(); }},
        {"Explorer.CommandBars", [&] { app->activeExplorer()->commandBar(u"Tools"); }},
        {"Application.ItemSend", [&] { app->onItemSend([](host::Item&, bool&) {}); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.operation);
        sim.faults().failNext(row.operation, hresult::eAccessDenied, u"操作は拒否されました。");
        try {
            row.call();
            ADD_FAILURE() << "no failure";
        } catch (const Failure& f) {
            EXPECT_EQ(f.number(), hresult::eAccessDenied);
            if (row.textKept) {
                EXPECT_EQ(f.description(), u"操作は拒否されました。");
            }
            EXPECT_FALSE(f.description().empty());
        }
    }
    try {
        read->recipients()->item(4);  // past Count
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), hresult::dispEBadIndex);
    }
}

INSTANTIATE_TEST_SUITE_P(Platform, HostContract, ::testing::ValuesIn(platformPorts()), portName);

}  // namespace
}  // namespace sw::test
