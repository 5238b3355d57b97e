// The terminal view of the confirmation dialog: text widths, the drawn window, and
// keys read from a pipe or a pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <regex>

#include "sim/scripted_windows.h"
#include "sim/terminal/display_width.h"
#include "sim/terminal/terminal_render.h"
#include "sim/terminal/terminal_windows.h"
#include "support/check_fixture.h"
#include "ui/dialog/confirm_dialog.h"
#include "text.h"

namespace sw::sim {
namespace {

TEST(DisplayWidth, CountsColumnsAsATerminalDoes) {
    const struct {
        const char* text;
        int columns;
    } rows[] = {
        {"", 0},
        {"Cancel", 6},
        {"かな", 4},                // Hiragana
        {"カタカナ", 8},            // Katakana
        {"ｶﾀｶﾅ", 4},                // half-width Katakana stays narrow
        {"宛先確認", 8},            // ideographs
        {"ＡＢ！", 6},              // full-width forms
        {"한국", 4},                // Hangul syllables
        {"𠮷", 2},                  // ideograph beyond the BMP
        {"😀", 2},                  // emoji presentation
        {"e\xCC\x81", 1},           // e + combining acute
        {"か\xE3\x82\x99", 2},      // decomposed が: the voicing mark joins its base
        {"\t\x1b\x7f", 0},          // control characters
        {"\xE2\x80\x8B", 0},        // zero width space
        {"※→", 2},                  // ambiguous width counts narrow
        {"\xFF", 1},                // a broken byte shows as one replacement character
    };
    for (const auto& row : rows) EXPECT_EQ(displayWidth(std::string_view(row.text)), row.columns) << row.text;
    EXPECT_EQ(displayWidth(std::u16string_view(u"𠮷野家")), 6);  // a surrogate pair is one character
}

TEST(DisplayWidth, FitsTextWithoutSplittingAWideCharacter) {
    const struct {
        const char* text;
        int width;
        Align align;
        const char* fitted;
    } rows[] = {
        {"abc", 5, Align::left, "abc  "},
        {"abc", 5, Align::right, "  abc"},
        {"ab", 5, Align::centre, " ab  "},
        {"漢字", 4, Align::left, "漢字"},                   // fits exactly: no ellipsis
        {"abcdef", 4, Align::left, "abc…"},
        {"漢字テスト", 6, Align::left, "漢字… "},           // テ would straddle the edge
        {"漢字テスト", 7, Align::left, "漢字テ…"},
        {"e\xCC\x81" "e\xCC\x81" "e\xCC\x81", 2, Align::left, "e\xCC\x81…"},  // the mark stays on its base
        {"漢", 1, Align::left, "…"},
        {"x", 0, Align::left, ""},
        {"名前", 8, Align::centre, "  名前  "},
    };
    for (const auto& row : rows) {
        const auto fitted = fitToWidth(row.text, row.width, row.align);
        EXPECT_EQ(fitted, row.fitted) << row.text << " in " << row.width;
        EXPECT_EQ(displayWidth(fitted), row.width) << row.text;
    }
}

// --- the drawn window over a real dialog ---

std::string stripSgr(const std::string& line) { return std::regex_replace(line, std::regex("\x1b\\[[0-9;]*m"), ""); }

// The display column where `needle` starts in the line, or -1.
int columnOf(const std::string& line, const std::string& needle) {
    const auto plain = stripSgr(line);
    const auto at = plain.find(needle);
    return at == std::string::npos ? -1 : displayWidth(std::string_view(plain).substr(0, at));
}

const std::string* lineWith(const std::vector<std::string>& lines, const std::string& needle) {
    for (const auto& l : lines)
        if (stripSgr(l).find(needle) != std::string::npos) return &l;
    return nullptr;
}

bool hasRed(const std::string& line) { return std::regex_search(line, std::regex("\x1b\\[[0-9;]*\\b31m")); }

class TerminalDialogTest : public test::ChecksTest {
protected:
    RecordedShell shell;
    ui::ConfirmDialog dialog{{env.diagnostics, store, checks, shell,
                              [this] { return std::shared_ptr<host::Application>(std::shared_ptr<void>(), &app); }}};

