#include "settings/exchange.h"

#include <algorithm>

#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace w95 {

namespace {

constexpr char kDirectory[] = "Directory";
constexpr char kFiles[] = "Files";
constexpr char kName[] = "Name";
constexpr char kFile[] = "F";
constexpr char kHeader[] = "Header";
constexpr char kVersion[] = "Ver";
constexpr char kCount[] = "N";
constexpr char kFolderZero[] = "0";
constexpr char kCountSection[] = "Count";
constexpr char kTagList[] = "tag.lst";

// Any old file goes first, so that no section of it survives: the file the
// profile functions will write, which for a name without a folder is in the
// Windows directory.
void DeleteOld(const std::string& file) {
  const platform::Machine& machine = platform::Current();
  if (!machine.files) return;
  machine.files->DeleteFile(machine.profiles ? machine.profiles->PathOf(file) : file);
}

// A count read from a file: never below zero, and never more entries than
// the file has sections (or the reader's default count), so that a damaged
// count cannot keep a reader busy for ever.
int32_t Count(const TIniFile& ini, const char* section, const char* key, int32_t def) {
  const int32_t n = ini.ReadNumber(section, key, def);
  if (n <= def) return std::max(0, n);
  size_t sections = 0;
  if (platform::ProfileStore* store = platform::Current().profiles)
    sections = store->GetSectionNames(ini.FileName(), size_t{1} << 20).size();
  return static_cast<int32_t>(std::min<int64_t>(n, std::max<int64_t>(def, sections)));
}

}  // namespace

const FileListDefaults kAddSlidesDefaults{"c:\\", 0, "ERROR"};
const FileListDefaults kViewInputDefaults{"c:\\", 1, "[ERROR]"};

std::string ExchangeFileName() {
  return TIniFile(keys::kSettingsFile)
      .ReadText(keys::kSection, keys::kWin95Tmp, keys::kDefaultExchangeFile);
}

void WriteFileList(const std::string& exchangeFile, const FileList& list) {
  DeleteOld(exchangeFile);
  const TIniFile ini(exchangeFile);
  ini.WriteNumber(kDirectory, kFiles, static_cast<int32_t>(list.files.size()));
  for (size_t k = 0; k < list.files.size(); ++k)
    ini.WriteText(std::to_string(k + 1), kFile, list.files[k]);
  ini.WriteText(kDirectory, kName, list.folder);
}

FileList ReadFileList(const std::string& exchangeFile, const FileListDefaults& defaults) {
  const TIniFile ini(exchangeFile);
  FileList list;
  list.folder = ini.ReadText(kDirectory, kName, defaults.folder);
  const int32_t n = Count(ini, kDirectory, kFiles, defaults.count);
  for (int32_t k = 1; k <= n; ++k)
    list.files.push_back(ini.ReadText(std::to_string(k), kFile, defaults.file));
  return list;
}

void WriteInstantSlideshow(const std::string& exchangeFile, const FileList& list) {
  DeleteOld(exchangeFile);
  const TIniFile ini(exchangeFile);
  ini.WriteNumber(kHeader, kVersion, 4);
  ini.WriteNumber(kHeader, kCount, static_cast<int32_t>(list.files.size()) + 1);
  for (size_t k = 0; k < list.files.size(); ++k)
    ini.WriteText(std::to_string(k + 1), kFile, list.files[k] + ",0");
  ini.WriteText(kDirectory, kFolderZero, list.folder);
}

FileList ReadInstantSlideshow(const std::string& exchangeFile) {
  const TIniFile ini(exchangeFile);
  FileList list;
  list.folder = ini.ReadText(kDirectory, kFolderZero, "c:\\");
  // "N" counts one more than there are entries.
  const int32_t n = Count(ini, kHeader, kCount, 0) - 1;
  for (int32_t k = 1; k <= n; ++k) {
    std::string entry = ini.ReadText(std::to_string(k), kFile, "ERROR");
    if (const size_t comma = entry.rfind(','); comma != std::string::npos) entry.resize(comma);
    list.files.push_back(entry);
  }
  return list;
}

std::string TagListFileName(const std::string& appDir) { return appDir + kTagList; }

void WriteTagList(const std::string& appDir, const std::vector<std::string>& shortPaths) {
  const std::string file = TagListFileName(appDir);
  DeleteOld(file);
  const TIniFile ini(file);
  ini.WriteNumber(kCountSection, kCount, static_cast<int32_t>(shortPaths.size()));
  for (size_t k = 0; k < shortPaths.size(); ++k)
    ini.WriteText(std::to_string(k + 1), kFile, shortPaths[k]);
}

std::vector<std::string> ReadTagList(const std::string& appDir) {
  const TIniFile ini(TagListFileName(appDir));
  std::vector<std::string> paths;
  const int32_t n = Count(ini, kCountSection, kCount, 0);
  for (int32_t k = 1; k <= n; ++k) paths.push_back(ini.ReadText(std::to_string(k), kFile, "ERROR"));
  return paths;
}

}  // namespace w95
