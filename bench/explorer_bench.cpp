// Listing a folder of 10,000 files in the explorer: search, sort, folders
// placed, columns measured, list box filled. Natively on the simulated
// machine and the headless list; under Wine on real files and the real list
// box.
#ifdef _WIN32
#include "mini_benchmark.h"
#include "platform/win32/win32_machine.h"
#else
#include <benchmark/benchmark.h>

#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_profiles.h"
#endif

#include <cstdio>
#include <memory>
#include <string>

#include "explorer/file_form.h"
#include "explorer/listing.h"
#include "platform/platform.h"

namespace {

using namespace w95;

constexpr int kFiles = 10000;
constexpr int kFolders = 20;
const char* const kFolder = "c:\\w95big";

std::string FileName(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "Pic%05d.BMP", (i * 7919) % kFiles);
  return name;
}

struct Machine {
#ifdef _WIN32
  Machine() {
    platform::InstallWin32Machine();
    auto& fs = *platform::Current().files;
    fs.CreateDirectory(kFolder);
    if (fs.Find(std::string(kFolder) + "\\*.bmp").size() < kFiles) {
      for (int i = 0; i < kFiles; ++i) fs.WriteFile(std::string(kFolder) + "\\" + FileName(i), "");
      for (int i = 0; i < kFolders; ++i)
        fs.CreateDirectory(std::string(kFolder) + "\\Folder" + std::to_string(i));
    }
  }
#else
  Machine() {
    sim.Install();
    auto m = platform::Current();
    m.profiles = &profiles;
    platform::Install(m);
    for (int i = 0; i < kFiles; ++i) sim.files.AddFile(std::string(kFolder) + "\\" + FileName(i));
    for (int i = 0; i < kFolders; ++i)
      sim.files.AddFolder(std::string(kFolder) + "\\Folder" + std::to_string(i));
  }
  platform::sim::SimMachine sim;
  platform::sim::SimProfileStore profiles{&sim.files};
#endif
};

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

// The whole rebuild of the explorer's list, as a folder change does it.
void BM_UpdateFiles10000(benchmark::State& state) {
  TheMachine();
  explorer::TFileForm form(explorer::ModeFromKind(252, 0));
  form.FilterComboBox1.SetItemIndex(0);  // "*.* any file"
  form.Show();  // real windows under Win32; activation lists the start folder
  form.GoToFolder(kFolder);
  for (auto _ : state) {
    form.UpdateFiles();
    benchmark::DoNotOptimize(form.XFiles.Count());
  }
  if (form.XFiles.Count() != kFiles + kFolders)
    std::printf("unexpected count %d\n", form.XFiles.Count());
  form.Hide();
}
BENCHMARK(BM_UpdateFiles10000)->Unit(benchmark::kMillisecond)->Iterations(5);

// "&Mark all files" in the add-slides mode, on a folder of 10,000 files.
void BM_MarkAll10000(benchmark::State& state) {
  TheMachine();
  explorer::TFileForm form(explorer::ModeFromKind(253, 0));
  form.Show();
  form.GoToFolder(kFolder);
  for (auto _ : state) {
    form.MarkAll(true);
    form.MarkAll(false);
  }
  form.MarkAll(true);
  if (form.XFiles.SelCount() != kFiles) std::printf("marked %d\n", form.XFiles.SelCount());
  form.Hide();
}
BENCHMARK(BM_MarkAll10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Only the ordering of what the search found.
void BM_BuildListing10000(benchmark::State& state) {
  std::vector<explorer::FoundEntry> files, all;
  for (int i = 0; i < kFiles; ++i) files.push_back({FileName(i), false, false});
  all = files;
  for (int i = 0; i < kFolders; ++i) all.push_back({"Folder" + std::to_string(i), true, false});
  for (auto _ : state) {
    auto listing = explorer::BuildListing(files, all, {});
    benchmark::DoNotOptimize(listing.entries.data());
  }
}
BENCHMARK(BM_BuildListing10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
