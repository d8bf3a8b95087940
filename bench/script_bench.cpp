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

void BM_LoadScript(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  editor::ScriptFiles& files = Files();
  {
    ui::StringGrid grid;
    bench::MakeScript(grid, slides);
    editor::SaveScriptFile(grid, Header(), files, Target(slides));
  }
  ui::StringGrid grid;
  editor::SetUpGrid(grid);
  for (auto _ : state) {
    editor::TextSource source(files.ReadAll(Target(slides)).value_or(""));
    const auto result = editor::ReadScript(source, grid, files);
    if (!result.Ok() || grid.RowCount() != slides + 1) state.SkipWithError("load failed");
  }
}

void BM_LoadAndSaveScript(benchmark::State& state) {
  const int slides = static_cast<int>(state.range(0));
  editor::ScriptFiles& files = Files();
  {
    ui::StringGrid grid;
    bench::MakeScript(grid, slides);
    editor::SaveScriptFile(grid, Header(), files, Target(slides));
  }
  ui::StringGrid grid;
  editor::SetUpGrid(grid);
  for (auto _ : state) {
    editor::TextSource source(files.ReadAll(Target(slides)).value_or(""));
    const auto loaded = editor::ReadScript(source, grid, files);
    const auto saved = editor::SaveScriptFile(grid, Header(), files, Target(slides));
    if (!loaded.Ok() || !saved.ok) state.SkipWithError("load or save failed");
  }
}

BENCHMARK(BM_LoadScript)->Arg(1800)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_SaveScript)->Arg(1800)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_LoadAndSaveScript)->Arg(1800)->Arg(10000)->Unit(benchmark::kMillisecond)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
