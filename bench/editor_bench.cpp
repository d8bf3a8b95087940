// The slide editor's costs on big scripts: a global change of one column and
// moving the first slide to the end (the grid alone); under Wine also the
// whole editor entry until the grid of a 10,000-slide script is on screen
// with its first rows painted (painting a long grid: grid_bench.cpp).
#ifdef _WIN32
#include <windows.h>

#include "mini_benchmark.h"
#include "editor/script_file.h"
#include "editor/script_sources.h"
#include "platform/platform.h"
#include "platform/win32/win32_machine.h"
#include "settings/ini_file.h"
#else
#include <benchmark/benchmark.h>
#endif

#include <algorithm>
#include <cstdio>
#include <string>

#include "editor/slide_ops.h"
#include "script_fixture.h"

namespace {

using namespace w95;

void BM_GlobalModifyOneColumn(benchmark::State& state) {
  ui::StringGrid grid;
  bench::MakeScript(grid, static_cast<int>(state.range(0)));
  int k = 0;
  for (auto _ : state) {
    const int changed = editor::GlobalModify(grid, editor::kColWait, std::to_string(++k % 60));
    benchmark::DoNotOptimize(changed);
  }
}
BENCHMARK(BM_GlobalModifyOneColumn)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_GlobalEffect(benchmark::State& state) {
  ui::StringGrid grid;
  bench::MakeScript(grid, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    editor::GlobalModifyFX(grid, editor::kColEffect, "Spiral In");
    editor::GlobalModifyFX(grid, editor::kColValue, "19");
  }
}
BENCHMARK(BM_GlobalEffect)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_MoveFirstSlideToTheEnd(benchmark::State& state) {
  ui::StringGrid grid;
  const int slides = static_cast<int>(state.range(0));
  bench::MakeScript(grid, slides);
  for (auto _ : state) benchmark::DoNotOptimize(editor::GridxMove(grid, 1, slides));
}
BENCHMARK(BM_MoveFirstSlideToTheEnd)->Arg(10000)->Unit(benchmark::kMillisecond);

#ifdef _WIN32

const char kBigScript[] = "c:\\w95bench\\big.avl";
constexpr int kBigSlides = 10000;

// The editor's window once the grid holds the whole script: its vertical
// scroll bar then spans every slide.
BOOL CALLBACK HasLoadedGrid(HWND h, LPARAM found) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE;
  if (IsWindowVisible(h) && GetScrollInfo(h, SB_VERT, &si) && si.nMax >= kBigSlides) {
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
  }
  return TRUE;
}

// The editor, or the many-slides warning over it.
BOOL CALLBACK FindEditor(HWND h, LPARAM p) {
  char text[128] = "";
  GetWindowTextA(h, text, sizeof text);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(h) &&
      (std::string(text).rfind("Plimbo Slide Editor", 0) == 0 || std::string(text) == "Warning")) {
    *reinterpret_cast<HWND*>(p) = h;
    return std::string(text) == "Warning" ? FALSE : TRUE;
  }
  return TRUE;
}

// Answers the warning a script of over 1600 slides brings, then paints the
// editor once its grid holds the script and closes it. A timer on the
// thread: it runs inside the editor's own loop.
int shownCount = 0;
double shownSeconds = 0;  // from the call until the grid was on screen, painted
LARGE_INTEGER calledAt;

double SecondsSince(const LARGE_INTEGER& t) {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return static_cast<double>(now.QuadPart - t.QuadPart) / static_cast<double>(freq.QuadPart);
}
void CALLBACK CloseWhenShown(HWND, UINT, UINT_PTR, DWORD) {
  HWND h = nullptr;
  EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&h));
  if (!h) return;
  char text[128] = "";
  GetWindowTextA(h, text, sizeof text);
  if (std::string(text) == "Warning") {
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return;
  }
  bool loaded = false;
  EnumChildWindows(h, HasLoadedGrid, reinterpret_cast<LPARAM>(&loaded));
  if (!loaded) return;
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ++shownCount;
  shownSeconds += SecondsSince(calledAt);
  PostMessageA(h, WM_CLOSE, 0, 0);
}

void BM_EditorShowsTenThousandSlides(benchmark::State& state) {
  platform::InstallWin32Machine();
  platform::Current().files->CreateDirectory("c:\\w95bench");
  {
    ui::StringGrid grid;
    bench::MakeScript(grid, kBigSlides);
    editor::PlatformScriptFiles files;
    editor::ScriptHeader header{1024, 768, "ABCDE", "c:\\viewer\\"};
    if (!editor::SaveScriptFile(grid, header, files, kBigScript).ok) state.SkipWithError("no script");
  }
  const TIniFile ini("plimbo.ini");
  ini.WriteText("plimbo", "AVLFIL", kBigScript);
  ini.WriteText("plimbo", "AVLNOW", kBigScript);
  ini.WriteText("plimbo", "AVLTMP", "c:\\w95bench\\avltmp.avl");
  ini.WriteText("plimbo", "AppDir", "c:\\viewer");
  // Through the library's export, as a host calls it.
  HMODULE dll = LoadLibraryA("w95ZOK56.dll");
  using EditorFn = LONG(WINAPI*)();
  const auto editorWin = reinterpret_cast<EditorFn>(
      reinterpret_cast<void (*)()>(dll ? GetProcAddress(dll, "EditorWin95") : nullptr));
  if (!editorWin) {
    state.SkipWithError("no EditorWin95 in w95ZOK56.dll");
    return;
  }
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, CloseWhenShown);
  int runs = 0;
  for (auto _ : state) {
    QueryPerformanceCounter(&calledAt);
    benchmark::DoNotOptimize(editorWin());
    ++runs;
  }
  KillTimer(nullptr, timer);
  FreeLibrary(dll);
  if (shownCount != runs) state.SkipWithError("the editor closed without showing the script");
  // The time includes closing the window; the label says when it was shown.
  char label[64];
  std::snprintf(label, sizeof label, "shown after %.0f ms", 1000 * shownSeconds / std::max(1, runs));
  state.SetLabel(label);
}
BENCHMARK(BM_EditorShowsTenThousandSlides)->Iterations(3)->Unit(benchmark::kMillisecond);

#endif

}  // namespace

BENCHMARK_MAIN();
