// Opening on folders of 1 to 100,000 files, against the system's own
// old-style open dialog in the same run (under Wine, through the real DLL):
// RemoteDlg95(253) and GetOpenFileName without the explorer style, each timed
// from the call until its list holds every file and has been painted; the
// explorer window (RemoteWin95) the same way, and its refresh
// (RemoteWinUpdate95). Without arguments it ends with a table: per folder
// size, the medians of rounds that take ours and the system's dialog by turns,
// and the median of the rounds' own ratios.
// The window's details view on the same folder: switching between it and
// the list, and sorting it again by a column.
#include <windows.h>
// windows.h first
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>
#include <string>

#include "dll_loader.h"
#include "median.h"
#include "mini_benchmark.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kFolders = 20;  // beside the files of every folder but the one-file one
const char* const kBigFolder = "c:\\w95open\\big";
const char* const kOneFolder = "c:\\w95open\\one";
// The table's folders: c:\w95open\n<files>, the one-file folder as above.
constexpr int kSizes[] = {1, 100, 1000, 10000, 100000};
// The patterns of the add-slides mode's type box ("All validated formats").
const char* const kValidated =
    "*.pc?;*.tga;*.ras;*.dib;*.cal;*.cmp;*.av?;*.mid;*.fl?;*.?pg;*.dcx;*.pic;*.kqp;*.wav;"
    "*.mov;*.tif;*.bmp;*.png;*.dat";
constexpr int kLst1 = 0x460;  // the old-style dialog's file list

void MakeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

// A folder of `files` pictures named in a scrambled order, with `folders`
// subfolders; made once and kept for the next run.
void MakeFolder(const std::string& folder, int files, int folders) {
  CreateDirectoryA(folder.c_str(), nullptr);
  char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%s\\Pic%05d.BMP", folder.c_str(), files - 1);
  if (GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES) return;
  // 7919 is prime and does not divide any size, so i -> i * 7919 % files is
  // a permutation: the folder does not list in name order.
  for (int i = 0; i < files; ++i) {
    std::snprintf(name, sizeof name, "%s\\Pic%05d.BMP", folder.c_str(),
                  static_cast<int>((static_cast<long long>(i) * 7919) % files));
    MakeFile(name);
  }
  for (int i = 0; i < folders; ++i) {
    std::snprintf(name, sizeof name, "%s\\Folder%d", folder.c_str(), i);
    CreateDirectoryA(name, nullptr);
  }
}

std::string SizedFolder(int files) {
  return files == 1 ? kOneFolder : "c:\\w95open\\n" + std::to_string(files);
}
int FoldersBeside(int files) { return files == 1 ? 0 : kFolders; }

void MakeFolders() {
  CreateDirectoryA("c:\\w95open", nullptr);
  CreateDirectoryA(kOneFolder, nullptr);
  MakeFile(std::string(kOneFolder) + "\\only.bmp");
  MakeFolder(kBigFolder, kFiles, kFolders);
}

// ---- Watching for the filled list.
//
// A message hook on this thread looks at every message the dialog's loop
// takes: once the watched list box is visible, holds the expected number of
// entries and it and its window have nothing left to paint, the clock stops
// and the dialog is closed. After the list's own WM_PAINT a null message is
// posted, so the look after the paint comes at once; a fast timer covers a
// list painted outside the queue.

using Clock = std::chrono::steady_clock;

struct Watch {
  enum Kind { None, Ours, Platform } kind = None;
  int expected = 0;
  const char* caption = "Add Multiple Slides";  // our window to watch
  bool close = true;  // closed once filled (the modeless window is left open)
  bool done = false;
  Clock::time_point stopped{};
  HWND list = nullptr;  // the platform's list, from its dialog hook; ours once found
  HWND top = nullptr;   // our dialog, once found
};
Watch watch;

BOOL CALLBACK FindOurList(HWND h, LPARAM p) {
  char cls[32] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (_stricmp(cls, "ListBox") != 0 || !IsWindowVisible(h)) return TRUE;
  *reinterpret_cast<HWND*>(p) = h;
  return FALSE;
}

BOOL CALLBACK FindOurDialog(HWND h, LPARAM p) {
  char text[64] = "";
  GetWindowTextA(h, text, sizeof text);
  if (std::string(text) != watch.caption || !IsWindowVisible(h)) return TRUE;
  *reinterpret_cast<HWND*>(p) = h;
  return FALSE;
}

