#include "explorer/live_folder.h"

#include "explorer/names.h"

namespace w95::explorer {

void ChangeGate::Changed(uint32_t now) {
  if (!pending_) first_ = now;
  pending_ = true;
  last_ = now;
}

bool ChangeGate::Due(uint32_t now) const {
  return pending_ && (now - last_ >= kQuiet || now - first_ >= kLongest);
}

void LiveFolder::Watch(platform::FileSystem& files, const std::string& folder) {
  if (watch_ && !watch_->Lost() && LowerAZ(folder) == LowerAZ(folder_)) return;
  Stop();
  folder_ = folder;
  watch_ = files.WatchFolder(folder);
}

void LiveFolder::Stop() {
  watch_.reset();
  gate_.Clear();
}

bool LiveFolder::Poll(uint32_t now) {
  if (watch_ && watch_->Changed()) gate_.Changed(now);
  return gate_.Due(now);
}

void LiveFolder::Read(platform::FileSystem& files) {
  gate_.Clear();
  if (watch_ && watch_->Lost()) watch_ = files.WatchFolder(folder_);
}

}  // namespace w95::explorer
