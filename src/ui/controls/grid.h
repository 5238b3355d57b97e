#pragma once
// The grid of text cells the recipient lists show, as the host's flexible grid
// behaves: a current cell, a selection, one text colour and alignment per cell.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/colours.h"

namespace sw::ui {

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
    // Moving the current cell collapses the selection onto it.
    void setRow(std::int32_t row);
    void setCol(std::int32_t col);
    std::int32_t row() const { return row_; }
    std::int32_t col() const { return col_; }
    // The selection runs from the current cell to (rowSel, colSel), as RowSel and ColSel.
    void setRowSel(std::int32_t row);
    void setColSel(std::int32_t col);
    std::int32_t rowSel() const { return rowSel_; }
    std::int32_t colSel() const { return colSel_; }
    bool selected(std::int32_t row, std::int32_t col) const;
    void setText(const std::u16string& text);
    void setCellForeColor(std::uint32_t color);
    void setCellAlignment(int alignment);

    const GridCell& cell(std::int32_t row, std::int32_t col) const;

private:
    std::int32_t rows_ = 0, cols_ = 0, fixedRows_ = 0, row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
    std::vector<int> widths_;
    std::vector<GridCell> cells_;
};

}  // namespace sw::ui
