#include "ui/control.h"

#include <algorithm>

#include "platform/error.h"
#include "ui/application.h"
#include "ui/form.h"

namespace w95::ui {

void Guard(const std::function<void()>& fn) {
  const HandlerScope running;
  try {
    fn();
  } catch (const ScriptFailure&) {
    throw;
  } catch (const std::exception& e) {
    Application().ShowException(e);
  }
}

namespace {
// Added under a parent that has a peer, still waiting for their own.
std::vector<Control*>& Pending() {
  static std::vector<Control*> pending;
  return pending;
}
}  // namespace

void FlushPendingPeers() {
  auto controls = std::move(Pending());
  Pending().clear();
  for (Control* c : controls)
    if (c->Parent() && c->Parent()->GetPeer()) c->CreatePeers();
}

uintptr_t Control::Handle() const {
  if (!peer_ && parent_ && parent_->peer_) FlushPendingPeers();
  return peer_ ? peer_->Handle() : 0;
}

Control::Control(std::string name) : name_(std::move(name)) {}

Control::Control(Control& parent, std::string name) : name_(std::move(name)), parent_(&parent) {
  parent.AddChild(this);
}

Control::~Control() {
  auto& pending = Pending();
  pending.erase(std::remove(pending.begin(), pending.end(), this), pending.end());
  peer_.reset();
  for (Control* c : children_) c->parent_ = nullptr;
  if (parent_) parent_->RemoveChild(this);
  if (Form* f = dynamic_cast<Form*>(parent_ ? OwnerForm() : nullptr);
      f && f->ActiveControl() == this)
    f->SetActiveControl(nullptr);
}

void Control::AddChild(Control* child) {
  children_.push_back(child);
  // A control added to a window already on screen: its own constructor has
  // not run yet, so its peer is made a little later (FlushPendingPeers).
  if (peer_) Pending().push_back(child);
}

void Control::RemoveChild(Control* child) {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

Form* Control::OwnerForm() {
  Control* c = this;
  while (c) {
    if (auto* f = dynamic_cast<Form*>(c)) return f;
    c = c->parent_;
  }
  return nullptr;
}

Control* Control::Find(std::string_view name) {
  for (Control* c : children_) {
    if (c->name_ == name) return c;
    if (Control* d = c->Find(name)) return d;
  }
  return nullptr;
}

void Control::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Changed(Prop::Text);
  TextChanged();
}

void Control::SetBounds(int left, int top, int width, int height) {
  Rect r{left, top, width, height};
  if (r.left == bounds_.left && r.top == bounds_.top && r.width == bounds_.width &&
      r.height == bounds_.height)
    return;
  bounds_ = r;
  Changed(Prop::Bounds);
  Realign();
  // An aligned control that changes its size moves its neighbours.
  if (align_ != Align::None && parent_ && !parent_->aligning_) parent_->Realign();
}

void Control::SetAlign(Align align) {
  align_ = align;
  if (parent_) parent_->Realign();
}

void Control::Realign() {
  aligning_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{aligning_};
  Rect area{0, 0, bounds_.width, bounds_.height};
  auto place = [&](Control* c, Align a) {
    Rect b = c->bounds_;
    switch (a) {
      case Align::Top:
        b = {area.left, area.top, area.width, b.height};
        area.top += b.height;
        area.height -= b.height;
        break;
      case Align::Bottom:
        b = {area.left, area.Bottom() - b.height, area.width, b.height};
        area.height -= b.height;
        break;
      case Align::Left:
        b = {area.left, area.top, b.width, area.height};
        area.left += b.width;
        area.width -= b.width;
        break;
      case Align::Right:
        b = {area.Right() - b.width, area.top, b.width, area.height};
        area.width -= b.width;
        break;
      case Align::Client:
        b = area;
        break;
      case Align::None:
        return;
    }
    c->SetBounds(b.left, b.top, std::max(b.width, 0), std::max(b.height, 0));
  };
  for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client})
    for (Control* c : children_)
      if (c->align_ == a && c->visible_) place(c, a);
}

void Control::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  Changed(Prop::Enabled);
}

void Control::SetVisible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  Changed(Prop::Visible);
  // A backend may leave a hidden control without a window until it is shown.
  if (on && !peer_ && parent_ && parent_->peer_) CreatePeers();
  if (parent_ && align_ != Align::None) parent_->Realign();
}

bool Control::Showing() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

bool Control::CanUse() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

const Font& Control::GetFont() const {
  if (parentFont_ && parent_) return parent_->GetFont();
  return font_;
}

void Control::SetFont(const Font& font) {
  font_ = font;
  parentFont_ = false;
  Changed(Prop::Font);
  for (Control* c : children_)
    if (c->parentFont_) c->Changed(Prop::Font);
}

void Control::SetColor(Color color) {
  if (color == color_) return;
  color_ = color;
  Changed(Prop::BackColor);
}

void Control::SetHint(std::string hint) {
  if (hint == hint_) return;
  hint_ = std::move(hint);
  Changed(Prop::Hint);
}

void Control::SetShowHint(bool on) {
  if (on == showHint_) return;
  showHint_ = on;
  Changed(Prop::Hint);
}

void Control::SetFocus() {
  if (Form* f = OwnerForm(); f && f != this) f->SetActiveControl(this);
  if (peer_) peer_->Focus();
}

bool Control::Focused() {
  Form* f = OwnerForm();
  return f && f->ActiveControl() == this;
}

void Control::Fire(const NotifyEvent& event) {
  if (event) event(*this);
}

void Control::UserClick() {
  Guard([&] { Fire(OnClick); });
}
void Control::UserDblClick() {
  Guard([&] { Fire(OnDblClick); });
}

void Control::UserFocused() {
  Form* f = OwnerForm();
  if (!f || f == this || f->ActiveControl() == this) return;
  Control* old = f->ActiveControl();
  f->SetActiveControl(this);
  Guard([&] {
    if (old) old->Fire(old->OnExit);
    Fire(OnEnter);
  });
}

void Control::UserKeyDown(int& key, unsigned shift) {
  Guard([&] {
    if (OnKeyDown) OnKeyDown(*this, key, shift);
  });
}
void Control::UserKeyPress(char& key) {
  Guard([&] {
    if (OnKeyPress) OnKeyPress(*this, key);
  });
}
void Control::UserMouseDown(MouseButton b, unsigned shift, int x, int y) {
  Guard([&] {
    if (OnMouseDown) OnMouseDown(*this, b, shift, x, y);
  });
}
void Control::UserMouseUp(MouseButton b, unsigned shift, int x, int y) {
  Guard([&] {
    if (OnMouseUp) OnMouseUp(*this, b, shift, x, y);
  });
}
void Control::UserMouseMove(unsigned shift, int x, int y) {
  Guard([&] {
    if (OnMouseMove) OnMouseMove(*this, shift, x, y);
  });
}

void Control::CreatePeers() {
  if (!peer_) peer_ = CurrentBackend().CreatePeer(*this);
  for (Control* c : children_) c->CreatePeers();
}

void Control::DestroyPeers() {
  for (Control* c : children_) c->DestroyPeers();
  peer_.reset();
}

}  // namespace w95::ui
