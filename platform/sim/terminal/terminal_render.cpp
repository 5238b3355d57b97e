#include "sim/terminal/terminal_render.h"

#include <algorithm>
#include <string_view>

#include "sim/terminal/display_width.h"
#include "text.h"

namespace sw::sim {
namespace {

constexpr int minFrameWidth = 40, maxFrameWidth = 100;
constexpr std::string_view sgrReset = "\x1b[0m";

struct Style {
    bool red = false, bold = false, underline = false, reverse = false, link = false;
    bool plain() const { return !(red || bold || underline || reverse || link); }
};

std::string sgr(const Style& s) {
    std::string codes;
    const auto add = [&codes](const char* code) {
        if (!codes.empty()) codes += ';';
        codes += code;
    };
    if (s.bold) add("1");
    if (s.underline || s.link) add("4");
    if (s.reverse) add("7");
    if (s.red) add("31");
    if (s.link) add("34");
    return "\x1b[" + codes + "m";
}

// Mail headers reach the screen here: no control character may go out raw, or a
// crafted display name could move the cursor or recolour the terminal.
std::string printable(std::u16string_view text) {
    std::u16string clean(text);
    for (auto& c : clean)
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) c = u' ';
    return toUtf8(clean);
}

std::vector<std::u16string_view> splitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    while (true) {
        const auto at = text.find(u'\n');
        auto line = text.substr(0, at);
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        lines.push_back(line);
        if (at == std::u16string_view::npos) return lines;
        text.remove_prefix(at + 1);
    }
}

// One line inside the frame, built left to right and measured in columns.
class Line {
public:
    Line(int width, bool colour) : width_(width), colour_(colour) {}

    int column() const { return used_; }
    void moveTo(int col) {
        if (col > used_) add(std::string(static_cast<std::size_t>(std::min(col, width_) - used_), ' '));
    }
    // As much of text as is left room for.
    void add(std::string_view text, Style style = {}) { append(truncateToWidth(text, width_ - used_), style); }
    void addCell(std::string_view text, int columns, Align align, Style style = {}) {
        append(fitToWidth(text, std::min(columns, width_ - used_), align), style);
    }
    std::string framed() const {
        return "| " + text_ + std::string(static_cast<std::size_t>(width_ - used_), ' ') + " |";
    }

private:
    void append(const std::string& fitted, Style style) {
        if (fitted.empty()) return;
        text_ += colour_ && !style.plain() ? sgr(style) + fitted + std::string(sgrReset) : fitted;
        used_ += displayWidth(fitted);
    }

    int width_, used_ = 0;
    bool colour_;
    std::string text_;
};

class Painter {
public:
    Painter(const ui::ConfirmDialog& dialog, const RenderOptions& options)
        : dialog_(dialog),
          colour_(options.colour),
          keyHelp_(options.keyHelp),
          frameWidth_(std::clamp(options.width, minFrameWidth, maxFrameWidth)),
          inner_(frameWidth_ - 4) {}

    std::vector<std::string> paint() {
        titleBar();
        blank();
        prompt();
        label(ui::dialog::lblCheckAttachment);
        recipientsLine();
        const auto& recipients = dialog_.control(ui::dialog::fgdRecipients);
        if (recipients.visible) grid(dialog_.fgdRecipients(), recipients);
        blank();
        if (dialog_.control(ui::dialog::fraReplyRecipients).visible) {
            label(ui::dialog::lblReplyRecipients);
            grid(dialog_.fgdReplyRecipients(), dialog_.control(ui::dialog::fgdReplyRecipients));
            blank();
        }
        label(ui::dialog::lblCheckBody);
        buttonsLine();
        blank();
        lines_.push_back("+" + std::string(static_cast<std::size_t>(frameWidth_ - 2), '-') + "+");
        if (keyHelp_) keyHelp();
        return std::move(lines_);
    }

private:
    Line line() const { return Line(inner_, colour_); }
    void emit(const Line& l) { lines_.push_back(l.framed()); }
    void blank() { emit(line()); }
    int columnOf(int twips) const { return std::clamp(twips * inner_ / ui::ConfirmDialog::clientWidth, 0, inner_); }

    static Style styleOf(const ui::Control& c) { return {.red = c.foreColor == ui::red, .bold = c.font.bold}; }

    void titleBar() {
        std::string bar = "+- " + truncateToWidth(printable(ui::ConfirmDialog::caption), frameWidth_ - 6) + " ";
        bar += std::string(static_cast<std::size_t>(frameWidth_ - 1 - displayWidth(bar)), '-');
        lines_.push_back(bar + "+");
    }

