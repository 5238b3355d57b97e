// All send-time checks of one mail through the checks module, as the send road
// runs them: every recipient against the safe list, then subject, body and attachment.
#include <benchmark/benchmark.h>

#include "checks/checks.h"
#include "sim/outlook/sim_outlook.h"
#include "support/bench_data.h"

namespace sw {
namespace {

struct NoWarnings : CheckWarnings {
    int shown = 0;
    void showCheckSubject() override { ++shown; }
    void showCheckBody() override { ++shown; }
    void showCheckAttachment() override { ++shown; }
};

void allChecks(benchmark::State& state, int safeEntries, int words, int recipients, std::size_t bodyUnits) {
    test::TempFolder folder;
    folder.write("config.xml", test::sizedConfig(safeEntries, words));
    sim::SimEnvironment env(folder.path());
    env.config.loadConfigXML();
    Checks checks(env.diagnostics, env.config, env.clock);
    sim::SimApplication app;
    auto item = app.newItem(test::sizedMail(recipients, bodyUnits));
    auto ns = app.getNamespace(u"MAPI");
    NoWarnings warnings;
    int safe = 0;
    for (auto _ : state) {
        for (const auto& r : item->state().recipients) safe += checks.checkSafeDomain(r.address, *ns);
        checks.checkSubject(*item, warnings);
        checks.checkBody(*item, warnings);
        checks.checkAttachment(*item, warnings);
    }
    benchmark::DoNotOptimize(safe);
    if (!env.messageBoxes.shown.empty()) state.SkipWithError("a check reported an error");
}

void BM_AllChecks_Typical(benchmark::State& state) { allChecks(state, 100, 50, 10, 20 * 1024 / 2); }
BENCHMARK(BM_AllChecks_Typical)->Unit(benchmark::kMicrosecond);

// 10 MB of UTF-16 body: 5 M units.
void BM_AllChecks_1000RecipientsVs10kSafe_10MBBodyVs1000Words(benchmark::State& state) {
    allChecks(state, 10000, 1000, 1000, 10 * 1024 * 1024 / 2);
}
BENCHMARK(BM_AllChecks_1000RecipientsVs10kSafe_10MBBodyVs1000Words)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sw
