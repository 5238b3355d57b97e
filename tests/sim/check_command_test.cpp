#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/config_fixture.h"
#include "support/run_sim.h"

namespace sw {
namespace {

using nlohmann::json;

TEST(MatchCommand, ExitStatusTellsMatchNoMatchAndInvalidPattern) {
    const struct {
        const char* pattern;
        const char* text;
        int status;
    } rows[] = {
        {"*example.co.jp", "taro@example.co.jp", 0},
        {"*社外秘*", "これは社外秘です", 0},
        {"社外秘", "社外秘です", 1},            // whole text
        {"[!a-c]#", "d7", 0},
        {"?", "秘", 0},                         // one 16-bit unit
        {"??", "𠮷", 0},                        // a surrogate pair is two
        {"[abc", "a", 2},
    };
    for (const auto& row : rows) EXPECT_EQ(test::runSim({"match", row.pattern, row.text}).status, row.status) << row.pattern;
    const auto bad = test::runSim({"match", "x[", "x"});
    EXPECT_NE(bad.err.find("Invalid pattern string"), std::string::npos);
    EXPECT_EQ(test::runSim({"match", "only-pattern"}).status, 2);
}

class CheckCommand : public ::testing::Test {
protected:
    test::TempFolder dir;
    void SetUp() override {
        dir.write("config.xml",
                  test::configXml("<body-check><word>社外秘</word></body-check>"
                                  "<attachment-check><word>添付</word></attachment-check>"
                                  "<recipient-check><domain>example.co.jp</domain></recipient-check>"
                                  "<deferred-delivery use=\"False\">5</deferred-delivery>"));
        dir.write("a.eml",
                  "From: me@example.co.jp\r\nTo: =?UTF-8?B?5bGx55Sw?= <yamada@example.co.jp>\r\n"
                  "Cc: outsider@other.example\r\nBcc: /o=Corp/cn=boss\r\nReply-To: desk@other.example\r\n"
                  "Subject:\r\nContent-Type: text/plain; charset=UTF-8\r\n\r\n社外秘の資料を添付します。\r\n");
    }
    json runJson(std::vector<std::string> extra) {
        std::vector<std::string> args = {"check", "--config-dir", dir.path().string(), "--json"};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto r = test::runSim(args);
        last = r.status;
        lastErr = r.err;
        return json::parse(r.out);
    }
    int last = -1;
    std::string lastErr;
};

TEST_F(CheckCommand, ReportsRecipientsReplyToAndWarnings) {
    const json j = runJson({(dir / "a.eml").string()});
    EXPECT_EQ(last, 0) << lastErr;
    ASSERT_EQ(j["mails"].size(), 1u);
    const json& m = j["mails"][0];
    EXPECT_EQ(m["class"], 43);
    ASSERT_EQ(m["recipients"].size(), 3u);
    EXPECT_EQ(m["recipients"][0], json({{"type", 1}, {"name", "山田"}, {"address", "yamada@example.co.jp"}, {"safe", true}}));
    EXPECT_EQ(m["recipients"][1]["safe"], false);
    EXPECT_EQ(m["recipients"][2]["safe"], false);  // no Exchange profile
    EXPECT_EQ(m["replyRecipients"], json::array({{{"name", "desk@other.example"}, {"address", "desk@other.example"}}}));
    EXPECT_EQ(m["warnings"], json({{"subject", true}, {"body", true}, {"attachment", true}}));
    EXPECT_TRUE(m["messageBoxes"].empty());
}

TEST_F(CheckCommand, ExchangeProfileAcceptsDirectoryNames) {
    const json j = runJson({"--exchange", (dir / "a.eml").string()});
    EXPECT_EQ(j["mails"][0]["recipients"][2]["safe"], true);
}

TEST_F(CheckCommand, BadFilesAreNamedAndTheOthersStillChecked) {
    dir.write("empty.eml", "");
    const json j = runJson({(dir / "missing.eml").string(), (dir / "empty.eml").string(), (dir / "a.eml").string()});
    EXPECT_EQ(last, 2);
    EXPECT_NE(lastErr.find("missing.eml"), std::string::npos);
    EXPECT_NE(lastErr.find("empty.eml"), std::string::npos);
    EXPECT_EQ(j["mails"].size(), 1u);
}

TEST_F(CheckCommand, InvalidSafeEntryShowsOneReportPerUncheckedRecipient) {
    dir.write("config.xml", test::configXml("<recipient-check><domain>[bad</domain></recipient-check>"));
    const json j = runJson({(dir / "a.eml").string()});
    const json& boxes = j["mails"][0]["messageBoxes"];
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[0]["text"].get<std::string>().find("処理名：checkSafeDomain\r\n"), std::string::npos);
}

TEST_F(CheckCommand, ConfigurationThatDoesNotLoadChecksNothing) {
    dir.write("config.xml", "<broken");
    const json j = runJson({(dir / "a.eml").string()});
    EXPECT_EQ(last, 1);
    EXPECT_FALSE(j["configLoaded"]);
    EXPECT_TRUE(j["mails"].empty());
    EXPECT_EQ(j["messageBoxes"].size(), 1u);
}

}  // namespace
}  // namespace sw
