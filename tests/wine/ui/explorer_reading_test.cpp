// The explorer window on real windows over a drive that gives its entries
// only when the test lets it: the real list box fills step by step from the
// list's timer, keys pressed between the steps are answered and kept, and the
// whole list is the one a quick drive gives.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>
// The file service's own member names, not the A/W macros of <windows.h>.
#undef CreateDirectory
#undef DeleteFile
#undef MoveFile
#undef ReplaceFile
#undef SetCurrentDirectory

#include "explorer/file_form.h"
#include "explorer/remote_win.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95;
using platform::FindData;
using platform::FolderReading;

// How many entries the slow drive has handed over so far, in all.
size_t allowed = 0;

// The real reading (on its thread), its entries passed on only up to
// `allowed`; it never ends within the moment the window waits.
class GatedReading final : public FolderReading {
 public:
  explicit GatedReading(std::unique_ptr<FolderReading> real) : real_(std::move(real)) {}
  bool Wait(unsigned) override { return false; }
  bool Take(std::vector<FindData>& out) override {
    if (!ended_) ended_ = real_->Take(got_);
    const size_t upto = std::min(got_.size(), allowed);
    for (; passed_ < upto; ++passed_) out.push_back(got_[passed_]);
    return ended_ && passed_ == got_.size();
  }

 private:
  std::unique_ptr<FolderReading> real_;
  std::vector<FindData> got_;
  size_t passed_ = 0;
  bool ended_ = false;
};

// The real file system, its folder readings held back by the gate.
class SlowFiles final : public platform::FileSystem {
 public:
  explicit SlowFiles(platform::FileSystem& real) : r_(real) {}
  std::unique_ptr<FolderReading> StartFind(const std::string& p) override {
    return std::make_unique<GatedReading>(r_.StartFind(p));
  }
  std::vector<FindData> Find(const std::string& p) override { return r_.Find(p); }
  std::optional<FindData> Stat(const std::string& p) override { return r_.Stat(p); }
  bool FileExists(const std::string& p) override { return r_.FileExists(p); }
  std::string ShortPath(const std::string& p) override { return r_.ShortPath(p); }
  std::string FullPath(const std::string& p) override { return r_.FullPath(p); }
  bool DeleteFile(const std::string& p) override { return r_.DeleteFile(p); }
  bool MoveFile(const std::string& a, const std::string& b) override { return r_.MoveFile(a, b); }
  bool ReplaceFile(const std::string& a, const std::string& b) override {
    return r_.ReplaceFile(a, b);
  }
  bool CreateDirectory(const std::string& p) override { return r_.CreateDirectory(p); }
  bool SetAttributes(const std::string& p, uint32_t a) override { return r_.SetAttributes(p, a); }
  std::optional<std::string> ReadFile(const std::string& p) override { return r_.ReadFile(p); }
  bool WriteFile(const std::string& p, const std::string& d) override { return r_.WriteFile(p, d); }
  std::unique_ptr<platform::OutputFile> CreateOutput(const std::string& p) override {
    return r_.CreateOutput(p);
  }
  std::string CurrentDirectory() override { return r_.CurrentDirectory(); }
  bool SetCurrentDirectory(const std::string& p) override { return r_.SetCurrentDirectory(p); }
  std::string Drives() override { return r_.Drives(); }
  unsigned DriveType(char l) override { return r_.DriveType(l); }
  bool DriveReady(char l) override { return r_.DriveReady(l); }
  std::string VolumeLabel(char l) override { return r_.VolumeLabel(l); }
  std::optional<uint64_t> FreeSpace(const std::string& p) override { return r_.FreeSpace(p); }
  uint32_t LastError() override { return r_.LastError(); }
  std::unique_ptr<platform::FolderWatch> WatchFolder(const std::string& p) override {
    return r_.WatchFolder(p);
  }

 private:
  platform::FileSystem& r_;
};

