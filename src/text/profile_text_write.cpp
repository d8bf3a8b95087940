// Writing profile text: single lines edited, added or removed the way
// Windows does it.
#include <utility>

#include "text/profile_rules.h"
#include "text/profile_text.h"

namespace w95 {

using namespace profile_rules;

bool ProfileText::Write(std::string_view section, const std::optional<std::string_view>& key,
                        const std::optional<std::string_view>& value) {
  section = StripSpaces(section);
  if (!key) return DeleteSection(section);
  if (!value) return DeleteKey(section, StripSpaces(*key));
  return WriteValue(section, StripSpaces(*key), *value);
}

// Links a new line after `after` (at the start when -1) and enters it in the
// index. Text that would change the structure around it (a line break in it,
// or a section header inside the file) makes the whole text parse again;
// then -1 is returned.
int32_t ProfileText::AddLine(std::string_view content, uint8_t eol, int32_t after) {
  Line line;
  line.off = static_cast<uint32_t>(extra_.size());
  line.len = static_cast<uint32_t>(content.size());
  line.inExtra = true;
  line.eol = eol;
  extra_.append(content);
  Classify(line);
  const auto id = static_cast<int32_t>(lines_.size());
  line.prev = after;
  line.next = after >= 0 ? lines_[after].next : first_;
  line.section = after >= 0 ? lines_[after].section : -1;
  lines_.push_back(line);
  if (line.next >= 0) lines_[line.next].prev = id;
  if (after >= 0) lines_[after].next = id;
  if (after < 0) first_ = id;
  if (after == lastLine_) lastLine_ = id;
  dirty_ = true;
  ++revision_;
  if (HasLineBreak(content) || (line.kind == Kind::Section && lastLine_ != id)) {
    Rebuild();
    return -1;
  }
  Line& added = lines_[id];
  if (added.kind == Kind::Section) {
    sections_.push_back({id, id});
    added.section = static_cast<int32_t>(sections_.size()) - 1;
  } else if ((added.kind == Kind::Key || added.kind == Kind::Bare) && added.section >= 0) {
    sections_[added.section].last = id;
  }
  IndexLine(id);
  return id;
}

void ProfileText::Unlink(int32_t id) {
  Line& line = lines_[id];
  if (line.prev >= 0)
    lines_[line.prev].next = line.next;
  else
    first_ = line.next;
  if (line.next >= 0)
    lines_[line.next].prev = line.prev;
  else
    lastLine_ = line.prev;
  line.prev = line.next = -1;
  dirty_ = true;
  ++revision_;
}

// A line that text is put after needs a line break of its own.
void ProfileText::EnsureBreak(int32_t id) {
  if (id >= 0 && lines_[id].eol == kEolNone) {
    lines_[id].eol = kEolCrLf;
    dirty_ = true;
    ++revision_;
  }
}

void ProfileText::Rebuild() {
  Text();
  Parse();
}

bool ProfileText::WriteValue(std::string_view section, std::string_view key,
                             std::string_view value) {
  const int32_t s = FindSection(section);
  const int32_t found = s < 0 ? -1 : FindKey(s, key);
  if (found >= 0) {
    Line& line = lines_[found];
    if (Value(line) == value) return true;
    // The line keeps the spelling of its key and its line break.
    std::string content(Name(line));
    content.push_back('=');
    content.append(value);
    line.off = static_cast<uint32_t>(extra_.size());
    line.len = static_cast<uint32_t>(content.size());
    line.inExtra = true;
    extra_.append(content);
    if (line.eol == kEolNone) line.eol = kEolCrLf;
    Classify(line);
    dirty_ = true;
    ++revision_;
    if (HasLineBreak(value)) Rebuild();
    return true;
  }
  std::string content(key);
  content.push_back('=');
  content.append(value);
  if (s >= 0) {
    const int32_t after = sections_[s].last;
    EnsureBreak(after);
    AddLine(content, kEolCrLf, after);
    return true;
  }
  EnsureBreak(lastLine_);
  std::string header = "[";
  header.append(section);
  header.push_back(']');
  const int32_t h = AddLine(header, kEolCrLf, lastLine_);
  if (h < 0) {
    // The section name held a line break: the key goes after the last line.
    AddLine(content, kEolCrLf, lastLine_);
    Rebuild();
    return true;
  }
  AddLine(content, kEolCrLf, h);
  return true;
}

bool ProfileText::DeleteKey(std::string_view section, std::string_view key) {
  const int32_t s = FindSection(section);
  const int32_t id = s < 0 ? -1 : FindKey(s, key);
  if (id < 0) return true;
  const Line line = lines_[id];
  keyIndex_.Erase(FoldHash(Name(line), static_cast<uint64_t>(s) + 1), id);
  if (sections_[s].last == id) {
    int32_t p = line.prev;
    while (lines_[p].kind == Kind::Comment || lines_[p].kind == Kind::Blank) p = lines_[p].prev;
    sections_[s].last = p;
  }
  Unlink(id);
  // A later key of the same name in this section is now the first.
  for (int32_t n = line.next; n >= 0 && lines_[n].kind != Kind::Section; n = lines_[n].next) {
    if (lines_[n].kind == Kind::Key && FoldEq(Name(lines_[n]), Name(line))) {
      IndexLine(n);
      break;
    }
  }
  return true;
}

// Removes the header and the key lines of the first section of that name;
// its comments and blank lines stay where they are.
bool ProfileText::DeleteSection(std::string_view section) {
  const int32_t s = FindSection(section);
  if (s < 0) return true;
  int32_t id = sections_[s].header;
  do {
    const int32_t next = lines_[id].next;
    if (lines_[id].kind != Kind::Comment && lines_[id].kind != Kind::Blank) Unlink(id);
    id = next;
  } while (id >= 0 && lines_[id].kind != Kind::Section);
  Rebuild();
  return true;
}

}  // namespace w95
