// A grid of text cells with fixed (heading) rows and columns; columns can be
// narrowed to one pixel to hide data the window keeps in them. Usable on its
// own (as a data model in tests) or placed on a form.
//
// Layout: each row is DefaultRowHeight pixels plus a one-pixel line below it,
// each column its width plus a line at its right; the fixed rows stay at the
// top and the others scroll from TopRow. Only the rows in view are painted.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/glyphs.h"

namespace w95::ui {

using SelectCellEvent = std::function<void(Control& sender, int col, int row, bool& canSelect)>;
using DrawCellEvent = std::function<void(Control& sender, int col, int row, Canvas& canvas,
                                         const Rect& rect, unsigned state)>;
// A row dragged by the user from one place to another (after the move).
using RowMovedEvent = std::function<void(Control& sender, int from, int to)>;

enum GridOption : unsigned {
  goFixedVertLine = 1,  // lines between fixed cells
  goFixedHorzLine = 2,
  goVertLine = 4,  // lines between the other cells
  goHorzLine = 8,
  goDrawFocusSelected = 16,  // the current cell is drawn highlighted
  goColSizing = 32,          // column borders in the fixed rows can be dragged
  goRowMoving = 64,          // rows can be dragged by their fixed cells
  goThumbTracking = 128,     // the grid scrolls while the scroll thumb is dragged
};

// Told of every change to a grid's cells and rows, after it is made (so
// that the changes can be kept and taken back); selection and layout are not
// changes.
class GridChanges {
 public:
  virtual ~GridChanges() = default;
  virtual void CellChanged(int col, int row, const std::string& before) = 0;
  virtual void RowsInserted(int at, int count) = 0;
  // The row's cells as they were when it was taken out.
  virtual void RowDeleted(int row, std::vector<std::string>&& cells) = 0;
  virtual void RowMoved(int from, int to) = 0;
};

// How a row's cells are drawn apart from their text: the text colour of its
// non-fixed cells (clNone: the font's) and a glyph at the left of its first
// fixed cell, before the text (None: no glyph). The style goes with the row
// when rows are inserted, deleted or moved; it is no change to the cells.
struct RowStyle {
  Color textColor = clNone;
  GlyphKind glyph = GlyphKind::None;
  bool operator==(const RowStyle&) const = default;
};

class StringGrid : public Control {
 public:
  StringGrid();
  StringGrid(Control& parent, std::string name);

