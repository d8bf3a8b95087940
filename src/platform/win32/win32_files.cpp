// The file-system service over kernel32.
#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>
// The service's own member names, not the A/W macros of <windows.h>.
#undef CreateDirectory
#undef DeleteFile
#undef MoveFile
#undef ReplaceFile
#undef SetCurrentDirectory

#include "platform/win32/win32_files.h"

#include "platform/code_page_text.h"
#include "text/code_page.h"

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

std::u16string_view View(const wchar_t* s) { return reinterpret_cast<const char16_t*>(s); }

// The wide form of a path the library holds as shown text (see
// code_page_text.h): a name the code page cannot hold comes in UTF-8.
std::optional<std::wstring> WidePath(const std::string& path) {
  const std::u16string w = WideFromShown(path);
  return std::wstring(reinterpret_cast<const wchar_t*>(w.data()), w.size());
}

// A name as the host gets it: the long name when the code page holds it
// exactly, else the 8.3 alias; an entry with neither is shown with marks.
FindData Entry(const WIN32_FIND_DATAW& d) {
  FindData e;
  const std::u16string_view longName = View(d.cFileName), alias = View(d.cAlternateFileName);
  e.longName = Utf8FromUtf16(longName);
  if (auto exact = CodePageFromWide(longName)) {
    e.name = std::move(*exact);
    e.alternate = CodePageFromWide(alias).value_or(std::string());
  } else if (auto shortName = alias.empty() ? std::nullopt : CodePageFromWide(alias)) {
    e.name = std::move(*shortName);
  } else {
    e.name = CodePageOrMarks(longName);
    e.nameless = true;
  }
  e.attributes = d.dwFileAttributes;
  e.size = (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
  e.writeTime = Ticks(d.ftLastWriteTime);
  return e;
}

// Calls a "fill this buffer of n characters" function until the result fits.
template <typename Fn>
std::u16string Filled(Fn fill) {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = fill(buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return std::u16string(View(buf.c_str()).substr(0, n));
    buf.assign(n + 1, L'\0');
  }
}

std::wstring AsWide(std::u16string_view s) {
  return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size());
}

// A path the system gives (the current directory, a full path) in the code
// page: as it is when the code page holds it, else its short form, else with
// marks (it then opens nothing rather than a look-alike).
std::string HostPath(const std::u16string& path) {
  if (path.empty()) return {};
  if (auto exact = CodePageFromWide(path)) return *exact;
  const std::wstring wide = AsWide(path);
  const std::u16string shortForm =
      Filled([&](wchar_t* b, DWORD n) { return GetShortPathNameW(wide.c_str(), b, n); });
  if (auto exact = CodePageFromWide(shortForm); exact && !shortForm.empty()) return *exact;
  return CodePageOrMarks(path);
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

// A change notification on one folder (names of files and folders),
// looked at without waiting and armed again after each signal.
class Win32FolderWatch final : public FolderWatch {
 public:
  explicit Win32FolderWatch(HANDLE h) : h_(h) {}
  ~Win32FolderWatch() override {
    if (h_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(h_);
  }
  Win32FolderWatch(const Win32FolderWatch&) = delete;
  Win32FolderWatch& operator=(const Win32FolderWatch&) = delete;

  bool Changed() override {
    if (h_ == INVALID_HANDLE_VALUE) return false;
    const DWORD r = WaitForSingleObject(h_, 0);
    if (r == WAIT_TIMEOUT) return false;
    if (r == WAIT_OBJECT_0 && FindNextChangeNotification(h_)) return true;
    // The folder or its drive went away under the watch.
    FindCloseChangeNotification(h_);
    h_ = INVALID_HANDLE_VALUE;
    return true;
  }
  bool Lost() const override { return h_ == INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

// A folder read on a thread of its own: a drive that answers slowly (a
// share, a stick) never holds the window up. The thread holds a reference
// to this module while it runs and drops it as it exits, so the library can
// be unloaded under it; the state it shares with the reading outlives
// whichever side lets go last.
struct ReadShared {
  ReadShared() : done(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    InitializeCriticalSection(&lock);
  }
  ~ReadShared() {
    DeleteCriticalSection(&lock);
    if (done) CloseHandle(done);
  }
  ReadShared(const ReadShared&) = delete;
  ReadShared& operator=(const ReadShared&) = delete;

  std::wstring pattern;
  CRITICAL_SECTION lock;
  std::vector<FindData> read;  // under the lock: read, not yet taken
  bool ended = false;          // under the lock
  std::atomic<bool> stop{false};
  HANDLE done;  // set once the reading has ended
};

void ReadFolder(ReadShared& s) {
  DWORD old = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old);
  WIN32_FIND_DATAW d;
  HANDLE h = s.stop ? INVALID_HANDLE_VALUE : FindFirstFileW(s.pattern.c_str(), &d);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      FindData e = Entry(d);
      EnterCriticalSection(&s.lock);
      s.read.push_back(std::move(e));
      LeaveCriticalSection(&s.lock);
    } while (!s.stop && FindNextFileW(h, &d));
    FindClose(h);
  }
  EnterCriticalSection(&s.lock);
  s.ended = true;
  LeaveCriticalSection(&s.lock);
  if (s.done) SetEvent(s.done);
}

DWORD WINAPI ReadThread(void* param) {
  HMODULE self = nullptr;
  {
    std::unique_ptr<std::shared_ptr<ReadShared>> held(
        static_cast<std::shared_ptr<ReadShared>*>(param));
    std::shared_ptr<ReadShared> s = std::move(*held);
    held.reset();
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&ReadThread), &self);
    ReadFolder(*s);
  }
  FreeLibraryAndExitThread(self, 0);
  return 0;
}

