// The folder the explorer window shows is taken away (by the host or any
// other program): the next refresh says so and shows the nearest folder
// above it that is still there.
#include "explorer/remote_win.h"
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
  session.ExpectMessage(MsgKind::Warning, "The folder c:\\pics\\trip\\Day 1 is no longer there.", w95::ui::mrOk);
  w95::explorer::RemoteWinUpdate();
  EXPECT_EQ(f->CurrentFolder(), "c:\\pics");
  ASSERT_GT(f->XFiles.Count(), 0);
  EXPECT_EQ(f->XFiles.Item(f->XFiles.Count() - 1), "b.jpg");
  // A folder that is there is refreshed without a word.
  w95::explorer::RemoteWinUpdate();
  EXPECT_TRUE(session.Unused().empty());
  w95::explorer::RemoteWinClose();
}

}  // namespace
}  // namespace explorer_test
