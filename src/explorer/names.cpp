#include "explorer/names.h"

#include <vector>

#include "explorer/messages.h"

namespace w95::explorer {

namespace {
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
size_t LastSeparator(std::string_view s) { return s.find_last_of(":\\"); }
}  // namespace

std::string LowerAZ(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string UpperAZ(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string FileNamePart(std::string_view s) {
  const size_t sep = LastSeparator(s);
  return std::string(sep == std::string_view::npos ? s : s.substr(sep + 1));
}

std::string FolderPart(std::string_view s) {
  const size_t sep = LastSeparator(s);
  return sep == std::string_view::npos ? std::string() : std::string(s.substr(0, sep + 1));
}

std::string ExtensionOf(std::string_view s) {
  const size_t dot = s.rfind('.');
  if (dot == std::string_view::npos) return {};
  const size_t sep = LastSeparator(s);
  if (sep != std::string_view::npos && sep > dot) return {};
  return std::string(s.substr(dot));
}

bool IsFullPath(std::string_view s) {
  return s.find(':') != std::string_view::npos && s.find('\\') != std::string_view::npos;
}

NameVerdict ValidateFileName(std::string_view text,
                             const std::function<bool(const std::string&)>& folderExists) {
  bool bad = text.find_first_of("\"><*?") != std::string_view::npos;
  const bool colon = text.find(':') != std::string_view::npos;
  const bool slash = text.find('\\') != std::string_view::npos;
  std::string name(text);
  if (colon && slash) {
    if (!folderExists(FolderPart(text))) return {NameCheck::Rejected, kMsgInvalidPath};
    name = FileNamePart(text);
  } else if (colon || slash) {
    bad = true;
  }
  // A path that ends in its folder names no file at all.
  if (name.empty()) bad = true;
  const size_t dot = name.find('.');
  if (dot != std::string::npos) {
    const size_t p = dot + 1, len = name.size();
    if (p == 1 || p == len || (len > 5 && p < len - 3)) bad = true;
  }
  if (bad) return {NameCheck::Rejected, kMsgInvalidFilename};
  return {colon && slash ? NameCheck::WithPath : NameCheck::Plain, {}};
}

std::string ResolveTypedFolder(std::string_view text, const std::string& current,
                               const std::function<std::string(char)>& driveFolder) {
  if (text.empty() || text.find_first_of("\"<>|*?/") != std::string_view::npos) return {};
  if (current.size() < 2 || current[1] != ':') return {};
  std::string base;
  std::string_view rest = text;
  if (text.size() >= 2 && text[1] == ':') {
    if (!IsLetter(text[0])) return {};
    rest = text.substr(2);
    if (!rest.empty() && rest[0] == '\\') {
      base = std::string(text.substr(0, 2));
    } else if (LowerAZ(text.substr(0, 1)) == LowerAZ(current.substr(0, 1))) {
      base = current;
    } else {
      base = driveFolder(text[0]);
      if (base.size() < 2 || base[1] != ':') base = std::string(text.substr(0, 2));
    }
  } else if (text[0] == '\\') {
    if (text.size() > 1 && text[1] == '\\') return {};  // a network name
    base = current.substr(0, 2);
  } else {
    base = current;
  }
  if (rest.find(':') != std::string_view::npos) return {};
  std::vector<std::string> parts;
  auto follow = [&parts](std::string_view path) {
    size_t start = 0;
    while (start <= path.size()) {
      size_t end = path.find('\\', start);
      if (end == std::string_view::npos) end = path.size();
      const std::string_view part = path.substr(start, end - start);
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        if (part.find_first_not_of('.') == std::string_view::npos) return false;
        parts.emplace_back(part);
      }
      start = end + 1;
    }
    return true;
  };
  if (!follow(std::string_view(base).substr(2)) || !follow(rest)) return {};
  std::string out = base.substr(0, 2) + "\\";
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
  return out;
}

std::string NewFolderName(const std::function<bool(const std::string&)>& taken) {
  std::string name = "New Folder";
  for (int n = 2; taken(name) && n < 1000; ++n) name = "New Folder (" + std::to_string(n) + ")";
  return name;
}

bool IsFolderName(std::string_view name) {
  return !name.empty() && name.size() < 240 &&
         name.find_first_of("\"<>|*?/\\:") == std::string_view::npos &&
         name.find_first_not_of(". ") != std::string_view::npos;
}

TypedName InterpretTypedName(std::string_view text, const std::string& current,
                             const std::function<bool(const std::string&)>& folderExists,
                             const std::function<std::string(char)>& driveFolder) {
  TypedName out;
  out.name = std::string(text);
  if (text.empty()) return out;
  const std::string folderPart = FolderPart(text);
  const std::string namePart = FileNamePart(text);
  if (text.find_first_of("*?") != std::string_view::npos) {
    // Wildcards in the name only; the folder they lie in must exist.
    if (namePart.find_first_of("*?") == std::string::npos ||
        namePart.find_first_of("\"<>|/") != std::string::npos)
      return out;
    const std::string folder =
        folderPart.empty() ? current : ResolveTypedFolder(folderPart, current, driveFolder);
    if (folder.empty() || !folderExists(folder)) return out;
    return {TypedAction::Filter, folder, namePart};
  }
  const std::string whole = ResolveTypedFolder(text, current, driveFolder);
  if (!whole.empty() && folderExists(whole)) return {TypedAction::GoToFolder, whole, {}};
  // A plain name, a full path and anything that leads nowhere keep the
  // mode's own handling (and its messages).
  if (folderPart.empty() || IsFullPath(text) || namePart.empty()) return out;
  const std::string folder = ResolveTypedFolder(folderPart, current, driveFolder);
  if (folder.empty() || !folderExists(folder)) return out;
  return {TypedAction::NameInFolder, folder, namePart};
}

}  // namespace w95::explorer
