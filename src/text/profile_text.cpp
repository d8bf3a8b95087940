#include "text/profile_text.h"

#include <cstdint>
#include <utility>

#include "text/profile_rules.h"

namespace w95 {

using namespace profile_rules;

namespace {

std::string Truncated(std::string_view s, size_t bufSize) {
  if (bufSize == 0) return {};
  return std::string(s.substr(0, bufSize - 1));
}

// What a list call writes into a buffer of bufSize bytes: the list and its
// closing NUL when it fits with a byte to spare; otherwise the first
// bufSize-2 characters and two NULs.
ProfileText::Listing MakeListing(std::string list, size_t bufSize) {
  ProfileText::Listing out;
  if (bufSize == 0) return out;
  if (list.size() + 2 <= bufSize) {
    out.ret = list.size();
    out.bytes = std::move(list);
    out.bytes.push_back('\0');
    if (out.ret == 0) out.bytes.push_back('\0');
    return out;
  }
  if (bufSize < 3) {
    out.bytes.assign(bufSize, '\0');
    return out;
  }
  out.ret = bufSize - 2;
  out.bytes = list.substr(0, bufSize - 2);
  out.bytes.append(2, '\0');
  return out;
}

}  // namespace

// ---- index table ----

void ProfileText::Table::Reset(size_t expected) {
  size_t cap = 16;
  while (cap < expected + expected / 2) cap <<= 1;
  slots_.assign(cap, Slot{});
  used_ = 0;
}

template <class Eq>
int32_t ProfileText::Table::Find(uint64_t hash, Eq eq) const {
  if (slots_.empty()) return -1;
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.id == -1) return -1;
    if (s.id >= 0 && s.hash == static_cast<uint32_t>(hash) && eq(s.id)) return s.id;
  }
}

void ProfileText::Table::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  Reset(old.size() * 4 / 3 + 1);  // twice the old capacity, erased slots dropped
  for (const Slot& s : old)
    if (s.id >= 0) Insert(s.hash, s.id);
}

void ProfileText::Table::Insert(uint64_t hash, int32_t id) {
  if (slots_.empty() || (used_ + 1) * 4 > slots_.size() * 3) Grow();
  const size_t mask = slots_.size() - 1;
  size_t i = hash & mask;
  while (slots_[i].id >= 0) i = (i + 1) & mask;
  if (slots_[i].id == -1) ++used_;
  slots_[i] = Slot{static_cast<uint32_t>(hash), id};
}

template <class Eq>
void ProfileText::Table::InsertFirst(uint64_t hash, int32_t id, Eq eq) {
  if (slots_.empty() || (used_ + 1) * 4 > slots_.size() * 3) Grow();
  const size_t mask = slots_.size() - 1;
  size_t free = slots_.size();
  size_t i = hash & mask;
  for (; slots_[i].id != -1; i = (i + 1) & mask) {
    const Slot& s = slots_[i];
    if (s.id >= 0 && s.hash == static_cast<uint32_t>(hash) && eq(s.id)) return;
    if (s.id == -2 && free == slots_.size()) free = i;
  }
  if (free == slots_.size()) {
    free = i;
    ++used_;
  }
  slots_[free] = Slot{static_cast<uint32_t>(hash), id};
}

void ProfileText::Table::Erase(uint64_t hash, int32_t id) {
  if (slots_.empty()) return;
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask; slots_[i].id != -1; i = (i + 1) & mask) {
    if (slots_[i].id == id) {
      slots_[i].id = -2;
      return;
    }
  }
}

// ---- parsing ----

ProfileText::ProfileText(std::string text) : text_(std::move(text)) { Parse(); }

std::string_view ProfileText::Content(const Line& line) const {
  const std::string& store = line.inExtra ? extra_ : text_;
  return std::string_view(store).substr(line.off, line.len);
}

std::string_view ProfileText::Name(const Line& line) const {
  return Content(line).substr(line.nameOff, line.nameLen);
}

std::string_view ProfileText::Value(const Line& line) const {
  return Content(line).substr(line.valueOff, line.valueLen);
}

