// The string grid's shared scenarios on the real grid window, and a look at
// it: with W95_SHOTS set, the shot "grid" (current cell, fixed and normal
// lines, a sized column, a moved row).
#include <windows.h>

#include <gtest/gtest.h>

#include "../../unit/ui/grid_scenarios.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95::ui;

class GridOnWine : public ::testing::TestWithParam<grid_scenarios::Named> {
 protected:
  wine_ui::RealMachine machine;
};

TEST_P(GridOnWine, Runs) { GetParam().run(); }

INSTANTIATE_TEST_SUITE_P(Grid, GridOnWine, ::testing::ValuesIn(grid_scenarios::All()),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(GridWindowOnWine, ScrollsByPagesToTheEndAndKeepsTheClickedRowInView) {
  wine_ui::RealMachine machine;
  test::Session s;
  s.WhenModal<grid_scenarios::Slides>([](test::User& u, grid_scenarios::Slides& f) {
    HWND h = reinterpret_cast<HWND>(f.Grid.Handle());
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(h, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 40);
    EXPECT_EQ(static_cast<int>(si.nPage), f.Grid.PageRows());
    SendMessageA(h, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(f.Grid.TopRow(), 1 + f.Grid.PageRows());
    SendMessageA(h, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(f.Grid.TopRow(), 41 - f.Grid.PageRows())
        << "the last row at the bottom, no empty space";
    si.fMask = SIF_POS;
    GetScrollInfo(h, SB_VERT, &si);
    EXPECT_EQ(si.nPos, f.Grid.TopRow()) << "the scroll bar follows";
    u.SelectCell("Grid", 1, 25);
    EXPECT_LE(f.Grid.TopRow(), 25);
    EXPECT_GT(f.Grid.TopRow() + f.Grid.PageRows(), 25) << "the clicked row is in view";
    u.SizeColumn("Grid", 2, 80);
    u.DragRow("Grid", 26, 24);
    f.Grid.SetCell(3, 24, "moved");
    w95::ui::win32::PumpPending();
    wine_ui::WaitForScreenshot("grid");
    u.Click("BtnOK");
  });
  grid_scenarios::Slides f;
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(f.moves, std::vector<std::string>{"26>24"});
}

}  // namespace
