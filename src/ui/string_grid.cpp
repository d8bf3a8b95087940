#include "ui/string_grid.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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
  if (observer_) {
    for (int r = RowCount() - 1; r >= std::max(n, 0); --r) {
      std::vector<std::string> cells = std::move(cells_[static_cast<size_t>(r)]);
      cells_.pop_back();
      styles_.pop_back();
      marks_.pop_back();
      observer_->RowDeleted(r, std::move(cells));
    }
    if (n > RowCount()) {
      const int at = RowCount();
      cells_.resize(static_cast<size_t>(n),
                    std::vector<std::string>(static_cast<size_t>(colCount_)));
      styles_.resize(static_cast<size_t>(n));
      marks_.resize(static_cast<size_t>(n));
      observer_->RowsInserted(at, n - at);
    }
    Changed(Prop::Cells);
    return;
  }
  cells_.resize(static_cast<size_t>(n), std::vector<std::string>(static_cast<size_t>(colCount_)));
  styles_.resize(static_cast<size_t>(std::max(n, 0)));
  marks_.resize(static_cast<size_t>(std::max(n, 0)));
  Changed(Prop::Cells);
}

void StringGrid::InsertRows(int at, int count) {
  if (at < 0 || at > RowCount() || count < 0) throw std::out_of_range("grid row out of range");
  cells_.insert(cells_.begin() + at, static_cast<size_t>(count),
                std::vector<std::string>(static_cast<size_t>(colCount_)));
  styles_.insert(styles_.begin() + at, static_cast<size_t>(count), RowStyle{});
  marks_.insert(marks_.begin() + at, static_cast<size_t>(count), 0);
  // With several rows selected the current row stays one of them.
  if (multi_)
    for (int* r : {&row_, &anchor_})
      if (*r >= at) *r += count;
  if (observer_ && count > 0) observer_->RowsInserted(at, count);
  Changed(Prop::Cells);
}

void StringGrid::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("grid row out of range");
  std::vector<std::string> cells = std::move(cells_[static_cast<size_t>(row)]);
  cells_.erase(cells_.begin() + row);
  styles_.erase(styles_.begin() + row);
  marks_.erase(marks_.begin() + row);
  if (multi_) {
    if (anchor_ > row) --anchor_;
    if (row_ > row) {
      --row_;
    } else if (row_ == row) {
      const auto next = std::find(marks_.begin() + row, marks_.end(), 1);
      const auto before = std::find(marks_.rbegin(), marks_.rend(), 1);
      if (next != marks_.end())
        row_ = static_cast<int>(next - marks_.begin());
      else if (before != marks_.rend())
        row_ = static_cast<int>(marks_.rend() - before) - 1;
    }
  }
  if (observer_) observer_->RowDeleted(row, std::move(cells));
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

void StringGrid::SetOptions(unsigned options) {
  options_ = options;
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
  std::string& cell = cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
  if (observer_) {
    if (cell == text) return;
    std::string before = std::exchange(cell, std::move(text));
    observer_->CellChanged(col, row, before);
  } else {
    cell = std::move(text);
  }
  // Filling thousands of rows repaints nothing that is out of view.
  if (row < fixedRows_ || (row >= topRow_ && row <= topRow_ + pageRows_)) Invalidate();
}

const RowStyle& StringGrid::GetRowStyle(int row) const {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("grid row out of range");
  return styles_[static_cast<size_t>(row)];
}

void StringGrid::SetRowStyle(int row, RowStyle style) {
  if (row < 0 || row >= RowCount()) throw std::out_of_range("grid row out of range");
  RowStyle& kept = styles_[static_cast<size_t>(row)];
  if (kept == style) return;
  kept = style;
  // Marking thousands of rows repaints nothing that is out of view.
  if (row < fixedRows_ || (row >= topRow_ && row <= topRow_ + pageRows_)) Invalidate();
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
  ClearMarks();
  row_ = row;
  anchor_ = row;
  Changed(Prop::Selection);
}

// ---- Selection.

void StringGrid::ClearMarks() {
  if (!multi_) return;
  std::fill(marks_.begin(), marks_.end(), 0);
  multi_ = false;
}