void ProfileText::Classify(Line& line) const {
  const std::string_view c = Content(line);
  const auto trim = [&](size_t b, size_t e, uint32_t& off, uint32_t& len) {
    while (b < e && IsBlank(c[b])) ++b;
    while (e > b && IsBlank(c[e - 1])) --e;
    off = static_cast<uint32_t>(b);
    len = static_cast<uint32_t>(e - b);
  };
  size_t b = 0;
  while (b < c.size() && IsBlank(c[b])) ++b;
  line.nameOff = line.nameLen = line.valueOff = line.valueLen = 0;
  if (b == c.size()) {
    line.kind = Kind::Blank;
  } else if (c[b] == '[') {
    // The name runs to the first ']' or to the end of the line.
    size_t e = c.find(']', b + 1);
    if (e == c.npos) e = c.size();
    line.kind = Kind::Section;
    trim(b + 1, e, line.nameOff, line.nameLen);
  } else if (c[b] == ';') {
    line.kind = Kind::Comment;
  } else if (size_t eq = c.find('=', b); eq == c.npos) {
    line.kind = Kind::Bare;
    trim(b, c.size(), line.nameOff, line.nameLen);
  } else {
    line.kind = Kind::Key;
    trim(b, eq, line.nameOff, line.nameLen);
    // A reader sees the value up to a NUL byte.
    size_t end = c.find('\0', eq + 1);
    trim(eq + 1, end == c.npos ? c.size() : end, line.valueOff, line.valueLen);
  }
}

void ProfileText::Parse() {
  lines_.clear();
  sections_.clear();
  extra_.clear();
  dirty_ = false;
  first_ = lastLine_ = -1;
  const std::string& t = text_;
  const size_t n = t.size();
  size_t breaks = 1;
  for (char c : t) breaks += (c == '\n' || c == '\r');
  lines_.reserve(breaks);
  int32_t current = -1;
  size_t keys = 0;
  for (size_t i = 0; i < n;) {
    const size_t start = i;
    while (i < n && t[i] != '\r' && t[i] != '\n') ++i;
    Line line;
    line.off = static_cast<uint32_t>(start);
    line.len = static_cast<uint32_t>(i - start);
    if (i < n) {
      if (t[i] == '\n') {
        line.eol = kEolLf;
        ++i;
      } else if (i + 1 < n && t[i + 1] == '\n') {
        line.eol = kEolCrLf;
        i += 2;
      } else {
        line.eol = kEolCr;
        ++i;
      }
    }
    Classify(line);
    const auto id = static_cast<int32_t>(lines_.size());
    if (line.kind == Kind::Section) {
      sections_.push_back({id, id});
      current = static_cast<int32_t>(sections_.size()) - 1;
    } else if ((line.kind == Kind::Key || line.kind == Kind::Bare) && current >= 0) {
      sections_[current].last = id;
      if (line.kind == Kind::Key) ++keys;
    }
    line.section = current;
    line.prev = lastLine_;
    if (lastLine_ >= 0) lines_[lastLine_].next = id;
    if (first_ < 0) first_ = id;
    lastLine_ = id;
    lines_.push_back(line);
  }
  sectionIndex_.Reset(sections_.size());
  keyIndex_.Reset(keys);
  for (int32_t id = first_; id >= 0; id = lines_[id].next) IndexLine(id);
}

// Enters a section header or key line into the index unless an earlier one
// of the same name is there already.
void ProfileText::IndexLine(int32_t id) {
  const Line& line = lines_[id];
  const std::string_view name = Name(line);
  if (line.kind == Kind::Section) {
    sectionIndex_.InsertFirst(FoldHash(name, 0), line.section, [&](int32_t s) {
      return FoldEq(Name(lines_[sections_[s].header]), name);
    });
  } else if (line.kind == Kind::Key && line.section >= 0) {
    const int32_t section = line.section;
    keyIndex_.InsertFirst(
        FoldHash(name, static_cast<uint64_t>(section) + 1), id, [&](int32_t other) {
          return lines_[other].section == section && FoldEq(Name(lines_[other]), name);
        });
  }
}

int32_t ProfileText::FindSection(std::string_view name) const {
  return sectionIndex_.Find(FoldHash(name, 0), [&](int32_t s) {
    return FoldEq(Name(lines_[sections_[s].header]), name);
  });
}

int32_t ProfileText::FindKey(int32_t section, std::string_view name) const {
  return keyIndex_.Find(FoldHash(name, static_cast<uint64_t>(section) + 1), [&](int32_t id) {
    return lines_[id].section == section && FoldEq(Name(lines_[id]), name);
  });
}

