// Undo and redo in the editor window: each kind of change taken back and
// done again, the changed state following the history, and the history
// itself on a grid of its own.
#include "editor/slide_ops.h"
#include "editor/undo_history.h"
#include "editor_fixture.h"

namespace editor_test {
namespace {

using w95::ui::mrNo;
using w95::ui::mrOk;
using w95::ui::ssCtrl;
using w95::ui::ssShift;

using Cells = std::vector<std::vector<std::string>>;

Cells Model(const w95::ui::StringGrid& grid) {
  Cells cells;
  for (int r = 0; r < grid.RowCount(); ++r) {
    cells.emplace_back();
    for (int c = 0; c < grid.ColCount(); ++c) cells.back().push_back(grid.Cell(c, r));
  }
  return cells;
}

struct Operation {
  const char* name;
  std::function<void()> prepare;  // what the dialogs will answer
  std::function<void(User&, TEditorForm&)> act;
};

class Undo : public Editor {
 protected:
  // The move dialog appears inside the editor: queued after it.
  void MoveTo(int to) {
    pending.push_back([this, to] {
      session.WhenModal<TScrlDlg>([to](User& v, TScrlDlg&) {
        v.Type("CustomSetting", std::to_string(to));
        v.Click("BtnOK");
      });
    });
  }
  void CdTrack(int track) {
    ValueDialog("CD Audio Track Selection", track);
    session.ExpectMessage(MsgKind::Confirm, "Replace current slide?", mrNo);
  }
};

TEST_F(Undo, EveryKindOfChangeIsTakenBackAndDoneAgainWhole) {
  machine.files.AddFolder("c:\\archive");
  const std::vector<Operation> operations = {
      {"add",
       [this] {
         ExplorerAdds("c:\\pics", {"beach.jpg", "anim.flc"});
       },
       [](User& u, TEditorForm&) { u.Click("BtnAdd"); }},
      {"insert", [this] { ExplorerAdds("c:\\pics", {"beach.jpg"}); },
       [](User& u, TEditorForm&) {
         u.SelectCell("Grid", ed::kColName, 2);
         u.Click("BtnInsert");
       }},
      {"erase", nullptr,
       [](User& u, TEditorForm&) {
         u.SelectCell("Grid", ed::kColName, 2);
         u.Click("BtnDelete");
       }},
      {"move button", [this] { MoveTo(4); }, [](User& u, TEditorForm&) { u.Click("BtnMove"); }},
      {"drag", nullptr, [](User& u, TEditorForm&) { u.DragRow("Grid", 1, 3); }},
      {"attribute menu", [this] { session.AnswerPopup("wait10"); },
       [](User& u, TEditorForm&) { Open(u, ed::kColWait, 1); }},
      {"colour", [this] { session.AnswerPopup("clrNone"); },
       [](User& u, TEditorForm&) { Open(u, ed::kColHasColour, 1); }},
      {"global modify", [this] { session.AnswerPopup("wait60"); },
       [](User& u, TEditorForm&) {
         u.SelectCell("Grid", ed::kColWait, 1);
         u.Click("BtnGlobal");
       }},
      {"value dialog", [this] { ValueDialog("Gamma Correction (n/100)", 150); },
       [](User& u, TEditorForm&) { Open(u, ed::kColGamma, 1); }},
      {"CD track", [this] { CdTrack(5); }, [](User& u, TEditorForm&) { u.Click("BtnCD"); }},
      {"file move", [this] { ExplorerChooses("c:\\archive\\dusk.bmp"); },
       [](User& u, TEditorForm&) { u.Click("BtnRelocate"); }},
  };
  for (const Operation& op : operations) {
    SCOPED_TRACE(op.name);
    StartWith("c:\\shows\\trip.avl");
    if (op.prepare) op.prepare();
    Run([&](User& u, TEditorForm& f) {
      const Cells before = Model(f.Grid);
      EXPECT_FALSE(f.BtnUndo.Enabled());
      op.act(u, f);
      const Cells after = Model(f.Grid);
      ASSERT_NE(after, before);
      EXPECT_TRUE(f.State().Modified);
      EXPECT_TRUE(f.BtnUndo.Enabled());
      EXPECT_FALSE(f.BtnRedo.Enabled());
      u.PressKey('Z', ssCtrl);
      EXPECT_EQ(Model(f.Grid), before);
      EXPECT_FALSE(f.State().Modified) << "back where the file is";
      EXPECT_TRUE(f.BtnRedo.Enabled());
      u.PressKey('Y', ssCtrl);
      EXPECT_EQ(Model(f.Grid), after);
      EXPECT_TRUE(f.State().Modified);
      u.Click("BtnUndo");
      EXPECT_EQ(Model(f.Grid), before);
      u.PressKey('Z', ssCtrl | ssShift);
      EXPECT_EQ(Model(f.Grid), after);
      u.Click("BtnUndo");
      u.Click("BtnQuit");  // nothing changed: no question
    });
    EXPECT_TRUE(session.Unused().empty());
  }
  // The moved file went back with the slide.
  EXPECT_TRUE(machine.files.Exists("c:\\pics\\sunset.bmp"));
  EXPECT_FALSE(machine.files.Exists("c:\\archive\\dusk.bmp"));
}

TEST_F(Undo, ManyLevelsASaveInBetweenAndTagsThatAreNoChange) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("wait10");
  session.AnswerPopup("wait20");
  ExplorerChooses("c:\\shows\\copy.avl");
  session.AnswerPopup("wait30");
  session.AnswerPopup("wait5");
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", w95::ui::mrYes);
  Run([](User& u, TEditorForm& f) {
    Open(u, ed::kColWait, 1);
    Open(u, ed::kColWait, 2);
    u.Click("BtnSave");
    const Cells atSave = Model(f.Grid);
    EXPECT_FALSE(f.State().Modified);
    Open(u, ed::kColWait, 3);
    u.SelectCell("Grid", ed::kColTag, 1);
    u.DoubleClick("Grid");  // a tag is kept in no file: no step of its own
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 1), "X");
    u.PressKey('Z', ssCtrl);
    EXPECT_EQ(f.Grid.Cell(ed::kColWait, 3), "0") << "the last change, not the tag";
    EXPECT_FALSE(f.State().Modified) << "the saved state";
    EXPECT_EQ(f.Grid.Row(), 3) << "the undone slide is shown";
    u.PressKey('Z', ssCtrl);
    u.PressKey('Z', ssCtrl);
    EXPECT_EQ(f.Grid.Cell(ed::kColWait, 1), "5");
    EXPECT_TRUE(f.State().Modified) << "the file holds the saved changes";
    EXPECT_FALSE(f.BtnUndo.Enabled());
    u.PressKey('Z', ssCtrl);  // nothing left: nothing happens
    u.PressKey('Y', ssCtrl);
    u.PressKey('Y', ssCtrl);
    EXPECT_EQ(Model(f.Grid).at(2), atSave.at(2));
    EXPECT_FALSE(f.State().Modified);
    // A new change drops what could be redone.
    Open(u, ed::kColWait, 4);
    EXPECT_FALSE(f.BtnRedo.Enabled());
    u.Click("BtnQuit");
  });
}

