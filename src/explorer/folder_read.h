// A reading of the folder on show that has not ended yet: what it read so
// far and how the list stood when it last showed it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "explorer/listing.h"
#include "platform/platform.h"
#include "ui/control.h"

namespace w95::explorer {

struct FolderRead {
  FolderRead(std::vector<std::string> patterns, ListOptions options)
      : listing(std::move(patterns), options) {}

  std::unique_ptr<platform::FolderReading> job;
  ListingBuilder listing;
  // The list shows the entries as they come; else the list shown stays
  // until the reading ends and `done` gets the whole listing.
  bool streaming = false;
  std::function<void(Listing)> done;

  uint32_t startedAt = 0;  // when the reading began
  // Entries read when the list was last filled, and when that was.
  size_t shownRead = 0;
  uint32_t shownAt = 0;
  // While the user has not moved in the list since it was last filled, it
  // points at its first entry, as a list read at once does; the marks are
  // how it stood then.
  bool pointing = true;
  int markIndex = -1;
  int markTop = 0;
  int markSelected = 0;
  std::string boxSet;  // what the name box was last given, "" at first
  // The control that had the focus when the reading started: the list takes
  // the focus once it has entries, unless the user has gone elsewhere.
  ui::Control* focusAtStart = nullptr;
  bool focused = false;
};

}  // namespace w95::explorer
