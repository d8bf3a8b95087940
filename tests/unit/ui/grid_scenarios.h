// The string grid as a user meets it, written once: the native tests run
// these on the headless backend, the Wine tests on the real grid window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/test_session.h"

namespace grid_scenarios {

using namespace w95::ui;
using test::Session;
using test::User;

// A slide list: number, name, effect, and a one-pixel column of data.
class Slides : public Form {
 public:
  explicit Slides(int rows = 41) : Form("Slides") {
    SetCaption("Slides");
    SetClientSize(420, 260);
    SetPosition(FormPosition::ScreenCenter);
    SetKeyPreview(true);
    Grid.SetBounds(8, 8, 404, 210);
    Grid.SetColCount(4);
    Grid.SetRowCount(rows);
    Grid.SetColWidth(0, 32);
    Grid.SetColWidth(1, 200);
    Grid.SetColWidth(2, 120);
    Grid.SetColWidth(3, 1);
    Grid.SetDefaultRowHeight(18);
    Grid.SetOptions(Grid.Options() | goDrawFocusSelected | goColSizing | goRowMoving |
                    goThumbTracking);
    Grid.SetCell(1, 0, "File");
    Grid.SetCell(2, 0, "Effect");
    for (int r = 1; r < rows; ++r) {
      Grid.SetCell(0, r, std::to_string(r));
      Grid.SetCell(1, r, "slide" + std::to_string(r) + ".bmp");
      Grid.SetCell(2, r, r % 2 ? "Wipe" : "Fade");
      Grid.SetCell(3, r, "data" + std::to_string(r));
    }
    Grid.OnRowMoved = [this](Control&, int from, int to) {
      moves.push_back(std::to_string(from) + ">" + std::to_string(to));
      for (int r = 1; r < Grid.RowCount(); ++r) Grid.SetCell(0, r, std::to_string(r));
    };
    Grid.OnKeyDown = [this](Control&, int& key, unsigned) { gridKeys.push_back(key); };
    OnKeyDown = [this](Control&, int& key, unsigned) { formKeys.push_back(key); };
    BtnOK.SetCaption("OK");
    BtnOK.SetBounds(337, 228, 75, 25);
    BtnOK.SetModalResult(mrOk);
    BtnOK.SetDefault(true);
  }
  StringGrid Grid{*this, "Grid"};
  Button BtnOK{*this, "BtnOK"};
  std::vector<std::string> moves;
  std::vector<int> gridKeys, formKeys;
};

inline void DraggedRowsMoveWithTheirDataAndTheFormRenumbers() {
  Session session;
  Slides f;
  session.WhenModal<Slides>([&](User& u, Slides& s) {
    u.SelectCell("Grid", 1, 2);
    u.DragRow("Grid", 2, 5);
    EXPECT_EQ(s.Grid.Cell(1, 5), "slide2.bmp");
    EXPECT_EQ(s.Grid.Cell(3, 5), "data2") << "hidden data goes along";
    EXPECT_EQ(s.Grid.Cell(1, 2), "slide3.bmp");
    EXPECT_EQ(s.Grid.Cell(0, 5), "5") << "renumbered";
    EXPECT_EQ(s.Grid.Row(), 5) << "the current row follows its slide";
    u.DragRow("Grid", 38, 3);  // from far below, scrolled into view first
    EXPECT_EQ(s.Grid.Cell(1, 3), "slide38.bmp");
    EXPECT_EQ(s.Grid.Cell(1, 4), "slide4.bmp");
    EXPECT_EQ(s.Grid.Row(), 6) << "a row moved from below to above pushes it down";
    EXPECT_THROW(u.DragRow("Grid", 0, 3), ScriptFailure) << "the heading row stays";
    u.Click("BtnOK");
  });
  EXPECT_EQ(f.ShowModal(), mrOk);
  EXPECT_EQ(f.moves, (std::vector<std::string>{"2>5", "38>3"}));
  EXPECT_EQ(f.Grid.RowCount(), 41);
}

inline void ColumnsSizeByTheirBorderButHiddenOnesDoNot() {
  Session session;
  Slides f;
  session.WhenModal<Slides>([&](User& u, Slides& s) {
    u.SizeColumn("Grid", 1, 150);
    EXPECT_EQ(s.Grid.ColWidth(1), 150);
    u.SizeColumn("Grid", 2, 60);
    EXPECT_EQ(s.Grid.ColWidth(2), 60);
    EXPECT_THROW(u.SizeColumn("Grid", 3, 50), ScriptFailure) << "one-pixel data column";
    EXPECT_EQ(s.Grid.ColWidth(3), 1);
    u.Click("BtnOK");
  });
  f.ShowModal();
}

inline void KeysMoveTheCurrentCellAndReachTheForm() {
  Session session;
  Slides f;
  session.WhenModal<Slides>([&](User& u, Slides& s) {
    auto at = [&] { return std::to_string(s.Grid.Col()) + "," + std::to_string(s.Grid.Row()); };
    u.SelectCell("Grid", 1, 3);
    u.PressKey(vkDown);
    EXPECT_EQ(at(), "1,4");
    u.PressKey(vkRight);
    EXPECT_EQ(at(), "2,4");
    u.PressKey(vkRight);
    EXPECT_EQ(at(), "2,4") << "the one-pixel column is skipped";
    u.PressKey(vkHome);
    EXPECT_EQ(at(), "1,4");
    u.PressKey(vkEnd, ssCtrl);
    EXPECT_EQ(at(), "1,40");
    u.PressKey(vkDown);
    EXPECT_EQ(at(), "1,40") << "stays on the last row";
    u.PressKey(vkHome, ssCtrl);
    EXPECT_EQ(at(), "1,1");
    u.PressKey(vkUp);
    EXPECT_EQ(at(), "1,1") << "never onto the heading";
    u.PressKey(vkNext);
    EXPECT_EQ(s.Grid.Row(), 1 + s.Grid.PageRows()) << "a page is the rows in view";
    EXPECT_GE(s.Grid.Row(), s.Grid.TopRow());
    u.PressKey(vkPrior);
    EXPECT_EQ(at(), "1,1");
    s.formKeys.clear();
    s.gridKeys.clear();
    for (int key : {static_cast<int>(vkSpace), static_cast<int>(vkReturn), 93}) u.PressKey(key);
    EXPECT_EQ(s.formKeys, (std::vector<int>{vkSpace, vkReturn, 93})) << "the form previews them";
    EXPECT_EQ(s.gridKeys, (std::vector<int>{vkSpace, vkReturn, 93})) << "and the grid gets them";
    EXPECT_EQ(s.GetModalResult(), mrNone) << "Return in the grid is not the default button's";
    u.Click("BtnOK");
  });
  f.ShowModal();
}

// Shift and Ctrl with the mouse and the keys pick several rows; a plain
// click or a move up or down picks one again.
inline void ShiftAndCtrlPickSeveralRowsAndAPlainClickOne() {
  Session session;
  Slides f;
  session.WhenModal<Slides>([&](User& u, Slides& s) {
    auto picked = [&] { return s.Grid.SelectedRows(); };
    using Rows = std::vector<int>;
    u.SelectCell("Grid", 1, 3);
    u.PressKey(vkDown, ssShift);
    u.PressKey(vkDown, ssShift);
    EXPECT_EQ(picked(), (Rows{3, 4, 5}));
    EXPECT_EQ(s.Grid.Row(), 5);
    u.PressKey(vkUp, ssShift);
    EXPECT_EQ(picked(), (Rows{3, 4})) << "back towards the anchor";
    u.PressKey(vkRight);
    EXPECT_EQ(picked(), (Rows{3, 4})) << "another column, the same rows";
    EXPECT_EQ(s.Grid.Col(), 2);
    u.SelectCell("Grid", 1, 8, ssCtrl);
    EXPECT_EQ(picked(), (Rows{3, 4, 8}));
    u.SelectCell("Grid", 1, 3, ssCtrl);
    EXPECT_EQ(picked(), (Rows{4, 8})) << "Ctrl+click takes a row out";
    u.SelectCell("Grid", 1, 10, ssShift);
    EXPECT_EQ(picked(), (Rows{3, 4, 5, 6, 7, 8, 9, 10})) << "from the row last Ctrl+clicked";
    u.SelectCell("Grid", 0, 12, ssCtrl);
    EXPECT_EQ(s.Grid.Row(), 12) << "Ctrl+click on the number picks the row";
    EXPECT_EQ(s.Grid.Col(), 1);
    EXPECT_TRUE(s.moves.empty()) << "and drags nothing";
    u.PressKey(vkEnd, ssShift);
    EXPECT_EQ(picked().front(), 12);
    EXPECT_EQ(picked().back(), 40);
    u.PressKey(vkHome, ssShift | ssCtrl);
    EXPECT_EQ(picked().size(), 12u) << "rows 1 to 12";
    u.PressKey(vkDown);
    EXPECT_EQ(picked(), (Rows{2})) << "a plain move picks one";
    u.PressKey(vkNext, ssShift);
    EXPECT_EQ(static_cast<int>(picked().size()), 1 + s.Grid.PageRows());
    u.SelectCell("Grid", 2, 6);
    EXPECT_EQ(picked(), (Rows{6})) << "a plain click picks one";
    u.Click("BtnOK");
  });
  f.ShowModal();
}

struct Named {
  const char* name;
  void (*run)();
};
// A scenario as the test runner prints it: by its name.
inline void PrintTo(const Named& n, std::ostream* os) { *os << n.name; }
inline const std::vector<Named>& All() {
  static const std::vector<Named> all = {
      {"DraggedRowsMoveWithTheirDataAndTheFormRenumbers",
       &DraggedRowsMoveWithTheirDataAndTheFormRenumbers},
      {"ColumnsSizeByTheirBorderButHiddenOnesDoNot", &ColumnsSizeByTheirBorderButHiddenOnesDoNot},
      {"KeysMoveTheCurrentCellAndReachTheForm", &KeysMoveTheCurrentCellAndReachTheForm},
      {"ShiftAndCtrlPickSeveralRowsAndAPlainClickOne",
       &ShiftAndCtrlPickSeveralRowsAndAPlainClickOne},
  };
  return all;
}

}  // namespace grid_scenarios
