// The slide editor's costs on big scripts: a global change of one column and
// moving the first slide to the end (the grid alone); under Wine also the
// whole editor entry until the grid of a 10,000-slide script is on screen
// with its first rows painted (painting a long grid: grid_bench.cpp), and
// with --rounds N [--beside OTHER.dll] that opening N times, medians, beside
// another build of the library by turns.
#ifdef _WIN32
#include <windows.h>

#include "dll_loader.h"
#include "median.h"
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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

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

// The big script and the host's keys that open it.
bool PrepareBigScript() {
  platform::InstallWin32Machine();
  platform::Current().files->CreateDirectory("c:\\w95bench");
  ui::StringGrid grid;
  bench::MakeScript(grid, kBigSlides);
  editor::PlatformScriptFiles files;
  editor::ScriptHeader header{1024, 768, "ABCDE", "c:\\viewer\\"};
  if (!editor::SaveScriptFile(grid, header, files, kBigScript).ok) return false;
  const TIniFile ini("plimbo.ini");
  ini.WriteText("plimbo", "AVLFIL", kBigScript);
  ini.WriteText("plimbo", "AVLNOW", kBigScript);
  ini.WriteText("plimbo", "AVLTMP", "c:\\w95bench\\avltmp.avl");
  ini.WriteText("plimbo", "AppDir", "c:\\viewer");
  return true;
}

// The user, whose steps play inside the editor's own loops. Once the grid
// holds the script (the many-slides warning is then up over it) and the
// editor has painted what it had to (the step plays from a timer, which
// comes only when no paint is owed; any paint still owed is done here), the
// clock stops: that is the time measured. Then the warning is answered and
// the editor closed.
using Clock = std::chrono::steady_clock;
Clock::time_point shownAt;
bool shownThisRun = false;

void ShownAtLast() {
  if (shownThisRun) return;
  HWND editor = wine_windows::TopLevel("Plimbo Slide Editor");
  RedrawWindow(editor, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  shownAt = Clock::now();
  shownThisRun = true;
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

// One opening through the export, as a host calls it: milliseconds from the
// call until the editor showed the script, or -1 when it never did.
double EditorOnce(W95_PFN_EditorWin95 editorWin) {
  wine_steps::Player user;
  user.answerBoxes = false;  // the warning is the sign that the script is in
  user.timeoutMs = 120000;
  user.Start(10);
  shownThisRun = false;
  QueueTheUser(user);
  const Clock::time_point start = Clock::now();
  benchmark::DoNotOptimize(editorWin());
  user.Stop();
  if (!shownThisRun) return -1;
  return std::chrono::duration<double, std::milli>(shownAt - start).count();
}

void BM_EditorShowsTenThousandSlides(benchmark::State& state) {
  if (!PrepareBigScript()) return state.SkipWithError("no script");
  wine_dll::Library dll;
  if (!dll.EditorWin95) return state.SkipWithError("no EditorWin95 in w95ZOK56.dll");
  for (auto _ : state) {
    const double ms = EditorOnce(dll.EditorWin95);
    if (ms < 0) return state.SkipWithError("the editor closed without showing the script");
    state.SetIterationTime(ms / 1e3);
  }
}
BENCHMARK(BM_EditorShowsTenThousandSlides)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

// --rounds N [--beside OTHER.dll]: the first opening (cold), then N more,
// medians; beside another build of the library (copied under another name),
// the two by turns, so that both meet the same load on the machine, and the
// median of the rounds' own ratios.
int Rounds(int rounds, const char* beside) {
  if (!PrepareBigScript()) return std::printf("no script\n"), 1;
  wine_dll::Library ours;
  std::unique_ptr<wine_dll::Library> other;
  if (beside) other = std::make_unique<wine_dll::Library>(beside);
  if (!ours.EditorWin95 || (other && !other->EditorWin95))
    return std::printf("no EditorWin95\n"), 1;
  const double cold = EditorOnce(ours.EditorWin95);
  const double otherCold = other ? EditorOnce(other->EditorWin95) : 0;
  std::vector<double> mine, theirs, ratio;
  for (int i = 0; i < rounds; ++i) {
    const double o = EditorOnce(ours.EditorWin95);
    const double t = other ? EditorOnce(other->EditorWin95) : 1;
    if (o < 0 || t < 0) return std::printf("the editor did not show the script\n"), 1;
    mine.push_back(o);
    theirs.push_back(t);
    ratio.push_back(o / t);
  }
  std::printf("editor until a %d-slide script is shown, %d rounds, ms:\n", kBigSlides, rounds);
  std::printf("  this build: first %.1f, median %.1f\n", cold, Median(mine));
  if (other)
    std::printf("  %s: first %.1f, median %.1f\n  ratio this / beside: %.2f\n", beside, otherCold,
                Median(theirs), Median(ratio));
  return 0;
}

#endif

}  // namespace

#ifdef _WIN32
int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--rounds")
    return Rounds(std::atoi(argv[2]),
                  argc >= 5 && std::string(argv[3]) == "--beside" ? argv[4] : nullptr);
  return benchmark::internal::RunAll(argc, argv);
}
#else
BENCHMARK_MAIN();
#endif
