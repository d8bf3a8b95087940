#include "editor/script_sources.h"

#include <cctype>

#include "platform/error.h"
#include "platform/platform.h"
#include "settings/ini_file.h"

namespace w95::editor {

namespace {

constexpr size_t kTextBuffer = 1024;
constexpr size_t kNamesBuffer = 8192;

platform::FileSystem& Files() {
  platform::FileSystem* files = platform::Current().files;
  if (!files) throw Error("No file system");
  return *files;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
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
  std::string shortPath = Files().ShortPath(path);
  return shortPath.empty() ? path : shortPath;
}

std::string PlatformScriptFiles::LongNameOf(const std::string& path) {
  if (auto found = Files().Stat(path)) {
    return found->alternate.empty() ? Lower(found->name) : found->name;
  }
  const size_t sep = path.find_last_of("\\:");
  return Lower(sep == std::string::npos ? path : path.substr(sep + 1));
}

std::string PlatformScriptFiles::CurrentDirectory() { return Files().CurrentDirectory(); }

bool PlatformScriptFiles::Exists(const std::string& path) {
  return Files().Stat(path).has_value();
}

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

}  // namespace w95::editor
