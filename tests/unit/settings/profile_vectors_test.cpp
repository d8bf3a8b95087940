// The team's profile vectors against our profile text, through the
// simulated profile store over the simulated file system.
#include <gtest/gtest.h>

#include <map>

#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profiles.h"
#include "profile_vectors.h"
#include "settings/ini_file.h"

namespace w95::test {
namespace {

class SimBackend final : public VectorBackend {
 public:
  SimBackend() : store(&files) {
    files.AddFolder("C:\\W");
    files.AddFolder("C:\\CWD");
    files.AddFolder(store.windowsDirectory);
    files.SetCurrentDirectory("C:\\CWD");
  }
  std::string Path(const std::string& p) override {
    std::string out = p;
    for (auto [from, to] : {std::pair{"$WINDIR", "C:\\WINDOWS"}, std::pair{"$CWD", "C:\\CWD"},
                            std::pair{"$W", "C:\\W"}})
      if (out.rfind(from, 0) == 0) out = to + out.substr(std::string(from).size());
    return out;
  }
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def, size_t size) override {
    return store.GetString(file, section, key, def, size);
  }
  VectorListing KeyList(const std::string& file, const std::string& section, size_t size) override {
    return Convert(store.Load(file).KeyList(section, size));
  }
  VectorListing SectionList(const std::string& file, size_t size) override {
    return Convert(store.Load(file).SectionList(size));
  }
  VectorListing SectionData(const std::string& file, const std::string& section,
                            size_t size) override {
    return Convert(store.Load(file).SectionData(section, size));
  }
  bool Write(const std::string& file, const std::string& section,
             const std::optional<std::string>& key,
             const std::optional<std::string>& value) override {
    return store.WriteString(file, section, key, value);
  }
  std::optional<std::string> FileBytes(const std::string& path) override {
    return files.ReadFile(path);
  }
  bool Delete(const std::string& path) override { return files.DeleteFile(path); }
  bool RawWrite(const std::string& path, const std::string& data) override {
    return files.WriteFile(path, data);
  }
  bool SetAttributes(const std::string& path, uint32_t a) override {
    return files.SetAttributes(path, a);
  }

  platform::sim::SimFileSystem files;
  platform::sim::SimProfileStore store;

 private:
  static VectorListing Convert(const ProfileText::Listing& l) { return {l.bytes, l.ret}; }
};

// Rows whose Windows result we do not follow, or where Windows was not
// observed and we give a result of our own.
VectorChoice Names(std::vector<std::string> names) {
  VectorChoice c;
  c.names = std::move(names);
  return c;
}
VectorChoice File(std::string bytes) {
  VectorChoice c;
  c.file = std::move(bytes);
  return c;
}
VectorChoice Str(std::string text) {
  VectorChoice c;
  c.str = std::move(text);
  return c;
}

VectorChoice Choose(const std::string& id, int op, const Json&, const std::string&) {
  static const std::map<std::string, VectorChoice> ours = {
      // Not observed on Windows. An empty name is never listed (it would end
      // the list for every reader), and "[]" answers to section "".
      {"parse.no_equals#3", Names({"key", "last"})},
      {"section.header_forms#0", Names({"sec", "sec2", "a", "spaced", "unclosed"})},
      {"conf.empty_section_name#5", Names({"key=val_e_section"})},
      // Not observed on Windows: listing the keys of a missing or empty
      // section gives an empty list, not the default text.
      {"list.keys_truncation#16", Names({})},
      {"list.keys_truncation#17", Names({})},
      {"api.missing_file#1", Names({})},
      // Not observed on Windows: a UTF-16BE file is read as ANSI bytes.
      {"encoding.utf16be_bom#1", Names({})},
      // Not observed on Windows: only the written line changes; it keeps its
      // own line break and loses the blanks around its key.
      {"write.replace_spaced_key#0",
       File("; header comment\r\n\r\n[a]\r\nx = 1\r\n;comment in a\r\n\r\ny=2\r\n\r\n\r\n"
            "[b]\r\nz=33\r\nnovalue\r\n")},
      {"write.same_value_lf#2", File("[s]\nk = v\n;c\n\nk2=changed\n")},
      {"write.cr_only_file#0", File("[s]\rk=w\rk2=v2\r")},
      {"write.same_value_spacing#1", File("[s]\r\nk= v\r\n")},
      // Windows loses all but the low 16 bits of a value's length; we return
      // the whole value.
      {"limits.value_65536#0", Str(std::string(65536, 'x'))},
      {"limits.value_65537#0", Str(std::string(65537, 'x'))},
  };
  auto it = ours.find(id + "#" + std::to_string(op));
  return it == ours.end() ? VectorChoice{} : it->second;
}

TEST(ProfileVectors, EveryCaseFollowsTheWindowsColumn) {
  const Json vectors = LoadVectors(W95_TESTDATA "/profile-vectors.json");
  VectorTally tally;
  for (const Json& c : vectors["cases"].items) {
    SimBackend backend;
    RunVectorCase(backend, c, Choose, tally);
  }
  std::printf("profile vectors: %d calls checked, %d not checked\n", tally.checked,
              tally.unchecked);
  EXPECT_GT(tally.checked, 350);
}

// Every key read of the vectors, made on each case's first file, finds the
// same value among the lines of a whole-section read (quotes, blanks, case,
// repeated keys and sections, comments, bare names, long values).
TEST(ProfileVectors, ASectionReadFindsWhatEachKeyReadFinds) {
  const Json vectors = LoadVectors(W95_TESTDATA "/profile-vectors.json");
  const std::string absent =
      "\x01"
      "absent";
  int compared = 0;
  for (const Json& c : vectors["cases"].items) {
    if (c["initial"].IsNull()) continue;
    SimBackend backend;
    const std::string file = backend.Path(c["path"].text);
    backend.RawWrite(file, InitialBytes(c));
    for (const Json& op : c["ops"].items) {
      const Json& call = op["call"];
      if (call["fn"].text != "GetPrivateProfileStringA" || call["section"].IsNull() ||
          call["key"].IsNull() || call.Has("path"))
        continue;
      const std::string& name = call["section"].text;
      if (!name.empty() && (name.front() == ' ' || name.back() == ' '))
        continue;  // a window reads such a section key by key (TIniSection)
      SCOPED_TRACE(c["id"].text + " [" + call["section"].text + "] " + call["key"].text);
      const auto lines = backend.store.GetSection(file, call["section"].text, 32767);
      if (!lines) continue;  // larger than one read takes: read key by key
      EXPECT_EQ(Printable(ProfileValueIn(*lines, call["key"].text).value_or(absent)),
                Printable(backend.store.GetString(file, call["section"].text, call["key"].text,
                                                  absent, 1024)));
      ++compared;
    }
  }
  EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace w95::test
