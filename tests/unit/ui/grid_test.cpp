// The string grid on the headless backend: the shared user scenarios, and
// how it paints (lines, the current cell, only the rows in view).
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sim/sim_machine.h"
#include "ui/grid_scenarios.h"
#include "ui/recording_canvas.h"

namespace {

using namespace w95::ui;

class GridScenario : public ::testing::TestWithParam<grid_scenarios::Named> {
 protected:
  void SetUp() override { machine.Install(); }
  w95::platform::sim::SimMachine machine;
};

TEST_P(GridScenario, Runs) { GetParam().run(); }

INSTANTIATE_TEST_SUITE_P(Grid, GridScenario, ::testing::ValuesIn(grid_scenarios::All()),
                         [](const auto& row) { return std::string(row.param.name); });

// A 3-column grid, 10 pixels per row plus its line.
void Small(StringGrid& g, int rows) {
  g.SetColCount(3);
  g.SetRowCount(rows);
  g.SetDefaultRowHeight(10);
  g.SetColWidth(0, 20);
  g.SetColWidth(1, 40);
  g.SetColWidth(2, 1);
  for (int r = 0; r < rows; ++r) g.SetCell(1, r, "r" + std::to_string(r));
}

std::vector<std::string> Texts(const RecordingCanvas& c) {
  std::vector<std::string> out;
  for (const auto& op : c.ops)
    if (op.rfind("text ", 0) == 0 && op.find(" r") != std::string::npos)
      out.push_back(op.substr(op.rfind(' ') + 1));
  return out;
}

TEST(GridPaint, OnlyTheRowsInViewArePaintedWhateverTheRowCount) {
  StringGrid small, big;
  Small(small, 100);
  Small(big, 10000);
  big.SetTopRow(5000);
  RecordingCanvas a, b;
  small.Paint(a, 100, 55, false);
  big.Paint(b, 100, 55, false);
  EXPECT_EQ(a.ops.size(), b.ops.size()) << "the same work for 100 and 10,000 rows";
  EXPECT_EQ(Texts(b), (std::vector<std::string>{"r0", "r5000", "r5001", "r5002", "r5003"}))
      << "the heading, then from the top row until the window is full (a part row included)";
}

TEST(GridPaint, LinesFollowTheOptionsAndTheCurrentCellShowsAsAsked) {
  StringGrid g;
  Small(g, 4);
  g.SetRow(2);
  g.SetCol(1);
  auto paint = [&](bool focused) {
    RecordingCanvas c;
    g.Paint(c, 100, 60, focused);
    return c.ops;
  };
  auto has = [](const std::vector<std::string>& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
  };
  // Row 2 is drawn at y 22 (two rows of 10 plus their lines above it).
  std::vector<std::string> ops = paint(true);
  EXPECT_TRUE(has(ops, "fill 61,22 1x11 #00C0C0C0")) << "vertical line after column 1";
  EXPECT_TRUE(has(ops, "fill 20,11 1x11 #80000010")) << "fixed line after the heading cell";
  EXPECT_TRUE(has(ops, "fill 21,22 40x10 #80000005")) << "current cell not highlighted by default";
  EXPECT_TRUE(has(ops, "focus 21,22 40x10")) << "but framed while focused";
  EXPECT_FALSE(has(paint(false), "focus 21,22 40x10"));

  g.SetOptions(g.Options() | goDrawFocusSelected);
  EXPECT_TRUE(has(paint(false), "fill 21,22 40x10 #8000000D")) << "focus cell drawn as selected";

  g.SetOptions(goDrawFocusSelected);
  ops = paint(false);
  EXPECT_FALSE(has(ops, "fill 61,22 1x11 #00C0C0C0")) << "no lines asked for";
  EXPECT_FALSE(has(ops, "fill 20,11 1x11 #80000010"));
}

TEST(GridLayout, HitsBordersAndScrollLimits) {
  StringGrid g;
  Small(g, 50);
  g.SetTopRow(10);
  int col = -1, row = -1;
  ASSERT_TRUE(g.CellAt(Point{30, 25}, col, row));
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 11) << "second scrolled line under the heading";
  ASSERT_TRUE(g.CellAt(Point{5, 3}, col, row));
  EXPECT_EQ(row, 0) << "the heading stays";
  EXPECT_FALSE(g.CellAt(Point{5, 11 * 50}, col, row)) << "below the last row";
  EXPECT_EQ(g.SizingColAt(Point{61, 5}), 1) << "right border of column 1";
  EXPECT_EQ(g.SizingColAt(Point{63, 5}), 1);
  EXPECT_EQ(g.SizingColAt(Point{61, 15}), -1) << "only in the heading";
  EXPECT_EQ(g.SizingColAt(Point{40, 5}), -1);
  EXPECT_EQ(g.VisibleRows(55), 4);
  EXPECT_EQ(g.MaxTopRow(55), 46);
}

