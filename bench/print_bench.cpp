// PrintDlg95 until the print setup window is shown and laid out on the
// printer's page. Under Wine through the real DLL with a file printer set
// up for the run; natively on the simulated machine's 600 dpi printer with
// the headless toolkit (the layout work alone).
#ifdef _WIN32
#include <windows.h>

#include "dll_loader.h"
#include "file_printer.h"
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
void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void BM_PrintDlgShown(benchmark::State& state) {
  char tmp[MAX_PATH] = "";
  GetTempPathA(sizeof tmp, tmp);
  wine_print::FilePrinter printer(std::string(tmp) + "w95bench.ps");
  if (!printer.error.empty()) {
    std::printf("no file printer: %s\n", printer.error.c_str());
    return;
  }
  wine_dll::Library dll;
  const W95_PFN_PrintDlg95 printDlg = dll.PrintDlg95;
  const W95_PFN_PrintCheck95 printCheck = dll.PrintCheck95;
  if (!printDlg || !printCheck) return state.SkipWithError("no w95ZOK56.dll");
  HWND host = CreateWindowExA(0, "STATIC", "bench host", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  for (auto _ : state) {
    printDlg(host, 640, 480, 0);
    state.PauseTiming();
    if (!printCheck()) std::printf("the window did not open\n");
    SendMessageA(wine_windows::TopLevel("Plimbo Print Setup"), WM_CLOSE, 0, 0);
    Pump();
    state.ResumeTiming();
  }
  DestroyWindow(host);
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

BENCHMARK(BM_PrintDlgShown)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_MAIN();
