// Small text routines of the explorer: parts of a file name, the extension,
// lower-casing of A to Z only, and the check of a typed file name.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace w95::explorer {

// Only the letters A to Z change; every other byte is kept.
std::string LowerAZ(std::string_view s);
std::string UpperAZ(std::string_view s);

// The part after the last ":" or "\" (the whole text when it has neither).
std::string FileNamePart(std::string_view s);
// The part up to and including the last ":" or "\" (empty when none).
std::string FolderPart(std::string_view s);
// From the last "." on; empty when no "." follows the last ":" or "\".
std::string ExtensionOf(std::string_view s);
// A typed name that holds both ":" and "\" is taken as a full path.
bool IsFullPath(std::string_view s);
// A list entry that holds "\" is a folder.
inline bool IsFolderEntry(std::string_view entry) {
  return entry.find('\\') != std::string_view::npos;
}

// Outcome of checking the file name box text.
enum class NameCheck { Rejected = 0, Plain = 1, WithPath = 2 };
struct NameVerdict {
  NameCheck check = NameCheck::Rejected;
  std::string message;  // the error to show when rejected
};

// The checks on a typed name: forbidden characters, a lone ":" or "\", the
// folder of a path, and the position of the first dot. `folderExists` is
// asked about the folder part of a full path.
NameVerdict ValidateFileName(std::string_view text,
                             const std::function<bool(const std::string&)>& folderExists);

}  // namespace w95::explorer
