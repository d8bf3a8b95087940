#include "explorer/rename.h"

#include "explorer/messages.h"
#include "explorer/names.h"

namespace w95::explorer {

std::string RenamePrompt(const std::string& folder) {
  return folder.size() > 40 ? folder.substr(0, 40) + " ..." : folder;
}

RenameDecision DecideRename(const std::string& folder, const std::string& oldName,
                            const std::optional<std::string>& newName, bool exists) {
  RenameDecision d;
  if (!newName || newName->empty() || *newName == oldName) return d;
  // A folder part in the new name would move the file, or name a stream;
  // renaming keeps a file in its folder.
  if (newName->find_first_of("\\/:") != std::string::npos) {
    d.action = RenameAction::WarnInvalid;
    d.message = kMsgInvalidFilename;
    return d;
  }
  d.newFull = folder + *newName;
  // A change of case only finds the file itself: that is no clash.
  const bool sameFile = LowerAZ(*newName) == LowerAZ(oldName);
  if (exists && !sameFile) {
    d.action = RenameAction::WarnExists;
    d.message = FilenameExists(d.newFull);
    return d;
  }
  const std::string oldExt = ExtensionOf(oldName), newExt = ExtensionOf(*newName);
  if (oldExt != newExt) {
    d.action = RenameAction::AskExtension;
    d.message = RenameExtensionQuestion(oldExt, newExt);
    return d;
  }
  d.action = RenameAction::Rename;
  return d;
}

}  // namespace w95::explorer
