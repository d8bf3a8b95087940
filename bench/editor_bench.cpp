// The slide editor's costs on big scripts: a global change of one column and
// moving the first slide to the end (the grid alone); under Wine also the
// whole editor entry until the grid of a 10,000-slide script is on screen
// with its first rows painted (painting a long grid: grid_bench.cpp).
#ifdef _WIN32
#include <windows.h>

#include "dll_loader.h"
#include "mini_benchmark.h"
#include "step_player.h"
#include "editor/script_file.h"
#include "editor/script_sources.h"
#include "platform/platform.h"
#include "platform/win32/win32_machine.h"
#include "settings/ini_file.h"
#else
#include <benchmark/benchmark.h>
#endif

#include <string>

#include "editor/slide_ops.h"
#include "editor/undo_history.h"
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

// A global change of one column over every slide, taken back: the history
// puts back one cell per slide.
void BM_UndoGlobalModify(benchmark::State& state) {
  ui::StringGrid grid;
  bench::MakeScript(grid, static_cast<int>(state.range(0)));
  editor::UndoHistory history(grid);
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    editor::GlobalModify(grid, editor::kColWait, std::to_string(100 + ++k % 60));
    history.Commit();
    state.ResumeTiming();
    history.Undo();
  }
}
BENCHMARK(BM_UndoGlobalModify)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same change done again after it was taken back.
void BM_RedoGlobalModify(benchmark::State& state) {
  ui::StringGrid grid;
  bench::MakeScript(grid, static_cast<int>(state.range(0)));
  editor::UndoHistory history(grid);
  editor::GlobalModify(grid, editor::kColWait, "77");
  history.Commit();
  for (auto _ : state) {
    state.PauseTiming();
    history.Undo();
    state.ResumeTiming();
    history.Redo();
  }
}
BENCHMARK(BM_RedoGlobalModify)->Arg(10000)->Unit(benchmark::kMillisecond);

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

bool GridLoaded() {
  HWND editor = wine_windows::TopLevel("Plimbo Slide Editor");
  bool loaded = false;
  if (editor) EnumChildWindows(editor, HasLoadedGrid, reinterpret_cast<LPARAM>(&loaded));
  return loaded;
}

// The user, whose steps play inside the editor's own loops. Once the grid
// holds the script (the many-slides warning is then up over it), the editor
// is painted and the clock stops: that is the time measured. Then the
// warning is answered and the editor closed.
benchmark::State* running = nullptr;
bool shownThisRun = false;
int shownCount = 0;

void ShownAtLast() {
  if (shownThisRun) return;
  HWND editor = wine_windows::TopLevel("Plimbo Slide Editor");
  RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  running->PauseTiming();
  shownThisRun = true;
  ++shownCount;
}

void QueueTheUser(wine_steps::Player& user) {
  user.steps.push_back({"Warning",
                        [](HWND warning) {
                          ShownAtLast();
                          PostMessageA(warning, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                        },
                        GridLoaded});
  user.steps.push_back({"Plimbo Slide Editor",
                        [](HWND editor) {
                          ShownAtLast();
                          PostMessageA(editor, WM_CLOSE, 0, 0);
                        },
                        GridLoaded});
}

void BM_EditorShowsTenThousandSlides(benchmark::State& state) {
  platform::InstallWin32Machine();
  platform::Current().files->CreateDirectory("c:\\w95bench");
  {
    ui::StringGrid grid;
    bench::MakeScript(grid, kBigSlides);
    editor::PlatformScriptFiles files;
    editor::ScriptHeader header{1024, 768, "ABCDE", "c:\\viewer\\"};
    if (!editor::SaveScriptFile(grid, header, files, kBigScript).ok)
      state.SkipWithError("no script");
  }
  const TIniFile ini("plimbo.ini");
  ini.WriteText("plimbo", "AVLFIL", kBigScript);
  ini.WriteText("plimbo", "AVLNOW", kBigScript);
  ini.WriteText("plimbo", "AVLTMP", "c:\\w95bench\\avltmp.avl");
  ini.WriteText("plimbo", "AppDir", "c:\\viewer");
  // Through the library's export, as a host calls it.
  wine_dll::Library dll;
  const W95_PFN_EditorWin95 editorWin = dll.EditorWin95;
  if (!editorWin) {
    state.SkipWithError("no EditorWin95 in w95ZOK56.dll");
    return;
  }
  running = &state;
  wine_steps::Player user;
  user.answerBoxes = false;  // the warning is the sign that the script is in
  user.timeoutMs = 120000;
  user.Start(10);
  int runs = 0;
  for (auto _ : state) {
    shownThisRun = false;
    QueueTheUser(user);
    benchmark::DoNotOptimize(editorWin());
    if (shownThisRun) state.ResumeTiming();
    user.steps.clear();
    ++runs;
  }
  user.Stop();
  if (shownCount != runs) state.SkipWithError("the editor closed without showing the script");
}
BENCHMARK(BM_EditorShowsTenThousandSlides)->Iterations(3)->Unit(benchmark::kMillisecond);

#endif

}  // namespace

BENCHMARK_MAIN();
