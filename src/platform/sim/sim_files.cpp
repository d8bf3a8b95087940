#include "platform/sim/sim_files.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "platform/code_page_text.h"
#include "platform/sim/dos_names.h"
#include "platform/sim/sim_file_nodes.h"

namespace w95::platform::sim {

namespace {

char UpperLetter(char c) { return Upper(std::string(1, c))[0]; }

std::vector<std::string> Components(std::string_view s) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= s.size()) {
    size_t end = s.find('\\', start);
    if (end == std::string_view::npos) end = s.size();
    if (end > start) out.emplace_back(s.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

bool HasWildcards(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

// Windows drops trailing dots and spaces of a name ("file." is "file").
std::string TrimName(std::string s) {
  if (HasWildcards(s)) return s;
  while (!s.empty() && (s.back() == '.' || s.back() == ' ')) s.pop_back();
  return s;
}

std::string Slashes(std::string s) {
  std::replace(s.begin(), s.end(), '/', '\\');
  return s;
}

}  // namespace

SimFileSystem::SimFileSystem() { AddDrive('C'); }

bool SimFileSystem::Fail(uint32_t error) {
  lastError_ = error;
  return false;
}

bool SimFileSystem::Succeed() {
  lastError_ = kErrNone;
  return true;
}

SimFileSystem::Drive* SimFileSystem::DriveOf(char letter) {
  auto it = drives_.find(UpperLetter(letter));
  return it == drives_.end() ? nullptr : it->second.get();
}

void SimFileSystem::AddDrive(char letter, bool ready, unsigned type) {
  letter = UpperLetter(letter);
  if (letter < 'A' || letter > 'Z') throw std::invalid_argument("drive letter");
  auto d = std::make_unique<Drive>();
  d->ready = ready;
  d->type = type ? type : (letter <= 'B' ? 2u : 3u);
  d->root.attributes = kAttrDirectory;
  drives_[letter] = std::move(d);
}

void SimFileSystem::SetDriveReady(char letter, bool ready) {
  Drive* d = DriveOf(letter);
  if (!d) return;
  d->ready = ready;
  if (!ready) LoseWatches(*d);
}

void SimFileSystem::SetWriteProtected(char letter, bool on) {
  if (Drive* d = DriveOf(letter)) d->writeProtected = on;
}

void SimFileSystem::SetVolumeLabel(char letter, const std::string& label) {
  if (Drive* d = DriveOf(letter)) d->label = label;
}

void SimFileSystem::SetFreeSpace(char letter, uint64_t bytes) {
  if (Drive* d = DriveOf(letter)) d->free = bytes;
}

std::string SimFileSystem::FullPath(const std::string& input) {
  const std::string p = Slashes(input);
  if (p.empty()) return Fail(kErrInvalidName), "";
  if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') return p;  // network names are not simulated
  std::string drive = current_.substr(0, 2);
  std::string base;  // folders of the starting directory, below the root
  std::string rest = p;
  if (p.size() >= 2 && p[1] == ':') {
    drive = p.substr(0, 2);
    rest = p.substr(2);
    if (UpperLetter(p[0]) == UpperLetter(current_[0])) {
      base = current_.substr(3);
    } else {
      auto it = driveCurrent_.find(UpperLetter(p[0]));
      if (it != driveCurrent_.end()) base = it->second.substr(3);
    }
  } else {
    base = current_.substr(3);
  }
  if (!rest.empty() && rest[0] == '\\') base.clear();
  std::vector<std::string> parts = Components(base);
  for (std::string& c : Components(rest)) {
    if (c == ".") continue;
    if (c == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    c = TrimName(c);
    if (!c.empty()) parts.push_back(c);
  }
  std::string out = drive + "\\";
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
  if (!parts.empty() && p.back() == '\\') out += "\\";
  return out;
}

SimFileSystem::Where SimFileSystem::Locate(const std::string& path, bool forBuilding) {
  Where w;
  const std::string full = FullPath(path);
  if (full.size() < 3 || full[1] != ':') return w.error = kErrPathNotFound, w;
  w.drive = DriveOf(full[0]);
  if (!w.drive) return w.error = kErrPathNotFound, w;
  if (!w.drive->ready && !forBuilding) return w.error = kErrNotReady, w;
  // Names are kept in UTF-8; the path is read as a whole, as shown text.
  const std::vector<std::string> parts =
      Components(Utf8FromShown(std::string_view(full).substr(3)));
  Node* cur = &w.drive->root;
  if (parts.empty()) return w.node = cur, w;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    cur = cur->Child(parts[i]);
    if (!cur || !cur->IsDir()) return w.error = kErrPathNotFound, w;
  }
  w.folder = cur;
  w.name = parts.back();
  w.node = cur->Child(w.name);
  return w;
}

SimFileSystem::Node* SimFileSystem::Insert(Node& folder, std::unique_ptr<Node> node) {
  Touched(&folder);
  node->parent = &folder;
  const std::string key = Upper(node->name);
  auto pos = std::find_if(folder.children.begin(), folder.children.end(),
                          [&](const auto& c) { return Upper(c->name) > key; });
  return folder.children.insert(pos, std::move(node))->get();
}

std::unique_ptr<SimFileSystem::Node> SimFileSystem::Detach(Node& node) {
  Touched(node.parent, &node);
  auto& list = node.parent->children;
  auto it = std::find_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &node; });
  std::unique_ptr<Node> owned = std::move(*it);
  list.erase(it);
  owned->parent = nullptr;
  return owned;
}

// Gives `node` the name `name` inside `folder`, with a fresh alias unless
// it keeps its long name and its old alias is still free there.
void SimFileSystem::NameNode(Node& folder, Node& node, const std::string& name) {
  auto taken = [&](const std::string& candidate) {
    for (const auto& c : folder.children)
      if (c.get() != &node && (SameName(c->name, candidate) || SameName(c->alias, candidate)))
        return true;
    return false;
  };
  const bool keep = !node.alias.empty() && SameName(node.name, name) && !taken(node.alias);
  node.name = name;
  // The 8.3 rules work on the code page; a character it cannot hold makes
  // the name long, and becomes "_" in the alias.
  const auto inCodePage = CodePageFromUtf8(name);
  const Node* root = &folder;
  while (root->parent) root = root->parent;
  bool aliases = true;
  for (const auto& [letter, drive] : drives_)
    if (&drive->root == root) aliases = drive->shortNames;
  if (!aliases || (inCodePage && IsShortName(*inCodePage))) {
    node.alias.clear();
  } else if (!keep) {
    std::string base = inCodePage ? *inCodePage : CodePageOrMarksFromUtf8(name);
    if (!inCodePage) std::replace(base.begin(), base.end(), '?', '_');
    node.alias = MakeAlias(base, taken);
  }
}

SimFileSystem::Node* SimFileSystem::MakeFolders(const std::string& path) {
  const std::string full = FullPath(path);
  if (full.size() < 3 || full[1] != ':') throw std::invalid_argument("not a drive path: " + path);
  if (!DriveOf(full[0])) AddDrive(full[0]);
  Node* cur = &DriveOf(full[0])->root;
  for (const std::string& part : Components(std::string_view(full).substr(3))) {
    Node* next = cur->Child(part);
    if (!next) {
      auto n = std::make_unique<Node>();
      n->attributes = kAttrDirectory;
      n->writeTime = clock;
      NameNode(*cur, *n, part);
      next = Insert(*cur, std::move(n));
    }
    if (!next->IsDir()) throw std::invalid_argument("a file is in the way: " + path);
    cur = next;
  }
  return cur;
}

void SimFileSystem::AddFolder(const std::string& path) {
  MakeFolders(Utf8FromShown(FullPath(path)));
}

void SimFileSystem::AddFile(const std::string& path, const std::string& data, uint32_t attributes) {
  AddFileUtf8(Utf8FromShown(FullPath(path)), data, attributes);
}

void SimFileSystem::AddFolderUtf8(const std::string& path) { MakeFolders(path); }

void SimFileSystem::SetShortNames(char letter, bool made) {
  if (Drive* d = DriveOf(letter)) d->shortNames = made;
}

void SimFileSystem::AddFileUtf8(const std::string& path, const std::string& data,
                                uint32_t attributes) {
  const std::string full = FullPath(path);
  const size_t cut = full.rfind('\\');
  Node* folder = MakeFolders(full.substr(0, cut == 2 ? 3 : cut));
  const std::string name = full.substr(cut + 1);
  if (name.empty()) throw std::invalid_argument("no file name: " + path);
  Node* node = folder->Child(name);
  if (node && node->IsDir()) throw std::invalid_argument("a folder is in the way: " + path);
  if (!node) {
    auto n = std::make_unique<Node>();
    NameNode(*folder, *n, name);
    node = Insert(*folder, std::move(n));
  }
  node->data = data;
  node->attributes = attributes & ~(kAttrNormal | kAttrDirectory);
  node->writeTime = clock;
}

void SimFileSystem::SetWriteTime(const std::string& path, uint64_t fileTime) {
  Where w = Locate(path, true);
  if (!w.node) throw std::invalid_argument("no such file: " + path);
  w.node->writeTime = fileTime;
}

std::vector<FindData> SimFileSystem::Find(const std::string& pattern) {
  const std::string full = FullPath(pattern);
  const size_t cut = full.rfind('\\');
  if (full.size() < 3 || full[1] != ':' || cut == std::string::npos)
    return Fail(kErrPathNotFound), std::vector<FindData>{};
  const std::string mask = full.substr(cut + 1);
  if (mask.empty()) return Fail(kErrFileNotFound), std::vector<FindData>{};
  Where w = Locate(full.substr(0, cut == 2 ? 3 : cut));
  if (w.error || !w.node || !w.node->IsDir())
    return Fail(w.error ? w.error : kErrPathNotFound), std::vector<FindData>{};
  std::vector<FindData> found;
  const std::string wanted = Utf8FromShown(mask);
  if (w.node->parent) {  // below the root: "." and ".." come first
    for (const char* dots : {".", ".."})
      if (MatchesPattern(mask, dots)) {
        found.push_back(w.node->Entry(dots));
        found.back().alternate.clear();
      }
  }
  for (const auto& c : w.node->children)
    if (MatchesPattern(wanted, c->name) || (!c->alias.empty() && MatchesPattern(mask, c->alias)))
      found.push_back(c->Entry(c->name));
  if (found.empty())
    Fail(kErrFileNotFound);
  else
    Succeed();
  return found;
}

namespace {
// Entry k comes once (k + 1) x latency has passed since the start; the end
// one latency after the last entry (at once for a search that finds nothing
// but takes its one call).
class SimReading final : public FolderReading {
 public:
  SimReading(std::vector<FindData> found, unsigned latency, uint32_t& clock)
      : found_(std::move(found)), latency_(latency), clock_(clock), start_(clock) {}
  bool Wait(unsigned ms) override {
    const uint64_t left = EndsAt() - std::min<uint64_t>(Elapsed(), EndsAt());
    clock_ += static_cast<uint32_t>(std::min<uint64_t>(ms, left));
    return Ended();
  }
  bool Take(std::vector<FindData>& out) override {
    const size_t ready =
        latency_ == 0 ? found_.size() : std::min<uint64_t>(found_.size(), Elapsed() / latency_);
    for (; taken_ < ready; ++taken_) out.push_back(std::move(found_[taken_]));
    return Ended() && taken_ == found_.size();
  }