    // Text from column `col` on, wrapped inside the frame; the first piece goes on `l`.
    void wrapped(Line l, int col, std::u16string_view text, Style style) {
        l.moveTo(col);
        col = l.column();
        bool first = true;
        for (const auto& piece : wrapToWidth(printable(text), inner_ - col)) {
            if (!first) {
                emit(l);
                l = line();
                l.moveTo(col);
            }
            l.add(piece, style);
            first = false;
        }
        emit(l);
    }

    void prompt() {
        const auto& icon = dialog_.control(ui::dialog::picIcon);
        const auto& message = dialog_.control(ui::dialog::lblMessage);
        bool first = true;
        for (const auto text : splitLines(message.visible ? std::u16string_view(message.caption) : u"")) {
            auto l = line();
            if (first && icon.visible && icon.icon == ui::SystemIcon::question) {
                l.moveTo(columnOf(icon.rect.left));
                l.add("[?]", {.bold = true});
            }
            wrapped(l, std::max(columnOf(message.rect.left), l.column() + 1), text, styleOf(message));
            first = false;
        }
    }

    // A label on lines of its own, left out while it is hidden or empty.
    void label(ui::ControlId name) {
        const auto& c = dialog_.control(name);
        if (c.visible && !c.caption.empty()) wrapped(line(), columnOf(c.rect.left + containerLeft(c)), c.caption, styleOf(c));
    }

    int containerLeft(const ui::Control& c) const {
        return c.container == ui::noControl ? 0 : dialog_.control(c.container).rect.left;
    }

    // "受信者" shares its line with the empty-subject warning, as on the window.
    void recipientsLine() {
        auto l = line();
        const auto& caption = dialog_.control(ui::dialog::lblRecipients);
        const auto& subject = dialog_.control(ui::dialog::lblCheckSubject);
        if (caption.visible) {
            l.moveTo(columnOf(caption.rect.left));
            l.add(printable(caption.caption), styleOf(caption));
        }
        if (subject.visible && !subject.caption.empty())
            wrapped(l, std::max(columnOf(subject.rect.left), l.column() + 1), subject.caption, styleOf(subject));
        else
            emit(l);
    }

    // Column widths in the proportions of the grid's own; then a column too narrow for
    // its text borrows what the others do not need, the address first since it is
    // the one text that must be read whole.
    std::vector<int> cellWidths(const ui::Grid& grid, int available) const {
        const int n = grid.cols();
        std::vector<int> twips(static_cast<std::size_t>(n));
        int total = 0;
        for (int c = 0; c < n; ++c) total += twips[c] = std::max(grid.columnWidth(c), 0);
        if (total == 0) {
            std::fill(twips.begin(), twips.end(), 1);
            total = n;
        }
        std::vector<int> widths(twips.size());
        int given = 0;
        for (int c = 0; c < n; ++c) given += widths[c] = available * twips[c] / total;
        widths.back() += available - given;
        const auto natural = naturalWidths(n);
        for (int c = n - 1; c >= 0; --c)
            for (int d = 0; d < n && widths[c] < natural[c]; ++d) {
                const int moved = d == c ? 0 : std::clamp(widths[d] - natural[d], 0, natural[c] - widths[c]);
                widths[d] -= moved;
                widths[c] += moved;
            }
        return widths;
    }

    // The widest text of each column over the grids on show, so both share a layout.
    std::vector<int> naturalWidths(int n) const {
        std::vector<int> widest(static_cast<std::size_t>(n), 0);
        std::vector<const ui::Grid*> grids = {&dialog_.fgdRecipients()};
        if (dialog_.control(ui::dialog::fraReplyRecipients).visible) grids.push_back(&dialog_.fgdReplyRecipients());
        for (const auto* g : grids)
            for (int r = 0; r < g->rows() && g->cols() == n; ++r)
                for (int c = 0; c < n; ++c)
                    widest[c] = std::max(widest[c], displayWidth(printable(g->cell(r, c).text)));
        return widest;
    }

    static Align alignmentOf(int code) {
        if (code >= 3 && code <= 5) return Align::centre;
        return code >= 6 && code <= 8 ? Align::right : Align::left;
    }

