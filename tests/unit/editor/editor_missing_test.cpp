// Slides whose file is not there: the check (a slice at a time, started over
// when the window is activated again), the marks in the grid, on the
// thumbnail page and in the path line, and finding the files again in a
// folder as one undo step.
#include <algorithm>

#include "editor/missing_files.h"
#include "editor_fixture.h"
#include "ui/recording_canvas.h"

namespace editor_test {
namespace {

using w95::ui::GlyphKind;
using w95::ui::mrOk;
using w95::ui::ssCtrl;

class Missing : public Editor {
 protected:
  void SetUp() override {
    Editor::SetUp();
    savedPicker = ed::EditorFolderPicker();
    ed::EditorFolderPicker() = [this]() -> std::optional<std::string> {
      ++pickerCalls;
      return folderAnswer;
    };
    // The script's video and sound are gone from c:\pics.
    machine.files.DeleteFile("c:\\pics\\clip.avi");
    machine.files.DeleteFile("c:\\pics\\song.wav");
    StartWith("c:\\shows\\trip.avl");
  }
  void TearDown() override {
    ed::EditorFolderPicker() = savedPicker;
    Editor::TearDown();
  }
  static bool Marked(const TEditorForm& f, int row) {
    const auto& style = f.Grid.GetRowStyle(row);
    return style.glyph == GlyphKind::MissingFile && style.textColor == w95::ui::clGrayText;
  }
  static std::vector<int> MarkedRows(const TEditorForm& f) {
    std::vector<int> rows;
    for (int r = 1; r < f.Grid.RowCount(); ++r)
      if (Marked(f, r)) rows.push_back(r);
    return rows;
  }
  void FinishCheck() {
    for (int i = 0; i < 1000 && w95::ui::FindTimer("MissingTimer")->Running(); ++i)
      session.FireTimer("MissingTimer");
  }
  void FindMissing(User& u, int row, const char* item) {
    session.AnswerPopup(item);
    Open(u, ed::kColName, row);
  }

