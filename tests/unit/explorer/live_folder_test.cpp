// Live folders: files made, removed or renamed in the folder on show appear
// in the explorer's list without a refresh asked for, once things settle;
// what the user chose and where the list was scrolled stay.
#include <string>
#include <vector>

#include "explorer/live_folder.h"
#include "explorer/remote_win.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/timer.h"
#include "explorer_fixture.h"

namespace explorer_test {
namespace {

using w95::explorer::ChangeGate;

TEST(ChangeGate, WaitsForQuietButNotForeverAcrossTheClocksWrap) {
  for (const uint32_t start : {1000u, 0xFFFFFF00u}) {
    SCOPED_TRACE(start);
    ChangeGate g;
    EXPECT_FALSE(g.Due(start + 5000)) << "nothing changed";
    g.Changed(start);
    EXPECT_FALSE(g.Due(start + ChangeGate::kQuiet - 1));
    EXPECT_TRUE(g.Due(start + ChangeGate::kQuiet));
    // Each change starts the quiet time again ...
    g.Changed(start + 200);
    EXPECT_FALSE(g.Due(start + 300));
    EXPECT_TRUE(g.Due(start + 200 + ChangeGate::kQuiet));
    // ... until the first unread change is the longest wait old.
    for (uint32_t t = start + 400; t < start + ChangeGate::kLongest; t += 100) {
      g.Changed(t);
      EXPECT_FALSE(g.Due(t)) << t - start;
    }
    g.Changed(start + ChangeGate::kLongest);
    EXPECT_TRUE(g.Due(start + ChangeGate::kLongest));
    g.Clear();
    EXPECT_FALSE(g.Due(start + 10000));
  }
}

class Live : public ExplorerWindowTest {
 protected:
  void SetUp() override {
    ExplorerWindowTest::SetUp();
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"})
      machine.files.AddFile(std::string("C:\\Pics\\") + name, "data");
    machine.files.AddFolder("C:\\Pics\\Sub");
    machine.files.AddFile("C:\\Pics\\Sub\\inner.jpg");
    SetKey("LastDir", "c:\\pics\\");
  }
  // Time passes and the window looks at its watch.
  void Tick(uint32_t ms = 100) {
    machine.desktop.ticks += ms;
    ASSERT_TRUE(shown->LiveTimer.Running());
    shown->LiveTimer.Fire();
  }
  void Settle() {
    for (int i = 0; i < 4; ++i) Tick();
  }
  static std::string Listed(const TFileForm& f) {
    std::string out;
    for (int i = 0; i < f.XFiles.Count(); ++i) out += (i ? " " : "") + f.XFiles.Item(i);
    return out;
  }
  static std::string Chosen(const TFileForm& f) {
    std::string out;
    for (int i = 0; i < f.XFiles.Count(); ++i)
      if (f.XFiles.Selected(i)) out += (out.empty() ? "" : " ") + f.XFiles.Item(i);
    return out;
  }
};

TEST_F(Live, MadeRemovedAndRenamedFilesShowOnceQuietKeepingChoiceScrollAndName) {
  TFileForm& f = OpenWindow();
  ASSERT_EQ(Listed(f), "sub\\ a.jpg b.jpg c.jpg d.jpg e.jpg f.jpg");
  f.XFiles.UserSelect(3);                   // c.jpg
  f.XFiles.UserSelect(5, w95::ui::ssCtrl);  // and e.jpg, the current one
  f.XFiles.SetTopIndex(2);                  // scrolled to b.jpg
  ASSERT_EQ(f.Edit1.Text(), "e.jpg");

  ASSERT_TRUE(machine.files.WriteFile("c:\\pics\\aa.jpg", "new"));  // before the top entry
  ASSERT_TRUE(machine.files.DeleteFile("c:\\pics\\d.jpg"));
  ASSERT_TRUE(machine.files.MoveFile("c:\\pics\\f.jpg", "c:\\pics\\g.jpg"));
  ASSERT_TRUE(machine.files.CreateDirectory("c:\\pics\\New"));
  machine.files.AddFile("C:\\Pics\\notes.txt");  // not a picture: not listed
  Tick();
  Tick();
  EXPECT_EQ(Listed(f), "sub\\ a.jpg b.jpg c.jpg d.jpg e.jpg f.jpg") << "not quiet yet";
  Tick(ChangeGate::kQuiet);
  EXPECT_EQ(Listed(f), "new\\ sub\\ a.jpg aa.jpg b.jpg c.jpg e.jpg g.jpg");
  EXPECT_EQ(Chosen(f), "c.jpg e.jpg");
  EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "e.jpg");
  EXPECT_EQ(f.XFiles.Item(f.XFiles.TopIndex()), "b.jpg") << "the same entry on top";
  EXPECT_EQ(f.Edit1.Text(), "e.jpg");

