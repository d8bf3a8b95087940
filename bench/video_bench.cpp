// The video window. Under Wine: VideoWinPlayer95 through the real DLL on a
// 320 x 240 clip until the window has shown its first frame, beside the
// platform's own media window (MCIWnd) opening the same clip in the same run.
// Without arguments (or with --table [rounds]) it ends with rounds that open
// ours and the platform's window by turns, so that both meet the same load on
// a shared machine: the medians and the median of the rounds' own ratios,
// with the load average the machine reported.
// Natively: one status tick of a playing clip on the simulated device.
#ifdef _WIN32
#include <windows.h>
#include <vfw.h>

#include "avi_writer.h"
#include "dll_loader.h"
#include "median.h"
#include "mini_benchmark.h"
#else
#include <benchmark/benchmark.h>

#include "exports/library.h"
#include "platform/sim/sim_machine.h"
#include "settings/ini_file.h"
#include "video/video_form.h"
#endif

#include <string>
#ifdef _WIN32
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>
#endif

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

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Open, show, set up, and let the first paint run; closing is not timed.
// Milliseconds, or -1 when the window did not open.
double OpenOnce(W95_PFN_VideoWinPlayer95 player, W95_PFN_VideoWinClose95 close) {
  const Clock::time_point start = Clock::now();
  if (player(nullptr, 0, 0) != 1) return -1;
  PumpPending();
  const double ms = Ms(start);
  close();
  close();
  PumpPending();
  return ms;
}

double OursOnce(Dll& dll) { return OpenOnce(dll.player, dll.close); }

// The platform's own media window on the same clip, shown and painted.
double PlatformOnce() {
  const Clock::time_point start = Clock::now();
  HWND w = MCIWndCreateA(nullptr, GetModuleHandleA(nullptr),
                         WS_OVERLAPPEDWINDOW | WS_VISIBLE | MCIWNDF_NOERRORDLG, kClip);
  if (!w) return -1;
  UpdateWindow(w);
  PumpPending();
  const double ms = Ms(start);
  MCIWndDestroy(w);
  PumpPending();
  return ms;
}

void BM_VideoWinPlayerFirstFrame(benchmark::State& state) {
  Dll& dll = TheDll();
  if (!dll.player) return state.SkipWithError("no DLL");
  for (auto _ : state) {
    const double ms = OursOnce(dll);
    if (ms < 0) return state.SkipWithError("open failed");
    state.SetIterationTime(ms / 1000);
  }
}
BENCHMARK(BM_VideoWinPlayerFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_PlatformMediaWindowFirstFrame(benchmark::State& state) {
  TheDll();
  for (auto _ : state) {
    const double ms = PlatformOnce();
    if (ms < 0) return state.SkipWithError("MCIWnd failed");
    state.SetIterationTime(ms / 1000);
  }
}
BENCHMARK(BM_PlatformMediaWindowFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

// The machine's load average as Linux reports it (Wine shows the root as
// drive Z:); empty elsewhere.
std::string LoadAverage() {
  char line[128] = "";
  if (FILE* f = std::fopen("z:\\proc\\loadavg", "r")) {
    if (!std::fgets(line, sizeof line, f)) line[0] = 0;
    std::fclose(f);
  }
  std::string s = line;
  // The three averages only.
  size_t cut = 0;
  for (int fields = 0; fields < 3 && cut != std::string::npos; ++fields)
    cut = s.find(' ', cut ? cut + 1 : 0);
  return cut == std::string::npos ? s : s.substr(0, cut);
}

// Ours and the platform's window by turns, after one unmeasured opening of
// each; the ratio is the median of the rounds' own ratios.
void PairedRounds(int rounds) {
  Dll& dll = TheDll();
  if (!dll.player) return;
  const std::string loadBefore = LoadAverage();
  OursOnce(dll);
  PlatformOnce();
  std::vector<double> ours, platform, ratio;
  for (int i = 0; i < rounds; ++i) {
    const double o = OursOnce(dll);
    const double p = PlatformOnce();
    if (o < 0 || p < 0) {
      std::printf("paired rounds: a window did not open\n");
      return;
    }
    ours.push_back(o);
    platform.push_back(p);
    ratio.push_back(o / p);
  }
  std::printf(
      "\n%d rounds by turns to the first frame of a 320 x 240 clip, medians:\n"
      "  ours %.1f ms, the platform's media window %.1f ms; ours / platform: %.2f\n"
      "  load average before: %s, after: %s\n",
      rounds, Median(ours), Median(platform), Median(ratio), loadBefore.c_str(),
      LoadAverage().c_str());
  std::fflush(stdout);
}

// This build, an earlier build's copy loaded beside it under another file
// name, and the platform's window, by turns (who of the first two goes first
// changes each round): medians and the medians of each round's own ratios.
void BeforeRounds(const char* file, int rounds) {
  Dll& dll = TheDll();
  const wine_dll::Library before(file);
  const auto player = before.VideoWinPlayer95;
  const auto close = before.VideoWinClose95;
  if (!dll.player || !player || !close) {
    std::printf("no VideoWinPlayer95 in %s\n", dll.player ? file : "this build");
    return;
  }
  const std::string loadBefore = LoadAverage();
  OursOnce(dll);
  OpenOnce(player, close);
  PlatformOnce();
  ByTurns r;
  for (int i = 0; i < rounds; ++i) {
    double o = -1, b = -1;
    if (i % 2 == 0) {
      o = OursOnce(dll);
      b = OpenOnce(player, close);
    } else {
      b = OpenOnce(player, close);
      o = OursOnce(dll);
    }
    const double p = PlatformOnce();
    if (o < 0 || b < 0 || p < 0) {
      std::printf("by turns with %s: a window did not open\n", file);
      return;
    }
    r.Add(o, b, p);
  }
  std::printf(
      "\n%d rounds by turns with %s, to the first frame, medians:\n"
      "  ours %.1f ms, before %.1f ms, the platform's %.1f ms\n"
      "  ours / platform %.2f, before / platform %.2f, ours / before %.2f\n"
      "  load average before: %s, after: %s\n",
      rounds, file, Median(r.ours), Median(r.other), Median(r.platform), Median(r.ratio),
      Median(r.otherRatio), Median(r.toOther), loadBefore.c_str(), LoadAverage().c_str());
  std::fflush(stdout);
}

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

#ifdef _WIN32
int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--before") {  // against an earlier build's copy
    BeforeRounds(argv[2], argc > 3 ? std::atoi(argv[3]) : 21);
    return 0;
  }
  if (argc >= 2 && std::string(argv[1]) == "--table") {  // the rounds alone
    PairedRounds(argc > 2 ? std::atoi(argv[2]) : 21);
    return 0;
  }
  benchmark::internal::RunAll(argc, argv);
  if (argc < 2) PairedRounds(21);
  return 0;
}
#else
BENCHMARK_MAIN();
#endif