TEST_F(Undo, NewAndOpenStartTheHistoryAgain) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("wait10");
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", w95::ui::mrYes);
  Run([](User& u, TEditorForm& f) {
    Open(u, ed::kColWait, 1);
    u.Click("BtnNew");
    EXPECT_FALSE(f.BtnUndo.Enabled());
    u.PressKey('Z', ssCtrl);
    EXPECT_EQ(f.Grid.RowCount(), 2) << "the old script does not come back";
    u.Click("BtnQuit");
  });
}

// ---- the history on a grid of its own

void FillGrid(w95::ui::StringGrid& grid, int n) {
  ed::SetUpGrid(grid);
  grid.SetRowCount(n + 1);
  for (int r = 1; r <= n; ++r) {
    grid.SetCell(ed::kColPath, r, "c:\\p\\" + std::to_string(r) + ".bmp");
    grid.SetCell(ed::kColName, r, std::to_string(r) + ".bmp");
    ed::SetUpGraphic(grid, r);
  }
  ed::Renumber(grid);
}

TEST(UndoHistory, KeepsChangesNotCopiesAndABoundedNumberOfSteps) {
  w95::ui::StringGrid grid;
  FillGrid(grid, 10000);
  ed::UndoHistory history(grid, 20);
  ed::GlobalModify(grid, ed::kColWait, "7");
  ASSERT_TRUE(history.Commit());
  EXPECT_EQ(history.ChangeCount(), 10000u) << "one change per slide";
  ed::GlobalModify(grid, ed::kColWait, "7");
  EXPECT_FALSE(history.Commit()) << "writing what is there changes nothing";
  for (int i = 0; i < 30; ++i) {
    grid.SetCell(ed::kColZoom, 1, std::to_string(i));
    history.Commit();
  }
  EXPECT_EQ(history.StepCount(), 20u);
  EXPECT_FALSE(history.AtSaved());
  while (history.Undo()) {}
  EXPECT_EQ(grid.Cell(ed::kColZoom, 1), "9") << "the oldest steps were let go";
  EXPECT_FALSE(history.AtSaved()) << "the saved grid is out of reach";
}

TEST(UndoHistory, RowsInsertedDeletedAndMovedComeBackInPlace) {
  w95::ui::StringGrid grid;
  FillGrid(grid, 5);
  ed::UndoHistory history(grid);
  const Cells original = Model(grid);
  grid.InsertRows(2, 2);
  grid.SetCell(ed::kColName, 2, "new");
  grid.DeleteRow(5);
  ed::GridxMove(grid, 1, 5);
  grid.SetRowCount(4);
  history.Commit();
  const Cells changed = Model(grid);
  EXPECT_TRUE(history.Undo());
  EXPECT_EQ(Model(grid), original);
  EXPECT_TRUE(history.AtSaved());
  EXPECT_TRUE(history.Redo());
  EXPECT_EQ(Model(grid), changed);
  {
    const ed::UndoHistory::Pause paused(history);
    grid.SetCell(ed::kColTag, 1, "Yes");
  }
  EXPECT_FALSE(history.Commit());
}

}  // namespace
}  // namespace editor_test
