// A drive with no space left: saving the script, or writing the test script
// for the host, says that the disk is full, keeps the editor open with its
// changes and leaves the file that was there whole.
#include "editor_fixture.h"

namespace editor_test {
namespace {

using w95::ui::mrOk;
using w95::ui::mrYes;

TEST_F(Editor, AFullDiskIsReportedAsSuchAndTheOldFileStaysWhole) {
  const std::string old = "[Header]\r\nVer=6\r\nN=1\r\n[1]\r\nF=old.bmp,0\r\nX=0\r\n";
  machine.files.AddFile("d:\\shows\\avltmp.avl", old);
  machine.files.AddFile("d:\\shows\\show.avl", old);
  machine.files.SetFreeSpace('d', 16);
  StartWith("c:\\shows\\trip.avl");
  SetKey("AVLTMP", "d:\\shows\\avltmp.avl");
  const auto script = [this](const char* button) {
    return [this, button](User& u, TEditorForm& f) {
      Open(u, ed::kColWait, 1);  // a change the user still has
      u.Click(button);
      EXPECT_EQ(f.GetModalResult(), w95::ui::mrNone) << "the editor stays open";
      EXPECT_TRUE(f.State().Modified);
      EXPECT_EQ(f.Grid.RowCount(), 5) << "with its slides";
      u.Click("BtnQuit");
    };
  };
  for (const char* button : {"BtnTest", "BtnSave"}) {
    SCOPED_TRACE(button);
    const std::string target =
        std::string(button) == "BtnTest" ? "d:\\shows\\avltmp.avl" : "d:\\shows\\show.avl";
    if (std::string(button) == "BtnSave") ExplorerChooses(target);
    session.AnswerPopup("wait5");
    session.ExpectMessage(
        MsgKind::Error, "Unable to write to " + target + "\nThe disk is full or cannot be written.",
        mrOk);
    session.ExpectMessage(MsgKind::Confirm, "Discard changes?", mrYes);
    EXPECT_EQ(Run(script(button)), 0) << "nothing for the host to play";
    EXPECT_EQ(FileText(target), old);
    EXPECT_EQ(machine.files.Find("d:\\shows\\*.tmp").size(), 0u) << "no half-written file left";
  }
}

}  // namespace
}  // namespace editor_test
