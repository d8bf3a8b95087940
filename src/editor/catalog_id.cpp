#include "editor/catalog_id.h"

#include <cmath>
#include <ctime>

#include "editor/base32.h"
#include "settings/ini_file.h"
#include "settings/keys.h"

namespace w95::editor {

std::string NextCatalogId(std::string_view lastId, double now) {
  std::string id;
  if (!lastId.empty()) {
    id = ToBase32(static_cast<uint32_t>(FromBase32(lastId)) + 1);
  } else {
    const double day = std::floor(now);
    const auto d = static_cast<uint32_t>(day);
    const auto t = static_cast<uint32_t>(std::lround((now - day) * 10000));
    const std::string a = ToBase32(d).substr(1);
    id = (a + ToBase32(t)).substr(1, 5);
  }
  if (id.size() < 5) id = "0" + id;
  return id;
}

double NowAsDayNumber() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  // Days from 30 December 1899 to the civil date (proleptic Gregorian).
  const int y = local.tm_year + 1900 - (local.tm_mon < 2 ? 1 : 0);
  const int m = local.tm_mon < 2 ? local.tm_mon + 13 : local.tm_mon + 1;
  const long days =
      365L * y + y / 4 - y / 100 + y / 400 + (153 * (m - 3) + 2) / 5 + local.tm_mday - 693900L;
  const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
  return static_cast<double>(days) + seconds / 86400.0;
}

std::string NewCatalogId(double now) {
  const TIniFile ini(keys::kSettingsFile);
  const std::string id = NextCatalogId(ini.ReadText(keys::kSection, keys::kThmIdx, ""), now);
  ini.WriteText(keys::kSection, keys::kThmIdx, id);
  return id;
}

}  // namespace w95::editor
