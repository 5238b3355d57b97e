#include "sim/scripted_windows.h"

namespace sw::sim {

void ScriptedWindows::showModal(ui::ConfirmDialog& dialog) {
    ++shows;
    if (onShow) onShow(dialog);
    Action action = fallback;
    if (!actions.empty()) {
        action = std::move(actions.front());
        actions.pop_front();
    }
    action(dialog);
}

}  // namespace sw::sim
