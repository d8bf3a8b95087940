// A grid of text cells with fixed (heading) rows and columns; columns can be
// narrowed to one pixel to hide data the window keeps in them. Usable on its
// own (as a data model in tests) or placed on a form.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"

namespace w95::ui {

using SelectCellEvent = std::function<void(Control& sender, int col, int row, bool& canSelect)>;
using DrawCellEvent = std::function<void(Control& sender, int col, int row, Canvas& canvas,
                                         const Rect& rect, unsigned state)>;

class StringGrid : public Control {
 public:
  StringGrid();
  StringGrid(Control& parent, std::string name);

  int ColCount() const { return colCount_; }
  void SetColCount(int n);
  int RowCount() const { return static_cast<int>(cells_.size()); }
  // Keeps the cells of the rows that stay; new rows are empty.
  void SetRowCount(int n);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int n);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int h);

  // The current (selected) cell.
  int Row() const { return row_; }
  void SetRow(int row);
  int Col() const { return col_; }
  void SetCol(int col);
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool on) { rowSelect_ = on; }
  bool CanFocus() const override { return true; }

  SelectCellEvent OnSelectCell;
  DrawCellEvent OnDrawCell;  // when set, draws the non-fixed cells

  // The user clicked a cell (OnSelectCell may refuse it), then OnClick.
  void UserSelectCell(int col, int row);
  void DrawCell(int col, int row, Canvas& canvas, const Rect& rect, unsigned state);

 private:
  int colCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int row_ = 1;
  int col_ = 1;
  int topRow_ = 1;
  bool rowSelect_ = false;
  std::vector<int> colWidths_ = std::vector<int>(5, 64);
  std::vector<std::vector<std::string>> cells_ =
      std::vector<std::vector<std::string>>(5, std::vector<std::string>(5));
};

}  // namespace w95::ui
