// Painting the rows in view of a string grid of 100 and of 10,000 rows: the
// cost must not grow with the rows out of view. Natively the grid paints on a
// canvas that only counts; under Wine the real grid window repaints itself.
#ifdef _WIN32
#include <windows.h>

#include "mini_benchmark.h"
#include "platform/win32/win32_machine.h"
#include "ui/form.h"
#else
#include <benchmark/benchmark.h>
#endif

#include <string>

#include "ui/canvas.h"
#include "ui/string_grid.h"

namespace {

using namespace w95::ui;

void Fill(StringGrid& g, int rows) {
  g.SetColCount(16);
  g.SetRowCount(rows);
  g.SetFixedCols(4);
  g.SetDefaultRowHeight(16);
  for (int c = 0; c < 16; ++c) g.SetColWidth(c, c >= 1 && c <= 3 ? 1 : 40);
  for (int r = 1; r < rows; ++r)
    for (int c = 0; c < 16; ++c) g.SetCell(c, r, "cell " + std::to_string(r) + "," + std::to_string(c));
  g.SetTopRow(rows / 2);
  g.SetRow(rows / 2 + 1);
}

#ifdef _WIN32
struct Window : Form {
  explicit Window(int rows) : Form("Bench") {
    SetClientSize(640, 480);
    Grid.SetAlign(Align::Client);
    Fill(Grid, rows);
    Show();
    grid = reinterpret_cast<HWND>(Grid.Handle());
    UpdateWindow(grid);
  }
  StringGrid Grid{*this, "Grid"};
  HWND grid = nullptr;
};

void BM_PaintGridInView(benchmark::State& state) {
  static bool installed = (w95::platform::InstallWin32Machine(), true);
  (void)installed;
  Window w(static_cast<int>(state.range(0)));
  for (auto _ : state) RedrawWindow(w.grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}
#else
// Counts the drawing calls and measures text as a screen font would.
class CountingCanvas final : public Canvas {
 public:
  long calls = 0;
  void SetBrushColor(Color) override { ++calls; }
  void SetFont(const Font&) override { ++calls; }
  void SetPenColor(Color) override { ++calls; }
  void FillRect(const Rect&) override { ++calls; }
  void FrameRect(const Rect&) override { ++calls; }
  void PutText(int, int, const std::string& t) override { calls += static_cast<long>(t.size()); }
  void PutTextRect(const Rect&, int, int, const std::string& t) override { calls += static_cast<long>(t.size()); }
  int TextWidth(const std::string& t) override { return 6 * static_cast<int>(t.size()); }
  int TextHeight(const std::string&) override { return 13; }
  void DrawGlyph(int, int, GlyphKind, bool) override { ++calls; }
  void DrawFocusRect(const Rect&) override { ++calls; }
  void DrawPicture(const Rect&, const Picture&) override { ++calls; }
};

void BM_PaintGridInView(benchmark::State& state) {
  StringGrid g;
  Fill(g, static_cast<int>(state.range(0)));
  CountingCanvas canvas;
  for (auto _ : state) g.Paint(canvas, 640, 480, true);
  benchmark::DoNotOptimize(canvas.calls);
}
#endif

}  // namespace

BENCHMARK(BM_PaintGridInView)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
