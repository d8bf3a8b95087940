// Small text routines of the explorer: parts of a file name, the extension,
// lower-casing of A to Z only, the check of a typed file name and where a
// typed path leads.
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

// The folder a typed path leads to, from the folder on show: absolute
// ("c:\photos"), from the root of the current drive ("\photos"), on a drive
// ("d:" is that drive's current folder, "d:photos" lies in it) or relative
// ("photos", "..\old"); "." and ".." are followed, a trailing "\" is
// dropped. Always "x:\..." without a trailing "\" except at a root; empty
// when the text cannot name a folder (a network name, a wildcard or a
// character no name holds). `driveFolder` gives the current folder of a
// drive other than the current one (empty: its root).
std::string ResolveTypedFolder(std::string_view text, const std::string& current,
                               const std::function<std::string(char)>& driveFolder);

// What the text of the name box asks for when OK is pressed.
enum class TypedAction {
  AsName,        // the text as it is: the mode's own name check and work
  GoToFolder,    // it names an existing folder: show it
  Filter,        // a name with "*" or "?": list what matches, in `folder`
  NameInFolder,  // a relative path to a file: show `folder`, go on with `name`
};
struct TypedName {
  TypedAction action = TypedAction::AsName;
  std::string folder;
  std::string name;  // the patterns for Filter, the file name for NameInFolder
};
// A name for a new folder that `taken` does not know: "New Folder", else
// "New Folder (2)", "New Folder (3)" ...
std::string NewFolderName(const std::function<bool(const std::string&)>& taken);
// A name one folder can carry: not empty, no path, no wildcard or other
// character names cannot hold, not only dots and spaces.
bool IsFolderName(std::string_view name);

TypedName InterpretTypedName(std::string_view text, const std::string& current,
                             const std::function<bool(const std::string&)>& folderExists,
                             const std::function<std::string(char)>& driveFolder);

}  // namespace w95::explorer