HWND WatchedList(HWND* top) {
  // Ours is looked for among the thread's windows until it is on screen,
  // then kept as the platform's is: looking costs the server a round trip
  // per window, which would be counted against ours alone.
  if (watch.kind == Watch::Ours && watch.top && IsWindow(watch.top) && IsWindow(watch.list)) {
    *top = watch.top;
    return watch.list;
  }
  if (watch.kind == Watch::Ours) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindOurDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return nullptr;
    HWND list = nullptr;
    EnumChildWindows(dialog, FindOurList, reinterpret_cast<LPARAM>(&list));
    *top = dialog;
    if (list) {
      watch.top = dialog;
      watch.list = list;
    }
    return list;
  }
  if (!watch.list) return nullptr;
  *top = GetAncestor(watch.list, GA_ROOT);
  return watch.list;
}

void Check(const MSG& m) {
  if (watch.kind == Watch::None || watch.done) return;
  HWND top = nullptr;
  HWND list = WatchedList(&top);
  if (!list || !IsWindowVisible(list) || !IsWindowVisible(top)) return;
  if (SendMessageA(list, LB_GETCOUNT, 0, 0) < watch.expected) return;
  if (m.hwnd == list && m.message == WM_PAINT) {
    PostMessageA(list, WM_NULL, 0, 0);  // the look after this paint
    return;
  }
  if (GetUpdateRect(list, nullptr, FALSE) || GetUpdateRect(top, nullptr, FALSE)) return;
  watch.stopped = Clock::now();
  watch.done = true;
  if (!watch.close) return;
  if (watch.kind == Watch::Ours)
    PostMessageA(top, WM_CLOSE, 0, 0);
  else
    PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE) Check(*reinterpret_cast<MSG*>(lp));
  return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK Nudge(HWND, UINT, UINT_PTR, DWORD) {}

// Milliseconds from `open` until the list is filled and painted; -1 when it
// never was (the dialog closed otherwise).
template <typename Open>
double TimeUntilFilled(Watch::Kind kind, int expected, Open open, const char* caption = nullptr) {
  watch = Watch{kind, expected};
  if (caption) {
    watch.caption = caption;
    watch.close = false;
  }
  HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Nudge);
  const Clock::time_point start = Clock::now();
  open();
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(hook);
  const bool done = watch.done;
  const Clock::time_point stopped = watch.stopped;
  watch = Watch{};
  return done ? std::chrono::duration<double, std::milli>(stopped - start).count() : -1;
}

// ---- Ours.

using DlgFn = LONG(WINAPI*)(LONG, LONG);
using VoidFn = void(WINAPI*)();
using WinFn = void(WINAPI*)(HWND, LONG);

// The library, loaded once for the whole run.
template <typename Fn>
Fn Export(const char* name) {
  static wine_dll::Library dll;
  return dll.Export<Fn>(name);
}

void StartIn(const char* folder) {
  wine_dll::WriteKey(W95_KEY_LAST_DIR, std::string(folder) + "\\");
}

double OursOnce(const char* folder, int files) {
  static auto remoteDlg = Export<DlgFn>("RemoteDlg95");
  if (!remoteDlg) return -1;
  StartIn(folder);
  return TimeUntilFilled(Watch::Ours, files + (files > 1 ? kFolders : 0),
                         [] { remoteDlg(253, 0); });
}

// The same dialog from an earlier build of the library, loaded beside this
// one under another file name (--before): both meet the same load on the
// machine when they take turns.
double BeforeOnce(const wine_dll::Library& before, const char* folder, int files) {
  const auto remoteDlg = before.Export<DlgFn>("RemoteDlg95");
  if (!remoteDlg) return -1;
  StartIn(folder);
  return TimeUntilFilled(Watch::Ours, files + (files > 1 ? kFolders : 0),
                         [&] { remoteDlg(253, 0); });
}

// ---- The system's old-style open dialog.

UINT_PTR CALLBACK OldStyleHook(HWND dialog, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) watch.list = GetDlgItem(dialog, kLst1);
  return 0;
}

