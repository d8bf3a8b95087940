// Grid operations of the editor that need no window.
#include <gtest/gtest.h>

#include "editor/script_model.h"
#include "editor/slide_ops.h"

namespace w95::editor {
namespace {

void Fill(ui::StringGrid& grid, int n) {
  SetUpGrid(grid);
  grid.SetRowCount(n + 1);
  for (int r = 1; r <= n; ++r) {
    grid.SetCell(kColPath, r, "c:\\p\\" + std::to_string(r) + ".bmp");
    grid.SetCell(kColName, r, std::to_string(r) + ".bmp");
    SetUpGraphic(grid, r);
  }
  Renumber(grid);
}

std::string Order(const ui::StringGrid& grid) {
  std::string s;
  for (int r = 1; r < grid.RowCount(); ++r) s += grid.Cell(kColName, r).substr(0, 1);
  return s;
}

TEST(SlideOps, MovesKeepEveryCellAndRenumber) {
  ui::StringGrid grid;
  Fill(grid, 6);
  grid.SetCell(kColWait, 1, "7");
  EXPECT_EQ(GridxMove(grid, 1, 5), 4) << "moving down lands before the target";
  EXPECT_EQ(Order(grid), "234156");
  EXPECT_EQ(GridxMove(grid, 4, 6), 6) << "the last number puts it last";
  EXPECT_EQ(Order(grid), "234561");
  EXPECT_EQ(grid.Cell(kColWait, 6), "7");
  EXPECT_EQ(GridxMove(grid, 6, 1), 1);
  EXPECT_EQ(Order(grid), "123456");
  EXPECT_EQ(GridxMove(grid, 4, 3), 3) << "neighbours swap";
  EXPECT_EQ(Order(grid), "124356");
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(grid.Cell(kColNumber, r), std::to_string(r));

  grid.SetRow(6);
  EXPECT_FALSE(EraseSlide(grid, 6));
  EXPECT_EQ(grid.Row(), 5) << "the new last slide";
  EXPECT_EQ(Order(grid), "12435");
  ui::StringGrid one;
  Fill(one, 1);
  EXPECT_TRUE(EraseSlide(one, 1));
  EXPECT_TRUE(IsEmptyScript(one));
}

TEST(SlideOps, PathCaptionIsCutFromTheFrontTwoCharactersAtATime) {
  const auto width = [](const std::string& t) { return static_cast<int>(t.size()) * 6; };
  EXPECT_EQ(FitPathCaption(" c:\\a.bmp [1 of 1]", 200, width), " c:\\a.bmp [1 of 1]");
  const std::string cut = FitPathCaption(" c:\\long\\folder\\name.bmp [3 of 9]", 120, width);
  EXPECT_EQ(cut, "...r\\name.bmp [3 of 9]");
  EXPECT_EQ(CutText(std::string(41, 'x'), 40, "..."), std::string(40, 'x') + "...");
  EXPECT_EQ(CutText("short", 40, " ..."), "short");
}

TEST(SlideOps, ColumnWidthsFollowTheWindowWidth) {
  const auto w = ColumnWidths(634, 700, 16);
  EXPECT_EQ(w[kColNumber], 35);
  EXPECT_EQ(w[kColEffect], 100);
  EXPECT_EQ(w[kColPath], 1);
  int sum = 0;
  for (int x : w) sum += x;
  EXPECT_EQ(sum, 700 - 16 - 14 - 1);
  EXPECT_EQ(ColumnWidths(1268, 700, 16)[kColEffect], 200);
  EXPECT_EQ(ColumnWidths(100, 50, 16)[kColName], 1) << "never hidden or negative";
  EXPECT_EQ(FittedWindowHeight(768, 650), 768 + 4 - 10);
}

}  // namespace
}  // namespace w95::editor