  int ColCount() const { return colCount_; }
  void SetColCount(int n);
  int RowCount() const { return static_cast<int>(cells_.size()); }
  // Keeps the cells of the rows that stay; new rows are empty.
  void SetRowCount(int n);
  // Row operations that keep every cell's text: `count` empty rows at `at`
  // (the rows from there on move down); one row taken out (the later rows
  // move up).
  void InsertRows(int at, int count);
  void DeleteRow(int row);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int n);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);
  unsigned Options() const { return options_; }
  void SetOptions(unsigned options);

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);

  const RowStyle& GetRowStyle(int row) const;
  // Repaints the row when it is in view and its style changes.
  void SetRowStyle(int row, RowStyle style);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int h);

  // The current (selected) cell. Setting the row selects that row alone.
  int Row() const { return row_; }
  void SetRow(int row);
  int Col() const { return col_; }
  void SetCol(int col);
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  // ---- Several rows selected at once. The current row is always one of
  // them; the others are kept with their rows when rows are inserted,
  // deleted or moved. A grid whose user never holds Shift or Ctrl has the
  // current row alone selected.
  bool IsRowSelected(int row) const;
  // The selected rows, top to bottom (the current row alone when no other is).
  std::vector<int> SelectedRows() const;
  int SelectedCount() const;
  // Selects the rows first..last with `current` among them as the current row.
  void SelectRows(int first, int last, int current);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool on) { rowSelect_ = on; }
  bool CanFocus() const override { return true; }
  bool WantsKey(int key) const override { return key == vkReturn; }
  // Moves row `from` to index `to` (the rows between shift by one); the
  // current row goes with its contents.
  void MoveRow(int from, int to);
  // Who is told of the changes to cells and rows (none: nullptr). Setting a
  // cell to the text it holds is no change.
  void SetChangeObserver(GridChanges* observer) { observer_ = observer; }
  GridChanges* ChangeObserver() const { return observer_; }

  // ---- Layout, in the grid's client coordinates.
  int RowStep() const { return defaultRowHeight_ + 1; }
  // Scrolling rows that fit wholly in a client area of that height (at least 1).
  int VisibleRows(int clientHeight) const;
  // The last top row that still fills the view.
  int MaxTopRow(int clientHeight) const;
  // Where a cell is drawn now (rows above TopRow are off the top).
  Rect CellRect(int col, int row) const;
  // The cell under a point, or false.
  bool CellAt(Point p, int& col, int& row) const;
  // In a fixed row, the column whose right border is within 2 pixels of x
  // (the column the mouse resizes), or -1.
  int SizingColAt(Point p) const;
  // Row dragging (goRowMoving): the row a dragged row would land on with the
  // mouse at height y (over the fixed rows: the row above the top one, so
  // that the grid scrolls up; below the rows: the last row).
  int DropRowAt(int y) const;
  // Where the mark showing that landing place goes: the y of a two-pixel
  // bar under row `to` when the row moves down, over it when it moves up;
  // none while `to` is scrolled out of view above.
  std::optional<int> DropMarkY(int from, int to) const;

  SelectCellEvent OnSelectCell;
  DrawCellEvent OnDrawCell;  // when set, draws the non-fixed cells
  RowMovedEvent OnRowMoved;

  // The user clicked a cell (OnSelectCell may refuse it), then OnClick.
  // Alone the click selects that row alone; with Ctrl it adds the row to
  // the selection or takes it out; with Shift it selects the rows from the
  // anchor (the row last clicked without Shift) to it. With either, a click
  // on a fixed cell selects its row, keeping the column.
  void UserSelectCell(int col, int row, unsigned shift = ssNone);
  // The user dragged row `from` to `to` (goRowMoving): moves it, then OnRowMoved.
  void UserMoveRow(int from, int to);
  // The user dragged a column border (goColSizing).
  void UserSizeCol(int col, int width);
  // OnKeyDown first; a key it leaves moves the current cell: arrows, Page
  // Up/Down by the rows in view, Home/End to the first/last column (with
  // Ctrl: row). Hidden (narrower than 2 pixels) columns are skipped. With
  // Shift, Up, Down, Page Up/Down and Home/End (to the first/last row)
  // select the rows from the anchor to the new current row; Left and Right
  // keep the rows selected.
  void UserKeyDown(int& key, unsigned shift) override;
  // Rows in view, as the backend's window says (headless: 10).
  int PageRows() const { return pageRows_; }
  void SetPageRows(int rows) { pageRows_ = rows < 1 ? 1 : rows; }

  void DrawCell(int col, int row, Canvas& canvas, const Rect& rect, unsigned state);
  // Paints the visible part of the grid: the fixed rows, then the rows from
  // TopRow that fall into the client area, with the lines the options ask for.
  void Paint(Canvas& canvas, int clientWidth, int clientHeight, bool focused);

 private:
  bool Hidden(int col) const { return ColWidth(col) < 2; }
  int NextCol(int col, int step) const;
  enum class Pick { One, Toggle, Extend, Column };
  void Select(int col, int row, Pick how);
  void ClearMarks();
  void MarkRange(int first, int last);

  int colCount_ = 5;
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int row_ = 1;
  int col_ = 1;
  int topRow_ = 1;
  int pageRows_ = 10;
  bool rowSelect_ = false;
  GridChanges* observer_ = nullptr;
  unsigned options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
  std::vector<int> colWidths_ = std::vector<int>(5, 64);
  std::vector<std::vector<std::string>> cells_ =
      std::vector<std::vector<std::string>>(5, std::vector<std::string>(5));
  std::vector<RowStyle> styles_ = std::vector<RowStyle>(5);  // one per row of cells_
  // Rows selected besides the current one (one per row of cells_); only
  // looked at while `multi_` is set.
  std::vector<char> marks_ = std::vector<char>(5);
  bool multi_ = false;
  int anchor_ = 1;  // where a Shift selection starts
};

}  // namespace w95::ui