double PlatformOnce(const char* folder, int files, const char* filter) {
  const std::string filters = std::string("Pictures") + '\0' + filter + '\0' + '\0';
  char name[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.lpstrInitialDir = folder;
  ofn.Flags = OFN_ENABLEHOOK | OFN_HIDEREADONLY;  // no OFN_EXPLORER: the old style
  ofn.lpfnHook = OldStyleHook;
  return TimeUntilFilled(Watch::Platform, files, [&] { GetOpenFileNameA(&ofn); });
}

// Runs one opening per iteration, once more untimed before them (the first
// run loads and sets up more); the clock counts only until the list is full.
template <typename Once>
void Openings(benchmark::State& state, Once once) {
  if (once() < 0) return state.SkipWithError("the list was never filled");
  for (auto _ : state) {
    const double ms = once();
    if (ms < 0) return state.SkipWithError("the list was never filled");
    state.SetIterationTime(ms / 1e3);
  }
}

void BM_OursOpen1(benchmark::State& state) {
  Openings(state, [] { return OursOnce(kOneFolder, 1); });
}
void BM_PlatformOpen1(benchmark::State& state) {
  Openings(state, [] { return PlatformOnce(kOneFolder, 1, kValidated); });
}
void BM_OursOpen10000(benchmark::State& state) {
  Openings(state, [] { return OursOnce(kBigFolder, kFiles); });
}
void BM_PlatformOpen10000(benchmark::State& state) {
  Openings(state, [] { return PlatformOnce(kBigFolder, kFiles, kValidated); });
}
void BM_PlatformOpen10000OnePattern(benchmark::State& state) {
  Openings(state, [] { return PlatformOnce(kBigFolder, kFiles, "*.bmp"); });
}
// The same opening with the new choices of the list on: the details view
// and the picture pane (the first entry is selected: its preview is timed
// in, the decoding is not, as it waits for the selection to rest).
void BM_OursOpen10000DetailsAndPane(benchmark::State& state) {
  for (const char* key : {"ExpView", "ExpPreview"})
    WritePrivateProfileStringA("plimbo", key, "1", "plimbo.ini");
  Openings(state, [] { return OursOnce(kBigFolder, kFiles); });
  for (const char* key : {"ExpView", "ExpPreview"})
    WritePrivateProfileStringA("plimbo", key, nullptr, "plimbo.ini");
}

BOOL CALLBACK FindExplorerWindow(HWND h, LPARAM p) {
  char text[64] = "";
  GetWindowTextA(h, text, sizeof text);
  if (std::string(text) != "Plimbo Explorer") return TRUE;
  *reinterpret_cast<HWND*>(p) = h;
  return FALSE;
}

void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

// The host's refresh of the open window: the call, then the list painted.
void BM_WinUpdate10000(benchmark::State& state) {
  auto open = Export<WinFn>("RemoteWin95");
  auto update = Export<VoidFn>("RemoteWinUpdate95");
  auto close = Export<VoidFn>("RemoteWinClose95");
  if (!open || !update || !close) return state.SkipWithError("no w95ZOK56.dll");
  StartIn(kBigFolder);
  HWND host = CreateWindowA("STATIC", "bench host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                            nullptr, nullptr);
  open(host, 0);
  Pump();
  HWND window = nullptr, list = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindExplorerWindow, reinterpret_cast<LPARAM>(&window));
  if (window) EnumChildWindows(window, FindOurList, reinterpret_cast<LPARAM>(&list));
  if (!list) return state.SkipWithError("the explorer window did not open");
  for (auto _ : state) {
    update();
    UpdateWindow(window);
    UpdateWindow(list);
  }
  if (SendMessageA(list, LB_GETCOUNT, 0, 0) != kFiles + kFolders)
    state.SkipWithError("not every file listed");
  close();
  Pump();
  DestroyWindow(host);
}

// The explorer window open on the big folder, for the details view's timings.
struct OpenWindow {
  HWND host = nullptr, window = nullptr;
  VoidFn close = nullptr;
  OpenWindow() {
    auto open = Export<WinFn>("RemoteWin95");
    close = Export<VoidFn>("RemoteWinClose95");
    if (!open || !close) return;
    WritePrivateProfileStringA("plimbo", "ExpView", "0", "plimbo.ini");
    WritePrivateProfileStringA("plimbo", "ExpSort", "0", "plimbo.ini");
    WritePrivateProfileStringA("plimbo", "ExpSortDesc", "0", "plimbo.ini");
    StartIn(kBigFolder);
    host = CreateWindowA("STATIC", "bench host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                         nullptr, nullptr);
    open(host, 0);
    Pump();
    EnumThreadWindows(GetCurrentThreadId(), FindExplorerWindow, reinterpret_cast<LPARAM>(&window));
  }
  ~OpenWindow() {
    if (close) close();
    Pump();
    if (host) DestroyWindow(host);
    for (const char* key : {"ExpView", "ExpSort", "ExpSortDesc"})
      WritePrivateProfileStringA("plimbo", key, nullptr, "plimbo.ini");
  }
  HWND Find(const char* cls) const {
    for (HWND h = GetWindow(window, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      HWND found = FindWindowExA(h, nullptr, cls, nullptr);
      if (found && IsWindowVisible(found)) return found;
    }
    return nullptr;
  }
  // The leftmost glyph button of the top row: the view's switch.
  HWND ViewButton() const {
    HWND best = nullptr;
    LONG left = 0;
    for (HWND h = GetWindow(window, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
      for (HWND b = FindWindowExA(h, nullptr, "Button", nullptr); b;
           b = FindWindowExA(h, b, "Button", nullptr)) {
        char text[8] = "";
        GetWindowTextA(b, text, sizeof text);
        RECT r;
        GetWindowRect(b, &r);
        if (text[0] || !IsWindowVisible(b) || (best && r.left >= left)) continue;
        best = b;
        left = r.left;
      }
    return best;
  }
  // Lets the window finish and paint what it was asked; the list after it.
  HWND Settle() const {
    Pump();
    HWND list = Find("ListBox");
    UpdateWindow(window);
    if (list) UpdateWindow(list);
    return list;
  }
};

// A click on the view's button: the list becomes the details view or back,
// 10,000 files and 20 folders listed again and painted.
void BM_WinSwitchView10000(benchmark::State& state) {
  OpenWindow w;
  HWND button = w.window ? w.ViewButton() : nullptr;
  if (!button) return state.SkipWithError("the explorer window did not open");
  for (auto _ : state) {
    SendMessageA(button, BM_CLICK, 0, 0);
    HWND list = w.Settle();
    if (!list || SendMessageA(list, LB_GETCOUNT, 0, 0) != kFiles + kFolders)
      return state.SkipWithError("not every file listed");
  }
}

// A click on the Size title of the details view: sorted by size, then the
// other way round, and painted.
void BM_WinResort10000(benchmark::State& state) {
  OpenWindow w;
  HWND button = w.window ? w.ViewButton() : nullptr;
  if (!button) return state.SkipWithError("the explorer window did not open");
  SendMessageA(button, BM_CLICK, 0, 0);
  w.Settle();
  HWND header = w.Find("SysHeader32");
  if (!header) return state.SkipWithError("no details view");
  RECT r{};
  SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  for (auto _ : state) {
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
    HWND list = w.Settle();
    if (!list || SendMessageA(list, LB_GETCOUNT, 0, 0) != kFiles + kFolders)
      return state.SkipWithError("not every file listed");
  }
}

// Ours and the system's dialog by turns, so that both meet the same load on
// the machine; the ratio is the median of the rounds' own ratios.
void PairedRounds(int rounds) {
  std::vector<double> ours, platform, single, ratio, ratioSingle;
  for (int i = 0; i < rounds; ++i) {
    const double o = OursOnce(kBigFolder, kFiles);
    const double p = PlatformOnce(kBigFolder, kFiles, kValidated);
    const double q = PlatformOnce(kBigFolder, kFiles, "*.bmp");
    if (o < 0 || p < 0 || q < 0) {
      std::printf("paired rounds: a list was never filled\n");
      return;
    }
    ours.push_back(o);
    platform.push_back(p);
    single.push_back(q);
    ratio.push_back(o / p);
    ratioSingle.push_back(o / q);
  }
  std::printf(
      "\n%d rounds on 10,000 files, medians: ours %.1f ms; the system's old-style dialog "
      "%.1f ms with the same patterns, %.1f ms with \"*.bmp\" alone\n"
      "ours / system: %.2f (same patterns), %.2f (\"*.bmp\" alone)\n",
      rounds, Median(ours), Median(platform), Median(single), Median(ratio), Median(ratioSingle));
}

// The explorer window on `folder`: milliseconds from RemoteWin95 until its
// list is filled and painted, then one RemoteWinUpdate95 with its paint.
struct WindowTimes {
  double open = -1, update = -1;
};
WindowTimes WindowOnce(const std::string& folder, int files, HWND host) {
  auto open = Export<WinFn>("RemoteWin95");
  auto update = Export<VoidFn>("RemoteWinUpdate95");
  auto close = Export<VoidFn>("RemoteWinClose95");
  if (!open || !update || !close) return {};
  StartIn(folder.c_str());
  WindowTimes t;
  t.open = TimeUntilFilled(
      Watch::Ours, files + FoldersBeside(files),
      [&] {
        open(host, 0);
        // The window is modeless: its messages come through this loop. A
        // window that never fills its list is given up after two minutes.
        const Clock::time_point giveUp = Clock::now() + std::chrono::minutes(2);
        MSG m;
        while (!watch.done && Clock::now() < giveUp && GetMessageA(&m, nullptr, 0, 0) > 0) {
          TranslateMessage(&m);
          DispatchMessageA(&m);
        }
      },
      "Plimbo Explorer");
  HWND window = nullptr, list = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindExplorerWindow, reinterpret_cast<LPARAM>(&window));
  if (window) EnumChildWindows(window, FindOurList, reinterpret_cast<LPARAM>(&list));
  if (t.open >= 0 && list) {
    const Clock::time_point start = Clock::now();
    update();
    UpdateWindow(window);
    UpdateWindow(list);
    t.update = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) != files + FoldersBeside(files)) t.update = -1;
  }
  close();
  Pump();
  return t;
}

// Per folder size: ours and the system's dialog by turns (both meet the same
// load on the machine), the window and its refresh; medians, and the median
// of the rounds' own ratios.
void SizeTable(int maxFiles = kSizes[std::size(kSizes) - 1]) {
  HWND host = CreateWindowA("STATIC", "bench host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                            nullptr, nullptr);
  std::printf(
      "\nFolders of 1 to 100,000 files (and 20 subfolders beside all but one file),\n"
      "medians in ms; ratio = the median of each round's ours / system:\n\n"
      "%8s %7s %12s %12s %7s %12s %12s\n",
      "files", "rounds", "ours dialog", "system's", "ratio", "our window", "its refresh");
  for (int files : kSizes) {
    if (files > maxFiles) break;
    const std::string folder = SizedFolder(files);
    if (files > 1) MakeFolder(folder, files, kFolders);
    const int rounds = files >= 100000 ? 3 : files >= 10000 ? 5 : 9;
    OursOnce(folder.c_str(), files);  // the first opening of a folder reads it cold
    PlatformOnce(folder.c_str(), files, kValidated);
    std::vector<double> ours, platform, ratio, window, refresh;
    for (int i = 0; i < rounds; ++i) {
      const double o = OursOnce(folder.c_str(), files);
      const double p = PlatformOnce(folder.c_str(), files, kValidated);
      const WindowTimes w = WindowOnce(folder, files, host);
      if (o < 0 || p < 0 || w.open < 0 || w.update < 0) {
        std::printf(
            "%8d: a list was never filled (ours %.0f, system %.0f, window %.0f, refresh %.0f)\n",
            files, o, p, w.open, w.update);
        break;
      }
      ours.push_back(o);
      platform.push_back(p);
      ratio.push_back(o / p);
      window.push_back(w.open);
      refresh.push_back(w.update);
    }
    if (ours.size() == static_cast<size_t>(rounds))
      std::printf("%8d %7d %12.1f %12.1f %7.2f %12.1f %12.1f\n", files, rounds, Median(ours),
                  Median(platform), Median(ratio), Median(window), Median(refresh));
    std::fflush(stdout);
  }
  DestroyWindow(host);
}

// Per folder size: this build's dialog, an earlier build's and the system's
// by turns; medians, and the medians of each round's ratios. With
// `overWindow` this build's explorer window stays open meanwhile, as the
// host's browser does: the dialogs run over a modeless window.
void BeforeTable(const char* file, int maxFiles, bool overWindow) {
  const wine_dll::Library before(file);
  if (!before.RemoteDlg95) {
    std::printf("no RemoteDlg95 in %s\n", file);
    return;
  }
  HWND host = nullptr;
  if (overWindow) {
    auto open = Export<WinFn>("RemoteWin95");
    if (!open) return;
    StartIn(kOneFolder);
    host = CreateWindowA("STATIC", "bench host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                         nullptr, nullptr);
    open(host, 0);
    Pump();
    std::printf("\n(over this build's explorer window, open throughout)");
  }
  std::printf(
      "\nThis build against %s and the system's old-style dialog, by turns;\n"
      "medians in ms, ratios = the medians of each round's own:\n\n"
      "%8s %7s %9s %9s %9s %12s %14s %12s\n",
      file, "files", "rounds", "ours", "before", "system's", "ours/system", "before/system",
      "ours/before");
  for (int files : kSizes) {
    if (files > maxFiles) break;
    const std::string folder = SizedFolder(files);
    if (files > 1) MakeFolder(folder, files, kFolders);
    const int rounds = files >= 100000 ? 3 : files >= 10000 ? 7 : 25;
    OursOnce(folder.c_str(), files);  // the first opening of a folder reads it cold
    BeforeOnce(before, folder.c_str(), files);
    PlatformOnce(folder.c_str(), files, kValidated);
    ByTurns r;
    for (int i = 0; i < rounds; ++i) {
      // Who goes first changes from round to round.
      double o = -1, b = -1;
      if (i % 2 == 0) {
        o = OursOnce(folder.c_str(), files);
        b = BeforeOnce(before, folder.c_str(), files);
      } else {
        b = BeforeOnce(before, folder.c_str(), files);
        o = OursOnce(folder.c_str(), files);
      }
      const double p = PlatformOnce(folder.c_str(), files, kValidated);
      if (o < 0 || b < 0 || p < 0) {
        std::printf("%8d: a list was never filled\n", files);
        break;
      }
      r.Add(o, b, p);
    }
    if (r.ours.size() == static_cast<size_t>(rounds))
      std::printf("%8d %7d %9.1f %9.1f %9.1f %12.2f %14.2f %12.2f\n", files, rounds, Median(r.ours),
                  Median(r.other), Median(r.platform), Median(r.ratio), Median(r.otherRatio),
                  Median(r.toOther));
    std::fflush(stdout);
  }
  if (host) {
    if (auto close = Export<VoidFn>("RemoteWinClose95")) close();
    Pump();
    DestroyWindow(host);
  }
}

// ---- A folder of 100,000 files in the explorer window.
//
// C:\w95huge (f000000.bmp to f099999.bmp, made from outside Wine by
// tests/wine/explorer/huge_folder.sh, as Wine makes files in a large folder
// slowly). Times from RemoteWin95 until the first page shows and until the
// whole list is painted; the longest single step of the window's message
// loop meanwhile (the window answers nothing during one); then the longest
// step of paging down through the list and of letters typed on it; and the
// process's private bytes before the window and with the list full.

constexpr int kHugeFiles = 100000;
const char* const kHugeFolder = "c:\\w95huge";

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The memory the process has committed for itself (its heaps included).
size_t PrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION m{};
  for (const char* at = nullptr; VirtualQuery(at, &m, sizeof m) == sizeof m;
       at = static_cast<const char*>(m.BaseAddress) + m.RegionSize) {
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
    if (m.RegionSize == 0) break;
  }
  return total;
}

// A key sent to the list and the list painted after it, in ms.
double KeyStep(HWND list, UINT message, WPARAM key) {
  const Clock::time_point start = Clock::now();
  SendMessageA(list, message, key, 1);
  Pump();
  UpdateWindow(GetAncestor(list, GA_ROOT));
  UpdateWindow(list);
  return Ms(start, Clock::now());
}

void HugeFolder() {
  char last[MAX_PATH];
  std::snprintf(last, sizeof last, "%s\\f%06d.bmp", kHugeFolder, kHugeFiles - 1);
  if (GetFileAttributesA(last) == INVALID_FILE_ATTRIBUTES) {
    std::printf("no %s: make it with tests/wine/explorer/huge_folder.sh\n", kHugeFolder);
    return;
  }
  auto open = Export<WinFn>("RemoteWin95");
  auto close = Export<VoidFn>("RemoteWinClose95");
  if (!open || !close) return;
  WritePrivateProfileStringA("plimbo", "ExpView", "0", "plimbo.ini");
  StartIn(kHugeFolder);
  HWND host = CreateWindowA("STATIC", "bench host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                            nullptr, nullptr);
  const size_t before = PrivateBytes();
  const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Nudge);
  const Clock::time_point start = Clock::now();
  open(host, 0);
  const double call = Ms(start, Clock::now());
  double longest = 0;
  double firstPage = -1, whole = -1;
  HWND window = nullptr, list = nullptr;
  const Clock::time_point giveUp = start + std::chrono::minutes(3);
  while (whole < 0 && Clock::now() < giveUp) {
    MSG m;
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    const Clock::time_point step = Clock::now();
    TranslateMessage(&m);
    DispatchMessageA(&m);
    longest = std::max(longest, Ms(step, Clock::now()));
    if (!window)
      EnumThreadWindows(GetCurrentThreadId(), FindExplorerWindow,
                        reinterpret_cast<LPARAM>(&window));
    if (window && (!list || !IsWindow(list))) {
      list = nullptr;
      EnumChildWindows(window, FindOurList, reinterpret_cast<LPARAM>(&list));
    }
    if (!list || !IsWindowVisible(list) || GetUpdateRect(list, nullptr, FALSE)) continue;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count > 0 && firstPage < 0) firstPage = Ms(start, Clock::now());
    if (count == kHugeFiles) whole = Ms(start, Clock::now());
  }
  KillTimer(nullptr, timer);
  Pump();
  const size_t filled = PrivateBytes();
  std::printf(
      "\n%d files, explorer window: RemoteWin95 returned after %.0f ms; first page %.0f ms, "
      "whole list painted %.0f ms, longest step of the window's loop meanwhile %.1f ms\n"
      "private bytes: %.1f MB before, %.1f MB with the list full (+%.1f MB)\n",
      kHugeFiles, call, firstPage, whole, longest, before / 1048576.0, filled / 1048576.0,
      (static_cast<double>(filled) - static_cast<double>(before)) / 1048576.0);
  if (whole >= 0 && list) {
    SetFocus(list);
    std::vector<double> pages, letters;
    for (int i = 0; i < 200; ++i) pages.push_back(KeyStep(list, WM_KEYDOWN, VK_NEXT));
    // Letters typed on the list find the first entry they begin; a pause
    // longer than the typing's starts a new search.
    for (const char* typed : {"f05", "f0999", "f00012", "f1", "f0500"}) {
      for (const char* c = typed; *c; ++c) letters.push_back(KeyStep(list, WM_CHAR, *c));
      Sleep(1100);
    }
    std::printf(
        "page down x%zu: median %.1f ms, longest %.1f ms; letters typed x%zu: median %.1f ms, "
        "longest %.1f ms\n",
        pages.size(), Median(pages), *std::max_element(pages.begin(), pages.end()), letters.size(),
        Median(letters), *std::max_element(letters.begin(), letters.end()));
  }
  close();
  Pump();
  DestroyWindow(host);
  WritePrivateProfileStringA("plimbo", "ExpView", nullptr, "plimbo.ini");
}

}  // namespace

BENCHMARK(BM_OursOpen1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_PlatformOpen1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_OursOpen10000)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_PlatformOpen10000)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_PlatformOpen10000OnePattern)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();
BENCHMARK(BM_OursOpen10000DetailsAndPane)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();
BENCHMARK(BM_WinUpdate10000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WinSwitchView10000)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_WinResort10000)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv) {
  // The dialogs keep their settings in the Windows folder, as a host's.
  MakeFolders();
  if (argc >= 2 && std::string(argv[1]) == "--huge") {  // 100,000 files in the window
    HugeFolder();
    return 0;
  }
  // --before OLD.dll [N [--over-window]]: against an earlier build's copy
  if (argc >= 3 && std::string(argv[1]) == "--before") {
    const bool over = argc > 4 && std::string(argv[4]) == "--over-window";
    BeforeTable(argv[2], argc > 3 ? std::atoi(argv[3]) : kSizes[std::size(kSizes) - 1], over);
    return 0;
  }
  if (argc >= 2 && std::string(argv[1]) == "--table") {  // the table alone, up to N files
    SizeTable(argc > 2 ? std::atoi(argv[2]) : kSizes[std::size(kSizes) - 1]);
    return 0;
  }
  benchmark::internal::RunAll(argc, argv);
  if (argc < 2) {
    PairedRounds(9);
    SizeTable();
  }
  return 0;
}
