#include "diagnostics/hresult.h"
#include <gtest/gtest.h>

#include "support/check_fixture.h"

namespace sw {
namespace {

using test::ChecksTest;

TEST(SanitizeBody, RemovesLineBreakPairsThenTabsAndNothingElse) {
    const struct {
        std::u16string body, expected;
    } rows[] = {
        {u"社外\r\n秘", u"社外秘"},
        {u"a\rb\nc", u"a\rb\nc"},           // lone CR and LF stay
        {u"\r\r\n\n", u"\r\n"},             // one pass from the start: the new pair stays
        {u"a\tb\t", u"ab"},
        {u"\r\t\n", u"\r\n"},               // a pair made by removing a tab stays
        {u"a b　c", u"a b　c"},             // spaces and full-width spaces stay
        {u"", u""},
    };
    for (const auto& row : rows) EXPECT_EQ(sanitizeBody(row.body), row.expected);
}

TEST_F(ChecksTest, SubjectWarningOnlyForTheEmptyText) {
    configure({});
    checks.checkSubject(*mail(u" ", u""), warnings);
    EXPECT_FALSE(warnings.subject);
    checks.checkSubject(*mail(u"", u""), warnings);
    EXPECT_TRUE(warnings.subject);
    EXPECT_FALSE(warnings.body || warnings.attachment);
}

TEST_F(ChecksTest, BodyWordsFollowTheWildcardRulesOnTheSanitizedBody) {
    configure({}, {"社外秘", "CONFIDENTIAL", "見積*金額", "ID#"});
    const struct {
        std::u16string body;
        bool warns;
    } rows[] = {
        {u"この資料は社外秘です。", true},
        {u"この資料は社外\r\n秘です。", true},      // broken across lines: found again
        {u"この資料は社外 秘です。", false},        // split by a space: not
        {u"confidential", false},                   // case matters
        {u"見積の件です。金額は後日。", true},      // both parts in order
        {u"金額と見積", false},
        {u"ID7", true},
        {u"IDx", false},
        {u"", false},
    };
    for (const auto& row : rows) {
        test::RecordedWarnings w;
        checks.checkBody(*mail(u"s", row.body), w);
        EXPECT_EQ(w.body, row.warns) << std::string(row.body.begin(), row.body.end());
    }
}

TEST_F(ChecksTest, EmptyWordMatchesEveryBody) {
    configure({}, {""}, {""});
    checks.checkBody(*mail(u"s", u""), warnings);
    checks.checkAttachment(*mail(u"s", u""), warnings);
    EXPECT_TRUE(warnings.body);
    EXPECT_TRUE(warnings.attachment);
}

TEST_F(ChecksTest, AttachmentWarningNeedsAWordAndNoAttachment) {
    configure({}, {}, {"添付"});
    const struct {
        std::u16string body;
        int attachments;
        bool warns;
    } rows[] = {
        {u"資料を添付します。", 0, true},
        {u"資料を添付します。", 1, false},
        {u"よろしくお願いします。", 0, false},
    };
    for (const auto& row : rows) {
        test::RecordedWarnings w;
        checks.checkAttachment(*mail(u"s", row.body, row.attachments), w);
        EXPECT_EQ(w.attachment, row.warns);
    }
    // The attachment count is read only when a word was found.
    const auto before = app.faults().calls("Item.Attachments.Count");
    checks.checkAttachment(*mail(u"s", u"nothing here"), warnings);
    EXPECT_EQ(app.faults().calls("Item.Attachments.Count"), before);
}

TEST_F(ChecksTest, AllThreeWarningsCanFireTogether) {
    configure({}, {"極秘"}, {"添付"});
    auto item = mail(u"", u"極秘資料を添付します");
    checks.checkSubject(*item, warnings);
    checks.checkBody(*item, warnings);
    checks.checkAttachment(*item, warnings);
    EXPECT_TRUE(warnings.subject && warnings.body && warnings.attachment);
}

TEST_F(ChecksTest, InvalidWordStopsTheScanThereWithAReport) {
    configure({}, {"早い", "[壊れ", "遅い"});
    checks.checkBody(*mail(u"s", u"早い話が"), warnings);
    EXPECT_TRUE(warnings.body);
    EXPECT_TRUE(env.messageBoxes.shown.empty());

    test::RecordedWarnings w;
    checks.checkBody(*mail(u"s", u"遅い話が"), w);
    EXPECT_FALSE(w.body);
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"checkBody");
    EXPECT_EQ(position(0), u"");  // the body was prepared, which clears the step
}

TEST_F(ChecksTest, CheckFailuresCostOnlyTheirWarning) {
    configure({}, {"x"}, {"x"});
    const struct {
        const char* operation;
        std::u16string procedure;
        void (Checks::*check)(host::Item&, CheckWarnings&);
    } rows[] = {
        {"Item.Subject", u"checkSubject", &Checks::checkSubject},
        {"Item.Attachments.Count", u"checkAttachment", &Checks::checkAttachment},
    };
    for (const auto& row : rows) {
        env.messageBoxes.shown.clear();
        auto item = mail(u"", u"x");
        app.faults().failNext(row.operation, 438, u"Object doesn't support this property or method");
        test::RecordedWarnings w;
        (checks.*row.check)(*item, w);
        EXPECT_FALSE(w.subject || w.attachment);
        ASSERT_EQ(env.messageBoxes.shown.size(), 1u) << row.operation;
        EXPECT_EQ(procedure(0), row.procedure);
    }
}

TEST_F(ChecksTest, BodyReadFailureIsReportedWithTheBodyAsInformation) {
    configure({}, {""});
    auto item = mail(u"s", u"本文です");
    app.faults().failNext("Item.Body", hresult::eFail, u"Body unavailable");
    checks.checkBody(*item, warnings);
    // The body came back empty, which only an empty word matches.
    EXPECT_TRUE(warnings.body);
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"getSanitizedItemBody");
    EXPECT_EQ(position(0), u"getSanitizedItemBody");
    EXPECT_TRUE(env.messageBoxes.shown[0].text.ends_with(u"[追加情報]\r\n本文です"));
}

