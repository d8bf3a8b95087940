#include "editor/base32.h"

namespace w95::editor {

std::string ToBase32(uint32_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";
  std::string text(6, '0');
  for (int i = 5; i >= 0; --i, value >>= 5) text[static_cast<size_t>(i)] = kDigits[value & 31];
  const size_t first = text.find_first_not_of('0');
  return first == std::string::npos ? std::string() : text.substr(first);
}

int32_t FromBase32(std::string_view text) {
  text = text.substr(0, 5);
  // Leading padding "0" adds nothing, so the digits can be taken as they are.
  // Five digits of at most 200 fit in 64 bits; the result wraps to 32 bits.
  int64_t value = 0;
  for (char ch : text) {
    const int c = static_cast<unsigned char>(ch);
    value = value * 32 + (c < ':' ? c - '0' : c - 55);
  }
  return static_cast<int32_t>(value);
}

}  // namespace w95::editor
