#include "diagnostics/hresult.h"
#include "sim/outlook/sim_outlook.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>

namespace sw::sim {
namespace {

constexpr std::int32_t eFail = hresult::eFail;

struct Sim {
    std::shared_ptr<FaultPlan> faults = std::make_shared<FaultPlan>();
    SimApplication app{faults};
    SimAddInInstance addIn{faults};
    std::unique_ptr<SimItem> item = app.newItem(MailState{
        .subject = u"s", .recipients = {{u"A", u"a@x", 1}, {u"B", u"b@x", 2}}, .replyRecipients = {{u"R", u"r@x", 0}}});

    std::unique_ptr<host::CommandBar> tools() { return app.activeExplorer()->commandBar(u"Tools"); }
};

void expectFailure(const std::function<void()>& call, std::int32_t number, const std::u16string& description) {
    try {
        call();
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), number);
        EXPECT_EQ(f.description(), description);
    }
}

TEST(SimFaultPlan, NthCallFailsAndEveryCallCounts) {
    Sim sim;
    sim.faults->failOn("Item.Save", 2, eFail, u"The operation failed.");
    sim.faults->failOn("Item.Save", 4, 13, u"Type mismatch");
    sim.item->save();
    expectFailure([&] { sim.item->save(); }, eFail, u"The operation failed.");
    sim.item->save();
    expectFailure([&] { sim.item->save(); }, 13, u"Type mismatch");
    sim.item->save();
    EXPECT_EQ(sim.faults->calls("Item.Save"), 5);
    EXPECT_EQ(sim.item->state().saveCount, 3);  // a failed save saves nothing
    EXPECT_EQ(sim.faults->calls("Item.Subject"), 0);
}

TEST(SimFaultPlan, FailNextCountsFromCallsAlreadyMade) {
    Sim sim;
    sim.item->subject();
    sim.item->subject();
    sim.faults->failNext("Item.Subject", 91, u"not set");
    expectFailure([&] { sim.item->subject(); }, 91, u"not set");
    EXPECT_EQ(sim.item->subject(), u"s");
}

TEST(SimFaultPlan, FailAlwaysLeavesOtherOperationsAlone) {
    Sim sim;
    sim.faults->failAlways("Recipient.Address", eFail, u"blocked");
    auto recipients = sim.item->recipients();
    auto first = recipients->item(1);
    for (int i = 0; i < 3; ++i) expectFailure([&] { first->address(); }, eFail, u"blocked");
    EXPECT_EQ(first->name(), u"A");
    EXPECT_EQ(sim.faults->calls("Recipient.Address"), 3);

    sim.faults->reset();
    EXPECT_EQ(first->address(), u"a@x");
    EXPECT_EQ(sim.faults->calls("Recipient.Address"), 1);
}

TEST(SimFaultPlan, RefusesFaultsThatCouldNeverFire) {
    Sim sim;
    sim.item->save();
    // a call that has already happened
    EXPECT_THROW(sim.faults->failOn("Item.Save", 1, 1, u""), std::invalid_argument);
    // call numbers are 1-based
    EXPECT_THROW(sim.faults->failOn("Item.Body", 0, 1, u""), std::invalid_argument);
    // misspelt operation names, wherever a test may use one
    EXPECT_THROW(sim.faults->failOn("Item.save", 5, 1, u""), std::invalid_argument);
    EXPECT_THROW(sim.faults->failAlways("MailItem.Save", 1, u""), std::invalid_argument);
    EXPECT_THROW(sim.faults->calls("Item.Saves"), std::invalid_argument);
}

