// The simulated file system's changes: writes, deletes, moves, folders,
// attributes.
#include <algorithm>

#include "platform/sim/sim_file_nodes.h"

namespace w95::platform::sim {

class SimOutput final : public OutputFile {
 public:
  SimOutput(SimFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
  bool Write(std::string_view data) override {
    auto w = fs_.Locate(path_);
    if (w.error || !w.node) return fs_.Fail(w.error ? w.error : kErrFileNotFound);
    return fs_.Store(*w.node, *w.drive, w.node->data + std::string(data));
  }
  bool Close() override { return true; }

 private:
  SimFileSystem& fs_;
  std::string path_;
};

bool SimFileSystem::Store(Node& node, Drive& drive, const std::string& data) {
  if (data.size() > node.data.size() && data.size() - node.data.size() > drive.free)
    return Fail(kErrDiskFull);
  drive.free = drive.free + node.data.size() - data.size();
  node.data = data;
  node.attributes |= kAttrArchive;
  node.writeTime = clock;
  return Succeed();
}

bool SimFileSystem::DeleteFile(const std::string& path) {
  Where w = Locate(path);
  if (w.error || !w.node) return Fail(w.error ? w.error : kErrFileNotFound);
  if (w.node->IsDir() || (w.node->attributes & kAttrReadOnly)) return Fail(kErrAccessDenied);
  w.drive->free += w.node->data.size();
  Detach(*w.node);
  return Succeed();
}

bool SimFileSystem::MoveFile(const std::string& from, const std::string& to) {
  Where src = Locate(from);
  if (src.error || !src.node) return Fail(src.error ? src.error : kErrFileNotFound);
  if (!src.folder) return Fail(kErrAccessDenied);  // a drive root
  Where dst = Locate(to);
  if (dst.error || !dst.folder) return Fail(dst.error ? dst.error : kErrPathNotFound);
  if (dst.node && dst.node != src.node) return Fail(kErrAlreadyExists);
  if (src.node->Contains(dst.folder)) return Fail(kErrAccessDenied);
  if (src.drive != dst.drive) {
    if (src.node->IsDir()) return Fail(kErrNotSameDevice);
    if (src.node->data.size() > dst.drive->free) return Fail(kErrDiskFull);
    dst.drive->free -= src.node->data.size();
    src.drive->free += src.node->data.size();
  }
  std::unique_ptr<Node> node = Detach(*src.node);
  NameNode(*dst.folder, *node, dst.name);
  Insert(*dst.folder, std::move(node));
  return Succeed();
}

bool SimFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
  Where src = Locate(from);
  if (src.error || !src.node) return Fail(src.error ? src.error : kErrFileNotFound);
  Where dst = Locate(to);
  if (dst.node && dst.node != src.node) {
    if (dst.node->IsDir() || src.node->IsDir() || (dst.node->attributes & kAttrReadOnly))
      return Fail(kErrAccessDenied);
    if (!DeleteFile(to)) return false;
  }
  return MoveFile(from, to);
}

bool SimFileSystem::CreateDirectory(const std::string& path) {
  Where w = Locate(path);
  if (w.error) return Fail(w.error);
  if (w.node) return Fail(kErrAlreadyExists);
  if (w.drive->writeProtected) return Fail(kErrAccessDenied);
  auto n = std::make_unique<Node>();
  n->attributes = kAttrDirectory;
  n->writeTime = clock;
  NameNode(*w.folder, *n, w.name);
  Insert(*w.folder, std::move(n));
  return Succeed();
}

bool SimFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  Where w = Locate(path);
  if (w.error || !w.node) return Fail(w.error ? w.error : kErrFileNotFound);
  w.node->attributes =
      (attributes & ~(kAttrNormal | kAttrDirectory)) | (w.node->attributes & kAttrDirectory);
  return Succeed();
}

std::optional<std::string> SimFileSystem::ReadFile(const std::string& path) {
  Where w = Locate(path);
  if (w.error || !w.node) return Fail(w.error ? w.error : kErrFileNotFound), std::nullopt;
  if (w.node->IsDir()) return Fail(kErrAccessDenied), std::nullopt;
  Succeed();
  return w.node->data;
}

bool SimFileSystem::WriteFile(const std::string& path, const std::string& data) {
  Where w = Locate(path);
  if (w.error) return Fail(w.error);
  if (!w.folder) return Fail(kErrAccessDenied);  // a drive root
  Node* node = w.node;
  if (node && (node->IsDir() || (node->attributes & kAttrReadOnly))) return Fail(kErrAccessDenied);
  if (!node) {
    if (data.size() > w.drive->free) return Fail(kErrDiskFull);
    auto n = std::make_unique<Node>();
    NameNode(*w.folder, *n, w.name);
    node = Insert(*w.folder, std::move(n));
  }
  return Store(*node, *w.drive, data);
}

std::unique_ptr<OutputFile> SimFileSystem::CreateOutput(const std::string& path) {
  if (!WriteFile(path, std::string())) return nullptr;
  return std::make_unique<SimOutput>(*this, FullPath(path));
}

}  // namespace w95::platform::sim
