#include "ui/string_grid.h"

#include <stdexcept>

namespace w95::ui {

void StringGrid::SetColCount(int n) {
  colCount_ = n;
  colWidths_.resize(static_cast<size_t>(n), defaultColWidth_);
  for (auto& row : cells_) row.resize(static_cast<size_t>(n));
}

void StringGrid::SetRowCount(int n) {
  cells_.resize(static_cast<size_t>(n), std::vector<std::string>(static_cast<size_t>(colCount_)));
}

const std::string& StringGrid::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_)
    throw std::out_of_range("grid cell out of range");
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void StringGrid::SetCell(int col, int row, std::string text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_)
    throw std::out_of_range("grid cell out of range");
  cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(text);
}

int StringGrid::ColWidth(int col) const { return colWidths_.at(static_cast<size_t>(col)); }
void StringGrid::SetColWidth(int col, int width) { colWidths_.at(static_cast<size_t>(col)) = width; }

}  // namespace w95::ui
