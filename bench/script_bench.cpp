// Loading and saving whole scripts the way the editor does: one pass over
// the parsed text, one text written section by section into a new file.
#ifdef _WIN32
#include "mini_benchmark.h"
#include "platform/platform.h"
#include "platform/win32/win32_machine.h"
#else
#include <benchmark/benchmark.h>

#include <filesystem>

#include "host_files.h"
#endif

#include "editor/script_file.h"
#include "editor/script_sources.h"
#include "script_fixture.h"

namespace {

using namespace w95;

// The real files of the machine: the Win32 services under Wine, files in a
// temporary folder natively.
struct Machine {
#ifdef _WIN32
  Machine() {
    platform::InstallWin32Machine();
    platform::Current().files->CreateDirectory("c:\\w95bench");
  }
  editor::PlatformScriptFiles files;
#else
  Machine() : files(Root()) { std::filesystem::create_directories(Root() + "/c/bench"); }
  static std::string Root() {
    return (std::filesystem::temp_directory_path() / "w95bench").string();
  }
  avltool::HostScriptFiles files;
#endif
};

editor::ScriptFiles& Files() {
  static Machine machine;
  return machine.files;
}

std::string Target(int slides) {
#ifdef _WIN32
  return "c:\\w95bench\\s" + std::to_string(slides) + ".avl";
#else
  return "c:\\bench\\s" + std::to_string(slides) + ".avl";
#endif
}

editor::ScriptHeader Header() { return {1024, 768, "J74S8", "C:\\VIEWER\\"}; }

void BM_SaveScript(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  editor::ScriptFiles& files = Files();
  ui::StringGrid grid;
  bench::MakeScript(grid, slides);
  const std::string target = Target(slides);
  for (auto _ : state) {
    const auto result = editor::SaveScriptFile(grid, Header(), files, target);
    if (!result.ok) state.SkipWithError("save failed");
  }
}

// Writes a script of `slides` slides and gives its name.
std::string Prepared(int slides) {
  ui::StringGrid grid;
  bench::MakeScript(grid, slides);
  editor::SaveScriptFile(grid, Header(), Files(), Target(slides));
  return Target(slides);
}

// Reads it as the editor does: the whole file, parsed once.
bool Load(const std::string& target, ui::StringGrid& grid, int slides) {
  editor::TextSource source(Files().ReadAll(target).value_or(""));
  return editor::ReadScript(source, grid, Files()).Ok() && grid.RowCount() == slides + 1;
}

void BM_LoadScript(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  const std::string target = Prepared(slides);
  ui::StringGrid grid;
  editor::SetUpGrid(grid);
  for (auto _ : state) {
    if (!Load(target, grid, slides)) state.SkipWithError("load failed");
  }
}

void BM_LoadAndSaveScript(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  const std::string target = Prepared(slides);
  ui::StringGrid grid;
  editor::SetUpGrid(grid);
  for (auto _ : state) {
    const bool loaded = Load(target, grid, slides);
    if (!loaded || !editor::SaveScriptFile(grid, Header(), Files(), target).ok)
      state.SkipWithError("load or save failed");
  }
}

BENCHMARK(BM_LoadScript)->Arg(1800)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_SaveScript)
    ->Arg(300)
    ->Arg(1800)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3);
BENCHMARK(BM_LoadAndSaveScript)
    ->Arg(1800)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
