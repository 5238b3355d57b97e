#pragma once
// The settings window and its entry editor in a user's hands, and config.xml as
// read back from disk.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "ui/settings/entry_editor.h"
#include "ui/settings/settings_window.h"
#include "win32/window_driver.h"

namespace sw::test::win {

using S = ui::SettingsWindow;
using E = ui::EntryEditor;

// What config.xml holds, in file order.
struct Saved {
    std::vector<std::string> body, attachment, safe;
    std::string use, minutes;
    bool operator==(const Saved&) const = default;
};

Saved readSaved(const std::filesystem::path& file);
void PrintTo(const Saved& s, std::ostream* out);

// A user at the settings window.
struct SettingsUser : WindowDriver {
    using WindowDriver::WindowDriver;
    HWND settings() const { return first(); }
    HWND at(ui::ControlId id) const { return control(settings(), id); }

    void tab(int index);                  // a click on the tab; waits for its page
    bool shownOnTab(int index) const;     // the page in place, enabled, its tab selected
    void selectRow(int list, int row, bool twice = false);  // a click, or a double-click
    // The entry editor as it opens: its title, and the text the field holds selected.
    HWND editor(const std::u16string& title, const std::u16string& selected);
    void editorOk(HWND editor, const std::u16string& text, bool enter = false);  // types, then OK or Enter
    void closed(HWND window);
};

}  // namespace sw::test::win
