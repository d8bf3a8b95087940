// The small service exports: long file name, free paging-file space, GDI flush.
#include <cstdint>
#include <limits>

#include "exports/library.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "settings/paths.h"

namespace w95 {

void ShortToLongName() {
  const TIniFile ini(keys::kSettingsFile);
  const std::string saved = ini.ReadText(keys::kSection, keys::kSaveName, keys::kAbsent);
  const auto found = platform::Current().files->Find(saved);
  ini.WriteText(keys::kSection, keys::kLongName,
                found.empty() ? NamePart(saved) : found.front().name);
}

uint32_t GetFreePageMem() {
  const uint64_t avail = platform::Current().desktop->AvailPageFile();
  return avail > std::numeric_limits<uint32_t>::max() ? 0xFFFFFFFFu : static_cast<uint32_t>(avail);
}

int32_t GDIflush() { return platform::Current().desktop->GdiFlush() ? 1 : 0; }

}  // namespace w95
