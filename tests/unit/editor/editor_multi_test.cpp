// Several slides at once: rows picked with Shift and Ctrl, each operation on
// all of them as one step that undo and redo take back and do again whole,
// with the marks of missing files going along with their slides.
#include "editor/slide_ops.h"
#include "editor_fixture.h"

namespace editor_test {
namespace {

using w95::ui::GlyphKind;
using w95::ui::mrNo;
using w95::ui::ssCtrl;
using w95::ui::ssNone;
using w95::ui::ssShift;
using w95::ui::vkDown;
using w95::ui::vkSpace;

using Cells = std::vector<std::vector<std::string>>;
using Rows = std::vector<int>;

Cells Model(const w95::ui::StringGrid& grid) {
  Cells cells;
  for (int r = 0; r < grid.RowCount(); ++r) {
    cells.emplace_back();
    for (int c = 0; c < grid.ColCount(); ++c) cells.back().push_back(grid.Cell(c, r));
  }
  return cells;
}

// Six slides: four graphics, a video and a graphic whose file is gone.
const char* kSixSlides =
    "[Header]\r\nVer=5\r\nN=7\r\nCat=ABCDE\r\n"
    "[Directory]\r\n0=c:\\viewer\\\r\n1=c:\\pics\\\r\n"
    "[1]\r\nF=sunset.bmp,1\r\nX=0\r\n"
    "[2]\r\nF=beach.jpg,1\r\nX=0\r\n"
    "[3]\r\nF=clip.avi,1\r\nX=2\r\n"
    "[4]\r\nF=tree.bmp,1\r\nX=0\r\n"
    "[5]\r\nF=gone.bmp,1\r\nX=0\r\n"
    "[6]\r\nF=dusk.bmp,1\r\nX=0\r\n";

struct Operation {
  const char* name;
  std::function<void()> prepare;  // what the dialogs and menus will answer
  std::function<void(User&, TEditorForm&)> act;
  std::function<void(const TEditorForm&)> check;  // the operation's outcome
};

class Multi : public Editor {
 protected:
  void SetUp() override {
    Editor::SetUp();
    for (const char* f : {"c:\\pics\\tree.bmp", "c:\\pics\\dusk.bmp"})
      machine.files.AddFile(f, "x");
    machine.files.AddFile("c:\\shows\\six.avl", kSixSlides);
    StartWith("c:\\shows\\six.avl");
  }
  // Rows `first` to `last` picked as a user does: a click, then Shift+Down.
  static void PickRange(User& u, int col, int first, int last) {
    u.SelectCell("Grid", col, first);
    for (int r = first; r < last; ++r) u.PressKey(vkDown, ssShift);
  }
  // The cell's menu or dialog opened from the keyboard on the selection.
  static void OpenSelection(User& u) { u.PressKey(vkSpace, ssNone); }
  // Every slide of the missing file is marked, and no other.
  static void MarksFollowTheSlides(const TEditorForm& f) {
    for (int r = 1; r < f.Grid.RowCount(); ++r)
      EXPECT_EQ(f.Grid.GetRowStyle(r).glyph == GlyphKind::MissingFile,
                f.Grid.Cell(ed::kColName, r) == "gone.bmp")
          << "row " << r;
  }
};

TEST_F(Multi, EachOperationOnSeveralSlidesIsOneStepUndoneAndRedoneWhole) {
  const std::vector<Operation> operations = {
      {"erase", nullptr,
       [](User& u, TEditorForm&) {
         PickRange(u, ed::kColName, 2, 4);
         u.Click("BtnDelete");
       },
       [](const TEditorForm& f) {
         EXPECT_EQ(Names(f), (std::vector<std::string>{"sunset.bmp", "gone.bmp", "dusk.bmp"}));
         EXPECT_EQ(f.Grid.Cell(ed::kColNumber, 3), "3") << "renumbered";
         EXPECT_EQ(f.Grid.Row(), 2) << "the slide after the first erased";
       }},
      {"move as a block",
       [this] {
         pending.push_back([this] {
           session.WhenModal<TScrlDlg>([](User& v, TScrlDlg& d) {
             EXPECT_EQ(d.Caption(), "Move 2 slides to");
             v.Type("CustomSetting", "4");
             v.Click("BtnOK");
           });
         });
       },
       [](User& u, TEditorForm&) {
         u.SelectCell("Grid", ed::kColName, 1);
         u.SelectCell("Grid", ed::kColName, 5, ssCtrl);
         u.Click("BtnMove");
       },
       [](const TEditorForm& f) {
         EXPECT_EQ(Names(f), (std::vector<std::string>{"beach.jpg", "clip.avi", "tree.bmp",
                                                       "sunset.bmp", "gone.bmp", "dusk.bmp"}));
         EXPECT_EQ(f.Grid.SelectedRows(), (Rows{4, 5})) << "the block stays selected";
         EXPECT_EQ(f.Grid.Cell(ed::kColNumber, 1), "1");
       }},
      {"attribute menu", [this] { session.AnswerPopup("wait10"); },
       [](User& u, TEditorForm&) {
         PickRange(u, ed::kColWait, 1, 3);
         OpenSelection(u);
       },
       [](const TEditorForm& f) {
         for (int r : {1, 2, 3}) EXPECT_EQ(f.Grid.Cell(ed::kColWait, r), "10") << r;
         EXPECT_EQ(f.Grid.Cell(ed::kColWait, 4), "0") << "not selected";
       }},
      {"effect", [this] { session.AnswerPopup("fx3"); },
       [](User& u, TEditorForm&) {
         PickRange(u, ed::kColEffect, 1, 4);
         OpenSelection(u);
       },
       [](const TEditorForm& f) {
         for (int r : {1, 2, 4}) EXPECT_EQ(f.Grid.Cell(ed::kColValue, r), "3") << r;
         EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 3), "Loop 3x") << "the video keeps its loops";
         EXPECT_EQ(f.Grid.Cell(ed::kColValue, 3), "2");
       }},
      {"value dialog", [this] { ValueDialog("Gamma Correction (n/100)", 150); },
       [](User& u, TEditorForm&) {
         u.SelectCell("Grid", ed::kColGamma, 2);
         u.SelectCell("Grid", ed::kColGamma, 6, ssCtrl);
         OpenSelection(u);
       },
       [](const TEditorForm& f) {
         EXPECT_EQ(f.Grid.Cell(ed::kColGamma, 2), "150");
         EXPECT_EQ(f.Grid.Cell(ed::kColGamma, 6), "150");
         EXPECT_EQ(f.Grid.Cell(ed::kColGamma, 1), "100");
       }},
      {"global modify with several selected", [this] { session.AnswerPopup("wait60"); },
       [](User& u, TEditorForm&) {
         PickRange(u, ed::kColWait, 1, 2);
         u.Click("BtnGlobal");
       },
       [](const TEditorForm& f) {
         for (int r : {1, 2, 4, 5, 6}) EXPECT_EQ(f.Grid.Cell(ed::kColWait, r), "60") << r;
       }},
      {"duplicate", nullptr,
       [](User& u, TEditorForm&) {
         PickRange(u, ed::kColName, 4, 5);
         u.PressKey('D', ssCtrl);
       },
       [](const TEditorForm& f) {
         EXPECT_EQ(Names(f),
                   (std::vector<std::string>{"sunset.bmp", "beach.jpg", "clip.avi", "tree.bmp",
                                             "gone.bmp", "tree.bmp", "gone.bmp", "dusk.bmp"}));
         EXPECT_EQ(f.Grid.SelectedRows(), (Rows{6, 7})) << "the copies are selected";
         EXPECT_EQ(f.Grid.Cell(ed::kColNumber, 8), "8");
         EXPECT_EQ(f.Grid.Cell(ed::kColPath, 6), f.Grid.Cell(ed::kColPath, 4));
       }},
  };
  for (const Operation& op : operations) {
    SCOPED_TRACE(op.name);
    if (op.prepare) op.prepare();
    Run([&](User& u, TEditorForm& f) {
      const Cells before = Model(f.Grid);
      MarksFollowTheSlides(f);
      op.act(u, f);
      const Cells after = Model(f.Grid);
      ASSERT_NE(after, before);
      op.check(f);
      MarksFollowTheSlides(f);
      EXPECT_TRUE(f.State().Modified);
      u.PressKey('Z', ssCtrl);
      EXPECT_EQ(Model(f.Grid), before) << "one step";
      EXPECT_FALSE(f.State().Modified);
      MarksFollowTheSlides(f);
      u.PressKey('Y', ssCtrl);
      EXPECT_EQ(Model(f.Grid), after);
      EXPECT_TRUE(f.State().Modified);
      MarksFollowTheSlides(f);
      u.PressKey('Z', ssCtrl);
      u.Click("BtnQuit");  // back at the file: no question
    });
    EXPECT_TRUE(session.Unused().empty());
  }
}

