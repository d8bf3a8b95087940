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
// The largest section read in one call (the system's own limit).
constexpr size_t kSectionBuffer = 32767;

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

namespace {

// Blanks around names and values.
bool Blank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool EdgeBlanks(std::string_view name) {
  return !name.empty() && (Blank(name.front()) || Blank(name.back()));
}

}  // namespace

std::optional<std::string> ProfileValueIn(const std::vector<std::string>& lines,
                                          std::string_view key) {
  // The key as asked for loses its spaces at both ends; a comment line is no
  // key, so a name that starts as one is never found.
  while (!key.empty() && key.front() == ' ') key.remove_prefix(1);
  while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
  if (!key.empty() && key.front() == ';') return std::nullopt;
  for (const std::string& line : lines) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (!SameName(Trimmed(std::string_view(line).substr(0, eq)), key)) continue;
    std::string_view value = Trimmed(std::string_view(line).substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kTextBuffer - 1));
  }
  return std::nullopt;
}

TIniSection::TIniSection(const TIniFile& file, std::string section)
    : file_(file), section_(std::move(section)) {
  // A key's read finds a section named with blanks at its ends, a whole
  // section's read may not: such a name is read key by key.
  if (!EdgeBlanks(section_))
    lines_ = Profiles().GetSection(file.FileName(), section_, kSectionBuffer);
}

std::string TIniSection::ReadText(const std::string& key, const std::string& def) const {
  if (!lines_) return file_.ReadText(section_, key, def);
  if (std::optional<std::string> value = ProfileValueIn(*lines_, key)) return std::move(*value);
  std::string shown = def.substr(0, kTextBuffer - 1);
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();
  return shown;
}

int32_t TIniSection::ReadNumber(const std::string& key, int32_t def) const {
  int32_t value = 0;
  return ParseProfileNumber(ReadText(key, ""), value) ? value : def;
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
