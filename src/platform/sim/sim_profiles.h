// The simulated machine's profile files: our profile text over the files of
// any FileSystem, with the Windows rules for file names (a name without a
// folder lives in the Windows directory; names differ only in case resolve to
// one file, as the file system decides) and for UTF-16LE files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "text/profile_text.h"

namespace w95::platform::sim {

class SimProfileStore final : public ProfileStore {
 public:
  // `files` nullptr: the file system of platform::Current() at each call.
  explicit SimProfileStore(FileSystem* files = nullptr) : files_(files) {}
  void SetFileSystem(FileSystem* files) { files_ = files; }

  // Where files named without a folder live.
  std::string windowsDirectory = "C:\\WINDOWS";

  // The path the profile functions use for `file`.
  std::string Resolve(const std::string& file);
  std::string PathOf(const std::string& file) override {
    return file.empty() ? file : Resolve(file);
  }
  // The file's text as the profile functions read it (empty when missing).
  ProfileText Load(const std::string& file);

  std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def, size_t bufSize) override;
  std::vector<std::string> GetKeyNames(const std::string& file, const std::string& section,
                                       size_t bufSize) override;
  std::vector<std::string> GetSectionNames(const std::string& file, size_t bufSize) override;
  std::optional<std::vector<std::string>> GetSection(const std::string& file,
                                                     const std::string& section,
                                                     size_t bufSize) override;
  bool WriteString(const std::string& file, const std::string& section,
                   const std::optional<std::string>& key,
                   const std::optional<std::string>& value) override;

 private:
  FileSystem& Files();
  const ProfileText& Cached(const std::string& file);

  FileSystem* files_;
  // The last file read, so that a run of reads parses it once; checked
  // against the file's bytes at every call.
  std::string cachePath_, cacheBytes_;
  bool cacheValid_ = false;
  ProfileText cacheText_;
};

}  // namespace w95::platform::sim
