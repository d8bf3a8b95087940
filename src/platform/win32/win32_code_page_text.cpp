// Code-page conversions of the real machine: the system's ANSI code page.
// This file is the only one in the library that calls the conversion API.
#include <windows.h>

#include "platform/code_page_text.h"

namespace w95::platform {

namespace {

const wchar_t* Wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

// WC_NO_BEST_FIT_CHARS keeps look-alikes out; a character with no exact
// counterpart then becomes the default character, which `usedDefault` tells.
std::string Narrow(std::u16string_view text, bool& usedDefault) {
  usedDefault = false;
  if (text.empty()) return {};
  const int units = static_cast<int>(text.size());
  // A UTF-8 code page holds every character and takes neither the flag nor a
  // default character; it only refuses unpaired surrogates.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  const char* fallback = utf8 ? nullptr : "?";
  BOOL defaulted = FALSE;
  BOOL* told = utf8 ? nullptr : &defaulted;
  const int n = WideCharToMultiByte(CP_ACP, flags, Wide(text), units, nullptr, 0, fallback, told);
  if (n <= 0) return usedDefault = true, std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, flags, Wide(text), units, out.data(), n, fallback, told);
  usedDefault = defaulted != FALSE;
  return out;
}

}  // namespace

std::optional<std::string> CodePageFromWide(std::u16string_view text) {
  bool usedDefault = false;
  std::string out = Narrow(text, usedDefault);
  if (usedDefault) return std::nullopt;
  // Some code pages still map a character to another without saying so: only
  // text that converts back to itself is exact.
  const auto back = WideFromCodePage(out);
  if (!back || *back != text) return std::nullopt;
  return out;
}

std::string CodePageOrMarks(std::u16string_view text) {
  if (auto exact = CodePageFromWide(text)) return *exact;
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t len = 1;
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      len = 2;
    const auto one = CodePageFromWide(text.substr(i, len));
    out += one ? *one : std::string("?");
    i += len - 1;
  }
  return out;
}

std::optional<std::u16string> WideFromCodePage(std::string_view text) {
  if (text.empty()) return std::u16string();
  const int bytes = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), bytes, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), bytes,
                      reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

}  // namespace w95::platform