  ed::FolderCall savedPicker;
  std::optional<std::string> folderAnswer;
  int pickerCalls = 0;
};

TEST_F(Missing, SlidesWithoutTheirFileAreMarkedInTheGridThePageAndThePathLine) {
  Run([this](User& u, TEditorForm& f) {
    FinishCheck();
    EXPECT_EQ(MarkedRows(f), (std::vector<int>{2, 3})) << "not the graphic, not the CD track";
    EXPECT_EQ(f.MissingCount(), 2);
    EXPECT_NE(f.Fullname.Caption().find("[1 of 4] - 2 missing"), std::string::npos)
        << f.Fullname.Caption();

    // The grid draws the glyph in the number column and the row's text grey.
    w95::ui::RecordingCanvas canvas;
    f.Grid.SetRow(1);
    f.Grid.Paint(canvas, 600, 200, false);
    const auto& ops = canvas.ops;
    EXPECT_EQ(std::count_if(ops.begin(), ops.end(),
                            [](const std::string& op) {
                              return op.rfind("glyph", 0) == 0 &&
                                     op.find("missing-file") != std::string::npos;
                            }),
              2);
    const auto nameAt =
        std::find(ops.begin(), ops.end(),
                  "text " + std::to_string(f.Grid.CellRect(ed::kColName, 2).left + 2) + "," +
                      std::to_string(f.Grid.CellRect(0, 2).top + 2) + " clip.avi");
    ASSERT_NE(nameAt, ops.end());
    size_t textIndex = 0;
    for (auto it = ops.begin(); it != nameAt; ++it) textIndex += it->rfind("text", 0) == 0;
    EXPECT_EQ(canvas.textColors[textIndex], w95::ui::clGrayText);

    // The page says "Missing" where it would say "No Preview".
    u.Select("Tab", 1);
    w95::ui::RecordingCanvas page;
    f.Image2.Paint(page);
    EXPECT_TRUE(std::find(page.ops.begin(), page.ops.end(), "text 80,34 Missing") !=
                page.ops.end());
    EXPECT_TRUE(std::find(page.ops.begin(), page.ops.end(), "text 6,34 No Preview") !=
                page.ops.end());
    u.Select("Tab", 0);
    u.Click("BtnQuit");
  });
}

TEST_F(Missing, TheCheckRunsAgainWhenTheWindowIsActivatedAgain) {
  Run([this](User& u, TEditorForm& f) {
    FinishCheck();
    ASSERT_EQ(MarkedRows(f), (std::vector<int>{2, 3}));
    // Files come and go while another window is active.
    machine.files.AddFile("c:\\pics\\clip.avi", "back");
    machine.files.DeleteFile("c:\\pics\\sunset.bmp");
    EXPECT_EQ(MarkedRows(f), (std::vector<int>{2, 3})) << "no check without activation";
    f.UserActivated();
    FinishCheck();
    EXPECT_EQ(MarkedRows(f), (std::vector<int>{1, 3}));
    EXPECT_NE(f.Fullname.Caption().find("- 2 missing"), std::string::npos);
    // A new script has nothing missing.
    session.ExpectMessage(MsgKind::Confirm, "Discard script?", w95::ui::mrYes);
    u.Click("BtnNew");
    FinishCheck();
    EXPECT_TRUE(MarkedRows(f).empty());
    EXPECT_EQ(f.MissingCount(), 0);
    EXPECT_EQ(f.Fullname.Caption().find("missing"), std::string::npos);
    u.Click("BtnQuit");
  });
}

TEST_F(Missing, RelinkFindsFilesInTheFolderAndBelowAsOneStepThatUndoAndRedoFollow) {
  machine.files.AddFile("c:\\found\\clip.avi", "video");
  machine.files.AddFile("c:\\found\\deeper\\song.wav", "sound");
  folderAnswer = "c:\\found\\";
  session.ExpectMessage(MsgKind::Information, "Found 2 of 2 missing files.", mrOk);
  ExplorerChooses("c:\\shows\\relinked.avl");
  Run([this](User& u, TEditorForm& f) {
    FinishCheck();
    const size_t steps = f.History.StepCount();
    FindMissing(u, 1, "mnuFindMissing");
    EXPECT_EQ(pickerCalls, 1);
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 2), "c:\\found\\clip.avi");
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 3), "c:\\found\\deeper\\song.wav");
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 3), "song.wav");
    EXPECT_TRUE(MarkedRows(f).empty());
    EXPECT_EQ(f.MissingCount(), 0);
    EXPECT_TRUE(f.State().Modified);
    EXPECT_EQ(f.History.StepCount(), steps + 1) << "one step";
    // The window is activated again after the report: the check then looks
    // at the new places only.
    f.UserActivated();
    FinishCheck();

    u.PressKey('Z', ssCtrl);
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 2), "c:\\pics\\clip.avi");
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 3), "c:\\pics\\song.wav");
    EXPECT_EQ(MarkedRows(f), (std::vector<int>{2, 3})) << "the marks come back with the paths";
    EXPECT_FALSE(f.State().Modified);
    u.PressKey('Y', ssCtrl);
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 3), "c:\\found\\deeper\\song.wav");
    EXPECT_TRUE(MarkedRows(f).empty());

    // The relinked script is saved with the new places.
    u.Click("BtnSave");
    u.Click("BtnQuit");
  });
  const std::string text = FileText("c:\\shows\\relinked.avl");
  EXPECT_NE(text.find("c:\\found\\"), std::string::npos) << text;
  EXPECT_NE(text.find("c:\\found\\deeper\\"), std::string::npos) << text;
}

TEST_F(Missing, FilesNotFoundAreNamedAndKeepTheirMark) {
  machine.files.AddFile("c:\\found\\clip.avi", "video");
  machine.files.AddFile("c:\\found\\a\\b\\c\\song.wav", "too deep");
  folderAnswer = "c:\\found";
  session.ExpectMessage(MsgKind::Information, "Found 1 of 2 missing files.\nNot found: song.wav",
                        mrOk);
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", w95::ui::mrYes);
  Run([this](User& u, TEditorForm& f) {
    FinishCheck();
    FindMissing(u, 1, "mnuFindMissing");
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 2), "c:\\found\\clip.avi");
    EXPECT_EQ(MarkedRows(f), (std::vector<int>{3}));
    EXPECT_NE(f.Fullname.Caption().find("- 1 missing"), std::string::npos);
    u.Click("BtnQuit");
  });
}

TEST_F(Missing, ACancelledFolderChoiceChangesNothingAndNoMissingFileAsksNothing) {
  folderAnswer.reset();
  Run([this](User& u, TEditorForm& f) {
    FinishCheck();
    FindMissing(u, 1, "mnuFindMissing");
    EXPECT_EQ(pickerCalls, 1);
    EXPECT_EQ(MarkedRows(f), (std::vector<int>{2, 3}));
    EXPECT_FALSE(f.History.CanUndo()) << "no step";
    EXPECT_FALSE(f.State().Modified);
    // Both come back: nothing is missing and the folder is not asked for.
    machine.files.AddFile("c:\\pics\\clip.avi", "back");
    machine.files.AddFile("c:\\pics\\song.wav", "back");
    f.UserActivated();
    FinishCheck();
    session.ExpectMessage(MsgKind::Information, "No missing files.", mrOk);
    f.FindMissingClick(false);
    EXPECT_EQ(pickerCalls, 1);
    u.Click("BtnQuit");
  });
}