HWND ListOf(explorer::TFileForm& f) { return reinterpret_cast<HWND>(f.XFiles.Handle()); }
int CountOf(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
std::string TextAt(HWND list, int i) {
  char text[MAX_PATH] = "";
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
  return text;
}

// Lets the window's messages run until `done` holds (polled; a generous
// number of rounds, never a time that matters).
template <typename Done>
bool PumpUntil(Done done) {
  for (int i = 0; i < 400 && !done(); ++i) {
    ui::win32::PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
  }
  ui::win32::PumpPending();
  return done();
}

TEST(ExplorerReading, ASlowFolderFillsTheRealListStepByStepAndAnswersKeysMeanwhile) {
  wine_ui::RealMachine real;
  SlowFiles slow(*platform::Current().files);
  platform::Machine m = platform::Current();
  m.files = &slow;
  platform::Install(m);
  const std::string folder = "c:\\w95slow";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\Sub").c_str(), nullptr);
  std::vector<std::string> whole = {"sub\\"};
  for (int i = 0; i < 300; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "S%03d.JPG", 299 - i);
    CloseHandle(CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
    std::snprintf(name, sizeof name, "s%03d.jpg", i);
    whole.push_back(name);
  }
  TIniFile("plimbo.ini").WriteText("plimbo", "LastDir", folder + "\\");

  allowed = 0;
  explorer::RunRemoteWin(0, false);
  explorer::TFileForm* f = explorer::ExplorerWindow();
  ASSERT_NE(f, nullptr);
  HWND list = ListOf(*f);
  ASSERT_TRUE(f->ReadingFolder());
  EXPECT_EQ(CountOf(list), 0);
  ASSERT_NE(f->ReadingLine(), nullptr);
  HWND line = reinterpret_cast<HWND>(f->ReadingLine()->Handle());
  EXPECT_TRUE(PumpUntil([&] { return line && IsWindowVisible(line); }));

  // The drive gives entries in steps; each step shows in the real list, in
  // the whole list's order.
  int steps = 0;
  for (size_t given = 60; given <= 180; given += 60) {
    allowed = given;
    const int before = CountOf(list);
    ASSERT_TRUE(PumpUntil([&] { return CountOf(list) > before; })) << given;
    ++steps;
    std::vector<std::string> now;
    for (int i = 0; i < CountOf(list); ++i) now.push_back(TextAt(list, i));
    auto at = whole.begin();
    for (const std::string& e : now) {
      at = std::find(at, whole.end(), e);
      ASSERT_NE(at, whole.end()) << e << " out of order or unknown";
    }
  }
  EXPECT_EQ(steps, 3);
  wine_ui::WaitForScreenshot("explorer_reading");

  // End on the list, a real key, between two steps: the caret goes to the
  // last entry shown and stays on it when more come.
  SetFocus(list);
  PostMessageA(list, WM_KEYDOWN, VK_END, 0);
  PostMessageA(list, WM_KEYUP, VK_END, 0);
  const int shown = CountOf(list);
  ASSERT_TRUE(PumpUntil([&] {
    return SendMessageA(list, LB_GETCARETINDEX, 0, 0) == shown - 1 &&
           f->XFiles.ItemIndex() == shown - 1;
  }));
  const std::string chosen = TextAt(list, shown - 1);

  allowed = 100000;
  ASSERT_TRUE(PumpUntil([&] { return !f->ReadingFolder(); }));
  ASSERT_EQ(CountOf(list), static_cast<int>(whole.size()));
  for (int i = 0; i < CountOf(list); ++i) ASSERT_EQ(TextAt(list, i), whole[static_cast<size_t>(i)]);
  const int caret = static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
  ASSERT_GE(caret, 0);
  EXPECT_EQ(TextAt(list, caret), chosen) << "the key's entry kept";
  EXPECT_GT(SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(caret), 0), 0);
  EXPECT_FALSE(IsWindowVisible(line));
  wine_ui::WaitForScreenshot("explorer_read");
  explorer::RemoteWinClose();
  ui::win32::PumpPending();
}

}  // namespace
