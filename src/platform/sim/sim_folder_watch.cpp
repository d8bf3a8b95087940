// The simulated file system's folder watches: a flag per watch, raised by
// every change of the folder's entries.
#include <algorithm>
#include <utility>

#include "platform/sim/sim_file_nodes.h"

namespace w95::platform::sim {

class SimFileSystem::Watch final : public FolderWatch {
 public:
  Watch(SimFileSystem& fs, const Node& folder, const Drive& drive, std::string path)
      : fs_(&fs), folder_(&folder), drive_(&drive), path_(std::move(path)) {
    fs.watches_.push_back(this);
  }
  ~Watch() override { Forget(); }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  bool Changed() override { return std::exchange(changed_, false); }
  bool Lost() const override { return lost_; }

  // The file system goes first, or the watch breaks.
  void Forget() {
    if (!fs_) return;
    auto& all = fs_->watches_;
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    fs_ = nullptr;
    folder_ = nullptr;
    drive_ = nullptr;
  }
  void Lose() {
    changed_ = true;
    lost_ = true;
    Forget();
  }

  SimFileSystem* fs_;
  const Node* folder_;
  const Drive* drive_;
  std::string path_;
  bool changed_ = false;
  bool lost_ = false;
};

SimFileSystem::~SimFileSystem() {
  while (!watches_.empty()) watches_.back()->Lose();
}

std::unique_ptr<FolderWatch> SimFileSystem::WatchFolder(const std::string& folder) {
  Where w = Locate(folder);
  if (w.error || !w.node) return Fail(w.error ? w.error : kErrPathNotFound), nullptr;
  if (!w.node->IsDir()) return Fail(kErrDirectory), nullptr;
  Succeed();
  ++watchesMade;
  return std::make_unique<Watch>(*this, *w.node, *w.drive, folder);
}

std::vector<std::string> SimFileSystem::WatchedFolders() const {
  std::vector<std::string> out;
  for (const Watch* w : watches_) out.push_back(w->path_);
  return out;
}

void SimFileSystem::Touched(const Node* folder, const Node* moved) {
  for (Watch* w : watches_)
    if (w->folder_ == folder || (moved && moved->Contains(w->folder_))) w->changed_ = true;
}

void SimFileSystem::LoseWatches(const Drive& drive) {
  for (size_t i = watches_.size(); i-- > 0;)
    if (watches_[i]->drive_ == &drive) watches_[i]->Lose();
}

}  // namespace w95::platform::sim
