#include "ui/automation.h"
#include "ui/peer.h"
#include "ui/types.h"

namespace w95::ui {

namespace {
Backend* installed = nullptr;
Automation* automation = nullptr;
}  // namespace

Backend& CurrentBackend() { return installed ? *installed : DefaultBackend(); }
void SetBackend(Backend* backend) { installed = backend; }

Automation* ActiveAutomation() { return automation; }
void SetActiveAutomation(Automation* a) { automation = a; }

const char* TitleOf(MsgKind kind) {
  switch (kind) {
    case MsgKind::Warning:
      return "Warning";
    case MsgKind::Error:
      return "Error";
    case MsgKind::Information:
      return "Information";
    case MsgKind::Confirm:
      return "Confirm";
  }
  return "";
}

}  // namespace w95::ui
