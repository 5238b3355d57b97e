// config.xml: any file that loads, saved without edits through the store, loads
// again with the same lists, flags and minutes. Any difference aborts.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "sim/sim_environment.h"
#include "support/temp_folder.h"
#include "text.h"

namespace {

using sw::ConfigList;

struct Snapshot {
    std::vector<std::u16string> lists[3];
    std::int32_t minutes = 0;
    bool useDeferred = false;
    bool debug = false;

    explicit Snapshot(const sw::ConfigStore& store)
        : lists{store.entries(ConfigList::bodyCheckWords), store.entries(ConfigList::attachmentCheckWords),
                store.entries(ConfigList::safeDomains)},
          minutes(store.deferredMinutes()), useDeferred(store.useDeferredDelivery()), debug(store.debugMode()) {}
};

// The settings window as it opens on the loaded configuration, applied untouched.
struct Unedited : sw::SettingsSource {
    const Snapshot& s;
    explicit Unedited(const Snapshot& snapshot) : s(snapshot) {}
    std::int32_t entryCount(int list) override { return static_cast<std::int32_t>(s.lists[list].size()); }
    std::u16string entry(int list, std::int32_t index) override { return s.lists[list][static_cast<std::size_t>(index)]; }
    std::u16string minutesText() override { return sw::decimal(s.minutes); }
    bool useDeferredDeliveryChecked() override { return s.useDeferred; }
};

void require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const sw::test::TempFolder folder;
    std::filesystem::remove(folder / "config.xml");
    std::filesystem::remove(folder / "debug.log");
    folder.write("config.xml", std::string(reinterpret_cast<const char*>(data), size));

    sw::sim::SimEnvironment env(folder.path());
    env.config.loadConfigXML();
    if (!env.config.configLoaded()) return 0;
    const Snapshot before(env.config);
    Unedited settings(before);
    env.config.saveConfigXML(settings);
    // A list whose parent is not a child of the root cannot be written back; the save
    // reports that, and only that list may differ.
    bool listNotWritten = false;
    for (const auto& shown : env.messageBoxes.shown)
        listNotWritten |= shown.text.find(u"addCheckWords") != std::u16string::npos;

    env.config.loadConfigXML();
    require(env.config.configLoaded());
    const Snapshot after(env.config);
    for (int list = 0; list < 3; ++list) require(listNotWritten || after.lists[list] == before.lists[list]);
    require(after.minutes == before.minutes && after.useDeferred == before.useDeferred && after.debug == before.debug);
    return 0;
}