TEST_F(ChecksTest, BodyFailingTwiceIsReportedByTheCallingCheckToo) {
    configure({}, {""});
    auto item = mail(u"s", u"本文");
    app.faults().failAlways("Item.Body", 5, u"gone");
    checks.checkBody(*item, warnings);
    EXPECT_FALSE(warnings.body);
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"checkBody");
}

TEST_F(ChecksTest, DeferredDeliveryTime) {
    const LocalDateTime now{2026, 12, 8, 10, 0, 0};
    const LocalDateTime tomorrow{2026, 12, 9, 10, 0, 0};
    const LocalDateTime past{2026, 12, 1, 10, 0, 0};
    const struct {
        int minutes;
        std::int32_t sendImmediately;
        LocalDateTime current, expected;
    } rows[] = {
        {5, 0, notDeferred, {2026, 12, 8, 10, 5, 0}},   // not deferred: now + minutes
        {5, 0, tomorrow, tomorrow},                      // a later deferral stays
        {5, 0, past, {2026, 12, 8, 10, 5, 0}},           // one in the past moves up
        {5, 0, {2026, 12, 8, 10, 5, 0}, {2026, 12, 8, 10, 5, 0}},
        {0, 0, notDeferred, now},                        // 0 minutes: the present moment
        {5, 1, tomorrow, notDeferred},                   // send at once removes any deferral
        {-10, 0, notDeferred, {2026, 12, 8, 9, 50, 0}},  // the minutes are used as read
    };
    for (const auto& row : rows) {
        configure({}, {}, {}, row.minutes);
        env.clock.fix(now);
        auto item = mail(u"s", u"");
        item->state().deferredDeliveryTime = row.current;
        checks.setDeferredDeliveryTime(*item, row.sendImmediately);
        EXPECT_EQ(item->state().deferredDeliveryTime, row.expected) << row.minutes << " " << row.current.isoText();
    }
    EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(ChecksTest, DeferredDeliveryFailuresLeaveTheItemAsItWas) {
    configure({}, {}, {}, -2147483647);  // before the host's first date
    env.clock.fix({2026, 12, 8, 10, 0, 0});
    auto item = mail(u"s", u"");
    checks.setDeferredDeliveryTime(*item, 0);
    EXPECT_EQ(item->state().deferredDeliveryTime, notDeferred);
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(procedure(0), u"setDeferredDeliveryTime");
    EXPECT_EQ(position(0), u"遅延送信時間の設定前");

    configure({}, {}, {}, 5);
    app.faults().failNext("Item.DeferredDeliveryTime.Set", hresult::dispEException, u"read-only item");
    checks.setDeferredDeliveryTime(*item, 0);
    EXPECT_EQ(item->state().deferredDeliveryTime, notDeferred);
    EXPECT_EQ(env.messageBoxes.shown.size(), 2u);
}

}  // namespace
}  // namespace sw
