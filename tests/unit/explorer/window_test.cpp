// The modeless explorer window: opening, placement, hide and show, refresh,
// and each request to the host with what is written before it.
#include <map>

#include "explorer/remote_win.h"
#include "explorer_fixture.h"
#include "ui/screen.h"

namespace explorer_test {
namespace {

using w95::explorer::ExplorerWindow;
using w95::explorer::RunRemoteWin;

constexpr uintptr_t kHost = 0x4242;

class Window : public Explorer {
 protected:
  void SetUp() override {
    Explorer::SetUp();
    machine.files.AddFile("C:\\Pics\\b.jpg");
    machine.files.AddFile("C:\\Pics\\A Long Name.bmp");
    machine.files.AddFile("C:\\Pics\\notes.txt");
    machine.files.AddFolder("c:\\pics\\sub");
    SetKey("LastDir", "c:\\pics\\");
    // The host's window procedure: what it can read when each request comes.
    machine.host.onSend = [this](const w95::platform::sim::SentMessage& m) {
      Request r{m.window,
                m.message,
                m.wParam,
                m.lParam,
                Key("LongName"),
                Key("Win95file"),
                Exchange("Directory", "Files"),
                Exchange("1", "F"),
                Exchange("Header", "Ver")};
      requests.push_back(r);
      return intptr_t{0};
    };
  }
  void TearDown() override {
    w95::explorer::RemoteWinClose();
    w95::ui::headless::TestScreen() = {};
    Explorer::TearDown();
  }
  TFileForm& Open(uintptr_t host = kHost, int32_t remember = 0) {
    RunRemoteWin(host, remember != 0);
    EXPECT_NE(ExplorerWindow(), nullptr);
    return *ExplorerWindow();
  }
  User& U() { return session.GetUser(); }

  struct Request {
    uintptr_t window;
    unsigned message;
    uintptr_t wParam;
    intptr_t code;
    std::string longName, win95file, files, first, version;
  };
  std::vector<Request> requests;
};

TEST_F(Window, OpensBesideTheHostWithItsOwnLook) {
  TFileForm& f = Open();
  EXPECT_TRUE(f.Visible());
  EXPECT_FALSE(f.Modal());
  EXPECT_EQ(f.Caption(), "Plimbo Explorer");
  EXPECT_EQ(f.GetBorderStyle(), w95::ui::BorderStyle::Sizeable);
  EXPECT_EQ(f.BtnExit.Caption(), "Close");
  EXPECT_EQ(f.BtnOK.Caption(), "&Open");
  EXPECT_TRUE(f.Edit1.ReadOnly());
  EXPECT_TRUE(f.XFiles.MultiSelect());
  EXPECT_EQ(f.FilterComboBox1.ItemIndex(), 1) << "All validated formats";
  EXPECT_TRUE(f.FilterComboBox1.Enabled());
  EXPECT_TRUE(f.PreviewMode->Visible());
  EXPECT_TRUE(f.mnuFInfo->Visible());
  EXPECT_TRUE(f.BatchConvert->Visible());
  EXPECT_EQ(f.CurrentFolder(), "c:\\pics");
  // The folder first, then the validated files: the text file is not listed.
  ASSERT_EQ(f.XFiles.Count(), 3);
  EXPECT_EQ(f.XFiles.Item(0), "sub\\");
  EXPECT_EQ(f.XFiles.Item(1), "a long name.bmp");
  EXPECT_EQ(U().FocusedName(), "XFiles") << "filled before it shows, the list still has the keys";
  // Half the screen, frame and caption included, centred.
  EXPECT_EQ(f.Left(), 256);
  EXPECT_EQ(f.Top(), 192);
  EXPECT_EQ(f.WindowWidth(), 512);
  EXPECT_EQ(f.WindowHeight(), 384);
  EXPECT_EQ(f.Width(), 512 - 8) << "the sizing frame is 4 a side";
  f.BtnHelpClick(f.BtnHelp);
  ASSERT_EQ(machine.desktop.helpCalls.size(), 1u);
  EXPECT_EQ(machine.desktop.helpCalls[0].data, 100u);
}

TEST_F(Window, EachRequestReachesTheHostAfterWhatItNeedsIsWritten) {
  TFileForm& f = Open();
  U().Select("XFiles", 1);
  EXPECT_EQ(f.Edit1.Text(), "a long name.bmp") << "a click fills the name box";
  EXPECT_TRUE(f.mnuFInfo->Enabled());
  f.FileMenuClick(*f.mnuFInfo);
  f.FileMenuClick(*f.mnuFPreview);
  f.FileMenuClick(*f.mnuFDelete);
  U().Click("BtnOK");
  ASSERT_EQ(requests.size(), 4u);
  const intptr_t codes[] = {2305, 2307, 2308, 2313};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(requests[i].window, kHost);
    EXPECT_EQ(requests[i].message, 2321u);
    EXPECT_EQ(requests[i].wParam, 0u);
    EXPECT_EQ(requests[i].code, codes[i]);
    EXPECT_EQ(requests[i].longName, "a long name.bmp");
    EXPECT_EQ(requests[i].win95file, "c:\\pics\\ALONGN~1.BMP");
  }
  EXPECT_TRUE(f.Visible()) << "the window stays open";
  EXPECT_TRUE(machine.files.Exists("C:\\Pics\\A Long Name.bmp")) << "the host deletes, not we";

