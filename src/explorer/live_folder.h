// Keeping the list of the folder on show current: a watch on the folder,
// and a gate that turns its many signals into few readings.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace w95::explorer {

// Changes gathered into one reading of the folder: each change restarts a
// short quiet time, and the folder is read once it has passed without
// another; a folder that never falls quiet is still read once its oldest
// unread change is kLongest old. Times in milliseconds of any clock that
// may wrap around.
class ChangeGate {
 public:
  static constexpr uint32_t kQuiet = 250;
  static constexpr uint32_t kLongest = 1000;

  void Changed(uint32_t now);
  bool Pending() const { return pending_; }
  // The folder should be read now.
  bool Due(uint32_t now) const;
  void Clear() { pending_ = false; }

 private:
  bool pending_ = false;
  uint32_t first_ = 0;
  uint32_t last_ = 0;
};

// The watch on the folder shown and its gate.
class LiveFolder {
 public:
  // How often the watch is looked at (milliseconds).
  static constexpr unsigned kPoll = 100;

  // Watches `folder` from now on; the folder watched already keeps its
  // watch. Without a watch (the folder cannot be watched) nothing is seen.
  void Watch(platform::FileSystem& files, const std::string& folder);
  void Stop();
  bool Watching() const { return watch_ != nullptr; }
  const std::string& Folder() const { return folder_; }
  // Looks at the watch at `now`: true when the folder should be read again.
  bool Poll(uint32_t now);
  // The folder was read again: changes from now on count anew. A watch that
  // broke is made again when the folder is still there to watch.
  void Read(platform::FileSystem& files);

 private:
  std::unique_ptr<platform::FolderWatch> watch_;
  std::string folder_;
  ChangeGate gate_;
};

}  // namespace w95::explorer
