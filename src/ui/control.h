// The base of every control and form. The control object holds all of its
// state; its peer (if any) mirrors it. Designed controls are value members of
// their form, constructed with the parent they sit on and a name:
//
//   class TMyDlg : public ui::Form {
//     ui::Button BtnOK{*this, "BtnOK"};
//     ...
//   };
//
// Event slots are public std::function members bound by the form to its own
// handlers; programmatic changes fire the same events as user input.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/peer.h"
#include "ui/types.h"

namespace w95::ui {

class Form;

using NotifyEvent = std::function<void(Control& sender)>;
using KeyEvent = std::function<void(Control& sender, int& key, unsigned shift)>;
using KeyPressEvent = std::function<void(Control& sender, char& key)>;
using MouseEvent =
    std::function<void(Control& sender, MouseButton button, unsigned shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Control& sender, unsigned shift, int x, int y)>;

class Control {
 public:
  // A control without a parent (a form, or a control used on its own).
  explicit Control(std::string name = {});
  Control(Control& parent, std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  Control* Parent() const { return parent_; }
  Form* OwnerForm();  // the form this control sits on (itself for a form)
  const std::vector<Control*>& Children() const { return children_; }
  // The control of that name among the descendants, or nullptr.
  Control* Find(std::string_view name);
  template <class T>
  T* FindAs(std::string_view name) {
    return dynamic_cast<T*>(Find(name));
  }

  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // Caption and Text are one property (a button's caption, a form's title).
  const std::string& Caption() const { return text_; }
  void SetCaption(std::string text) { SetText(std::move(text)); }

  const Rect& Bounds() const { return bounds_; }
  void SetBounds(int left, int top, int width, int height);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  void SetLeft(int v) { SetBounds(v, bounds_.top, bounds_.width, bounds_.height); }
  void SetTop(int v) { SetBounds(bounds_.left, v, bounds_.width, bounds_.height); }
  void SetWidth(int v) { SetBounds(bounds_.left, bounds_.top, v, bounds_.height); }
  void SetHeight(int v) { SetBounds(bounds_.left, bounds_.top, bounds_.width, v); }
  Align GetAlign() const { return align_; }
  void SetAlign(Align align);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  // A control (with its children) that stays hidden for most of a window's
  // life may get its window only when first shown: the window then opens
  // sooner. Not for a control whose window is used while it is hidden.
  bool WindowWhenShown() const { return windowWhenShown_; }
  void SetWindowWhenShown(bool on) { windowWhenShown_ = on; }
  // Visible and enabled all the way up to the form.
  bool Showing() const;
  bool CanUse() const;

  const Font& GetFont() const;  // own font, or the parent's while ParentFont
  void SetFont(const Font& font);
  bool ParentFont() const { return parentFont_; }
  Color GetColor() const { return color_; }
  void SetColor(Color color);

  // The hint: a short help text shown as a tooltip while the mouse rests on
  // the control (Win32), when ShowHint is on (the default).
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on) { tabStop_ = on; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int context) { helpContext_ = context; }
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t tag) { tag_ = tag; }

  void SetFocus();
  bool Focused();
  virtual bool CanFocus() const { return false; }
  // A key this control handles itself while focused, which the form then
  // does not take as a dialog key (Return for the default button).
  virtual bool WantsKey(int /*key*/) const { return false; }

  Peer* GetPeer() const { return peer_.get(); }
  // The native window; a control added to a window on screen gets it here at
  // the latest (see FlushPendingPeers).
  uintptr_t Handle() const;
  void Invalidate() {
    if (peer_) peer_->Invalidate();
  }
  // Paints at once what the control's window and its children owe.
  void PaintNow() {
    if (peer_) peer_->PaintNow();
  }

  NotifyEvent OnClick;
  NotifyEvent OnDblClick;
  NotifyEvent OnEnter;
  NotifyEvent OnExit;
  KeyEvent OnKeyDown;
  KeyPressEvent OnKeyPress;
  MouseEvent OnMouseDown;
  MouseEvent OnMouseUp;
  MouseMoveEvent OnMouseMove;

  // ---- Entry points for user input (backends and test drivers). Each runs
  // the control's events under the error convention: an error escaping a
  // handler is shown in the standard error box and the window stays open.
  virtual void UserClick();
  void UserDblClick();
  void UserFocused();  // the control received the input focus
  virtual void UserKeyDown(int& key, unsigned shift);
  virtual void UserKeyPress(char& key);
  void UserMouseDown(MouseButton button, unsigned shift, int x, int y);
  void UserMouseUp(MouseButton button, unsigned shift, int x, int y);
  void UserMouseMove(unsigned shift, int x, int y);

  // ---- Backend side.
  void CreatePeers();   // this control's peer, then its children's
  void DestroyPeers();  // children first
  void Realign();       // lays out the aligned children

 protected:
  void Changed(Prop p) {
    if (peer_) peer_->Changed(p);
  }
  virtual void TextChanged() {}
  void Fire(const NotifyEvent& event);

 private:
  void AddChild(Control* child);
  void RemoveChild(Control* child);

  std::string name_;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  std::unique_ptr<Peer> peer_;
  std::string text_;
  Rect bounds_;
  Align align_ = Align::None;
  bool aligning_ = false;  // laying out the aligned children
  bool enabled_ = true;
  bool visible_ = true;
  bool windowWhenShown_ = false;
  bool parentFont_ = true;
  Font font_;
  Color color_ = clBtnFace;
  bool tabStop_ = false;
  std::string hint_;
  bool showHint_ = true;
  int helpContext_ = 0;
  intptr_t tag_ = 0;
};

// Controls added at run time to a window that is on screen get their peers
// once fully constructed: here, which the backends call before they dispatch
// the next message (and Handle() calls for its own control).
void FlushPendingPeers();

// Runs fn under the library's error convention: a w95::Error or any other
// std::exception is shown in the standard error box with its message; a
// ScriptFailure of the test backends passes through.
void Guard(const std::function<void()>& fn);

}  // namespace w95::ui
