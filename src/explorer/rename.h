// The questions of renaming a file, as a decision on the user's answer.
#pragma once

#include <optional>
#include <string>

namespace w95::explorer {

// The prompt of the rename box: the folder, cut to 40 characters + " ...".
std::string RenamePrompt(const std::string& folder);

enum class RenameAction {
  End,           // cancelled, unchanged or empty: nothing to do
  WarnExists,    // warn, then ask again
  WarnInvalid,   // a name that would leave the folder: say so, ask again
  AskExtension,  // confirm the new extension; Cancel asks again
  Rename,        // rename now
};

struct RenameDecision {
  RenameAction action = RenameAction::End;
  std::string message;
  std::string newFull;
};

// `newName` is nullopt when the user cancelled the box; `exists` tells
// whether folder + new name exists already.
RenameDecision DecideRename(const std::string& folder, const std::string& oldName,
                            const std::optional<std::string>& newName, bool exists);

}  // namespace w95::explorer
