// A grid of text cells with fixed (heading) rows and columns; columns can be
// narrowed to one pixel to hide data the window keeps in them.
#pragma once

#include <string>
#include <vector>

namespace w95::ui {

class StringGrid {
 public:
  int ColCount() const { return colCount_; }
  void SetColCount(int n);
  int RowCount() const { return static_cast<int>(cells_.size()); }
  // Keeps the cells of the rows that stay; new rows are empty.
  void SetRowCount(int n);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int n) { fixedCols_ = n; }
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n) { fixedRows_ = n; }

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultColWidth() const { return defaultColWidth_; }

  // The current (selected) row.
  int Row() const { return row_; }
  void SetRow(int row) { row_ = row; }

 private:
  int colCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int row_ = 1;
  std::vector<int> colWidths_ = std::vector<int>(5, 64);
  std::vector<std::vector<std::string>> cells_ =
      std::vector<std::vector<std::string>>(5, std::vector<std::string>(5));
};

}  // namespace w95::ui
