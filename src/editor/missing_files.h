// Slides whose file is not there: the check that finds them a slice at a
// time (the window keeps answering while a long script on a slow drive is
// checked), and the search that finds such files again in a folder.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/platform.h"

namespace w95::editor {

class MissingCheck {
 public:
  // A folder with at least this many of the paths is listed once instead of
  // asking for each file. Under Wine a search of a folder costs as much as
  // asking for some twenty files, and each entry listed nearly as much as a
  // file asked for: only folders of many slides gain.
  static constexpr size_t kListFrom = 64;

  explicit MissingCheck(platform::FileSystem& files, size_t listFrom = kListFrom)
      : files_(files), listFrom_(listFrom) {}

  // Starts over with these paths (any case; duplicates and empty ones are
  // ignored); a check under way is dropped.
  void Start(const std::vector<std::string>& paths);
  void Cancel();
  bool Running() const { return running_; }
  // Does at most `budget` units of work: one per file asked for or drive
  // probed, one per 64 entries of a listed folder. True when the check has
  // ended (now or before).
  bool Step(int budget);
  // Checks to the end at once.
  void RunToEnd() {
    while (!Step(1 << 20)) {}
  }

  // The paths not there (lower case), as the last check that ran to its
  // end and looked at them found.
  const std::unordered_set<std::string>& Missing() const { return missing_; }
  bool IsMissing(const std::string& path) const;
  // Checks run to their end so far.
  unsigned Finished() const { return finished_; }

 private:
  struct Folder {
    std::string path;                // with its trailing "\", lower case
    std::vector<std::string> names;  // of the files looked for, lower case
  };
  struct Drive {
    char letter = 0;  // upper case; 0 for paths without a drive letter
    std::vector<Folder> folders;
  };
  // Checks one folder's files; the units it cost.
  int CheckFolder(const Folder& folder);
  void MarkAll(const Folder& folder);

  platform::FileSystem& files_;
  size_t listFrom_;
  bool running_ = false;
  std::vector<Drive> drives_;
  size_t drive_ = 0;   // the drive being checked
  size_t folder_ = 0;  // its next folder; 0 before the drive is probed
  bool probed_ = false;
  std::string letters_;  // the machine's drives, read once per check
  bool lettersRead_ = false;
  std::unordered_set<std::string> found_;  // missing so far in this check
  std::unordered_set<std::string> missing_;
  unsigned finished_ = 0;
};

// Where files of these long names are (any case): in `folder` or the
// folders below it, down to `depth` levels and at most `maxFolders` folders
// listed; the nearest one wins, then the first in directory order. Keyed by
// the lower-case name; names not found have no entry.
std::unordered_map<std::string, std::string> FindByName(platform::FileSystem& files,
                                                        const std::string& folder,
                                                        const std::vector<std::string>& names,
                                                        int depth = 2, size_t maxFolders = 500);

// "Not found: a.bmp, b.bmp" lists for the relink report: at most `max`
// names, then "and N more".
std::string NameList(const std::vector<std::string>& names, size_t max);

}  // namespace w95::editor
