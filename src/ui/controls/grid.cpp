#include "ui/controls/grid.h"

#include <algorithm>

#include "diagnostics/failure.h"

namespace sw::ui {
namespace {
// The host grid's own error for a row or column outside it.
Failure badSubscript() { return Failure(30009, u"Invalid Row value"); }
}  // namespace

void Grid::resize(std::int32_t rows, std::int32_t cols, std::int32_t fixedRows) {
    if (rows < 0 || cols < 0 || fixedRows < 0 || fixedRows > rows) throw badSubscript();
    std::vector<GridCell> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (std::int32_t r = 0; r < std::min(rows, rows_); ++r)
        for (std::int32_t c = 0; c < std::min(cols, cols_); ++c)
            cells[static_cast<std::size_t>(r * cols + c)] = cell(r, c);
    cells_ = std::move(cells);
    widths_.resize(static_cast<std::size_t>(cols), 0);
    rows_ = rows;
    cols_ = cols;
    fixedRows_ = fixedRows;
    row_ = rowSel_ = std::min(row_, std::max(rows - 1, 0));
    col_ = colSel_ = std::min(col_, std::max(cols - 1, 0));
}

void Grid::setColumnWidth(std::int32_t col, int twips) {
    if (col < 0 || col >= cols_) throw badSubscript();
    widths_[static_cast<std::size_t>(col)] = twips;
}

int Grid::columnWidth(std::int32_t col) const {
    if (col < 0 || col >= cols_) throw badSubscript();
    return widths_[static_cast<std::size_t>(col)];
}

void Grid::setRow(std::int32_t row) {
    if (row < 0 || row >= rows_) throw badSubscript();
    row_ = rowSel_ = row;
}

void Grid::setCol(std::int32_t col) {
    if (col < 0 || col >= cols_) throw badSubscript();
    col_ = colSel_ = col;
}

void Grid::setRowSel(std::int32_t row) {
    if (row < 0 || row >= rows_) throw badSubscript();
    rowSel_ = row;
}

void Grid::setColSel(std::int32_t col) {
    if (col < 0 || col >= cols_) throw badSubscript();
    colSel_ = col;
}

bool Grid::selected(std::int32_t row, std::int32_t col) const {
    return row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) && col >= std::min(col_, colSel_) &&
           col <= std::max(col_, colSel_);
}

void Grid::setText(const std::u16string& text) {
    if (rows_ == 0 || cols_ == 0) throw badSubscript();
    cells_[static_cast<std::size_t>(row_ * cols_ + col_)].text = text;
}

void Grid::setCellForeColor(std::uint32_t color) {
    if (rows_ == 0 || cols_ == 0) throw badSubscript();
    cells_[static_cast<std::size_t>(row_ * cols_ + col_)].foreColor = color;
}

void Grid::setCellAlignment(int alignment) {
    if (rows_ == 0 || cols_ == 0) throw badSubscript();
    cells_[static_cast<std::size_t>(row_ * cols_ + col_)].alignment = alignment;
}

const GridCell& Grid::cell(std::int32_t row, std::int32_t col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) throw badSubscript();
    return cells_[static_cast<std::size_t>(row * cols_ + col)];
}

}  // namespace sw::ui
