// The editor window on the headless backend: entry and results, the first
// showing, the slide display, and the slide operations.
#include "editor_fixture.h"
#include "ui/form_registry.h"

namespace editor_test {
namespace {

using w95::ui::mrCancel;
using w95::ui::mrNo;
using w95::ui::mrOk;
using w95::ui::mrYes;

TEST_F(Editor, StartUpLoadsTheScriptAndTestHandsItToTheHost) {
  StartWith("c:\\shows\\trip.avl");
  const int32_t r = Run([](User& u, TEditorForm& f) {
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [trip.avl]");
    EXPECT_EQ(f.Grid.RowCount(), 5);
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 1), "Spiral In");
    EXPECT_EQ(f.Grid.Cell(ed::kColGamma, 1), "64") << "decimal gamma in generation 5";
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 2), "Loop 3x");
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 4), "CD Track: 7");
    EXPECT_FALSE(f.State().Modified);
    EXPECT_TRUE(f.BtnSave.Enabled());
    EXPECT_EQ(f.Fullname.Caption(), " c:\\pics\\sunset.bmp [1 of 4]");
    EXPECT_EQ(f.ColorLabel.Caption(), "Background");
    EXPECT_EQ(f.ColorPanel.GetColor(), 0x0000FFu);
    u.SelectCell("Grid", ed::kColName, 3);
    EXPECT_EQ(f.ColorLabel.Caption(), "NO background");
    u.SelectCell("Grid", ed::kColWait, 4);
    EXPECT_EQ(f.Fullname.Caption(), " CD Track: 7 [4 of 4]");
    u.Click("BtnTest");
  });
  EXPECT_EQ(r, -1);
  const std::string text = FileText("c:\\viewer\\avltmp.avl");
  EXPECT_EQ(
      text.rfind("[Header]\r\nVer=6\r\nScreenW=800\r\nScreenH=600\r\nN=5\r\nCat=ABCDE\r\n", 0), 0u)
      << text;
  EXPECT_NE(text.find("[1]\r\nF=sunset.bmp,1\r\nB=FF\r\nX=19\r\nW=5\r\nG=40\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[4]\r\nF=------------------------------\r\nX=7\r\n"), std::string::npos);
  EXPECT_EQ(w95::ui::Screen().GetCursor(), w95::ui::Cursor::Default);
}

// The host's script is read before the window is made; what the reading
// has to tell comes once the window is up, over the slides it read.
TEST_F(Editor, WhatReadingTheHostsScriptTellsWaitsForTheWindow) {
  struct Seen {
    bool visible = false;
    int rows = 0;
  };
  std::vector<Seen> atBoxes;
  session.DialogsLetMessagesRun();
  session.OnPump([&] {
    if (!session.InMessageBox()) return;
    for (w95::ui::Form* f : w95::ui::detail::Forms())
      if (auto* editor = dynamic_cast<TEditorForm*>(f))
        atBoxes.push_back({editor->Visible(), editor->Grid.RowCount()});
  });

  // Many slides: the warning over the window with every slide in it.
  std::string big = "[Header]\r\nVer=6\r\nN=1702\r\n[Directory]\r\n0=c:\\viewer\\\r\n";
  for (int i = 1; i <= 1701; ++i)
    big += "[" + std::to_string(i) + "]\r\nF=------------------------------\r\nX=3\r\n";
  machine.files.AddFile("c:\\shows\\big.avl", big);
  StartWith("c:\\shows\\big.avl");
  session.ExpectMessage(MsgKind::Warning, std::string(ed::kManySlidesWarning), mrOk);
  Run([](User& u, TEditorForm& f) {
    EXPECT_EQ(f.Grid.RowCount(), 1702);
    EXPECT_FALSE(f.State().Modified);
    EXPECT_FALSE(f.BtnUndo.Enabled()) << "reading is no step to take back";
    u.Click("BtnQuit");
  });
  ASSERT_EQ(atBoxes.size(), 1u);
  EXPECT_TRUE(atBoxes[0].visible);
  EXPECT_EQ(atBoxes[0].rows, 1702);

  // A damaged slide: the error over the window with the slides before it;
  // the script has no name to save under.
  atBoxes.clear();
  machine.files.AddFile("c:\\shows\\bad.avl",
                        "[Header]\r\nVer=6\r\nN=3\r\n[Directory]\r\n0=c:\\pics\\\r\n"
                        "[1]\r\nF=sunset.bmp,0\r\n[2]\r\nF=clip.avi,0\r\nX=99\r\n");
  StartWith("c:\\shows\\bad.avl");
  session.ExpectMessage(MsgKind::Error, std::string(ed::kBadScript), mrOk);
  Run([](User& u, TEditorForm& f) {
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [*New*]");
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "sunset.bmp");
    EXPECT_EQ(f.Fullname.Caption().rfind(" c:\\pics\\sunset.bmp [1 of ", 0), 0u);
    u.Click("BtnQuit");
  });
  ASSERT_EQ(atBoxes.size(), 1u);
  EXPECT_TRUE(atBoxes[0].visible);
  EXPECT_EQ(atBoxes[0].rows, 3);
}

