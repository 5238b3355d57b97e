#pragma once
// Shared pieces of the command-line host's commands.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include <optional>

#include "config/config_store.h"
#include "sim/outlook/sim_item.h"
#include "sim/recorded_message_boxes.h"

namespace sw::cli {

// Exit statuses shared by every command.
inline constexpr int exitOk = 0;
inline constexpr int exitNegative = 1;  // not loaded, no match, cancelled
inline constexpr int exitUsage = 2;

// The folder that holds this executable: the default --config-dir.
std::filesystem::path executableFolder();

// A usage error raised while running a command (after parsing succeeded).
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// --config-dir and --json, which every command takes.
struct CommonOptions {
    std::filesystem::path configDir = executableFolder();
    bool json = false;
};
void addCommonOptions(CLI::App& command, CommonOptions& options);

// The commands that take mail files: --exchange and the files themselves.
struct MailOptions : CommonOptions {
    bool exchange = false;
    std::vector<std::string> files;
};
void addMailOptions(CLI::App& command, MailOptions& options, const std::string& filesHelp);

// Reads a mail file; when it cannot, names it on stderr, sets `status` to the
// usage status and returns nothing, so that the other files are still handled.
std::optional<sim::MailState> readMail(const std::string& file, int& status);

std::string utf8(const std::u16string& text);
nlohmann::ordered_json messageBoxesJson(const std::vector<sim::ShownMessage>& shown);
// "[title] text" with the text's lines indented under it.
void printMessageBoxes(std::ostream& out, const std::vector<sim::ShownMessage>& shown, const std::string& indent);

nlohmann::ordered_json listJson(const std::vector<std::u16string>& entries);
// The configuration as `config show` prints it, with the message boxes shown so far.
nlohmann::ordered_json configJson(const ConfigStore& config, const std::vector<sim::ShownMessage>& shown);
void printConfig(const ConfigStore& config, const std::vector<sim::ShownMessage>& shown);

// Each command adds its subcommand and returns where its exit status will be left.
void addConfigCommand(CLI::App& app, int& status);
void addMatchCommand(CLI::App& app, int& status);
void addCheckCommand(CLI::App& app, int& status);
void addSendCommand(CLI::App& app, int& status);
void addSettingsCommand(CLI::App& app, int& status);
void addAboutCommand(CLI::App& app, int& status);

}  // namespace sw::cli
