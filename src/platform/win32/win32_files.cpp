// The file-system service over kernel32.
#include <windows.h>
// The service's own member names, not the A/W macros of <windows.h>.
#undef CreateDirectory
#undef DeleteFile
#undef MoveFile
#undef ReplaceFile
#undef SetCurrentDirectory

#include "platform/win32/win32_files.h"

namespace w95::platform {

namespace {

// Keeps the system from asking for a disk while a drive is touched; the
// caller's error mode comes back afterwards.
class QuietDrives {
 public:
  QuietDrives() : old_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietDrives() { SetErrorMode(old_); }
  QuietDrives(const QuietDrives&) = delete;
  QuietDrives& operator=(const QuietDrives&) = delete;

 private:
  UINT old_;
};

uint64_t Ticks(const FILETIME& t) {
  return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

FindData Entry(const WIN32_FIND_DATAA& d) {
  FindData e;
  e.name = d.cFileName;
  e.alternate = d.cAlternateFileName;
  e.attributes = d.dwFileAttributes;
  e.size = (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
  e.writeTime = Ticks(d.ftLastWriteTime);
  return e;
}

// Calls a "fill this buffer of n characters" function until the result fits.
template <typename Fn>
std::string Filled(Fn fill) {
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = fill(buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return buf.substr(0, n);
    buf.assign(n + 1, '\0');
  }
}

std::string RootOf(char letter) { return std::string(1, letter) + ":\\"; }

class Win32Output final : public OutputFile {
 public:
  explicit Win32Output(HANDLE h) : h_(h) {}
  ~Win32Output() override {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Win32Output(const Win32Output&) = delete;
  Win32Output& operator=(const Win32Output&) = delete;
  bool Write(std::string_view data) override {
    while (!data.empty()) {
      DWORD done = 0;
      const DWORD chunk = data.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(data.size());
      if (!::WriteFile(h_, data.data(), chunk, &done, nullptr) || done == 0) return false;
      data.remove_prefix(done);
    }
    return true;
  }
  bool Close() override {
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::vector<FindData> Find(const std::string& pattern) override {
    QuietDrives quiet;
    std::vector<FindData> found;
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA(pattern.c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD e = GetLastError();
      lastError_ = e == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : e;
      return found;
    }
    do found.push_back(Entry(d));
    while (FindNextFileA(h, &d));
    FindClose(h);
    lastError_ = 0;
    return found;
  }

  std::optional<FindData> Stat(const std::string& path) override {
    QuietDrives quiet;
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (path.find_first_of("*?") != std::string::npos) return Failed(ERROR_INVALID_NAME), std::nullopt;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) return Failed(), std::nullopt;
    FindData e;
    e.attributes = a.dwFileAttributes;
    e.size = (static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
    e.writeTime = Ticks(a.ftLastWriteTime);
    std::string bare = path;
    while (bare.size() > 3 && (bare.back() == '\\' || bare.back() == '/')) bare.pop_back();
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA(bare.c_str(), &d);  // fails on a drive root: no name there
    if (h != INVALID_HANDLE_VALUE) {
      e.name = d.cFileName;
      e.alternate = d.cAlternateFileName;
      FindClose(h);
    }
    lastError_ = 0;
    return e;
  }

  std::string ShortPath(const std::string& path) override {
    QuietDrives quiet;
    std::string s = Filled([&](char* b, DWORD n) { return GetShortPathNameA(path.c_str(), b, n); });
    if (s.empty()) Failed();
    return s;
  }

  std::string FullPath(const std::string& path) override {
    std::string s = Filled(
        [&](char* b, DWORD n) { return GetFullPathNameA(path.c_str(), n, b, nullptr); });
    if (s.empty()) Failed();
    return s;
  }

  bool DeleteFile(const std::string& path) override {
    QuietDrives quiet;
    return Check(DeleteFileA(path.c_str()));
  }
  bool MoveFile(const std::string& from, const std::string& to) override {
    QuietDrives quiet;
    return Check(MoveFileA(from.c_str(), to.c_str()));
  }
  bool ReplaceFile(const std::string& from, const std::string& to) override {
    QuietDrives quiet;
    // A read-only file or a folder is never replaced, as Windows refuses it;
    // Wine's MoveFileEx would put the new file in its place.
    const DWORD old = GetFileAttributesA(to.c_str());
    if (old != INVALID_FILE_ATTRIBUTES &&
        (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
      lastError_ = ERROR_ACCESS_DENIED;
      return false;
    }
    return Check(MoveFileExA(from.c_str(), to.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  }
  bool CreateDirectory(const std::string& path) override {
    QuietDrives quiet;
    return Check(CreateDirectoryA(path.c_str(), nullptr));
  }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    QuietDrives quiet;
    return Check(SetFileAttributesA(path.c_str(), attributes));
  }

  std::optional<std::string> ReadFile(const std::string& path) override {
    QuietDrives quiet;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Failed(), std::nullopt;
    std::string data;
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(h, buf, sizeof buf, &got, nullptr) != 0) && got > 0) data.append(buf, got);
    if (!ok) Failed();
    CloseHandle(h);
    if (!ok) return std::nullopt;
    lastError_ = 0;
    return data;
  }

  bool WriteFile(const std::string& path, const std::string& data) override {
    auto out = CreateOutput(path);
    if (!out) return false;
    const bool wrote = out->Write(data);
    if (!wrote) Failed();
    const bool closed = out->Close();
    if (wrote && !closed) Failed();
    return wrote && closed;
  }

  std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override {
    QuietDrives quiet;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Failed(), nullptr;
    lastError_ = 0;
    return std::make_unique<Win32Output>(h);
  }

  std::string CurrentDirectory() override {
    return Filled([](char* b, DWORD n) { return GetCurrentDirectoryA(n, b); });
  }
  bool SetCurrentDirectory(const std::string& path) override {
    QuietDrives quiet;
    return Check(SetCurrentDirectoryA(path.c_str()));
  }

  std::string Drives() override {
    const DWORD mask = GetLogicalDrives();
    std::string letters;
    for (int i = 0; i < 26; ++i)
      if (mask & (1u << i)) letters += static_cast<char>('A' + i);
    return letters;
  }
  unsigned DriveType(char letter) override { return GetDriveTypeA(RootOf(letter).c_str()); }
  bool DriveReady(char letter) override {
    QuietDrives quiet;
    return Check(GetVolumeInformationA(RootOf(letter).c_str(), nullptr, 0, nullptr, nullptr,
                                       nullptr, nullptr, 0));
  }
  std::optional<uint64_t> FreeSpace(const std::string& root) override {
    QuietDrives quiet;
    ULARGE_INTEGER avail, total, free;
    if (!GetDiskFreeSpaceExA(root.c_str(), &avail, &total, &free)) return Failed(), std::nullopt;
    lastError_ = 0;
    return avail.QuadPart;
  }
  uint32_t LastError() override { return lastError_; }

 private:
  bool Failed(DWORD error = GetLastError()) {
    lastError_ = error;
    return false;
  }
  bool Check(BOOL ok) {
    lastError_ = ok ? 0 : GetLastError();
    return ok != 0;
  }
  uint32_t lastError_ = 0;
};

}  // namespace

FileSystem& Win32Files() {
  static Win32FileSystem files;
  return files;
}

}  // namespace w95::platform
