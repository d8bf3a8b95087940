// The script's life in the editor window: when changes count and are asked
// about, what an empty script is, what New starts, and where moved slides
// and files end up.
#include "editor_fixture.h"
#include "ui/recording_canvas.h"

namespace editor_test {
namespace {

using w95::ui::mrNo;
using w95::ui::mrOk;
using w95::ui::mrYes;

TEST_F(Editor, AnEditedOneSlideScriptIsNeverDroppedWithoutAQuestion) {
  // Twice "No" (New, then Open): the edited slide stays; then Open is allowed
  // and finds nothing to ask about any more.
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrNo);
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrNo);
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrYes);
  ExplorerChooses("c:\\shows\\trip.avl");
  Run([](User& u, TEditorForm& f) {
    Fill(f, 1);
    f.State().Modified = true;
    u.Click("BtnNew");
    EXPECT_EQ(Names(f), std::vector<std::string>{"a.bmp"});
    u.Click("BtnLoad");
    EXPECT_EQ(Names(f), std::vector<std::string>{"a.bmp"});
    EXPECT_TRUE(f.State().Modified);
    u.Click("BtnLoad");
    EXPECT_EQ(f.Grid.RowCount(), 5);
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, ThePlaceholderOfAnEmptyScriptNeverBecomesASlide) {
  ExplorerAdds("c:\\pics", {"sunset.bmp"});
  ExplorerAdds("c:\\pics", {"beach.jpg", "clip.avi"});
  ValueDialog("CD Audio Track Selection", 9);
  session.ExpectMessage(MsgKind::Error, "Nothing to save!", mrOk);
  Run([](User& u, TEditorForm& f) {
    u.Click("BtnAdd");
    EXPECT_TRUE(f.BtnSave.Enabled());
    u.Click("BtnDelete");
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "<right-click me>");
    for (auto* b : {&f.BtnSave, &f.BtnTest, &f.BtnInsert, &f.BtnDelete, &f.BtnCatalog})
      EXPECT_FALSE(b->Enabled()) << b->Name() << ": the script is empty again";
    EXPECT_FALSE(f.mnuInsert->Enabled());

    // Inserting into the empty script (however reached) fills the placeholder.
    f.EnableControls();
    u.Click("BtnInsert");
    EXPECT_EQ(Names(f), (std::vector<std::string>{"beach.jpg", "clip.avi"}));
    u.Click("BtnDelete");
    u.Click("BtnDelete");
    EXPECT_EQ(f.Grid.RowCount(), 2);

    // A CD track into the empty script takes the placeholder's row without
    // asking what to replace.
    u.Click("BtnCD");
    EXPECT_EQ(f.Grid.RowCount(), 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "CD Track: 9");
    u.Click("BtnDelete");

    // An empty script is not written, however a save is reached.
    f.State().Modified = true;
    f.BtnSave.SetEnabled(true);
    u.Click("BtnSave");
    EXPECT_TRUE(f.State().Modified);
    u.Click("BtnQuit");  // nothing to lose: no question
  });
  EXPECT_FALSE(machine.files.Exists("c:\\viewer\\avltmp.avl"));
}

TEST_F(Editor, NewStartsAnUnnamedScriptInANewCatalog) {
  StartWith("c:\\shows\\trip.avl");
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrYes);
  ExplorerAdds("c:\\pics", {"beach.jpg"});
  std::string offered = "(not asked)";
  answers.push_back([&](int) {
    offered = Key("SaveAs");
    SetKey("Savename", "c:\\shows\\fresh.avl");
    return 0;
  });
  Run([](User& u, TEditorForm& f) {
    u.Click("BtnNew");
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [*New*]");
    EXPECT_TRUE(f.State().CatalogId.empty());
    u.Click("BtnAdd");
    u.Click("BtnSave");
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [fresh.avl]");
    EXPECT_NE(f.State().CatalogId, "ABCDE");
    u.Click("BtnQuit");
  });
  EXPECT_EQ(offered, "") << "no name to save the new script over the old one";
  EXPECT_EQ(FileText("c:\\shows\\trip.avl"), kGen5Script);
  EXPECT_EQ(FileText("c:\\shows\\fresh.avl").find("Cat=ABCDE"), std::string::npos);
}

TEST_F(Editor, DismissedAttributeMenusChangeNothing) {
  StartWith("c:\\shows\\trip.avl");
  for (const char* menu : {"", "", ""}) session.AnswerPopup(menu);
  session.AnswerPopup("wait10");
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
  Run([](User& u, TEditorForm& f) {
    Open(u, ed::kColWait, 1);
    Open(u, ed::kColEffect, 2);
    u.SelectCell("Grid", ed::kColZoom, 2);
    u.Click("BtnGlobal");
    EXPECT_FALSE(f.State().Modified) << "three menus left without a choice";
    Open(u, ed::kColWait, 1);
    EXPECT_TRUE(f.State().Modified);
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, MoveButtonAndDragReachTheLastPlaceAndSelectTheMovedSlide) {
  Run([this](User& u, TEditorForm& f) {
    Fill(f, 5);
    auto moveTo = [&](int from, int to) {
      session.WhenModal<TScrlDlg>([to](User& v, TScrlDlg&) {
        v.Type("CustomSetting", std::to_string(to));
        v.Click("BtnOK");
      });
      u.SelectCell("Grid", ed::kColName, from);
      u.Click("BtnMove");
    };
    moveTo(1, 5);
    EXPECT_EQ(Names(f), (std::vector<std::string>{"b.bmp", "c.bmp", "d.bmp", "e.bmp", "a.bmp"}));
    EXPECT_EQ(f.Grid.Row(), 5);
    moveTo(2, 4);
    EXPECT_EQ(Names(f), (std::vector<std::string>{"b.bmp", "d.bmp", "c.bmp", "e.bmp", "a.bmp"}));
    EXPECT_EQ(f.Grid.Cell(ed::kColName, f.Grid.Row()), "c.bmp") << "the moved slide";

    // Dropped on the last thumbnail, a slide goes last, and is selected.
    u.Select("Tab", 1);
    f.Thumbs.Image2MouseDown(w95::ui::MouseButton::Left, 36, 36);
    f.Thumbs.Image2MouseMove(4 * 74 + 36, 36);
    f.Thumbs.Image2MouseUp(4 * 74 + 36, 36);
    EXPECT_EQ(Names(f), (std::vector<std::string>{"d.bmp", "c.bmp", "e.bmp", "a.bmp", "b.bmp"}));
    EXPECT_EQ(f.Grid.Row(), 5);
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, AFileMovedUnderANewNameIsShownUnderIt) {
  machine.files.AddFolder("c:\\archive");
  ExplorerChooses("c:\\archive\\dusk.bmp");
  StartWith("c:\\shows\\trip.avl");
  Run([](User& u, TEditorForm& f) {
    u.Select("Tab", 1);
    u.Click("BtnRelocate");
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 1), "c:\\archive\\dusk.bmp");
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "dusk.bmp");
    EXPECT_EQ(f.Fullname.Caption(), " c:\\archive\\dusk.bmp [1 of 4]");
    w95::ui::RecordingCanvas canvas;
    f.Image2.Paint(canvas);
    bool onPage = false;
    for (const std::string& op : canvas.ops) onPage |= op.find("dusk.bmp") != std::string::npos;
    EXPECT_TRUE(onPage) << "the page shows the new name";
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

}  // namespace
}  // namespace editor_test
