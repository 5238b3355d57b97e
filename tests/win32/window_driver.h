#pragma once
// A user's hands on the add-in's windows, from the screen user's thread: mouse
// presses where a user would press, keys through the real input queue, message
// boxes answered with a chosen button. Every wait is bounded; what did not happen
// in time is written down as a problem, and the script stops.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/window_model.h"

namespace sw::test::win {

struct Stuck : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class WindowDriver {
public:
    explicit WindowDriver(HWND first);

    HWND first() const { return first_; }
    HWND control(HWND window, ui::ControlId id) const;  // Stuck when it is not there

    // Waits up to five seconds (a loaded machine); false when the condition never held.
    static bool waitFor(const std::function<bool()>& condition);
    // Waits, or notes `what` as a problem and throws Stuck.
    void expect(const std::function<bool()>& condition, const std::string& what);
    void problem(const std::string& what) { problems.push_back(what); }

    // The thread's visible, enabled add-in window other than `except`, waited for.
    HWND topWindow(HWND except);
    // The next message box: its text is recorded, then `button` (IDOK, IDYES...) chosen.
    void answerBox(int button);

    void press(HWND button);                      // a click, as BM_CLICK gives it
    void clickAt(HWND control, POINT at, bool twice = false);  // left button, client coordinates
    void rightClickAt(HWND control, POINT at);
    void keys(const std::vector<WORD>& chord);  // pressed in order, released in reverse
    void typeText(HWND field, const std::u16string& text);  // replaces the selection, as typing does

    // Closes whatever add-in windows are still open, topmost first, saving nothing.
    void closeAll();

    std::vector<std::string> problems;
    std::vector<std::u16string> boxes;  // message-box texts, in order

private:
    HWND first_;
    DWORD thread_;
};

}  // namespace sw::test::win
