// Something other than a person answering the windows: when one is installed,
// the backends ask it what the user does in each modal form, message box,
// popup menu and common dialog. The library itself installs none; the test
// library's Session does (ui/test_session.h).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "ui/types.h"

namespace w95::ui {

class Form;
class MenuItem;
class PopupMenu;

class Automation {
 public:
  virtual ~Automation() = default;
  // What the user does in a modal form that has just appeared; it runs inside
  // the form's modal loop and must end the form.
  virtual std::function<void(Form&)> TakeModalScript(Form& form) = 0;
  virtual ModalResult TakeMessageAnswer(MsgKind kind, std::string_view text, Buttons buttons) = 0;
  virtual MenuItem* TakePopupAnswer(PopupMenu& menu) = 0;  // nullptr: closed
  virtual std::optional<Color> TakeColorAnswer() = 0;      // nullopt: Cancel
  virtual std::optional<Font> TakeFontAnswer() = 0;
  virtual bool TakePrintSetupAnswer() = 0;
  // Pending messages are being let run (Application().ProcessMessages): the
  // headless backend tells the automation, which may act as the host or the
  // user would at that moment.
  virtual void MessagesRun() {}
  // A modal form, message box or popup menu has appeared and runs its own
  // loop; `messageBox` tells that the form under it is disabled meanwhile.
  virtual void DialogLoopRuns(bool messageBox) { (void)messageBox; }
  // The headless backend's clock for the time stamps of keys (milliseconds).
  virtual uint32_t Clock() { return 0; }
};

Automation* ActiveAutomation();  // nullptr: a person uses the windows
void SetActiveAutomation(Automation* automation);

}  // namespace w95::ui
