// The simulated machine's file system: drives, folders and files in memory,
// with the Windows rules the library relies on (case-insensitive names that
// keep their case, 8.3 aliases, wildcard search on long and alias names,
// read-only files, "not ready" drives and the Win32 error codes).
//
//   SimFileSystem fs;                         // drive C: (fixed, ready), current "C:\"
//   fs.AddFile("C:\\Photos\\Long File Name.jpeg", "data");   // folders made as needed
//   fs.AddDrive('A', /*ready=*/false);        // a floppy drive without a disk
//   fs.ShortPath("c:\\photos\\long file name.jpeg")  // "c:\photos\LONGFI~1.JPE"
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace w95::platform::sim {

// Further Win32 error codes of the simulated file system.
enum : uint32_t {
  kErrNotSameDevice = 17,
  kErrDiskFull = 112,
  kErrInvalidName = 123,
  kErrDirectory = 267,
};

class SimFileSystem final : public FileSystem {
 public:
  SimFileSystem();
  ~SimFileSystem() override;

  // --- building the machine (never fail on a not-ready drive) ---
  // Drive types as GetDriveTypeA: 2 removable, 3 fixed, 4 remote, 5 CD-ROM;
  // 0 chooses removable for A: and B:, fixed for the others.
  void AddDrive(char letter, bool ready = true, unsigned type = 0);
  void SetDriveReady(char letter, bool ready);
  // A write-protected drive (a disk or a share the user may only read):
  // making a folder on it is refused with "access denied".
  void SetWriteProtected(char letter, bool on);
  void SetVolumeLabel(char letter, const std::string& label);
  void SetFreeSpace(char letter, uint64_t bytes);
  // Adds a folder, or a file with its contents and attributes, making the
  // drive and the folders above as needed. An existing file is replaced.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, const std::string& data = "",
               uint32_t attributes = kAttrArchive);
  // The same with a full path in UTF-8, for names the code page cannot hold
  // ("C:\\Pics\\写真.bmp"); the paths above are in the code page (1252).
  void AddFolderUtf8(const std::string& path);
  void AddFileUtf8(const std::string& path, const std::string& data = "",
                   uint32_t attributes = kAttrArchive);
  // Whether the drive makes 8.3 aliases for names made from now on.
  void SetShortNames(char letter, bool made);
  void SetWriteTime(const std::string& path, uint64_t fileTime);
  // A slow drive (a share, a stick): each call that reads a folder's next
  // entry there takes `msPerEntry` milliseconds of the machine's clock
  // (`ticks`), the call that finds the end one more. 0 (the default): no time.
  // Only StartFind takes the time; a reading holds the entries of the moment
  // it started.
  void SetReadLatency(char letter, unsigned msPerEntry);
  // The machine's clock that readings go by (the desktop's); a reading waited
  // for moves it on, as waiting does. Without one, a clock of its own.
  uint32_t* ticks = nullptr;
  // FILETIME stamped on files written from now on (default 2001-01-01).
  uint64_t clock = 126227808000000000ull;

  bool Exists(const std::string& path) { return Stat(path).has_value(); }

  // --- FileSystem ---
  std::vector<FindData> Find(const std::string& pattern) override;
  std::unique_ptr<FolderReading> StartFind(const std::string& pattern) override;
  std::optional<FindData> Stat(const std::string& path) override;
  std::string ShortPath(const std::string& path) override;
  std::string FullPath(const std::string& path) override;
  bool DeleteFile(const std::string& path) override;
  bool MoveFile(const std::string& from, const std::string& to) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool CreateDirectory(const std::string& path) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::string& data) override;
  std::unique_ptr<OutputFile> CreateOutput(const std::string& path) override;
  std::string CurrentDirectory() override { return current_; }
  bool SetCurrentDirectory(const std::string& path) override;
  std::string Drives() override;
  unsigned DriveType(char letter) override;
  bool DriveReady(char letter) override;
  std::string VolumeLabel(char letter) override;
  std::optional<uint64_t> FreeSpace(const std::string& root) override;
  uint32_t LastError() override { return lastError_; }
  // Signalled when entries are made, removed or renamed in the folder (by
  // the calls above and by the building calls alike), or when the folder
  // itself is moved away; lost when its drive stops being ready.
  std::unique_ptr<FolderWatch> WatchFolder(const std::string& folder) override;

  // The folders watched now, as they were named, and how many watches were
  // ever made.
  std::vector<std::string> WatchedFolders() const;
  int watchesMade = 0;

  struct Node;
  struct Drive;

 private:
  struct Where;
  Where Locate(const std::string& path, bool forBuilding = false);
  Drive* DriveOf(char letter);
  Node* MakeFolders(const std::string& path);
  Node* Insert(Node& folder, std::unique_ptr<Node> node);
  std::unique_ptr<Node> Detach(Node& node);
  void NameNode(Node& folder, Node& node, const std::string& name);
  bool Fail(uint32_t error);
  bool Succeed();
  bool Store(Node& node, Drive& drive, const std::string& data);
  friend class SimOutput;
  class Watch;
  friend class Watch;
  // Something changed in `folder`; `moved` (when given) left its place with
  // everything below it.
  void Touched(const Node* folder, const Node* moved = nullptr);
  void LoseWatches(const Drive& drive);

  std::vector<Watch*> watches_;

  std::map<char, std::unique_ptr<Drive>> drives_;
  std::string current_ = "C:\\";
  std::map<char, std::string> driveCurrent_;
  std::map<char, unsigned> readLatency_;
  uint32_t ownTicks_ = 0;  // per drive, as "=C:" in Windows
  uint32_t lastError_ = 0;
};

}  // namespace w95::platform::sim
