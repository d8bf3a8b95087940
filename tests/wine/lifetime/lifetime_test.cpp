// The library's lifetime in a real process: FreeLibrary leaves no window,
// class, timer or hook of it behind; the close broadcast does not wait for a
// hung program; twenty rounds of every window with a reload every five keep
// the windows, objects and memory flat (the figures are printed).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "lifetime_host.h"

namespace lifetime_wine {
namespace {

class Lifetime : public ::testing::Test {
 protected:
  void SetUp() override {
    host = MakeHostWindow();
    ASSERT_NE(host, nullptr);
    clip = WriteClip();
    StartUser(user);
  }
  void TearDown() override {
    user.Stop();
    EXPECT_TRUE(user.missing.empty()) << "a window never came: " << user.missing[0];
    DestroyWindow(host);
  }
  HWND host = nullptr;
  std::string clip;
  wine_steps::Player user;
};

TEST_F(Lifetime, FreeLibraryLeavesNothingOfTheLibraryBehind) {
  const Counts before = Measure();
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    HINSTANCE module = nullptr;
    {
      wine_dll::Library lib;
      ASSERT_TRUE(lib);
      module = lib.Module();
      EXPECT_TRUE(RoundTrip(lib, host, clip, user));
      EXPECT_GT(ClassesLeft(module).size(), 0u) << "the classes exist while the library is loaded";
      EXPECT_TRUE(FindWindowExA(HWND_MESSAGE, nullptr, "w95MediaNotify", nullptr) ||
                  FindWindowA("w95MediaNotify", nullptr))
          << "kept after the video window closed, for the next opening";
    }
    EXPECT_EQ(GetModuleHandleA("w95ZOK56.dll"), nullptr) << "really unloaded";
    // The media device's listening window, kept while the library is
    // loaded, is one for messages only where the screen has no palette:
    // those are not among the top-level windows counted below.
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, "w95MediaNotify", nullptr), nullptr);
    const Counts after = Measure();
    EXPECT_EQ(after.libraryWindows, 0u);
    EXPECT_EQ(after.windows, before.windows);
    for (HWND h : OwnTopLevel())
      EXPECT_FALSE(OfLibraryClass(h)) << "left behind: " << ClassOf(h) << " '" << TextOf(h) << "'";
    EXPECT_EQ(ClassesLeft(module), std::vector<std::string>{});
  }
  // Something sent to every window now would reach a procedure that is gone.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

// ---- A program on another thread that stops answering.

struct Hung {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::atomic<int> got905{0};
  HANDLE thread = nullptr;

  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == 0x0905)
      static_cast<Hung*>(reinterpret_cast<void*>(GetWindowLongPtrA(h, GWLP_USERDATA)))->got905++;
    return DefWindowProcA(h, msg, wp, lp);
  }
  static DWORD WINAPI Run(LPVOID p) {
    auto* self = static_cast<Hung*>(p);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "W95HungProgram";
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(0, "W95HungProgram", "hung", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    SetEvent(self->ready);
    WaitForSingleObject(self->release, INFINITE);         // hung: no messages run
    for (int i = 0; i < 50; ++i) wine_windows::Pump(20);  // then it catches up
    DestroyWindow(h);
    return 0;
  }
  void Start() {
    thread = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    WaitForSingleObject(ready, INFINITE);
  }
  void Finish() {
    SetEvent(release);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(ready);
    CloseHandle(release);
  }
};

// Fails the program if the close has not come back long after it should
// have: a hang is what is being tested, and it must not hang the run.
struct Watchdog {
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;
  static DWORD WINAPI Run(LPVOID p) {
    if (WaitForSingleObject(static_cast<Watchdog*>(p)->done, 120000) == WAIT_TIMEOUT) {
      std::fprintf(
          stderr,
          "FAILED: the video window's close did not return with a hung window on the desktop\n");
      std::fflush(stderr);
      ExitProcess(3);
    }
    return 0;
  }
  Watchdog() { thread = CreateThread(nullptr, 0, &Run, this, 0, nullptr); }
  ~Watchdog() {
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(done);
  }
};

std::vector<UINT> hostGot;
LRESULT CALLBACK RecordingHost(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == 0x0905) hostGot.push_back(msg);
  return DefWindowProcA(h, msg, wp, lp);
}

TEST_F(Lifetime, TheCloseBroadcastDoesNotWaitForAHungProgram) {
  wine_dll::Library lib;
  ASSERT_TRUE(lib);
  SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingHost));
  hostGot.clear();
  wine_dll::WriteKey(W95_KEY_SAVE_NAME, wine_dll::ShortPath(clip));
  ASSERT_EQ(lib.VideoWinPlayer95(host, 0, 0), 1);
  wine_windows::Pump(50);
  Hung hung;
  hung.Start();
  {
    Watchdog watchdog;
    lib.VideoWinClose95();
    lib.VideoWinClose95();
  }
  EXPECT_EQ(lib.VideoWinStatus95(), 0);
  EXPECT_EQ(hostGot.size(), 1u) << "the host's own window has it before the close returns";
  EXPECT_EQ(hung.got905.load(), 0);
  hung.Finish();
  EXPECT_EQ(hung.got905.load(), 1) << "the hung program gets it once it runs again";
  SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc));
  wine_windows::Pump(50);
}

TEST_F(Lifetime, TwentyRoundsWithAReloadEveryFiveStayFlat) {
  Print("start", Measure());
  Counts firstRound{}, last{};
  auto lib = std::make_unique<wine_dll::Library>();
  for (int round = 1; round <= 20; ++round) {
    ASSERT_TRUE(*lib);
    EXPECT_TRUE(RoundTrip(*lib, host, clip, user)) << "round " << round;
    if (round % 5 == 0) {
      lib.reset();
      lib = std::make_unique<wine_dll::Library>();
    }
    last = Measure();
    if (round == 1) firstRound = last;
    Print(("round " + std::to_string(round)).c_str(), last);
  }
  lib.reset();
  const Counts end = Measure();
  Print("unloaded", end);
  EXPECT_EQ(end.libraryWindows, 0u);
  EXPECT_LE(last.windows, firstRound.windows);
  if (firstRound.gdi) {
    EXPECT_LE(last.gdi, firstRound.gdi + 8) << "GDI objects keep growing";
  }
  if (firstRound.user) {
    EXPECT_LE(last.user, firstRound.user + 8) << "USER objects keep growing";
  }
}

}  // namespace
}  // namespace lifetime_wine
