#pragma once
// The settings window over a temporary add-in folder, driven as a user drives it.
#include <gtest/gtest.h>

#include "sim/sim_environment.h"
#include "support/config_fixture.h"
#include "text.h"
#include "ui/settings/entry_editor.h"
#include "ui/settings/settings_window.h"

namespace sw::test {

// The entry editor's user: types the text and presses OK (or another button).
inline sim::ScriptedWindows::Action typeAndPress(std::u16string text, ui::ControlId button = ui::EntryEditor::cmdOK) {
    return [text = std::move(text), button](ui::WindowModel& w) {
        w.textChanged(ui::EntryEditor::txtEdit, text);
        w.click(button);
    };
}

class SettingsTest : public ConfigTest {
protected:
    using S = ui::SettingsWindow;
    sim::ScriptedWindows windows;
    std::vector<std::u16string> titles;  // of every window shown, as it was activated
    ui::SettingsWindow window{{env.diagnostics, store, windows, env.shell}};

    SettingsTest() {
        windows.onShow = [this](const ui::WindowModel& w) { titles.push_back(w.title()); };
    }

    // Writes config.xml with these body words and opens the window on it.
    void open(const std::vector<std::u16string>& body,
              const std::string& deferral = "<deferred-delivery use=\"True\">5</deferred-delivery>") {
        std::string words;
        for (const auto& t : body) words += "<word>" + toUtf8(t) + "</word>";
        writeConfig("<body-check>" + words + "</body-check><attachment-check/><recipient-check/>" + deferral +
                    "<debug>False</debug>");
        store.loadConfigXML();
        window.load();
        window.show();
    }
    // What config.xml on disk holds now, read by a store of its own.
    std::vector<std::u16string> saved(ConfigList list) {
        sim::SimEnvironment fresh{folder.path()};
        fresh.config.loadConfigXML();
        return fresh.config.entries(list);
    }
    std::u16string savedDeferral() {
        sim::SimEnvironment fresh{folder.path()};
        fresh.config.loadConfigXML();
        return decimal(fresh.config.deferredMinutes()) + (fresh.config.useDeferredDelivery() ? u" on" : u" off");
    }
    std::vector<std::u16string> shown(int list) { return window.control(S::lstWord0 + list).items; }
    bool enabled(ui::ControlId id) { return window.control(id).enabled; }
};

}  // namespace sw::test
