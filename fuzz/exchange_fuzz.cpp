// libFuzzer target: any bytes as the exchange file (both layouts) and as the
// tag list, read through the simulated machine's profile functions. Reading
// must neither crash nor run away (a count larger than the file's sections
// reads no more entries than there are sections), and a list that was read
// writes and reads back as itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/sim/sim_machine.h"
#include "settings/exchange.h"

namespace {

using namespace w95;

void Fail(const char* what) {
  std::fprintf(stderr, "exchange files: %s\n", what);
  std::abort();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

// A value that the profile functions give back as it was written.
bool Plain(const std::string& v) {
  if (!v.empty() && (IsBlank(v.front()) || IsBlank(v.back()))) return false;
  return !(v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front());
}
bool Plain(const FileList& list) {
  if (!Plain(list.folder)) return false;
  for (const auto& f : list.files)
    if (!Plain(f)) return false;
  return true;
}

size_t Sections(platform::sim::SimMachine& m, const std::string& file) {
  return m.profiles.GetSectionNames(file, size_t{1} << 20).size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::sim::SimMachine machine;
  machine.files.AddFolder("c:\\viewer");
  machine.Install();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string exchange = "c:\\plimbo.tmp";
  machine.files.WriteFile(exchange, bytes);
  machine.files.WriteFile("c:\\viewer\\tag.lst", bytes);
  const size_t sections = Sections(machine, exchange);

  const FileList added = ReadFileList(exchange, kAddSlidesDefaults);
  const FileList viewed = ReadFileList(exchange, kViewInputDefaults);
  const FileList instant = ReadInstantSlideshow(exchange);
  const std::vector<std::string> tags = ReadTagList("c:\\viewer\\");
  if (added.files.size() > sections || viewed.files.size() > std::max<size_t>(sections, 1) ||
      instant.files.size() > sections || tags.size() > sections) {
    Fail("a reader took more entries than the file has sections");
  }

  if (Plain(viewed)) {
    WriteFileList(exchange, viewed);
    const FileList back = ReadFileList(exchange, kViewInputDefaults);
    if (back.folder != viewed.folder || back.files != viewed.files)
      Fail("a file list does not read back as written");
  }
  bool plainTags = true;
  for (const auto& t : tags) plainTags = plainTags && Plain(t);
  if (plainTags) {
    WriteTagList("c:\\viewer\\", tags);
    if (ReadTagList("c:\\viewer\\") != tags) Fail("a tag list does not read back as written");
  }
  return 0;
}
