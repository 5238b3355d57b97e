// Loading and saving a large config.xml (10,000 entries in each list).
#include <benchmark/benchmark.h>

#include <string>

#include "sim/sim_environment.h"
#include "support/config_fixture.h"
#include "support/temp_folder.h"

namespace sw {
namespace {

constexpr int entriesPerList = 10000;

std::string largeConfig() {
    std::string inner = "<body-check>";
    for (int i = 0; i < entriesPerList; ++i) inner += "<word>社外秘" + std::to_string(i) + "</word>";
    inner += "</body-check><attachment-check>";
    for (int i = 0; i < entriesPerList; ++i) inner += "<word>添付ファイル" + std::to_string(i) + "</word>";
    inner += "</attachment-check><recipient-check>";
    for (int i = 0; i < entriesPerList; ++i) inner += "<domain>@partner" + std::to_string(i) + ".example.co.jp</domain>";
    inner += "</recipient-check><deferred-delivery use=\"True\">5</deferred-delivery><debug>False</debug>";
    return test::configXml(inner);
}

void BM_LoadConfig10kPerList(benchmark::State& state) {
    test::TempFolder folder;
    folder.write("config.xml", largeConfig());
    sim::SimEnvironment env(folder.path());
    for (auto _ : state) {
        env.config.loadConfigXML();
        if (!env.config.configLoaded()) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadConfig10kPerList)->Unit(benchmark::kMillisecond);

void BM_SaveConfig10kPerList(benchmark::State& state) {
    test::TempFolder folder;
    folder.write("config.xml", largeConfig());
    sim::SimEnvironment env(folder.path());
    env.config.loadConfigXML();
    test::FakeSettings settings;
    for (int l = 0; l < 3; ++l) settings.lists[l] = env.config.entries(static_cast<ConfigList>(l));
    for (auto _ : state) {
        env.config.saveConfigXML(settings);
        state.PauseTiming();
        env.config.loadConfigXML();  // a save works on freshly loaded lists, as after Apply
        state.ResumeTiming();
    }
    if (!env.messageBoxes.shown.empty()) state.SkipWithError("save reported an error");
}
BENCHMARK(BM_SaveConfig10kPerList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sw
