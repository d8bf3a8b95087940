// The settings-file object: every reader or writer of "plimbo.ini", of a
// slide script, of the exchange file or of the tag list makes one, does its
// reads and writes and drops it. Nothing is cached: each call goes to the
// platform's profile functions, so a value the host wrote is seen at once.
#pragma once

#include <cstdint>
#include <string>
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

// ReadNumber's rule on a text already read: true, with the value, when the
// text is a 32-bit signed decimal or "0x"/"0X" and hexadecimal digits.
bool ParseProfileNumber(const std::string& text, int32_t& value);

}  // namespace w95
