#include "ui/form.h"

#include <algorithm>
#include <cctype>

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

void Form::SetStayOnTop(bool on) {
  stayOnTop_ = on;
  Changed(Prop::BorderStyle);
}

void Form::SetActiveControl(Control* control) {
  activeControl_ = control;
}

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
  if (activeControl_ && activeControl_->CanUse()) activeControl_->SetFocus();
  else FocusFirst();
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

Control* FindAccelerated(Control& root, char letter) {
  for (Control* c : root.Children()) {
    const bool takes = dynamic_cast<Label*>(c) || dynamic_cast<Button*>(c) ||
                       dynamic_cast<CheckBox*>(c) || dynamic_cast<RadioButton*>(c);
    if (takes && UsableOnForm(*c) && AcceleratorOf(c->Text()) == letter) return c;
    if (Control* d = FindAccelerated(*c, letter)) return d;
  }
  return nullptr;
}

// A tab control with a tab whose caption carries the accelerator; `index`
// is that tab.
TabControl* FindAcceleratedTab(Control& root, char letter, int& index) {
  for (Control* c : root.Children()) {
    if (auto* t = dynamic_cast<TabControl*>(c); t && UsableOnForm(*t))
      for (size_t i = 0; i < t->Tabs().size(); ++i)
        if (AcceleratorOf(t->Tabs()[i]) == letter) {
          index = static_cast<int>(i);
          return t;
        }
    if (TabControl* d = FindAcceleratedTab(*c, letter, index)) return d;
  }
  return nullptr;
}
}  // namespace

bool Form::UserAccelerator(char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  Control* c = FindAccelerated(*this, letter);
  if (!c) {
    // The accelerator of a tab: that tab is chosen, with the focus on its
    // control, as a click on it does.
    int index = -1;
    TabControl* t = FindAcceleratedTab(*this, letter, index);
    if (!t) return false;
    t->UserFocused();
    t->SetFocus();
    if (t->TabIndex() != index) t->UserSelected(index);
    return true;
  }
  if (auto* l = dynamic_cast<Label*>(c)) {
    Control* target = l->FocusControl();
    if (!target || !target->CanUse()) return false;
    target->UserFocused();
    target->SetFocus();
    return true;
  }
  // The focus goes to the control for real, not only in the form's books:
  // else the window shows it elsewhere and the next Tab starts from a
  // control the user never saw focused.
  if (c->CanFocus()) {
    c->UserFocused();
    c->SetFocus();
  }
  c->UserClick();
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
  auto it = std::find_if(focusable.begin(), focusable.end(),
                         [](Control* c) { return c->TabStop(); });
  if (it != focusable.end()) (*it)->SetFocus();
}

void Form::EndModal() {
  Hide();
}

}  // namespace w95::ui
