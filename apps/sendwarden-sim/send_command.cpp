// sendwarden-sim send: Outlook sends each mail; the add-in stops it at its dialog.
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "addin/addin.h"
#include "cli.h"
#include "dialog_json.h"
#include "diagnostics/failure.h"
#include "sim/outlook/sim_outlook.h"
#include "sim/scripted_windows.h"
#include "sim/sim_environment.h"
#include "sim/terminal/terminal_render.h"
#include "sim/terminal/terminal_windows.h"

namespace sw::cli {
namespace {

struct SendOptions : MailOptions {
    std::string answer;  // empty: ask on a terminal
    bool sendImmediately = false;
    std::string now;
    std::vector<int> addSafe;  // recipients rows, counted from 1
};

bool colourWanted(int fd) { return ::isatty(fd) && std::getenv("NO_COLOR") == nullptr; }

// Acts as the user the options describe.
sim::ScriptedWindows::Action scriptedAnswer(const std::string& answer, bool sendImmediately) {
    return sim::ScriptedWindows::on<ui::ConfirmDialog>([answer, sendImmediately](ui::ConfirmDialog& d) {
        if (sendImmediately && d.control(ui::dialog::chkNotDeferred).visible && d.chkNotDeferred() != 1)
            d.chkNotDeferred_Click();
        if (answer == "ok")
            d.cmdOK_Click();
        else if (answer == "cancel")
            d.cmdCancel_Click();
        else
            d.closeRequested();
    });
}

// The right button on each row, then "宛先セーフリストに追加" where the row offers it.
void addRowsToSafeList(ui::ConfirmDialog& d, const std::vector<int>& rows) {
    for (int row : rows) {
        d.mouseDown(ui::dialog::fgdRecipients, ui::MouseButton::right, row);
        if (d.popup())
            d.menuChosen(ui::dialog::mnuAddSafeDomain);
        else
            std::cerr << "sendwarden-sim: --add-safe " << row << ": no recipient on that row\n";
    }
}

// Records what the dialog showed when it opened and when it closed, and lets the
// real view run it in between.
class ObservedWindows : public Windows {
public:
    explicit ObservedWindows(Windows& inner) : inner_(inner) {}
    void showModal(ui::WindowModel& window) override {
        // Only the confirmation dialog opens on the send road.
        auto& dialog = dynamic_cast<ui::ConfirmDialog&>(window);
        shown = dialogJson(dialog);
        if (beforeShow) beforeShow(dialog);
        if (beforeAnswer) beforeAnswer(dialog);
        inner_.showModal(window);
        after = dialogJson(dialog);
    }
    nlohmann::ordered_json shown;  // null until a dialog opens
    nlohmann::ordered_json after;
    std::function<void(const ui::ConfirmDialog&)> beforeShow;
    std::function<void(ui::ConfirmDialog&)> beforeAnswer;

private:
    Windows& inner_;
};

void printOutcome(const nlohmann::ordered_json& m, const std::vector<sim::ShownMessage>& boxes) {
    std::cout << m["file"].get<std::string>() << ": " << (m["cancel"] ? "CANCELLED (not sent)" : "sent");
    if (!m["cancel"] && m["deferredDeliveryTime"] != "4501-01-01 00:00:00")
        std::cout << ", held back until " << m["deferredDeliveryTime"].get<std::string>();
    if (m["class"] != host::olMail) std::cout << " (not a mail item: no dialog)";
    std::cout << (m["saved"] ? "; the item was saved first" : "") << "\n";
    if (!boxes.empty()) printMessageBoxes(std::cout, boxes, "  ");
}

int runSend(const SendOptions& options) {
    const bool ask = options.answer == "ask" || (options.answer.empty() && ::isatty(STDIN_FILENO));
    if (!ask && options.answer.empty())
        throw UsageError("standard input is not a terminal: say how to answer the dialog with --answer ok|cancel|close");

    sim::SimEnvironment env(options.configDir);
    if (!options.now.empty()) {
        LocalDateTime now;
        if (!LocalDateTime::parseIso(options.now, now)) throw UsageError("--now wants \"YYYY-MM-DD HH:MM:SS\"");
        env.clock.fix(now);
    }
    // The dialog goes where the user can see it: stdout, unless that carries JSON or
    // is redirected while stderr still reaches the terminal.
    const bool drawOnStderr = options.json || (!::isatty(STDOUT_FILENO) && ::isatty(STDERR_FILENO));
    sim::TerminalWindows terminal(STDIN_FILENO, drawOnStderr ? STDERR_FILENO : STDOUT_FILENO);
    sim::ScriptedWindows scripted;
    if (!ask) scripted.fallback = scriptedAnswer(options.answer, options.sendImmediately);
    ObservedWindows windows(ask ? static_cast<Windows&>(terminal) : scripted);
    if (!options.addSafe.empty())
        windows.beforeAnswer = [rows = options.addSafe](ui::ConfirmDialog& d) { addRowsToSafeList(d, rows); };
    if (!ask && !options.json) {
        windows.beforeShow = [](const ui::ConfirmDialog& d) {
            // Nobody is at the keyboard: the window without its key help.
            for (const auto& line : sim::renderWindow(d, {.colour = colourWanted(STDOUT_FILENO), .keyHelp = false}))
                std::cout << line << "\n";
        };
    }
    if (!options.json) env.messageBoxes.onShow = [](const sim::ShownMessage& m) { printMessageBoxes(std::cout, {m}, ""); };

    AddIn addin{env.platform(&windows)};
    auto app = std::make_shared<sim::SimApplication>();
    app->setExchangeConnectionMode(options.exchange ? 700 : 0);
    sim::SimAddInInstance instance(app->sharedFaults());
    addin.OnConnection(app, 1, instance);
    addin.OnStartupComplete();
    nlohmann::ordered_json connection = {{"configLoaded", addin.config().configLoaded()},
                                 {"buttonAdded", addin.button() != nullptr},
                                 {"messageBoxes", messageBoxesJson(env.messageBoxes.shown)}};

    int status = exitOk;
    nlohmann::ordered_json mails = nlohmann::ordered_json::array();
    for (const auto& file : options.files) {
        std::optional<sim::MailState> mail = readMail(file, status);
        if (!mail) continue;
        env.messageBoxes.shown.clear();
        windows.shown = nullptr;
        windows.after = nullptr;
        auto item = app->newItem(std::move(*mail));
        bool cancel = false;
        app->raiseItemSend(*item, cancel);
        if (cancel && status == exitOk) status = exitNegative;
        const sim::MailState& s = item->state();
        nlohmann::ordered_json m = {{"file", file},
                            {"class", s.itemClass},
                            {"saved", s.saveCount > 0},
                            {"dialogShown", !windows.shown.is_null()},
                            {"dialog", windows.shown},
                            {"dialogAfter", windows.after},
                            {"cancel", cancel},
                            {"deferredDeliveryTime", s.deferredDeliveryTime.isoText()},
                            {"messageBoxes", messageBoxesJson(env.messageBoxes.shown)}};
        if (!options.json) printOutcome(m, {});
        mails.push_back(std::move(m));
    }
    nlohmann::ordered_json document = {{"connection", connection}, {"mails", mails}};
    // Outlook goes on shutting down whatever OnBeginShutdown hands back, and so do we;
    // the mails were handled all the same, so their report still goes out.
    try {
        addin.OnBeginShutdown();
    } catch (...) {
        const ErrorValue failure = errorFromCurrentException();
        document["shutdownFailure"] = {{"number", failure.number}, {"description", utf8(failure.description)}};
        if (!options.json)
            std::cout << "shutdown: the add-in handed back error " << failure.number << ": "
                      << utf8(failure.description) << "\n";
        status = std::max(status, exitNegative);
    }
    addin.OnDisconnection(0);
    if (options.json) std::cout << document.dump(2, ' ', false) << "\n";
    return status;
}

}  // namespace

void addSendCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<SendOptions>();
    auto* send = app.add_subcommand("send", "Send .eml files through a substitute Outlook with the add-in connected");
    addMailOptions(*send, *options, "Mail files (.eml), sent in turn");
    send->add_option("--answer", options->answer,
                     "How the user answers each dialog: ok, cancel, close (the window's close box) or ask "
                     "(interactive; the default on a terminal)")
        ->check(CLI::IsMember({"ok", "cancel", "close", "ask"}));
    send->add_flag("--send-immediately", options->sendImmediately, "Tick the send-immediately box when it is shown");
    send->add_option("--add-safe", options->addSafe,
                     "Before answering, right-click recipients row ROW (data rows from 1) and choose "
                     "\"宛先セーフリストに追加\"; repeatable. Asking on a terminal, type +, the row and Enter")
        ->check(CLI::PositiveNumber)
        ->allow_extra_args(false);
    send->add_option("--now", options->now, "Fix the clock: \"YYYY-MM-DD HH:MM:SS\" (local time)");
    send->footer(
        "Exit status: 0 every mail sent, 1 any cancelled or stopped or a failure at shutdown, 2 usage error or "
        "unreadable mail file.");
    send->callback([options, &status] { status = runSend(*options); });
}

}  // namespace sw::cli
