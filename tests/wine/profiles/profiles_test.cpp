// The profile vectors whose Windows result matches Wine, run against the real
// kernel32 functions (through our Win32 profile store) and against our
// profile text, on real files: both are held to the same rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "../../unit/settings/profile_vectors.h"
#include "platform/win32/win32_profiles.h"
#include "settings/ini_file.h"
#include "text/profile_text.h"

namespace w95::test {
namespace {

std::string TestData(const std::string& name) {
  std::string dir = W95_TESTDATA;
  if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;  // the Unix root under Wine
  return dir + "/" + name;
}

std::string WindowsDirectory() {
  char buf[MAX_PATH];
  return std::string(buf, GetWindowsDirectoryA(buf, MAX_PATH));
}

std::string CurrentDirectory() {
  char buf[MAX_PATH];
  return std::string(buf, GetCurrentDirectoryA(MAX_PATH, buf));
}

// Files of a private work folder, read and written directly.
class RealFiles {
 public:
  explicit RealFiles(const std::string& name) {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    work_ = std::string(tmp) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(work_.c_str(), nullptr);
  }
  ~RealFiles() { RemoveDirectoryA(work_.c_str()); }
  std::string Map(const std::string& p) {
    std::string out = p;
    for (auto [from, to] :
         {std::pair{std::string("$WINDIR"), WindowsDirectory()},
          std::pair{std::string("$CWD"), CurrentDirectory()}, std::pair{std::string("$W"), work_}})
      if (out.rfind(from, 0) == 0) out = to + out.substr(from.size());
    return out;
  }
  std::optional<std::string> Read(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Write(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
    return static_cast<bool>(out);
  }

 private:
  std::string work_;
};

// The real API: strings and writes through our Win32 store, lists straight
// from kernel32 so that their counts can be compared.
class ApiBackend : public VectorBackend {
 public:
  ApiBackend() : files_("w95api") {}
  std::string Path(const std::string& p) override { return files_.Map(p); }
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def, size_t size) override {
    return platform::Win32Profiles().GetString(file, section, key, def, size);
  }
  VectorListing KeyList(const std::string& file, const std::string& section, size_t size) override {
    return List(size, [&](char* b, DWORD n) {
      return GetPrivateProfileStringA(section.c_str(), nullptr, "", b, n, file.c_str());
    });
  }
  VectorListing SectionList(const std::string& file, size_t size) override {
    return List(
        size, [&](char* b, DWORD n) { return GetPrivateProfileSectionNamesA(b, n, file.c_str()); });
  }
  VectorListing SectionData(const std::string& file, const std::string& section,
                            size_t size) override {
    return List(size, [&](char* b, DWORD n) {
      return GetPrivateProfileSectionA(section.c_str(), b, n, file.c_str());
    });
  }
  bool Write(const std::string& file, const std::string& section,
             const std::optional<std::string>& key,
             const std::optional<std::string>& value) override {
    return platform::Win32Profiles().WriteString(file, section, key, value);
  }
  std::optional<std::string> FileBytes(const std::string& path) override {
    return files_.Read(path);
  }
  bool Delete(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }
  bool RawWrite(const std::string& path, const std::string& data) override {
    return files_.Write(path, data);
  }
  bool SetAttributes(const std::string& path, uint32_t a) override {
    return SetFileAttributesA(path.c_str(), a) != 0;
  }

 private:
  template <class Call>
  static VectorListing List(size_t size, Call call) {
    std::string buf(size, '\xcc');
    VectorListing out;
    out.ret = call(buf.data(), static_cast<DWORD>(size));
    out.bytes = buf;
    return out;
  }
  RealFiles files_;
};

// Our profile text over the same kind of files: read whole, edited, written
// back when it changed.
class TextBackend final : public ApiBackend {
 public:
  TextBackend() : files_("w95txt") {}
  std::string Path(const std::string& p) override { return files_.Map(p); }
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def, size_t size) override {
    return Load(file).GetString(section, key, def, size);
  }
  VectorListing KeyList(const std::string& file, const std::string& section, size_t size) override {
    return Convert(Load(file).KeyList(section, size));
  }
  VectorListing SectionList(const std::string& file, size_t size) override {
    return Convert(Load(file).SectionList(size));
  }
  VectorListing SectionData(const std::string& file, const std::string& section,
                            size_t size) override {
    return Convert(Load(file).SectionData(section, size));
  }
  bool Write(const std::string& file, const std::string& section,
             const std::optional<std::string>& key,
             const std::optional<std::string>& value) override {
    ProfileText text = Load(file);
    const uint64_t before = text.Revision();
    std::optional<std::string_view> k, v;
    if (key) k = *key;
    if (value) v = *value;
    text.Write(section, k, v);
    if (text.Revision() == before) return true;
    return files_.Write(file, text.Text());
  }
  std::optional<std::string> FileBytes(const std::string& path) override {
    return files_.Read(path);
  }
  bool RawWrite(const std::string& path, const std::string& data) override {
    return files_.Write(path, data);
  }