  requests.clear();
  f.MarkAll(true);
  f.FileMenuClick(*f.BatchConvert);
  f.FileMenuClick(*f.InstantSlideshow);
  U().Click("BtnOK");
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].code, 2312);
  EXPECT_EQ(requests[0].files, "2") << "the folder is not a file";
  EXPECT_EQ(requests[0].first, "ALONGN~1.BMP");
  EXPECT_EQ(requests[1].code, 2311);
  EXPECT_EQ(requests[1].version, "4");
  EXPECT_EQ(requests[1].first, "ALONGN~1.BMP,0");
  EXPECT_EQ(requests[2].code, 2320) << "OK with several files";
  EXPECT_EQ(requests[2].files, "2");
  EXPECT_EQ(requests[2].first, "ALONGN~1.BMP");
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Window, PreviewModeSendsPreviewsAndOkAsksNothing) {
  TFileForm& f = Open();
  session.ExpectMessage(MsgKind::Information, "Preview mode enabled.", w95::ui::mrOk);
  f.ViewMenuClick(*f.PreviewMode);
  U().DoubleClick("XFiles", 2);
  U().Select("XFiles", 1);
  U().PressKey(w95::ui::vkReturn);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].code, 2307);
  EXPECT_EQ(requests[0].longName, "b.jpg");
  EXPECT_EQ(requests[1].code, 2307) << "Enter on a file previews it too";
  EXPECT_EQ(requests[1].longName, "a long name.bmp");
  // A folder opens, whatever the mode.
  U().DoubleClick("XFiles", 0);
  EXPECT_EQ(f.CurrentFolder(), "c:\\pics\\sub");
  EXPECT_EQ(requests.size(), 2u);
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Window, NothingMarkedWarnsAndSendsNothing) {
  TFileForm& f = Open();
  f.MarkAll(false);
  session.ExpectMessage(MsgKind::Warning, "No file(s) selected!", w95::ui::mrOk);
  f.FileMenuClick(*f.BatchConvert);
  EXPECT_TRUE(requests.empty());
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Window, StoredPlacementIsUsedOnlyWhenItFitsTheScreen) {
  machine.desktop.screen = {800, 600};
  SetKey("bWinT", "100");
  SetKey("bWinL", "50");
  SetKey("bWinW", "700");
  SetKey("bWinH", "500");
  {
    TFileForm& f = Open(kHost, 1);
    EXPECT_EQ(f.Left(), 50);
    EXPECT_EQ(f.Top(), 100);
    EXPECT_EQ(f.WindowWidth(), 700);
    EXPECT_EQ(f.WindowHeight(), 500);
    f.SetWindowBounds(60, 70, 600, 400);  // the user moves and sizes it
    w95::explorer::RemoteWinClose();
  }
  EXPECT_EQ(ExplorerWindow(), nullptr);
  EXPECT_EQ(Key("bWinT"), "70");
  EXPECT_EQ(Key("bWinL"), "60");
  EXPECT_EQ(Key("bWinW"), "600");
  EXPECT_EQ(Key("bWinH"), "400");
  EXPECT_EQ(Key("LastDir"), "c:\\pics\\");

  SetKey("bWinW", "760");  // 60 + 760 > 800
  TFileForm& f = Open(kHost, 1);
  // As designed at 120 pixels per inch (333, 231, 413, 310), scaled to 96.
  EXPECT_EQ(f.Left(), 266) << "as designed";
  EXPECT_EQ(f.Top(), 185);
  EXPECT_EQ(f.WindowWidth(), 330);
  EXPECT_EQ(f.WindowHeight(), 248);
  w95::explorer::RemoteWinClose();
  w95::ui::headless::TestScreen().pixelsPerInch = 120;
  SetKey("bWinW", "760");
  TFileForm& large = Open(kHost, 1);
  EXPECT_EQ(large.Left(), 333);
  EXPECT_EQ(large.Top(), 231);
  EXPECT_EQ(large.WindowWidth(), 413);
  EXPECT_EQ(large.WindowHeight(), 310);
}