TEST_F(Missing, TheSlideMenuRelinksTheCurrentSlideAlone) {
  machine.files.AddFile("c:\\found\\clip.avi", "video");
  machine.files.AddFile("c:\\found\\song.wav", "sound");
  folderAnswer = "c:\\found\\";
  session.ExpectMessage(MsgKind::Information, "Found 1 of 1 missing files.", mrOk);
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", w95::ui::mrYes);
  Run([this](User& u, TEditorForm& f) {
    FinishCheck();
    session.AnswerPopup("");
    Open(u, ed::kColName, 1);
    EXPECT_FALSE(f.mnuFindThis->Enabled()) << "the graphic is there";
    EXPECT_TRUE(f.mnuFindMissing->Enabled());
    FindMissing(u, 3, "mnuFindThis");
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 3), "c:\\found\\song.wav");
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 2), "c:\\pics\\clip.avi");
    EXPECT_EQ(MarkedRows(f), (std::vector<int>{2}));
    u.Click("BtnQuit");
  });
}

// ---- the check and the search on their own --------------------------------------------

class Check : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 10; ++i) machine.files.AddFile("c:\\big\\f" + std::to_string(i) + ".bmp");
    machine.files.AddFile("c:\\one\\there.bmp");
    machine.files.AddDrive('e', false, 5);
    machine.Install();
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> paths;
    for (int i = 0; i < 12; ++i) paths.push_back("C:\\BIG\\F" + std::to_string(i) + ".BMP");
    paths.insert(paths.end(), {"c:\\one\\there.bmp", "c:\\one\\gone.bmp", "c:\\nowhere\\x.bmp",
                               "e:\\disc\\a.bmp", "q:\\no\\drive.bmp", "c:\\one\\gone.bmp"});
    return paths;
  }
  w95::platform::sim::SimMachine machine;
};

TEST_F(Check, SlicesFindEveryMissingFileAndANewStartDropsTheOldCheck) {
  // c:\big is listed, c:\one is asked file by file.
  ed::MissingCheck check(machine.files, 4);
  check.Start(Paths());
  int slices = 0;
  while (!check.Step(1)) ++slices;
  EXPECT_GE(slices, 5) << "work is spread over the slices";
  EXPECT_EQ(check.Missing(), (std::unordered_set<std::string>{
                                 "c:\\big\\f10.bmp", "c:\\big\\f11.bmp", "c:\\one\\gone.bmp",
                                 "c:\\nowhere\\x.bmp", "e:\\disc\\a.bmp", "q:\\no\\drive.bmp"}));
  EXPECT_TRUE(check.IsMissing("E:\\Disc\\A.bmp"));
  EXPECT_EQ(check.Finished(), 1u);

  // A check started over keeps the last result until it ends; paths it
  // does not look at keep what was found of them.
  machine.files.AddFile("c:\\big\\f10.bmp");
  check.Start({"c:\\big\\f1.bmp", "c:\\one\\gone.bmp"});
  check.Step(0);
  check.Start({"c:\\big\\f1.bmp", "c:\\big\\f10.bmp"});
  EXPECT_TRUE(check.IsMissing("c:\\big\\f10.bmp"));
  check.RunToEnd();
  EXPECT_FALSE(check.IsMissing("c:\\big\\f10.bmp"));
  EXPECT_TRUE(check.IsMissing("c:\\big\\f11.bmp"));
  EXPECT_EQ(check.Missing().size(), 5u);
  EXPECT_EQ(check.Finished(), 2u);
}

TEST_F(Check, TheSearchTakesTheNearestFileAndGoesNoDeeperThanAsked) {
  machine.files.AddFile("c:\\lib\\x\\y\\deep.bmp");
  machine.files.AddFile("c:\\lib\\x\\Near.BMP");
  machine.files.AddFile("c:\\lib\\x\\y\\near.bmp");
  const auto found =
      ed::FindByName(machine.files, "c:\\lib", {"near.bmp", "DEEP.BMP", "none.bmp"}, 1);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found.at("near.bmp"), "c:\\lib\\x\\Near.BMP");
  EXPECT_EQ(ed::FindByName(machine.files, "c:\\lib\\", {"deep.bmp"}, 2).at("deep.bmp"),
            "c:\\lib\\x\\y\\deep.bmp");
  EXPECT_EQ(ed::NameList({"a", "b", "c"}, 2), "a, b and 1 more");
}

}  // namespace
}  // namespace editor_test
