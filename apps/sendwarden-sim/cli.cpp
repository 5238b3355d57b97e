#include "cli.h"

#include <climits>
#include <iostream>
#include <ostream>
#include <unistd.h>

#include "sim/outlook/eml_reader.h"
#include "text.h"

namespace sw::cli {

std::filesystem::path executableFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::filesystem::current_path();
    return std::filesystem::path(std::string(buf, static_cast<std::size_t>(n))).parent_path();
}

void addCommonOptions(CLI::App& command, CommonOptions& options) {
    command.add_option("--config-dir", options.configDir, "Folder that holds config.xml (default: the program's folder)")
        ->check(CLI::ExistingDirectory);
    command.add_flag("--json", options.json, "Print one JSON object");
}

void addMailOptions(CLI::App& command, MailOptions& options, const std::string& filesHelp) {
    addCommonOptions(command, options);
    command.add_flag("--exchange", options.exchange, "The Outlook profile uses an Exchange server (mode 700)");
    command.add_option("MAIL", options.files, filesHelp)->required();
}

std::optional<sim::MailState> readMail(const std::string& file, int& status) {
    try {
        return sim::readEml(file);
    } catch (const sim::EmlError& e) {
        std::cerr << "sendwarden-sim: " << e.what() << "\n";
        status = exitUsage;
        return std::nullopt;
    }
}

std::string utf8(const std::u16string& text) { return toUtf8(text); }

nlohmann::ordered_json messageBoxesJson(const std::vector<sim::ShownMessage>& shown) {
    nlohmann::ordered_json boxes = nlohmann::ordered_json::array();
    for (const auto& m : shown) boxes.push_back({{"title", utf8(m.title)}, {"text", utf8(m.text)}, {"style", m.style}});
    return boxes;
}

void printMessageBoxes(std::ostream& out, const std::vector<sim::ShownMessage>& shown, const std::string& indent) {
    for (const auto& m : shown) {
        out << indent << "[" << utf8(m.title) << "] (style " << m.style << ")\n";
        std::string text = utf8(m.text);
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find("\r\n", start);
            if (end == std::string::npos) end = text.size();
            if (end > start || end < text.size()) out << indent << "  " << text.substr(start, end - start) << "\n";
            start = end + 2;
        }
    }
}

}  // namespace sw::cli
