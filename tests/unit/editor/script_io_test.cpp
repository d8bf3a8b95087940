// LoadFile and SaveFile on the simulated machine, with a window that records
// what the user would see and answers for the user.
#include <gtest/gtest.h>

#include <functional>

#include "editor/script_io.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"
#include "platform/error.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/paths.h"
#include "text/code_page.h"

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
                       "[Directory]\r\n0=c:\\viewer\\\r\n1=c:\\pics\\\r\n",
                       0),
            0u);

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
  // Unread, the script has no name that a save could offer.
  EXPECT_EQ(window.captions.back(), "Plimbo Slide Editor [*New*]");
  EXPECT_EQ(state.ScriptTitle, "");
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
  // The disk ran out of room: that is what the user is told, not that the
  // script has too many slides.
  EXPECT_EQ(window.errors[0],
            "Unable to write to c:\\shows\\show.avl\nThe disk is full or cannot be written.");
  EXPECT_TRUE(state.Modified);
  EXPECT_EQ(machine.files.ReadFile("c:\\shows\\show.avl"), old);
  EXPECT_TRUE(machine.files.Find("c:\\shows\\~*.*").empty());  // no temporary file left
}

TEST_F(ScriptIoTest, PathFormsFromOneSearchAFolderAreThoseOfTheFileByFile) {
  machine.files.AddFile("C:\\Photos\\Long File Name.jpeg", "x");
  machine.files.AddFile("C:\\Photos\\SHORT.BMP", "x");
  machine.files.AddFile("C:\\Long Folder\\Pic.JPG", "x");
  const std::vector<std::string> paths = {"c:\\photos\\long file name.jpeg",
                                          "C:\\PHOTOS\\LONGFI~1.JPE",
                                          "c:\\photos\\short.bmp",
                                          "c:\\photos\\gone.bmp",
                                          "c:\\long folder\\pic.jpg",
                                          "c:\\nowhere\\x.bmp",
                                          "c:\\photos\\*.bmp",
                                          "c:\\Long Folder\\PIC.jpg"};
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

TEST_F(ScriptIoTest, SaveErrorsSayWhatHappened) {
  const std::string old = "[Header]\r\nVer=6\r\nN=2\r\n[1]\r\nF=old.bmp,0\r\n";
  machine.files.AddFile("c:\\shows\\locked.avl", old);
  machine.files.SetAttributes("c:\\shows\\locked.avl", platform::kAttrReadOnly);
  AddSlides(20);
  state.CatalogId = "ABCDE";
  for (const char* target : {"c:\\shows\\locked.avl", "c:\\nowhere\\new.avl"}) {
    window.errors.clear();
    state.Modified = false;
    Choose(target);
    EXPECT_FALSE(SaveFile(state, grid, window, files, false));
    EXPECT_EQ(window.errors, std::vector<std::string>{std::string("Unable to write to ") + target});
    EXPECT_TRUE(state.Modified) << target;
  }
  EXPECT_EQ(machine.files.ReadFile("c:\\shows\\locked.avl"), old);

  // A generation 5 gamma that is no number loads as text and stops the save
  // at its slide, naming it; the old file stays.
  machine.files.AddFile("c:\\shows\\g5.avl",
                        "[Header]\r\nVer=5\r\nN=3\r\n[Directory]\r\n0=c:\\viewer\\\r\n"
                        "[1]\r\nF=a.bmp,0\r\n[2]\r\nF=b.bmp,0\r\nG=FF\r\n");
  const std::string g5 = *machine.files.ReadFile("c:\\shows\\g5.avl");
  state.ScriptPath = "c:\\shows\\g5.avl";
  ASSERT_TRUE(LoadFile(state, grid, window, files, true));
  window.errors.clear();
  Choose("c:\\shows\\g5.avl");
  EXPECT_FALSE(SaveFile(state, grid, window, files, false));
  EXPECT_EQ(window.errors,
            std::vector<std::string>{"Slide 2 cannot be saved: its gamma \"FF\" is not a number."});
  EXPECT_EQ(machine.files.ReadFile("c:\\shows\\g5.avl"), g5);
}

// Profile functions that refuse to record a new catalog identifier.
class NoThmIdx final : public platform::ProfileStore {
 public:
  explicit NoThmIdx(platform::ProfileStore& real) : real_(real) {}
  std::string GetString(const std::string& f, const std::string& s, const std::string& k,
                        const std::string& d, size_t n) override {
    return real_.GetString(f, s, k, d, n);
  }
  std::vector<std::string> GetKeyNames(const std::string& f, const std::string& s,
                                       size_t n) override {
    return real_.GetKeyNames(f, s, n);
  }
  std::vector<std::string> GetSectionNames(const std::string& f, size_t n) override {
    return real_.GetSectionNames(f, n);
  }
  bool WriteString(const std::string& f, const std::string& s, const std::optional<std::string>& k,
                   const std::optional<std::string>& v) override {
    return k != keys::kThmIdx && real_.WriteString(f, s, k, v);
  }

 private:
  platform::ProfileStore& real_;
};

TEST_F(ScriptIoTest, AFailedCatalogIdentifierLeavesTheScriptModified) {
  NoThmIdx profiles(machine.profiles);
  platform::Machine m = platform::Current();
  m.profiles = &profiles;
  platform::Install(m);
  AddSlides(2);
  Choose("c:\\shows\\show.avl");
  try {
    SaveFile(state, grid, window, files, false);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Unable to write to plimbo.ini");
  }
  EXPECT_TRUE(state.Modified);
  EXPECT_FALSE(machine.files.Stat("c:\\shows\\show.avl").has_value());
  machine.Install();
}

TEST_F(ScriptIoTest, ScriptsReadAndWriteWhereTheProfileFunctionsWould) {
  // UTF-16 with its byte order mark reads as through the profile functions.
  const std::string text =
      "[Header]\r\nVer=6\r\nN=3\r\n[Directory]\r\n0=c:\\viewer\\\r\n1=c:\\pics\\\r\n"
      "[1]\r\nF=sunset.bmp,1\r\nW=5\r\n[2]\r\nF=caf\xe9.bmp,1\r\n";
  machine.files.AddFile("c:\\shows\\wide.avl", Utf16FromAnsi(text));
  state.ScriptPath = "c:\\shows\\wide.avl";
  ASSERT_TRUE(LoadFile(state, grid, window, files, true));
  IniFileSource throughApi("c:\\shows\\wide.avl");
  ui::StringGrid api;
  SetUpGrid(api);
  ASSERT_TRUE(ReadScript(throughApi, api, files).Ok());
  EXPECT_EQ(SlideDifference(grid, api), "");
  EXPECT_EQ(grid.Cell(kColWait, 1), "5");
  EXPECT_EQ(grid.Cell(kColPath, 2), "c:\\pics\\caf\xe9.bmp");

  // A name without a folder ("AVLTMP" = "test.avl") is the Windows
  // directory's file, not the current folder's.
  machine.files.SetCurrentDirectory("c:\\shows");
  state.TempScriptPath = "test.avl";
  ASSERT_TRUE(SaveFile(state, grid, window, files, true));
  EXPECT_TRUE(machine.files.Stat("C:\\WINDOWS\\test.avl").has_value());
  EXPECT_FALSE(machine.files.Stat("c:\\shows\\test.avl").has_value());
  EXPECT_EQ(TIniFile("test.avl").ReadText("1", "W", ""), "5");
  state.ScriptPath = "test.avl";
  ui::StringGrid again;
  SetUpGrid(again);
  ASSERT_TRUE(LoadFile(state, again, window, files, true));
  EXPECT_EQ(SlideDifference(grid, again), "");
}

}  // namespace
}  // namespace w95::editor