 private:
  uint64_t Elapsed() const { return static_cast<uint32_t>(clock_ - start_); }
  uint64_t EndsAt() const { return uint64_t{latency_} * (found_.size() + 1); }
  bool Ended() const { return Elapsed() >= EndsAt(); }
  std::vector<FindData> found_;
  size_t taken_ = 0;
  unsigned latency_;
  uint32_t& clock_;
  uint32_t start_;
};
}  // namespace

void SimFileSystem::SetReadLatency(char letter, unsigned msPerEntry) {
  readLatency_[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] = msPerEntry;
}

std::unique_ptr<FolderReading> SimFileSystem::StartFind(const std::string& pattern) {
  const std::string full = FullPath(pattern);
  const char drive =
      full.empty() ? 'C' : static_cast<char>(std::toupper(static_cast<unsigned char>(full[0])));
  const auto latency = readLatency_.find(drive);
  return std::make_unique<SimReading>(Find(pattern),
                                      latency == readLatency_.end() ? 0 : latency->second,
                                      ticks ? *ticks : ownTicks_);
}

std::optional<FindData> SimFileSystem::Stat(const std::string& path) {
  Where w = Locate(path);
  if (w.error || !w.node) return Fail(w.error ? w.error : kErrFileNotFound), std::nullopt;
  Succeed();
  return w.node->Entry(w.node->name);
}

std::string SimFileSystem::ShortPath(const std::string& input) {
  Where target = Locate(input);
  if (target.error || !target.node) return Fail(target.error ? target.error : kErrFileNotFound), "";
  // Rebuild the path as given, each long component replaced by its alias.
  const std::string p = Utf8FromShown(Slashes(input));  // the host's form is built below
  std::string out;
  std::string rest = p;
  Node* cur = nullptr;
  if (p.size() >= 2 && p[1] == ':') {
    out = p.substr(0, 2);
    rest = p.substr(2);
    cur = !rest.empty() && rest[0] == '\\' ? &DriveOf(p[0])->root : Locate(p.substr(0, 2)).node;
  } else {
    cur = !p.empty() && p[0] == '\\' ? Locate("\\").node : Locate(current_).node;
  }
  if (!rest.empty() && rest[0] == '\\') {
    out += "\\";
    rest.erase(0, 1);
  }
  bool first = true;
  for (const std::string& c : Components(rest)) {
    std::string shown = c;
    if (c == "..") {
      cur = cur->parent ? cur->parent : cur;
    } else if (c != ".") {
      cur = cur->Child(TrimName(c));
      if (!cur) return Fail(kErrFileNotFound), "";  // not reached: the target exists
      if (!cur->alias.empty()) {
        shown = cur->alias;
      } else if (auto exact = CodePageFromUtf8(c)) {
        shown = *exact;
      } else {
        return Fail(kErrInvalidName), "";  // no short form to hand on
      }
    }
    out += (first ? "" : "\\") + shown;
    first = false;
  }
  if (!first && p.back() == '\\') out += "\\";
  Succeed();
  return out;
}

bool SimFileSystem::SetCurrentDirectory(const std::string& path) {
  Where w = Locate(path);
  if (w.error || !w.node) return Fail(w.error ? w.error : kErrFileNotFound);
  if (!w.node->IsDir()) return Fail(kErrDirectory);
  std::string full = FullPath(path);
  if (full.size() > 3 && full.back() == '\\') full.pop_back();
  // Held as the system gives it: in the code page, by its short form if need be.
  if (!CodePageFromShown(full)) {
    const std::string shortForm = ShortPath(full);
    full = shortForm.empty() ? CodePageOrMarksFromUtf8(Utf8FromShown(full)) : shortForm;
  }
  current_ = full;
  driveCurrent_[UpperLetter(full[0])] = full;
  return Succeed();
}

std::string SimFileSystem::Drives() {
  std::string letters;
  for (const auto& [letter, drive] : drives_) letters += letter;
  return letters;
}

unsigned SimFileSystem::DriveType(char letter) {
  const Drive* d = DriveOf(letter);
  return d ? d->type : 1;
}

bool SimFileSystem::DriveReady(char letter) {
  const Drive* d = DriveOf(letter);
  return d && d->ready;
}

std::string SimFileSystem::VolumeLabel(char letter) {
  const Drive* d = DriveOf(letter);
  if (!d) return Fail(kErrPathNotFound), std::string();
  if (!d->ready) return Fail(kErrNotReady), std::string();
  Succeed();
  return d->label;
}

std::optional<uint64_t> SimFileSystem::FreeSpace(const std::string& root) {
  const std::string full = FullPath(root);
  const Drive* d = full.size() >= 2 && full[1] == ':' ? DriveOf(full[0]) : nullptr;
  if (!d) return Fail(kErrPathNotFound), std::nullopt;
  if (!d->ready) return Fail(kErrNotReady), std::nullopt;
  Succeed();
  return d->free;
}

}  // namespace w95::platform::sim