TEST_F(Multi, TagsGoOnEverySlideSelectedAndAreNoStep) {
  Run([](User& u, TEditorForm& f) {
    PickRange(u, ed::kColName, 1, 3);
    EXPECT_NE(u.TextOf("Fullname").find("[3 of 6] - 1 missing - 3 selected"), std::string::npos)
        << u.TextOf("Fullname");
    u.Click("BtnTag");
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 1), "X");
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 2), "X");
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 3), ed::kNotApplicable) << "a video has no tag";
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 4), "");
    EXPECT_FALSE(f.State().Modified);
    EXPECT_FALSE(f.BtnUndo.Enabled());
    u.Click("BtnTag");
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 1), "") << "all were tagged: all are untagged";
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 2), "");
    u.SelectCell("Grid", ed::kColName, 2, ssCtrl);
    u.Click("BtnTag");
    u.SelectCell("Grid", ed::kColName, 2, ssCtrl);
    u.Click("BtnTag");
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 1), "X") << "some were not tagged: all are tagged";
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 2), "X");
    u.SelectCell("Grid", ed::kColName, 2);
    EXPECT_EQ(f.Grid.SelectedCount(), 1) << "a plain click picks one again";
    u.Click("BtnQuit");
  });
}

// Erasing every slide at once leaves the empty script; a copy gets neither
// the thumbnail nor the tag of its slide.
TEST(MultiOps, EraseAllMoveDownAndCopiesWithoutThumbnailOrTag) {
  w95::ui::StringGrid grid;
  ed::SetUpGrid(grid);
  grid.SetRowCount(6);
  for (int r = 1; r <= 5; ++r) {
    grid.SetCell(ed::kColPath, r, "c:\\p\\" + std::to_string(r) + ".bmp");
    grid.SetCell(ed::kColName, r, std::to_string(r));
    ed::SetUpGraphic(grid, r);
  }
  ed::Renumber(grid);
  auto names = [&] {
    std::string s;
    for (int r = 1; r < grid.RowCount(); ++r) s += grid.Cell(ed::kColName, r);
    return s;
  };
  EXPECT_EQ(ed::MoveSlides(grid, {1, 2}, 3), 3);
  EXPECT_EQ(names(), "34125") << "two slides from the top down into the middle";
  EXPECT_EQ(ed::MoveSlides(grid, {2, 5}, 9), 4) << "no further than the end";
  EXPECT_EQ(names(), "31245");
  EXPECT_EQ(ed::MoveSlides(grid, {1, 3, 5}, 1), 1);
  EXPECT_EQ(names(), "32514");
  EXPECT_EQ(grid.Cell(ed::kColNumber, 5), "5");

  grid.SetCell(ed::kColThumb, 2, "A");
  grid.SetCell(ed::kColTag, 2, "X");
  EXPECT_EQ(ed::DuplicateSlides(grid, {2}), 3);
  EXPECT_EQ(names(), "322514");
  EXPECT_EQ(grid.Cell(ed::kColThumb, 3), "");
  EXPECT_EQ(grid.Cell(ed::kColTag, 3), "");
  EXPECT_EQ(grid.Cell(ed::kColThumb, 2), "A") << "the slide keeps its own";

  EXPECT_FALSE(ed::EraseSlides(grid, {1, 6}));
  EXPECT_EQ(names(), "2251");
  EXPECT_TRUE(ed::EraseSlides(grid, {1, 2, 3, 4}));
  EXPECT_TRUE(ed::IsEmptyScript(grid));
  EXPECT_EQ(grid.RowCount(), 2);
}

}  // namespace
}  // namespace editor_test