  // A change of contents is no change of the list; a change in a folder
  // below is not one of this folder.
  ASSERT_TRUE(machine.files.WriteFile("c:\\pics\\a.jpg", "longer data"));
  machine.files.AddFile("C:\\Pics\\Sub\\deeper.jpg");
  f.XFiles.SetTopIndex(0);
  Settle();
  EXPECT_EQ(f.XFiles.TopIndex(), 0) << "nothing read again";
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Live, ABurstGivesOneReadingAndASteadyTrickleStillShows) {
  TFileForm& f = OpenWindow();
  int readings = 0;
  int last = f.XFiles.Count();
  auto count = [&] {
    if (f.XFiles.Count() != last) ++readings;
    last = f.XFiles.Count();
  };
  // 1,000 files within a few ticks, each tick inside the quiet time.
  for (int t = 0; t < 10; ++t) {
    for (int k = 0; k < 100; ++k)
      machine.files.AddFile("C:\\Pics\\burst" + std::to_string(t * 100 + k) + ".jpg");
    Tick(20);
    count();
  }
  for (int t = 0; t < 10; ++t) {
    Tick();
    count();
  }
  EXPECT_EQ(readings, 1);
  EXPECT_EQ(f.XFiles.Count(), 1 + 6 + 1000);

  // A file every 100 ms for three seconds never leaves a quiet time, yet
  // the list follows about once a second.
  readings = 0;
  for (int t = 0; t < 30; ++t) {
    machine.files.AddFile("C:\\Pics\\trickle" + std::to_string(t) + ".jpg");
    Tick();
    count();
  }
  EXPECT_GE(readings, 2);
  EXPECT_LE(readings, 4);
}

TEST_F(Live, ChosenFilesThatGoLeaveTheRestChosenAndTheNameBoxAlone) {
  machine.files.AddFile("C:\\Pics\\d.jpg", std::string(5000, 'x'));
  SetKey("ExpPreview", "1");
  TFileForm& f = OpenWindow();
  f.XFiles.UserSelect(2);                   // b.jpg
  f.XFiles.UserSelect(4, w95::ui::ssCtrl);  // d.jpg, current
  EXPECT_EQ(f.Preview.DepthLine.Caption(), "5 KB");
  ASSERT_TRUE(machine.files.DeleteFile("c:\\pics\\d.jpg"));
  Settle();
  EXPECT_EQ(Chosen(f), "b.jpg");
  EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "b.jpg");
  EXPECT_EQ(f.Preview.DepthLine.Caption(), "1 KB") << "the picture pane follows";
  EXPECT_EQ(f.Edit1.Text(), "d.jpg") << "the box is the user's";
  ASSERT_TRUE(machine.files.DeleteFile("c:\\pics\\b.jpg"));
  Settle();
  EXPECT_EQ(Chosen(f), "");
  EXPECT_EQ(f.XFiles.ItemIndex(), 2) << "the focus stays where it was";
  // Nothing chosen: a request names no file that is gone.
  session.ExpectMessage(MsgKind::Warning, w95::ui::mrOk);
  f.InfoClick();
  EXPECT_TRUE(machine.host.sent.empty());
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(Live, TheDetailsViewKeepsItsSort) {
  machine.files.AddFile("C:\\Pics\\big.jpg", std::string(5000, 'x'));
  TFileForm& f = OpenWindow();
  f.SetDetailsView(true, false);
  f.XFilesHeaderClick(1);
  f.XFilesHeaderClick(1);  // by size, largest first
  ASSERT_EQ(f.XFiles.Item(1), "big.jpg");
  machine.files.AddFile("C:\\Pics\\mid.jpg", std::string(2000, 'x'));
  Settle();
  EXPECT_EQ(Listed(f), "sub\\ big.jpg mid.jpg a.jpg b.jpg c.jpg d.jpg e.jpg f.jpg");
}

TEST_F(Live, TheWatchFollowsTheFolderAndEndsWithTheWindow) {
  TFileForm& f = OpenWindow();
  EXPECT_EQ(machine.files.WatchedFolders(), std::vector<std::string>{"c:\\pics"});
  f.XFiles.UserSelect(0);
  f.XFiles.UserDblClick();  // into Sub
  ASSERT_EQ(f.CurrentFolder(), "c:\\pics\\sub");
  EXPECT_EQ(machine.files.WatchedFolders(), std::vector<std::string>{"c:\\pics\\sub"});
  machine.files.AddFile("C:\\Pics\\Sub\\x.jpg");
  Settle();
  EXPECT_EQ(Listed(f), "inner.jpg x.jpg");
  // A refresh the host asks for and another file type keep the one watch.
  const int made = machine.files.watchesMade;
  w95::explorer::RemoteWinUpdate();
  session.GetUser().Select("FilterComboBox1", 0);
  EXPECT_EQ(machine.files.watchesMade, made);

  // Closed with a change pending: nothing is read after the close, and the
  // watch and the timer go with the window.
  machine.files.AddFile("C:\\Pics\\Sub\\y.jpg");
  Tick();
  {
    const w95::ui::HandlerScope running;  // the window is freed after this
    w95::explorer::RemoteWinClose();
    EXPECT_TRUE(machine.files.WatchedFolders().empty());
    EXPECT_FALSE(f.LiveTimer.Running());
  }
  w95::ui::Application().ProcessMessages();
  EXPECT_EQ(w95::explorer::ExplorerWindow(), nullptr);
}

TEST_F(Live, AFolderOrDriveThatGoesEmptiesTheListUntilTheUserActs) {
  machine.files.AddDrive('D');
  machine.files.AddFile("D:\\Card\\p.jpg");
  TFileForm& f = OpenWindow();
  ASSERT_TRUE(machine.files.MoveFile("c:\\pics", "c:\\old pics"));
  Settle();
  EXPECT_EQ(f.XFiles.Count(), 0);
  EXPECT_TRUE(machine.files.WatchedFolders().empty());
  // The user is told at the next step, and sees the folder above.
  session.ExpectMessage(MsgKind::Warning, "The folder c:\\pics is no longer there.", w95::ui::mrOk);
  f.BtnUpClick(f.BtnUp);
  EXPECT_EQ(f.CurrentFolder(), "c:\\");
  EXPECT_EQ(machine.files.WatchedFolders(), std::vector<std::string>{"c:\\"});

  f.GoToFolder("d:\\card");
  ASSERT_EQ(f.CurrentFolder(), "d:\\card");
  machine.files.SetDriveReady('D', false);  // the card is pulled
  Settle();
  EXPECT_EQ(f.XFiles.Count(), 0);
  EXPECT_TRUE(machine.files.WatchedFolders().empty());
}

TEST_F(Live, TheDialogReadsOnlyAtRestAndKeepsWhatIsTyped) {
  SetKey("SavePath", "c:\\pics\\");
  session.DialogsLetMessagesRun();
  session.ExpectMessage(MsgKind::Information, w95::ui::mrOk);
  Run(24, 0, [&](User& u, TFileForm& f) {
    shown = &f;
    const std::string before = Listed(f);
    u.Type("Edit1", "holiday");
    machine.files.AddFile("C:\\Pics\\new.jpg");
    // While a message box is up, time passes and the timer fires in its
    // loop: the list stays as the handler under the box knows it.
    session.OnPump([&] {
      if (!session.InMessageBox()) return;
      Settle();
      EXPECT_EQ(Listed(f), before);
    });
    w95::ui::MessageDlg("A question", MsgKind::Information, w95::ui::Buttons::OK);
    session.OnPump({});
    Tick();
    EXPECT_NE(Listed(f), before);
    EXPECT_NE(Listed(f).find("new.jpg"), std::string::npos);
    EXPECT_EQ(f.Edit1.Text(), "holiday");
    EXPECT_EQ(u.FocusedName(), "Edit1");
    u.Click("BtnExit");
  });
  EXPECT_TRUE(session.Unused().empty());
}

}  // namespace
}  // namespace explorer_test