TEST_F(Window, StoredPlacementOutOfReachComesBackOnScreenAtAUsableSize) {
  machine.desktop.screen = {800, 600};
  w95::ui::headless::TestScreen().workArea = {0, 0, 800, 570};  // a task bar at the bottom
  struct Case {
    const char *left, *top, *width, *height;
    int wantLeft, wantTop, wantWidth, wantHeight;
  };
  const Case cases[] = {
      {"-2000", "100", "400", "300", 0, 100, 400, 300},  // a monitor that was removed
      {"50", "100", "0", "0", 50, 100, 300, 200},        // too small to use
      {"700", "580", "20", "10", 500, 370, 300, 200},    // enlarged, then moved back
      {"10", "-5", "700", "500", 10, 0, 700, 500},
      {"50", "60", "700", "540", 50, 30, 700, 540},  // under the task bar
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    SetKey("bWinL", c.left);
    SetKey("bWinT", c.top);
    SetKey("bWinW", c.width);
    SetKey("bWinH", c.height);
    TFileForm& f = Open(kHost, 1);
    EXPECT_EQ(f.Left(), c.wantLeft);
    EXPECT_EQ(f.Top(), c.wantTop);
    EXPECT_EQ(f.WindowWidth(), c.wantWidth);
    EXPECT_EQ(f.WindowHeight(), c.wantHeight);
    w95::explorer::RemoteWinClose();
  }
}

TEST_F(Window, ResetWindowGivesTheSizeRulesPlacementAndHidesWhileMoving) {
  SetKey("bWinT", "100");
  SetKey("bWinL", "50");
  SetKey("bWinW", "700");
  SetKey("bWinH", "500");
  TFileForm& f = Open(kHost, 1);
  ASSERT_EQ(f.WindowWidth(), 700);
  int hidden = 0;
  f.OnHide = [&](w95::ui::Control&) { ++hidden; };
  f.ViewMenuClick(*f.mnuResetWin);
  EXPECT_EQ(f.Left(), 256) << "half the 1024 x 768 screen, centred";
  EXPECT_EQ(f.Top(), 192);
  EXPECT_EQ(f.WindowWidth(), 512);
  EXPECT_EQ(f.WindowHeight(), 384);
  EXPECT_EQ(hidden, 1);
  EXPECT_TRUE(f.Visible());
  f.OnHide = nullptr;
}