    void grid(const ui::Grid& grid, const ui::Control& view) {
        if (!grid.initialised()) return;
        constexpr int gap = 2;
        const int left = std::max(columnOf(view.rect.left + containerLeft(view)), 1);
        const int available = inner_ - left - 2 - gap * (grid.cols() - 1);
        const auto widths = cellWidths(grid, std::max(available, grid.cols()));
        for (int r = 0; r < grid.rows(); ++r) {
            const bool header = r < grid.fixedRows();
            bool unsafe = false;
            for (int c = 0; c < grid.cols(); ++c) unsafe = unsafe || grid.cell(r, c).foreColor == ui::red;
            auto l = line();
            l.moveTo(left);
            // A focused grid shows it on its header row: ">" and, in colour, reverse video.
            const bool focus = header && dialog_.focus() == view.id;
            if (focus)
                l.add(">", {.bold = true});
            else
                l.add(unsafe ? "!" : " ", {.red = unsafe, .bold = unsafe});
            l.add(" ");
            for (int c = 0; c < grid.cols(); ++c) {
                if (c > 0) l.add(std::string(gap, ' '), {.reverse = focus});
                const auto& cell = grid.cell(r, c);
                l.addCell(printable(cell.text), widths[c], alignmentOf(cell.alignment),
                          {.red = cell.foreColor == ui::red, .reverse = focus});
            }
            emit(l);
            if (r + 1 == grid.fixedRows()) underline(left, widths, gap);
        }
    }

    void underline(int left, const std::vector<int>& widths, int gap) {
        auto l = line();
        l.moveTo(left + 2);
        for (std::size_t c = 0; c < widths.size(); ++c) {
            if (c > 0) l.add(std::string(gap, ' '));
            l.add(std::string(static_cast<std::size_t>(widths[c]), '-'));
        }
        emit(l);
    }

    // "&OK": the access key underlined in colour, bracketed without ("[O]K").
    void caption(Line& l, std::u16string_view text, Style style) const {
        const auto amp = text.find(u'&');
        if (amp == std::u16string_view::npos || amp + 1 >= text.size()) return l.add(printable(text), style);
        l.add(printable(text.substr(0, amp)), style);
        const auto key = printable(text.substr(amp + 1, 1));
        if (colour_) {
            auto keyStyle = style;
            keyStyle.underline = true;
            l.add(key, keyStyle);
        } else {
            l.add("[" + key + "]", style);
        }
        l.add(printable(text.substr(amp + 2)), style);
    }

    struct Brackets {
        const char *open, *close;
    };
    // Focus: reverse video in colour, the brackets turned inwards without; both
    // bracket pairs are equally wide so that nothing moves when the focus does.
    void focusable(Line& l, const ui::Control& c, Brackets normal, Brackets focus, const std::u16string& text) const {
        const bool has = dialog_.focus() == c.id;
        const Style style{.reverse = has && colour_};
        const auto& brackets = has && !colour_ ? focus : normal;
        l.add(brackets.open, style);
        caption(l, text, style);
        l.add(brackets.close, style);
    }

    void buttonsLine() {
        auto l = line();
        const auto place = [&](const ui::Control& c) {
            l.moveTo(std::max(columnOf(c.rect.left + containerLeft(c)), l.column() == 0 ? 0 : l.column() + 2));
        };
        const auto& box = dialog_.control(ui::dialog::chkNotDeferred);
        if (box.visible) {
            place(box);
            focusable(l, box, {" ", " "}, {">", "<"}, (dialog_.chkNotDeferred() == 1 ? u"[x] " : u"[ ] ") + box.caption);
        }
        for (const ui::ControlId name : {ui::dialog::cmdOK, ui::dialog::cmdCancel}) {
            const auto& button = dialog_.control(name);
            if (!button.visible) continue;
            place(button);
            focusable(l, button, {"< ", " >"}, {"> ", " <"}, button.caption);
        }
        const auto& link = dialog_.control(ui::dialog::llbAmazon);
        if (link.visible) {
            place(link);
            l.add(printable(link.caption), {.link = true});
        }
        emit(l);
    }

    // Wrapped at the frame's width rather than cut, so that every key stays listed.
    void keyHelp() {
        std::vector<std::string> items = {"o: OK", "c: Cancel", "Enter: default"};
        if (dialog_.control(ui::dialog::chkNotDeferred).visible) items.push_back("s/space: 即時送信");
        items.insert(items.end(), {"a<row> Enter: safe list", "Tab: next", "q: close"});
        std::string help;
        for (const auto& item : items) {
            if (!help.empty() && displayWidth(help) + 2 + displayWidth(item) > frameWidth_) {
                lines_.push_back(help);
                help.clear();
            }
            help += (help.empty() ? "" : "  ") + item;
        }
        lines_.push_back(help);
    }

    const ui::ConfirmDialog& dialog_;
    bool colour_;
    bool keyHelp_;
    int frameWidth_, inner_;
    std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> renderDialog(const ui::ConfirmDialog& dialog, const RenderOptions& options) {
    return Painter(dialog, options).paint();
}

}  // namespace sw::sim
