#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/config_fixture.h"
#include "support/run_sim.h"

namespace sw {
namespace {

using nlohmann::json;

// Each row runs one action on a fresh folder, then reads config.xml back with
// `config show`, as the add-in would load it.
TEST(SettingsCommand, EachActionLeavesItsResultOnDisk) {
    struct Row {
        std::vector<std::string> action;
        int status;
        json body, safe;
        int minutes;
        bool use;
        std::vector<std::string> boxes;  // texts, in order
    };
    const json fileBody = {"b", "A", "c"};  // as written; the window shows A, b, c
    const Row rows[] = {
        {{"show"}, 0, fileBody, {"x.example"}, 5, true, {}},  // Cancel: the file is not rewritten
        {{"add", "safe", "@new.example"}, 0, {"A", "b", "c"}, {"@new.example", "x.example"}, 5, true, {}},
        {{"add", "body", "b"}, 1, {"A", "b", "c"}, {"x.example"}, 5, true, {"既に登録されています。"}},
        {{"add", "body", "B"}, 0, {"A", "B", "b", "c"}, {"x.example"}, 5, true, {}},
        {{"edit", "0", "2", "a"}, 0, {"A", "b", "a"}, {"x.example"}, 5, true, {}},  // kept in place
        {{"edit", "body", "0", ""}, 1, {"A", "b", "c"}, {"x.example"}, 5, true, {}},  // OK stays disabled
        {{"delete", "body", "1"}, 0, {"A", "c"}, {"x.example"}, 5, true, {"選択されているアイテムを削除しますか？"}},
        {{"delete", "2", "0", "--no"}, 0, {"A", "b", "c"}, {"x.example"}, 5, true, {"選択されているアイテムを削除しますか？"}},
        {{"deferral", "off"}, 0, {"A", "b", "c"}, {"x.example"}, 5, false, {}},
        {{"deferral", "on", "30"}, 0, {"A", "b", "c"}, {"x.example"}, 30, true, {}},
        {{"deferral", "off", "0"}, 0, {"A", "b", "c"}, {"x.example"}, 0, false, {}},
        // usage errors write nothing
        {{"delete", "body", "3"}, 2, fileBody, {"x.example"}, 5, true, {}},
        {{"deferral", "on", "31"}, 2, fileBody, {"x.example"}, 5, true, {}},
        {{"add", "3", "x"}, 2, fileBody, {"x.example"}, 5, true, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.action[0] + " " + (r.action.size() > 1 ? r.action[1] : ""));
        test::TempFolder dir;
        dir.write("config.xml", test::configXml("<body-check><word>b</word><word>A</word><word>c</word></body-check>"
                                                "<attachment-check/><recipient-check><domain>x.example</domain>"
                                                "</recipient-check><deferred-delivery use=\"True\">5</deferred-delivery>"));
        std::vector<std::string> args = {"settings", "--config-dir", dir.path().string(), "--json"};
        args.insert(args.end(), r.action.begin(), r.action.end());
        const auto run = test::runSim(args);
        EXPECT_EQ(run.status, r.status) << run.err;
        if (run.status != 2) {
            const json printed = json::parse(run.out);
            std::vector<std::string> boxes;
            for (const json& b : printed["messageBoxes"]) boxes.push_back(b["text"]);
            EXPECT_EQ(boxes, r.boxes);
            if (r.action[0] == "show") {
                EXPECT_EQ(printed["window"]["bodyCheckWords"], json({"A", "b", "c"}));
                EXPECT_EQ(printed["window"]["deferral"]["minutes"], "5");
            }
        }
        const json saved = json::parse(test::runSim({"config", "show", "--config-dir", dir.path().string(), "--json"}).out);
        EXPECT_EQ(saved["bodyCheckWords"], r.body);
        EXPECT_EQ(saved["safeDomains"], r.safe);
        EXPECT_EQ(saved["deferredMinutes"], r.minutes);
        EXPECT_EQ(saved["useDeferredDelivery"], r.use);
    }
}

TEST(SettingsCommand, AboutShowsTheProgramsVersion) {
    const auto r = test::runSim({"about", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j["title"], "バージョン情報");
    EXPECT_EQ(j["lblTitle"], "Sendwarden");
    EXPECT_EQ(j["lblVersion"].get<std::string>().rfind("Version ", 0), 0u);
}

}  // namespace
}  // namespace sw
