// PrintDlg95 until the print setup window is shown and laid out on the
// printer's page. Under Wine through the real DLL with a file printer set
// up for the run, and beside it the system's own print dialog on the same
// printer (shown until its window is up and painted, then dismissed), by
// turns, with the median of the rounds' own ratios; natively on the
// simulated machine's 600 dpi printer with the headless toolkit (the layout
// work alone).
#ifdef _WIN32
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dll_loader.h"
#include "file_printer.h"
#include "median.h"
#include "mini_benchmark.h"
#include "wine_windows.h"
#else
#include <benchmark/benchmark.h>

#include "platform/sim/sim_machine.h"
#include "print/print_dlg.h"
#include "print/print_form.h"
#include "print/print_state.h"
#include "ui/application.h"
#endif

namespace {

#ifdef _WIN32
using Clock = std::chrono::steady_clock;

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The file printer (the default printer for the run), a host window and the
// library: what both timings need.
struct Setup {
  wine_print::FilePrinter printer{[] {
    char tmp[MAX_PATH] = "";
    GetTempPathA(sizeof tmp, tmp);
    return std::string(tmp) + "w95bench.ps";
  }()};
  wine_dll::Library dll;
  HWND host = CreateWindowExA(0, "STATIC", "bench host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ~Setup() { DestroyWindow(host); }
  std::string Problem() const {
    if (!printer.error.empty()) return "no file printer: " + printer.error;
    if (!dll.PrintDlg95 || !dll.PrintCheck95) return "no w95ZOK56.dll";
    return {};
  }
};

// Ours: from the call until the window is shown and every paint it owes is
// done; then it is closed. -1 when it did not open.
double OursOnce(const Setup& s, const wine_dll::Library* other = nullptr) {
  const wine_dll::Library& dll = other ? *other : s.dll;
  const Clock::time_point start = Clock::now();
  dll.PrintDlg95(s.host, 640, 480, 0);
  HWND window = wine_windows::TopLevel("Plimbo Print Setup");
  if (window) RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const Clock::time_point shown = Clock::now();
  const bool open = dll.PrintCheck95() != 0 && window && IsWindowVisible(window);
  if (window) SendMessageA(window, WM_CLOSE, 0, 0);
  Pump();
  return open ? Ms(start, shown) : -1;
}

// The system's print dialog: its hook sees the dialog made, then (a message
// it posted itself coming back through the dialog's loop) the dialog on
// screen; the paints it owes are done and the clock stops there.
constexpr UINT kShownCheck = WM_APP + 0x51;
Clock::time_point platformShown;
bool platformUp = false;

UINT_PTR CALLBACK PrintHook(HWND dialog, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) {
    PostMessageA(dialog, kShownCheck, 0, 0);
  } else if (msg == kShownCheck) {
    if (!IsWindowVisible(dialog)) {
      PostMessageA(dialog, kShownCheck, 0, 0);  // not on screen yet: look again
      return TRUE;
    }
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    platformShown = Clock::now();
    platformUp = true;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
  }
  return 0;
}

double PlatformOnce(const Setup& s) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = s.host;
  pd.Flags = PD_ENABLEPRINTHOOK | PD_NOSELECTION | PD_NOPAGENUMS;
  pd.lpfnPrintHook = PrintHook;
  platformUp = false;
  const Clock::time_point start = Clock::now();
  PrintDlgA(&pd);
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  Pump();
  return platformUp ? Ms(start, platformShown) : -1;
}

void BM_PrintDlgShown(benchmark::State& state) {
  Setup s;
  if (const std::string problem = s.Problem(); !problem.empty())
    return state.SkipWithError(problem.c_str());
  for (auto _ : state) {
    const double ms = OursOnce(s);
    if (ms < 0) return state.SkipWithError("the window did not open");
    state.SetIterationTime(ms / 1e3);
  }
}

void BM_PlatformPrintDlgShown(benchmark::State& state) {
  Setup s;
  if (const std::string problem = s.Problem(); !problem.empty())
    return state.SkipWithError(problem.c_str());
  for (auto _ : state) {
    const double ms = PlatformOnce(s);
    if (ms < 0) return state.SkipWithError("the system's dialog did not open");
    state.SetIterationTime(ms / 1e3);
  }
}

// Ours and the system's dialog by turns, so that both meet the same load on
// the machine; the first opening of each (cold) apart, then medians and the
// median of the rounds' own ratios (below 1: ours is shown sooner). Beside
// another build of the library (a copy under another name), that one too in
// each round, with its own ratio to the system's dialog and this one's to it.
int PairedRounds(int rounds, const char* beside) {
  Setup s;
  if (const std::string problem = s.Problem(); !problem.empty())
    return std::printf("%s\n", problem.c_str()), 1;
  std::unique_ptr<wine_dll::Library> other;
  if (beside) {
    other = std::make_unique<wine_dll::Library>(beside);
    if (!other->PrintDlg95 || !other->PrintCheck95) return std::printf("no %s\n", beside), 1;
  }
  const double oursCold = OursOnce(s);
  const double otherCold = other ? OursOnce(s, other.get()) : 0;
  const double platformCold = PlatformOnce(s);
  ByTurns r;
  for (int i = 0; i < rounds; ++i) {
    const double o = OursOnce(s);
    const double t = other ? OursOnce(s, other.get()) : 1;
    const double p = PlatformOnce(s);
    if (o < 0 || t < 0 || p < 0 || oursCold < 0 || otherCold < 0 || platformCold < 0)
      return std::printf("a window did not open (ours %.0f, system's %.0f)\n", o, p), 1;
    r.Add(o, t, p);
  }
  std::printf(
      "\nprint setup until shown, %d rounds by turns, ms (first opening apart):\n"
      "  ours (PrintDlg95 640 x 480): first %.1f, median %.1f\n"
      "  the system's print dialog, same printer: first %.1f, median %.1f\n"
      "  ours / system's: %.2f\n",
      rounds, oursCold, Median(r.ours), platformCold, Median(r.platform), Median(r.ratio));
  if (other)
    std::printf(
        "  %s: first %.1f, median %.1f; it / system's: %.2f\n"
        "  ours / %s: %.2f\n",
        beside, otherCold, Median(r.other), Median(r.otherRatio), beside, Median(r.toOther));
  return 0;
}
#else
void BM_PrintDlgShown(benchmark::State& state) {
  w95::platform::sim::SimMachine machine;
  machine.Install();
  machine.printer.Install({w95::platform::sim::SimPrinter::Page600()});
  for (auto _ : state) {
    w95::print::PrintDlg(1, 640, 480, 0);
    state.PauseTiming();
    w95::print::State().PrintForm->Close();
    w95::ui::Application().ProcessMessages();
    state.ResumeTiming();
  }
}
#endif

}  // namespace

#ifdef _WIN32
BENCHMARK(BM_PrintDlgShown)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();
BENCHMARK(BM_PlatformPrintDlgShown)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();

// With no arguments the benchmarks, then 15 rounds by turns; --rounds N
// [--beside OTHER.dll]: those rounds alone.
int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--rounds")
    return PairedRounds(std::atoi(argv[2]),
                        argc >= 5 && std::string(argv[3]) == "--beside" ? argv[4] : nullptr);
  benchmark::internal::RunAll(argc, argv);
  return argc < 2 ? PairedRounds(15, nullptr) : 0;
}
#else
BENCHMARK(BM_PrintDlgShown)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_MAIN();
#endif
