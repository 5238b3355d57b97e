#include "sim/terminal/terminal_windows.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

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

// Raw keys for as long as the dialog is shown; the saved settings come back however
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
        // Flushing drops keys typed before the dialog appeared: they were not meant for it.
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

// The alternate screen, so that the shell's text comes back when the dialog closes.
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

void press(ui::ConfirmDialog& dialog, ui::Key key, ui::KeyModifiers mods = {}, char16_t character = 0) {
    dialog.keyDown(key, mods, character);
}

void accessKey(ui::ConfirmDialog& dialog, int byte) {
    const auto lower = byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte;
    press(dialog, ui::Key::character, {.alt = true}, static_cast<char16_t>(lower));
}

bool arrow(ui::ConfirmDialog& dialog, int final) {
    switch (final) {
        case 'A': press(dialog, ui::Key::up); return true;
        case 'B': press(dialog, ui::Key::down); return true;
        case 'C': press(dialog, ui::Key::right); return true;
        case 'D': press(dialog, ui::Key::left); return true;
        default: return false;
    }
}

// ESC: alone it is the Esc key; ESC [ … is a control sequence (Shift+Tab, arrows);
// ESC O is an arrow in application mode or Alt+O; ESC and a letter is Alt+letter.
void escape(ui::ConfirmDialog& dialog, KeyReader& keys) {
    const int second = keys.following();
    if (second == '[') {
        int final = keys.following();
        while (final >= 0x20 && final < 0x40) final = keys.following();  // parameters
        if (final == 'Z')
            press(dialog, ui::Key::tab, {.shift = true});
        else
            arrow(dialog, final);
        return;
    }
    if (second == 'O') {
        const int third = keys.following();
        if (arrow(dialog, third)) return;
        if (third >= 0) keys.unread(third);
        return accessKey(dialog, second);
    }
    if (second > 0x20 && second < 0x7F) return accessKey(dialog, second);
    if (second >= 0) keys.unread(second);
    press(dialog, ui::Key::escape);
}

// "a" and a row number (Enter ends it): the right button on that recipients row,
// then "宛先セーフリストに追加" when the row offers it.
void addToSafeList(ui::ConfirmDialog& dialog, KeyReader& keys) {
    int row = 0;
    int byte = keys.next();
    for (; byte >= '0' && byte <= '9' && row < 100000; byte = keys.next()) row = row * 10 + (byte - '0');
    if (byte != '\r' && byte != '\n' && byte >= 0) keys.unread(byte);
    dialog.mouseDown(ui::dialog::fgdRecipients, ui::MouseButton::right, row);
    if (dialog.popup()) dialog.menuChosen(ui::dialog::mnuAddSafeDomain);
}

void dispatch(ui::ConfirmDialog& dialog, KeyReader& keys, int byte) {
    switch (byte) {
        case -1:
        case 0x03:  // Ctrl+C
        case 0x04:  // Ctrl+D
        case 'q':
        case 'Q': dialog.closeRequested(); break;
        case '\r':
        case '\n': press(dialog, ui::Key::enter); break;
        case '\t': press(dialog, ui::Key::tab); break;
        case ' ': press(dialog, ui::Key::space); break;
        case 's':
        case 'S': dialog.click(ui::dialog::chkNotDeferred); break;
        case 'o':
        case 'O':
        case 'c':
        case 'C': accessKey(dialog, byte); break;
        case 'a':
        case 'A': addToSafeList(dialog, keys); break;
        case 0x1b: escape(dialog, keys); break;
        default: break;
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
    auto& dialog = dynamic_cast<ui::ConfirmDialog&>(window);
    const bool tty = ::isatty(outputFd_) == 1;
    // https://no-color.org: present at all, even empty, means no colour.
    const bool colour = tty && std::getenv("NO_COLOR") == nullptr;
    const auto draw = [&] {
        std::string frame = tty ? "\x1b[H\x1b[2J" : "";
        for (const auto& line : renderDialog(dialog, {colour, terminalColumns(outputFd_, tty)}))
            frame += line + (tty ? "\r\n" : "\n");
        if (!tty) frame += '\n';
        writeAll(outputFd_, frame);
    };

    RawMode raw(inputFd_);
    FullScreen screen(outputFd_, tty);
    KeyReader keys(inputFd_);
    while (dialog.visible()) {
        draw();
        dispatch(dialog, keys, keys.next());
    }
}

}  // namespace sw::sim
