#pragma once
// The settings window over a temporary add-in folder, driven as a user drives it.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "sim/clocks.h"
#include "sim/posix_files.h"
#include "sim/pugi_document.h"
#include "sim/recorded_message_boxes.h"
#include "support/temp_folder.h"
#include "text.h"
#include "ui/settings/entry_editor.h"
#include "ui/settings/settings_window.h"

namespace sw::test {

// Each window shown takes the next scripted action; without one it is closed.
class ScriptedModels : public Windows {
public:
    using Action = std::function<void(ui::WindowModel&)>;
    void showModal(ui::ConfirmDialog&) override {}
    void showModal(ui::WindowModel& window) override {
        window.activated();
        titles.push_back(window.title());
        if (!actions.empty()) {
            Action next = std::move(actions.front());
            actions.pop_front();
            next(window);
        }
        if (window.visible()) window.closeRequested();
    }
    std::deque<Action> actions;
    std::vector<std::u16string> titles;
};

// The entry editor's user: types the text and presses OK (or Cancel).
inline ScriptedModels::Action typeAndPress(std::u16string text, ui::ControlId button = ui::EntryEditor::cmdOK) {
    return [text = std::move(text), button](ui::WindowModel& w) {
        w.textChanged(ui::EntryEditor::txtEdit, text);
        w.click(button);
    };
}

struct NoShell : Shell {
    void openUrl(const std::u16string& url) override { opened.push_back(url); }
    std::vector<std::u16string> opened;
};

// A store over its own folder, as the add-in builds one.
struct Ports {
    explicit Ports(const std::filesystem::path& folder) : files(folder) {}
    sim::SimClock clock;
    sim::RecordedMessageBoxes messageBoxes;
    sim::PosixFiles files;
    sim::PugiDocumentFactory documents;
    Diagnostics diagnostics{messageBoxes, files, clock};
    ConfigStore config{diagnostics, files, documents};
};

class SettingsTest : public ::testing::Test {
protected:
    using S = ui::SettingsWindow;
    TempFolder folder;
    Ports env{folder.path()};
    ConfigStore& store = env.config;
    NoShell shell;
    ScriptedModels windows;
    ui::SettingsWindow window{{env.diagnostics, store, windows, shell}};

    void writeConfig(const std::string& inner) {
        folder.write("config.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>" + inner + "</config>\n");
    }

    // Writes config.xml with these lists and opens the window on it.
    void open(const std::vector<std::u16string>& body, const std::vector<std::u16string>& safe = {},
              const std::string& deferral = "<deferred-delivery use=\"True\">5</deferred-delivery>") {
        auto elements = [](const std::vector<std::u16string>& texts, const char* name) {
            std::string xml;
            for (const auto& t : texts) xml += std::string("<") + name + ">" + toUtf8(t) + "</" + name + ">";
            return xml;
        };
        writeConfig("<body-check>" + elements(body, "word") + "</body-check><attachment-check/>" +
                    "<recipient-check>" + elements(safe, "domain") + "</recipient-check>" + deferral +
                    "<debug>False</debug>");
        store.loadConfigXML();
        window.load();
        window.show();
    }
    // What config.xml on disk holds now, read by a store of its own.
    std::vector<std::u16string> saved(ConfigList list) {
        Ports fresh{folder.path()};
        fresh.config.loadConfigXML();
        return fresh.config.entries(list);
    }
    std::u16string savedDeferral() {
        Ports fresh{folder.path()};
        fresh.config.loadConfigXML();
        return decimal(fresh.config.deferredMinutes()) + (fresh.config.useDeferredDelivery() ? u" on" : u" off");
    }
    std::vector<std::u16string> shown(int list) { return window.control(S::lstWord0 + list).items; }
    bool enabled(ui::ControlId id) { return window.control(id).enabled; }
};

}  // namespace sw::test
