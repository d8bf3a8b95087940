// A host that loads the real DLL, opens and closes each of its windows and
// frees it again; with counts of what the library leaves in the process
// (top-level windows, hidden ones included; GDI and USER objects; memory).
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "avi_writer.h"
#include "dll_loader.h"
#include "step_player.h"
#include "wine_windows.h"

namespace lifetime_wine {

using wine_windows::ClassOf;
using wine_windows::TextOf;

// The window classes the library registers.
inline const char* const kLibraryClasses[] = {"W95Application", "W95Window", "W95MediaNotify"};

inline BOOL CALLBACK CollectOwnTopLevel(HWND h, LPARAM p) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
  return TRUE;
}

// Top-level windows of this process, hidden ones included.
inline std::vector<HWND> OwnTopLevel() {
  std::vector<HWND> all;
  EnumWindows(&CollectOwnTopLevel, reinterpret_cast<LPARAM>(&all));
  return all;
}

struct Counts {
  size_t windows = 0;         // top-level windows of this process
  size_t libraryWindows = 0;  // of them, of the library's classes
  DWORD gdi = 0, user = 0;    // 0 where the platform does not count them
  size_t privateBytes = 0;    // committed memory of the process
};

inline bool OfLibraryClass(HWND h) {
  const std::string cls = ClassOf(h);
  for (const char* c : kLibraryClasses)
    if (_stricmp(cls.c_str(), c) == 0) return true;
  return false;
}

inline Counts Measure() {
  Counts c;
  for (HWND h : OwnTopLevel()) {
    ++c.windows;
    if (OfLibraryClass(h)) ++c.libraryWindows;
  }
  c.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  c.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  // Wine leaves the private figure 0: the committed (page file) figure then.
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                           sizeof pmc))
    c.privateBytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
  return c;
}

inline void Print(const char* what, const Counts& c) {
  std::printf("%-10s windows %3lu (library %lu)  GDI %4lu  USER %4lu  private %7lu KB\n", what,
              static_cast<unsigned long>(c.windows), static_cast<unsigned long>(c.libraryWindows),
              static_cast<unsigned long>(c.gdi), static_cast<unsigned long>(c.user),
              static_cast<unsigned long>(c.privateBytes / 1024));
  std::fflush(stdout);
}

// A class of the library still registered for the unloaded module.
inline std::vector<std::string> ClassesLeft(HINSTANCE module) {
  std::vector<std::string> left;
  WNDCLASSA wc{};
  for (const char* c : kLibraryClasses)
    if (GetClassInfoA(module, c, &wc)) left.push_back(c);
  return left;
}

// ---- The user: closes the library's windows the steps name once they are
// on screen and can take input, and answers every message box with No (keep
// nothing, save nothing). Started on the host's thread; see RoundTrip.
inline void StartUser(wine_steps::Player& user, UINT pollMs = 100) {
  user.steps.clear();
  user.boxAnswers.clear();
  user.boxOtherwise = IDNO;
  user.timeoutMs = 30000;
  user.find = [](const std::string& caption) -> HWND {
    HWND w = wine_windows::TopLevel(caption);
    return w && IsWindowEnabled(w) ? w : nullptr;
  };
  user.Start(pollMs);
}

// A step that closes the window captioned `caption`.
inline wine_steps::Step CloseWindow(const char* caption) {
  return {caption, [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }};
}

inline LRESULT CALLBACK HostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(h, msg, wp, lp);
}

inline HWND MakeHostWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "W95LifetimeHost";
  RegisterClassA(&wc);
  return CreateWindowExA(WS_EX_TOOLWINDOW, "W95LifetimeHost", "lifetime host", WS_OVERLAPPEDWINDOW,
                         0, 0, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Each window family once through `lib`: opened as the host opens it,
// closed as the host or `user` (started with StartUser) closes it. False
// when a window did not open or was not closed.
inline bool RoundTrip(const wine_dll::Library& lib, HWND host, const std::string& clip,
                      wine_steps::Player& user) {
  bool ok = true;
  // A step left unplayed would close a later window: its window never came.
  auto played = [&user] {
    const bool all = user.steps.empty();
    user.steps.clear();
    return all;
  };
  // The explorer window, closed by the host.
  lib.RemoteWin95(host, 0);
  wine_windows::Pump(50);
  ok &= wine_windows::TopLevel("Plimbo Explorer") != nullptr;
  lib.RemoteWinClose95();
  wine_windows::Pump(50);
  // The explorer dialog, closed by the user.
  user.steps.push_back(CloseWindow("Add Multiple Slides"));
  ok &= lib.RemoteDlg95(253, 0) == -1;
  ok &= played();
  // The slide editor on a new script, closed by the user.
  wine_dll::WriteKey(W95_KEY_SCRIPT, "*");
  user.steps.push_back(CloseWindow("Plimbo Slide Editor"));
  lib.EditorWin95();
  ok &= played();
  // The video window on a real clip, closed by the host.
  wine_dll::WriteKey(W95_KEY_SAVE_NAME, wine_dll::ShortPath(clip));
  ok &= lib.VideoWinPlayer95(host, 0, 0) == 1;
  wine_windows::Pump(50);
  lib.VideoWinClose95();
  lib.VideoWinClose95();
  wine_windows::Pump(50);
  // The print setup window, closed by the user.
  lib.PrintDlg95(host, 640, 480, 0);
  user.steps.push_back(CloseWindow("Plimbo Print Setup"));
  ok &= user.PlayOut(30000);
  ok &= played();
  wine_windows::Pump(50);
  return ok;
}

inline std::string WriteClip() {
  CreateDirectoryA("c:\\w95life", nullptr);
  const std::string clip = "c:\\w95life\\Soak Clip.avi";
  video_wine::WriteAvi(clip, 160, 120, 6, 12);
  return clip;
}

}  // namespace lifetime_wine