TEST_F(Editor, TestThatCannotWriteItsFileSaysSoAndStaysWithTheChanges) {
  // A folder that is gone, then no "AVLTMP" at all: the host would play a
  // file that does not hold this script.
  StartWith("c:\\shows\\trip.avl");
  const auto script = [this](User& u, TEditorForm& f) {
    Open(u, ed::kColWait, 1);  // a change the user still has
    u.Click("BtnTest");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    EXPECT_TRUE(f.State().Modified);
    EXPECT_FALSE(machine.files.Exists("c:\\windows\\ERROR"));
    u.Click("BtnQuit");
  };
  SetKey("AVLTMP", "c:\\gone\\avltmp.avl");
  for (const char* expected :
       {"Unable to write to c:\\gone\\avltmp.avl",
        "Unable to write the test script: plimbo.ini names no \"AVLTMP\"."}) {
    session.AnswerPopup("wait5");
    session.ExpectMessage(MsgKind::Error, expected, mrOk);
    session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
    EXPECT_EQ(Run(script), 0);
    w95::TIniFile("plimbo.ini").DeleteKey("plimbo", "AVLTMP");
  }
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Editor, NoScriptStartsEmptyAndNothingIsTested) {
  SetKey("AppDir", "\\");
  session.ExpectMessage(MsgKind::Information, "Nothing to test!", mrOk);
  const int32_t r = Run([](User& u, TEditorForm& f) {
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [*New*]");
    EXPECT_EQ(f.State().AppDir, "C:\\") << "a lone backslash is the current folder";
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "<right-click me>");
    EXPECT_FALSE(f.State().Modified);
    for (auto* b : {&f.BtnInsert, &f.BtnDelete, &f.BtnSave, &f.BtnTest, &f.BtnFind, &f.BtnTag})
      EXPECT_FALSE(b->Enabled()) << b->Name();
    EXPECT_TRUE(f.BtnAdd.Enabled());
    // The grid holds whole thumbnail rows; column 4 takes what is left.
    EXPECT_EQ(f.Grid.Height() % 80, 4) << f.Grid.Height();
    int sum = 0;
    for (int c = 0; c < ed::kColumnCount; ++c) sum += f.Grid.ColWidth(c);
    EXPECT_EQ(sum, f.Grid.Width() - 16 - 14 - 1);
    EXPECT_EQ(f.Grid.ColWidth(ed::kColThumb), 1);
    f.BtnTest.SetEnabled(true);
    u.Click("BtnTest");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    u.Click("BtnQuit");
  });
  EXPECT_EQ(r, 0);
}

