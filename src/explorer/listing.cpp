#include "explorer/listing.h"

#include <algorithm>
#include <cstddef>

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

namespace {
// The listing of `files` (each an entry of `all` or a copy of one) and `all`.
Listing ListingOf(const std::vector<const FoundEntry*>& files, const std::vector<FoundEntry>& all,
                  const ListOptions& options) {
  struct Item {
    std::string name;
    const FoundEntry* found;
  };
  auto byName = [](const Item& a, const Item& b) { return ListLess(a.name, b.name); };
  std::vector<Item> names;
  names.reserve(files.size());
  for (const FoundEntry* f : files)
    if (!f->directory && !f->system)
      names.push_back({options.lowercase ? LowerAZ(f->name) : f->name, f});
  std::stable_sort(names.begin(), names.end(), byName);

  Listing out;
  std::vector<Item> folders;
  for (const FoundEntry& f : all) {
    if (!f.directory) continue;
    if (!f.name.empty() && f.name[0] == '.') {
      out.hasParent = true;
      continue;
    }
    folders.push_back({LowerAZ(f.name) + "\\", &f});
  }
  std::stable_sort(folders.begin(), folders.end(), byName);

  const size_t total = names.size() + folders.size();
  out.entries.reserve(total);
  out.size.reserve(total);
  out.writeTime.reserve(total);
  auto add = [&](std::vector<Item>& part, bool isFolder) {
    for (auto& s : part) {
      out.entries.push_back(std::move(s.name));
      out.size.push_back(isFolder ? 0 : s.found->size);
      out.writeTime.push_back(s.found->writeTime);
    }
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
}  // namespace

Listing BuildListing(const std::vector<FoundEntry>& files, const std::vector<FoundEntry>& all,
                     const ListOptions& options) {
  std::vector<const FoundEntry*> found;
  found.reserve(files.size());
  for (const FoundEntry& f : files) found.push_back(&f);
  return ListingOf(found, all, options);
}

namespace {
// Entries that came, sorted among themselves, put into their places in a
// part already in list order, each after those it equals: the order a
// stable sort of everything gives. Merged from the end, so that only what
// came is held aside and the part grows where it is.
template <typename Part, typename Came>
void MergeInto(Part& part, std::vector<Came>& came) {
  if (came.empty()) return;
  auto byName = [](const Came& a, const Came& b) { return ListLess(a.name, b.name); };
  // A drive that gives its entries in order needs no sort (nor the sort's
  // room).
  if (!std::is_sorted(came.begin(), came.end(), byName))
    std::stable_sort(came.begin(), came.end(), byName);
  size_t old = part.names.size(), fresh = came.size();
  const size_t total = old + fresh;
  // A long vector that grows is copied whole into memory never used
  // before, which is slow to touch: the sizes and dates grow a step before
  // the names need to, so that no step pays for all three.
  if (total > part.names.capacity() / 4 * 3 && part.size.capacity() <= part.names.capacity()) {
    const size_t ahead = std::max(total, part.names.capacity() * 2);
    part.size.reserve(ahead);
    part.writeTime.reserve(ahead);
  }
  part.names.resize(total);
  part.size.resize(total);
  part.writeTime.resize(total);
  for (size_t out = total; fresh > 0;) {
    --out;
    if (old > 0 && ListLess(came[fresh - 1].name, part.names[old - 1])) {
      --old;
      part.names[out] = std::move(part.names[old]);
      part.size[out] = part.size[old];
      part.writeTime[out] = part.writeTime[old];
    } else {
      --fresh;
      part.names[out] = std::move(came[fresh].name);
      part.size[out] = came[fresh].size;
      part.writeTime[out] = came[fresh].writeTime;
    }
  }
  came.clear();
}
}  // namespace

void ListingBuilder::Settle() {
  MergeInto(files_, cameFiles_);
  MergeInto(folders_, cameFolders_);
}

Listing ListingBuilder::Build() {
  Settle();
  Listing out;
  out.hasParent = hasParent_;
  const size_t total = files_.names.size() + folders_.names.size();
  out.entries.reserve(total);
  out.size.reserve(total);
  out.writeTime.reserve(total);
  out.folder.reserve(total);
  auto add = [&out](const Part& part, bool isFolder) {
    out.entries.insert(out.entries.end(), part.names.begin(), part.names.end());
    out.size.insert(out.size.end(), part.size.begin(), part.size.end());
    out.writeTime.insert(out.writeTime.end(), part.writeTime.begin(), part.writeTime.end());
    out.folder.insert(out.folder.end(), part.names.size(), isFolder);
  };
  add(options_.foldersLast ? files_ : folders_, !options_.foldersLast);
  add(options_.foldersLast ? folders_ : files_, options_.foldersLast);
  return out;
}

Listing ListingBuilder::TakeListing() {
  Settle();
  Listing out;
  out.hasParent = hasParent_;
  // The files move into the listing whole (there are seldom many folders);
  // the folders join them before or after.
  const size_t files = files_.names.size(), folders = folders_.names.size();
  out.entries = std::move(files_.names);
  out.size = std::move(files_.size);
  out.writeTime = std::move(files_.writeTime);
  const auto at = [&](auto& v) { return options_.foldersLast ? v.end() : v.begin(); };
  out.entries.insert(at(out.entries), std::make_move_iterator(folders_.names.begin()),
                     std::make_move_iterator(folders_.names.end()));
  out.size.insert(at(out.size), folders_.size.begin(), folders_.size.end());
  out.writeTime.insert(at(out.writeTime), folders_.writeTime.begin(), folders_.writeTime.end());
  out.folder.assign(files + folders, false);
  std::fill_n(out.folder.begin() + static_cast<std::ptrdiff_t>(options_.foldersLast ? files : 0),
              folders, true);
  *this = ListingBuilder({}, options_);
  return out;
}

ListingBuilder::ListingBuilder(std::vector<std::string> patterns, ListOptions options)
    : options_(options) {
  for (std::string& p : patterns) {
    const bool extension = p.size() >= 2 && p[0] == '*' && p[1] == '.' &&
                           p.find_first_of("*.", 2) == std::string::npos;
    (extension ? byExtension_ : others_).push_back(std::move(p));
  }
}

void ListingBuilder::Add(FoundEntry entry) {
  // A "?" never takes a ".", so "*.ext" can only match from the last "."
  // (a name without one is matched as if it ended in one): the extension
  // decides, and the names of a folder share few.
  int matches = 0;
  if (!byExtension_.empty()) {
    const size_t dot = entry.name.rfind('.');
    const std::string extension =
        LowerAZ(dot == std::string::npos ? std::string() : entry.name.substr(dot + 1));
    const auto known = matchesOfExtension_.find(extension);
    if (known != matchesOfExtension_.end()) {
      matches = known->second;
    } else {
      for (const std::string& pattern : byExtension_)
        if (MatchesMask("." + extension, pattern)) ++matches;
      matchesOfExtension_.emplace(extension, matches);
    }
  }
  for (const std::string& pattern : others_)
    if (MatchesMask(entry.name, pattern)) ++matches;
  ++read_;
  if (entry.directory) {
    if (!entry.name.empty() && entry.name[0] == '.')
      hasParent_ = true;
    else
      cameFolders_.push_back({LowerAZ(entry.name) + "\\", 0, entry.writeTime});
  } else if (!entry.system && matches > 0) {
    // A file two patterns find is listed twice.
    std::string name = options_.lowercase ? LowerAZ(entry.name) : std::move(entry.name);
    for (int k = 1; k < matches; ++k) cameFiles_.push_back({name, entry.size, entry.writeTime});
    cameFiles_.push_back({std::move(name), entry.size, entry.writeTime});
  }
}

bool ShowReadEntries(size_t shown, size_t waiting, uint32_t sinceShown, uint32_t sinceStart) {
  constexpr uint32_t kShowEvery = 200;  // ms, for a list of up to 2,000 entries
  constexpr uint32_t kFastHold = 150;   // ms a fast drive is given to end
  constexpr size_t kFastPerMs = 10;     // entries a millisecond: a fast drive
  constexpr size_t kCheapFill = 1000;   // entries shown at once whatever the drive
  if (waiting == 0) return false;
  if (shown == 0)
    return waiting < kCheapFill || waiting < kFastPerMs * sinceStart || sinceStart >= kFastHold;
  return sinceShown >= kShowEvery * (1 + shown / 2000);
}

SortOrder NextSort(SortOrder current, int column) {
  if (column < 0 || column >= kDetailColumns) return current;
  const auto key = static_cast<SortKey>(column);
  if (key == current.key) return {key, !current.descending};
  return {key, false};
}

SortOrder SortOrderFrom(int32_t key, int32_t descending) {
  if (key < 0 || key >= kDetailColumns) return {};
  return {static_cast<SortKey>(key), descending == 1};
}

std::vector<size_t> DetailsOrder(const Listing& listing, SortOrder order,
                                 const std::function<const std::string&(size_t)>& type) {
  const size_t n = listing.entries.size();
  std::vector<size_t> out(n);
  for (size_t i = 0; i < n; ++i) out[i] = i;
  auto at = [](const std::vector<uint64_t>& v, size_t i) -> uint64_t {
    return i < v.size() ? v[i] : 0;
  };
  auto isFolder = [&](size_t i) { return i < listing.folder.size() && listing.folder[i]; };
  // Types asked once per entry, not once per comparison.
  std::vector<const std::string*> types;
  if (order.key == SortKey::Type) {
    types.resize(n);
    for (size_t i = 0; i < n; ++i) types[i] = &type(i);
  }
  // -1, 0, 1 by the key alone.
  auto keyCompare = [&](size_t a, size_t b) -> int {
    switch (order.key) {
      case SortKey::Name:
        return 0;
      case SortKey::Size: {
        const uint64_t x = at(listing.size, a), y = at(listing.size, b);
        return x < y ? -1 : x > y ? 1 : 0;
      }
      case SortKey::Type:
        return ListLess(*types[a], *types[b]) ? -1 : ListLess(*types[b], *types[a]) ? 1 : 0;
      case SortKey::Date: {
        const uint64_t x = at(listing.writeTime, a), y = at(listing.writeTime, b);
        return x < y ? -1 : x > y ? 1 : 0;
      }
    }
    return 0;
  };
  const bool foldersFirst = n == 0 || isFolder(0) || !isFolder(n - 1);
  std::stable_sort(out.begin(), out.end(), [&](size_t a, size_t b) {
    if (isFolder(a) != isFolder(b)) return isFolder(a) == foldersFirst;
    int c = keyCompare(a, b);
    if (order.descending) c = -c;
    if (c != 0) return c < 0;
    const std::string& x = listing.entries[a];
    const std::string& y = listing.entries[b];
    if (order.key == SortKey::Name && order.descending) return ListLess(y, x);
    return ListLess(x, y);
  });
  return out;
}

Listing Reordered(const Listing& listing, const std::vector<size_t>& order) {
  Listing out;
  out.hasParent = listing.hasParent;
  out.entries.reserve(order.size());
  out.folder.reserve(order.size());
  out.size.reserve(order.size());
  out.writeTime.reserve(order.size());
  for (size_t i : order) {
    out.entries.push_back(listing.entries[i]);
    out.folder.push_back(listing.folder[i]);
    out.size.push_back(i < listing.size.size() ? listing.size[i] : 0);
    out.writeTime.push_back(i < listing.writeTime.size() ? listing.writeTime[i] : 0);
  }
  return out;
}

std::string SizeText(uint64_t bytes, bool folder) {
  if (folder) return {};
  const std::string digits = std::to_string(bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0));
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out + " KB";
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