// Where a dragged row lands and where the mark showing it goes: over the
// heading the grid reaches for the row above the top one (and stops at the
// first scrolling row), below the rows it is the last one; the mark sits
// under the target when moving down, over it when moving up, and is left
// out while the target is scrolled away.
TEST(GridLayout, DraggedRowsLandWhereTheMouseIsAndTheMarkShowsIt) {
  StringGrid g;
  Small(g, 50);  // rows of 10 pixels plus a line; the heading is row 0
  g.SetTopRow(10);
  EXPECT_EQ(g.DropRowAt(5), 9) << "over the heading: one above the top row";
  EXPECT_EQ(g.DropRowAt(-20), 9) << "above the grid, the mouse captured";
  EXPECT_EQ(g.DropRowAt(11), 10) << "the first line under the heading is the top row";
  EXPECT_EQ(g.DropRowAt(25), 11);
  EXPECT_EQ(g.DropRowAt(11 * 45), 49) << "below the last row";
  g.SetTopRow(1);
  EXPECT_EQ(g.DropRowAt(5), 1) << "nothing above the first scrolling row";

  g.SetTopRow(10);
  EXPECT_EQ(g.DropMarkY(10, 12), 3 * 11 + 9) << "moving down: the last pixel row of the target";
  EXPECT_EQ(g.DropMarkY(14, 12), 3 * 11 - 1) << "moving up: the line above the target";
  EXPECT_FALSE(g.DropMarkY(14, 9)) << "the target is above the view";
}

}  // namespace

namespace {

// The selected rows as their texts: what a selection is kept with.
std::vector<std::string> PickedTexts(const StringGrid& g) {
  std::vector<std::string> out;
  for (int r : g.SelectedRows()) out.push_back(g.Cell(1, r));
  return out;
}

}  // namespace

// Rows selected besides the current one stay selected with their rows when
// rows come and go or move, are all drawn highlighted, and setting the row
// from code picks it alone.
TEST(GridSelection, GoesWithItsRowsIsDrawnAndSetRowPicksOne) {
  StringGrid g;
  Small(g, 10);
  using Texts = std::vector<std::string>;
  g.SelectRows(2, 4, 3);
  EXPECT_EQ(PickedTexts(g), (Texts{"r2", "r3", "r4"}));
  g.InsertRows(3, 2);
  EXPECT_EQ(PickedTexts(g), (Texts{"r2", "r3", "r4"})) << "new rows are not selected";
  g.MoveRow(2, 8);
  EXPECT_EQ(PickedTexts(g), (Texts{"r3", "r4", "r2"}));
  g.DeleteRow(5);  // r4
  EXPECT_EQ(PickedTexts(g), (Texts{"r3", "r2"}));
  g.SetRowCount(5);
  EXPECT_EQ(PickedTexts(g), (Texts{"r3"}));
  g.SetRowCount(10);
  EXPECT_EQ(g.SelectedCount(), 1) << "rows that come back are not selected";

  g.SelectRows(1, 3, 2);
  g.SetCol(1);
  RecordingCanvas c;
  g.Paint(c, 100, 60, false);
  const auto has = [&](const std::string& op) {
    return std::find(c.ops.begin(), c.ops.end(), op) != c.ops.end();
  };
  EXPECT_TRUE(has("fill 21,11 40x10 #8000000D")) << "row 1 highlighted";
  EXPECT_TRUE(has("fill 21,33 40x10 #8000000D")) << "row 3 highlighted";
  EXPECT_FALSE(has("fill 21,44 40x10 #8000000D")) << "row 4 is not";

  g.SetRow(5);
  EXPECT_EQ(g.SelectedRows(), std::vector<int>{5});
}

// Ctrl+click: the last selected row cannot be taken out, and taking out the
// current row moves it to the nearest row still selected.
TEST(GridSelection, CtrlClickKeepsOneRowAndTheCurrentRowInTheSelection) {
  StringGrid g;
  Small(g, 10);
  g.SetRow(4);
  g.UserSelectCell(1, 4, ssCtrl);
  EXPECT_EQ(g.SelectedRows(), std::vector<int>{4}) << "never none";
  g.UserSelectCell(1, 7, ssCtrl);
  g.UserSelectCell(1, 2, ssCtrl);
  EXPECT_EQ(g.SelectedRows(), (std::vector<int>{2, 4, 7}));
  g.UserSelectCell(1, 2, ssCtrl);
  EXPECT_EQ(g.Row(), 4) << "the nearest row left";
  g.UserSelectCell(1, 4, ssCtrl);
  EXPECT_EQ(g.SelectedRows(), std::vector<int>{7});
  EXPECT_EQ(g.Row(), 7);
  g.UserSelectCell(1, 5, ssShift);
  EXPECT_EQ(g.SelectedRows(), (std::vector<int>{4, 5})) << "from the row Ctrl+clicked last";
  bool refuse = true;
  g.OnSelectCell = [&](Control&, int, int, bool& can) { can = !refuse; };
  g.UserSelectCell(1, 9, ssShift);
  EXPECT_EQ(g.SelectedRows(), (std::vector<int>{4, 5})) << "a refused cell changes nothing";
}
