#include "sim/scripted_windows.h"

namespace sw::sim {

void ScriptedWindows::showModal(ui::WindowModel& window) {
    ++shows;
    window.activated();
    if (onShow) onShow(window);
    Action action = fallback;
    if (!actions.empty()) {
        action = std::move(actions.front());
        actions.pop_front();
    }
    action(window);
}

}  // namespace sw::sim
