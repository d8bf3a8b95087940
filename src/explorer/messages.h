// Texts of the explorer's messages to the user, and how each is asked.
#pragma once

#include <string>

namespace w95::explorer {

// The message of the explorer window's requests to the host, and the
// request codes it carries.
enum : int {
  kExplorerNotify = 2321,
  kNotifyInfo = 2305,
  kNotifyPreview = 2307,
  kNotifyDelete = 2308,
  kNotifyInstantSlideshow = 2311,
  kNotifyConvert = 2312,
  kNotifyOneFile = 2313,
  kNotifySeveralFiles = 2320,
};

inline constexpr const char* kMsgInvalidFilename = "Invalid filename.\nPlease reenter.";
inline constexpr const char* kMsgInvalidPath = "Invalid path.\nPlease reenter.";
inline constexpr const char* kMsgAccessDenied = "Access denied.";
inline constexpr const char* kMsgFileNotFound = "File not found.";
inline constexpr const char* kMsgNoFilesSelected = "No file(s) selected!";
inline constexpr const char* kMsgCannotCreate = "Cannot create file.\n";
inline constexpr const char* kMsgPreviewOn = "Preview mode enabled.";
inline constexpr const char* kMsgPreviewOff = "Preview mode disabled.";

// A listed file whose name the code page cannot hold and that has no short
// name either: the marks stand for what cannot be written.
inline std::string NameCannotBePassedOn(const std::string& shown) {
  return shown + "\nThis file name cannot be passed on.\nRename the file and try again.";
}
inline std::string OverwriteQuestion(const std::string& name) {
  return name + "\n" + "in use.  Overwrite?";
}
inline std::string DriveNotReady(char upperLetter) {
  return std::string("Drive ") + upperLetter + ": not ready.";
}
inline std::string ExtensionQuestion(const std::string& expected, const std::string& actual) {
  return "Extension (file type) different. \n" + expected + " expected instead of " + actual +
         "\n" + "Continue?";
}
inline std::string CannotCreateFolder(const std::string& path) {
  return "Cannot create folder.\n" + path;
}
inline std::string FilenameExists(const std::string& path) { return "Filename exists.\n" + path; }
inline std::string RenameExtensionQuestion(const std::string& oldExt, const std::string& newExt) {
  return "Different FILE extension.\nOld Type:" + oldExt + "\n" + "New Type:" + newExt + "\n" +
         "Continue ?";
}
inline std::string CouldNotRename(const std::string& from, const std::string& to) {
  return "Could not rename\n" + from + "\n" + "to" + "\n" + to;
}

}  // namespace w95::explorer
