#include "ui/type_ahead.h"

#include <string_view>

#include "platform/code_page_text.h"

namespace w95::ui {

namespace {
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

char16_t Fold(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  bool plain = true;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Fold(text[i]) != Fold(prefix[i])) return false;
    plain = plain && static_cast<unsigned char>(prefix[i]) < 0x80;
  }
  if (plain) return true;
  // A letter of the code page may be the first byte of another character in
  // UTF-8 ("\xE5" is "å", and begins "写"): the characters must agree.
  const std::u16string units = platform::WideFromShown(text);
  const std::u16string typed = platform::WideFromShown(prefix);
  if (units.size() < typed.size()) return false;
  for (size_t i = 0; i < typed.size(); ++i)
    if (Fold(units[i]) != Fold(typed[i])) return false;
  return true;
}
}  // namespace

int TypeAhead::Next(char ch, uint32_t time, int count,
                    const std::function<const std::string&(int)>& text, int current) {
  if (!Running(time)) typed_.clear();
  typed_ += ch;
  last_ = time;
  any_ = true;
  if (count <= 0) return -1;
  for (int i = 0; i < count; ++i)
    if (StartsWith(text(i), typed_)) return i;
  if (typed_.find_first_not_of(typed_[0]) != std::string::npos) return -1;
  // "aaa" with no such entry: the next entry that starts with "a".
  const std::string_view first(typed_.data(), 1);
  for (int k = 1; k <= count; ++k) {
    const int i = ((current < 0 ? -1 : current) + k) % count;
    if (StartsWith(text(i), first)) return i;
  }
  return -1;
}

}  // namespace w95::ui