    void SetUp() override { useDeferred(true); }
    void useDeferred(bool on) {
        writeConfig(test::listXml("body-check", "word", {}) + test::listXml("attachment-check", "word", {}) +
                    test::listXml("recipient-check", "domain", {"example.co.jp"}) + "<deferred-delivery use=\"" +
                    (on ? "True" : "False") + "\">5</deferred-delivery>");
        store.loadConfigXML();
        ASSERT_TRUE(store.configLoaded());
    }
    static MailState mixedMail() {
        MailState m;
        m.subject = u"見積書";
        m.recipients = {{u"山田 太郎", u"yamada@example.co.jp", 1},
                        {u"Outside Partner", u"partner@example.com", 2},
                        {u"とても長い名前の受信者さんとその部署名まで全部入り", u"long@example.co.jp", 3},
                        {u"佐藤", u"sato@example.org", 1}};
        return m;
    }
    // Prepared and shown as the send handler does it.
    void open(MailState mail) {
        auto item = app.newItem(std::move(mail));
        dialog.load();
        dialog.initDialog();
        dialog.setRecipients(*item);
        dialog.setReplyRecipients(*item);
        dialog.show();
    }
    std::vector<std::string> render(bool colour, int width = 80) { return renderWindow(dialog, {colour, width}); }
};

TEST_F(TerminalDialogTest, GridColumnsLineUpWhateverTheScriptOfTheNames) {
    open(mixedMail());
    for (const bool colour : {false, true}) {
        const auto lines = render(colour);
        const auto* header = lineWith(lines, "アドレス");
        ASSERT_NE(header, nullptr);
        std::vector<int> starts;
        for (const char* address : {"yamada@", "partner@", "long@", "sato@"}) {
            const auto* row = lineWith(lines, address);
            ASSERT_NE(row, nullptr) << address;
            starts.push_back(columnOf(*row, address));
        }
        for (const int start : starts) EXPECT_EQ(start, starts.front()) << "colour " << colour;
        // The centred header sits inside the address column, not before it.
        EXPECT_GE(columnOf(*header, "アドレス"), starts.front());
        EXPECT_NE(stripSgr(*lineWith(lines, "long@")).find("…"), std::string::npos);  // long name cut short
    }
}

TEST_F(TerminalDialogTest, EveryFrameLineHasTheFrameWidth) {
    open(mixedMail());
    dialog.showCheckSubject();
    dialog.showCheckBody();
    // Narrower than the minimum and wider than the maximum are clamped.
    for (const auto& [asked, drawn] : {std::pair{20, 40}, {40, 40}, {57, 57}, {80, 80}, {200, 100}}) {
        const auto lines = render(true, asked);
        std::size_t framed = 1;  // the key help follows the bottom border
        while (framed < lines.size() && lines[framed][0] != '+') ++framed;
        ASSERT_LT(framed, lines.size());
        for (std::size_t i = 0; i <= framed; ++i)
            EXPECT_EQ(displayWidth(stripSgr(lines[i])), drawn) << asked << ": " << lines[i];
        for (std::size_t i = framed + 1; i < lines.size(); ++i) EXPECT_LE(displayWidth(lines[i]), drawn) << lines[i];
    }
}

TEST_F(TerminalDialogTest, WithoutKeyHelpTheBottomBorderIsTheLastLine) {
    open(mixedMail());
    const auto with = renderWindow(dialog, {.width = 80});
    const auto without = renderWindow(dialog, {.width = 80, .keyHelp = false});
    ASSERT_LT(without.size(), with.size());
    EXPECT_EQ(without.back().rfind("+-", 0), 0u) << without.back();
    EXPECT_TRUE(std::equal(without.begin(), without.end(), with.begin()));
}

TEST_F(TerminalDialogTest, NarrowTerminalsCutNamesBeforeAddresses) {
    open(mixedMail());
    for (const int width : {44, 60, 80}) {
        const auto lines = render(false, width);
        for (const char* address : {"yamada@example.co.jp", "partner@example.com", "sato@example.org"})
            EXPECT_NE(lineWith(lines, address), nullptr) << width << " " << address;
    }
    // Warnings wrap rather than lose their end.
    dialog.showCheckAttachment();
    std::string joined;
    for (const auto& l : render(false, 40)) joined += l.substr(2, l.size() - 4);
    joined.erase(std::remove(joined.begin(), joined.end(), ' '), joined.end());
    EXPECT_NE(joined.find("可能性があります。"), std::string::npos);
}

TEST_F(TerminalDialogTest, RedOnlyOnUnsafeRowsAndNoEscapesWithoutColour) {
    open(mixedMail());
    dialog.showCheckBody();
    const struct {
        const char* address;
        bool unsafe;
    } rows[] = {{"yamada@", false}, {"partner@", true}, {"long@", false}, {"sato@", true}};

    const auto coloured = render(true);
    for (const auto& row : rows) EXPECT_EQ(hasRed(*lineWith(coloured, row.address)), row.unsafe) << row.address;
    EXPECT_FALSE(hasRed(*lineWith(coloured, "アドレス")));
    EXPECT_TRUE(std::regex_search(*lineWith(coloured, "本文に"), std::regex("\x1b\\[1;31m")));  // bold red

    const auto plain = render(false);
    for (const auto& l : plain) EXPECT_EQ(l.find('\x1b'), std::string::npos) << l;
    for (const auto& row : rows) {
        const auto line = *lineWith(plain, row.address);
        EXPECT_EQ(line.find('!') != std::string::npos, row.unsafe) << line;
    }
}

TEST_F(TerminalDialogTest, WarningLinesAppearOnlyWhenSet) {
    open(mixedMail());
    EXPECT_EQ(lineWith(render(false), "※"), nullptr);
    dialog.showCheckAttachment();
    const auto lines = render(false);
    EXPECT_NE(lineWith(lines, "添付漏れ"), nullptr);
    EXPECT_EQ(lineWith(lines, "件名が空"), nullptr);
    EXPECT_EQ(lineWith(lines, "本文に"), nullptr);
}

TEST_F(TerminalDialogTest, ReplyToGridOnlyWhenTheMailHasReplyTo) {
    auto mail = mixedMail();
    open(mail);
    EXPECT_EQ(lineWith(render(false), "返信先の指定"), nullptr);
    EXPECT_EQ(lineWith(render(false), "Reply-TO"), nullptr);

    mail.replyRecipients = {{u"窓口", u"desk@example.net", 0}};
    open(mail);
    const auto lines = render(true);
    EXPECT_NE(lineWith(lines, "返信先の指定"), nullptr);
    const auto* row = lineWith(lines, "desk@example.net");
    ASSERT_NE(row, nullptr);
    EXPECT_NE(row->find("Reply-TO"), std::string::npos);
    EXPECT_FALSE(hasRed(*row));  // outside the safe list, yet Reply-To rows stay black
}

TEST_F(TerminalDialogTest, SendImmediatelyBoxOnlyWithDeferredDelivery) {
    open(mixedMail());
    EXPECT_NE(lineWith(render(false), "[ ] 即時送信"), nullptr);
    dialog.chkNotDeferred_Click();
    EXPECT_NE(lineWith(render(false), "[x] 即時送信"), nullptr);

    useDeferred(false);
    open(mixedMail());
    for (const auto& l : render(false)) EXPECT_EQ(l.find("即時送信"), std::string::npos) << l;
}

TEST_F(TerminalDialogTest, FocusedButtonStandsOutAndAccessKeysShow) {
    open(mixedMail());
    EXPECT_EQ(lineWith(render(false), "> ")->find("アドレス"), std::string::npos);  // the grid has no focus
    auto buttons = *lineWith(render(false), "Amazon");
    EXPECT_NE(buttons.find("> [O]K <"), std::string::npos) << buttons;
    EXPECT_NE(buttons.find("< [C]ancel >"), std::string::npos) << buttons;

    dialog.keyDown(ui::Key::tab, {});
    buttons = *lineWith(render(false), "Amazon");
    EXPECT_NE(buttons.find("< [O]K >"), std::string::npos) << buttons;
    EXPECT_NE(buttons.find("> [C]ancel <"), std::string::npos) << buttons;

    buttons = *lineWith(render(true), "Amazon");
    EXPECT_NE(buttons.find("\x1b[7m< \x1b[0m\x1b[4;7mC"), std::string::npos) << buttons;  // reverse video on Cancel
    EXPECT_NE(buttons.find("\x1b[4mO\x1b[0m"), std::string::npos) << buttons;  // underlined access key

    dialog.keyDown(ui::Key::tab, {.shift = true});
    dialog.keyDown(ui::Key::tab, {.shift = true});  // back past OK to the recipients grid
    EXPECT_NE(lineWith(render(false), "> ")->find("アドレス"), std::string::npos);
    EXPECT_NE(lineWith(render(false), "< [O]K >"), nullptr);
}

TEST_F(TerminalDialogTest, ControlCharactersFromTheMailNeverReachTheTerminal) {
    auto mail = mixedMail();
    mail.recipients.push_back({u"Evil\x1b]0;pwned\x07\x1b[2J", u"evil@example.com", 1});
    open(mail);
    for (const auto& l : render(false)) EXPECT_EQ(l.find('\x1b'), std::string::npos) << l;
}

// --- keys through a pipe ---

class TerminalKeysTest : public TerminalDialogTest {
protected:
    // Shows the dialog with `keys` waiting on a pipe whose writer has gone; returns
    // what was written to the (non-terminal) output.
    std::string press(const std::string& keys) {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        EXPECT_EQ(::write(fds[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
        ::close(fds[1]);
        std::FILE* out = std::tmpfile();
        TerminalWindows(fds[0], ::fileno(out)).showModal(dialog);
        ::close(fds[0]);
        std::string written(static_cast<std::size_t>(std::ftell(out)), '\0');
        std::rewind(out);
        EXPECT_EQ(std::fread(written.data(), 1, written.size(), out), written.size());
        std::fclose(out);
        return written;
    }
};

TEST_F(TerminalKeysTest, KeysDecideTheSend) {
    const struct {
        const char* keys;
        bool cancel;
        std::int32_t box;
    } rows[] = {
        {"o", false, 0},            // OK
        {"O", false, 0},
        {"\x1bo", false, 0},        // Alt+O
        {"\r", false, 0},           // Enter on the focused OK
        {"\t\r", true, 0},          // Enter on Cancel
        {"\tc", true, 0},
        {"\x1b[Z\r", true, 0},      // Shift+Tab leaves the buttons: Enter falls to Cancel
        {"\x1b\r", false, 0},       // Esc is bound to nothing; OK keeps the focus
        {"so", false, 1},           // tick the box, then OK
        {" ", false, 0},            // Space presses the focused OK; the box stays as it was
        {"\t\t \t o", false, 1},      // Space on the box ticks it; on the icon it does nothing
        {"q", true, 0},             // closed without a button
        {"", true, 0},              // end of input
        {"\x03o", true, 0},         // Ctrl+C closes before the o arrives
        {"xyz\x04o", true, 0},      // unbound keys, then Ctrl+D
    };
    for (const auto& row : rows) {
        open(mixedMail());
        press(row.keys);
        EXPECT_FALSE(dialog.visible()) << row.keys;
        EXPECT_EQ(dialog.cancelled(), row.cancel) << row.keys;
        EXPECT_EQ(dialog.chkNotDeferred(), row.box) << row.keys;
    }
}

TEST_F(TerminalKeysTest, PlainOutputGetsOneFramePerKeyAndNoEscapes) {
    open(mixedMail());
    const auto written = press("\t\to");
    EXPECT_EQ(written.find('\x1b'), std::string::npos);
    std::size_t frames = 0;
    for (auto at = written.find("宛先確認"); at != std::string::npos; at = written.find("宛先確認", at + 1)) ++frames;
    EXPECT_EQ(frames, 3u);  // before each of the three keys; none after the window closed
}

TEST_F(TerminalKeysTest, AnOpenContextMenuTakesTheNextKey) {
    const struct {
        const char* keys;
        int additions;
    } rows[] = {
        {"1o", 1},  // its item by number, then OK
        {"xo", 0},  // any other key dismisses it and goes no further
    };
    for (const auto& row : rows) {
        open(mixedMail());
        int additions = 0;
        dialog.setSafeListAddition([&](ui::ConfirmDialog&) { ++additions; });
        dialog.mouseDown(ui::dialog::fgdRecipients, ui::MouseButton::right, 2);
        EXPECT_NE(lineWith(render(false), "1: 宛先セーフリストに追加"), nullptr);
        press(row.keys);
        EXPECT_EQ(additions, row.additions) << row.keys;
        EXPECT_FALSE(dialog.cancelled()) << row.keys;
    }
}

// --- a pseudo-terminal: raw mode, colour, and the settings put back ---

class PseudoTerminal {
public:
    PseudoTerminal() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    }
    ~PseudoTerminal() {
        if (slave >= 0) ::close(slave);
        if (master >= 0) ::close(master);
    }
    int master = -1, slave = -1;
};

// Reads what the dialog draws until `marker` shows; false after a few quiet seconds.
bool readUntil(int fd, std::string& screen, std::string_view marker) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (screen.find(marker) == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        if (std::chrono::steady_clock::now() > deadline || ::poll(&p, 1, 100) < 0) return false;
        if (!(p.revents & POLLIN)) continue;
        char buffer[4096];
        const auto n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) return false;
        screen.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

TEST_F(TerminalKeysTest, TerminalIsRawWhileShownAndRestoredAfter) {
    const char* outer = std::getenv("NO_COLOR");
    const std::string outerValue = outer ? outer : "";
    for (const bool noColor : {false, true}) {
        PseudoTerminal pty;
        ASSERT_GE(pty.slave, 0);
        termios before{};
        ASSERT_EQ(::tcgetattr(pty.slave, &before), 0);
        noColor ? ::setenv("NO_COLOR", "", 1) : ::unsetenv("NO_COLOR");
        open(mixedMail());

        std::string screen;
        auto shown = std::async(std::launch::async, [&] { TerminalWindows(pty.slave, pty.slave).showModal(dialog); });
        // Once the first frame is out the keys are raw: without that a lone "o" would
        // wait for the end of a line that never comes.
        const bool drawn = readUntil(pty.master, screen, "宛先確認");
        EXPECT_EQ(::write(pty.master, "\to", 2), 2);
        const bool closed = drawn && readUntil(pty.master, screen, "\x1b[?1049l");
        if (!closed) ::close(std::exchange(pty.master, -1));  // the dialog reads an error and closes
        shown.wait();
        ASSERT_TRUE(closed) << "the keys never reached the dialog";

        EXPECT_FALSE(dialog.cancelled());
        termios after{};
        ASSERT_EQ(::tcgetattr(pty.slave, &after), 0);
        EXPECT_EQ(after.c_lflag, before.c_lflag);
        EXPECT_EQ(after.c_iflag, before.c_iflag);
        EXPECT_NE(screen.find("\x1b[?1049h"), std::string::npos);  // redrawn in place on its own screen
        EXPECT_EQ(hasRed(screen) || screen.find("\x1b[7m") != std::string::npos, !noColor);
    }
    outer ? ::setenv("NO_COLOR", outerValue.c_str(), 1) : ::unsetenv("NO_COLOR");
}

}  // namespace
}  // namespace sw::sim
