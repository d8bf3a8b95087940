// The attribute menus on one slide and in global mode, on the headless
// backend: what each choice writes, and what it must leave alone.
#include "editor_fixture.h"

namespace editor_test {
namespace {

using w95::ui::mrOk;

TEST_F(Editor, EffectLoopAndPositionMenusOnOneSlide) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("fx29");
  session.AnswerPopup("Loop3");
  session.AnswerPopup("LoopX");
  ValueDialog("Loop Animation N Times", -1);
  session.AnswerPopup("LoopX");
  ValueDialog("Loop Animation N Times", 7);
  session.AnswerPopup("hposLeft");
  session.AnswerPopup("vposMid");
  session.AnswerPopup("vposUser");
  ValueDialog("Vertical Position (pixels)", 900);  // limited to 600 - 33
  Run([](User& u, TEditorForm& f) {
    Open(u, ed::kColEffect, 1);
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 1), "Random FX");
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 1), "29");
    EXPECT_TRUE(f.State().Modified);
    Open(u, ed::kColEffect, 2);  // a video opens the loop menu
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 2), "Loop 3x");
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 2), "2");
    u.DoubleClick("Grid");  // "Loop N times", cancelled
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 2), "Loop 3x");
    u.DoubleClick("Grid");
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 2), "Loop 7x");
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 2), "6");
    Open(u, ed::kColHorz, 1);
    EXPECT_EQ(f.Grid.Cell(ed::kColHorz, 1), "Left");
    EXPECT_EQ(f.Grid.Cell(ed::kColVert, 1), "Mid") << "Left leaves the other axis";
    Open(u, ed::kColVert, 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColHorz, 2), "Mid");
    u.DoubleClick("Grid");
    EXPECT_EQ(f.Grid.Cell(ed::kColVert, 2), "567");
    EXPECT_EQ(f.Grid.Cell(ed::kColHorz, 2), "Mid") << "a pixel value leaves the other axis";
    // A cell that does not apply opens nothing (an unscripted menu would fail).
    Open(u, ed::kColVolume, 3);
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, ValueMenusColoursAndGammaThenSavedAsWritten) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("volOff");
  session.AnswerPopup("wait120");
  session.AnswerPopup("waitUser");
  ValueDialog("Slide Delay/Wait (secs)", 45);
  ValueDialog("Gamma Correction (n/100)", 150);
  session.AnswerPopup("szUser");
  ValueDialog("Video Zoom Factor (%)", 300);
  session.AnswerPopup("spd150");
  session.AnswerPopup("clrNavy");
  session.AnswerPopup("clrUser");
  session.AnswerColor(std::nullopt);
  session.AnswerPopup("clrNone");
  ExplorerChooses("c:\\shows\\edited.avl");
  Run([](User& u, TEditorForm& f) {
    Open(u, ed::kColVolume, 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColVolume, 2), "0");
    Open(u, ed::kColWait, 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColWait, 2), "120");
    Open(u, ed::kColWait, 3);
    EXPECT_EQ(f.Grid.Cell(ed::kColWait, 3), "45");
    Open(u, ed::kColGamma, 1);
    EXPECT_EQ(f.Grid.Cell(ed::kColGamma, 1), "150");
    Open(u, ed::kColZoom, 2);
    Open(u, ed::kColSpeed, 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColSpeed, 2), "150");
    Open(u, ed::kColHasColour, 2);
    EXPECT_EQ(f.Grid.Cell(ed::kColColour, 2), "8388608");
    EXPECT_EQ(f.ColorPanel.GetColor(), 0x800000u);
    u.DoubleClick("Grid");  // "&User Color", cancelled
    EXPECT_EQ(f.Grid.Cell(ed::kColColour, 2), "8388608");
    u.DoubleClick("Grid");
    EXPECT_EQ(f.Grid.Cell(ed::kColHasColour, 2), "No");
    EXPECT_EQ(f.ColorLabel.Caption(), "NO background");
    u.Click("BtnSave");
    u.Click("BtnQuit");
  });
  const std::string text = FileText("c:\\shows\\edited.avl");
  EXPECT_NE(text.find("[1]\r\nF=sunset.bmp,1\r\nB=FF\r\nX=19\r\nW=5\r\nG=96\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[2]\r\nF=clip.avi,1\r\nX=2\r\nW=120\r\nZ=300\r\nL=0\r\nS=150\r\n[3]"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[3]\r\nF=song.wav,1\r\nX=0\r\nW=45\r\n[4]"), std::string::npos) << text;
}

TEST_F(Editor, UserColourAndTheTagColumn) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("clrUser");
  session.AnswerColor(0x123456);
  Run([](User& u, TEditorForm& f) {
    Open(u, ed::kColHasColour, 1);
    EXPECT_EQ(f.Grid.Cell(ed::kColColour, 1), std::to_string(0x123456));
    EXPECT_EQ(f.Grid.Cell(ed::kColHasColour, 1), "Yes");
    f.State().Modified = false;
    Open(u, ed::kColTag, 1);
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 1), "X");
    EXPECT_FALSE(f.State().Modified) << "tagging is no change of the script";
    Open(u, ed::kColTag, 1);
    EXPECT_EQ(f.Grid.Cell(ed::kColTag, 1), "");
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, SlideMenuOffersViewFileOnlyForAGraphicWithAFile) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("");
  session.AnswerPopup("");
  Run([](User& u, TEditorForm& f) {
    Open(u, ed::kColName, 1);
    EXPECT_TRUE(f.mnuView->Enabled());
    Open(u, ed::kColName, 2);
    EXPECT_FALSE(f.mnuView->Enabled());
    EXPECT_TRUE(f.mnuTrash->Enabled());
    const auto& m = f.mnuEdit;
    ASSERT_EQ(m.Count(), 13);
    EXPECT_EQ(m.Item(6).Caption(), "File i&nfo");
    EXPECT_EQ(m.Item(10).Caption(), "Find missing fi&les...");
    EXPECT_EQ(m.Item(11).Caption(), "Fin&d this file...");
    EXPECT_EQ(m.Item(12).Caption(), "D&uplicate slide(s)");
    EXPECT_TRUE(m.Item(12).Enabled());
    EXPECT_TRUE(m.Item(6).ColumnBreak());
    EXPECT_EQ(f.mnuFX.Item(15).Caption(), "OutToIn");
    EXPECT_TRUE(f.mnuFX.Item(15).ColumnBreak());
    EXPECT_TRUE(f.mnuWait.Find("wait60")->ColumnBreak());
    EXPECT_TRUE(f.mnuColor.Find("clrUser")->ColumnBreak());
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, GlobalEffectsAndLoopsStayInTheirOwnKinds) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("fx19");
  session.AnswerPopup("Loop3");
  Run([](User& u, TEditorForm& f) {
    // One more graphic and an animation.
    f.Grid.SetRowCount(7);
    for (int r : {5, 6}) {
      f.Grid.SetCell(ed::kColPath, r, r == 5 ? "c:\\pics\\beach.jpg" : "c:\\pics\\anim.flc");
      f.Grid.SetCell(ed::kColName, r, r == 5 ? "beach.jpg" : "anim.flc");
    }
    ed::SetUpGraphic(f.Grid, 5);
    ed::SetUpFLI(f.Grid, 6);
    u.SelectCell("Grid", ed::kColEffect, 5);
    u.Click("BtnGlobal");
    EXPECT_TRUE(f.GlobalMode());
    EXPECT_TRUE(f.State().Modified);
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 1), "Spiral In");
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 5), "Spiral In");
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 5), "19");
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 2), "Loop 3x") << "the video keeps its loops";
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 3), "0") << "the audio value stays";
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 4), "7") << "the CD track keeps its track";
    u.SelectCell("Grid", ed::kColEffect, 6);
    u.Click("BtnGlobal");
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 6), "Loop 3x");
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 6), "2");
    EXPECT_EQ(f.Grid.Cell(ed::kColEffect, 1), "Spiral In") << "graphics keep their effect";
    EXPECT_EQ(f.Grid.Cell(ed::kColValue, 4), "7");
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

