// The simulated machine's code page is 1252 (Western European).
#include "platform/code_page_text.h"
#include "text/code_page.h"

namespace w95::platform {

std::optional<std::string> CodePageFromWide(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t unit : text) {
    const auto byte = ByteOf1252(unit);
    if (!byte) return std::nullopt;
    out.push_back(*byte);
  }
  return out;
}

std::string CodePageOrMarks(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (pair) ++i;  // one mark for the character, not one per unit
    out.push_back(pair ? '?' : ByteOf1252(text[i]).value_or('?'));
  }
  return out;
}

std::optional<std::u16string> WideFromCodePage(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (unsigned char c : text) out.push_back(UnitOf1252(c));
  return out;
}

}  // namespace w95::platform
