// Bookkeeping of the live forms: which exist, which run modally (innermost
// last), which was shown last, and the self-owned forms waiting to be freed.
#pragma once

#include <memory>
#include <vector>

namespace w95::ui {
class Form;
}

namespace w95::ui::detail {

void RegisterForm(Form* form);
void UnregisterForm(Form* form);
void PushModal(Form* form);
void PopModal(Form* form);
void Shown(Form* form);
// The innermost modal form, else the most recently shown visible form.
Form* ActiveForm();
const std::vector<Form*>& Forms();
// A form closed for good waits here until no handler runs (HandlerScope).
void Release(std::unique_ptr<Form> form);
bool HasReleased();
void FreeReleased();
// A message box, pop-up menu or common dialog of the library is on screen
// while one of these lives.
class DialogBoxScope {
 public:
  DialogBoxScope();
  ~DialogBoxScope();
  DialogBoxScope(const DialogBoxScope&) = delete;
  DialogBoxScope& operator=(const DialogBoxScope&) = delete;
};
int DialogBoxesOpen();
// The innermost modal form, or nullptr.
Form* InnermostModal();
void EnterHandler();
void LeaveHandler();
int HandlerDepth();

}  // namespace w95::ui::detail
