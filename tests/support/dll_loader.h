// The library as a host loads it: by name at run time, each export looked
// up by name with its type from the public header, and the host's keys in
// the settings file written and read back as the host does.
#pragma once

#include <windows.h>

#include <string>

#include "w95ZOK56.h"

namespace wine_dll {

// The loaded library and its exports (null where one is missing).
class Library {
 public:
  explicit Library(const char* file = "w95ZOK56.dll") : dll_(LoadLibraryA(file)) { Bind(); }
  ~Library() { Free(); }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  explicit operator bool() const { return dll_ != nullptr; }
  HMODULE Module() const { return dll_; }
  void Free() {
    if (dll_) FreeLibrary(dll_);
    dll_ = nullptr;
    Bind();
  }

  // Any export by name, as the function type `F`.
  template <class F>
  F Export(const char* name) const {
    if (!dll_) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(dll_, name)));
  }

  W95_PFN_GetFreePageMem95 GetFreePageMem95 = nullptr;
  W95_PFN_VideoWinStatus95 VideoWinStatus95 = nullptr;
  W95_PFN_VideoWinClose95 VideoWinClose95 = nullptr;
  W95_PFN_VideoWinPlayer95 VideoWinPlayer95 = nullptr;
  W95_PFN_PrintEnd95 PrintEnd95 = nullptr;
  W95_PFN_PrintDlg95 PrintDlg95 = nullptr;
  W95_PFN_PrintCheck95 PrintCheck95 = nullptr;
  W95_PFN_EditorWin95 EditorWin95 = nullptr;
  W95_PFN_RemoteDlg95 RemoteDlg95 = nullptr;
  W95_PFN_ShortToLongName95 ShortToLongName95 = nullptr;
  W95_PFN_RemoteWinUpdate95 RemoteWinUpdate95 = nullptr;
  W95_PFN_RemoteWinHide95 RemoteWinHide95 = nullptr;
  W95_PFN_RemoteWinClose95 RemoteWinClose95 = nullptr;
  W95_PFN_RemoteWin95 RemoteWin95 = nullptr;
  W95_PFN_GDIflush95 GDIflush95 = nullptr;

 private:
  void Bind() {
#define W95_BIND(name) name = Export<W95_PFN_##name>(#name)
    W95_BIND(GetFreePageMem95);
    W95_BIND(VideoWinStatus95);
    W95_BIND(VideoWinClose95);
    W95_BIND(VideoWinPlayer95);
    W95_BIND(PrintEnd95);
    W95_BIND(PrintDlg95);
    W95_BIND(PrintCheck95);
    W95_BIND(EditorWin95);
    W95_BIND(RemoteDlg95);
    W95_BIND(ShortToLongName95);
    W95_BIND(RemoteWinUpdate95);
    W95_BIND(RemoteWinHide95);
    W95_BIND(RemoteWinClose95);
    W95_BIND(RemoteWin95);
    W95_BIND(GDIflush95);
#undef W95_BIND
  }
  HMODULE dll_;
};

// --- the host's keys (section W95_SECTION of W95_SETTINGS_FILE) ---------------

// A key's value; `absent` when it is not there.
inline std::string ReadKey(const char* key, const char* absent = "(none)") {
  char buf[1024] = "";
  GetPrivateProfileStringA(W95_SECTION, key, absent, buf, sizeof buf, W95_SETTINGS_FILE);
  return buf;
}

inline int ReadKeyInt(const char* key, int absent) {
  return static_cast<int>(GetPrivateProfileIntA(W95_SECTION, key, absent, W95_SETTINGS_FILE));
}

// Writes a key; a null value removes it. False when the file was not written.
inline bool WriteKey(const char* key, const char* value) {
  return WritePrivateProfileStringA(W95_SECTION, key, value, W95_SETTINGS_FILE) != FALSE;
}
inline bool WriteKey(const char* key, const std::string& value) {
  return WriteKey(key, value.c_str());
}

// Removes every key of the host's section.
inline void ClearKeys() {
  WritePrivateProfileStringA(W95_SECTION, nullptr, nullptr, W95_SETTINGS_FILE);
}

// The short (8.3) form of an existing path, as the host hands files over.
inline std::string ShortPath(const std::string& path) {
  char buf[MAX_PATH] = "";
  GetShortPathNameA(path.c_str(), buf, sizeof buf);
  return buf;
}

}  // namespace wine_dll