// Each operation name must reach the host operation it names, and a failing
// operation must change nothing.
TEST(SimFaultPlan, EveryOperationCanBeMadeToFail) {
    Sim sim;
    auto button = sim.tools()->addButton(true);
    auto recipients = sim.item->recipients();
    auto recipient = recipients->item(1);
    auto mapi = sim.app.getNamespace(u"MAPI");
    const std::size_t controlsBefore = sim.app.toolsControlCount();
    const MailState stateBefore = sim.item->state();

    const std::vector<std::pair<std::string, std::function<void()>>> calls{
        {"Application.Name", [&] { sim.app.name(); }},
        {"Application.ActiveExplorer", [&] { sim.app.activeExplorer(); }},
        {"Application.GetNamespace", [&] { sim.app.getNamespace(u"MAPI"); }},
        {"Application.ItemSend", [&] { sim.app.onItemSend([](host::Item&, bool&) {}); }},
        {"Explorer.CommandBars", [&] { sim.tools(); }},
        {"CommandBar.FindControl", [&] { sim.tools()->findControlByTag(u"x"); }},
        {"CommandBar.Controls.Add", [&] { sim.tools()->addButton(true); }},
        {"Button.BeginGroup", [&] { button->setBeginGroup(true); }},
        {"Button.Tag", [&] { button->setTag(u"t"); }},
        {"Button.Caption", [&] { button->setCaption(u"c"); }},
        {"Button.OnAction", [&] { button->setOnAction(u"a"); }},
        {"Button.Click", [&] { button->onClick([] {}); }},
        {"AddInInstance.ProgId", [&] { sim.addIn.progId(); }},
        {"Item.Class", [&] { sim.item->itemClass(); }},
        {"Item.Save", [&] { sim.item->save(); }},
        {"Item.Subject", [&] { sim.item->subject(); }},
        {"Item.Body", [&] { sim.item->body(); }},
        {"Item.Attachments.Count", [&] { sim.item->attachmentCount(); }},
        {"Item.DeferredDeliveryTime.Get", [&] { sim.item->deferredDeliveryTime(); }},
        {"Item.DeferredDeliveryTime.Set", [&] { sim.item->setDeferredDeliveryTime({2025, 1, 1, 9, 0, 0}); }},
        {"Item.Recipients", [&] { sim.item->recipients(); }},
        {"Item.ReplyRecipients", [&] { sim.item->replyRecipients(); }},
        {"Recipients.Count", [&] { recipients->count(); }},
        {"Recipients.Item", [&] { recipients->item(1); }},
        {"Recipient.Name", [&] { recipient->name(); }},
        {"Recipient.Address", [&] { recipient->address(); }},
        {"Recipient.Type", [&] { recipient->type(); }},
        {"Namespace.ExchangeConnectionMode", [&] { mapi->exchangeConnectionMode(); }},
    };
    std::set<std::string> covered;
    for (const auto& [operation, call] : calls) {
        SCOPED_TRACE(operation);
        covered.insert(operation);
        sim.faults->reset();
        sim.faults->failAlways(operation, eFail, u"refused");
        expectFailure(call, eFail, u"refused");
        EXPECT_EQ(sim.faults->calls(operation), 1);
    }
    EXPECT_EQ(covered, std::set<std::string>(allOperations().begin(), allOperations().end()));
    EXPECT_EQ(covered.size(), allOperations().size());
    EXPECT_EQ(sim.item->state(), stateBefore);
    EXPECT_EQ(sim.app.toolsControlCount(), controlsBefore);
    EXPECT_EQ(sim.app.toolsControl(0), ControlState{.temporary = true});
    EXPECT_EQ(sim.app.itemSendHandlerCount(), 0u);
    EXPECT_EQ(sim.app.clickHandlerCount(0), 0u);
}

TEST(SimItem, RecipientsAreOneBasedAndRefuseOtherIndexes) {
    Sim sim;
    auto recipients = sim.item->recipients();
    ASSERT_EQ(recipients->count(), 2);
    EXPECT_EQ(recipients->item(1)->address(), u"a@x");
    EXPECT_EQ(recipients->item(2)->type(), 2);
    for (const std::int32_t index : {0, 3, -1})
        expectFailure([&] { recipients->item(index); }, hresult::dispEBadIndex, u"Array index out of bounds.");

    auto reply = sim.item->replyRecipients();
    ASSERT_EQ(reply->count(), 1);
    EXPECT_EQ(reply->item(1)->name(), u"R");

    sim.item->state().recipients.push_back({u"C", u"c@x", 3});  // the collection is live
    EXPECT_EQ(recipients->count(), 3);
}

TEST(SimItem, DeferredDeliveryTimeIsReadBackAsWritten) {
    Sim sim;
    EXPECT_EQ(sim.item->deferredDeliveryTime(), notDeferred);
    sim.item->setDeferredDeliveryTime({2025, 3, 4, 5, 6, 7});
    EXPECT_EQ(sim.item->deferredDeliveryTime(), (LocalDateTime{2025, 3, 4, 5, 6, 7}));
}

