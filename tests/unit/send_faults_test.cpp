// Every host operation the send road uses, made to fail: the send must end as
// designed (stopped, or going on without the failed piece), the report must name
// the procedure and step, and nothing may escape to Outlook.
#include "diagnostics/hresult.h"
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "support/addin_fixture.h"

namespace sw {
namespace {

const std::string faultConfig =
    "<body-check><word>社外秘</word></body-check><attachment-check><word>添付</word></attachment-check>"
    "<recipient-check><domain>first.example</domain><domain>example.co.jp</domain></recipient-check>"
    "<deferred-delivery use=\"True\">5</deferred-delivery>";

class SendFaults : public test::AddInTest {
protected:
    sim::MailState faultMail() {
        sim::MailState m = typicalMail();
        m.body = u"社外秘の資料を添付します。";
        m.replyRecipients = {{u"窓口", u"desk@other.example", 0}};
        return m;
    }
    struct Outcome {
        bool cancel = false;
        bool threw = false;
        int shows = 0;
        std::vector<std::pair<std::u16string, std::u16string>> reports;  // procedure, position
    };
    Outcome sendWithFault(const std::string& operation, int nth) {
        env.messageBoxes.shown.clear();
        const int showsBefore = windows.shows;
        auto item = app->newItem(faultMail());
        app->faults().failOn(operation, app->faults().calls(operation) + nth, hresult::eFail, u"injected");
        windows.actions.push_back(ok);
        Outcome o;
        try {
            o.cancel = send(*item);
        } catch (...) {
            o.threw = true;
        }
        windows.actions.clear();
        o.shows = windows.shows - showsBefore;
        for (std::size_t i = 0; i < env.messageBoxes.shown.size(); ++i) o.reports.emplace_back(procedure(i), position(i));
        app->faults().reset();
        return o;
    }
    // Calls per operation of one send without faults.
    std::map<std::string, int> cleanRun() {
        app->faults().reset();
        auto item = app->newItem(faultMail());
        windows.actions.push_back(ok);
        EXPECT_FALSE(send(*item));
        std::map<std::string, int> used;
        for (const auto& op : sim::allOperations())
            if (app->faults().calls(op) > 0) used[op] = app->faults().calls(op);
        app->faults().reset();
        return used;
    }
};

TEST_F(SendFaults, EachFailureEndsWhereItShould) {
    connect(faultConfig);
    const struct {
        const char* operation;
        int nth;
        bool stopped;
        std::u16string procedure, position;
    } rows[] = {
        {"Item.Class", 1, true, u"objApp_ItemSend", u"Item判定"},
        {"Item.Save", 1, true, u"objApp_ItemSend", u"Item判定"},
        {"Item.Recipients", 1, true, u"objApp_ItemSend", u"MailItemチェック"},
        // the grid fills under its own trap; the dialog still opens
        {"Application.GetNamespace", 1, false, u"setRecipientsData", u"MailItemチェック"},
        {"Recipients.Count", 1, false, u"setRecipientsData", u"MailItemチェック"},
        {"Recipients.Item", 1, false, u"setRecipientsData", u"フレキシブルグリッド初期化前"},
        {"Recipient.Name", 1, false, u"setRecipientsData", u"フレキシブルグリッド初期化前"},
        {"Recipient.Address", 1, false, u"setRecipientsData", u"フレキシブルグリッド初期化前"},
        {"Recipient.Type", 2, false, u"setRecipientsData", u"checkSafeDomain"},  // after the first row's check
        {"Namespace.ExchangeConnectionMode", 1, false, u"checkSafeDomain", u"checkSafeDomain"},
        // Reply-To is read by the send handler itself: the send stops
        {"Item.ReplyRecipients", 1, true, u"objApp_ItemSend", u"checkSafeDomain"},
        {"Recipients.Count", 2, true, u"objApp_ItemSend", u"checkSafeDomain"},
        {"Recipients.Count", 3, false, u"setRecipientsData", u"checkSafeDomain"},
        {"Application.GetNamespace", 2, false, u"setRecipientsData", u"checkSafeDomain"},
        {"Item.Subject", 1, false, u"checkSubject", u"checkSubject"},
        {"Item.Body", 1, false, u"getSanitizedItemBody", u"getSanitizedItemBody"},
        {"Item.Body", 2, false, u"getSanitizedItemBody", u"getSanitizedItemBody"},
        {"Item.Attachments.Count", 1, false, u"checkAttachment", u""},
        {"Item.DeferredDeliveryTime.Get", 1, false, u"setDeferredDeliveryTime", u"遅延送信時間の設定前"},
        {"Item.DeferredDeliveryTime.Set", 1, false, u"setDeferredDeliveryTime", u"遅延送信時間の設定前"},
    };
    std::set<std::string> covered;
    for (const auto& row : rows) {
        const Outcome o = sendWithFault(row.operation, row.nth);
        const std::string label = std::string(row.operation) + " #" + std::to_string(row.nth);
        EXPECT_FALSE(o.threw) << label;
        EXPECT_EQ(o.cancel, row.stopped) << label;
        EXPECT_EQ(o.shows, row.stopped ? 0 : 1) << label;
        ASSERT_EQ(o.reports.size(), 1u) << label;
        EXPECT_EQ(o.reports[0].first, row.procedure) << label;
        EXPECT_EQ(o.reports[0].second, row.position) << label;
        covered.insert(row.operation);
    }
    // Every operation the road uses has a row above.
    for (const auto& [op, calls] : cleanRun()) EXPECT_TRUE(covered.count(op)) << op << " is used but not covered";
}

TEST_F(SendFaults, DebugLinesThatCannotBeBuiltStopTheSend) {
    connect(faultConfig + "<debug>True</debug>");
    const struct {
        const char* operation;
        int nth;
        std::u16string position;
    } rows[] = {
        {"Item.DeferredDeliveryTime.Get", 1, u"宛先確認ダイアログ表示"},  // the "Before" value
        {"Item.Subject", 2, u"遅延送信時間の設定前"},                      // the closing line's subject
    };
    for (const auto& row : rows) {
        const Outcome o = sendWithFault(row.operation, row.nth);
        EXPECT_TRUE(o.cancel) << row.operation;
        ASSERT_FALSE(o.reports.empty());
        EXPECT_EQ(o.reports.back().first, u"objApp_ItemSend");
        EXPECT_EQ(o.reports.back().second, row.position);
    }
}

// Every call of every operation the road makes, failing in turn.
TEST_F(SendFaults, NoFailureEscapesAndOnlyTheHandlersOwnTrapStopsASend) {
    for (bool debug : {false, true}) {
        connect(faultConfig + (debug ? "<debug>True</debug>" : ""));
        int scenarios = 0;
        const auto used = cleanRun();
        for (const auto& [op, calls] : used) {
            for (int nth = 1; nth <= calls; ++nth) {
                const Outcome o = sendWithFault(op, nth);
                const std::string label = op + " #" + std::to_string(nth) + (debug ? " (debug)" : "");
                ++scenarios;
                EXPECT_FALSE(o.threw) << label;
                ASSERT_FALSE(o.reports.empty()) << label;
                const bool handlerReported = o.reports.back().first == u"objApp_ItemSend";
                EXPECT_EQ(o.cancel, handlerReported) << label;
                EXPECT_EQ(o.shows == 1, !handlerReported || o.reports.back().second == u"宛先確認ダイアログ表示" ||
                                            o.reports.back().second == u"遅延送信時間の設定前")
                    << label;
            }
        }
        EXPECT_GE(used.size(), 16u);
        RecordProperty(debug ? "scenariosDebug" : "scenarios", scenarios);
        std::cout << "[ fault sweep ] " << used.size() << " operations, " << scenarios << " failing sends"
                  << (debug ? " (debug log on)" : "") << "\n";
    }
}

}  // namespace
}  // namespace sw
