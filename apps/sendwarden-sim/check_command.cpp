// sendwarden-sim check: what the send road checks in each mail, without a dialog.
#include <iostream>

#include "checks/checks.h"
#include "cli.h"
#include "sim/outlook/sim_outlook.h"
#include "sim/sim_environment.h"

namespace sw::cli {
namespace {


struct Warnings : CheckWarnings {
    bool subject = false, body = false, attachment = false;
    void showCheckSubject() override { subject = true; }
    void showCheckBody() override { body = true; }
    void showCheckAttachment() override { attachment = true; }
};

nlohmann::ordered_json checkMail(const std::string& file, sim::MailState mail, bool exchange, sim::SimEnvironment& env,
                         Checks& checks) {
    sim::SimApplication app;
    app.setExchangeConnectionMode(exchange ? 700 : 0);
    auto item = app.newItem(std::move(mail));
    auto ns = app.getNamespace(u"MAPI");
    env.messageBoxes.shown.clear();

    nlohmann::ordered_json recipients = nlohmann::ordered_json::array();
    for (const auto& r : item->state().recipients)
        recipients.push_back({{"type", r.type},
                              {"name", utf8(r.name)},
                              {"address", utf8(r.address)},
                              {"safe", checks.checkSafeDomain(r.address, *ns)}});
    nlohmann::ordered_json replies = nlohmann::ordered_json::array();
    for (const auto& r : item->state().replyRecipients)
        replies.push_back({{"name", utf8(r.name)}, {"address", utf8(r.address)}});

    Warnings warnings;
    checks.checkSubject(*item, warnings);
    checks.checkBody(*item, warnings);
    checks.checkAttachment(*item, warnings);
    return {{"file", file},
            {"class", item->state().itemClass},
            {"recipients", recipients},
            {"replyRecipients", replies},
            {"warnings", {{"subject", warnings.subject}, {"body", warnings.body}, {"attachment", warnings.attachment}}},
            {"messageBoxes", messageBoxesJson(env.messageBoxes.shown)}};
}

const char* typeLabel(int type) {
    switch (type) {
        case 1: return "TO";
        case 2: return "CC";
        case 3: return "BCC";
        default: return "other";
    }
}

void printMail(const nlohmann::ordered_json& m, const std::vector<sim::ShownMessage>& boxes) {
    std::cout << m["file"].get<std::string>() << (m["class"] == host::olMail ? "" : " (not a mail item: Outlook sends it unchecked)")
              << "\n  Recipients:\n";
    for (const auto& r : m["recipients"])
        std::cout << "    " << typeLabel(r["type"]) << "\t" << (r["safe"] ? "safe  " : "UNSAFE") << "  "
                  << r["name"].get<std::string>() << " <" << r["address"].get<std::string>() << ">\n";
    if (m["recipients"].empty()) std::cout << "    (none)\n";
    for (const auto& r : m["replyRecipients"])
        std::cout << "  Reply-To: " << r["name"].get<std::string>() << " <" << r["address"].get<std::string>() << ">\n";
    const auto& w = m["warnings"];
    std::cout << "  Warnings:";
    if (w["subject"]) std::cout << " [empty subject]";
    if (w["body"]) std::cout << " [sensitive words in the body]";
    if (w["attachment"]) std::cout << " [attachment announced but missing]";
    if (!w["subject"] && !w["body"] && !w["attachment"]) std::cout << " none";
    std::cout << "\n";
    if (!boxes.empty()) {
        std::cout << "  Message boxes:\n";
        printMessageBoxes(std::cout, boxes, "    ");
    }
}

int runCheck(const MailOptions& options) {
    sim::SimEnvironment env(options.configDir);
    env.config.loadConfigXML();
    const auto loadBoxes = env.messageBoxes.shown;
    Checks checks(env.diagnostics, env.config, env.clock);
    int status = env.config.configLoaded() ? exitOk : exitNegative;

    nlohmann::ordered_json mails = nlohmann::ordered_json::array();
    if (!options.json && !loadBoxes.empty()) printMessageBoxes(std::cout, loadBoxes, "");
    if (!env.config.configLoaded()) {
        std::cerr << "sendwarden-sim: the configuration did not load; Outlook would send these mails unchecked\n";
    } else {
        for (const auto& file : options.files) {
            std::optional<sim::MailState> mail = readMail(file, status);
            if (!mail) continue;
            nlohmann::ordered_json m = checkMail(file, std::move(*mail), options.exchange, env, checks);
            if (!options.json) printMail(m, env.messageBoxes.shown);
            mails.push_back(std::move(m));
        }
    }
    if (options.json) {
        nlohmann::ordered_json out = {{"configLoaded", env.config.configLoaded()},
                              {"messageBoxes", messageBoxesJson(loadBoxes)},
                              {"mails", mails}};
        std::cout << out.dump(2, ' ', false) << "\n";
    }
    return status;
}

}  // namespace

void addCheckCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<MailOptions>();
    auto* check = app.add_subcommand("check", "Run the send-time checks on .eml files without showing the dialog");
    addMailOptions(*check, *options, "Mail files (.eml)");
    check->footer("Exit status: 0 checked, 1 configuration not loaded, 2 usage error or unreadable mail file.");
    check->callback([options, &status] { status = runCheck(*options); });
}

}  // namespace sw::cli
