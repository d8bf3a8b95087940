#include "editor/script_sources.h"

#include "platform/code_page_text.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/paths.h"

namespace w95::editor {

namespace {

constexpr size_t kTextBuffer = 1024;
constexpr size_t kNamesBuffer = 8192;

platform::FileSystem& Files() {
  platform::FileSystem* files = platform::Current().files;
  if (!files) throw Error("No file system");
  return *files;
}

}  // namespace

std::string TextSource::ReadText(const std::string& section, const std::string& key,
                                 const std::string& def) {
  return profile_.GetString(section, key, def, kTextBuffer);
}

std::vector<std::string> TextSource::ReadKeyNames(const std::string& section) {
  return profile_.KeyNames(section, kNamesBuffer);
}

std::string IniFileSource::ReadText(const std::string& section, const std::string& key,
                                    const std::string& def) {
  return TIniFile(fileName_).ReadText(section, key, def);
}

std::vector<std::string> IniFileSource::ReadKeyNames(const std::string& section) {
  std::vector<std::string> names;
  TIniFile(fileName_).ReadKeyNames(section, names);
  return names;
}

std::string PlatformScriptFiles::ShortPathOf(const std::string& path) {
  return w95::ShortPathOf(path);
}

std::string PlatformScriptFiles::LongNameOf(const std::string& path) {
  return w95::LongNameOf(path);
}

std::string PlatformScriptFiles::ShownNameOf(const std::string& path) {
  return w95::LongShownNameOf(path);
}

std::string PlatformScriptFiles::CurrentDirectory() { return Files().CurrentDirectory(); }

bool PlatformScriptFiles::Exists(const std::string& path) { return Files().Stat(path).has_value(); }

std::optional<std::string> PlatformScriptFiles::ReadAll(const std::string& path) {
  return Files().ReadFile(path);
}

std::unique_ptr<platform::OutputFile> PlatformScriptFiles::Create(const std::string& path) {
  return Files().CreateOutput(path);
}

bool PlatformScriptFiles::Replace(const std::string& from, const std::string& to) {
  return Files().ReplaceFile(from, to);
}

bool PlatformScriptFiles::Remove(const std::string& path) { return Files().DeleteFile(path); }

std::optional<std::vector<ScriptFiles::FolderEntry>> PlatformScriptFiles::ListFolder(
    const std::string& folder) {
  std::vector<FolderEntry> entries;
  for (auto& found : Files().Find(folder + "*.*")) {
    if (found.name == "." || found.name == "..") continue;
    std::string shown;
    if (!found.longName.empty() && !platform::CodePageFromUtf8(found.longName))
      shown = platform::ShownFromUtf8(found.longName);
    entries.push_back({std::move(found.name), std::move(found.alternate), std::move(shown)});
  }
  return entries;
}

std::string PlatformScriptFiles::ProfileFileOf(const std::string& name) {
  platform::ProfileStore* profiles = platform::Current().profiles;
  return profiles ? profiles->PathOf(name) : name;
}

}  // namespace w95::editor
