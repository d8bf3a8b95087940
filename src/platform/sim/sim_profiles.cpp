#include "platform/sim/sim_profiles.h"

#include <stdexcept>

#include "text/code_page.h"

namespace w95::platform::sim {

namespace {

bool HasFolder(const std::string& file) { return file.find_first_of("\\/:") != std::string::npos; }

}  // namespace

FileSystem& SimProfileStore::Files() {
  FileSystem* fs = files_ != nullptr ? files_ : platform::Current().files;
  if (fs == nullptr) throw std::logic_error("SimProfileStore: no file system");
  return *fs;
}

std::string SimProfileStore::Resolve(const std::string& file) {
  if (!HasFolder(file)) return windowsDirectory + "\\" + file;
  return Files().FullPath(file);
}

const ProfileText& SimProfileStore::Cached(const std::string& file) {
  std::optional<std::string> bytes;
  const std::string path = file.empty() ? std::string() : Resolve(file);
  if (!path.empty()) bytes = Files().ReadFile(path);
  if (!bytes) bytes.emplace();
  if (!cacheValid_ || path != cachePath_ || *bytes != cacheBytes_) {
    cacheText_ = ProfileText(ProfileTextOf(*bytes));
    cachePath_ = path;
    cacheBytes_ = std::move(*bytes);
    cacheValid_ = true;
  }
  return cacheText_;
}

ProfileText SimProfileStore::Load(const std::string& file) { return Cached(file); }

std::string SimProfileStore::GetString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& def,
                                       size_t bufSize) {
  return Cached(file).GetString(section, key, def, bufSize);
}

std::vector<std::string> SimProfileStore::GetKeyNames(const std::string& file,
                                                      const std::string& section, size_t bufSize) {
  return Cached(file).KeyNames(section, bufSize);
}

std::vector<std::string> SimProfileStore::GetSectionNames(const std::string& file, size_t bufSize) {
  return Cached(file).SectionNames(bufSize);
}

std::optional<std::vector<std::string>> SimProfileStore::GetSection(const std::string& file,
                                                                    const std::string& section,
                                                                    size_t bufSize) {
  if (bufSize < 3) return std::nullopt;
  const ProfileText::Listing listing = Cached(file).SectionData(section, bufSize);
  if (listing.ret + 2 >= bufSize) return std::nullopt;
  std::vector<std::string> lines;
  const std::string_view all = std::string_view(listing.bytes).substr(0, listing.ret);
  size_t pos = 0;
  while (pos < all.size()) {
    size_t end = all.find('\0', pos);
    if (end == std::string_view::npos) end = all.size();
    if (end > pos) lines.emplace_back(all.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

bool SimProfileStore::WriteString(const std::string& file, const std::string& section,
                                  const std::optional<std::string>& key,
                                  const std::optional<std::string>& value) {
  if (file.empty()) return false;
  FileSystem& fs = Files();
  const std::string path = Resolve(file);
  const std::optional<FindData> entry = fs.Stat(path);
  if (entry && (entry->IsDirectory() || (entry->attributes & kAttrReadOnly) != 0)) return false;
  const std::optional<std::string> bytes = entry ? fs.ReadFile(path) : std::nullopt;
  const bool utf16 = bytes && IsUtf16Text(*bytes);
  const std::string before = !bytes ? std::string() : utf16 ? AnsiFromUtf16(*bytes) : *bytes;
  ProfileText text(before);
  const uint64_t revision = text.Revision();
  std::optional<std::string_view> k, v;
  if (key) k = *key;
  if (value) v = *value;
  if (!text.Write(section, k, v)) return false;
  cacheValid_ = false;
  if (text.Revision() == revision) {
    // Nothing changed; a delete in a missing file still leaves an empty file.
    return bytes ? true : fs.WriteFile(path, std::string());
  }
  if (!utf16) return fs.WriteFile(path, text.Text());
  // A file holding only its byte order mark has that as a first line.
  const std::string after = before.empty() ? "\r\n" + text.Text() : text.Text();
  return fs.WriteFile(path, Utf16FromAnsi(after));
}

}  // namespace w95::platform::sim
