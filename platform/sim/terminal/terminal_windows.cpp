#include "sim/terminal/terminal_windows.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "sim/terminal/terminal_render.h"

namespace sw::sim {
namespace {

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // nobody is watching any more; the model still decides
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Raw keys for as long as the window is shown; the saved settings come back however
// showModal is left. Signals stay off so that Ctrl+C reaches us as a key and closes
// the window instead of killing the process with the terminal still raw.
class RawMode {
public:
    explicit RawMode(int fd) : fd_(fd) {
        if (!::isatty(fd) || ::tcgetattr(fd, &saved_) != 0) return;
        termios raw = saved_;
        raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INLCR | IGNCR | ISTRIP | IXON);
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        // Flushing drops keys typed before the window appeared: they were not meant for it.
        active_ = ::tcsetattr(fd, TCSAFLUSH, &raw) == 0;
    }
    ~RawMode() {
        if (active_) ::tcsetattr(fd_, TCSANOW, &saved_);
    }
    RawMode(const RawMode&) = delete;
    RawMode& operator=(const RawMode&) = delete;

private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

// The alternate screen, so that the shell's text comes back when the window closes.
class FullScreen {
public:
    FullScreen(int fd, bool active) : fd_(fd), active_(active) {
        if (active_) writeAll(fd_, "\x1b[?1049h\x1b[?25l");
    }
    ~FullScreen() {
        if (active_) writeAll(fd_, "\x1b[?25h\x1b[?1049l");
    }
    FullScreen(const FullScreen&) = delete;
    FullScreen& operator=(const FullScreen&) = delete;

private:
    int fd_;
    bool active_;
};

class KeyReader {
public:
    explicit KeyReader(int fd) : fd_(fd) {}

