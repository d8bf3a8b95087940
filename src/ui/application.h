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
  // The library is being unloaded: the forms closed for good are freed, the
  // windows of forms still open are destroyed, and the backend gives back
  // everything that could call into the library later.
  void Shutdown();
  // Frees the forms closed with CloseAction::Free, unless code of the
  // library is running (see HandlerScope): then they wait for its end.
  void FreeReleasedForms();

 private:
  std::string helpFile_ = kHelpFile;
};

ApplicationObject& Application();

// The lifetime rule: a form closed for good (CloseAction::Free) while code of
// the library runs is only hidden and marked; it is destroyed once the
// outermost of these scopes has ended. Every event handler (Guard), every
// window procedure and timer of the backends and every export opens one, so a
// pump inside a handler (ProcessMessages, a modal loop, a message to the host)
// never frees a window under the code that is still using it.
class HandlerScope {
 public:
  HandlerScope();
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
};

// True while at least one HandlerScope is open.
bool HandlersRunning();

}  // namespace w95::ui
