// LoadFile and SaveFile on the simulated machine, with a window that records
// what the user would see and answers for the user.
#include <gtest/gtest.h>

#include <functional>

#include "editor/script_io.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/paths.h"

namespace w95::editor {
namespace {

class RecordingWindow final : public ScriptWindow {
 public:
  std::function<int(int)> explorer;  // plays the explorer dialog
  bool answerYes = true;
  std::vector<int> explorerKinds;
  std::vector<std::string> captions, errors, warnings, questions;
  int progressMax = 0, progressLast = 0, busy = 0;

  int RunExplorer(int kind) override {
    explorerKinds.push_back(kind);
    return explorer ? explorer(kind) : -1;
  }
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  bool Confirm(const std::string& text) override {
    questions.push_back(text);
    return answerYes;
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  void SetBusy(bool on) override { busy += on ? 1 : -1; }
  void EnableSlideControls() override {}
  void RefreshSlide() override {}
  void Begin(int max) override { progressMax = max; }
  void Step(int position) override { progressLast = position; }
  void End() override {}
  double Now() override { return 35431.5; }
};

class ScriptIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.desktop.SetScreen(800, 600);
    machine.files.AddFolder("c:\\shows");
    machine.files.AddFolder("c:\\viewer");
    machine.files.AddFile("c:\\pics\\sunset.bmp", "x");
    machine.Install();
    SetUpGrid(grid);
    SetUpClear(grid);
    state.AppDir = "c:\\viewer\\";
    state.TempScriptPath = "c:\\viewer\\test.avl";
  }
  // The explorer answers by writing the chosen name, as it does.
  void Choose(const std::string& name) {
    window.explorer = [name](int) {
      TIniFile(keys::kSettingsFile).WriteText(keys::kSection, keys::kSavename, name);
      return 0;
    };
  }
  std::string Setting(const char* key) {
    return TIniFile(keys::kSettingsFile).ReadText(keys::kSection, key, "<none>");
  }
  void AddSlides(int n) {
    grid.SetRowCount(n + 1);
    for (int r = 1; r <= n; ++r) {
      grid.SetCell(kColNumber, r, std::to_string(r));
      grid.SetCell(kColPath, r, "c:\\pics\\sunset.bmp");
      grid.SetCell(kColName, r, "sunset.bmp");
      SetUpGraphic(grid, r);
    }
  }

