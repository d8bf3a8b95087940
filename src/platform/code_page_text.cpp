#include "platform/code_page_text.h"

#include "text/code_page.h"

namespace w95::platform {

std::optional<std::string> CodePageFromUtf8(std::string_view text) {
  const auto wide = Utf16FromUtf8(text);
  return wide ? CodePageFromWide(*wide) : std::nullopt;
}

std::string CodePageOrMarksFromUtf8(std::string_view text) {
  const auto wide = Utf16FromUtf8(text);
  return wide ? CodePageOrMarks(*wide) : std::string(text.size(), '?');
}

std::string Utf8FromCodePage(std::string_view text) {
  if (auto wide = WideFromCodePage(text)) return Utf8FromUtf16(*wide);
  std::string out;  // byte by byte, so that one bad byte costs one character
  for (char c : text) {
    const auto one = WideFromCodePage(std::string_view(&c, 1));
    out += one ? Utf8FromUtf16(*one) : std::string("\xEF\xBF\xBD");
  }
  return out;
}

}  // namespace w95::platform
