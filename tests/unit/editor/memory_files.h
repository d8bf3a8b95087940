// Files kept in memory for the script tests; a write can be made to fail.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "editor/script_file.h"
#include "platform/platform.h"

namespace w95::editor::test {

class MemoryFiles final : public ScriptFiles {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, std::string> longNames;  // path -> display name
  int writesBeforeFailure = -1;                  // -1: writes never fail
  int writes = 0;
  std::string currentDirectory = "c:\\work";

  std::string ShortPathOf(const std::string& path) override { return path; }
  std::string LongNameOf(const std::string& path) override {
    auto it = longNames.find(path);
    if (it != longNames.end()) return it->second;
    return path.substr(path.find_last_of("\\:") + 1);
  }
  std::string CurrentDirectory() override { return currentDirectory; }
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::string> ReadAll(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  std::unique_ptr<platform::OutputFile> Create(const std::string& path) override {
    files[path].clear();
    return std::make_unique<Output>(*this, path);
  }
  bool Replace(const std::string& from, const std::string& to) override {
    auto it = files.find(from);
    if (it == files.end()) return false;
    files[to] = it->second;
    files.erase(from);
    return true;
  }
  bool Remove(const std::string& path) override { return files.erase(path) != 0; }

 private:
  class Output final : public platform::OutputFile {
   public:
    Output(MemoryFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Write(std::string_view data) override {
      if (owner_.writesBeforeFailure >= 0 && owner_.writes >= owner_.writesBeforeFailure)
        return false;
      ++owner_.writes;
      owner_.files[path_].append(data);
      return true;
    }
    bool Close() override { return true; }

   private:
    MemoryFiles& owner_;
    std::string path_;
  };
};

}  // namespace w95::editor::test
