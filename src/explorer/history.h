// The Look-in list: the drives, with the path of the current folder spelled
// out below the current drive, and the folder an entry of it leads to.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace w95::explorer {

struct LookInEntry {
  std::string text;
  bool folder = false;  // a folder entry (indent + "\" + name)
  bool glyph = false;   // drives and the current folder carry a glyph
};

struct LookInList {
  std::vector<LookInEntry> entries;
  int selected = -1;
};

// A drive as the Look-in list shows it: "c:", or "c: [LABEL]" with a label.
std::string DriveEntry(char letter, const std::string& label);

// `drives` as the drive box shows them ("c: label"), `driveIndex` the
// current drive's position, `folders` the names from the root down to the
// current folder.
LookInList BuildLookIn(const std::vector<std::string>& drives, int driveIndex,
                       const std::vector<std::string>& folders);

// The folders from the root to `path` ("c:\a\b" gives "a", "b").
std::vector<std::string> FolderChain(const std::string& path);

// Where choosing entry `index` leads: a drive root ("d:\") for a drive entry,
// else the folder built by climbing to the drive above it.
struct LookInTarget {
  bool drive = false;
  char letter = 0;
  std::string path;
};
LookInTarget TargetOf(const std::vector<std::string>& entries, int index);

std::string TrimSpaces(const std::string& s);

// A drive as the Look-in list shows it: its letter, its kind (the system's
// drive type) and its label ("" when not read).
struct DriveFacts {
  char letter = 0;
  unsigned type = 0;
  std::string label;
  bool operator==(const DriveFacts&) const = default;
};

// The drives of `files`, each asked its kind once; labels only of fixed
// drives and RAM disks: a floppy, a CD or a network drive could keep the
// user waiting.
std::vector<DriveFacts> ReadDrives(platform::FileSystem& files);

// The drives of the installed machine as last read. A drive takes a while to
// give its label and every window with a Look-in list wants them, so they are
// read again only when the set of drives changes, another machine is
// installed, or `fresh` asks for it (the user opening the list to see them).
const std::vector<DriveFacts>& KnownDrives(bool fresh = false);

}  // namespace w95::explorer
