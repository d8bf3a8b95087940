// The headless backend: no peers. Modal forms, message boxes, popup menus and
// common dialogs are answered by the installed automation (a test session);
// without one they fail loudly, as does a script that leaves its modal form open.
#include <memory>

#include "platform/platform.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/peer.h"
#include "ui/automation.h"

namespace w95::ui {

namespace {

Automation& RequireSession(const std::string& what) {
  Automation* s = ActiveAutomation();
  if (!s) throw ScriptFailure(what + " appeared with no test session to answer it");
  return *s;
}

class HeadlessBackend final : public Backend {
 public:
  std::unique_ptr<Peer> CreatePeer(Control&) override { return nullptr; }

  ModalResult RunModal(Form& form) override {
    form.Show();
    form.UserActivated();
    if (form.GetModalResult() == mrNone) {
      Automation& session = RequireSession("modal form '" + form.Name() + "'");
      auto script = session.TakeModalScript(form);
      session.DialogLoopRuns(false);
      // What ran meanwhile may have ended the form already.
      if (form.GetModalResult() == mrNone) script(form);
      if (form.GetModalResult() == mrNone)
        throw ScriptFailure("the script left modal form '" + form.Name() + "' open");
    }
    form.EndModal();
    return form.GetModalResult();
  }

  void ProcessMessages() override {
    if (Automation* a = ActiveAutomation()) a->MessagesRun();
  }

  MenuItem* TrackPopup(PopupMenu& menu, Point) override {
    Automation& session = RequireSession("popup menu '" + menu.Name() + "'");
    session.DialogLoopRuns(true);
    return session.TakePopupAnswer(menu);
  }

  ModalResult Message(MsgKind kind, std::string_view text, Buttons buttons) override {
    Automation& session = RequireSession(std::string("message box \"") + std::string(text) + "\"");
    session.DialogLoopRuns(true);
    return session.TakeMessageAnswer(kind, text, buttons);
  }

  uint32_t KeyTime() override {
    Automation* a = ActiveAutomation();
    return a ? a->Clock() : 0;
  }

  void StartTimer(Timer&) override {}
  void StopTimer(Timer&) override {}
  void SetCursor(Cursor) override {}

  bool PickColor(Color& color) override {
    auto a = RequireSession("colour dialog").TakeColorAnswer();
    if (a) color = *a;
    return a.has_value();
  }
  bool PickFont(Font& font) override {
    auto a = RequireSession("font dialog").TakeFontAnswer();
    if (a) font = *a;
    return a.has_value();
  }
  // Confirmed by the script, the dialog then acts on the machine's printer.
  bool RunPrintSetup() override {
    if (!RequireSession("print setup dialog").TakePrintSetupAnswer()) return false;
    platform::Printer* printer = platform::Current().printer;
    return printer ? printer->SetupDialog(0) : true;
  }
  void ScheduleFree() override {}  // freed by the next ProcessMessages, as a test calls it
  uintptr_t ApplicationHandle() override { return 0; }
  void Shutdown() override {}
};

}  // namespace

Backend& DefaultBackend() {
  static HeadlessBackend backend;
  return backend;
}

}  // namespace w95::ui
