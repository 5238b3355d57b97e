#pragma once
// Window models on a terminal: the window is drawn on the output, keys are read from
// the input and handed to the model, and the window is drawn again after each key.
// On a terminal the input goes into raw mode (restored on every way out) and the
// output is redrawn in place on the alternate screen; with pipes or files the bytes
// are read as they come and every frame is printed once.
#include <unistd.h>

#include "platform.h"

namespace sw::sim {

class TerminalWindows : public Windows {
public:
    explicit TerminalWindows(int inputFd = STDIN_FILENO, int outputFd = STDOUT_FILENO);

    // Returns when the window is no longer visible. End of input, a read error,
    // Ctrl+C and Ctrl+D close the window, which cancels the send.
    void showModal(ui::WindowModel& window) override;

private:
    int inputFd_, outputFd_;
};

}  // namespace sw::sim
