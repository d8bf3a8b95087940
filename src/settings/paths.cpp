#include "settings/paths.h"

#include "platform/code_page_text.h"
#include "platform/platform.h"

namespace w95 {

namespace {

platform::FileSystem& Files() { return *platform::Current().files; }

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

constexpr size_t kMaxShortPath = 255;

}  // namespace

std::string AddBackslash(const std::string& path) {
  std::string out = path == "\\" ? Files().CurrentDirectory() : path;
  if (out.empty() || out.back() != '\\') out += '\\';
  return out;
}

std::string ShortPathOf(const std::string& path) {
  if (!Files().Stat(path)) return path;
  const std::string shortPath = Files().ShortPath(path);
  if (shortPath.empty() || shortPath.size() > kMaxShortPath) return path;
  return shortPath;
}

std::string NamePart(const std::string& path) {
  const size_t cut = path.find_last_of(":\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string LongNameOf(const std::string& path) {
  const auto found = Files().Find(path);
  if (found.empty()) return Lower(NamePart(path));
  const platform::FindData& entry = found.front();
  return entry.alternate.empty() ? Lower(entry.name) : entry.name;
}

std::string LongPathOf(const std::string& path) {
  if (path.size() == 3) return path;
  std::string result = path.substr(0, 2);
  std::string running = result;
  const std::string rest = path.size() > 3 ? path.substr(3) : std::string();
  size_t start = 0;
  while (start < rest.size()) {
    size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    if (end > start) {  // "\\" doubled or at the end: no component
      running.append(1, '\\').append(rest, start, end - start);
      result.append(1, '\\').append(LongNameOf(running));
    }
    start = end + 1;
  }
  return result;
}

std::string ShownNameOf(const std::string& path) {
  const auto found = Files().Stat(path);
  if (!found || found->longName.empty() || platform::CodePageFromUtf8(found->longName))
    return NamePart(path);
  return platform::ShownFromUtf8(found->longName);
}

std::string ShownPathOf(const std::string& path) {
  if (path.size() <= 3 || path[1] != ':') return path;
  std::string out = path.substr(0, 2);
  for (size_t start = 3; start < path.size();) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string running = out + "\\" + path.substr(start, end - start);
    out += "\\" + (end > start ? ShownNameOf(running) : std::string());
    start = end + 1;
  }
  if (path.back() == '\\') out += '\\';
  return out;
}

std::string LongShownNameOf(const std::string& path) {
  const std::string shown = ShownNameOf(path);
  return platform::CodePageFromShown(shown) ? LongNameOf(path) : shown;
}

std::string HostPathOf(const std::string& path) {
  if (platform::CodePageFromShown(path)) return path;
  const std::string shortPath = Files().ShortPath(path);
  return platform::CodePageFromShown(shortPath) ? shortPath : std::string();
}

std::string TrimLeadingSpaces(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace w95
