// A small in-memory file system for the settings tests: folders and files
// by case-insensitive path, read-only files, and the Win32 error codes the
// profile functions give. Anything else answers "not found".
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "platform/platform.h"

namespace w95::test {

class MemoryFiles final : public platform::FileSystem {
 public:
  MemoryFiles() { folders_ = {"c:", "c:\\windows"}; }

  void AddFolder(const std::string& path) { folders_.insert(Fold(path)); }
  bool Exists(const std::string& path) { return files_.count(Fold(path)) != 0; }
  std::string current = "C:\\";

  std::vector<platform::FindData> Find(const std::string&) override { return {}; }
  std::optional<platform::FindData> Stat(const std::string& path) override {
    auto it = files_.find(Fold(path));
    if (it == files_.end()) return std::nullopt;
    platform::FindData d;
    d.name = it->second.name;
    d.attributes = it->second.attributes;
    d.size = it->second.data.size();
    return d;
  }
  std::string ShortPath(const std::string& path) override { return path; }
  std::string FullPath(const std::string& path) override {
    if (path.size() >= 2 && path[1] == ':') return path;
    return current + (current.back() == '\\' ? "" : "\\") + path;
  }
  bool DeleteFile(const std::string& path) override {
    auto it = files_.find(Fold(path));
    if (it == files_.end()) return Fail(platform::kErrFileNotFound);
    if (it->second.attributes & platform::kAttrReadOnly) return Fail(platform::kErrAccessDenied);
    files_.erase(it);
    return true;
  }
  bool MoveFile(const std::string&, const std::string&) override { return false; }
  bool ReplaceFile(const std::string&, const std::string&) override { return false; }
  bool CreateDirectory(const std::string& path) override {
    folders_.insert(Fold(path));
    return true;
  }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    auto it = files_.find(Fold(path));
    if (it == files_.end()) return Fail(platform::kErrFileNotFound);
    it->second.attributes = attributes;
    return true;
  }
  std::optional<std::string> ReadFile(const std::string& path) override {
    auto it = files_.find(Fold(path));
    if (it == files_.end()) {
      Fail(platform::kErrFileNotFound);
      return std::nullopt;
    }
    return it->second.data;
  }
  bool WriteFile(const std::string& path, const std::string& data) override {
    const std::string key = Fold(path);
    if (folders_.count(key.substr(0, key.rfind('\\'))) == 0)
      return Fail(platform::kErrPathNotFound);
    auto it = files_.find(key);
    if (it == files_.end()) {
      files_[key] = File{path.substr(path.rfind('\\') + 1), data, platform::kAttrArchive};
      return true;
    }
    if (it->second.attributes & platform::kAttrReadOnly) return Fail(platform::kErrAccessDenied);
    it->second.data = data;
    return true;
  }
  std::string CurrentDirectory() override { return current; }
  bool SetCurrentDirectory(const std::string& path) override {
    current = path;
    return true;
  }
  std::string Drives() override { return "C"; }
  unsigned DriveType(char) override { return 3; }
  bool DriveReady(char) override { return true; }
  std::optional<uint64_t> FreeSpace(const std::string&) override { return 1u << 30; }
  uint32_t LastError() override { return lastError_; }

  // Names of the files whose path starts with `folder` (for listings).
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const auto& [key, file] : files_) out.push_back(file.name);
    return out;
  }

 private:
  struct File {
    std::string name, data;
    uint32_t attributes = 0;
  };
  static std::string Fold(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    while (s.size() > 3 && s.back() == '\\') s.pop_back();
    return s;
  }
  bool Fail(uint32_t code) {
    lastError_ = code;
    return false;
  }
  std::map<std::string, File> files_;
  std::set<std::string> folders_;
  uint32_t lastError_ = 0;
};

}  // namespace w95::test
