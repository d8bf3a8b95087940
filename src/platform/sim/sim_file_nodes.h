// The simulated file system's entries, shared by its two source files.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page_text.h"
#include "platform/sim/dos_names.h"
#include "platform/sim/sim_files.h"

namespace w95::platform::sim {

struct SimFileSystem::Node {
  std::string name;   // UTF-8
  std::string alias;  // empty when the name is already 8.3
  uint32_t attributes = kAttrArchive;
  std::string data;
  uint64_t writeTime = 0;
  Node* parent = nullptr;
  std::vector<std::unique_ptr<Node>> children;  // ordered by upper-case name

  bool IsDir() const { return (attributes & kAttrDirectory) != 0; }
  Node* Child(std::string_view n) const {
    for (const auto& c : children)
      if (SameName(c->name, n) || (!c->alias.empty() && SameName(c->alias, n))) return c.get();
    return nullptr;
  }
  // The entry as a search reports it (see FindData): names in UTF-8 here,
  // in the code page there.
  FindData Entry(std::string shownName) const {
    FindData d;
    d.longName = shownName;
    if (auto exact = CodePageFromUtf8(shownName)) {
      d.name = std::move(*exact);
      d.alternate = alias;
    } else if (!alias.empty()) {
      d.name = alias;
    } else {
      d.name = CodePageOrMarksFromUtf8(shownName);
      d.nameless = true;
    }
    d.attributes = attributes == 0 ? kAttrNormal : attributes;
    d.size = IsDir() ? 0 : data.size();
    d.writeTime = writeTime;
    return d;
  }
  bool Contains(const Node* other) const {
    for (; other; other = other->parent)
      if (other == this) return true;
    return false;
  }
};

struct SimFileSystem::Drive {
  bool ready = true;
  unsigned type = 3;
  uint64_t free = 1ull << 30;
  bool shortNames = true;  // false: a volume that makes no 8.3 aliases
  bool writeProtected = false;
  std::string label;
  Node root;
};

// Where a path leads: its drive, the folder that holds (or would hold) its
// last component, and the entry itself when it exists.
struct SimFileSystem::Where {
  Drive* drive = nullptr;
  Node* folder = nullptr;
  Node* node = nullptr;
  std::string name;
  uint32_t error = 0;
};

}  // namespace w95::platform::sim
