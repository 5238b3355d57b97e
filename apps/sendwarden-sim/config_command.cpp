// sendwarden-sim config show: the configuration as the add-in loads it.
#include <iostream>

#include "cli.h"
#include "sim/sim_environment.h"

namespace sw::cli {
nlohmann::ordered_json listJson(const std::vector<std::u16string>& entries) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& e : entries) list.push_back(utf8(e));
    return list;
}

namespace {

void printList(const char* title, const std::vector<std::u16string>& entries) {
    std::cout << title << " (" << entries.size() << ")" << (entries.empty() ? ": none\n" : ":\n");
    for (const auto& e : entries) std::cout << "  \"" << utf8(e) << "\"\n";
}

int runConfigShow(const CommonOptions& options) {
    sim::SimEnvironment env(options.configDir);
    env.config.loadConfigXML();
    if (options.json)
        std::cout << configJson(env.config, env.messageBoxes.shown).dump(2, ' ', false) << "\n";
    else
        printConfig(env.config, env.messageBoxes.shown);
    return env.config.configLoaded() ? exitOk : exitNegative;
}

}  // namespace

nlohmann::ordered_json configJson(const ConfigStore& c, const std::vector<sim::ShownMessage>& shown) {
    return {{"configLoaded", c.configLoaded()},
            {"bodyCheckWords", listJson(c.entries(ConfigList::bodyCheckWords))},
            {"attachmentCheckWords", listJson(c.entries(ConfigList::attachmentCheckWords))},
            {"safeDomains", listJson(c.entries(ConfigList::safeDomains))},
            {"deferredMinutes", c.deferredMinutes()},
            {"useDeferredDelivery", c.useDeferredDelivery()},
            {"debugMode", c.debugMode()},
            {"messageBoxes", messageBoxesJson(shown)}};
}

void printConfig(const ConfigStore& c, const std::vector<sim::ShownMessage>& shown) {
    std::cout << "Configuration file: " << c.configFilePath().string() << "\n";
    std::cout << "Loaded: " << (c.configLoaded() ? "yes" : "no (Sendwarden stays inactive)") << "\n";
    printList("Sensitive words in the body", c.entries(ConfigList::bodyCheckWords));
    printList("Words that announce an attachment", c.entries(ConfigList::attachmentCheckWords));
    printList("Safe list", c.entries(ConfigList::safeDomains));
    std::cout << "Deferred delivery: " << (c.useDeferredDelivery() ? "on" : "off") << ", " << c.deferredMinutes()
              << " minute(s)\n";
    std::cout << "Debug log: " << (c.debugMode() ? "on" : "off") << "\n";
    if (!shown.empty()) {
        std::cout << "Message boxes:\n";
        printMessageBoxes(std::cout, shown, "  ");
    }
}

void addConfigCommand(CLI::App& app, int& status) {
    auto* config = app.add_subcommand("config", "Inspect the configuration (config.xml)");
    config->require_subcommand(1);
    auto options = std::make_shared<CommonOptions>();
    auto* show = config->add_subcommand("show", "Load config.xml as the add-in does when it connects and print it");
    addCommonOptions(*show, *options);
    show->callback([options, &status] { status = runConfigShow(*options); });
}

}  // namespace sw::cli
