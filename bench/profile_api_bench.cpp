// The key-by-key way, for comparison in the same run under Wine: one
// GetPrivateProfileStringA call per key read, one WritePrivateProfileStringA
// call per key written, the way the profile functions were meant to be used.
#include "api_script.h"
#include "editor/script_file.h"
#include "editor/script_sources.h"
#include "mini_benchmark.h"
#include "platform/platform.h"
#include "platform/win32/win32_machine.h"
#include "script_fixture.h"

namespace {

using namespace w95;

const editor::ScriptHeader kHeader{1024, 768, "J74S8", "C:\\VIEWER\\"};

void InstallOnce() {
  static const bool installed = [] {
    platform::InstallWin32Machine();
    return platform::Current().files->CreateDirectory("c:\\w95bench");
  }();
  (void)installed;
}

void BM_LoadKeyByKey(benchmark::State& state) {
  InstallOnce();
  const int slides = static_cast<int>(state.range(0));
  editor::PlatformScriptFiles files;
  const std::string target = "c:\\w95bench\\api" + std::to_string(slides) + ".avl";
  {
    ui::StringGrid grid;
    bench::MakeScript(grid, slides);
    editor::SaveScriptFile(grid, kHeader, files, target);
    apiscript::MakeOld(target);  // no re-parsing of young files
  }
  ui::StringGrid grid;
  editor::SetUpGrid(grid);
  for (auto _ : state) {
    apiscript::ApiSource source(target);
    const auto result = editor::ReadScript(source, grid, files);
    if (!result.Ok() || grid.RowCount() != slides + 1) state.SkipWithError("load failed");
  }
}

void BM_SaveKeyByKey(benchmark::State& state) {
  InstallOnce();
  const int slides = static_cast<int>(state.range(0));
  editor::PlatformScriptFiles files;
  const std::string target = "c:\\w95bench\\api_out" + std::to_string(slides) + ".avl";
  ui::StringGrid grid;
  bench::MakeScript(grid, slides);
  for (auto _ : state) {
    state.PauseTiming();
    files.Remove(target);  // a new file each time, as a save makes one
    state.ResumeTiming();
    apiscript::ApiSink sink(target);
    if (!editor::WriteScript(grid, kHeader, files, sink).ok) state.SkipWithError("save failed");
  }
}

BENCHMARK(BM_LoadKeyByKey)->Arg(1800)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_SaveKeyByKey)->Arg(300)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace
