// The editor's check for slides whose file is missing: 10,000 slides, one in
// twenty gone, spread over folders of 10,000, 10 or 1 of them (a folder with
// many slides is listed once, the others are asked file by file); and 10,000 slides
// on a drive that does not exist. Natively on the simulated machine; under
// Wine on real files in the prefix (made on the first run and kept).
#ifdef _WIN32
#include <windows.h>

#include "mini_benchmark.h"
#include "platform/win32/win32_machine.h"
#else
#include <benchmark/benchmark.h>

#include "platform/sim/sim_machine.h"
#endif

#include <cstdio>
#include <string>
#include <vector>

#include "editor/missing_files.h"
#include "platform/platform.h"

namespace {

using namespace w95;

constexpr int kSlides = 10000;
const char kRoot[] = "c:\\w95bench\\missing";

platform::FileSystem& Files() {
#ifdef _WIN32
  static const bool installed = (platform::InstallWin32Machine(), true);
  (void)installed;
  return *platform::Current().files;
#else
  static platform::sim::SimMachine machine;
  return machine.files;
#endif
}

std::string Folder(int perFolder, int index) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s\\per%d\\d%05d\\", kRoot, perFolder, index);
  return buf;
}

std::string Name(int index) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "s%05d.bmp", index);
  return buf;
}

void MakeFile(const std::string& path) {
#ifdef _WIN32
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
#else
  Files().WriteFile(path, "x");
#endif
}

// The slide paths; every twentieth file is not made.
std::vector<std::string> Slides(int perFolder) {
  std::vector<std::string> paths;
  const std::string done = std::string(kRoot) + "\\per" + std::to_string(perFolder) + ".made";
  const bool made = Files().Stat(done).has_value();
  if (!made) {
    Files().CreateDirectory("c:\\w95bench");
    Files().CreateDirectory(kRoot);
    Files().CreateDirectory(std::string(kRoot) + "\\per" + std::to_string(perFolder));
  }
  for (int i = 0; i < kSlides; ++i) {
    const std::string folder = Folder(perFolder, i / perFolder);
    const std::string path = folder + Name(i);
    if (!made) {
      if (i % perFolder == 0) Files().CreateDirectory(folder.substr(0, folder.size() - 1));
      if (i % 20 != 0) MakeFile(path);
    }
    paths.push_back(path);
  }
  if (!made) MakeFile(done);
  return paths;
}

void BM_MissingCheck(benchmark::State& state) {
  const int perFolder = static_cast<int>(state.range(0));
  const std::vector<std::string> paths = Slides(perFolder);
  editor::MissingCheck check(Files());
  for (auto _ : state) {
    check.Start(paths);
    check.RunToEnd();
  }
  if (check.Missing().size() != kSlides / 20) state.SetLabel("WRONG COUNT");
}
BENCHMARK(BM_MissingCheck)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MissingCheck)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MissingCheck)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MissingCheckGoneDrive(benchmark::State& state) {
  std::vector<std::string> paths;
  for (int i = 0; i < kSlides; ++i) paths.push_back("q:\\gone\\" + Name(i));
  editor::MissingCheck check(Files());
  for (auto _ : state) {
    check.Start(paths);
    check.RunToEnd();
  }
  if (check.Missing().size() != kSlides) state.SetLabel("WRONG COUNT");
}
BENCHMARK(BM_MissingCheckGoneDrive)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
