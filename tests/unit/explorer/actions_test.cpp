// The file menu's work in the dialog: rename, the instant slideshow writer
// and the view of the input files.
#include "explorer_fixture.h"
#include "ui/input_box.h"

namespace explorer_test {
namespace {

using w95::ui::InputBoxForm;
using w95::ui::mrCancel;
using w95::ui::mrOk;

void Answer(Session& s, const std::string& value) {
  s.WhenModal<InputBoxForm>([value](User& u, InputBoxForm& box) {
    EXPECT_EQ(box.Caption(), "Rename File");
    u.Type("Value", value);
    u.Click("BtnOK");
  });
}

TEST_F(Explorer, RenameAsksAboutClashesAndExtensions) {
  machine.files.AddFile("C:\\Pics\\a.bmp", "A");
  machine.files.AddFile("C:\\Pics\\b.bmp", "B");
  SetKey("LastDir", "c:\\pics\\");
  session.WhenModal<TFileForm>([](User& u, TFileForm& f) {
    u.Select("XFiles", 0);
    EXPECT_EQ(f.Edit1.Text(), "a.bmp");
    f.mnuFRenameClick();
    u.Click("BtnExit");
  });
  Answer(session, "b.bmp");  // exists: warned, asked again
  session.ExpectMessage(MsgKind::Warning, "Filename exists.\nc:\\pics\\b.bmp", mrOk);
  Answer(session, "a.jpg");  // other extension: Cancel asks again
  session.ExpectMessage(MsgKind::Confirm,
                        "Different FILE extension.\nOld Type:.bmp\nNew Type:.jpg\nContinue ?",
                        mrCancel);
  Answer(session, "A.BMP");  // case only: still an extension question
  session.ExpectMessage(MsgKind::Confirm, mrOk);
  w95::explorer::RunRemoteDlg(252, 0);
  EXPECT_EQ(machine.files.ReadFile("C:\\Pics\\A.BMP").value_or(""), "A");
  EXPECT_EQ(machine.files.Stat("C:\\Pics\\a.bmp")->name, "A.BMP") << "renamed in place";
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Explorer, RenameToAnEmptyNameOrCancelDoesNothing) {
  machine.files.AddFile("C:\\Pics\\a.bmp");
  SetKey("LastDir", "c:\\pics\\");
  session.WhenModal<TFileForm>([](User& u, TFileForm& f) {
    u.Select("XFiles", 0);
    f.mnuFRenameClick();
    f.mnuFRenameClick();
    u.Click("BtnExit");
  });
  session.WhenModal<InputBoxForm>([](User& u, InputBoxForm&) {
    u.Clear("Value");
    u.Click("BtnOK");
  });
  session.WhenModal<InputBoxForm>([](User& u, InputBoxForm&) { u.Click("BtnCancel"); });
  w95::explorer::RunRemoteDlg(252, 0);
  EXPECT_TRUE(machine.files.Exists("C:\\Pics\\a.bmp"));
}

TEST_F(Explorer, InstantSlideshowWritesAScriptOfTheMarkedFiles) {
  for (const char* f : {"C:\\Show\\b.bmp", "C:\\Show\\Long Name.jpg"}) machine.files.AddFile(f);
  for (const char* d : {"C:\\Show\\one", "C:\\Show\\two", "C:\\Show\\three"})
    machine.files.AddFolder(d);
  machine.files.AddFile("C:\\plimbo.tmp", "[Directory]\nFiles=9\n");
  SetKey("LastDir", "c:\\show\\");
  Run(253, 0, [](User& u, TFileForm& f) {
    f.FileMenuClick(*f.MarkDirectory);
    f.InstantSlideshowClick();
    u.Click("BtnExit");
  });
  EXPECT_EQ(Exchange("Header", "Ver"), "4");
  EXPECT_EQ(Exchange("Header", "N"), "3");
  EXPECT_EQ(Exchange("1", "F"), "b.bmp,0");
  EXPECT_EQ(Exchange("2", "F"), "LONGNA~1.JPG,0");
  EXPECT_EQ(Exchange("Directory", "0"), "c:\\show\\");
  EXPECT_EQ(Exchange("Directory", "Files"), "ERROR") << "the old file was deleted first";
  ASSERT_EQ(machine.host.sent.size(), 1u);
  EXPECT_EQ(machine.host.sent[0].message, 2321u);
  EXPECT_EQ(machine.host.sent[0].lParam, 2311);
}

TEST_F(Explorer, NothingSelectedWarnsInsteadOfWriting) {
  machine.files.AddFile("C:\\Show\\b.bmp");
  SetKey("LastDir", "c:\\show\\");
  session.ExpectMessage(MsgKind::Warning, "No file(s) selected!", mrOk);
  Run(253, 0, [](User& u, TFileForm& f) {
    f.FileMenuClick(*f.UnmarkDirectory);
    f.InstantSlideshowClick();
    u.Click("BtnExit");
  });
  EXPECT_FALSE(machine.files.Exists("C:\\plimbo.tmp"));
}

TEST_F(Explorer, InputFileViewShowsTheExchangeListAndEscapeLeavesIt) {
  machine.files.AddFile("C:\\plimbo.tmp",
                        "[Directory]\nFiles=2\nName=c:\\in\\\n[1]\nF=ONE.BMP\n[2]\nF=Two.Jpg\n");
  Run(108, 0, [](User& u, TFileForm& f) {
    EXPECT_TRUE(f.mnuListInput->Visible());
    f.FileMenuClick(*f.mnuListInput);
    EXPECT_TRUE(f.InputList.Visible());
    EXPECT_FALSE(f.PanelTop.Visible());
    EXPECT_EQ(f.mnuListInput->Caption(), "&Hide input files");
    ASSERT_EQ(f.InputList.Count(), 2);
    EXPECT_EQ(f.InputList.Item(1), "two.jpg");
    u.PressKey(w95::ui::vkEscape);
    EXPECT_FALSE(f.InputList.Visible()) << "Escape leaves the view, not the dialog";
    EXPECT_TRUE(f.XFiles.Visible());
    EXPECT_EQ(f.mnuListInput->Caption(), "&View input files");
    u.Click("BtnExit");
  });
}

TEST_F(Explorer, ColumnWidthFollowsTheWidestEntry) {
  machine.files.AddFile("C:\\Cols\\a.bmp");
  machine.files.AddFile("C:\\Cols\\averyveryverylongname.bmp");
  SetKey("LastDir", "c:\\cols\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    // Headless text is 6 pixels a character at 8 points: "WW" is 12 wide.
    EXPECT_EQ(f.State().columnWidth, 12 + 25 * 6);
    f.ViewMenuClick(*f.mnuOneCol);
    EXPECT_EQ(f.XFiles.Columns(), 0);
    EXPECT_FALSE(f.mnuOptimizeWin->Enabled());
    u.Click("BtnExit");
  });
}

}  // namespace
}  // namespace explorer_test

namespace explorer_test {
namespace {

TEST_F(Explorer, ChangeFontKeepsTheOfferedSizesAndResetRestoresTheDefault) {
  machine.files.AddFile("C:\\F\\a.bmp");
  SetKey("LastDir", "c:\\f\\");
  w95::ui::Font big;
  big.name = "Arial";
  big.size = 20;
  session.AnswerFont(big);
  Run(252, 0, [](User& u, TFileForm& f) {
    const int before = f.State().columnWidth;
    f.ViewMenuClick(*f.mnuFont);
    EXPECT_EQ(f.XFiles.GetFont().name, "Arial");
    EXPECT_EQ(f.XFiles.GetFont().size, 14) << "sizes 6 to 14";
    EXPECT_GT(f.State().columnWidth, before) << "columns measured in the new font";
    f.ViewMenuClick(*f.mnuResetWin);
    EXPECT_EQ(f.GetFont(), f.State().defaultFont);
    EXPECT_EQ(f.WindowWidth(), 512);
    u.Click("BtnExit");
  });
}

}  // namespace
}  // namespace explorer_test