    // The next byte; -1 at the end of input or on a read error.
    int next() {
        if (pending_ >= 0) return std::exchange(pending_, -1);
        unsigned char byte = 0;
        while (true) {
            const auto n = ::read(fd_, &byte, 1);
            if (n == 1) return byte;
            if (n < 0 && errno == EINTR) continue;
            return -1;
        }
    }
    // A byte that arrives together with the one before it, as the rest of an escape
    // sequence does; -1 when nothing follows within a moment.
    int following() {
        if (pending_ >= 0) return next();
        pollfd p{fd_, POLLIN, 0};
        int ready = 0;
        do ready = ::poll(&p, 1, 50);
        while (ready < 0 && errno == EINTR);
        return ready > 0 ? next() : -1;
    }
    void unread(int byte) { pending_ = byte; }

private:
    int fd_;
    int pending_ = -1;
};

void press(ui::WindowModel& window, ui::Key key, ui::KeyModifiers mods = {}, char16_t character = 0) {
    window.keyDown(key, mods, character);
}

void accessKey(ui::WindowModel& window, int byte) {
    const auto lower = byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
    press(window, ui::Key::character, {.alt = true}, static_cast<char16_t>(lower));
}

// What the native control does with a key the model left to it.
void native(ui::WindowModel& window, ui::Key key) {
    if (window.focus() == ui::noControl) return;
    const ui::Control& c = window.control(window.focus());
    const int step = key == ui::Key::up || key == ui::Key::left ? -1 : 1;
    const bool vertical = key == ui::Key::up || key == ui::Key::down;
    if (c.kind == ui::ControlKind::listBox && vertical && !c.items.empty())
        window.selectionChanged(c.id, std::clamp(c.value + step, 0, static_cast<int>(c.items.size()) - 1));
    else if (c.kind == ui::ControlKind::tabStrip && !vertical && !c.tabs.empty())
        window.selectionChanged(c.id, std::clamp(c.value + step, 0, static_cast<int>(c.tabs.size()) - 1));
    else if (c.kind == ui::ControlKind::upDown && vertical)
        window.spin(c.id, -step);
}

void arrowKey(ui::WindowModel& window, ui::Key key) {
    if (!window.keyDown(key, {})) native(window, key);
}

bool arrow(ui::WindowModel& window, int final) {
    switch (final) {
        case 'A': arrowKey(window, ui::Key::up); return true;
        case 'B': arrowKey(window, ui::Key::down); return true;
        case 'C': arrowKey(window, ui::Key::right); return true;
        case 'D': arrowKey(window, ui::Key::left); return true;
        default: return false;
    }
}

// ESC: alone it is the Esc key; ESC [ … is a control sequence (Shift+Tab, arrows);
// ESC O is an arrow in application mode or Alt+O; ESC and a letter is Alt+letter.
void escape(ui::WindowModel& window, KeyReader& keys) {
    const int second = keys.following();
    if (second == '[') {
        int final = keys.following();
        while (final >= 0x20 && final < 0x40) final = keys.following();  // parameters
        if (final == 'Z')
            press(window, ui::Key::tab, {.shift = true});
        else
            arrow(window, final);
        return;
    }
    if (second == 'O') {
        const int third = keys.following();
        if (arrow(window, third)) return;
        if (third >= 0) keys.unread(third);
        return accessKey(window, second);
    }
    if (second > 0x20 && second < 0x7F) return accessKey(window, second);
    if (second >= 0) keys.unread(second);
    press(window, ui::Key::escape);
}

// A typed character: text for a focused text field the model leaves it to, else an
// access key (the terminal has no Alt to spare, so a plain letter stands for Alt+letter).
void character(ui::WindowModel& window, int byte) {
    const ui::ControlId focus = window.focus();
    if (focus != ui::noControl && window.control(focus).kind == ui::ControlKind::textField) {
        const char16_t c = static_cast<char16_t>(byte);
        if (!window.keyDown(ui::Key::character, {}, c)) window.textChanged(focus, window.control(focus).caption + c);
        return;
    }
    if (byte == 'q' || byte == 'Q') return window.closeRequested();
    for (const auto& [key, id] : pointerKeys(window))
        if (byte == key || byte == key - 'a' + 'A') return window.click(id);
    accessKey(window, byte);
}

void backspace(ui::WindowModel& window) {
    const ui::ControlId focus = window.focus();
    if (focus == ui::noControl || window.control(focus).kind != ui::ControlKind::textField) return;
    std::u16string text = window.control(focus).caption;
    if (text.empty()) return;
    text.pop_back();
    window.textChanged(focus, text);
}

// An open context menu takes the next key: its item's number chooses, anything else
// dismisses it.
void popupKey(ui::WindowModel& window, int byte) {
    const auto& items = window.popup()->items;
    const int chosen = byte - '1';
    if (chosen >= 0 && chosen < static_cast<int>(items.size()) && items[chosen].enabled)
        window.menuChosen(items[chosen].id);
    else
        window.popupDismissed();
}

// "+", a row number and Enter: the right button on that row of the first grid the
// user can reach, then the first item of the context menu it opens, if any.
void rowMenu(ui::WindowModel& window, KeyReader& keys) {
    int row = 0;
    int byte = keys.next();
    for (; byte >= '0' && byte <= '9' && row < 100000; byte = keys.next()) row = row * 10 + (byte - '0');
    if (byte != '\r' && byte != '\n' && byte >= 0) keys.unread(byte);
    for (const auto& c : window.controls()) {
        if (c.kind != ui::ControlKind::grid || !window.available(c.id)) continue;
        window.mouseDown(c.id, ui::MouseButton::right, row);
        if (window.popup() && !window.popup()->items.empty()) window.menuChosen(window.popup()->items.front().id);
        return;
    }
}

void dispatch(ui::WindowModel& window, KeyReader& keys, int byte) {
    switch (byte) {
        case -1:
        case 0x03:  // Ctrl+C
        case 0x04:  // Ctrl+D
            window.closeRequested();
            return;
        default: break;
    }
    if (window.popup()) return popupKey(window, byte);
    // Keys that stand in for the pointer over a grid row (to open its context menu)
    // belong here, before the letters go to the model.
    switch (byte) {
        case '\r':
        case '\n': press(window, ui::Key::enter); break;
        case '\t': press(window, ui::Key::tab); break;
        case ' ': press(window, ui::Key::space); break;
        case 0x7F:
        case 0x08: backspace(window); break;
        case 0x1b: escape(window, keys); break;
        case '+': rowMenu(window, keys); break;
        default:
            if (byte > 0x20 && byte < 0x7F) character(window, byte);
            break;
    }
}

int terminalColumns(int fd, bool tty) {
    winsize size{};
    if (tty && ::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        const int value = std::atoi(columns);
        if (value > 0) return value;
    }
    return 80;
}

}  // namespace

TerminalWindows::TerminalWindows(int inputFd, int outputFd) : inputFd_(inputFd), outputFd_(outputFd) {}

void TerminalWindows::showModal(ui::WindowModel& window) {
    const bool tty = ::isatty(outputFd_) == 1;
    // https://no-color.org: present at all, even empty, means no colour.
    const bool colour = tty && std::getenv("NO_COLOR") == nullptr;
    const auto draw = [&] {
        std::string frame = tty ? "\x1b[H\x1b[2J" : "";
        for (const auto& line : renderWindow(window, {colour, terminalColumns(outputFd_, tty)}))
            frame += line + (tty ? "\r\n" : "\n");
        if (!tty) frame += '\n';
        writeAll(outputFd_, frame);
    };

    RawMode raw(inputFd_);
    FullScreen screen(outputFd_, tty);
    KeyReader keys(inputFd_);
    window.activated();
    while (window.visible()) {
        draw();
        dispatch(window, keys, keys.next());
    }
}

}  // namespace sw::sim
