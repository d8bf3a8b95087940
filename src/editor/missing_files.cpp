#include "editor/missing_files.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/code_page_text.h"

namespace w95::editor {

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

char DriveLetter(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
    return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
  return 0;
}

std::string WithBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

void MissingCheck::Start(const std::vector<std::string>& paths) {
  Cancel();
  // Drive by drive, folder by folder, in the order first met.
  std::map<char, std::map<std::string, std::unordered_set<std::string>>> byDrive;
  for (const std::string& p : paths) {
    if (p.empty()) continue;
    const std::string path = Lower(p);
    const size_t cut = path.rfind('\\');
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    byDrive[DriveLetter(path)][folder].insert(cut == std::string::npos ? path
                                                                       : path.substr(cut + 1));
  }
  for (auto& [letter, folders] : byDrive) {
    Drive drive;
    drive.letter = letter;
    for (auto& [path, names] : folders)
      drive.folders.push_back({path, std::vector<std::string>(names.begin(), names.end())});
    drives_.push_back(std::move(drive));
  }
  running_ = true;
}

void MissingCheck::Cancel() {
  running_ = false;
  drives_.clear();
  drive_ = folder_ = 0;
  probed_ = lettersRead_ = false;
  letters_.clear();
  found_.clear();
}

bool MissingCheck::IsMissing(const std::string& path) const {
  return !missing_.empty() && missing_.count(Lower(path)) != 0;
}

void MissingCheck::MarkAll(const Folder& folder) {
  for (const std::string& name : folder.names) found_.insert(folder.path + name);
}

int MissingCheck::CheckFolder(const Folder& folder) {
  if (folder.names.size() < listFrom_) {
    for (const std::string& name : folder.names)
      if (!files_.FileExists(folder.path + name)) found_.insert(folder.path + name);
    return static_cast<int>(folder.names.size());
  }
  const std::vector<platform::FindData> entries = files_.Find(folder.path + "*.*");
  std::unordered_set<std::string> there;
  there.reserve(entries.size() * 2);
  for (const platform::FindData& e : entries) {
    if (e.IsDirectory()) continue;
    there.insert(Lower(e.longName.empty() ? e.name : e.longName));
    there.insert(Lower(platform::ShownFromUtf8(e.longName)));  // as the grid shows it
    there.insert(Lower(e.name));
    if (!e.alternate.empty()) there.insert(Lower(e.alternate));
  }
  for (const std::string& name : folder.names)
    if (there.count(name) == 0) found_.insert(folder.path + name);
  return 1 + static_cast<int>(entries.size() / 64);
}

bool MissingCheck::Step(int budget) {
  if (!running_) return true;
  while (budget > 0 && drive_ < drives_.size()) {
    Drive& drive = drives_[drive_];
    if (!probed_) {
      probed_ = true;
      // A drive that is gone or holds no disk: none of its files are
      // there, and none of them is asked for.
      bool there = true;
      if (drive.letter != 0) {
        if (!lettersRead_) {
          letters_ = files_.Drives();
          lettersRead_ = true;
          --budget;
        }
        there = letters_.find(drive.letter) != std::string::npos && files_.DriveReady(drive.letter);
        --budget;
      }
      if (!there) {
        for (const Folder& f : drive.folders) MarkAll(f);
        folder_ = drive.folders.size();
      }
      continue;
    }
    if (folder_ >= drive.folders.size()) {
      ++drive_;
      folder_ = 0;
      probed_ = false;
      continue;
    }
    budget -= CheckFolder(drive.folders[folder_++]);
  }
  if (drive_ < drives_.size()) return false;
  // What this check looked at is known anew; other paths (slides taken out
  // that undo may bring back) keep what the last check of them found.
  for (const Drive& d : drives_)
    for (const Folder& f : d.folders)
      for (const std::string& name : f.names) {
        std::string path = f.path + name;
        if (found_.count(path) != 0)
          missing_.insert(std::move(path));
        else
          missing_.erase(path);
      }
  Cancel();
  ++finished_;
  return true;
}

std::unordered_map<std::string, std::string> FindByName(platform::FileSystem& files,
                                                        const std::string& folder,
                                                        const std::vector<std::string>& names,
                                                        int depth, size_t maxFolders) {
  std::unordered_set<std::string> wanted;
  for (const std::string& n : names)
    if (!n.empty()) wanted.insert(Lower(n));
  std::unordered_map<std::string, std::string> result;
  // Level by level: a file nearer the folder wins over one further down.
  std::vector<std::string> level{WithBackslash(folder)};
  size_t listed = 0;
  for (int d = 0; d <= depth && !level.empty() && result.size() < wanted.size(); ++d) {
    std::vector<std::string> below;
    for (const std::string& dir : level) {
      if (listed++ >= maxFolders) return result;
      for (const platform::FindData& e : files.Find(dir + "*.*")) {
        if (e.name == "." || e.name == "..") continue;
        if (e.IsDirectory()) {
          if (d < depth) below.push_back(dir + e.name + "\\");
          continue;
        }
        const std::string shown = platform::ShownFromUtf8(e.longName);
        for (const std::string* n : {&shown, &e.longName, &e.name}) {
          const std::string key = Lower(*n);
          if (!key.empty() && wanted.count(key) != 0 && result.count(key) == 0) {
            result.emplace(key, dir + e.name);
            break;
          }
        }
      }
    }
    level = std::move(below);
  }
  return result;
}

std::string NameList(const std::vector<std::string>& names, size_t max) {
  std::string text;
  for (size_t i = 0; i < names.size() && i < max; ++i) text += (i ? ", " : "") + names[i];
  if (names.size() > max) text += " and " + std::to_string(names.size() - max) + " more";
  return text;
}

}  // namespace w95::editor
