// Small helpers shared by the parts of the explorer window.
#pragma once

#include "ui/flag_guard.h"
#include <cstdint>
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

using ui::FlagGuard;

// The machine's clock in milliseconds (0 without a desktop).
inline uint32_t Ticks() {
  platform::Desktop* desktop = platform::Current().desktop;
  return desktop ? desktop->Ticks() : 0;
}

}  // namespace w95::explorer
