#include "platform/platform.h"

#include <cstdio>

namespace w95::platform {

namespace {
Machine current;
}

std::string Desktop::ShortDateTime(uint64_t fileTime) {
  // Days from 1 January 1601 to the civil date (proleptic Gregorian).
  const uint64_t seconds = fileTime / 10000000ull;
  const int64_t days = static_cast<int64_t>(seconds / 86400) - 134774;  // since 1970-01-01
  const unsigned minute = static_cast<unsigned>(seconds % 86400 / 60);
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = static_cast<int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
  char text[40];
  std::snprintf(text, sizeof text, "%u/%u/%lld %u:%02u", month, day, static_cast<long long>(year),
                minute / 60, minute % 60);
  return text;
}

namespace {
// A reading that ended before it was handed over.
class ReadAlready final : public FolderReading {
 public:
  explicit ReadAlready(std::vector<FindData> found) : found_(std::move(found)) {}
  bool Wait(unsigned) override { return true; }
  bool Take(std::vector<FindData>& out) override {
    for (FindData& d : found_) out.push_back(std::move(d));
    found_.clear();
    return true;
  }

 private:
  std::vector<FindData> found_;
};
}  // namespace

std::unique_ptr<FolderReading> FileSystem::StartFind(const std::string& pattern) {
  return std::make_unique<ReadAlready>(Find(pattern));
}

namespace {
unsigned installed = 0;
}  // namespace

Machine& Current() { return current; }
void Install(const Machine& machine) {
  current = machine;
  ++installed;
}
unsigned Installations() { return installed; }

}  // namespace w95::platform
