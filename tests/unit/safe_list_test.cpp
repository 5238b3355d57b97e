#include "diagnostics/hresult.h"
#include <gtest/gtest.h>

#include "support/check_fixture.h"

namespace sw {
namespace {

using test::ChecksTest;

TEST_F(ChecksTest, SafeListIsACaseSensitiveSuffixMatch) {
    configure({"example.co.jp", "@partner.com", "boss@corp.jp", "*.gov", "sub[0-9].net"});
    const struct {
        std::u16string address;
        bool safe;
    } rows[] = {
        {u"taro@example.co.jp", true},
        {u"taro@mail.example.co.jp", true},     // subdomains too
        {u"taro@badexample.co.jp", true},       // any name that merely ends the same
        {u"taro@example.co.jp.evil.com", false},
        {u"TARO@EXAMPLE.CO.JP", false},         // case matters
        {u"taro@ｅｘａｍｐｌｅ.co.jp", false},      // so does width
        {u"a@partner.com", true},
        {u"a@sub.partner.com", false},          // "@" pins the domain
        {u"boss@corp.jp", true},
        {u"bigboss@corp.jp", true},             // a whole address accepts what ends with it
        {u"x@agency.gov", true},                // the entry's own wildcards apply
        {u"x@sub7.net", true},
        {u"x@subx.net", false},
        {u"", false},
    };
    for (const auto& row : rows) EXPECT_EQ(isSafe(row.address), row.safe) << std::string(row.address.begin(), row.address.end());
    EXPECT_TRUE(env.messageBoxes.shown.empty());
}

TEST_F(ChecksTest, EmptyEntryOrStarMakesEveryAddressSafe) {
    configure({""});
    EXPECT_TRUE(isSafe(u"anyone@anywhere.example"));
    configure({"*"});
    EXPECT_TRUE(isSafe(u""));
}

TEST_F(ChecksTest, ExchangeNamesAreSafeOnlyOnAnExchangeProfileWithANonEmptyList) {
    const std::u16string directoryName = u"/O=Corp/OU=Exchange/cn=Recipients/cn=taro";
    configure({});
    app.setExchangeConnectionMode(700);
    EXPECT_FALSE(isSafe(u"/o=corp/cn=taro"));  // the test sits inside the scan

    configure({"unrelated.example"});
    app.setExchangeConnectionMode(0);
    EXPECT_FALSE(isSafe(directoryName));
    app.setExchangeConnectionMode(100);
    EXPECT_TRUE(isSafe(directoryName));      // folded to lower case first
    EXPECT_FALSE(isSafe(u"x/o=corp"));       // must begin with it
    EXPECT_FALSE(isSafe(u"someone@else.example"));
}

TEST_F(ChecksTest, NamespaceIsAskedOncePerAddressAndOnlyAfterTheFirstEntryMissed) {
    std::vector<std::string> many;
    for (int i = 0; i < 50; ++i) many.push_back("domain" + std::to_string(i) + ".example");
    configure(many);
    const auto before = app.faults().calls("Namespace.ExchangeConnectionMode");
    EXPECT_FALSE(isSafe(u"a@elsewhere.example"));
    EXPECT_TRUE(isSafe(u"a@domain0.example"));   // first entry: no need to ask
    EXPECT_TRUE(isSafe(u"a@domain49.example"));
    EXPECT_EQ(app.faults().calls("Namespace.ExchangeConnectionMode") - before, 2);
}

TEST_F(ChecksTest, InvalidEntryStopsTheScanWithOneReportPerAddress) {
    configure({"[abc", "example.jp"});
    EXPECT_FALSE(isSafe(u"a@example.jp"));
    EXPECT_FALSE(isSafe(u"b@example.jp"));
    ASSERT_EQ(env.messageBoxes.shown.size(), 2u);
    EXPECT_EQ(procedure(0), u"checkSafeDomain");
    EXPECT_EQ(position(0), u"checkSafeDomain");
    EXPECT_NE(env.messageBoxes.shown[0].text.find(u"93 "), std::u16string::npos);

    env.messageBoxes.shown.clear();
    configure({"good.jp", "bad[", "late.jp"});
    EXPECT_TRUE(isSafe(u"a@good.jp"));   // accepted before the scan reaches the bad entry
    EXPECT_FALSE(isSafe(u"a@late.jp"));  // never reached
    EXPECT_EQ(env.messageBoxes.shown.size(), 1u);
}

TEST_F(ChecksTest, NamespaceFailureIsReportedAndTheAddressIsUnsafe) {
    configure({"first.example", "second.example"});
    app.faults().failNext("Namespace.ExchangeConnectionMode", hresult::eFail, u"MAPI refused");
    EXPECT_FALSE(isSafe(u"a@second.example"));  // the failure comes before the second entry
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_NE(env.messageBoxes.shown[0].text.find(u"-2147467259 MAPI refused"), std::u16string::npos);
    EXPECT_TRUE(isSafe(u"a@second.example"));
}

TEST_F(ChecksTest, ReloadedSafeListIsUsedAtOnce) {
    configure({"old.example"});
    EXPECT_TRUE(isSafe(u"a@old.example"));
    configure({"new.example"});
    EXPECT_FALSE(isSafe(u"a@old.example"));
    EXPECT_TRUE(isSafe(u"a@new.example"));
}

TEST_F(ChecksTest, DebugModeTracesEveryClassification) {
    env.clock.fix({2026, 1, 1, 0, 0, 0});
    writeConfig("<recipient-check><domain>x.jp</domain></recipient-check><debug>True</debug>");
    store.loadConfigXML();
    isSafe(u"a@x.jp");
    EXPECT_EQ(folder.read("debug.log"), "[2026/01/01 00:00:00] \tmodMain\tcheckSafeDomain\tcheckSafeDomain\t0\t\t\r\n");
}

}  // namespace
}  // namespace sw
