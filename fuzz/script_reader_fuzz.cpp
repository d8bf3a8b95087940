// libFuzzer target: any bytes as a slide script file. Reading must neither
// crash nor misbehave (ASan, UBSan); a script read whole must write, and what
// was written must read back as a script of the same length.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/script_file.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"
#include "platform/platform.h"

namespace {

using namespace w95;

// Path forms without a machine: a path is its own short form.
class NoFiles final : public editor::ScriptFiles {
 public:
  std::string ShortPathOf(const std::string& path) override { return path; }
  std::string LongNameOf(const std::string& path) override {
    return path.substr(path.find_last_of("\\:") + 1);
  }
  std::string CurrentDirectory() override { return "c:\\work"; }
  bool Exists(const std::string&) override { return false; }
  std::optional<std::string> ReadAll(const std::string&) override { return std::nullopt; }
  std::unique_ptr<platform::OutputFile> Create(const std::string&) override { return nullptr; }
  bool Replace(const std::string&, const std::string&) override { return false; }
  bool Remove(const std::string&) override { return false; }
};

class StringOutput final : public platform::OutputFile {
 public:
  std::string text;
  bool Write(std::string_view data) override {
    text.append(data);
    return true;
  }
  bool Close() override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NoFiles files;
  ui::StringGrid grid;
  editor::SetUpGrid(grid);
  editor::TextSource source(std::string(reinterpret_cast<const char*>(data), size));
  const editor::ReadResult read = editor::ReadScript(source, grid, files);
  if (!read.Ok()) return 0;

  StringOutput out;
  editor::TextSink sink(out);
  const editor::ScriptHeader header{640, 480, read.catalogId, "c:\\viewer\\"};
  if (!editor::WriteScript(grid, header, files, sink).ok) return 0;  // cells that are no numbers

  ui::StringGrid again;
  editor::SetUpGrid(again);
  editor::TextSource written(out.text);
  const editor::ReadResult reread = editor::ReadScript(written, again, files);
  if (!reread.fileOk || reread.rowCount != read.rowCount || reread.generation != 6) std::abort();
  return 0;
}
