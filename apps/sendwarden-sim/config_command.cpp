// sendwarden-sim config show: the configuration as the add-in loads it.
#include <iostream>

#include "cli.h"
#include "sim/sim_environment.h"

namespace sw::cli {
namespace {


nlohmann::ordered_json listJson(const std::vector<std::u16string>& entries) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& e : entries) list.push_back(utf8(e));
    return list;
}

void printList(const char* title, const std::vector<std::u16string>& entries) {
    std::cout << title << " (" << entries.size() << ")" << (entries.empty() ? ": none\n" : ":\n");
    for (const auto& e : entries) std::cout << "  \"" << utf8(e) << "\"\n";
}

int runConfigShow(const CommonOptions& options) {
    sim::SimEnvironment env(options.configDir);
    env.config.loadConfigXML();
    const ConfigStore& c = env.config;
    const auto body = c.entries(ConfigList::bodyCheckWords);
    const auto attachment = c.entries(ConfigList::attachmentCheckWords);
    const auto safe = c.entries(ConfigList::safeDomains);

    if (options.json) {
        nlohmann::ordered_json out = {{"configLoaded", c.configLoaded()},
                              {"bodyCheckWords", listJson(body)},
                              {"attachmentCheckWords", listJson(attachment)},
                              {"safeDomains", listJson(safe)},
                              {"deferredMinutes", c.deferredMinutes()},
                              {"useDeferredDelivery", c.useDeferredDelivery()},
                              {"debugMode", c.debugMode()},
                              {"messageBoxes", messageBoxesJson(env.messageBoxes.shown)}};
        std::cout << out.dump(2, ' ', false) << "\n";
    } else {
        std::cout << "Configuration file: " << c.configFilePath().string() << "\n";
        std::cout << "Loaded: " << (c.configLoaded() ? "yes" : "no (Sendwarden stays inactive)") << "\n";
        printList("Sensitive words in the body", body);
        printList("Words that announce an attachment", attachment);
        printList("Safe list", safe);
        std::cout << "Deferred delivery: " << (c.useDeferredDelivery() ? "on" : "off") << ", "
                  << c.deferredMinutes() << " minute(s)\n";
        std::cout << "Debug log: " << (c.debugMode() ? "on" : "off") << "\n";
        if (!env.messageBoxes.shown.empty()) {
            std::cout << "Message boxes:\n";
            printMessageBoxes(std::cout, env.messageBoxes.shown, "  ");
        }
    }
    return c.configLoaded() ? exitOk : exitNegative;
}

}  // namespace

void addConfigCommand(CLI::App& app, int& status) {
    auto* config = app.add_subcommand("config", "Inspect the configuration (config.xml)");
    config->require_subcommand(1);
    auto options = std::make_shared<CommonOptions>();
    auto* show = config->add_subcommand("show", "Load config.xml as the add-in does when it connects and print it");
    addCommonOptions(*show, *options);
    show->callback([options, &status] { status = runConfigShow(*options); });
}

}  // namespace sw::cli
