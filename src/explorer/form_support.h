// Small helpers shared by the parts of the explorer window.
#pragma once

#include <string>

#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace w95::explorer {

inline platform::FileSystem& Files() { return *platform::Current().files; }

inline TIniFile Settings() { return TIniFile(keys::kSettingsFile); }

// "c:\a\b\" and "c:\a\b" name one folder; a root keeps its backslash.
inline std::string NormalFolder(std::string folder) {
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

// Sets a flag for the life of a block and clears it on every way out.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = false; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
};

}  // namespace w95::explorer
