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
#include <vector>

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

// The text cut into lines, without their breaks (CR LF, LF or a lone CR).
std::vector<std::string_view> Lines(std::string_view s) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' || s[i] == '\r') {
      lines.push_back(s.substr(start, i - start));
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < s.size()) lines.push_back(s.substr(start));
  return lines;
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
  // Compared line by line, breaks aside: a byte-wise difference can start in
  // the middle of a CR LF, and taking a line out from between a lone CR and
  // an empty line joins their breaks into one CR LF (the empty line goes).
  // Lines that held something must stay.
  const auto before = Lines(original);
  const auto after = Lines(text.Text());
  size_t head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  size_t tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  size_t removed = 0;
  for (size_t i = head; i < before.size() - tail; ++i)
    if (!before[i].empty()) ++removed;
  const size_t added = after.size() - head - tail;
  if (removed > 1) Fail("an edit of one key changed more than one line");
  // (Names and values are written as given: line breaks in them add lines.)
  const bool oneLine = LineBreaks(section) + LineBreaks(key) + LineBreaks(value) == 0;
  if (op != 2 && oneLine && added > (newSection ? 4u : 2u))
    Fail("an edit of one key added more than one line");

  if (op < 2 && PlainName(section) && PlainName(key) && PlainValue(value) &&
      text.GetString(section, key, "\x01", kBuf) != value) {
    Fail("a written value does not read back");
  }
  return 0;
}
