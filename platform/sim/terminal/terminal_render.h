#pragma once
// Any window model drawn as terminal text: a framed window laid out like the real
// one, its open context menu, then a line of key help. Pure: the same model gives
// the same lines.
#include <string>
#include <vector>

#include "ui/window_model.h"

namespace sw::sim {

struct RenderOptions {
    bool colour = false;  // ANSI SGR attributes; without them unsafe rows still carry "!"
    int width = 80;       // terminal columns; the frame keeps between 40 and 100
    bool keyHelp = true;  // the line of keys under the window, for a person at the keyboard
};

// UTF-8 lines without line ends.
std::vector<std::string> renderWindow(const ui::WindowModel& window, const RenderOptions& options);

// A terminal has no pointer: controls a mouse would click that no access key
// reaches (a check box without "&") get a letter of the view's own.
struct PointerKey {
    char key;
    ui::ControlId id;
};
std::vector<PointerKey> pointerKeys(const ui::WindowModel& window);

}  // namespace sw::sim