  platform::sim::SimMachine machine;
  ui::StringGrid grid;
  ScriptState state;
  RecordingWindow window;
  PlatformScriptFiles files;
};

TEST_F(ScriptIoTest, SaveAndOpenThroughTheExplorer) {
  AddSlides(3);
  grid.SetCell(kColWait, 2, "9");
  state.ScriptTitle = "holiday.avl";
  Choose("c:\\shows\\show.avl");
  ASSERT_TRUE(SaveFile(state, grid, window, files, false));
  EXPECT_EQ(window.explorerKinds, std::vector<int>{kExplorerSave});
  EXPECT_EQ(Setting(keys::kSaveAs), "holiday.avl");
  EXPECT_EQ(Setting(keys::kAvlNow), "c:\\shows\\show.avl");
  EXPECT_EQ(state.ScriptPath, "c:\\shows\\show.avl");
  EXPECT_EQ(window.captions.back(), "Plimbo Slide Editor [show.avl]");
  EXPECT_FALSE(state.Modified);
  EXPECT_EQ(state.CatalogId, "J74S8");  // first identifier, from the date
  EXPECT_EQ(Setting(keys::kThmIdx), "J74S8");
  EXPECT_EQ(window.progressMax, 3);
  EXPECT_EQ(window.busy, 0);
  const std::string text = machine.files.ReadFile("c:\\shows\\show.avl").value_or("");
  EXPECT_EQ(text.rfind("[Header]\r\nVer=6\r\nScreenW=800\r\nScreenH=600\r\nN=4\r\nCat=J74S8\r\n"
                       "[Directory]\r\n0=c:\\viewer\\\r\n1=c:\\pics\\\r\n", 0), 0u);

  ui::StringGrid back;
  SetUpGrid(back);
  ScriptState opened;
  state.Modified = false;
  window.captions.clear();
  ASSERT_TRUE(LoadFile(opened, back, window, files, false));
  EXPECT_EQ(opened.CatalogId, "J74S8");
  EXPECT_EQ(back.RowCount(), 4);
  EXPECT_EQ(back.Cell(kColWait, 2), "9");
  EXPECT_EQ(back.Cell(kColName, 1), "sunset.bmp");
  EXPECT_EQ(window.captions.back(), "Plimbo Slide Editor [show.avl]");
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(ScriptIoTest, CancelledDialogsAndUnsavedChanges) {
  AddSlides(1);
  window.explorer = [](int) { return -1; };
  EXPECT_FALSE(SaveFile(state, grid, window, files, false));
  EXPECT_TRUE(state.Modified);

  window.answerYes = false;  // "Discard changes?" No: the explorer is not asked
  window.explorerKinds.clear();
  EXPECT_FALSE(LoadFile(state, grid, window, files, false));
  EXPECT_EQ(window.questions, std::vector<std::string>{"Discard changes?"});
  EXPECT_TRUE(window.explorerKinds.empty());
  EXPECT_EQ(grid.RowCount(), 2);

  // The explorer came back without a name.
  window.explorer = [](int) { return 0; };
  state.Modified = false;
  EXPECT_FALSE(LoadFile(state, grid, window, files, false));
  EXPECT_EQ(Setting(keys::kAvlNow), "ERROR");
}

TEST_F(ScriptIoTest, StartUpCaptionAndBadFiles) {
  machine.files.AddFile("c:\\shows\\bad.avl", "[Header]\r\nVer=6\r\nN=1\r\n");
  state.ScriptPath = "c:\\shows\\bad.avl";
  EXPECT_FALSE(LoadFile(state, grid, window, files, true));
  EXPECT_EQ(window.captions.back(), "Plimbo Slide Editor [*New*]");
  EXPECT_TRUE(state.Modified);
  EXPECT_EQ(window.errors, std::vector<std::string>{"Bad AVL file."});

  TIniFile(keys::kSettingsFile).WriteText(keys::kSection, keys::kAvlNow, "c:\\shows\\Mine.avl");
  state.ScriptPath = "c:\\shows\\missing.avl";
  EXPECT_FALSE(LoadFile(state, grid, window, files, true));
  EXPECT_EQ(window.captions.back(), "Plimbo Slide Editor [Mine.avl]");
  EXPECT_FALSE(state.Modified);
}

TEST_F(ScriptIoTest, ManySlidesWarnAfterLoading) {
  AddSlides(1700);
  state.CatalogId = "ABCDE";
  ASSERT_TRUE(SaveFile(state, grid, window, files, true));
  EXPECT_FALSE(state.Modified);
  EXPECT_EQ(state.ScriptPath, "");  // a test save changes nothing of the script's name
  state.ScriptPath = state.TempScriptPath;
  ui::StringGrid back;
  SetUpGrid(back);
  ASSERT_TRUE(LoadFile(state, back, window, files, true));
  EXPECT_EQ(back.RowCount(), 1701);
  EXPECT_EQ(window.warnings, std::vector<std::string>{std::string(kManySlidesWarning)});
}

TEST_F(ScriptIoTest, AFailedSaveKeepsTheOldFileAndTheChanges) {
  const std::string old = "[Header]\r\nVer=6\r\nN=2\r\n[1]\r\nF=old.bmp,0\r\n";
  machine.files.AddFile("c:\\shows\\show.avl", old);
  AddSlides(40);
  state.CatalogId = "ABCDE";
  Choose("c:\\shows\\show.avl");
  // Room for the header and a few slides only.
  const auto fresh = machine.files.FreeSpace("c:\\");
  ASSERT_TRUE(fresh.has_value());
  machine.files.SetFreeSpace('C', 400);
  EXPECT_FALSE(SaveFile(state, grid, window, files, false));
  ASSERT_EQ(window.errors.size(), 1u);
  EXPECT_EQ(window.errors[0].rfind("Save aborted at slide #", 0), 0u);
  EXPECT_NE(window.errors[0], SaveAbortedMessage(0));
  EXPECT_TRUE(state.Modified);
  EXPECT_EQ(machine.files.ReadFile("c:\\shows\\show.avl"), old);
  EXPECT_TRUE(machine.files.Find("c:\\shows\\~*.*").empty());  // no temporary file left
}

TEST_F(ScriptIoTest, PathFormsFromOneSearchAFolderAreThoseOfTheFileByFile) {
  machine.files.AddFile("C:\\Photos\\Long File Name.jpeg", "x");
  machine.files.AddFile("C:\\Photos\\SHORT.BMP", "x");
  machine.files.AddFile("C:\\Long Folder\\Pic.JPG", "x");
  const std::vector<std::string> paths = {
      "c:\\photos\\long file name.jpeg", "C:\\PHOTOS\\LONGFI~1.JPE", "c:\\photos\\short.bmp",
      "c:\\photos\\gone.bmp",            "c:\\long folder\\pic.jpg",  "c:\\nowhere\\x.bmp",
      "c:\\photos\\*.bmp",               "c:\\Long Folder\\PIC.jpg"};
  std::string text;
  for (size_t i = 0; i < paths.size(); ++i)
    text += "[" + std::to_string(i + 1) + "]\r\nFile=" + paths[i] + "\r\n";
  TextSource source(text);
  ui::StringGrid g;
  SetUpGrid(g);
  ASSERT_TRUE(ReadScript(source, g, files).Ok());
  for (size_t i = 0; i < paths.size(); ++i) {
    std::string expected = w95::ShortPathOf(paths[i]);
    for (char& c : expected) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const int row = static_cast<int>(i) + 1;
    EXPECT_EQ(g.Cell(kColPath, row), expected) << paths[i];
    EXPECT_EQ(g.Cell(kColName, row), w95::LongNameOf(paths[i])) << paths[i];
  }
  EXPECT_EQ(g.Cell(kColName, 1), "Long File Name.jpeg");
}

}  // namespace
}  // namespace w95::editor
