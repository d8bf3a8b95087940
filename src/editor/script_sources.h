// The two ways of reading a script, and the machine's files for loading and
// saving.
#pragma once

#include <string>

#include "editor/script_file.h"
#include "text/code_page.h"
#include "text/profile_text.h"

namespace w95::editor {

// Reads from the script file's bytes, parsed once (the fast way); a UTF-16
// file reads as the profile functions read it.
class TextSource final : public ScriptSource {
 public:
  explicit TextSource(std::string bytes) : profile_(ProfileTextOf(std::move(bytes))) {}
  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& def) override;
  std::vector<std::string> ReadKeyNames(const std::string& section) override;

 private:
  ProfileText profile_;
};

// Reads key by key through the settings-file object (the profile API).
class IniFileSource final : public ScriptSource {
 public:
  explicit IniFileSource(std::string fileName) : fileName_(std::move(fileName)) {}
  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& def) override;
  std::vector<std::string> ReadKeyNames(const std::string& section) override;

 private:
  std::string fileName_;
};

// Files and path forms through the current machine's services.
class PlatformScriptFiles final : public ScriptFiles {
 public:
  std::string ShortPathOf(const std::string& path) override;
  std::string LongNameOf(const std::string& path) override;
  std::string ShownNameOf(const std::string& path) override;
  std::string CurrentDirectory() override;
  bool Exists(const std::string& path) override;
  std::optional<std::string> ReadAll(const std::string& path) override;
  std::unique_ptr<platform::OutputFile> Create(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) override;
  std::string ProfileFileOf(const std::string& name) override;
};

}  // namespace w95::editor
