#include "settings/ini_file.h"

#include <charconv>
#include <utility>

#include "platform/error.h"
#include "platform/platform.h"

namespace w95 {

namespace {

// Buffers the profile functions read into.
constexpr size_t kTextBuffer = 1024;
constexpr size_t kKeyNameBuffer = 8192;

platform::ProfileStore& Profiles() {
  platform::ProfileStore* store = platform::Current().profiles;
  if (store == nullptr) throw Error("No profile service installed");
  return *store;
}

}  // namespace

bool ParseProfileNumber(const std::string& text, int32_t& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Up to eight hex digits; the top bit makes the number negative.
    uint32_t bits = 0;
    auto [end, ec] = std::from_chars(first + 2, last, bits, 16);
    if (ec != std::errc() || end != last) return false;
    value = static_cast<int32_t>(bits);
    return true;
  }
  if (first != last && *first == '+') {  // from_chars takes only '-'
    ++first;
    if (first != last && *first == '-') return false;
  }
  int32_t parsed = 0;
  auto [end, ec] = std::from_chars(first, last, parsed, 10);
  if (ec != std::errc() || end != last) return false;
  value = parsed;
  return true;
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& def) const {
  return Profiles().GetString(fileName_, section, key, def, kTextBuffer);
}

int32_t TIniFile::ReadNumber(const std::string& section, const std::string& key,
                             int32_t def) const {
  int32_t value = 0;
  return ParseProfileNumber(ReadText(section, key, ""), value) ? value : def;
}

void TIniFile::WriteText(const std::string& section, const std::string& key,
                         const std::string& value) const {
  if (!Profiles().WriteString(fileName_, section, key, value))
    throw Error("Unable to write to " + fileName_);
}

void TIniFile::WriteNumber(const std::string& section, const std::string& key,
                           int32_t value) const {
  WriteText(section, key, std::to_string(value));
}

void TIniFile::ReadKeyNames(const std::string& section, std::vector<std::string>& list) const {
  list = Profiles().GetKeyNames(fileName_, section, kKeyNameBuffer);
}

void TIniFile::ReadKeyValues(const std::string& section, std::vector<std::string>& list) const {
  std::vector<std::string> names;
  ReadKeyNames(section, names);
  list.clear();
  list.reserve(names.size());
  for (const std::string& name : names) list.push_back(name + "=" + ReadText(section, name, ""));
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) const {
  if (!Profiles().WriteString(fileName_, section, key, std::nullopt))
    throw Error("Unable to write to " + fileName_);
}

void TIniFile::EraseSection(const std::string& section) const {
  if (!Profiles().WriteString(fileName_, section, std::nullopt, std::nullopt))
    throw Error("Unable to write to " + fileName_);
}

}  // namespace w95
