// One table of file-system cases for both implementations: run natively on
// the simulated file system and, under Wine, on the real kernel32, so that
// the simulation is held to what Windows does. (Not here: replacing a
// read-only file, which Windows refuses but Wine run as root allows.)
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace w95::test {

struct FileCase {
  const char* what;
  std::function<bool(platform::FileSystem&, const std::string&)> call;  // given the root
  bool ok;
  uint32_t error;  // LastError after a failing call
};

// Makes <root> with a.txt, b.txt, ro.txt (read-only) and the folder Dir.
inline bool MakeCaseFiles(platform::FileSystem& fs, const std::string& root) {
  return fs.CreateDirectory(root) && fs.CreateDirectory(root + "\\Dir") &&
         fs.WriteFile(root + "\\a.txt", "A") && fs.WriteFile(root + "\\b.txt", "B") &&
         fs.WriteFile(root + "\\ro.txt", "R") &&
         fs.SetAttributes(root + "\\ro.txt", platform::kAttrReadOnly);
}

inline std::vector<FileCase> FileCases() {
  using FS = platform::FileSystem;
  using S = const std::string&;
  return {
      {"move onto an existing file",
       [](FS& fs, S r) { return fs.MoveFile(r + "\\a.txt", r + "\\B.TXT"); }, false,
       platform::kErrAlreadyExists},
      {"move a missing file",
       [](FS& fs, S r) { return fs.MoveFile(r + "\\none.txt", r + "\\c.txt"); }, false,
       platform::kErrFileNotFound},
      {"move into a missing folder",
       [](FS& fs, S r) { return fs.MoveFile(r + "\\a.txt", r + "\\No\\a.txt"); }, false,
       platform::kErrPathNotFound},
      {"delete a read-only file", [](FS& fs, S r) { return fs.DeleteFile(r + "\\ro.txt"); }, false,
       platform::kErrAccessDenied},
      {"delete a missing file", [](FS& fs, S r) { return fs.DeleteFile(r + "\\none.txt"); }, false,
       platform::kErrFileNotFound},
      {"delete in a missing folder", [](FS& fs, S r) { return fs.DeleteFile(r + "\\No\\x.txt"); },
       false, platform::kErrPathNotFound},
      {"make an existing folder", [](FS& fs, S r) { return fs.CreateDirectory(r + "\\DIR"); },
       false, platform::kErrAlreadyExists},
      {"make a folder in a missing one",
       [](FS& fs, S r) { return fs.CreateDirectory(r + "\\No\\Sub"); }, false,
       platform::kErrPathNotFound},
      {"write into a missing folder",
       [](FS& fs, S r) { return fs.WriteFile(r + "\\No\\x.txt", "x"); }, false,
       platform::kErrPathNotFound},
      {"read a missing file", [](FS& fs, S r) { return fs.ReadFile(r + "\\none.txt").has_value(); },
       false, platform::kErrFileNotFound},
      {"find nothing", [](FS& fs, S r) { return !fs.Find(r + "\\*.gif").empty(); }, false,
       platform::kErrFileNotFound},
      {"find in a missing folder", [](FS& fs, S r) { return !fs.Find(r + "\\No\\*.*").empty(); },
       false, platform::kErrPathNotFound},
      {"enter a missing folder", [](FS& fs, S r) { return fs.SetCurrentDirectory(r + "\\none"); },
       false, platform::kErrFileNotFound},
      {"list the folder",
       [](FS& fs, S r) {
         std::vector<std::string> names;
         for (const auto& e : fs.Find(r + "\\*.*")) names.push_back(e.name);
         std::sort(names.begin(), names.end());
         return names == std::vector<std::string>{".", "..", "Dir", "a.txt", "b.txt", "ro.txt"};
       },
       true, 0},
      {"rename by another case",
       [](FS& fs, S r) { return fs.MoveFile(r + "\\b.txt", r + "\\B.txt"); }, true, 0},
      {"rename into a folder",
       [](FS& fs, S r) { return fs.MoveFile(r + "\\b.txt", r + "\\Dir\\Long Name.txt"); }, true, 0},
      {"read it by its new name",
       [](FS& fs, S r) { return fs.ReadFile(r + "\\dir\\long name.TXT") == std::string("B"); },
       true, 0},
  };
}

// A watch on <root> (made by MakeCaseFiles) sees a file made, renamed and
// deleted there and a folder made there; a missing folder cannot be
// watched. `changed` waits as long as the implementation needs for the
// watch to report a change. Empty when all holds, else what did not.
inline std::string WatchCases(platform::FileSystem& fs, const std::string& root,
                              const std::function<bool(platform::FolderWatch&)>& changed) {
  if (fs.WatchFolder(root + "\\Missing")) return "a missing folder is watched";
  const auto watch = fs.WatchFolder(root);
  if (!watch) return "no watch";
  const std::pair<const char*, std::function<bool()>> steps[] = {
      {"file made", [&] { return fs.WriteFile(root + "\\new.txt", "N"); }},
      {"file renamed", [&] { return fs.MoveFile(root + "\\new.txt", root + "\\old.txt"); }},
      {"file deleted", [&] { return fs.DeleteFile(root + "\\old.txt"); }},
      {"folder made", [&] { return fs.CreateDirectory(root + "\\Made"); }},
  };
  for (const auto& [what, step] : steps) {
    if (!step()) return std::string(what) + ": the change failed";
    if (!changed(*watch)) return std::string(what) + ": not seen";
    if (watch->Lost()) return std::string(what) + ": watch lost";
  }
  return {};
}

}  // namespace w95::test
