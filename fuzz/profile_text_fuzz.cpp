// libFuzzer target: profile text parsed, edited once and written out. The
// text reads back byte for byte; an edit of a key changes only that key's
// line (or adds one); the edited text answers as a fresh parse of it does;
// and a plain value written reads back as itself.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "text/profile_text.h"

namespace {

using w95::ProfileText;

constexpr size_t kBuf = 1024;

void Fail(const char* what) {
  std::fprintf(stderr, "profile text: %s\n", what);
  std::abort();
}

size_t LineBreaks(std::string_view s) {
  size_t n = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if (s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'))) ++n;
  return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

// Names and values that the file holds as they are given.
bool PlainName(std::string_view s) {
  if (s.empty() || s.size() > 64) return false;
  for (char c : s)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.')) return false;
  return true;
}
bool PlainValue(std::string_view v) {
  if (v.size() >= kBuf || v.find_first_of(std::string_view("\r\n\0", 3)) != v.npos) return false;
  if (!v.empty() && (IsBlank(v.front()) || IsBlank(v.back()))) return false;
  return !(v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front());
}

// The edited object and a fresh parse of its text agree.
void SameAnswers(const ProfileText& edited, const std::string& section, const std::string& key) {
  const ProfileText fresh(edited.Text());
  if (fresh.Text() != edited.Text()) Fail("the edited text does not read back byte for byte");
  if (edited.GetString(section, key, "\x01", kBuf) != fresh.GetString(section, key, "\x01", kBuf))
    Fail("the edited key reads otherwise after a fresh parse");
  if (edited.KeyNames(section, 8192) != fresh.KeyNames(section, 8192))
    Fail("the edited section lists other keys after a fresh parse");
  if (edited.SectionNames(8192) != fresh.SectionNames(8192))
    Fail("the section list differs after a fresh parse");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int op = in.ConsumeIntegralInRange(0, 3);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(64);
  const std::string original = in.ConsumeRemainingBytesAsString();

  ProfileText text(original);
  if (text.Text() != original) Fail("parsing changed the text");
  const bool newSection = !text.HasSection(section);

  std::optional<std::string_view> k, v;
  if (op != 3) k = key;   // 3: delete the section
  if (op < 2) v = value;  // 2: delete the key
  if (!text.Write(section, k, v)) return 0;
  SameAnswers(text, section, key);

  if (op == 3) return 0;
  // Everything but one line of the old text stays: what differs between the
  // texts holds at most one old line, and at most that line and a new one
  // (and a new section's header).
  const std::string& now = text.Text();
  size_t head = 0;
  while (head < original.size() && head < now.size() && original[head] == now[head]) ++head;
  size_t tail = 0;
  while (tail < original.size() - head && tail < now.size() - head &&
         original[original.size() - 1 - tail] == now[now.size() - 1 - tail])
    ++tail;
  const std::string_view removed = std::string_view(original).substr(head, original.size() - head - tail);
  const std::string_view added = std::string_view(now).substr(head, now.size() - head - tail);
  if (LineBreaks(removed) > 1) Fail("an edit of one key changed more than one line");
  // (Names and values are written as given: line breaks in them add lines.)
  const bool oneLine = LineBreaks(section) + LineBreaks(key) + LineBreaks(value) == 0;
  if (op != 2 && oneLine && LineBreaks(added) > (newSection ? 3u : 2u))
    Fail("an edit of one key added more than one line");

  if (op < 2 && PlainName(section) && PlainName(key) && PlainValue(value) &&
      text.GetString(section, key, "\x01", kBuf) != value) {
    Fail("a written value does not read back");
  }
  return 0;
}
