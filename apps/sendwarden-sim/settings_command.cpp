// sendwarden-sim settings: the Tools button opens the settings window, and a
// scripted user performs one action through it and the entry editor, then
// presses OK (Cancel after `show`).
#include <iostream>

#include "addin/addin.h"
#include "cli.h"
#include "sim/outlook/sim_outlook.h"
#include "sim/sim_environment.h"
#include "text.h"
#include "ui/settings/entry_editor.h"

namespace sw::cli {
namespace {

using S = ui::SettingsWindow;
using E = ui::EntryEditor;

enum class Verb { show, add, edit, remove, deferral };

struct SettingsOptions : CommonOptions {
    Verb verb = Verb::show;
    std::string list;
    int position = 0;
    std::string text;
    bool answerNo = false;
    std::string onOff;
    int minutes = -1;  // -1: leave the spinner
};

int listNumber(const std::string& list) {
    if (list == "body") return 0;
    if (list == "attachment") return 1;
    if (list == "safe") return 2;
    return std::stoi(list);
}

const char* const listKeys[] = {"bodyCheckWords", "attachmentCheckWords", "safeDomains"};

nlohmann::ordered_json windowJson(const S& w) {
    nlohmann::ordered_json tabs = nlohmann::ordered_json::array();
    for (const ui::Tab& t : w.control(S::tbsOptions).tabs) tabs.push_back(utf8(t.caption));
    nlohmann::ordered_json out = {{"title", utf8(w.title())}, {"tabs", tabs}};
    for (int i = 0; i < S::listCount; ++i) out[listKeys[i]] = listJson(w.control(S::lstWord0 + i).items);
    out["deferral"] = {{"checked", w.control(S::chkUseDeferredDelivery).value == 1},
                       {"minutes", utf8(w.control(S::txtDeferredTime).caption)},
                       {"minutesEnabled", w.control(S::txtDeferredTime).enabled}};
    out["applyEnabled"] = w.control(S::cmdApply).enabled;
    return out;
}

void printWindow(const S& w) {
    std::cout << "Window: " << utf8(w.title()) << "\n";
    const auto& tabs = w.control(S::tbsOptions).tabs;
    for (int i = 0; i < S::listCount; ++i) {
        const auto& items = w.control(S::lstWord0 + i).items;
        std::cout << "  [" << i << "] " << utf8(tabs[static_cast<std::size_t>(i)].caption) << " (" << items.size()
                  << ")\n";
        for (std::size_t k = 0; k < items.size(); ++k) std::cout << "      " << k << "  " << utf8(items[k]) << "\n";
    }
    std::cout << "  [3] " << utf8(tabs[3].caption) << ": "
              << (w.control(S::chkUseDeferredDelivery).value == 1 ? "[x] " : "[ ] ")
              << utf8(w.control(S::chkUseDeferredDelivery).caption) << ", "
              << utf8(w.control(S::txtDeferredTime).caption) << " " << utf8(w.control(S::lblDeferredTime).caption)
              << "\n";
}

// What the user does in the entry editor: types the text and presses OK. A refused
// entry (a duplicate, or no text) is given up with Cancel.
sim::ScriptedWindows::Action typeInEditor(const std::u16string& text, bool& refused) {
    return [text, &refused](ui::WindowModel& w) {
        w.textChanged(E::txtEdit, text);
        w.click(E::cmdOK);
        if (!w.visible()) return;
        refused = true;
        w.click(E::cmdCancel);
    };
}

// Selects entry POS of the list as a user would click it; POS must be on the list.
void selectEntry(S& w, int list, int position) {
    const auto count = static_cast<int>(w.control(S::lstWord0 + list).items.size());
    if (position < 0 || position >= count)
        throw UsageError("POS " + std::to_string(position) + " is not on list " + std::to_string(list) + " (" +
                         std::to_string(count) + " entries)");
    w.selectionChanged(S::lstWord0 + list, position);
}

void setDeferral(S& w, bool on, int minutes) {
    w.selectionChanged(S::tbsOptions, 3);
    auto ticked = [&] { return w.control(S::chkUseDeferredDelivery).value == 1; };
    if (minutes >= 0) {
        // The spinner moves only while the box is ticked.
        if (!ticked()) w.click(S::chkUseDeferredDelivery);
        // One step at a time, as the arrows move it; the field always holds a number.
        for (int guard = 0; guard < 100; ++guard) {
            const int shown = std::stoi(utf8(w.control(S::txtDeferredTime).caption));
            if (shown == minutes) break;
            w.spin(S::updDeferredTime, shown < minutes ? 1 : -1);
        }
    }
    if (ticked() != on) w.click(S::chkUseDeferredDelivery);
}

int runSettings(const SettingsOptions& o) {
    sim::SimEnvironment env(o.configDir);
    if (!o.json) env.messageBoxes.onShow = [](const sim::ShownMessage& m) { printMessageBoxes(std::cout, {m}, ""); };
    const int list = o.list.empty() ? 0 : listNumber(o.list);
    const std::u16string text = fromUtf8(o.text);
    bool refused = false;
    nlohmann::ordered_json shownWindow;

    sim::ScriptedWindows windows;
    windows.actions.push_back([&](ui::WindowModel& model) {
        S& w = dynamic_cast<S&>(model);
        if (o.verb != Verb::deferral) w.selectionChanged(S::tbsOptions, list);
        switch (o.verb) {
            case Verb::show:
                shownWindow = windowJson(w);
                if (!o.json) printWindow(w);
                w.click(S::cmdCancel);
                return;
            case Verb::add:
                windows.actions.push_front(typeInEditor(text, refused));
                w.click(S::cmdAdd0 + list);
                break;
            case Verb::edit:
                selectEntry(w, list, o.position);
                windows.actions.push_front(typeInEditor(text, refused));
                w.click(S::cmdEdit0 + list);
                break;
            case Verb::remove:
                selectEntry(w, list, o.position);
                if (o.answerNo) env.messageBoxes.answers.push_back(mb::answerNo);
                w.click(S::cmdDelete0 + list);
                break;
            case Verb::deferral:
                setDeferral(w, o.onOff == "on", o.minutes);
                break;
        }
        w.click(S::cmdOK);
    });

    AddIn addin{env.platform(&windows)};
    auto app = std::make_shared<sim::SimApplication>();
    sim::SimAddInInstance instance(app->sharedFaults());
    addin.OnConnection(app, 1, instance);
    // Without a loaded configuration the add-in puts no button into the Tools menu.
    if (addin.button()) app->clickButton(0);

    const ConfigStore& config = addin.config();
    if (o.json) {
        nlohmann::ordered_json out = configJson(config, env.messageBoxes.shown);
        if (o.verb == Verb::show) out["window"] = shownWindow;
        std::cout << out.dump(2, ' ', false) << "\n";
    } else {
        printConfig(config, {});
    }
    return refused || !config.configLoaded() ? exitNegative : exitOk;
}

}  // namespace

void addSettingsCommand(CLI::App& app, int& status) {
    auto* settings = app.add_subcommand("settings", "Open the settings window from the Tools button and act in it");
    settings->require_subcommand(1);
    auto o = std::make_shared<SettingsOptions>();
    addCommonOptions(*settings, *o);
    settings->fallthrough();
    settings->footer(
        "LIST is 0, 1, 2 or body, attachment, safe; POS counts from 0 in the order the window shows.\n"
        "Every action but show ends with OK, which saves config.xml and loads it again.\n"
        "Exit status: 0 done, 1 the editor refused the entry or the configuration did not load, 2 usage error.");
    const auto lists = CLI::IsMember({"0", "1", "2", "body", "attachment", "safe"});
    auto verb = [&](const char* name, const char* help, Verb v) {
        auto* c = settings->add_subcommand(name, help);
        c->callback([o, v, &status] {
            o->verb = v;
            status = runSettings(*o);
        });
        return c;
    };
    verb("show", "Print the three lists and the deferral panel as the window shows them; press Cancel", Verb::show);
    auto* add = verb("add", "Add TEXT to LIST with the entry editor", Verb::add);
    add->add_option("LIST", o->list)->required()->check(lists);
    add->add_option("TEXT", o->text)->required();
    auto* edit = verb("edit", "Change entry POS of LIST to TEXT with the entry editor", Verb::edit);
    edit->add_option("LIST", o->list)->required()->check(lists);
    edit->add_option("POS", o->position)->required();
    edit->add_option("TEXT", o->text)->required();
    auto* del = verb("delete", "Delete entry POS of LIST, answering the question Yes", Verb::remove);
    del->add_option("LIST", o->list)->required()->check(lists);
    del->add_option("POS", o->position)->required();
    del->add_flag("--no", o->answerNo, "Answer the delete question No");
    auto* deferral = verb("deferral", "Tick or untick deferred delivery and step the spinner to MINUTES", Verb::deferral);
    deferral->add_option("STATE", o->onOff)->required()->check(CLI::IsMember({"on", "off"}));
    deferral->add_option("MINUTES", o->minutes)->check(CLI::Range(0, 30));
}

}  // namespace sw::cli
