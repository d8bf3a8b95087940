// Painting the rows in view of a string grid of 100 and of 10,000 rows: the
// cost must not grow with the rows out of view. Natively the grid paints on a
// canvas that only counts; under Wine the real grid window repaints itself,
// beside the platform's report list view of the same rows.
#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

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
    for (int c = 0; c < 16; ++c)
      g.SetCell(c, r, "cell " + std::to_string(r) + "," + std::to_string(c));
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

// The platform's own list of rows and columns, in the same run: a report
// list view of the same size, columns and rows, whose texts it asks for
// (as our grid reads its cells) rather than holding them.
LRESULT CALLBACK ListHostProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == LVN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(lp);
    if (info->item.mask & LVIF_TEXT)
      std::snprintf(info->item.pszText, static_cast<size_t>(info->item.cchTextMax), "cell %d,%d",
                    info->item.iItem + 1, info->item.iSubItem);
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

void BM_PaintPlatformListInView(benchmark::State& state) {
  static bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ListHostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BenchListHost";
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  const int rows = static_cast<int>(state.range(0));
  HWND host = CreateWindowA("BenchListHost", "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 656,
                            519, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  RECT client;
  GetClientRect(host, &client);
  HWND list = CreateWindowExA(
      WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
      client.right, client.bottom, host, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  for (int c = 0; c < 16; ++c) {
    LVCOLUMNA col{};
    col.mask = LVCF_WIDTH;
    col.cx = c >= 1 && c <= 3 ? 1 : 40;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), 0);
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(rows / 2), FALSE);
  UpdateWindow(host);
  for (auto _ : state) RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  DestroyWindow(host);
}
BENCHMARK(BM_PaintPlatformListInView)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
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
  void PutTextRect(const Rect&, int, int, const std::string& t) override {
    calls += static_cast<long>(t.size());
  }
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