void StringGrid::MarkRange(int first, int last) {
  if (first > last) std::swap(first, last);
  first = std::max(first, fixedRows_);
  last = std::min(last, RowCount() - 1);
  for (int r = first; r <= last; ++r) marks_[static_cast<size_t>(r)] = 1;
  multi_ = true;
}

bool StringGrid::IsRowSelected(int row) const {
  if (row < fixedRows_ || row >= RowCount()) return false;
  return row == row_ || (multi_ && marks_[static_cast<size_t>(row)]);
}

std::vector<int> StringGrid::SelectedRows() const {
  std::vector<int> rows;
  if (!multi_) {
    if (row_ >= fixedRows_ && row_ < RowCount()) rows.push_back(row_);
    return rows;
  }
  for (int r = fixedRows_; r < RowCount(); ++r)
    if (IsRowSelected(r)) rows.push_back(r);
  return rows;
}

int StringGrid::SelectedCount() const {
  if (!multi_) return row_ >= fixedRows_ && row_ < RowCount() ? 1 : 0;
  return static_cast<int>(SelectedRows().size());
}

void StringGrid::SelectRows(int first, int last, int current) {
  ClearMarks();
  row_ = current;
  anchor_ = std::min(first, last);
  if (first != last) MarkRange(first, last);
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

void StringGrid::MoveRow(int from, int to) {
  if (from < 0 || from >= RowCount() || to < 0 || to >= RowCount())
    throw std::out_of_range("grid row out of range");
  if (from == to) return;
  auto moved = std::move(cells_[static_cast<size_t>(from)]);
  cells_.erase(cells_.begin() + from);
  cells_.insert(cells_.begin() + to, std::move(moved));
  const RowStyle style = styles_[static_cast<size_t>(from)];
  styles_.erase(styles_.begin() + from);
  styles_.insert(styles_.begin() + to, style);
  const char mark = marks_[static_cast<size_t>(from)];
  marks_.erase(marks_.begin() + from);
  marks_.insert(marks_.begin() + to, mark);
  for (int* r : {&row_, &anchor_}) {
    if (*r == from)
      *r = to;
    else if (from < *r && *r <= to)
      --*r;
    else if (to <= *r && *r < from)
      ++*r;
  }
  if (observer_) observer_->RowMoved(from, to);
  Changed(Prop::Selection);
}

// ---- Layout.

int StringGrid::VisibleRows(int clientHeight) const {
  return std::max(1, (clientHeight - fixedRows_ * RowStep()) / RowStep());
}

int StringGrid::MaxTopRow(int clientHeight) const {
  return std::max(fixedRows_, RowCount() - VisibleRows(clientHeight));
}

Rect StringGrid::CellRect(int col, int row) const {
  int left = 0;
  for (int c = 0; c < col; ++c) left += ColWidth(c) + 1;
  const int line = row < fixedRows_ ? row : fixedRows_ + row - topRow_;
  return Rect{left, line * RowStep(), ColWidth(col), defaultRowHeight_};
}

bool StringGrid::CellAt(Point p, int& col, int& row) const {
  if (p.x < 0 || p.y < 0) return false;
  col = -1;
  int left = 0;
  for (int c = 0; c < colCount_; ++c) {
    if (ColWidth(c) > 0 && p.x >= left && p.x < left + ColWidth(c) + 1) {
      col = c;
      break;
    }
    left += ColWidth(c) + 1;
  }
  const int line = p.y / RowStep();
  row = line < fixedRows_ ? line : topRow_ + line - fixedRows_;
  return col >= 0 && row < RowCount();
}

int StringGrid::DropRowAt(int y) const {
  int row;
  if (y < fixedRows_ * RowStep())
    row = topRow_ > fixedRows_ ? topRow_ - 1 : fixedRows_;
  else
    row = topRow_ + y / RowStep() - fixedRows_;
  return std::max(fixedRows_, std::min(row, RowCount() - 1));
}

std::optional<int> StringGrid::DropMarkY(int from, int to) const {
  if (to < topRow_ && to >= fixedRows_) return std::nullopt;
  const Rect r = CellRect(0, to);
  return to > from ? r.Bottom() - 1 : r.top - 1;
}

int StringGrid::SizingColAt(Point p) const {
  if (p.y < 0 || p.y >= fixedRows_ * RowStep()) return -1;
  int right = 0;
  for (int c = 0; c < colCount_; ++c) {
    right += ColWidth(c);
    if (!Hidden(c) && p.x >= right - 2 && p.x <= right + 2) return c;
    right += 1;
  }
  return -1;
}

// ---- User input.

void StringGrid::UserSelectCell(int col, int row, unsigned shift) {
  // With Shift or Ctrl a click on the row's fixed cell picks the row.
  if (col < fixedCols_ && (shift & (ssShift | ssCtrl))) col = col_;
  if (col < fixedCols_ || row < fixedRows_ || col >= colCount_ || row >= RowCount()) return;
  Select(col, row, (shift & ssShift) ? Pick::Extend : (shift & ssCtrl) ? Pick::Toggle : Pick::One);
}

void StringGrid::Select(int col, int row, Pick how) {
  Guard([&] {
    bool can = true;
    if (OnSelectCell) OnSelectCell(*this, col, row, can);
    if (!can) return;
    col_ = col;
    switch (how) {
      case Pick::One:
        ClearMarks();
        row_ = anchor_ = row;
        break;
      case Pick::Column:
        row_ = row;
        break;
      case Pick::Extend: {
        const int anchor = std::clamp(anchor_, fixedRows_, RowCount() - 1);
        ClearMarks();
        row_ = row;
        if (anchor != row) MarkRange(anchor, row);
        break;
      }
      case Pick::Toggle:
        anchor_ = row;
        if (!IsRowSelected(row)) {
          MarkRange(row_, row_);
          MarkRange(row, row);
          row_ = row;
        } else if (SelectedCount() > 1) {
          // Out of the selection; the current row goes to the nearest row
          // still in it. The last selected row stays.
          marks_[static_cast<size_t>(row)] = 0;
          if (row == row_) {
            int next = -1;
            for (int d = 1; next < 0 && (row - d >= fixedRows_ || row + d < RowCount()); ++d) {
              if (row + d < RowCount() && marks_[static_cast<size_t>(row + d)])
                next = row + d;
              else if (row - d >= fixedRows_ && marks_[static_cast<size_t>(row - d)])
                next = row - d;
            }
            row_ = next;
          }
          if (SelectedCount() == 1) ClearMarks();
        }
        break;
    }
    Changed(Prop::Selection);
    Fire(OnClick);
  });
}

void StringGrid::UserMoveRow(int from, int to) {
  if (!(options_ & goRowMoving) || from < fixedRows_ || to < fixedRows_ || from >= RowCount() ||
      to >= RowCount() || from == to)
    return;
  Guard([&] {
    MoveRow(from, to);
    if (OnRowMoved) OnRowMoved(*this, from, to);
  });
}

void StringGrid::UserSizeCol(int col, int width) {
  if (!(options_ & goColSizing) || col < 0 || col >= colCount_) return;
  SetColWidth(col, std::max(width, 0));
}

int StringGrid::NextCol(int col, int step) const {
  for (int c = col + step; c >= fixedCols_ && c < colCount_; c += step)
    if (!Hidden(c)) return c;
  return col;
}

void StringGrid::UserKeyDown(int& key, unsigned shift) {
  Control::UserKeyDown(key, shift);
  if (RowCount() <= fixedRows_) return;
  int col = col_, row = row_;
  switch (key) {
    case vkUp:
      --row;
      break;
    case vkDown:
      ++row;
      break;
    case vkPrior:
      row -= pageRows_;
      break;
    case vkNext:
      row += pageRows_;
      break;
    case vkLeft:
      col = NextCol(col, -1);
      break;
    case vkRight:
      col = NextCol(col, 1);
      break;
    case vkHome:
      if (shift & (ssCtrl | ssShift))
        row = fixedRows_;
      else
        col = NextCol(fixedCols_ - 1, 1);
      break;
    case vkEnd:
      if (shift & (ssCtrl | ssShift))
        row = RowCount() - 1;
      else
        col = NextCol(colCount_, -1);
      break;
    default:
      return;
  }
  row = std::clamp(row, fixedRows_, RowCount() - 1);
  const bool rows = key != vkLeft && key != vkRight;
  if (rows && (shift & ssShift)) {
    if (row != row_) Select(col, row, Pick::Extend);
  } else if (col != col_ || row != row_) {
    // Across the columns the rows stay selected; up or down one row is.
    Select(col, row, rows ? Pick::One : Pick::Column);
  }
}

// ---- Painting.

void StringGrid::DrawCell(int col, int row, Canvas& canvas, const Rect& rect, unsigned state) {
  const bool fixed = col < fixedCols_ || row < fixedRows_;
  if (OnDrawCell && !fixed) {
    OnDrawCell(*this, col, row, canvas, rect, state);
    return;
  }
  const bool selected = !fixed && (state & odSelected);
  canvas.SetBrushColor(fixed ? clBtnFace : selected ? clHighlight : GetColor());
  canvas.FillRect(rect);
  const RowStyle& style = styles_[static_cast<size_t>(row)];
  Font f = GetFont();
  if (selected)
    f.color = clHighlightText;
  else if (!fixed && style.textColor != clNone)
    f.color = style.textColor;
  canvas.SetFont(f);
  int textLeft = rect.left + 2;
  if (style.glyph != GlyphKind::None && col == 0 && row >= fixedRows_) {
    const int top = rect.top + std::max(0, (rect.height - kGlyphSize) / 2);
    canvas.DrawGlyph(rect.left + 1, top, style.glyph);
    textLeft = rect.left + 1 + kGlyphSize + 1;
  }
  canvas.PutTextRect(rect, textLeft, rect.top + 2, Cell(col, row));
}

void StringGrid::Paint(Canvas& canvas, int clientWidth, int clientHeight, bool focused) {
  canvas.SetBrushColor(GetColor());
  canvas.FillRect(Rect{0, 0, clientWidth, clientHeight});
  const int h = defaultRowHeight_;
  auto line = [&](bool fixed, bool vertical, const Rect& r) {
    const unsigned wanted = fixed ? (vertical ? goFixedVertLine : goFixedHorzLine)
                                  : (vertical ? goVertLine : goHorzLine);
    if (!(options_ & wanted)) return;
    canvas.SetBrushColor(fixed ? clBtnShadow : 0xC0C0C0);
    canvas.FillRect(r);
  };
  int y = 0;
  auto paintRow = [&](int row) {
    int x = 0;
    for (int col = 0; col < colCount_ && x < clientWidth; ++col) {
      const int w = ColWidth(col);
      const bool fixed = row < fixedRows_ || col < fixedCols_;
      if (w > 0) {
        const bool current = !fixed && row == row_ && (rowSelect_ || col == col_);
        unsigned state = odNone;
        if (current && (rowSelect_ || (options_ & goDrawFocusSelected))) state |= odSelected;
        if (!fixed && multi_ && IsRowSelected(row)) state |= odSelected;
        if (current && focused && col == col_) state |= odFocused;
        const Rect cell{x, y, w, h};
        Guard([&] { DrawCell(col, row, canvas, cell, state); });
        if (fixed && (options_ & (goFixedVertLine | goFixedHorzLine)) && w > 2) {
          // Raised: a highlight along the top and the left.
          canvas.SetBrushColor(clBtnHighlight);
          canvas.FillRect(Rect{x, y, w, 1});
          canvas.FillRect(Rect{x, y, 1, h});
        }
        if (state & odFocused) canvas.DrawFocusRect(cell);
        line(fixed, true, Rect{x + w, y, 1, h + 1});
        line(fixed, false, Rect{x, y + h, w + 1, 1});
      }
      x += w + 1;
    }
    y += h + 1;
  };
  for (int r = 0; r < fixedRows_ && r < RowCount(); ++r) paintRow(r);
  for (int r = topRow_; r < RowCount() && y < clientHeight; ++r) paintRow(r);
}

}  // namespace w95::ui
