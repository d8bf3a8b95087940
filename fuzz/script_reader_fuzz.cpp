// libFuzzer target: any bytes as a slide script file. Reading must neither
// crash nor misbehave (ASan, UBSan); a script read whole either writes or is
// refused for a slide the writer names, and what was written must read back
// as the same slides.
#include <cstddef>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/script_file.h"
#include "editor/script_model.h"
#include "editor/script_sources.h"
#include "platform/platform.h"

namespace {

using namespace w95;

// Path forms without a machine: a path is its own short form, and its
// display name does not depend on how the path was spelt (as on a disk).
class NoFiles final : public editor::ScriptFiles {
 public:
  std::string ShortPathOf(const std::string& path) override { return path; }
  std::string LongNameOf(const std::string& path) override {
    std::string name = path.substr(path.find_last_of("\\:") + 1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
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
  const editor::WriteResult written = editor::WriteScript(grid, header, files, sink);
  if (!written.ok) {
    // Only a slide the file cannot hold may stop the writer, and it says why.
    if (written.fault != editor::WriteResult::Fault::Slide || written.problem.empty()) std::abort();
    return 0;
  }

  ui::StringGrid again;
  editor::SetUpGrid(again);
  editor::TextSource text(out.text);
  const editor::ReadResult reread = editor::ReadScript(text, again, files);
  if (!reread.Ok() || reread.rowCount != read.rowCount || reread.generation != 6 ||
      reread.catalogId != read.catalogId) {
    std::abort();
  }
  const std::string difference = editor::SlideDifference(grid, again);
  if (!difference.empty()) {
    std::fprintf(stderr, "read back differently: %s\n", difference.c_str());
    std::abort();
  }
  return 0;
}