const std::string& ProfileText::Text() const {
  if (dirty_) {
    std::string out;
    out.reserve(text_.size() + extra_.size());
    for (int32_t id = first_; id >= 0; id = lines_[id].next) {
      Line& line = lines_[id];
      const size_t off = out.size();
      out.append(Content(line));
      out.append(kEolText[line.eol]);
      line.off = static_cast<uint32_t>(off);
      line.inExtra = false;
    }
    text_.swap(out);
    extra_.clear();
    dirty_ = false;
  }
  return text_;
}

// ---- reading ----

std::string ProfileText::GetString(std::string_view section, std::string_view key,
                                   std::string_view def, size_t bufSize) const {
  const int32_t s = FindSection(StripSpaces(section));
  const int32_t id = s < 0 ? -1 : FindKey(s, StripSpaces(key));
  if (id < 0) {
    while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
    return Truncated(def, bufSize);
  }
  std::string_view v = Value(lines_[id]);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return Truncated(v, bufSize);
}

bool ProfileText::HasKey(std::string_view section, std::string_view key) const {
  const int32_t s = FindSection(StripSpaces(section));
  return s >= 0 && FindKey(s, StripSpaces(key)) >= 0;
}

bool ProfileText::HasSection(std::string_view section) const {
  return FindSection(StripSpaces(section)) >= 0;
}

ProfileText::Listing ProfileText::KeyList(std::string_view section, size_t bufSize) const {
  std::string list;
  if (const int32_t s = FindSection(StripSpaces(section)); s >= 0) {
    for (int32_t id = lines_[sections_[s].header].next; id >= 0 && lines_[id].kind != Kind::Section;
         id = lines_[id].next) {
      // An empty name would end the list for every reader: it is left out.
      if (lines_[id].kind == Kind::Key && lines_[id].nameLen > 0) {
        list.append(Name(lines_[id]));
        list.push_back('\0');
      }
    }
  }
  return MakeListing(std::move(list), bufSize);
}

ProfileText::Listing ProfileText::SectionList(size_t bufSize) const {
  std::string list;
  for (const Section& s : sections_) {
    const Line& header = lines_[s.header];
    if (header.kind != Kind::Section || header.nameLen == 0) continue;
    list.append(Name(header));
    list.push_back('\0');
  }
  return MakeListing(std::move(list), bufSize);
}

ProfileText::Listing ProfileText::SectionData(std::string_view section, size_t bufSize) const {
  std::string list;
  if (const int32_t s = FindSection(StripSpaces(section)); s >= 0) {
    for (int32_t id = lines_[sections_[s].header].next; id >= 0 && lines_[id].kind != Kind::Section;
         id = lines_[id].next) {
      const Line& line = lines_[id];
      if (line.kind != Kind::Key && line.kind != Kind::Bare) continue;
      list.append(Name(line));
      if (line.kind == Kind::Key) {
        list.push_back('=');
        list.append(Value(line));
      }
      list.push_back('\0');
    }
  }
  return MakeListing(std::move(list), bufSize);
}

std::vector<std::string> ProfileText::Split(const Listing& listing) {
  std::vector<std::string> names;
  const std::string_view all = std::string_view(listing.bytes).substr(0, listing.ret);
  size_t pos = 0;
  while (pos < all.size()) {
    size_t end = all.find('\0', pos);
    if (end == all.npos) end = all.size();
    if (end == pos) break;
    names.emplace_back(all.substr(pos, end - pos));
    pos = end + 1;
  }
  return names;
}

namespace {

// The names of a whole list that a buffer of bufSize bytes holds uncut.
std::vector<std::string> WholeNames(const ProfileText::Listing& full, size_t bufSize) {
  std::vector<std::string> names;
  if (bufSize < 3) return names;
  size_t pos = 0;
  for (std::string& name : ProfileText::Split(full)) {
    if (pos + name.size() > bufSize - 2) break;
    pos += name.size() + 1;
    names.push_back(std::move(name));
  }
  return names;
}

constexpr size_t kWholeList = SIZE_MAX;

}  // namespace

std::vector<std::string> ProfileText::KeyNames(std::string_view section, size_t bufSize) const {
  return WholeNames(KeyList(section, kWholeList), bufSize);
}

std::vector<std::string> ProfileText::SectionNames(size_t bufSize) const {
  return WholeNames(SectionList(kWholeList), bufSize);
}

std::vector<std::string> ProfileText::SectionLines(std::string_view section, size_t bufSize) const {
  return WholeNames(SectionData(section, kWholeList), bufSize);
}

}  // namespace w95
