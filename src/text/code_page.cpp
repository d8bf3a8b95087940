#include "text/code_page.h"

#include <cstdint>

namespace w95 {

namespace {

constexpr std::string_view kUtf16Bom = "\xFF\xFE";

// Code points of the bytes 0x80 to 0x9F in code page 1252 (the five unused
// bytes stand for themselves).
constexpr uint16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

bool IsUtf16Text(std::string_view bytes) { return bytes.substr(0, 2) == kUtf16Bom; }

std::string AnsiFromUtf16(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8));
    char c = '?';
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      c = static_cast<char>(unit);
    } else {
      for (int k = 0; k < 32; ++k)
        if (kHigh1252[k] == unit) c = static_cast<char>(0x80 + k);
    }
    out.push_back(c);
  }
  return out;
}

std::string Utf16FromAnsi(std::string_view text) {
  std::string out(kUtf16Bom);
  out.reserve(2 + text.size() * 2);
  for (unsigned char c : text) {
    const uint16_t unit = (c >= 0x80 && c < 0xA0) ? kHigh1252[c - 0x80] : c;
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  }
  return out;
}

std::string ProfileTextOf(std::string bytes) {
  return IsUtf16Text(bytes) ? AnsiFromUtf16(bytes) : std::move(bytes);
}

}  // namespace w95
