// The application object: owner of every library window, its help file, and
// the place where pending messages are let run and errors are shown.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace w95::ui {

class Form;

// The library's help file and the WinHelp command it is opened with.
inline constexpr const char* kHelpFile = "PLIMBO.HLP";
inline constexpr unsigned kHelpContext = 1;  // HELP_CONTEXT

class ApplicationObject {
 public:
  void ProcessMessages();
  const std::string& HelpFile() const { return helpFile_; }
  void SetHelpFile(std::string file) { helpFile_ = std::move(file); }
  // Opens the help file at a context number on a window (the desktop's Help).
  bool HelpContext(uintptr_t window, int context);
  // The standard error box: the error's message text.
  void ShowException(const std::exception& e);
  uintptr_t Handle();  // the hidden owner window (0 headless)
  // Frees the forms closed with CloseAction::Free.
  void FreeReleasedForms();

 private:
  std::string helpFile_ = kHelpFile;
};

ApplicationObject& Application();

}  // namespace w95::ui
