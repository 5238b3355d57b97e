// The add-in's start-up and the time from Outlook's ItemSend to a ready dialog.
#include <benchmark/benchmark.h>

#include <chrono>

#include "addin/addin.h"
#include "sim/outlook/sim_outlook.h"
#include "sim/scripted_windows.h"
#include "support/bench_data.h"

namespace sw {
namespace {

struct Road {
    explicit Road(const std::string& config) {
        folder.write("config.xml", config);
    }
    test::TempFolder folder;
    sim::SimEnvironment env{folder.path()};
    sim::ScriptedWindows windows;
    std::shared_ptr<sim::SimApplication> app = std::make_shared<sim::SimApplication>();
    sim::SimAddInInstance instance{app->sharedFaults()};
};

void BM_OnConnection10kPerList(benchmark::State& state) {
    Road road(test::sizedConfig(10000, 10000));
    for (auto _ : state) {
        AddIn addin{road.env.platform(&road.windows)};
        addin.OnConnection(road.app, 1, road.instance);
        if (!addin.config().configLoaded()) state.SkipWithError("configuration did not load");
    }
}
BENCHMARK(BM_OnConnection10kPerList)->Unit(benchmark::kMillisecond);

// From ItemSend to the moment the dialog is handed to the window port.
// firstAfterLoad: every send is the first after a (re)load, so the lists are compiled in it.
void itemSendToDialog(benchmark::State& state, int safeEntries, int words, int recipients, std::size_t body,
                      bool firstAfterLoad = false) {
    Road road(test::sizedConfig(safeEntries, words));
    AddIn addin{road.env.platform(&road.windows)};
    addin.OnConnection(road.app, 1, road.instance);
    const sim::MailState mail = test::sizedMail(recipients, body);
    using Clock = std::chrono::steady_clock;
    Clock::time_point shown;
    road.windows.onShow = [&](const ui::WindowModel&) { shown = Clock::now(); };
    road.windows.fallback = [](ui::WindowModel& w) { w.click(ui::dialog::cmdCancel); };
    for (auto _ : state) {
        if (firstAfterLoad) addin.config().loadConfigXML();
        auto item = road.app->newItem(mail);
        bool cancel = false;
        const auto start = Clock::now();
        road.app->raiseItemSend(*item, cancel);
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
    if (!road.env.messageBoxes.shown.empty()) state.SkipWithError("the send reported an error");
}

void BM_ItemSendToDialog_Typical(benchmark::State& state) { itemSendToDialog(state, 100, 50, 10, 20 * 1024); }
BENCHMARK(BM_ItemSendToDialog_Typical)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ItemSendToDialog_1000RecipientsVs10kSafe(benchmark::State& state) {
    itemSendToDialog(state, 10000, 50, 1000, 20 * 1024);
}
BENCHMARK(BM_ItemSendToDialog_1000RecipientsVs10kSafe)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ItemSendToDialog_1000RecipientsVs10kSafe_FirstAfterLoad(benchmark::State& state) {
    itemSendToDialog(state, 10000, 50, 1000, 20 * 1024, true);
}
BENCHMARK(BM_ItemSendToDialog_1000RecipientsVs10kSafe_FirstAfterLoad)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sw
