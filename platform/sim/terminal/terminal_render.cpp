#include "sim/terminal/terminal_render.h"

#include <algorithm>
#include <string_view>

#include "sim/terminal/display_width.h"
#include "sim/terminal/frame_line.h"

namespace sw::sim {
namespace {

using ui::Control;
using ui::ControlKind;

constexpr int minFrameWidth = 40, maxFrameWidth = 100;
// Controls whose tops are closer than a line of text share a terminal line.
constexpr int sameLine = 240;  // twips

// Text pieces of one terminal line, left to right.
using Segments = std::vector<std::pair<std::string, Style>>;

class Painter {
public:
    Painter(const ui::WindowModel& window, const RenderOptions& options)
        : w_(window),
          colour_(options.colour),
          keyHelp_(options.keyHelp),
          frameWidth_(std::clamp(options.width, minFrameWidth, maxFrameWidth)),
          inner_(frameWidth_ - 4),
          clientWidth_(std::max(window.frame().clientWidth, 1)) {}

    std::vector<std::string> paint() {
        titleBar();
        menuBar();
        blank();
        for (const auto& band : bands()) {
            if (band.front()->kind == ControlKind::grid) {
                grid(*band.front());
                blank();
            } else {
                row(band);
            }
        }
        blank();
        lines_.push_back("+" + std::string(static_cast<std::size_t>(frameWidth_ - 2), '-') + "+");
        popup();
        if (keyHelp_) keyHelp();
        return std::move(lines_);
    }

private:
    FrameLine line() const { return FrameLine(inner_, colour_); }
    void emit(const FrameLine& l) { lines_.push_back(l.framed()); }
    void blank() { emit(line()); }
    int columnOf(int twips) const { return std::clamp(twips * inner_ / clientWidth_, 0, inner_); }

    int absoluteLeft(const Control& c) const {
        return c.rect.left + (c.container == ui::noControl ? 0 : absoluteLeft(w_.control(c.container)));
    }
    int absoluteTop(const Control& c) const {
        return c.rect.top + (c.container == ui::noControl ? 0 : absoluteTop(w_.control(c.container)));
    }
    bool shown(const Control& c) const {
        for (const Control* at = &c;; at = &w_.control(at->container)) {
            if (!at->visible) return false;
            if (at->container == ui::noControl) break;
        }
        // Panels parked far outside the client area (unselected tabs) are not on show.
        const int left = absoluteLeft(c);
        return left + c.rect.width > 0 && left < clientWidth_;
    }
    bool drawn(const Control& c) const {
        if (!shown(c)) return false;
        switch (c.kind) {
            case ControlKind::panel: return false;
            case ControlKind::frame:
            case ControlKind::label: return !c.caption.empty();
            case ControlKind::pictureBox: return c.icon != ui::SystemIcon::none || w_.focus() == c.id;
            default: return true;
        }
    }

    // The drawn controls top to bottom, grouped into terminal lines; a grid stands alone.
    std::vector<std::vector<const Control*>> bands() const {
        std::vector<const Control*> all;
        for (const auto& c : w_.controls())
            if (drawn(c)) all.push_back(&c);
        std::stable_sort(all.begin(), all.end(), [this](auto* a, auto* b) {
            const int ta = absoluteTop(*a), tb = absoluteTop(*b);
            return ta != tb ? ta < tb : absoluteLeft(*a) < absoluteLeft(*b);
        });
        std::vector<std::vector<const Control*>> bands;
        int bandTop = 0;
        for (const Control* c : all) {
            const bool alone = c->kind == ControlKind::grid;
            if (bands.empty() || alone || bands.back().front()->kind == ControlKind::grid ||
                absoluteTop(*c) >= bandTop + sameLine) {
                bands.push_back({});
                bandTop = absoluteTop(*c);
            }
            bands.back().push_back(c);
        }
        for (auto& band : bands)
            std::stable_sort(band.begin(), band.end(),
                             [this](auto* a, auto* b) { return absoluteLeft(*a) < absoluteLeft(*b); });
        return bands;
    }

    void titleBar() {
        std::string bar = "+- " + truncateToWidth(printable(w_.title()), frameWidth_ - 6) + " ";
        bar += std::string(static_cast<std::size_t>(frameWidth_ - 1 - displayWidth(bar)), '-');
        lines_.push_back(bar + "+");
    }

    void menuBar() {
        if (w_.menuBar().empty()) return;
        auto l = line();
        for (const auto& item : w_.menuBar()) {
            if (l.column() > 0) l.add("  ");
            Segments s;
            caption(s, item.caption, {.dim = !item.enabled});
            for (const auto& [text, style] : s) l.add(text, style);
        }
        emit(l);
    }

