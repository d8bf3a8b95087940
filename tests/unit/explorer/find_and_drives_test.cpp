// Finding a file by typing its first letters in the list, in columns and in
// one column, and the drives' labels in the Look-in list.
#include "explorer_fixture.h"

namespace explorer_test {
namespace {

TEST_F(Explorer, LettersTypedInTheListFindTheFileAndAPauseStartsOver) {
  for (const char* n : {"apple.bmp", "apricot.bmp", "banana.bmp", "berry.bmp"})
    machine.files.AddFile(std::string("C:\\Fruit\\") + n);
  machine.files.AddFolder("C:\\Fruit\\Baskets");
  SetKey("LastDir", "c:\\fruit\\");
  for (int32_t kind : {252, 253}) {  // single and multiple selection
    SCOPED_TRACE(kind);
    Run(kind, 0, [this](User& u, TFileForm& f) {
      for (bool oneColumn : {false, true}) {
        if (oneColumn) f.ViewMenuClick(*f.mnuOneCol);
        EXPECT_EQ(f.XFiles.Columns() == 0, oneColumn);
        EXPECT_EQ(u.FocusedName(), "XFiles");
        u.TypeChars("BE");
        EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "berry.bmp");
        EXPECT_EQ(f.Edit1.Text(), "berry.bmp") << "the name box follows as on a click";
        session.AdvanceClock(400);
        u.TypeChars("a");
        EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "berry.bmp") << "\"bea\": nothing, stays";
        session.AdvanceClock(1500);
        u.TypeChars("ap");
        EXPECT_EQ(f.Edit1.Text(), "apple.bmp");
        u.TypeChars("R");
        EXPECT_EQ(f.Edit1.Text(), "apricot.bmp");
        session.AdvanceClock(1500);
        u.TypeChars("b");
        EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "baskets\\") << "folders are found too";
        EXPECT_EQ(f.Edit1.Text(), "");
        if (f.XFiles.MultiSelect()) {
          EXPECT_EQ(f.XFiles.SelCount(), 1) << "as one click";
        }
        session.AdvanceClock(1500);
      }
      u.Click("BtnExit");
    });
  }
}

TEST_F(Explorer, FixedDrivesShowTheirLabelsAndOthersAreNotRead) {
  machine.files.AddDrive('A', /*ready=*/true);
  machine.files.SetVolumeLabel('A', "FLOPPY");
  machine.files.SetVolumeLabel('C', "SYSTEM");
  machine.files.AddFolder("D:\\Work");
  machine.files.AddDrive('E', true, 5);
  machine.files.SetVolumeLabel('E', "DISC");
  SetKey("LastDir", "d:\\work\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    const std::vector<std::string> expected = {"a:", "c: [SYSTEM]", "d:", " \\work", "e:"};
    EXPECT_EQ(f.LookBox.Items(), expected);
    u.Select("LookBox", 1);
    EXPECT_EQ(f.CurrentFolder(), "c:\\") << "a labelled drive leads to its root";
    EXPECT_EQ(f.LookBox.Items()[1], "c: [SYSTEM]");
    u.Click("BtnExit");
  });
}

// The labels are read once and kept for the next windows; opening the list
// reads them again, and a new set of drives is read at once.
TEST_F(Explorer, DriveLabelsAreKeptUntilTheListIsOpenedOrTheDrivesChange) {
  machine.files.SetVolumeLabel('C', "SYSTEM");
  SetKey("LastDir", "c:\\windows\\");
  auto lookIn = [this] {
    std::vector<std::string> items;
    Run(253, 0, [&](User& u, TFileForm& f) {
      items = f.LookBox.Items();
      u.Click("BtnExit");
    });
    return items;
  };
  EXPECT_EQ(lookIn(), (std::vector<std::string>{"c: [SYSTEM]", " \\windows"}));
  machine.files.SetVolumeLabel('C', "WORK");
  EXPECT_EQ(lookIn()[0], "c: [SYSTEM]") << "as read by the last window";
  Run(253, 0, [](User& u, TFileForm& f) {
    f.LookBox.UserDroppedDown();
    EXPECT_EQ(f.LookBox.Items(), (std::vector<std::string>{"c: [WORK]", " \\windows"}));
    EXPECT_EQ(f.LookBox.ItemIndex(), 1) << "the folder on show stays chosen";
    EXPECT_EQ(f.LookBox.ItemGlyph(1), w95::ui::GlyphKind::OpenFolder);
    u.Click("BtnExit");
  });
  machine.files.SetVolumeLabel('C', "LATER");
  machine.files.AddDrive('E', true, 5);
  machine.files.SetVolumeLabel('E', "DISC");
  EXPECT_EQ(lookIn(), (std::vector<std::string>{"c: [LATER]", " \\windows", "e:"}))
      << "another set of drives: all read again, a CD's label still not";
}

}  // namespace
}  // namespace explorer_test
