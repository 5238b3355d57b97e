#pragma once
// The confirmation dialog drawn as terminal text: a framed window laid out like the
// real one, then a line of key help. Pure: the same model gives the same lines.
#include <string>
#include <vector>

#include "ui/dialog/confirm_dialog.h"

namespace sw::sim {

struct RenderOptions {
    bool colour = false;  // ANSI SGR attributes; without them unsafe rows still carry "!"
    int width = 80;       // terminal columns; the frame keeps between 40 and 100
    bool keyHelp = true;  // the line of keys under the window, for a person at the keyboard
};

// UTF-8 lines without line ends.
std::vector<std::string> renderDialog(const ui::ConfirmDialog& dialog, const RenderOptions& options);

}  // namespace sw::sim
