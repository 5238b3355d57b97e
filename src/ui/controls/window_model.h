#pragma once
// Building blocks of the window models: controls as plain state, geometry in twips.
#include <cstdint>
#include <string>
#include <vector>

namespace sw::ui {

inline constexpr std::uint32_t black = 0x000000;
inline constexpr std::uint32_t red = 0x0000FF;  // 0x00BBGGRR

enum class ControlKind { pictureBox, label, frame, grid, checkBox, pushButton, linkLabel };

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the container
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Control {
    std::u16string name;
    ControlKind kind = ControlKind::label;
    std::u16string container;  // empty: the window itself
    std::u16string caption;    // "&" marks the access key
    Rect rect;
    int tabIndex = 0;
    bool visible = true;
    bool enabled = true;
    std::uint32_t foreColor = black;
    bool bold = false;
    bool canFocus = false;  // labels, frames and pictures hold a tab place but never the focus
};

enum class Key { enter, escape, tab, space, left, right, up, down, character };

struct KeyModifiers {
    bool shift = false, ctrl = false, alt = false;
};

// A grid of text cells with one text colour per cell, as the recipient grids show.
struct GridCell {
    std::u16string text;
    std::uint32_t foreColor = black;
    int alignment = 0;  // 4: centred both ways
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

class Grid {
public:
    // Rows beyond the new count are dropped; new cells are empty and black.
    void resize(std::int32_t rows, std::int32_t cols, std::int32_t fixedRows);
    std::int32_t rows() const { return rows_; }
    std::int32_t cols() const { return cols_; }
    std::int32_t fixedRows() const { return fixedRows_; }
    bool initialised() const { return cols_ > 0; }

    void setColumnWidth(std::int32_t col, int twips);
    int columnWidth(std::int32_t col) const;

    // The current cell, as the grid's Row and Col properties; throws for an index
    // outside the grid, as the host's grid does.
    void setRow(std::int32_t row);
    void setCol(std::int32_t col);
    std::int32_t row() const { return row_; }
    std::int32_t col() const { return col_; }
    void setText(const std::u16string& text);
    void setCellForeColor(std::uint32_t color);
    void setCellAlignment(int alignment);

    const GridCell& cell(std::int32_t row, std::int32_t col) const;

private:
    std::int32_t rows_ = 0, cols_ = 0, fixedRows_ = 0, row_ = 0, col_ = 0;
    std::vector<int> widths_;
    std::vector<GridCell> cells_;
};

}  // namespace sw::ui
