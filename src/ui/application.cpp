#include "ui/application.h"

#include "platform/platform.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/form_registry.h"
#include "ui/peer.h"

namespace w95::ui {

void ApplicationObject::ProcessMessages() {
  CurrentBackend().ProcessMessages();
  FreeReleasedForms();
}

bool ApplicationObject::HelpContext(uintptr_t window, int context) {
  return platform::Current().desktop->Help(window, helpFile_, kHelpContext,
                                           static_cast<uintptr_t>(context));
}

void ApplicationObject::ShowException(const std::exception& e) {
  MessageDlg(e.what(), MsgKind::Error, Buttons::OK);
}

uintptr_t ApplicationObject::Handle() { return CurrentBackend().ApplicationHandle(); }

void ApplicationObject::FreeReleasedForms() { detail::FreeReleased(); }

void ApplicationObject::Shutdown() {
  detail::FreeReleased();
  const std::vector<Form*> open = detail::Forms();
  for (Form* f : open) f->DestroyPeers();
  CurrentBackend().Shutdown();
}

HandlerScope::HandlerScope() { detail::EnterHandler(); }
HandlerScope::~HandlerScope() { detail::LeaveHandler(); }
bool HandlersRunning() { return detail::HandlerDepth() > 0; }

ApplicationObject& Application() {
  static ApplicationObject app;
  return app;
}

}  // namespace w95::ui
