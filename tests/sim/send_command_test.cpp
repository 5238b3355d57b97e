#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "support/config_fixture.h"
#include "support/run_sim.h"

namespace sw {
namespace {

using nlohmann::json;

const char* const internalMail =
    "From: me@example.co.jp\r\nTo: =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <yamada@example.co.jp>\r\n"
    "Cc: outsider@other.example\r\nSubject: hello\r\nContent-Type: text/plain; charset=UTF-8\r\n\r\nbody\r\n";

class SendCommand : public ::testing::Test {
protected:
    test::TempFolder dir;
    void SetUp() override {
        configure("False");
        dir.write("a.eml", internalMail);
    }
    void configure(const std::string& use) {
        dir.write("config.xml", test::configXml("<body-check/><attachment-check/>"
                                                "<recipient-check><domain>example.co.jp</domain></recipient-check>"
                                                "<deferred-delivery use=\"" + use + "\">5</deferred-delivery>"));
    }
    json run(std::vector<std::string> extra, const std::vector<std::string>& files) {
        std::vector<std::string> args = {"send", "--config-dir", dir.path().string(), "--json",
                                         "--now", "2026-12-08 10:00:00"};
        args.insert(args.end(), extra.begin(), extra.end());
        for (const auto& f : files) args.push_back((dir / f).string());
        const auto r = test::runSim(args);
        status = r.status;
        err = r.err;
        return r.out.empty() ? json() : json::parse(r.out);
    }
    int status = -1;
    std::string err;
};

TEST_F(SendCommand, AddSafeRowsGoOnTheSafeListEvenWhenTheSendIsCancelled) {
    const json j = run({"--answer", "cancel", "--add-safe", "2", "--add-safe", "2"}, {"a.eml"});
    EXPECT_EQ(status, 1) << err;
    const json& m = j["mails"][0];
    EXPECT_EQ(m["dialog"]["recipients"][1]["colour"], 255);
    EXPECT_EQ(m["dialogAfter"]["recipients"][1]["colour"], 0);  // only that row turns black
    ASSERT_EQ(m["messageBoxes"].size(), 2u);
    EXPECT_EQ(m["messageBoxes"][0]["text"], "選択されたアドレスを宛先セーフリストに登録しました。");
    EXPECT_EQ(m["messageBoxes"][1]["text"], "既に登録されています。");
    const json saved = json::parse(test::runSim({"config", "show", "--config-dir", dir.path().string(), "--json"}).out);
    EXPECT_EQ(saved["safeDomains"], json({"example.co.jp", "outsider@other.example"}));
}

TEST_F(SendCommand, ConfirmedMailIsSentAndTheDialogReported) {
    const json j = run({"--answer", "ok"}, {"a.eml"});
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(j["connection"], json({{"configLoaded", true}, {"buttonAdded", true}, {"messageBoxes", json::array()}}));
    const json& m = j["mails"][0];
    EXPECT_EQ(m["saved"], true);
    EXPECT_EQ(m["dialogShown"], true);
    EXPECT_EQ(m["cancel"], false);
    EXPECT_EQ(m["deferredDeliveryTime"], "4501-01-01 00:00:00");
    const json& d = m["dialog"];
    EXPECT_EQ(d["title"], "宛先確認");
    EXPECT_EQ(d["message"], "以下の宛先に送信します。\r\nよろしいですか？");
    EXPECT_EQ(d["recipients"], json::array({{{"type", "TO"}, {"name", "山田"}, {"address", "yamada@example.co.jp"}, {"colour", 0}},
                                            {{"type", "CC"}, {"name", "outsider@other.example"},
                                             {"address", "outsider@other.example"}, {"colour", 255}}}));
    EXPECT_EQ(d["replyRecipients"], json({{"visible", false}, {"rows", json::array()}}));
    EXPECT_EQ(d["buttonsTop"], 3120);
    EXPECT_EQ(d["height"], 4320);
    EXPECT_EQ(d["notDeferred"], json({{"visible", false}, {"value", 1}}));
    EXPECT_FALSE(j.contains("shutdownFailure"));
}

TEST_F(SendCommand, CancelAndCloseExitOne) {
    for (const char* answer : {"cancel", "close"}) {
        const json j = run({"--answer", answer}, {"a.eml"});
        EXPECT_EQ(status, 1);
        EXPECT_EQ(j["mails"][0]["cancel"], true);
        EXPECT_EQ(j["mails"][0]["saved"], true);
    }
}

TEST_F(SendCommand, DeferralFollowsTheClockAndTheSendImmediatelyBox) {
    configure("True");
    json j = run({"--answer", "ok"}, {"a.eml"});
    EXPECT_EQ(j["mails"][0]["deferredDeliveryTime"], "2026-12-08 10:05:00");
    EXPECT_EQ(j["mails"][0]["dialog"]["notDeferred"], json({{"visible", true}, {"value", 0}}));
    j = run({"--answer", "ok", "--send-immediately"}, {"a.eml"});
    EXPECT_EQ(j["mails"][0]["deferredDeliveryTime"], "4501-01-01 00:00:00");
}

TEST_F(SendCommand, AFailureHandedBackAtShutdownIsReportedAfterTheMails) {
    dir.write("config.xml", test::configXml("<body-check/><attachment-check/><recipient-check/><debug>True</debug>"));
    std::filesystem::create_directory(dir / "debug.log");  // every trace line fails
    const json j = run({"--answer", "ok"}, {"a.eml"});
    EXPECT_EQ(status, 1) << err;
    ASSERT_EQ(j["mails"].size(), 1u);
    EXPECT_TRUE(j["shutdownFailure"]["number"].is_number_integer()) << j.dump();
    EXPECT_NE(j["shutdownFailure"]["number"], 0);
}

TEST_F(SendCommand, MeetingRequestsPassWithoutADialog) {
    dir.write("m.eml", "From: a@example.co.jp\r\nTo: b@other.example\r\nSubject: meet\r\n"
                       "Content-Type: text/calendar; method=REQUEST; charset=UTF-8\r\n\r\n"
                       "BEGIN:VCALENDAR\r\nMETHOD:REQUEST\r\nEND:VCALENDAR\r\n");
    const json j = run({"--answer", "cancel"}, {"m.eml"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(j["mails"][0]["class"], 53);
    EXPECT_EQ(j["mails"][0]["dialogShown"], false);
    EXPECT_TRUE(j["mails"][0]["dialog"].is_null());
    EXPECT_EQ(j["mails"][0]["saved"], false);
}

TEST_F(SendCommand, BrokenConfigurationLetsEverythingThrough) {
    dir.write("config.xml", "<config");
    const json j = run({"--answer", "cancel"}, {"a.eml"});
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(j["connection"]["configLoaded"]);
    EXPECT_FALSE(j["connection"]["buttonAdded"]);
    EXPECT_EQ(j["connection"]["messageBoxes"].size(), 1u);
    EXPECT_EQ(j["mails"][0]["dialogShown"], false);
    EXPECT_EQ(j["mails"][0]["cancel"], false);
}

TEST_F(SendCommand, UnreadableFilesAreNamedAndTheRestSent) {
    const json j = run({"--answer", "ok"}, {"missing.eml", "a.eml"});
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.find("missing.eml"), std::string::npos);
    EXPECT_EQ(j["mails"].size(), 1u);
}

TEST_F(SendCommand, RefusesToGuessWithoutATerminalOrAnAnswer) {
    const auto r = test::runSim({"send", "--config-dir", dir.path().string(), (dir / "a.eml").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--answer"), std::string::npos);
    EXPECT_EQ(test::runSim({"send", "--answer", "maybe", (dir / "a.eml").string()}).status, 2);
    EXPECT_EQ(test::runSim({"send", "--answer", "ok", "--now", "yesterday", (dir / "a.eml").string()}).status, 2);
}

TEST_F(SendCommand, AskReadsKeysFromAPipe) {
    const auto r = test::runSim({"send", "--config-dir", dir.path().string(), "--answer", "ask", (dir / "a.eml").string()},
                                "\tc", "NO_COLOR=1");
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_EQ(r.out.find("\x1b["), std::string::npos);  // no colour without a terminal
    const auto ok = test::runSim({"send", "--config-dir", dir.path().string(), "--answer", "ask", (dir / "a.eml").string()},
                                 "o");
    EXPECT_EQ(ok.status, 0) << ok.out << ok.err;
}

}  // namespace
}  // namespace sw