TEST(SimEvents, ItemSendHandlersRunInOrderAndShareTheCancelFlag) {
    Sim sim;
    std::vector<std::string> seen;
    auto first = sim.app.onItemSend([&](host::Item& item, bool& cancel) {
        seen.push_back("first:" + std::string(cancel ? "cancel" : "send") + ":" + std::to_string(item.itemClass()));
        cancel = true;
    });
    auto second = sim.app.onItemSend([&](host::Item&, bool& cancel) {
        seen.push_back(std::string("second:") + (cancel ? "cancel" : "send"));
    });
    EXPECT_EQ(sim.app.itemSendHandlerCount(), 2u);
    bool cancel = false;
    sim.app.raiseItemSend(*sim.item, cancel);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(seen, (std::vector<std::string>{"first:send:43", "second:cancel"}));

    first.reset();
    seen.clear();
    cancel = false;
    sim.app.raiseItemSend(*sim.item, cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(seen, std::vector<std::string>{"second:send"});
    EXPECT_EQ(sim.app.itemSendHandlerCount(), 1u);
}

TEST(SimEvents, ConnectionsMayOutliveTheirSource) {
    std::unique_ptr<host::EventConnection> sendHook;
    std::unique_ptr<host::Button> button;
    {
        SimApplication app;
        sendHook = app.onItemSend([](host::Item&, bool&) {});
        button = app.activeExplorer()->commandBar(u"Tools")->addButton(true);
    }
    auto clickHook = button->onClick([] {});
    button->setCaption(u"still usable");
    clickHook.reset();
    sendHook.reset();
}

TEST(SimToolsBar, NewButtonsGoToTheEndWithTheirProperties) {
    Sim sim;
    sim.app.placeToolsControl({.tag = u"Other", .caption = u"Other entry"});
    auto button = sim.tools()->addButton(true);
    button->setBeginGroup(true);
    button->setTag(u"Sendvigil");
    button->setCaption(u"宛先確認");
    button->setOnAction(u"!<Sendwarden.dsrOutlook2003>");
    ASSERT_EQ(sim.app.toolsControlCount(), 2u);
    EXPECT_EQ(sim.app.toolsControl(0).tag, u"Other");
    EXPECT_EQ(sim.app.toolsControl(1), (ControlState{host::msoControlButton, true, true, u"Sendvigil", u"宛先確認",
                                                     u"!<Sendwarden.dsrOutlook2003>"}));
    EXPECT_THROW(sim.app.toolsControl(2), std::out_of_range);
}

TEST(SimToolsBar, FindControlReturnsThePlacedControl) {
    Sim sim;
    sim.app.placeToolsControl({.tag = u"First"});
    sim.app.placeToolsControl({.tag = u"Sendvigil", .caption = u"kept"});
    auto found = sim.tools()->findControlByTag(u"Sendvigil");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(sim.tools()->findControlByTag(u"sendvigil"), nullptr);

    int clicks = 0;
    auto hook = found->onClick([&] { ++clicks; });
    EXPECT_EQ(sim.app.clickHandlerCount(1), 1u);
    sim.app.clickButton(1);
    sim.app.clickButton(0);
    EXPECT_EQ(clicks, 1);
    hook.reset();
    sim.app.clickButton(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sim.app.toolsControl(1).caption, u"kept");
}

TEST(SimToolsBar, ExplorerAndToolsBarMayBeMissing) {
    Sim sim;
    EXPECT_EQ(sim.app.activeExplorer()->commandBar(u"Standard"), nullptr);
    sim.app.setToolsBarPresent(false);
    EXPECT_EQ(sim.app.activeExplorer()->commandBar(u"Tools"), nullptr);
    EXPECT_THROW(sim.app.toolsControlCount(), std::logic_error);
    sim.app.setExplorerOpen(false);
    EXPECT_EQ(sim.app.activeExplorer(), nullptr);
    sim.app.setExplorerOpen(true);
    EXPECT_EQ(sim.app.toolsControlCount(), 0u);
}

TEST(SimApplication, NamesNamespaceAndProgId) {
    Sim sim;
    EXPECT_EQ(sim.app.name(), u"Outlook");
    EXPECT_EQ(sim.addIn.progId(), u"Sendwarden.dsrOutlook2003");
    auto mapi = sim.app.getNamespace(u"MAPI");
    EXPECT_EQ(mapi->exchangeConnectionMode(), 0);
    sim.app.setExchangeConnectionMode(700);
    EXPECT_EQ(mapi->exchangeConnectionMode(), 700);
    EXPECT_THROW(sim.app.getNamespace(u"CDO"), Failure);
}

}  // namespace
}  // namespace sw::sim
