#include "ui/string_grid.h"

#include <algorithm>
#include <stdexcept>

namespace w95::ui {

StringGrid::StringGrid() : Control(std::string()) { SetColor(clWindow); }

StringGrid::StringGrid(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
  SetTabStop(true);
}

void StringGrid::SetColCount(int n) {
  colCount_ = n;
  colWidths_.resize(static_cast<size_t>(n), defaultColWidth_);
  for (auto& row : cells_) row.resize(static_cast<size_t>(n));
  Changed(Prop::Cells);
}

void StringGrid::SetRowCount(int n) {
  cells_.resize(static_cast<size_t>(n), std::vector<std::string>(static_cast<size_t>(colCount_)));
  Changed(Prop::Cells);
}

void StringGrid::SetFixedCols(int n) {
  fixedCols_ = n;
  Changed(Prop::Cells);
}

void StringGrid::SetFixedRows(int n) {
  fixedRows_ = n;
  Changed(Prop::Cells);
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
  Invalidate();
}

int StringGrid::ColWidth(int col) const { return colWidths_.at(static_cast<size_t>(col)); }

void StringGrid::SetColWidth(int col, int width) {
  colWidths_.at(static_cast<size_t>(col)) = width;
  Changed(Prop::Cells);
}

void StringGrid::SetDefaultRowHeight(int h) {
  defaultRowHeight_ = h;
  Changed(Prop::Cells);
}

void StringGrid::SetRow(int row) {
  row_ = row;
  Changed(Prop::Selection);
}

void StringGrid::SetCol(int col) {
  col_ = col;
  Changed(Prop::Selection);
}

void StringGrid::SetTopRow(int row) {
  topRow_ = std::max(row, fixedRows_);
  Changed(Prop::TopIndex);
}

void StringGrid::UserSelectCell(int col, int row) {
  if (col < fixedCols_ || row < fixedRows_ || col >= colCount_ || row >= RowCount()) return;
  Guard([&] {
    bool can = true;
    if (OnSelectCell) OnSelectCell(*this, col, row, can);
    if (!can) return;
    col_ = col;
    row_ = row;
    Changed(Prop::Selection);
    Fire(OnClick);
  });
}

void StringGrid::DrawCell(int col, int row, Canvas& canvas, const Rect& rect, unsigned state) {
  const bool fixed = col < fixedCols_ || row < fixedRows_;
  if (OnDrawCell && !fixed) {
    OnDrawCell(*this, col, row, canvas, rect, state);
    return;
  }
  canvas.SetBrushColor(fixed ? clBtnFace : ((state & odSelected) ? clHighlight : clWindow));
  canvas.FillRect(rect);
  canvas.PutTextRect(rect, rect.left + 2, rect.top + 2, Cell(col, row));
}

}  // namespace w95::ui
