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

namespace {

bool AllAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The length of the UTF-8 sequence a byte starts (0 for a byte no sequence
// starts with).
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

std::u16string WideFromCodePageRun(std::string_view run) {
  if (auto exact = WideFromCodePage(run)) return *exact;
  return *Utf16FromUtf8(Utf8FromCodePage(run));
}

}  // namespace

std::string ShownFromWide(std::u16string_view text) {
  if (auto exact = CodePageFromWide(text)) return *exact;
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    const std::u16string_view one = text.substr(i, pair ? 2 : 1);
    if (auto held = CodePageFromWide(one))
      out += *held;
    else
      out += Utf8FromUtf16(one);
    i += one.size();
  }
  return out;
}

std::string ShownFromUtf8(std::string_view text) {
  const auto units = Utf16FromUtf8(text);
  return units ? ShownFromWide(*units) : std::string(text);
}

std::u16string WideFromShown(std::string_view text) {
  if (AllAscii(text)) return std::u16string(text.begin(), text.end());
  // All in UTF-8 (a name straight from the file system), or code page except
  // for UTF-8 sequences of characters it cannot hold.
  if (auto units = Utf16FromUtf8(text); units && !CodePageFromWide(*units)) return *units;
  std::u16string out;
  size_t run = 0;  // where the current run of code-page bytes began
  for (size_t i = 0; i < text.size();) {
    const size_t len = SequenceLength(static_cast<unsigned char>(text[i]));
    if (len > 0 && i + len <= text.size()) {
      const auto one = Utf16FromUtf8(text.substr(i, len));
      if (one && !CodePageFromWide(*one)) {
        out += WideFromCodePageRun(text.substr(run, i - run));
        out += *one;
        run = i += len;
        continue;
      }
    }
    ++i;
  }
  return out + WideFromCodePageRun(text.substr(run));
}

std::string Utf8FromShown(std::string_view text) { return Utf8FromUtf16(WideFromShown(text)); }

std::optional<std::string> CodePageFromShown(std::string_view text) {
  if (AllAscii(text)) return std::string(text);
  return CodePageFromWide(WideFromShown(text));
}

}  // namespace w95::platform