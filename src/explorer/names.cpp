#include "explorer/names.h"

#include "explorer/messages.h"

namespace w95::explorer {

namespace {
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

}  // namespace w95::explorer