TEST_F(Window, PlacementNotRememberedIsStillWrittenOnClose) {
  SetKey("bWinT", "5");
  TFileForm& f = Open(kHost, 0);
  EXPECT_EQ(f.Top(), 192) << "stored keys are not read";
  U().Click("BtnExit");
  EXPECT_EQ(ExplorerWindow(), nullptr) << "Close ends the window";
  EXPECT_EQ(Key("bWinT"), "192");
  EXPECT_EQ(Key("bWinW"), "512");
  EXPECT_EQ(Key("bWinH"), "384");
  // Escape closes it too.
  Open();
  SetKey("LastDir", "unchanged");
  U().PressKey(w95::ui::vkEscape);
  EXPECT_EQ(ExplorerWindow(), nullptr);
  EXPECT_EQ(Key("LastDir"), "c:\\pics\\");
}

TEST_F(Window, UnwritableSettingsAreReportedAndTheWindowStillCloses) {
  machine.files.SetAttributes(profiles.PathOf("plimbo.ini"), w95::platform::kAttrReadOnly);
  const std::string unwritable = "Unable to write to plimbo.ini";
  // OK: the host is not asked to act on keys that were never written.
  session.ExpectMessage(MsgKind::Error, unwritable, w95::ui::mrOk);
  TFileForm& f = Open(kHost, 1);
  U().Select("XFiles", 1);
  U().Click("BtnOK");
  EXPECT_TRUE(requests.empty());
  EXPECT_TRUE(f.Visible());
  // The user's Close, then the host's: each says so once and the window goes.
  session.ExpectMessage(MsgKind::Error, unwritable, w95::ui::mrOk);
  U().Click("BtnExit");
  EXPECT_EQ(ExplorerWindow(), nullptr);
  w95::explorer::RemoteWinClose();
  session.ExpectMessage(MsgKind::Error, unwritable, w95::ui::mrOk);
  Open(kHost, 1);
  w95::explorer::RemoteWinClose();
  EXPECT_EQ(ExplorerWindow(), nullptr);
  EXPECT_TRUE(session.Unused().empty());
  machine.files.SetAttributes(profiles.PathOf("plimbo.ini"), 0);
  EXPECT_EQ(Key("LastDir"), "c:\\pics\\") << "nothing was written";
}

TEST_F(Window, HiddenWindowShowsAgainForTheFirstHost) {
  TFileForm& f = Open(kHost);
  U().Select("XFiles", 2);
  w95::explorer::RemoteWinHide();
  EXPECT_FALSE(f.Visible());
  EXPECT_EQ(ExplorerWindow(), &f) << "hidden, still open";
  RunRemoteWin(0x999, 0);
  EXPECT_EQ(ExplorerWindow(), &f) << "the same window";
  EXPECT_TRUE(f.Visible());
  EXPECT_EQ(f.Edit1.Text(), "b.jpg") << "what the user did is kept";
  U().Click("BtnOK");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].window, kHost) << "the first host window is kept";
}

