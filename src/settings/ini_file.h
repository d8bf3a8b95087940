// The settings-file object: every reader or writer of "plimbo.ini", of a
// slide script, of the exchange file or of the tag list makes one, does its
// reads and writes and drops it. Nothing is cached: each call goes to the
// platform's profile functions, so a value the host wrote is seen at once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace w95 {

class TIniFile {
 public:
  // Remembers the name; touches no file. A name without a folder lives in
  // the Windows directory.
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return fileName_; }

  // The value (at most 1023 characters), or `def` when the key is missing.
  std::string ReadText(const std::string& section, const std::string& key,
                       const std::string& def) const;
  // Decimal, or hexadecimal after "0x"/"0X"; `def` when the key is missing or
  // its text does not parse as a 32-bit signed number.
  int32_t ReadNumber(const std::string& section, const std::string& key, int32_t def) const;
  // Throw w95::Error("Unable to write to <file>") when the write fails.
  void WriteText(const std::string& section, const std::string& key,
                 const std::string& value) const;
  void WriteNumber(const std::string& section, const std::string& key, int32_t value) const;
  // The section's key names (read through an 8192-byte buffer), replacing the
  // list's contents.
  void ReadKeyNames(const std::string& section, std::vector<std::string>& list) const;
  // One "key=value" line per key of the section, replacing the list's contents.
  void ReadKeyValues(const std::string& section, std::vector<std::string>& list) const;

  // Removes a key (value absent) or a whole section; throws like WriteText.
  void DeleteKey(const std::string& section, const std::string& key) const;
  void EraseSection(const std::string& section) const;

 private:
  std::string fileName_;
};

// The values of one section, read in one call to the profile functions and
// then looked up by the rules a single key's read follows: keys match
// ignoring ASCII case, the first of a name wins, a line without "=" is no
// key, blanks around the value go and then a pair of like quotes round it,
// at most 1023 characters. Where the section does not fit the buffer (or
// the store cannot read it whole) each key is read on its own, as TIniFile
// does. Read when made: a later change of the file is not seen.
class TIniSection {
 public:
  TIniSection(const TIniFile& file, std::string section);
  // As TIniFile::ReadText; `def` comes back as the profile functions give
  // a default: without its trailing spaces.
  std::string ReadText(const std::string& key, const std::string& def) const;
  int32_t ReadNumber(const std::string& key, int32_t def) const;
  bool ReadWhole() const { return lines_.has_value(); }

 private:
  TIniFile file_;
  std::string section_;
  std::optional<std::vector<std::string>> lines_;
};

// The value of `key` among a section's lines ("key=value" or a bare name),
// by GetPrivateProfileStringA's rules (see TIniSection); nullopt when no line
// is that key.
std::optional<std::string> ProfileValueIn(const std::vector<std::string>& lines,
                                          std::string_view key);

// ReadNumber's rule on a text already read: true, with the value, when the
// text is a 32-bit signed decimal or "0x"/"0X" and hexadecimal digits.
bool ParseProfileNumber(const std::string& text, int32_t& value);

}  // namespace w95
