// The rules of profile text shared by its reading and writing halves:
// blanks, line breaks, name folding and hashing. Internal to the text
// library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace w95::profile_rules {

enum : uint8_t { kEolNone = 0, kEolCr = 1, kEolLf = 2, kEolCrLf = 3 };
constexpr std::string_view kEolText[] = {"", "\r", "\n", "\r\n"};

// Blanks around names and values in the file.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

inline char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline bool FoldEq(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

inline uint64_t FoldHash(std::string_view s, uint64_t seed) {
  uint64_t h = 1469598103934665603ull ^ (seed * 0x9E3779B97F4A7C15ull);
  for (char c : s) h = (h ^ static_cast<unsigned char>(Fold(c))) * 1099511628211ull;
  // Final mix, so that the low bits the table uses depend on every byte.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

// The callers' section and key names lose their outer spaces, and only those.
inline std::string_view StripSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

inline bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != s.npos; }

}  // namespace w95::profile_rules
