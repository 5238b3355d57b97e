#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/config_fixture.h"
#include "support/run_sim.h"

namespace sw {
namespace {

using nlohmann::json;

TEST(ConfigShow, ShippedConfigurationLoadsFromTheProgramsFolder) {
    const auto r = test::runSim({"config", "show", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_TRUE(j["configLoaded"]);
    EXPECT_FALSE(j["bodyCheckWords"].empty());
    EXPECT_FALSE(j["attachmentCheckWords"].empty());
    EXPECT_TRUE(j["safeDomains"].empty());
    EXPECT_EQ(j["deferredMinutes"], 5);
    EXPECT_EQ(j["useDeferredDelivery"], false);
    EXPECT_EQ(j["debugMode"], false);
    EXPECT_TRUE(j["messageBoxes"].empty());
}

TEST(ConfigShow, JsonCarriesListsExactlyAsStored) {
    test::TempFolder dir;
    dir.write("config.xml", test::configXml("<body-check><word> 極秘 </word><word>a\"b</word></body-check>"
                                            "<recipient-check><domain>@example.jp</domain></recipient-check>"
                                            "<deferred-delivery use=\"TRUE\">-3</deferred-delivery>"));
    const auto r = test::runSim({"config", "show", "--config-dir", dir.path().string(), "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j["bodyCheckWords"], json::array({" 極秘 ", "a\"b"}));
    EXPECT_EQ(j["safeDomains"], json::array({"@example.jp"}));
    EXPECT_EQ(j["deferredMinutes"], -3);
    EXPECT_EQ(j["useDeferredDelivery"], true);
}

TEST(ConfigShow, FailedLoadExitsOneAndShowsTheMessageBox) {
    test::TempFolder dir;
    dir.write("config.xml", "<config>");
    auto r = test::runSim({"config", "show", "--config-dir", dir.path().string(), "--json"});
    EXPECT_EQ(r.status, 1);
    json j = json::parse(r.out);
    EXPECT_FALSE(j["configLoaded"]);
    ASSERT_EQ(j["messageBoxes"].size(), 1u);
    EXPECT_EQ(j["messageBoxes"][0]["title"], "Sendwarden");
    EXPECT_EQ(j["messageBoxes"][0]["style"], 16);
    EXPECT_EQ(j["messageBoxes"][0]["text"], "環境設定ファイルの読み込みに失敗しました。\r\nSendwardenの機能は無効になります。");

    for (const test::BrokenFile& broken : test::brokenFiles()) {
        dir.write("config.xml", broken.bytes);
        r = test::runSim({"config", "show", "--config-dir", dir.path().string(), "--json"});
        EXPECT_EQ(r.status, 1) << broken.why;
        j = json::parse(r.out);
        ASSERT_EQ(j["messageBoxes"].size(), 1u) << broken.why;
        EXPECT_EQ(j["messageBoxes"][0]["text"], "環境設定ファイルの読み込みに失敗しました。\r\nSendwardenの機能は無効になります。")
            << broken.why;
        EXPECT_TRUE(r.err.empty()) << broken.why << ": " << r.err;
    }

    dir.write("config.xml", test::configXml("<debug>maybe</debug>"));
    r = test::runSim({"config", "show", "--config-dir", dir.path().string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("位置：selectSingleNode(//debug)"), std::string::npos) << r.out;
}

TEST(ConfigShow, UsageErrorsExitTwo) {
    EXPECT_EQ(test::runSim({"config", "show", "--config-dir", "/nonexistent/folder"}).status, 2);
    EXPECT_EQ(test::runSim({"config", "show", "--bogus"}).status, 2);
    EXPECT_EQ(test::runSim({"config"}).status, 2);
    EXPECT_EQ(test::runSim({}).status, 2);
    const auto help = test::runSim({"config", "show", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--config-dir"), std::string::npos);
}

}  // namespace
}  // namespace sw