class ThreadReading final : public FolderReading {
 public:
  explicit ThreadReading(std::shared_ptr<ReadShared> s) : s_(std::move(s)) {}
  ~ThreadReading() override { s_->stop = true; }
  ThreadReading(const ThreadReading&) = delete;
  ThreadReading& operator=(const ThreadReading&) = delete;

  bool Wait(unsigned ms) override {
    return s_->done && WaitForSingleObject(s_->done, ms) == WAIT_OBJECT_0;
  }
  bool Take(std::vector<FindData>& out) override {
    std::vector<FindData> taken;
    EnterCriticalSection(&s_->lock);
    taken.swap(s_->read);
    const bool ended = s_->ended;
    LeaveCriticalSection(&s_->lock);
    if (out.empty())
      out.swap(taken);
    else
      for (FindData& d : taken) out.push_back(std::move(d));
    return ended;
  }

 private:
  std::shared_ptr<ReadShared> s_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<FolderReading> StartFind(const std::string& pattern) override {
    const auto wide = WidePath(pattern);
    auto s = std::make_shared<ReadShared>();
    HMODULE self = nullptr;
    if (!wide || !s->done ||
        !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCSTR>(&ReadThread), &self))
      return FileSystem::StartFind(pattern);  // read here and now
    s->pattern = *wide;
    auto* param = new std::shared_ptr<ReadShared>(s);
    HANDLE thread = CreateThread(nullptr, 0, ReadThread, param, 0, nullptr);
    if (!thread) {
      delete param;
      FreeLibrary(self);
      return FileSystem::StartFind(pattern);
    }
    CloseHandle(thread);
    return std::make_unique<ThreadReading>(std::move(s));
  }

  std::vector<FindData> Find(const std::string& pattern) override {
    QuietDrives quiet;
    std::vector<FindData> found;
    const auto wide = WidePath(pattern);
    if (!wide) return Failed(ERROR_INVALID_NAME), found;
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileW(wide->c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD e = GetLastError();
      lastError_ = e == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : e;
      return found;
    }
    do found.push_back(Entry(d));
    while (FindNextFileW(h, &d));
    FindClose(h);
    lastError_ = 0;
    return found;
  }

  bool FileExists(const std::string& path) override {
    QuietDrives quiet;
    const auto wide = WidePath(path);
    if (!wide || path.find_first_of("*?") != std::string::npos)
      return Failed(ERROR_INVALID_NAME), false;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Failed(), false;
    lastError_ = 0;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  std::optional<FindData> Stat(const std::string& path) override {
    QuietDrives quiet;
    WIN32_FILE_ATTRIBUTE_DATA a;
    const auto wide = WidePath(path);
    if (!wide || path.find_first_of("*?") != std::string::npos)
      return Failed(ERROR_INVALID_NAME), std::nullopt;
    if (!GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &a))
      return Failed(), std::nullopt;
    FindData e;
    e.attributes = a.dwFileAttributes;
    e.size = (static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
    e.writeTime = Ticks(a.ftLastWriteTime);
    std::wstring bare = *wide;
    while (bare.size() > 3 && (bare.back() == L'\\' || bare.back() == L'/')) bare.pop_back();
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileW(bare.c_str(), &d);  // fails on a drive root: no name there
    if (h != INVALID_HANDLE_VALUE) {
      const FindData named = Entry(d);
      e.name = named.name;
      e.alternate = named.alternate;
      e.longName = named.longName;
      e.nameless = named.nameless;
      FindClose(h);
    }
    lastError_ = 0;
    return e;
  }

  std::string ShortPath(const std::string& path) override {
    QuietDrives quiet;
    const auto wide = WidePath(path);
    if (!wide) return Failed(ERROR_INVALID_NAME), std::string();
    const std::u16string s =
        Filled([&](wchar_t* b, DWORD n) { return GetShortPathNameW(wide->c_str(), b, n); });
    if (s.empty()) return Failed(), std::string();
    // A component without an alias that the code page cannot hold: there is
    // no short form to hand on.
    auto exact = CodePageFromWide(s);
    if (!exact) return Failed(ERROR_INVALID_NAME), std::string();
    return *exact;
  }

  std::string FullPath(const std::string& path) override {
    const auto wide = WidePath(path);
    if (!wide) return Failed(ERROR_INVALID_NAME), std::string();
    const std::u16string s =
        Filled([&](wchar_t* b, DWORD n) { return GetFullPathNameW(wide->c_str(), n, b, nullptr); });
    if (s.empty()) return Failed(), std::string();
    return HostPath(s);
  }

  bool DeleteFile(const std::string& path) override {
    QuietDrives quiet;
    const auto p = WidePath(path);
    return p ? Check(DeleteFileW(p->c_str())) : Failed(ERROR_INVALID_NAME);
  }
  bool MoveFile(const std::string& from, const std::string& to) override {
    QuietDrives quiet;
    const auto a = WidePath(from), b = WidePath(to);
    return a && b ? Check(MoveFileW(a->c_str(), b->c_str())) : Failed(ERROR_INVALID_NAME);
  }
  bool ReplaceFile(const std::string& from, const std::string& to) override {
    QuietDrives quiet;
    // A read-only file or a folder is never replaced, as Windows refuses it;
    // Wine's MoveFileEx would put the new file in its place.
    const auto a = WidePath(from), b = WidePath(to);
    if (!a || !b) return Failed(ERROR_INVALID_NAME);
    const DWORD old = GetFileAttributesW(b->c_str());
    if (old != INVALID_FILE_ATTRIBUTES &&
        (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
      lastError_ = ERROR_ACCESS_DENIED;
      return false;
    }
    return Check(
        MoveFileExW(a->c_str(), b->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  }
  bool CreateDirectory(const std::string& path) override {
    QuietDrives quiet;
    const auto p = WidePath(path);
    return p ? Check(CreateDirectoryW(p->c_str(), nullptr)) : Failed(ERROR_INVALID_NAME);
  }
  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    QuietDrives quiet;
    const auto p = WidePath(path);
    return p ? Check(SetFileAttributesW(p->c_str(), attributes)) : Failed(ERROR_INVALID_NAME);
  }

  std::optional<std::string> ReadFile(const std::string& path) override {
    QuietDrives quiet;
    const auto p = WidePath(path);
    if (!p) return Failed(ERROR_INVALID_NAME), std::nullopt;
    HANDLE h = CreateFileW(p->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Failed(), std::nullopt;
    std::string data;
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(h, buf, sizeof buf, &got, nullptr) != 0) && got > 0)
      data.append(buf, got);
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
    const auto p = WidePath(path);
    if (!p) return Failed(ERROR_INVALID_NAME), nullptr;
    HANDLE h = CreateFileW(p->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Failed(), nullptr;
    lastError_ = 0;
    return std::make_unique<Win32Output>(h);
  }

  std::string CurrentDirectory() override {
    return HostPath(Filled([](wchar_t* b, DWORD n) { return GetCurrentDirectoryW(n, b); }));
  }
  bool SetCurrentDirectory(const std::string& path) override {
    QuietDrives quiet;
    const auto p = WidePath(path);
    return p ? Check(SetCurrentDirectoryW(p->c_str())) : Failed(ERROR_INVALID_NAME);
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
  std::string VolumeLabel(char letter) override {
    QuietDrives quiet;
    wchar_t label[MAX_PATH + 1] = L"";
    const std::string root = RootOf(letter);
    const std::wstring wideRoot(root.begin(), root.end());
    if (!GetVolumeInformationW(wideRoot.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0))
      return Failed(), std::string();
    lastError_ = 0;
    return CodePageFromWide(View(label)).value_or(std::string());
  }
  std::optional<uint64_t> FreeSpace(const std::string& root) override {
    QuietDrives quiet;
    ULARGE_INTEGER avail, total, free;
    const auto p = WidePath(root);
    if (!p) return Failed(ERROR_INVALID_NAME), std::nullopt;
    if (!GetDiskFreeSpaceExW(p->c_str(), &avail, &total, &free)) return Failed(), std::nullopt;
    lastError_ = 0;
    return avail.QuadPart;
  }
  uint32_t LastError() override { return lastError_; }

  std::unique_ptr<FolderWatch> WatchFolder(const std::string& folder) override {
    QuietDrives quiet;
    const auto wide = WidePath(folder);
    if (!wide) return Failed(ERROR_INVALID_NAME), nullptr;
    const HANDLE h = FindFirstChangeNotificationW(
        wide->c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
    if (h == INVALID_HANDLE_VALUE) return Failed(), nullptr;
    lastError_ = 0;
    return std::make_unique<Win32FolderWatch>(h);
  }

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