TEST_F(Editor, AddingFillsThePlaceholderAndSetsEachKindUp) {
  ExplorerAdds("c:\\pics", {"sunset.bmp", "movie.mov", "clip.avi", "next.avl"});
  ExplorerAdds("c:\\pics", {"song.wav"});
  ExplorerAdds("c:\\other\\", {"tree.bmp"});
  session.ExpectMessage(MsgKind::Warning,
                        "AVL file should be the LAST slide.\nSubsequent slides are disregarded.",
                        mrOk);
  Run([this](User& u, TEditorForm& f) {
    u.Click("BtnAdd");
    EXPECT_EQ(kinds, std::vector<int>{253});
    EXPECT_EQ(Names(f),
              (std::vector<std::string>{"sunset.bmp", "movie.mov", "clip.avi", "next.avl"}));
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 2), "c:\\pics\\movie.mov");
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 2), std::string(ed::kNotApplicable)) << "no loop cell";
    EXPECT_EQ(f.Grid.Cell(ed::kColVolume, 2), "50");
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 3), "Loop 1x");
    EXPECT_EQ(f.Grid.Cell(ed::kColVolume, 3), "100");
    EXPECT_EQ(f.Grid.Row(), 1) << "the first slide of an empty script";
    EXPECT_TRUE(f.State().Modified);
    EXPECT_TRUE(f.BtnSave.Enabled());
    u.Click("BtnAdd");  // after the last slide
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 5), "song.wav");
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 5), "1");
    EXPECT_EQ(f.Grid.Row(), 4) << "the former last slide";
    u.SelectCell("Grid", ed::kColName, 2);
    u.Click("BtnInsert");
    EXPECT_EQ(Names(f), (std::vector<std::string>{"sunset.bmp", "tree.bmp", "movie.mov", "clip.avi",
                                                  "next.avl", "song.wav"}));
    EXPECT_EQ(f.Grid.Cell(ed::kColNumber, 6), "6");
    EXPECT_EQ(f.Grid.Row(), 2);
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, AddingAnEmptyListOrCancellingChangesNothing) {
  ExplorerCancels();
  ExplorerAdds("c:\\pics", {});
  Run([](User& u, TEditorForm& f) {
    u.Click("BtnAdd");
    u.Click("BtnAdd");
    EXPECT_EQ(f.Grid.RowCount(), 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "<right-click me>");
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, MovingSlidesLandsBeforeTheTarget) {
  Run([this](User& u, TEditorForm& f) {
    Fill(f, 5);
    auto moveTo = [&](int from, int to, const char* caption) {
      session.WhenModal<TScrlDlg>([to, caption](User& v, TScrlDlg& d) {
        EXPECT_EQ(d.Caption(), caption);
        v.Type("CustomSetting", std::to_string(to));
        v.Click("BtnOK");
      });
      u.SelectCell("Grid", ed::kColName, from);
      u.Click("BtnMove");
    };
    moveTo(1, 3, "Move slide #1 to");
    EXPECT_EQ(Names(f), (std::vector<std::string>{"b.bmp", "a.bmp", "c.bmp", "d.bmp", "e.bmp"}));
    EXPECT_EQ(f.Grid.Row(), 2) << "the moved slide";
    moveTo(5, 2, "Move slide #5 to");
    EXPECT_EQ(Names(f), (std::vector<std::string>{"b.bmp", "e.bmp", "a.bmp", "c.bmp", "d.bmp"}));
    moveTo(2, 3, "Move slide #2 to");
    EXPECT_EQ(Names(f), (std::vector<std::string>{"b.bmp", "a.bmp", "e.bmp", "c.bmp", "d.bmp"}));
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(f.Grid.Cell(ed::kColNumber, r), std::to_string(r));
    EXPECT_TRUE(f.State().Modified);
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, DraggedRowIsRenumberedAndClosingAsksAboutIt) {
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
  const int32_t r = Run([this](User& u, TEditorForm& f) {
    Fill(f, 5);
    f.State().Modified = false;
    u.DragRow("Grid", 1, 4);
    EXPECT_EQ(Names(f), (std::vector<std::string>{"b.bmp", "c.bmp", "d.bmp", "a.bmp", "e.bmp"}));
    for (int row = 1; row <= 5; ++row)
      EXPECT_EQ(f.Grid.Cell(ed::kColNumber, row), std::to_string(row));
    EXPECT_TRUE(f.State().Modified) << "a dragged row is a change like any other";
    u.Click("BtnQuit");
  });
  EXPECT_EQ(r, 0);
}

TEST_F(Editor, ErasingAsksAboutTheThumbnailAndTheLastSlideLeavesThePlaceholder) {
  machine.files.AddFile("c:\\viewer\\ABCDE12.BMP", "thumb");
  session.ExpectMessage(MsgKind::Confirm,
                        "Thumbnail should be kept\nif you will save a subset.\nDelete thumbnail ?",
                        mrCancel);
  session.ExpectMessage(MsgKind::Confirm, mrNo);
  Run([this](User& u, TEditorForm& f) {
    Fill(f, 3);
    f.State().CatalogId = "ABCDE";
    f.Grid.SetCell(ed::kColThumb, 2, "12");
    u.SelectCell("Grid", ed::kColName, 2);
    u.Click("BtnDelete");  // Cancel
    EXPECT_EQ(f.Grid.RowCount(), 4);
    u.Click("BtnDelete");  // No: the slide goes, the thumbnail stays
    EXPECT_EQ(Names(f), (std::vector<std::string>{"a.bmp", "c.bmp"}));
    EXPECT_EQ(f.Grid.Cell(ed::kColNumber, 2), "2");
    EXPECT_TRUE(machine.files.Exists("c:\\viewer\\ABCDE12.BMP"));
    u.Click("BtnDelete");  // the last row: its neighbour above is current
    EXPECT_EQ(f.Grid.Row(), 1);
    u.Click("BtnDelete");
    EXPECT_EQ(f.Grid.RowCount(), 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "<right-click me>");
    EXPECT_FALSE(f.State().Modified) << "erasing the only slide";
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, TrashDeletesTheFileOrSaysAccessDenied) {
  session.ExpectMessage(MsgKind::Warning, "sunset.bmp\nDelete file ?", mrYes);
  session.ExpectMessage(MsgKind::Warning, mrYes);
  session.ExpectMessage(MsgKind::Error, "Access denied.", mrOk);
  StartWith("c:\\shows\\trip.avl");
  Run([this](User& u, TEditorForm& f) {
    u.Click("BtnTrash");
    EXPECT_FALSE(machine.files.Exists("c:\\pics\\sunset.bmp"));
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "clip.avi");
    machine.files.SetAttributes("c:\\pics\\clip.avi", w95::platform::kAttrReadOnly);
    u.Click("BtnTrash");
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 1), "clip.avi") << "the slide stays";
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, FindSearchesTheShortPathsAndAsksForTheNext) {
  InputAnswer("PICS");
  session.ExpectMessage(MsgKind::Confirm, "Find next matching slide?", mrYes);
  session.ExpectMessage(MsgKind::Confirm, "Find next matching slide?", mrNo);
  InputAnswer("Sun Set");
  session.ExpectMessage(MsgKind::Information, "No match found.\nSearch word: Sun Set", mrOk);
  InputAnswer("song");
  session.ExpectMessage(MsgKind::Confirm, "Find next matching slide?", mrYes);
  session.ExpectMessage(MsgKind::Information, "Search done.", mrOk);
  StartWith("c:\\shows\\trip.avl");
  Run([](User& u, TEditorForm& f) {
    u.Click("BtnFind");  // the folder name matches too; stops at the second
    EXPECT_EQ(f.Grid.Row(), 2);
    u.Click("BtnFind");
    u.Click("BtnFind");
    EXPECT_EQ(f.Grid.Row(), 3);
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, FindMatchesTheLongNameAsShown) {
  InputAnswer("holiday");
  session.ExpectMessage(MsgKind::Confirm, "Find next matching slide?", mrYes);
  session.ExpectMessage(MsgKind::Information, "Search done.", mrOk);
  Run([](User& u, TEditorForm& f) {
    Fill(f, 3);
    f.Grid.SetCell(ed::kColPath, 2, "c:\\pics\\myholi~1.jpg");
    f.Grid.SetCell(ed::kColName, 2, "My Holiday Photo.jpg");
    u.Click("BtnFind");
    EXPECT_EQ(f.Grid.Row(), 2);
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, MovingAFileAndItsFacts) {
  machine.files.AddFolder("c:\\archive");
  machine.files.AddFile("c:\\archive\\clip.avi", "old");
  machine.files.SetWriteTime("c:\\pics\\sunset.bmp", 126227808000000000ull + 36000000000ull * 15);
  session.ExpectMessage(MsgKind::Information,
                        "Slide: 1\nFile: sunset.bmp\nAlias: sunset.bmp\nSize: 4 bytes\n"
                        "Modified: 1/1/2001 15:00",
                        mrOk);
  ExplorerChooses("c:\\archive\\clip.avi");
  session.ExpectMessage(MsgKind::Warning, "Destination file exists.", mrOk);
  ExplorerChooses("c:\\archive\\sunset.bmp");
  StartWith("c:\\shows\\trip.avl");
  Run([this](User& u, TEditorForm& f) {
    u.Click("BtnInfo");
    u.SelectCell("Grid", ed::kColName, 2);
    u.Click("BtnRelocate");
    EXPECT_EQ(Key("SaveAs"), "clip.avi");
    EXPECT_FALSE(f.State().Modified);
    u.SelectCell("Grid", ed::kColName, 1);
    u.Click("BtnRelocate");
    EXPECT_EQ(kinds, (std::vector<int>{102, 102}));
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 1), "c:\\archive\\sunset.bmp");
    EXPECT_TRUE(machine.files.Exists("c:\\archive\\sunset.bmp"));
    EXPECT_FALSE(machine.files.Exists("c:\\pics\\sunset.bmp"));
    EXPECT_TRUE(f.State().Modified);
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, FileInfoOfAMissingFile) {
  session.ExpectMessage(MsgKind::Error, "File not found!", mrOk);
  StartWith("c:\\shows\\trip.avl");
  Run([](User& u, TEditorForm& f) {
    u.SelectCell("Grid", ed::kColName, 4);  // the CD track
    u.Click("BtnInfo");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, CdTrackIsAChangeTheCloseQueryAsksAbout) {
  ValueDialog("CD Audio Track Selection", 12);
  session.ExpectMessage(MsgKind::Confirm, "Replace current slide?", mrNo);
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
  StartWith("c:\\shows\\trip.avl");
  const int32_t r = Run([](User& u, TEditorForm& f) {
    u.Click("BtnCD");
    EXPECT_EQ(f.Grid.RowCount(), 6);
    EXPECT_EQ(f.Grid.Row(), 5);
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 5), std::string(ed::kNotApplicable));
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 5), "12");
    EXPECT_EQ(f.Grid.Cell(ed::kColNumber, 5), "5");
    EXPECT_EQ(f.Fullname.Caption(), "CD Track: 12");
    EXPECT_TRUE(f.State().Modified);
    u.Click("BtnQuit");
  });
  EXPECT_EQ(r, 0);
}

TEST_F(Editor, CloseQueryNoSavesAndACancelledSaveKeepsTheWindowOpen) {
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrNo);
  ExplorerCancels();
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrNo);
  ExplorerChooses("c:\\shows\\new.avl");
  StartWith("c:\\shows\\trip.avl");
  const int32_t r = Run([](User& u, TEditorForm& f) {
    f.State().Modified = true;
    u.Click("BtnQuit");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone) << "the save was cancelled";
    u.Click("BtnQuit");
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Key("AVLNOW"), "c:\\shows\\new.avl");
  EXPECT_NE(FileText("c:\\shows\\new.avl").find("[4]\r\nF=------"), std::string::npos);
}

TEST_F(Editor, CancelledOpenKeepsTheScriptAndNewEmptiesIt) {
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrYes);
  ExplorerCancels();
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrYes);
  ExplorerChooses("c:\\shows\\trip.avl");
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrYes);
  ExplorerAdds("c:\\pics", {"beach.jpg"});
  ExplorerCancels();  // Open on one slide: no question, and nothing lost
  Run([this](User& u, TEditorForm& f) {
    Fill(f, 3);
    f.State().Modified = true;
    u.Click("BtnLoad");
    EXPECT_EQ(Names(f), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    EXPECT_TRUE(f.State().Modified);
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [*New*]");
    u.Click("BtnLoad");
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [trip.avl]");
    EXPECT_EQ(f.Grid.RowCount(), 5);
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnNew");
    EXPECT_EQ(f.Grid.RowCount(), 2);
    EXPECT_FALSE(f.BtnSave.Enabled());
    u.Click("BtnAdd");
    f.State().Modified = false;
    u.Click("BtnLoad");
    EXPECT_EQ(Names(f), std::vector<std::string>{"beach.jpg"});
    EXPECT_EQ(kinds, (std::vector<int>{254, 254, 253, 254}));
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, SaveWritesTheChosenFileAndHelpOpensItsTopic) {
  ExplorerChooses("c:\\shows\\copy.avl");
  StartWith("c:\\shows\\trip.avl");
  Run([this](User& u, TEditorForm& f) {
    f.State().Modified = true;
    u.Click("BtnSave");
    EXPECT_EQ(Key("SaveAs"), "trip.avl") << Key("SaveAs");
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [copy.avl]");
    EXPECT_FALSE(f.State().Modified);
    u.Click("BtnHelp");
    u.PressKey('E', w95::ui::ssCtrl);
    EXPECT_EQ(u.FocusedName(), "Grid");
    u.Click("BtnQuit");
  });
  ASSERT_EQ(machine.desktop.helpCalls.size(), 1u);
  EXPECT_EQ(machine.desktop.helpCalls[0].file, "PLIMBO.HLP");
  EXPECT_EQ(machine.desktop.helpCalls[0].data, 300u);
  EXPECT_EQ(FileText("c:\\shows\\copy.avl").substr(0, 20), "[Header]\r\nVer=6\r\nScr");
}

// Six slides, the third of which has an effect no slide can have.
const std::string kDamagedScript =
    "[Header]\r\nVer=6\r\nN=7\r\nCat=ABCDE\r\n"
    "[Directory]\r\n0=c:\\viewer\\\r\n1=c:\\pics\\\r\n"
    "[1]\r\nF=sunset.bmp,1\r\n[2]\r\nF=beach.jpg,1\r\n[3]\r\nF=sunset.bmp,1\r\nX=30\r\n"
    "[4]\r\nF=clip.avi,1\r\n[5]\r\nF=song.wav,1\r\n[6]\r\nF=movie.mov,1\r\n";

TEST_F(Editor, AScriptReadOnlyInPartIsNeverSavedOverTheFileItCameFrom) {
  std::string badHeader = kDamagedScript;
  badHeader.replace(badHeader.find("N=7"), 3, "N=seven");
  machine.files.AddFile("c:\\shows\\header.avl", badHeader);
  machine.files.AddFile("c:\\shows\\damaged.avl", kDamagedScript);
  // The user takes whatever name the save dialog offers; with none offered
  // there is nothing to take, and the dialog is left.
  const auto takeTheOfferedName = [this] {
    answers.push_back([this](int) {
      const std::string offered = Key("SaveAs");
      if (offered.empty()) return -1;
      SetKey("Savename", "c:\\shows\\" + offered);
      return 0;
    });
  };

  // A header that cannot be read at start-up leaves the empty script, which
  // must not replace the six slides: it is not written at all.
  StartWith("c:\\shows\\header.avl");
  session.ExpectMessage(MsgKind::Error, "Bad AVL file.", mrOk);
  session.ExpectMessage(MsgKind::Error, "Nothing to save!", mrOk);
  Run([](User& u, TEditorForm& f) {
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [*New*]");
    u.Click("BtnSave");
    u.Click("BtnQuit");
  });
  EXPECT_EQ(FileText("c:\\shows\\header.avl"), badHeader);

  // Opened at slide 3 of 6: the rows from there on stay empty, Test refuses
  // them, and after the user erases them a save still offers no name that
  // would put the two slides over all six.
  StartWith("c:\\shows\\trip.avl");
  session.ExpectMessage(MsgKind::Confirm, "Discard script?", mrYes);
  ExplorerChooses("c:\\shows\\damaged.avl");
  session.ExpectMessage(MsgKind::Error, "Bad AVL file.", mrOk);
  session.ExpectMessage(
      MsgKind::Error,
      "Slide 3 cannot be saved: its effect, loop or track value \"\" is not a number.", mrOk);
  takeTheOfferedName();
  session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
  Run([this](User& u, TEditorForm& f) {
    u.Click("BtnLoad");
    EXPECT_EQ(f.Caption(), "Plimbo Slide Editor [*New*]");
    EXPECT_EQ(f.Grid.RowCount(), 7) << "the row count stays as read";
    EXPECT_EQ(f.Grid.Cell(ed::kColName, 2), "beach.jpg");
    EXPECT_EQ(f.Grid.Cell(ed::kColPath, 4), "");
    u.Click("BtnTest");
    EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone);
    EXPECT_FALSE(machine.files.Exists("c:\\viewer\\avltmp.avl"));
    u.SelectCell("Grid", ed::kColName, 3);
    for (int i = 0; i < 4; ++i) u.Click("BtnDelete");
    EXPECT_EQ(Names(f), (std::vector<std::string>{"sunset.bmp", "beach.jpg"}));
    u.Click("BtnSave");
    u.Click("BtnQuit");
  });
  EXPECT_EQ(FileText("c:\\shows\\damaged.avl"), kDamagedScript);
}

TEST_F(Editor, ResultsOfTheOtherWaysOut) {
  EXPECT_EQ(Run([](User&, TEditorForm& f) { f.SetModalResult(w95::ui::mrOk); }), 1);
  EXPECT_EQ(Run([](User&, TEditorForm& f) { f.SetModalResult(w95::ui::mrRetry); }), 2);
  EXPECT_EQ(Run([](User& u, TEditorForm&) { u.PressKey(w95::ui::vkEscape); }), 0);
}

}  // namespace
}  // namespace editor_test
