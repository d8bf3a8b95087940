// Profile (INI) text with the rules of the Windows kernel32 profile functions:
// parse once, look up many times, edit single lines the way Windows does and
// keep every other byte. Serves the simulated machine's profile store and the
// one-pass reading and writing of large slide scripts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace w95 {

class ProfileText {
 public:
  ProfileText() = default;
  explicit ProfileText(std::string text);

  // The whole text, as it would be written back to the file.
  const std::string& Text() const { return text_; }

  // GetPrivateProfileStringA: the characters the caller's buffer of bufSize
  // bytes receives (at most bufSize-1); `def` when section or key is missing.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view def, size_t bufSize) const;
  // True when the key exists in the first section of that name.
  bool HasKey(std::string_view section, std::string_view key) const;
  // NULL-key listing through a buffer of bufSize bytes (truncation rule of
  // Windows: a list that does not fit keeps its first bufSize-2 characters).
  std::vector<std::string> KeyNames(std::string_view section, size_t bufSize) const;
  // NULL-section listing.
  std::vector<std::string> SectionNames(size_t bufSize) const;
  // GetPrivateProfileSectionA lines ("key=value" or the bare name).
  std::vector<std::string> SectionLines(std::string_view section, size_t bufSize) const;

  // WritePrivateProfileStringA on the text: key nullopt deletes the section,
  // value nullopt deletes the key. Returns false where Windows fails.
  bool Write(std::string_view section, const std::optional<std::string_view>& key,
             const std::optional<std::string_view>& value);

 private:
  std::string text_;
};

}  // namespace w95
