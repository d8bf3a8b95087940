#include "explorer/listing.h"

#include <algorithm>

#include "explorer/names.h"

namespace w95::explorer {

namespace {
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

std::vector<std::string> SplitPatterns(std::string_view patterns) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= patterns.size()) {
    const size_t semi = patterns.find(';', start);
    const size_t end = semi == std::string_view::npos ? patterns.size() : semi;
    if (end > start) out.emplace_back(patterns.substr(start, end - start));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return out;
}

std::vector<std::string> SearchPatterns(std::string_view fileMask) {
  if (fileMask == "*.*") return {"*.???"};
  return SplitPatterns(fileMask);
}

namespace {
bool Matches(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  const char p = pattern[0];
  const std::string_view rest = pattern.substr(1);
  if (p == '*') {
    // Before a plain letter only the places holding that letter can match.
    const bool literal = !rest.empty() && rest[0] != '*' && rest[0] != '?';
    for (size_t i = 0; i <= name.size(); ++i) {
      if (literal && (i == name.size() || Fold(name[i]) != Fold(rest[0]))) continue;
      if (Matches(name.substr(i), rest)) return true;
    }
    return false;
  }
  if (p == '?') {
    if (name.empty() || name[0] == '.') return Matches(name, rest);
    return Matches(name.substr(1), rest);
  }
  if (name.empty() || Fold(name[0]) != Fold(p)) return false;
  return Matches(name.substr(1), rest);
}
}  // namespace

bool MatchesMask(std::string_view name, std::string_view pattern) {
  // A name without extension meets a pattern's "." at its end.
  if (name.find('.') == std::string_view::npos && pattern.find('.') != std::string_view::npos)
    return Matches(std::string(name) + ".", pattern);
  return Matches(name, pattern);
}

bool ListLess(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(Fold(a[i]));
    const auto cb = static_cast<unsigned char>(Fold(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

Listing BuildListing(const std::vector<FoundEntry>& files, const std::vector<FoundEntry>& all,
                     const ListOptions& options) {
  std::vector<std::string> names;
  names.reserve(files.size());
  for (const FoundEntry& f : files)
    if (!f.directory && !f.system) names.push_back(options.lowercase ? LowerAZ(f.name) : f.name);
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return ListLess(a, b); });

  Listing out;
  std::vector<std::string> folders;
  for (const FoundEntry& f : all) {
    if (!f.directory) continue;
    if (!f.name.empty() && f.name[0] == '.') {
      out.hasParent = true;
      continue;
    }
    folders.push_back(LowerAZ(f.name) + "\\");
  }
  std::stable_sort(folders.begin(), folders.end(),
                   [](const std::string& a, const std::string& b) { return ListLess(a, b); });

  out.entries.reserve(names.size() + folders.size());
  auto add = [&](std::vector<std::string>& part, bool isFolder) {
    for (auto& s : part) out.entries.push_back(std::move(s));
    out.folder.insert(out.folder.end(), part.size(), isFolder);
  };
  if (options.foldersLast) {
    add(names, false);
    add(folders, true);
  } else {
    add(folders, true);
    add(names, false);
  }
  return out;
}

ColumnLayout CalcColumns(const std::vector<std::string>& entries,
                         const std::function<int(const std::string&)>& textWidth, int listWidth) {
  int widest = 60;
  for (const auto& e : entries) widest = std::max(widest, textWidth(e));
  return ColumnsFor(widest, textWidth("WW"), listWidth);
}

ColumnLayout ColumnsFor(int widest, int wwWidth, int listWidth) {
  ColumnLayout c;
  c.columnWidth = wwWidth + std::max(60, widest);
  c.columns = c.columnWidth > 0 ? std::max(1, listWidth / c.columnWidth) : 1;
  return c;
}

int ChosenEntry(const std::vector<std::string>& entries, const std::vector<bool>& folder,
                const std::vector<bool>& selected, const std::string& boxText) {
  const size_t n = std::min({entries.size(), folder.size(), selected.size()});
  int first = -1;
  for (size_t i = 0; i < n; ++i) {
    if (!selected[i] || folder[i]) continue;
    if (!boxText.empty() && entries[i] == boxText) return static_cast<int>(i);
    if (first < 0) first = static_cast<int>(i);
  }
  return first;
}

Reselection ReselectByName(const std::vector<std::string>& entries,
                           const std::vector<std::string>& selected, const std::string& current) {
  Reselection r;
  r.selected.assign(entries.size(), false);
  std::vector<std::string> wanted = selected;
  std::sort(wanted.begin(), wanted.end());
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!std::binary_search(wanted.begin(), wanted.end(), entries[i])) continue;
    r.selected[i] = true;
    if (r.current < 0) r.current = static_cast<int>(i);
  }
  if (!current.empty() && r.current >= 0) {
    const auto at = std::find(entries.begin(), entries.end(), current);
    if (at != entries.end() && r.selected[static_cast<size_t>(at - entries.begin())])
      r.current = static_cast<int>(at - entries.begin());
  }
  return r;
}

}  // namespace w95::explorer
