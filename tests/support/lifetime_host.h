// A host that loads the real DLL, opens and closes each of its windows and
// frees it again; with counts of what the library leaves in the process
// (top-level windows, hidden ones included; GDI and USER objects; memory).
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "avi_writer.h"
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

// ---- The user, on a thread timer: closes the window whose caption starts
// with the target ("*": the library's window that is on screen), answers
// message boxes (No: keep nothing, save nothing).
struct User {
  static inline std::string target;
  static inline bool busy = false;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (busy) return;
    busy = true;
    std::deque<int> no{IDNO};
    if (!wine_windows::AnswerMessageBox(no) && !target.empty()) {
      HWND w = target == "*" ? wine_windows::FindTopLevel({.cls = "W95Window"})
                             : wine_windows::TopLevel(target);
      if (w && IsWindowEnabled(w)) {
        PostMessageA(w, WM_CLOSE, 0, 0);
        target.clear();
      }
    }
    busy = false;
  }
};

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

// The library loaded, with its exports.
class Library {
 public:
  Library() : dll_(LoadLibraryA("w95ZOK56.dll")) {}
  ~Library() { Free(); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  explicit operator bool() const { return dll_ != nullptr; }
  HMODULE Module() const { return dll_; }
  void Free() {
    if (dll_) FreeLibrary(dll_);
    dll_ = nullptr;
  }

  template <class F>
  F Export(const char* name) const {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(dll_, name)));
  }

  // Each window family once: opened as the host opens it, closed as the host
  // or the user closes it. False when a window did not open.
  bool RoundTrip(HWND host, const std::string& clip) {
    using Void = void(WINAPI*)();
    using Long = LONG(WINAPI*)();
    bool ok = true;
    // The explorer window, closed by the host.
    Export<void(WINAPI*)(HWND, LONG)>("RemoteWin95")(host, 0);
    wine_windows::Pump(50);
    ok &= wine_windows::TopLevel("Plimbo Explorer") != nullptr;
    Export<Void>("RemoteWinClose95")();
    wine_windows::Pump(50);
    // The explorer dialog, closed by the user.
    User::target = "*";
    ok &= Export<LONG(WINAPI*)(LONG, LONG)>("RemoteDlg95")(253, 0) == -1;
    // The slide editor on a new script, closed by the user.
    WritePrivateProfileStringA("plimbo", "AVLFIL", "*", "plimbo.ini");
    User::target = "*";
    Export<Long>("EditorWin95")();
    // The video window on a real clip, closed by the host.
    char shortName[MAX_PATH] = "";
    GetShortPathNameA(clip.c_str(), shortName, sizeof shortName);
    WritePrivateProfileStringA("plimbo", "SaveName", shortName, "plimbo.ini");
    ok &= Export<LONG(WINAPI*)(HWND, LONG, LONG)>("VideoWinPlayer95")(host, 0, 0) == 1;
    wine_windows::Pump(50);
    Export<Void>("VideoWinClose95")();
    Export<Void>("VideoWinClose95")();
    wine_windows::Pump(50);
    // The print setup window, closed by the user.
    Export<void(WINAPI*)(HWND, LONG, LONG, LONG)>("PrintDlg95")(host, 640, 480, 0);
    User::target = "Plimbo Print Setup";
    for (int i = 0; i < 100 && !User::target.empty(); ++i) wine_windows::Pump(20);
    ok &= User::target.empty();
    User::target.clear();
    wine_windows::Pump(50);
    return ok;
  }

 private:
  HMODULE dll_;
};

inline std::string WriteClip() {
  CreateDirectoryA("c:\\w95life", nullptr);
  const std::string clip = "c:\\w95life\\Soak Clip.avi";
  video_wine::WriteAvi(clip, 160, 120, 6, 12);
  return clip;
}

}  // namespace lifetime_wine
