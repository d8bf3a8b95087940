// The folder the explorer shows is taken away (by the host or any other
// program): the next refresh, or the next thing the user does in the list,
// says so and shows the nearest folder above it that is still there.
#include <iterator>
#include <vector>

#include "explorer/remote_win.h"
#include "ui/application.h"
#include "explorer_fixture.h"

namespace explorer_test {
namespace {

TEST_F(Explorer, AFolderThatVanishedUnderTheWindowGivesWayToItsNearestParent) {
  machine.files.AddFile("C:\\Pics\\b.jpg");
  machine.files.AddFile("C:\\Pics\\Trip\\Day 1\\c.jpg");
  SetKey("LastDir", "c:\\pics\\trip\\day 1\\");
  w95::explorer::RunRemoteWin(0x4242, false);
  TFileForm* f = w95::explorer::ExplorerWindow();
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(f->CurrentFolder(), "c:\\pics\\trip\\Day 1");
  // The whole "Trip" folder goes, the one shown with it.
  ASSERT_TRUE(machine.files.MoveFile("c:\\pics\\trip", "c:\\elsewhere"));
  session.ExpectMessage(MsgKind::Warning, "The folder c:\\pics\\trip\\Day 1 is no longer there.",
                        w95::ui::mrOk);
  w95::explorer::RemoteWinUpdate();
  EXPECT_EQ(f->CurrentFolder(), "c:\\pics");
  ASSERT_GT(f->XFiles.Count(), 0);
  EXPECT_EQ(f->XFiles.Item(f->XFiles.Count() - 1), "b.jpg");
  // A folder that is there is refreshed without a word.
  w95::explorer::RemoteWinUpdate();
  EXPECT_TRUE(session.Unused().empty());
  w95::explorer::RemoteWinClose();
}

// What the user can do next in a list whose folder has gone. None of it
// acts on the old list: the user is told and sees the parent's list first.
struct UserAction {
  const char* name;
  void (*act)(User&, TFileForm&);
};
const UserAction kActions[] = {
    {"double click on a file",
     [](User&, TFileForm& f) {
       f.XFiles.UserSelect(f.XFiles.Count() - 1);
       f.XFiles.UserDblClick();
     }},
    {"double click on a sub-folder",
     [](User&, TFileForm& f) {
       f.XFiles.UserSelect(0);
       f.XFiles.UserDblClick();
     }},
    {"OK", [](User& u, TFileForm&) { u.Click("BtnOK"); }},
    {"Up", [](User& u, TFileForm&) { u.Click("BtnUp"); }},
    {"another type", [](User& u, TFileForm&) { u.Select("FilterComboBox1", 1); }},
};

class VanishedFolder : public Explorer {
 protected:
  void SetUp() override {
    Explorer::SetUp();
    machine.files.AddFile("C:\\Pics\\b.jpg");
    machine.files.AddFile("C:\\Pics\\Trip\\Day 1\\c.jpg");
    machine.files.AddFolder("C:\\Pics\\Trip\\Day 1\\Night");
  }
  void TakeTheFolderAway() {
    ASSERT_TRUE(machine.files.MoveFile("c:\\pics\\trip", "c:\\elsewhere"));
    session.ExpectMessage(MsgKind::Warning, "The folder c:\\pics\\trip\\Day 1 is no longer there.",
                          w95::ui::mrOk);
  }
  void ExpectTheParentListed(const TFileForm& f) {
    EXPECT_EQ(f.CurrentFolder(), "c:\\pics");
    ASSERT_GT(f.XFiles.Count(), 0);
    EXPECT_EQ(f.XFiles.Item(f.XFiles.Count() - 1), "b.jpg");
    EXPECT_TRUE(session.Unused().empty()) << "the user was told";
  }
};

TEST_F(VanishedFolder, EveryActionInTheWindowGoesToTheParentAndSendsNothing) {
  for (const UserAction& action : kActions) {
    SCOPED_TRACE(action.name);
    SetKey("LastDir", "c:\\pics\\trip\\day 1\\");
    w95::explorer::RunRemoteWin(0x4242, false);
    TFileForm* f = w95::explorer::ExplorerWindow();
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->CurrentFolder(), "c:\\pics\\trip\\Day 1");
    TakeTheFolderAway();
    const size_t sent = machine.host.sent.size();
    action.act(session.GetUser(), *f);
    ExpectTheParentListed(*f);
    EXPECT_EQ(machine.host.sent.size(), sent) << "no request for a file that is gone";
    w95::explorer::RemoteWinClose();
    w95::ui::Application().ProcessMessages();
    ASSERT_TRUE(machine.files.MoveFile("c:\\elsewhere", "c:\\pics\\trip"));
  }
}

TEST_F(VanishedFolder, TheDialogStaysOpenOnTheParentWhateverTheUserDoes) {
  std::vector<UserAction> actions(std::begin(kActions), std::end(kActions));
  actions.push_back({"a name typed and Enter", [](User& u, TFileForm&) {
                       u.Type("Edit1", "c.jpg");
                       u.PressKey(w95::ui::vkReturn);
                     }});
  for (const UserAction& action : actions) {
    SCOPED_TRACE(action.name);
    SetKey("LastDir", "c:\\pics\\trip\\day 1\\");
    const int32_t r = Run(252, 0, [&](User& u, TFileForm& f) {
      EXPECT_EQ(f.CurrentFolder(), "c:\\pics\\trip\\Day 1");
      TakeTheFolderAway();
      action.act(u, f);
      EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone) << "nothing chosen from a folder that is gone";
      ExpectTheParentListed(f);
      u.Click("BtnExit");
    });
    EXPECT_EQ(r, -1);
    ASSERT_TRUE(machine.files.MoveFile("c:\\elsewhere", "c:\\pics\\trip"));
  }
}

}  // namespace
}  // namespace explorer_test
