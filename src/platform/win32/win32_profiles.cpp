// Profile files through kernel32: GetPrivateProfileStringA and friends.
#include <windows.h>

#include <functional>

#include "platform/win32/win32_profiles.h"

namespace w95::platform {

namespace {

// Largest buffer a list is read into when finding out whether it was cut.
constexpr size_t kLargestList = size_t{1} << 26;

// The names of a list call that lie whole in the first bufSize-2 characters
// of a buffer of bufSize bytes. A list that may have been cut (the count is
// bufSize-2) is read again into larger buffers until it fits, so that a name
// the caller's buffer would cut can be told from one that fits exactly.
std::vector<std::string> ReadList(const std::function<DWORD(char*, DWORD)>& call, size_t bufSize) {
  std::vector<std::string> names;
  if (bufSize < 3) return names;
  std::string buf;
  size_t size = bufSize;
  DWORD ret = 0;
  for (;;) {
    buf.assign(size, '\0');
    ret = call(buf.data(), static_cast<DWORD>(size));
    if (ret + 2 < size || size >= kLargestList) break;
    size *= 2;
  }
  size_t pos = 0;
  while (pos < ret) {
    const size_t end = buf.find('\0', pos);
    const size_t len = (end == std::string::npos ? ret : end) - pos;
    if (len == 0 || pos + len > bufSize - 2) break;
    names.push_back(buf.substr(pos, len));
    pos += len + 1;
  }
  return names;
}

// The NUL-separated lines in the first `count` characters of a buffer.
std::vector<std::string> SplitLines(const std::string& buf, size_t count) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < count) {
    size_t end = buf.find('\0', pos);
    if (end == std::string::npos || end > count) end = count;
    if (end > pos) lines.push_back(buf.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

class Win32ProfileStore final : public ProfileStore {
 public:
  std::string PathOf(const std::string& file) override {
    if (file.empty() || file.find_first_of("\\/:") != std::string::npos) return file;
    char dir[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return file;
    std::string path(dir, n);
    if (path.back() != '\\') path += '\\';
    return path + file;
  }
  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def, size_t bufSize) override {
    if (bufSize == 0) return {};
    std::string buf(bufSize, '\0');
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                             static_cast<DWORD>(bufSize), file.c_str());
    buf.resize(n < bufSize ? n : bufSize - 1);
    return buf;
  }

  std::vector<std::string> GetKeyNames(const std::string& file, const std::string& section,
                                       size_t bufSize) override {
    return ReadList(
        [&](char* buf, DWORD size) {
          return GetPrivateProfileStringA(section.c_str(), nullptr, "", buf, size, file.c_str());
        },
        bufSize);
  }

  std::vector<std::string> GetSectionNames(const std::string& file, size_t bufSize) override {
    return ReadList(
        [&](char* buf, DWORD size) {
          return GetPrivateProfileSectionNamesA(buf, size, file.c_str());
        },
        bufSize);
  }

  std::optional<std::vector<std::string>> GetSection(const std::string& file,
                                                     const std::string& section,
                                                     size_t bufSize) override {
    if (bufSize < 3) return std::nullopt;
    std::string buf(bufSize, '\0');
    const DWORD ret = GetPrivateProfileSectionA(section.c_str(), buf.data(),
                                                static_cast<DWORD>(bufSize), file.c_str());
    if (ret + 2 >= bufSize) return std::nullopt;
    return SplitLines(buf, ret);
  }

  bool WriteString(const std::string& file, const std::string& section,
                   const std::optional<std::string>& key,
                   const std::optional<std::string>& value) override {
    return WritePrivateProfileStringA(section.c_str(), key ? key->c_str() : nullptr,
                                      value ? value->c_str() : nullptr, file.c_str()) != 0;
  }
};

}  // namespace

ProfileStore& Win32Profiles() {
  static Win32ProfileStore store;
  return store;
}

}  // namespace w95::platform
