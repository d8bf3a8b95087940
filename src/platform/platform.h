// Operating-system services behind small interfaces. Windows, settings and
// exports reach the OS only through these; the Win32 build gives the real API
// (platform/win32), the native build a deterministic simulated machine
// (platform/sim).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pictures.h"

namespace w95::platform {

class MediaService;    // platform/media.h
class PreviewDecoder;  // platform/picture_preview.h

// Win32 error codes the services report through LastError().
enum : uint32_t {
  kErrNone = 0,
  kErrFileNotFound = 2,
  kErrPathNotFound = 3,
  kErrAccessDenied = 5,
  kErrNotReady = 21,
  kErrAlreadyExists = 183,
};

// File attribute bits, as Windows defines them.
enum : uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
};

// One entry of a directory search. Names are in the code page, for the host:
// `name` is the long name when the code page holds it exactly, else the 8.3
// alias, which always fits; `longName` is the name as the file system has it.
struct FindData {
  std::string name;       // long name, case as stored, or the alias (see above)
  std::string alternate;  // 8.3 alias; empty when `name` is already 8.3 or is the alias
  std::string longName;   // the stored long name in UTF-8
  // Neither the long name nor an alias fits the code page (a volume without
  // 8.3 names): `name` only shows the entry, with "?" for each character the
  // code page cannot hold, and opens nothing.
  bool nameless = false;
  uint32_t attributes = 0;
  uint64_t size = 0;
  uint64_t writeTime = 0;  // FILETIME ticks (100 ns since 1601)
  bool IsDirectory() const { return (attributes & kAttrDirectory) != 0; }
};

// Profile (INI) files with the kernel32 rules. A file name without a folder
// lives in the Windows directory.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The file the profile functions use for `file`: a name without a folder
  // lives in the Windows directory, any other name is the file's own.
  virtual std::string PathOf(const std::string& file) { return file; }
  // GetPrivateProfileStringA(section, key, def, buf, bufSize, file): what the
  // buffer receives (at most bufSize-1 characters).
  virtual std::string GetString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& def, size_t bufSize) = 0;
  // Key names of a section (NULL key), read through a buffer of bufSize bytes
  // with the truncation rule of the real API: the names that lie whole in its
  // first bufSize-2 characters (a name the buffer cuts is left out).
  virtual std::vector<std::string> GetKeyNames(const std::string& file, const std::string& section,
                                               size_t bufSize) = 0;
  // Section names of the file (NULL section).
  virtual std::vector<std::string> GetSectionNames(const std::string& file, size_t bufSize) = 0;
  // GetPrivateProfileSectionA(section, buf, bufSize, file): the lines of the
  // section ("key=value", or the bare name) in one call; nullopt when they
  // may not all have fit the buffer (the count came back as bufSize-2) or
  // the store does not read sections whole.
  virtual std::optional<std::vector<std::string>> GetSection(const std::string& /*file*/,
                                                             const std::string& /*section*/,
                                                             size_t /*bufSize*/) {
    return std::nullopt;
  }
  // WritePrivateProfileStringA; key or value nullopt deletes (section or key).
  virtual bool WriteString(const std::string& file, const std::string& section,
                           const std::optional<std::string>& key,
                           const std::optional<std::string>& value) = 0;
};

// A file being written from its start (CreateFileA + WriteFile). A backend
// that can should pass each Write to the file at once, so that a failure is
// seen at the write that failed.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(std::string_view data) = 0;
  // Completes the file; false when it could not be completed.
  virtual bool Close() = 0;
};

// A watch on one folder: it notices files and folders made, removed or
// renamed in it (not in the folders below it). Closed when destroyed.
class FolderWatch {
 public:
  virtual ~FolderWatch() = default;
  // True when something changed since the last call; never waits. A watch
  // that broke (its folder or drive went away) reports that as a change
  // once and is Lost from then on.
  virtual bool Changed() = 0;
  virtual bool Lost() const = 0;
};

