// The order and layout of the explorer's file list: which patterns are
// searched, how files and folders are named and placed, and the columns.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace w95::explorer {

// The patterns searched for a file mask, in order; "*.*" becomes "*.???", so
// that only files whose extension has at most three characters are listed.
std::vector<std::string> SearchPatterns(std::string_view fileMask);
// The patterns of a list separated by ";" (a typed filter: "*.*" lists
// every file).
std::vector<std::string> SplitPatterns(std::string_view patterns);

// Whether a file's long name matches a pattern, as the list decides it: a
// file is listed for the name the user sees, never for its 8.3 alias
// ("photo.jpeg" is not listed under "*.jpg", although the system's own search
// would find it as PHOTO~1.JPG). Letters match without regard to case; "*" matches any run
// of characters; "?" one character other than ".", or none at the end of
// the name or before a "."; a name without extension is matched as if it
// ended in ".".
bool MatchesMask(std::string_view name, std::string_view pattern);

// The list's collation: byte order with A to Z folded to lower case.
bool ListLess(std::string_view a, std::string_view b);

struct ListOptions {
  bool lowercase = true;     // "&Lowercase"
  bool foldersLast = false;  // "Folders &after files"
};

// One found directory entry, as the list needs it.
struct FoundEntry {
  std::string name;
  bool directory = false;
  bool system = false;
  uint64_t size = 0;
  uint64_t writeTime = 0;  // FILETIME ticks
};

struct Listing {
  std::vector<std::string> entries;  // in list order
  std::vector<bool> folder;          // per entry
  std::vector<uint64_t> size;        // per entry
  std::vector<uint64_t> writeTime;   // per entry
  bool hasParent = false;            // a "." or ".." entry was found
};

// The list of one folder: `files` holds what the patterns found (in search
// order, duplicates possible), `all` what "*.*" found. Files (neither folder
// nor system) come sorted; folders, lower-cased and ending in "\", stay
// together before the files, or after them.
Listing BuildListing(const std::vector<FoundEntry>& files, const std::vector<FoundEntry>& all,
                     const ListOptions& options);

// A folder's listing put together as its entries are read: each entry is
// matched against the patterns once, as it comes (a file that two patterns
// match is listed twice, as two searches would list it), and what came is
// kept in list order as it comes, so that no step sorts the whole folder.
// Build gives what BuildListing gives for everything added so far.
class ListingBuilder {
 public:
  ListingBuilder(std::vector<std::string> patterns, ListOptions options);
  void Add(FoundEntry entry);
  // How many entries were added.
  size_t Read() const { return read_; }
  // Puts what was added since into list order (Build does it too): a step
  // in proportion to what is already sorted, never a sort of it all.
  void Settle();
  Listing Build();
  // The listing, the last time: what the builder holds moves into it and
  // the builder is left empty.
  Listing TakeListing();

 private:
  // Patterns of the form "*.ext" (no other "*" or ".") decide by the
  // extension alone: how many of them match is kept per extension seen.
  std::vector<std::string> byExtension_, others_;
  std::unordered_map<std::string, int> matchesOfExtension_;
  ListOptions options_;
  size_t read_ = 0;
  // What came since the last Settle, under the names it is listed by, in
  // the order it came. Kept from one step to the next (memory used before
  // is quick to use again).
  struct Came {
    std::string name;
    uint64_t size = 0, writeTime = 0;
  };
  std::vector<Came> cameFiles_, cameFolders_;
  // The files and the folders in list order, by the names they are listed
  // under, as the listing holds them: the last listing takes the larger of
  // them whole rather than as a copy.
  struct Part {
    std::vector<std::string> names;
    std::vector<uint64_t> size, writeTime;
  };
  Part files_, folders_;
  bool hasParent_ = false;
};

// While a folder is read: whether the entries read since the list was last
// filled (`waiting`, with `shown` read before) go on show now, `sinceShown`
// milliseconds after it was and `sinceStart` after the reading began. The
// first at once from a drive that reads slowly; a drive that has read
// thousands at a fast pace is given a little longer (150 ms)
// to end, so that a folder of some thousands of files fills its list once. Then after a while that
// grows with the list (each filling costs in proportion to it), so that a large folder on a fast
// drive is filled once or twice before its end while a slow one still shows its entries as they
// come.
bool ShowReadEntries(size_t shown, size_t waiting, uint32_t sinceShown, uint32_t sinceStart);

// ---- The details view: its columns and their sort orders.

enum class SortKey { Name = 0, Size = 1, Type = 2, Date = 3 };
inline constexpr int kDetailColumns = 4;
struct SortOrder {
  SortKey key = SortKey::Name;
  bool descending = false;
  bool operator==(const SortOrder&) const = default;
};
// A click on a column's header: the column sorted ascending, or the sorted
// column the other way round.
SortOrder NextSort(SortOrder current, int column);
// The stored choice ("ExpSort" 0 to 3, "ExpSortDesc" 1 or 0); anything out
// of range is the name column, ascending.
SortOrder SortOrderFrom(int32_t key, int32_t descending);

// The order in which the details view shows a listing, as indices into it:
// folders stay together where the listing has them (before the files, or
// after them), each group sorted by the key; equal keys go by name, equal
// names keep their listing order. `type` gives the type text of an entry
// (asked only when sorting by type).
std::vector<size_t> DetailsOrder(const Listing& listing, SortOrder order,
                                 const std::function<const std::string&(size_t)>& type);
// The listing's entries in that order.
Listing Reordered(const Listing& listing, const std::vector<size_t>& order);

// The size column: kilobytes rounded up, with thousands separated ("0 KB",
// "1 KB", "1,234 KB"); empty for a folder.
std::string SizeText(uint64_t bytes, bool folder);

// The entry that a request for one file names (open, information, preview,
// delete, rename) in a list with multiple selection: the entry whose text is
// in the name box while it is still selected, else the first selected file,
// else -1. A file the user has deselected is never named.
int ChosenEntry(const std::vector<std::string>& entries, const std::vector<bool>& folder,
                const std::vector<bool>& selected, const std::string& boxText);

// The selection after the list was read again: `selected` names the entries
// that were selected, `current` the current one. Each still listed is
// selected again; the current entry is the old current one if it is
// selected again, else the first entry selected again, else -1 (nothing of
// the selection is left).
struct Reselection {
  std::vector<bool> selected;  // per entry of the new list
  int current = -1;
};
Reselection ReselectByName(const std::vector<std::string>& entries,
                           const std::vector<std::string>& selected, const std::string& current);

struct ColumnLayout {
  int columnWidth = 0;
  int columns = 1;
};
// Column width := width of "WW" + the widest entry (at least 60); columns :=
// list width / column width, at least 1.
ColumnLayout ColumnsFor(int widest, int wwWidth, int listWidth);
ColumnLayout CalcColumns(const std::vector<std::string>& entries,
                         const std::function<int(const std::string&)>& textWidth, int listWidth);

}  // namespace w95::explorer