 private:
  ProfileText Load(const std::string& file) {
    return ProfileText(files_.Read(file).value_or(std::string()));
  }
  static VectorListing Convert(const ProfileText::Listing& l) { return {l.bytes, l.ret}; }
  RealFiles files_;
};

// Wine run as root writes read-only files anyway: that row then says
// nothing about the API.
bool ReadOnlyIsIgnored() {
  RealFiles files("w95ro");
  const std::string path = files.Map("$W\\ro.ini");
  files.Write(path, "x");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const bool ignored = h != INVALID_HANDLE_VALUE;
  if (ignored) CloseHandle(h);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
  return ignored;
}

// Cases about files rather than text: our profile text alone does not
// decide them (the profile stores do, tested natively).
bool ConcernsFiles(const Json& c) {
  if (c["initial"].Has("hex") && FromHex(c["initial"]["hex"].text).rfind("\xff\xfe", 0) == 0)
    return true;
  for (const Json& op : c["ops"].items) {
    const std::string fn = op["call"]["fn"].text;
    if (op["call"].Has("path") || (fn.rfind("Get", 0) != 0 && fn.rfind("Write", 0) != 0))
      return true;
  }
  return false;
}

VectorChoice SameOnly(const std::string&, int, const Json&, const std::string& status) {
  VectorChoice c;
  c.check = status == "same";
  return c;
}

class ProfileVectorsUnderWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    vectors = new Json(LoadVectors(TestData("profile-vectors.json")));
  }
  static void TearDownTestSuite() { delete vectors; }
  static Json* vectors;
};
Json* ProfileVectorsUnderWine::vectors = nullptr;

TEST_F(ProfileVectorsUnderWine, Kernel32MatchesTheSameRows) {
  const bool rootWine = ReadOnlyIsIgnored();
  VectorTally tally;
  ApiBackend backend;
  for (const Json& c : (*vectors)["cases"].items) {
    if (rootWine && c["id"].text == "write.readonly_file") continue;
    RunVectorCase(backend, c, SameOnly, tally);
  }
  std::printf("kernel32: %d calls checked, %d not checked%s\n", tally.checked, tally.unchecked,
              rootWine ? " (read-only case left out: running as root)" : "");
  EXPECT_GT(tally.checked, 200);
}

TEST_F(ProfileVectorsUnderWine, ProfileTextMatchesTheSameRows) {
  VectorTally tally;
  TextBackend backend;
  for (const Json& c : (*vectors)["cases"].items)
    if (!ConcernsFiles(c)) RunVectorCase(backend, c, SameOnly, tally);
  std::printf("profile text: %d calls checked, %d not checked\n", tally.checked, tally.unchecked);
  EXPECT_GT(tally.checked, 150);
}

// Our Win32 store and our profile text agree on the lists the library reads
// (names the buffer holds whole).
TEST_F(ProfileVectorsUnderWine, StoreListsAgreeWithProfileText) {
  RealFiles files("w95lst");
  const std::string path = files.Map("$W\\lists.ini");
  std::string text = "[a]\r\n";
  for (int i = 0; i < 1200; ++i) text += "key" + std::to_string(1000 + i) + "=1\r\n";
  text += "[b]\r\nx=1\r\n[c]\r\n";
  files.Write(path, text);
  const ProfileText model(text);
  platform::ProfileStore& store = platform::Win32Profiles();
  for (size_t size : {size_t{3}, size_t{9}, size_t{100}, size_t{8192}, size_t{9601}, size_t{9602}})
    EXPECT_EQ(store.GetKeyNames(path, "A", size), model.KeyNames("a", size)) << size;
  for (size_t size : {size_t{4}, size_t{5}, size_t{6}, size_t{7}, size_t{100}})
    EXPECT_EQ(store.GetSectionNames(path, size), model.SectionNames(size)) << size;
  DeleteFileA(path.c_str());
}

// The system's whole-section read, looked up by our rules, gives what its
// key read gives, on each case's first file, for the reads where Windows and
// Wine agree.
TEST_F(ProfileVectorsUnderWine, ASectionReadFindsWhatEachKeyReadFinds) {
  RealFiles files("w95sec");
  platform::ProfileStore& store = platform::Win32Profiles();
  const std::string absent =
      "\x01"
      "absent";
  int compared = 0;
  for (const Json& c : (*vectors)["cases"].items) {
    if (c["initial"].IsNull() || ConcernsFiles(c)) continue;
    const std::string path = files.Map("$W\\section.ini");
    files.Write(path, InitialBytes(c));
    for (const Json& op : c["ops"].items) {
      const Json& call = op["call"];
      if (call["fn"].text != "GetPrivateProfileStringA" || call["section"].IsNull() ||
          call["key"].IsNull() || call.Has("path") || op["windows"]["status"].text != "same")
        continue;
      const std::string& name = call["section"].text;
      if (!name.empty() && (name.front() == ' ' || name.back() == ' '))
        continue;  // a window reads such a section key by key (TIniSection)
      SCOPED_TRACE(c["id"].text + " [" + call["section"].text + "] " + call["key"].text);
      const auto lines = store.GetSection(path, call["section"].text, 32767);
      if (!lines) continue;  // larger than one read takes: read key by key
      EXPECT_EQ(
          Printable(ProfileValueIn(*lines, call["key"].text).value_or(absent)),
          Printable(store.GetString(path, call["section"].text, call["key"].text, absent, 1024)));
      ++compared;
    }
    DeleteFileA(path.c_str());
  }
  std::printf("section reads compared: %d\n", compared);
  EXPECT_GT(compared, 50);
}

}  // namespace
}  // namespace w95::test