TEST_F(Editor, GlobalPositionsValuesColoursAndMarkers) {
  StartWith("c:\\shows\\trip.avl");
  session.AnswerPopup("hposLeft");
  session.AnswerPopup("hposMid");
  session.AnswerPopup("vol75");
  session.AnswerPopup("waitUser");
  ValueDialog("Slide Delay/Wait (secs)", -1);
  session.AnswerPopup("clrRed");
  Run([](User& u, TEditorForm& f) {
    f.Grid.SetCell(ed::kColVert, 1, "40");
    f.Grid.SetCell(ed::kColVert, 2, "Top");
    u.SelectCell("Grid", ed::kColHorz, 1);
    u.Click("BtnGlobal");
    EXPECT_EQ(f.Grid.Cell(ed::kColHorz, 1), "Left");
    EXPECT_EQ(f.Grid.Cell(ed::kColHorz, 2), "Left");
    EXPECT_EQ(f.Grid.Cell(ed::kColVert, 1), "40") << "Left changes column 8 only";
    EXPECT_EQ(f.Grid.Cell(ed::kColHorz, 3), std::string(ed::kNotApplicable));
    u.Click("BtnGlobal");
    for (int r : {1, 2}) {
      EXPECT_EQ(f.Grid.Cell(ed::kColHorz, r), "Mid");
      EXPECT_EQ(f.Grid.Cell(ed::kColVert, r), "Mid");
    }
    EXPECT_EQ(f.Grid.Cell(ed::kColVert, 3), std::string(ed::kNotApplicable));
    u.SelectCell("Grid", ed::kColVolume, 2);
    u.Click("BtnGlobal");
    EXPECT_EQ(f.Grid.Cell(ed::kColVolume, 2), "75");
    EXPECT_EQ(f.Grid.Cell(ed::kColVolume, 1), std::string(ed::kNotApplicable));
    u.SelectCell("Grid", ed::kColWait, 1);
    u.Click("BtnGlobal");  // the free value, cancelled
    EXPECT_EQ(f.Grid.Cell(ed::kColWait, 1), "5");
    u.SelectCell("Grid", ed::kColHasColour, 1);
    u.Click("BtnGlobal");
    EXPECT_EQ(f.Grid.Cell(ed::kColColour, 2), "255");
    EXPECT_EQ(f.Grid.Cell(ed::kColHasColour, 2), "Yes");
    EXPECT_EQ(f.Grid.Cell(ed::kColHasColour, 3), std::string(ed::kNotApplicable));
    // On a marker, and on the file name, global does nothing.
    u.SelectCell("Grid", ed::kColGamma, 2);
    u.Click("BtnGlobal");
    u.SelectCell("Grid", ed::kColName, 2);
    u.Click("BtnGlobal");
    f.State().Modified = false;
    u.Click("BtnQuit");
  });
}

}  // namespace
}  // namespace editor_test
