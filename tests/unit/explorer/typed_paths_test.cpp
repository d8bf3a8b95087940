// What the name box does with a folder, a filter or a path when OK is
// pressed, and the button that makes a new folder in the saving modes.
#include "explorer_fixture.h"
#include "ui/input_box.h"

namespace explorer_test {
namespace {

using w95::ui::InputBoxForm;
using w95::ui::mrOk;

class TypedPaths : public Explorer {
 protected:
  void SetUp() override {
    Explorer::SetUp();
    machine.files.AddFile("C:\\Photos\\a.jpg");
    machine.files.AddFile("C:\\Photos\\b.bmp");
    machine.files.AddFile("C:\\Photos\\Old Ones\\x.jpg");
    machine.files.AddFile("D:\\Work\\s.jpg");
    machine.files.AddDrive('A', /*ready=*/false);
  }
  // The list as it shows after OK.
  static std::string Listed(TFileForm& f) {
    std::string out;
    for (const std::string& e : f.XFiles.Texts()) out += (out.empty() ? "" : " ") + e;
    return out;
  }
};

struct TypedRow {
  int32_t kind;
  const char* start;  // the folder before (as stored in "LastDir" or "SavePath")
  const char* typed;
  const char* folder;   // after OK
  const char* listed;   // the list after OK
  const char* box;      // the name box after OK
  const char* message;  // the error shown, "" for none
};

TEST_F(TypedPaths, FoldersFiltersAndInvalidNamesThroughTheDialog) {
  const char* kInvalid = "Invalid filename.\nPlease reenter.";
  const TypedRow rows[] = {
      {252, "c:\\photos\\", "old ones", "c:\\Photos\\Old Ones", "x.jpg", "x.jpg", ""},
      {252, "c:\\photos\\old ones\\", "..", "c:\\Photos", "old ones\\ a.jpg b.bmp", "", ""},
      {252, "c:\\photos\\", "\\", "c:\\", "photos\\ windows\\", "", ""},
      {252, "c:\\photos\\", "d:work\\", "d:\\Work", "s.jpg", "s.jpg", ""},
      {24, "c:\\photos\\", "c:\\photos\\old ones", "c:\\Photos\\Old Ones", "x.jpg", "x.jpg", ""},
      {252, "c:\\photos\\", "*.bmp", "c:\\photos", "old ones\\ b.bmp", "*.bmp", ""},
      {252, "c:\\photos\\", "*.BMP;?.jpg", "c:\\photos", "old ones\\ a.jpg b.bmp", "*.BMP;?.jpg",
       ""},
      {252, "c:\\", "photos\\old ones\\*.*", "c:\\Photos\\Old Ones", "x.jpg", "*.*", ""},
      {24, "c:\\photos\\", "*.jpg", "c:\\photos", "old ones\\ a.jpg", "*.jpg", ""},
      // Anything else keeps the mode's own checks and messages.
      {252, "c:\\photos\\", "ab.c.jpg", "c:\\photos", "old ones\\ a.jpg b.bmp", "ab.c.jpg",
       kInvalid},
      {252, "c:\\photos\\", "nowhere\\x.jpg", "c:\\photos", "old ones\\ a.jpg b.bmp",
       "nowhere\\x.jpg", kInvalid},
      {252, "c:\\photos\\", "nowhere\\*.jpg", "c:\\photos", "old ones\\ a.jpg b.bmp",
       "nowhere\\*.jpg", kInvalid},
      {252, "c:\\photos\\", "e:", "c:\\photos", "old ones\\ a.jpg b.bmp", "e:", kInvalid},
      {252, "c:\\photos\\", "a:", "c:\\photos", "old ones\\ a.jpg b.bmp", "a:", kInvalid},
      {24, "c:\\photos\\", "d:\\nowhere\\x.JPG", "c:\\photos", "old ones\\ a.jpg",
       "d:\\nowhere\\x.JPG", "Invalid path.\nPlease reenter."},
  };
  for (const TypedRow& row : rows) {
    SCOPED_TRACE(row.typed);
    SetKey("LastDir", row.start);
    SetKey("SavePath", row.start);
    if (*row.message) session.ExpectMessage(MsgKind::Error, row.message, mrOk);
    std::string folder, listed, box;
    Run(row.kind, 0, [&](User& u, TFileForm& f) {
      u.Type("Edit1", row.typed);
      u.Click("BtnOK");
      folder = f.CurrentFolder();
      listed = Listed(f);
      box = f.Edit1.Text();
      u.Click("BtnExit");
    });
    EXPECT_EQ(folder, row.folder);
    EXPECT_EQ(listed, row.listed);
    EXPECT_EQ(box, row.box);
    EXPECT_TRUE(session.Unused().empty());
  }
  EXPECT_EQ(session.Messages().size(), 6u);
}

TEST_F(TypedPaths, APathToAFileShowsItsFolderAndOpensTheName) {
  SetKey("LastDir", "c:\\photos\\");
  const int32_t r = Run(252, 0, [](User& u, TFileForm& f) {
    u.Type("Edit1", "old ones\\x.jpg");
    u.Click("BtnOK");
    EXPECT_EQ(f.CurrentFolder(), "c:\\Photos\\Old Ones") << "as the folders are spelt";
  });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Key("LongName"), "x.jpg");
  EXPECT_EQ(Key("Savename"), "c:\\Photos\\OLDONE~1\\x.jpg");
  EXPECT_EQ(Key("LastDir"), "c:\\Photos\\OLDONE~1\\");
}

TEST_F(TypedPaths, TheFilterLastsUntilTheTypeBoxOrTheFolderChanges) {
  SetKey("LastDir", "c:\\photos\\");
  Run(252, 0, [](User& u, TFileForm& f) {
    u.Type("Edit1", "*.bmp");
    u.Click("BtnOK");
    EXPECT_EQ(Listed(f), "old ones\\ b.bmp");
    f.FileMenuClick(*f.mnuRefresh);
    EXPECT_EQ(Listed(f), "old ones\\ b.bmp") << "reading the list again keeps it";
    u.Select("FilterComboBox1", 1);  // the same entry again
    EXPECT_EQ(Listed(f), "old ones\\ a.jpg b.bmp");
    u.Type("Edit1", "*.bmp");
    u.Click("BtnOK");
    u.DoubleClick("XFiles", 0);
    u.Click("BtnUp");
    EXPECT_EQ(Listed(f), "old ones\\ a.jpg b.bmp");
    u.Click("BtnExit");
  });
}

TEST_F(TypedPaths, NewFolderIsNamedMadeAndChosenInTheSavingModesOnly) {
  SetKey("SavePath", "c:\\photos\\");
  auto answer = [this](const std::string& proposed, const std::string& typed) {
    session.WhenModal<InputBoxForm>([proposed, typed](User& u, InputBoxForm& box) {
      EXPECT_EQ(box.Caption(), "New Folder");
      EXPECT_EQ(box.Value.Text(), proposed);
      if (!typed.empty()) u.Type("Value", typed);
      u.Click("BtnOK");
    });
  };
  session.WhenModal<TFileForm>([](User& u, TFileForm& f) {
    EXPECT_TRUE(f.BtnNewFolder.Visible());
    EXPECT_EQ(f.BtnNewFolder.Hint(), "New Folder");
    EXPECT_LT(f.LookBox.Left() + f.LookBox.Width(), f.BtnNewFolder.Left());
    EXPECT_LT(f.BtnNewFolder.Left() + f.BtnNewFolder.Width(), f.BtnUp.Left());
    u.Type("Edit1", "photo");
    u.Click("BtnNewFolder");
    EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "new folder\\");
    EXPECT_EQ(f.Edit1.Text(), "") << "OK opens the new folder";
    u.Click("BtnNewFolder");
    EXPECT_EQ(f.XFiles.Item(f.XFiles.ItemIndex()), "trips\\");
    u.Click("BtnOK");
    EXPECT_EQ(f.CurrentFolder(), "c:\\photos\\trips");
    u.Click("BtnExit");
  });
  answer("New Folder", "");
  answer("New Folder (2)", "a:b");
  session.ExpectMessage(MsgKind::Error, "Invalid filename.\nPlease reenter.", mrOk);
  answer("a:b", "New Folder");
  session.ExpectMessage(MsgKind::Warning, "Filename exists.\nc:\\photos\\New Folder", mrOk);
  answer("New Folder", "Trips");
  w95::explorer::RunRemoteDlg(24, 0);
  EXPECT_TRUE(machine.files.Exists("C:\\Photos\\New Folder"));
  EXPECT_TRUE(machine.files.Exists("C:\\Photos\\Trips"));
  EXPECT_TRUE(session.Unused().empty());
  for (int32_t kind : {252, 253, 254})
    Run(kind, 0, [](User& u, TFileForm& f) {
      EXPECT_FALSE(f.BtnNewFolder.Visible());
      u.Click("BtnExit");
    });
}

