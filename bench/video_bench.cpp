// The video window. Under Wine: VideoWinPlayer95 through the real DLL on a
// 320 x 240 clip until the window has shown its first frame, beside the
// platform's own media window (MCIWnd) opening the same clip in the same run.
// Natively: one status tick of a playing clip on the simulated device.
#ifdef _WIN32
#include <windows.h>
#include <vfw.h>

#include "avi_writer.h"
#include "dll_loader.h"
#include "mini_benchmark.h"
#else
#include <benchmark/benchmark.h>

#include "exports/library.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"
#include "video/video_form.h"
#endif

#include <string>

namespace {

#ifdef _WIN32

const char* const kClip = "c:\\w95vid\\bench320.avi";

void PumpPending() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

struct Dll {
  Dll() {
    CreateDirectoryA("c:\\w95vid", nullptr);
    video_wine::WriteAvi(kClip, 320, 240, 30, 15);
    wine_dll::WriteKey(W95_KEY_SAVE_NAME, kClip);
    player = library.VideoWinPlayer95;
    close = library.VideoWinClose95;
  }
  wine_dll::Library library;
  W95_PFN_VideoWinPlayer95 player = nullptr;
  W95_PFN_VideoWinClose95 close = nullptr;
};

Dll& TheDll() {
  static Dll dll;
  return dll;
}

// Open, show, set up, and let the first paint run; closing is not timed.
void BM_VideoWinPlayerFirstFrame(benchmark::State& state) {
  Dll& dll = TheDll();
  if (!dll.player) return state.SkipWithError("no DLL");
  for (auto _ : state) {
    if (dll.player(nullptr, 0, 0) != 1) return state.SkipWithError("open failed");
    PumpPending();
    state.PauseTiming();
    dll.close();
    dll.close();
    PumpPending();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_VideoWinPlayerFirstFrame);

// The platform's own media window on the same clip, shown and painted.
void BM_PlatformMediaWindowFirstFrame(benchmark::State& state) {
  TheDll();
  for (auto _ : state) {
    HWND w = MCIWndCreateA(nullptr, GetModuleHandleA(nullptr),
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE | MCIWNDF_NOERRORDLG, kClip);
    if (!w) return state.SkipWithError("MCIWnd failed");
    UpdateWindow(w);
    PumpPending();
    state.PauseTiming();
    MCIWndDestroy(w);
    PumpPending();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PlatformMediaWindowFirstFrame);

#else

// A playing clip that never ends within the run; each tick reads the mode
// and position, moves the seek bar and writes the status line.
void BM_StatusTick(benchmark::State& state) {
  w95::platform::sim::SimMachine machine;
  machine.Install();
  machine.media.AddClip("C:\\CLIP.AVI", {320, 240, 100000000});
  w95::TIniFile("plimbo.ini").WriteText("plimbo", "SaveName", "C:\\CLIP.AVI");
  if (w95::VideoWinPlayer(1, 0, 0) != 1) return state.SkipWithError("open failed");
  w95::video::TVideoForm& form = *w95::video::Video().form;
  form.mnuPlayClick();
  for (auto _ : state) {
    machine.media.Advance(1);
    form.Timer1Timer();
    if (machine.media.log.size() > 4096) machine.media.log.clear();
  }
  machine.media.log.clear();
  w95::VideoWinClose();
  w95::VideoWinClose();
}
BENCHMARK(BM_StatusTick);

#endif

}  // namespace

BENCHMARK_MAIN();
