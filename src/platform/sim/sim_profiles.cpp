#include "platform/sim/sim_profiles.h"

#include <stdexcept>

namespace w95::platform::sim {

namespace {

constexpr char kUtf16Bom[] = "\xFF\xFE";

// Code points of the bytes 0x80 to 0x9F in code page 1252 (the five unused
// bytes stand for themselves).
constexpr uint16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsUtf16(const std::string& bytes) { return bytes.compare(0, 2, kUtf16Bom, 2) == 0; }

bool HasFolder(const std::string& file) {
  return file.find_first_of("\\/:") != std::string::npos;
}

}  // namespace

std::string AnsiFromUtf16(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<uint16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8));
    char c = '?';
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
      c = static_cast<char>(unit);
    } else {
      for (int k = 0; k < 32; ++k)
        if (kHigh1252[k] == unit) c = static_cast<char>(0x80 + k);
    }
    out.push_back(c);
  }
  return out;
}

std::string Utf16FromAnsi(const std::string& text) {
  std::string out(kUtf16Bom, 2);
  out.reserve(2 + text.size() * 2);
  for (unsigned char c : text) {
    const uint16_t unit = (c >= 0x80 && c < 0xA0) ? kHigh1252[c - 0x80] : c;
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
  }
  return out;
}

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
    cacheText_ = ProfileText(IsUtf16(*bytes) ? AnsiFromUtf16(*bytes) : *bytes);
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
                                                      const std::string& section,
                                                      size_t bufSize) {
  return Cached(file).KeyNames(section, bufSize);
}

std::vector<std::string> SimProfileStore::GetSectionNames(const std::string& file,
                                                          size_t bufSize) {
  return Cached(file).SectionNames(bufSize);
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
  const bool utf16 = bytes && IsUtf16(*bytes);
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
