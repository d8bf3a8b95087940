#include "ui/form.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/form_registry.h"
#include "ui/image.h"
#include "ui/menu.h"

namespace w95::ui {

Form::Form(std::string name) : Control(std::move(name)) {
  SetBounds(0, 0, 320, 240);
  SetVisible(false);
  detail::RegisterForm(this);
}

Form::~Form() {
  detail::UnregisterForm(this);
  DestroyPeers();
}

bool AtRest(const Form& form) {
  if (detail::DialogBoxesOpen() > 0) return false;
  const Form* innermost = detail::InnermostModal();
  return innermost == nullptr || innermost == &form;
}

ModalResult Form::ShowModal() {
  modalResult_ = mrNone;
  modal_ = true;
  detail::PushModal(this);
  struct Pop {
    Form* f;
    ~Pop() {
      detail::PopModal(f);
      f->modal_ = false;
    }
  } pop{this};
  CreatePeers();
  return CurrentBackend().RunModal(*this);
}

void Form::SetModalResult(ModalResult result) {
  modalResult_ = result;
  if (result == mrNone || !modal_) return;
  if (!CloseQuery()) {
    modalResult_ = mrNone;
    return;
  }
  CloseAction action = CloseAction::Hide;
  DoClose(action);
  if (action == CloseAction::None) modalResult_ = mrNone;
}

void Form::Show() {
  CreatePeers();
  detail::Shown(this);
  if (Visible() && !modal_) {
    Changed(Prop::Visible);  // bring to front
    return;
  }
  SetVisible(true);
  Guard([&] { Fire(OnShow); });
}

void Form::Hide() {
  if (!Visible()) return;
  SetVisible(false);
  Guard([&] { Fire(OnHide); });
}

void Form::Close() {
  if (modal_) {
    if (modalResult_ == mrNone) SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  CloseAction action = self_ ? CloseAction::Free : CloseAction::Hide;
  DoClose(action);
  if (action == CloseAction::None) return;
  Hide();
  if (action == CloseAction::Free && self_) detail::Release(std::move(self_));
}

void Form::ReleaseOnClose(std::unique_ptr<Form> self) { self_ = std::move(self); }

bool Form::CloseQuery() {
  bool can = true;
  Guard([&] {
    if (OnCloseQuery) OnCloseQuery(*this, can);
  });
  return can;
}

void Form::DoClose(CloseAction& action) {
  Guard([&] {
    if (OnClose) OnClose(*this, action);
  });
}

void Form::SetClientSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

void Form::SetBorderStyle(BorderStyle style) {
  borderStyle_ = style;
  Changed(Prop::BorderStyle);
}

void Form::SetBorderIcons(bool on) {
  borderIcons_ = on;
  Changed(Prop::BorderStyle);
}

void Form::SetWindowState(WindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  Changed(Prop::WindowState);
}

void Form::SuspendPainting() {
  if (paintingPauses_++ == 0) Changed(Prop::Painting);
}

void Form::ResumePainting() {
  if (paintingPauses_ > 0 && --paintingPauses_ == 0) Changed(Prop::Painting);
}

void Form::SetStayOnTop(bool on) {
  stayOnTop_ = on;
  Changed(Prop::BorderStyle);
}

void Form::SetActiveControl(Control* control) { activeControl_ = control; }

namespace {
// Visible and enabled up to (not including) the form.
bool UsableOnForm(const Control& c) {
  for (const Control* p = &c; p && !dynamic_cast<const Form*>(p); p = p->Parent())
    if (!p->Visible() || !p->Enabled()) return false;
  return true;
}

template <class Pred>
Button* FindButton(Control& root, Pred pred) {
  for (Control* c : root.Children()) {
    if (auto* b = dynamic_cast<Button*>(c); b && pred(*b) && UsableOnForm(*b)) return b;
    if (Button* d = FindButton(*c, pred)) return d;
  }
  return nullptr;
}

void CollectFocusable(Control& root, std::vector<Control*>& out) {
  for (Control* c : root.Children()) {
    if (c->CanFocus() && UsableOnForm(*c)) out.push_back(c);
    CollectFocusable(*c, out);
  }
}
}  // namespace

Button* Form::DefaultButton() const {
  return FindButton(const_cast<Form&>(*this), [](Button& b) { return b.IsDefault(); });
}

Button* Form::CancelButton() const {
  return FindButton(const_cast<Form&>(*this), [](Button& b) { return b.IsCancel(); });
}

void Form::SetMenu(MainMenu* menu) {
  menu_ = menu;
  Changed(Prop::Menu);
}

void Form::ShowHelp() { Application().HelpContext(Handle(), HelpContext()); }

void Form::UserActivated() {
  if (activeControl_ && activeControl_->CanUse())
    activeControl_->SetFocus();
  else
    FocusFirst();
  Guard([&] { Fire(OnActivate); });
}

void Form::UserClosing() { Close(); }

bool Form::UserPreviewKey(int& key, unsigned shift) {
  if (keyPreview_ && OnKeyDown) Guard([&] { OnKeyDown(*this, key, shift); });
  return key == 0;
}

bool Form::UserDialogKey(int key, unsigned shift) {
  if (shift != ssNone) return false;
  if (key == vkReturn) {
    // A push button with the focus is the one Return presses.
    if (auto* b = dynamic_cast<Button*>(activeControl_); b && b->CanUse()) {
      b->UserClick();
      return true;
    }
    if (Button* b = DefaultButton()) {
      b->UserClick();
      return true;
    }
  } else if (key == vkEscape) {
    if (Button* b = CancelButton()) {
      b->UserClick();
      return true;
    }
  }
  return false;
}

namespace {
char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

// What a letter leads to: a button, check box or radio button with it in
// its caption, a label with it (standing for its focus control) or a tab of
// a tab control. `tab` is that tab, or -1.
struct Accelerated {
  Control* control;
  int tab = -1;
  // Where the focus goes for it.
  Control* Target() const {
    if (auto* l = dynamic_cast<Label*>(control)) return l->FocusControl();
    return control;
  }
};

// Every control the letter leads to, in tab order. `passed` counts those
// before the focused control `focus`, so that a search can start after it.
void CollectAccelerated(Control& root, char letter, const Control* focus,
                        std::vector<Accelerated>& out, size_t& passed) {
  for (Control* c : root.Children()) {
    if (c == focus) passed = out.size();
    const bool takes = dynamic_cast<Label*>(c) || dynamic_cast<Button*>(c) ||
                       dynamic_cast<CheckBox*>(c) || dynamic_cast<RadioButton*>(c);
    if (takes && UsableOnForm(*c) && AcceleratorOf(c->Text()) == letter) {
      Accelerated a{c};
      if (Control* t = a.Target(); t && t->CanUse()) out.push_back(a);
    }
    if (auto* t = dynamic_cast<TabControl*>(c); t && UsableOnForm(*t))
      for (size_t i = 0; i < t->Tabs().size(); ++i)
        if (AcceleratorOf(t->Tabs()[i]) == letter) out.push_back({t, static_cast<int>(i)});
    CollectAccelerated(*c, letter, focus, out, passed);
  }
}

// The focus goes to the control for real, not only in the form's books:
// else the window shows it elsewhere and the next Tab starts from a
// control the user never saw focused. A tab is chosen with the focus on
// its control, as a click on it does.
void FocusAccelerated(const Accelerated& a) {
  Control* target = a.Target();
  if (target->CanFocus()) {
    target->UserFocused();
    target->SetFocus();
  }
  if (auto* t = dynamic_cast<TabControl*>(target); t && a.tab >= 0 && t->TabIndex() != a.tab)
    t->UserSelected(a.tab);
}
}  // namespace

// A letter that one control has acts at once: its button is pressed, its
// label's control or its tab gets the focus. A letter that several share
// only moves the focus, to the next of them after the focused control (and
// round), so that each can be reached; Return or Space then presses it.
bool Form::UserAccelerator(char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  if (!letter) return false;
  std::vector<Accelerated> found;
  size_t passed = 0;
  CollectAccelerated(*this, letter, activeControl_, found, passed);
  if (found.empty()) return false;
  if (found.size() == 1) {
    FocusAccelerated(found[0]);
    if (found[0].Target() == found[0].control && found[0].tab < 0) found[0].control->UserClick();
    return true;
  }
  size_t next = passed;
  for (size_t i = 0; i < found.size(); ++i) {
    auto* t = dynamic_cast<TabControl*>(found[i].Target());
    if (found[i].Target() == activeControl_ && (!t || t->TabIndex() == found[i].tab)) next = i + 1;
  }
  FocusAccelerated(found[next % found.size()]);
  return true;
}

void Form::UserResized(int clientWidth, int clientHeight) {
  if (clientWidth == Width() && clientHeight == Height()) return;
  SetBounds(Left(), Top(), clientWidth, clientHeight);
  Guard([&] { Fire(OnResize); });
}

void Form::UserMoved(int left, int top) {
  if (left == Left() && top == Top()) return;
  SetBounds(left, top, Width(), Height());
}

void Form::FocusFirst() {
  std::vector<Control*> focusable;
  CollectFocusable(*this, focusable);
  auto it =
      std::find_if(focusable.begin(), focusable.end(), [](Control* c) { return c->TabStop(); });
  if (it != focusable.end()) (*it)->SetFocus();
}

void Form::EndModal() { Hide(); }

}  // namespace w95::ui
