#pragma once
// A user who answers windows by script, for tests and for `send --answer`.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform.h"
#include "ui/dialog/confirm_dialog.h"

namespace sw::sim {

class ScriptedWindows : public Windows {
public:
    using Action = std::function<void(ui::ConfirmDialog&)>;

    // Each show takes the next action; without one, `fallback` answers.
    void showModal(ui::ConfirmDialog& dialog) override;

    std::deque<Action> actions;
    Action fallback = [](ui::ConfirmDialog& d) { d.closeWindow(); };
    // Runs first at every show, before the action (e.g. to record what was shown).
    std::function<void(const ui::ConfirmDialog&)> onShow;
    int shows = 0;
};

// Opens nothing; remembers what it was asked to open.
class RecordedShell : public Shell {
public:
    void openUrl(const std::u16string& url) override { opened.push_back(url); }
    std::vector<std::u16string> opened;
};

}  // namespace sw::sim