TEST(NewFolderButton, ShownWhereTheDialogSavesIntoAFolder) {
  using namespace w95::explorer;
  for (int32_t kind : {0, 4, 24, 2, 102, 108})
    EXPECT_TRUE(LookOf(ModeFromKind(kind, 0), "").newFolderButton) << kind;
  for (int32_t kind : {252, 253, 254, 300})
    EXPECT_FALSE(LookOf(ModeFromKind(kind, 0), "").newFolderButton) << kind;
  ModeSetup search = ModeFromKind(2, 0);
  search.pickFolder = true;
  EXPECT_FALSE(LookOf(search, "").newFolderButton) << "the folder search only reads";
}

TEST_F(TypedPaths, NewFolderOnAWriteProtectedDriveSaysSo) {
  machine.files.SetWriteProtected('D', true);
  SetKey("LastDir", "d:\\work\\");
  session.WhenModal<TFileForm>([](User& u, TFileForm& f) {
    EXPECT_TRUE(f.BtnNewFolder.Visible()) << "the move mode saves into a folder too";
    u.Click("BtnNewFolder");
    EXPECT_EQ(Listed(f), "s.jpg");
    u.Click("BtnExit");
  });
  session.WhenModal<InputBoxForm>([](User& u, InputBoxForm&) { u.Click("BtnOK"); });
  session.ExpectMessage(MsgKind::Error, "Cannot create folder.\nd:\\work\\New Folder", mrOk);
  w95::explorer::RunRemoteDlg(2, 0);
  EXPECT_FALSE(machine.files.Exists("D:\\Work\\New Folder"));
}

}  // namespace
}  // namespace explorer_test