TEST_F(Window, UpdateKeepsTheSelectionByNameAndStepsBackOnlyWhenItIsGone) {
  TFileForm& f = Open();
  w95::explorer::RemoteWinUpdate();
  EXPECT_EQ(f.XFiles.ItemIndex(), 0) << "entry 0 current: the refresh's own selection";
  // Two files selected, then a file added between them: both stay selected.
  U().Select("XFiles", 2);
  U().Select("XFiles", 1, w95::ui::ssCtrl);
  machine.files.AddFile("C:\\Pics\\added.jpg");
  w95::explorer::RemoteWinUpdate();
  ASSERT_EQ(f.XFiles.Count(), 4);
  EXPECT_EQ(f.XFiles.Item(2), "added.jpg");
  EXPECT_EQ(f.XFiles.ItemIndex(), 1) << "the current entry, by name";
  EXPECT_FALSE(f.XFiles.Selected(0));
  EXPECT_TRUE(f.XFiles.Selected(1));
  EXPECT_FALSE(f.XFiles.Selected(2)) << "the new file";
  EXPECT_TRUE(f.XFiles.Selected(3)) << "b.jpg, moved down by one";
  EXPECT_EQ(f.Edit1.Text(), "a long name.bmp");
  // The current entry gone, another selected one still there: it is current.
  U().Select("XFiles", 3);
  U().Select("XFiles", 2, w95::ui::ssCtrl);
  machine.files.DeleteFile("C:\\Pics\\added.jpg");
  w95::explorer::RemoteWinUpdate();
  ASSERT_EQ(f.XFiles.Count(), 3);
  EXPECT_EQ(f.XFiles.ItemIndex(), 2);
  EXPECT_EQ(f.XFiles.SelCount(), 1);
  EXPECT_EQ(f.Edit1.Text(), "b.jpg");
  // Nothing selected is left: the entry before the remembered one, here the
  // last as the list got shorter.
  machine.files.AddFile("C:\\Pics\\zz.jpg");
  w95::explorer::RemoteWinUpdate();
  U().Select("XFiles", 3);
  machine.files.DeleteFile("C:\\Pics\\b.jpg");
  machine.files.DeleteFile("C:\\Pics\\zz.jpg");
  w95::explorer::RemoteWinUpdate();
  ASSERT_EQ(f.XFiles.Count(), 2);
  EXPECT_EQ(f.XFiles.ItemIndex(), 1);
  EXPECT_TRUE(f.XFiles.Selected(1));
  EXPECT_FALSE(f.XFiles.Selected(0));
}

TEST_F(Window, RequestsOnOneFileNameOnlyWhatIsSelected) {
  TFileForm& f = Open();
  U().Select("XFiles", 1);
  U().Select("XFiles", 2, w95::ui::ssCtrl);
  EXPECT_EQ(f.Edit1.Text(), "b.jpg");
  U().Select("XFiles", 2, w95::ui::ssCtrl);  // deselected again
  EXPECT_EQ(f.Edit1.Text(), "a long name.bmp") << "the box follows the selection";
  f.FileMenuClick(*f.mnuFDelete);
  U().Click("BtnOK");
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].code, 2308);
  EXPECT_EQ(requests[0].longName, "a long name.bmp");
  EXPECT_EQ(requests[1].code, 2313);
  EXPECT_EQ(requests[1].longName, "a long name.bmp");
  // Nothing selected: no file is named, whatever the box held.
  U().Select("XFiles", 1, w95::ui::ssCtrl);
  EXPECT_EQ(f.Edit1.Text(), "");
  f.Edit1.SetText("b.jpg");
  for (auto* item : {f.mnuFDelete, f.mnuFInfo, f.mnuFPreview, f.mnuFRename}) {
    session.ExpectMessage(MsgKind::Warning, "No file(s) selected!", w95::ui::mrOk);
    f.FileMenuClick(*item);
    f.Edit1.SetText("b.jpg");
  }
  EXPECT_EQ(requests.size(), 2u);
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Window, EnterInTheNameBoxOpensNothing) {
  TFileForm& f = Open();
  U().Select("XFiles", 2);
  U().PressKey('N', w95::ui::ssAlt);  // "File &name:"
  ASSERT_EQ(f.ActiveControl(), &f.Edit1);
  U().PressKey(w95::ui::vkReturn);
  EXPECT_TRUE(requests.empty());
  EXPECT_TRUE(f.Visible());
  U().Select("XFiles", 2);
  U().PressKey(w95::ui::vkReturn);
  EXPECT_EQ(requests.size(), 1u) << "Enter in the list still opens";
}

TEST_F(Window, ClosedWindowIgnoresTheOtherEntries) {
  Open();
  w95::explorer::RemoteWinClose();
  SetKey("bWinT", "gone");
  w95::explorer::RemoteWinUpdate();
  w95::explorer::RemoteWinHide();
  w95::explorer::RemoteWinClose();
  EXPECT_EQ(Key("bWinT"), "gone");
  EXPECT_EQ(ExplorerWindow(), nullptr);
}

}  // namespace
}  // namespace explorer_test
