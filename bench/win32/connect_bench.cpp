// OnConnection of the real DLL with a 10,000-entry safe list, as Outlook times it
// (it disables an add-in whose start-up takes more than a second). Prints the
// median of five connections in milliseconds.
#include <ole2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "sim/outlook/sim_outlook.h"
#include "support/config_text.h"
#include "support/temp_folder.h"
#include "win32/module.h"
#include "win32/outlook_facade.h"
#include "win32/outlook_host.h"

int main() {
    using namespace sw;
    using namespace sw::test::win;
    if (FAILED(OleInitialize(nullptr))) return 2;
    std::vector<double> times;
    {
        test::TempFolder folder;
        std::filesystem::copy_file(win::thisModulePath().parent_path() / "Sendwarden.dll", folder / "Sendwarden.dll");
        folder.write("config.xml", test::sizedConfig(10000, 100));
        Registration registration(folder / "Sendwarden.dll");
        if (registration.call("DllRegisterServer") != S_OK) return 3;
        registration.mirror();
        for (int run = 0; run < 5; ++run) {
            sim::SimApplication app;
            auto borrowed = std::shared_ptr<host::Application>(&app, [](host::Application*) {});
            auto appObject = applicationFacade(borrowed);
            auto instance = addInInstanceFacade(std::make_shared<sim::SimAddInInstance>(app.sharedFaults()));
            auto addIn = createByProgId();
            if (!addIn) return 4;
            const auto start = std::chrono::steady_clock::now();
            const HRESULT hr = connect(*addIn.get(), appObject.get(), instance.get(), false);
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            if (hr != S_OK || app.itemSendHandlerCount() != 1) return 5;  // the configuration must have loaded
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("OnConnection with 10,000 safe-list entries: median %.1f ms (min %.1f, max %.1f)\n", times[2],
                times.front(), times.back());
    OleUninitialize();
    return 0;
}
