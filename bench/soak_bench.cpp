// Soak: every window of the library opened and closed through the real DLL
// round after round, the library freed and loaded again every few rounds;
// prints the process's windows, GDI and USER objects and memory as it goes
// and their growth per round at the end. Under Wine:
//   bench_soak.exe [rounds=1000] [reload every=5]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "lifetime_host.h"

using namespace lifetime_wine;

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int reloadEvery = argc > 2 ? std::atoi(argv[2]) : 5;
  HWND host = MakeHostWindow();
  const std::string clip = WriteClip();
  wine_steps::Player user;
  StartUser(user, 30);
  Print("start", Measure());
  auto lib = std::make_unique<wine_dll::Library>();
  Counts first{};
  int failed = 0;
  const int step = rounds >= 100 ? rounds / 10 : 1;
  for (int round = 1; round <= rounds; ++round) {
    if (!*lib || !RoundTrip(*lib, host, clip, user)) ++failed;
    if (reloadEvery > 0 && round % reloadEvery == 0) {
      lib.reset();
      lib = std::make_unique<wine_dll::Library>();
    }
    const Counts now = Measure();
    if (round == 1) first = now;
    if (round == 1 || round % step == 0) Print(("round " + std::to_string(round)).c_str(), now);
    if (round == rounds && rounds > 1) {
      const double n = rounds - 1;
      std::printf(
          "growth per round after the first: windows %+.3f  GDI %+.3f  USER %+.3f  private %+.1f "
          "bytes\n",
          (double(now.windows) - double(first.windows)) / n,
          (double(now.gdi) - double(first.gdi)) / n, (double(now.user) - double(first.user)) / n,
          (double(now.privateBytes) - double(first.privateBytes)) / n);
    }
  }
  lib.reset();
  Print("unloaded", Measure());
  std::printf("rounds %d, reload every %d, rounds where a window did not open: %d\n", rounds,
              reloadEvery, failed);
  user.Stop();
  DestroyWindow(host);
  return failed ? 1 : 0;
}
