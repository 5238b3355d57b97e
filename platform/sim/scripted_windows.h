#pragma once
// A user who answers windows by script, for tests and for `send --answer`.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform.h"
#include "ui/window_model.h"

namespace sw::sim {

class ScriptedWindows : public Windows {
public:
    using Action = std::function<void(ui::WindowModel&)>;

    // Each show takes the next action; without one, `fallback` answers.
    void showModal(ui::WindowModel& window) override;

    // An action for one kind of window: ScriptedWindows::on<ui::ConfirmDialog>(...).
    // Another window reaching it is a script error (std::bad_cast).
    template <class Window>
    static Action on(std::function<void(Window&)> act) {
        return [act = std::move(act)](ui::WindowModel& w) { act(dynamic_cast<Window&>(w)); };
    }

    std::deque<Action> actions;
    Action fallback = [](ui::WindowModel& w) { w.closeRequested(); };
    // Runs first at every show, before the action (e.g. to record what was shown).
    std::function<void(const ui::WindowModel&)> onShow;
    int shows = 0;
};

// Opens nothing; remembers what it was asked to open.
class RecordedShell : public Shell {
public:
    void openUrl(const std::u16string& url) override { opened.push_back(url); }
    std::vector<std::u16string> opened;
};

}  // namespace sw::sim