    // Controls side by side on one or more lines, each from its own column.
    void row(const std::vector<const Control*>& band) {
        std::vector<FrameLine> out;
        for (const Control* c : band) {
            const int gap = c->kind == ControlKind::label ? 1 : 2;
            const int first = out.empty() || out[0].column() == 0 ? 0 : out[0].column() + gap;
            const int col = std::min(std::max(columnOf(absoluteLeft(*c)), first), inner_);
            const auto pieces = piecesOf(*c, inner_ - col);
            for (std::size_t k = 0; k < pieces.size(); ++k) {
                if (out.size() <= k) out.push_back(line());
                out[k].moveTo(col);
                for (const auto& [text, style] : pieces[k]) out[k].add(text, style);
            }
        }
        for (const auto& l : out) emit(l);
    }

    std::vector<Segments> piecesOf(const Control& c, int room) const {
        const bool focus = w_.focus() == c.id;
        const bool dim = !c.enabled;
        Style style{.red = c.foreColor == ui::red, .bold = c.font.bold, .dim = dim};
        switch (c.kind) {
            case ControlKind::label:
            case ControlKind::frame: {
                std::vector<Segments> lines;
                const std::u16string plain = plainCaption(c.caption);
                for (const auto text : splitLines(plain))
                    for (auto& piece : wrapToWidth(printable(text), std::max(room, 1)))
                        lines.push_back({{std::move(piece), style}});
                return lines;
            }
            case ControlKind::pictureBox: return {focusable(c, {"[", "]"}, {">", "<"}, u"?", {.bold = true})};
            case ControlKind::checkBox:
                return {focusable(c, {" ", " "}, {">", "<"}, (c.value == 1 ? u"[x] " : u"[ ] ") + c.caption, {.dim = dim})};
            case ControlKind::pushButton: return {focusable(c, {"< ", " >"}, {"> ", " <"}, c.caption, {.dim = dim})};
            case ControlKind::linkLabel:
                return {focusable(c, {" ", " "}, {">", "<"}, plainCaption(c.caption), {.link = true, .dim = dim})};
            case ControlKind::textField: return {textField(c, std::max(columnOf(c.rect.width) - 2, 1))};
            case ControlKind::tabStrip: {
                Segments s{{focus && !colour_ ? ">" : " ", {}}};
                for (std::size_t i = 0; i < c.tabs.size(); ++i) {
                    const bool selected = static_cast<int>(i) == c.value;
                    const std::string text = printable(plainCaption(c.tabs[i].caption));
                    s.push_back({selected ? "[" + text + "]" : " " + text + " ", {.reverse = selected && focus && colour_}});
                }
                return {s};
            }
            case ControlKind::listBox: {
                std::vector<Segments> lines;
                for (std::size_t i = 0; i < c.items.size(); ++i) {
                    const bool selected = static_cast<int>(i) == c.value;
                    lines.push_back({{selected ? (focus && !colour_ ? "> " : "* ") : "  ",
                                      {.reverse = selected && focus && colour_, .dim = dim}},
                                     {printable(c.items[i]), {.reverse = selected && focus && colour_, .dim = dim}}});
                }
                if (lines.empty()) lines.push_back({{focus && !colour_ ? "> " : "  ", {}}});
                return lines;
            }
            case ControlKind::upDown: return {focusable(c, {"[", "]"}, {">", "<"}, u"-/+", {.dim = dim})};
            default: return {};
        }
    }

    Segments textField(const Control& c, int width) const {
        const bool focus = w_.focus() == c.id;
        const Style style{.underline = true, .reverse = focus && colour_, .dim = !c.enabled};
        return {{focus && !colour_ ? ">" : "[", {}},
                {fitToWidth(printable(c.caption), width), style},
                {focus && !colour_ ? "<" : "]", {}}};
    }

    // "&OK": the access key underlined in colour, bracketed without ("[O]K").
    void caption(Segments& s, std::u16string_view text, Style style) const {
        const auto amp = text.find(u'&');
        if (amp == std::u16string_view::npos || amp + 1 >= text.size()) {
            s.push_back({printable(text), style});
            return;
        }
        s.push_back({printable(text.substr(0, amp)), style});
        const auto key = printable(text.substr(amp + 1, 1));
        if (colour_) {
            auto keyStyle = style;
            keyStyle.underline = true;
            s.push_back({key, keyStyle});
        } else {
            s.push_back({"[" + key + "]", style});
        }
        s.push_back({printable(text.substr(amp + 2)), style});
    }

