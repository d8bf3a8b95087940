#include "ui/form_registry.h"

#include <algorithm>

#include "ui/form.h"
#include "ui/peer.h"

namespace w95::ui::detail {

namespace {
std::vector<Form*> forms;   // in order of last showing
std::vector<Form*> modals;  // innermost last
std::vector<std::unique_ptr<Form>> released;
int running = 0;  // open HandlerScopes
int boxes = 0;    // open DialogBoxScopes

void Erase(std::vector<Form*>& v, Form* f) { v.erase(std::remove(v.begin(), v.end(), f), v.end()); }
}  // namespace

void RegisterForm(Form* form) { forms.push_back(form); }
void UnregisterForm(Form* form) {
  Erase(forms, form);
  Erase(modals, form);
}
void PushModal(Form* form) {
  modals.push_back(form);
  Shown(form);
}
void PopModal(Form* form) { Erase(modals, form); }
void Shown(Form* form) {
  Erase(forms, form);
  forms.push_back(form);
}

Form* ActiveForm() {
  if (!modals.empty()) return modals.back();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if ((*it)->Visible() && (*it)->GetPeer()) return *it;
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if ((*it)->Visible()) return *it;
  return nullptr;
}

const std::vector<Form*>& Forms() { return forms; }

void Release(std::unique_ptr<Form> form) {
  released.push_back(std::move(form));
  if (running == 0) CurrentBackend().ScheduleFree();
}

bool HasReleased() { return !released.empty(); }

void FreeReleased() {
  if (running > 0) return;  // the end of the outermost scope asks again
  // Destroying a form lets its windows' last messages run, which may close
  // and release another: freed in the next round.
  while (!released.empty()) {
    auto dying = std::move(released);
    released.clear();
    dying.clear();
  }
}

DialogBoxScope::DialogBoxScope() { ++boxes; }
DialogBoxScope::~DialogBoxScope() { --boxes; }
int DialogBoxesOpen() { return boxes; }
Form* InnermostModal() { return modals.empty() ? nullptr : modals.back(); }

void EnterHandler() { ++running; }
void LeaveHandler() {
  if (--running == 0 && !released.empty()) CurrentBackend().ScheduleFree();
}
int HandlerDepth() { return running; }

}  // namespace w95::ui::detail
