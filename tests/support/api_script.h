// A slide script read and written key by key through the real profile API
// (GetPrivateProfileStringA, WritePrivateProfileStringA): the way the
// editor's one-pass reader and writer must match, and what they are measured
// against.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "editor/script_file.h"

namespace w95::apiscript {

class ApiSource final : public editor::ScriptSource {
 public:
  explicit ApiSource(std::string file) : file_(std::move(file)) {}
  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& def) override {
    char buf[1024];
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf,
                                             sizeof buf, file_.c_str());
    return std::string(buf, n);
  }
  std::vector<std::string> ReadKeyNames(const std::string& section) override {
    std::vector<char> buf(8192);
    const DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(),
                                             static_cast<DWORD>(buf.size()), file_.c_str());
    std::vector<std::string> names;
    for (DWORD i = 0; i < n;) {
      std::string name(&buf[i]);
      if (name.empty()) break;
      i += static_cast<DWORD>(name.size()) + 1;
      names.push_back(std::move(name));
    }
    return names;
  }

 private:
  std::string file_;
};

class ApiSink final : public editor::ScriptSink {
 public:
  explicit ApiSink(std::string file) : file_(std::move(file)) {}
  bool Section(std::string_view name, const std::vector<editor::KeyValue>& keys) override {
    const std::string section(name);
    for (const auto& kv : keys) {
      const std::string key(kv.key);
      if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), kv.value.c_str(),
                                      file_.c_str()))
        return false;
    }
    return true;
  }

 private:
  std::string file_;
};

// Wine parses a profile file again on every call while it is younger than
// about two seconds; scripts read here are made older than that.
inline void MakeOld(const std::string& file) {
  HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t;
  t.LowPart = now.dwLowDateTime;
  t.HighPart = now.dwHighDateTime;
  t.QuadPart -= 60ull * 10000000ull;  // one minute
  FILETIME old{t.LowPart, t.HighPart};
  SetFileTime(h, nullptr, nullptr, &old);
  CloseHandle(h);
}

}  // namespace w95::apiscript