    struct Brackets {
        const char *open, *close;
    };
    // Focus: reverse video in colour, the brackets turned inwards without; both
    // bracket pairs are equally wide so that nothing moves when the focus does.
    Segments focusable(const Control& c, Brackets normal, Brackets focus, const std::u16string& text,
                       Style base) const {
        const bool has = w_.focus() == c.id;
        Style style = base;
        style.reverse = has && colour_;
        const Style bracketStyle{.reverse = style.reverse, .dim = base.dim};
        const auto& brackets = has && !colour_ ? focus : normal;
        Segments s{{brackets.open, bracketStyle}};
        caption(s, text, style);
        s.push_back({brackets.close, bracketStyle});
        return s;
    }

    // Column widths in the proportions of the grid's own; then a column too narrow for
    // its text borrows what the others do not need, the last (the address) first since
    // it is the one text that must be read whole.
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

    // The widest text of each column over the grids on show, so they share a layout.
    std::vector<int> naturalWidths(int n) const {
        std::vector<int> widest(static_cast<std::size_t>(n), 0);
        for (const auto& view : w_.controls()) {
            const ui::Grid& g = view.grid;
            if (view.kind != ControlKind::grid || !shown(view) || g.cols() != n) continue;
            for (int r = 0; r < g.rows(); ++r)
                for (int c = 0; c < n; ++c) widest[c] = std::max(widest[c], displayWidth(printable(g.cell(r, c).text)));
        }
        return widest;
    }

    void grid(const Control& view) {
        const ui::Grid& grid = view.grid;
        if (!grid.initialised()) return;
        constexpr int gap = 2;
        const int left = std::max(columnOf(absoluteLeft(view)), 1);
        const int available = inner_ - left - 2 - gap * (grid.cols() - 1);
        const auto widths = cellWidths(grid, std::max(available, grid.cols()));
        for (int r = 0; r < grid.rows(); ++r) {
            const bool header = r < grid.fixedRows();
            bool unsafe = false;
            for (int c = 0; c < grid.cols(); ++c) unsafe = unsafe || grid.cell(r, c).foreColor == ui::red;
            auto l = line();
            l.moveTo(left);
            // A focused grid shows it on its header row: ">" and, in colour, reverse video.
            const bool focus = header && w_.focus() == view.id;
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

    // The open context menu, its items numbered for the keys that choose them.
    void popup() {
        if (!w_.popup()) return;
        int n = 0;
        for (const auto& item : w_.popup()->items)
            lines_.push_back("  " + std::to_string(++n) + ": " + printable(plainCaption(item.caption)) +
                             (item.enabled ? "" : " (-)"));
    }

    // Wrapped at the frame's width rather than cut, so that every key stays listed.
    void keyHelp() {
        std::vector<std::string> items;
        if (w_.popup()) {
            items = {"1-" + std::to_string(w_.popup()->items.size()) + ": choose", "other keys: dismiss"};
        } else {
            std::vector<const Control*> keyed;
            bool hasDefault = false;
            for (const auto& c : w_.controls()) {
                hasDefault = hasDefault || (c.isDefault && w_.available(c.id));
                if (c.accessKey() != 0 && w_.available(c.id) &&
                    (c.kind == ControlKind::pushButton || c.kind == ControlKind::checkBox))
                    keyed.push_back(&c);
            }
            std::stable_sort(keyed.begin(), keyed.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
            for (const Control* c : keyed)
                items.push_back(std::string(1, static_cast<char>(c->accessKey())) + ": " + printable(plainCaption(c->caption)));
            if (hasDefault) items.push_back("Enter: default");
            for (const auto& [key, id] : pointerKeys(w_))
                items.push_back(std::string(1, key) + ": " + printable(plainCaption(w_.control(id).caption)));
            for (const auto& c : w_.controls())
                if (c.kind == ControlKind::grid && w_.available(c.id)) {
                    items.push_back("+<row> Enter: row menu");
                    break;
                }
            items.insert(items.end(), {"Space: focused", "Tab: next", "q: close"});
        }
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

    const ui::WindowModel& w_;
    bool colour_;
    bool keyHelp_;
    int frameWidth_, inner_, clientWidth_;
    std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> renderWindow(const ui::WindowModel& window, const RenderOptions& options) {
    return Painter(window, options).paint();
}

std::vector<PointerKey> pointerKeys(const ui::WindowModel& window) {
    std::u16string taken = u"q";  // q closes the window
    for (const auto& c : window.controls())
        if (c.accessKey() != 0) taken += c.accessKey();
    std::vector<PointerKey> keys;
    std::string_view letters = "sdfghjklzxv";
    for (const ui::ControlId id : window.tabStops()) {
        const Control& c = window.control(id);
        if (c.kind != ControlKind::checkBox || c.accessKey() != 0) continue;
        while (!letters.empty() && taken.find(static_cast<char16_t>(letters.front())) != std::u16string::npos)
            letters.remove_prefix(1);
        if (letters.empty()) break;
        keys.push_back({letters.front(), id});
        letters.remove_prefix(1);
    }
    return keys;
}

}  // namespace sw::sim