// A reading of a folder's entries under way, away from the caller, so that a
// slow drive or share keeps nobody waiting. Dropping it stops the reading:
// what it would still have read is never seen.
class FolderReading {
 public:
  virtual ~FolderReading() = default;
  // Waits at most `ms` milliseconds for the reading to end; true once it has.
  virtual bool Wait(unsigned ms) = 0;
  // Moves the entries read since the last call to the end of `out`, in the
  // order Find gives them; true once the reading has ended and all it read
  // was taken.
  virtual bool Take(std::vector<FindData>& out) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // All names found by a wildcard pattern ("c:\dir\*.*"), in directory order,
  // matched on the long name or the 8.3 alias as Windows does. Empty when the
  // folder is missing or the drive not ready (LastError tells).
  virtual std::vector<FindData> Find(const std::string& pattern) = 0;
  // Starts reading what Find would give for `pattern`. This fallback reads
  // it all before it returns.
  virtual std::unique_ptr<FolderReading> StartFind(const std::string& pattern);
  // The entry for one path (no wildcards), if it exists.
  virtual std::optional<FindData> Stat(const std::string& path) = 0;
  // True when `path` names an existing file, not a folder: with one call
  // where the platform can (many files checked one by one).
  virtual bool FileExists(const std::string& path) {
    const auto facts = Stat(path);
    return facts && !facts->IsDirectory();
  }
  // GetShortPathNameA; empty when the path does not exist.
  virtual std::string ShortPath(const std::string& path) = 0;
  // GetFullPathNameA against the current directory.
  virtual std::string FullPath(const std::string& path) = 0;
  virtual bool DeleteFile(const std::string& path) = 0;
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
  // Replace `to` with `from` (MoveFileEx with MOVEFILE_REPLACE_EXISTING).
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  virtual bool CreateDirectory(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // Whole-file read and write (binary). Write creates or truncates.
  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
  virtual bool WriteFile(const std::string& path, const std::string& data) = 0;
  // Creates or truncates `path` for writing; nullptr when it cannot be made.
  // This fallback collects the text and writes it whole at Close.
  virtual std::unique_ptr<OutputFile> CreateOutput(const std::string& path) {
    class Buffered final : public OutputFile {
     public:
      Buffered(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
      bool Write(std::string_view data) override {
        text_.append(data);
        return true;
      }
      bool Close() override { return fs_.WriteFile(path_, text_); }

     private:
      FileSystem& fs_;
      std::string path_;
      std::string text_;
    };
    if (!WriteFile(path, std::string())) return nullptr;
    return std::make_unique<Buffered>(*this, path);
  }
  virtual std::string CurrentDirectory() = 0;  // "C:\WORK" (no trailing "\" but at a root)
  virtual bool SetCurrentDirectory(const std::string& path) = 0;
  // Letters of the drives that exist ("ACD").
  virtual std::string Drives() = 0;
  // 0 unknown, 1 no root, 2 removable, 3 fixed, 4 remote, 5 CD-ROM, 6 RAM disk.
  virtual unsigned DriveType(char letter) = 0;
  virtual bool DriveReady(char letter) = 0;
  // The volume label of a drive in the code page; empty when it has none,
  // is not ready or its label does not fit the code page. Reads the drive:
  // callers leave out the drives that could make the user wait.
  virtual std::string VolumeLabel(char letter) = 0;
  // Free bytes on the drive of `root`; nullopt when it cannot be read.
  virtual std::optional<uint64_t> FreeSpace(const std::string& root) = 0;
  // GetLastError after the last failing call of this service.
  virtual uint32_t LastError() = 0;
  // A watch on an existing folder; nullptr when it cannot be watched.
  virtual std::unique_ptr<FolderWatch> WatchFolder(const std::string& /*folder*/) {
    return nullptr;
  }
};

struct ScreenSize {
  int width = 1024;
  int height = 768;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual ScreenSize Screen() = 0;  // GetSystemMetrics(SM_CXSCREEN/SM_CYSCREEN)
  virtual bool GdiFlush() = 0;
  virtual void Beep(unsigned type) = 0;  // MessageBeep
  // WinHelpA(owner, file, command, data); false when help could not start.
  virtual bool Help(uintptr_t owner, const std::string& file, unsigned command, uintptr_t data) = 0;
  // WinExec(command, show); true when the program started.
  virtual bool Exec(const std::string& command, int show) = 0;
  // Free paging-file space in bytes (GlobalMemoryStatus dwAvailPageFile).
  virtual uint64_t AvailPageFile() = 0;
  // The mouse pointer in screen coordinates (GetCursorPos).
  virtual ScreenPoint CursorPos() { return cursor; }
  // Milliseconds since some start (GetTickCount): short spans are measured
  // with it, across its wrap-around.
  virtual uint32_t Ticks() = 0;
  // A file time (FILETIME ticks, UTC) as local time in the user's short date
  // and time form. This fallback (simulated machines) gives "M/D/YYYY H:MM"
  // of the time as it stands.
  virtual std::string ShortDateTime(uint64_t fileTime);

  ScreenPoint cursor;  // what the fallback CursorPos reports
};

// Messages to the host program (SendMessage to its window, or a broadcast).
class HostLink {
 public:
  virtual ~HostLink() = default;
  virtual intptr_t Send(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  virtual void Broadcast(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;
  // True when the handle names an existing window (IsWindow): a message sent
  // to anything else reaches no one.
  virtual bool IsWindow(uintptr_t window) { return window != 0; }
};

// What the current printer offers, read from its device context.
struct PrinterCaps {
  std::string name;   // the printer's device name
  int pageWidth = 0;  // printable area in device pixels (HORZRES x VERTRES)
  int pageHeight = 0;
  int dpiX = 0;  // LOGPIXELSX, LOGPIXELSY
  int dpiY = 0;
  int colorBits = 0;       // BITSPIXEL x PLANES
  bool landscape = false;  // orientation of the chosen paper
};

// The library's printer object: the current printer (the default printer
// from its first use on, or the one chosen in the setup dialog) and its one
// print job.
class Printer {
 public:
  virtual ~Printer() = default;
  // The current printer's capabilities. Throws w95::Error "There is no
  // default printer currently selected" when there is none.
  virtual PrinterCaps Capabilities() = 0;
  // The platform's print setup dialog over the current printer, owned by a
  // window; true when the user confirmed: the printer, paper and orientation
  // chosen there are current from now on.
  virtual bool SetupDialog(uintptr_t owner) = 0;
  // Turns the current printer's paper (as its setup dialog would); the
  // capabilities follow. False when there is no printer, a job is open or
  // the printer has no orientation to set.
  virtual bool SetOrientation(bool /*landscape*/) { return false; }
  // Starts a document with that title and its first page; the device context
  // to draw on, or 0 when the job could not start (then nothing stays open).
  virtual uintptr_t BeginDoc(const std::string& title) = 0;
  virtual bool Printing() = 0;
  // Ends the page and the document; the printer is no longer printing.
  // False when the printer reported a failure.
  virtual bool EndDoc() = 0;
  // Abandons the open job, if any.
  virtual void Abort() = 0;
  // Keeps what is drawn next on the open job's page inside the rectangle
  // (device pixels of the printable area). False when there is no job or
  // the printer refuses.
  virtual bool ClipTo(int /*left*/, int /*top*/, int /*width*/, int /*height*/) { return false; }
};

// The message of a missing default printer, as the printer object raises it.
inline constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";

// The services of the machine the library runs on.
struct Machine {
  ProfileStore* profiles = nullptr;
  FileSystem* files = nullptr;
  Desktop* desktop = nullptr;
  HostLink* host = nullptr;
  MediaService* media = nullptr;
  Printer* printer = nullptr;
  PictureLoader* pictures = nullptr;
  PreviewDecoder* previews = nullptr;  // none: previews show no pictures
};

// The machine in use. The Win32 build installs the real one at library start;
// native tests install a simulated machine (platform/sim/sim_machine.h).
Machine& Current();
void Install(const Machine& machine);
// How many times a machine was installed: what was learnt from one machine
// (drive labels kept between windows) is not taken for another.
unsigned Installations();

}  // namespace w95::platform
