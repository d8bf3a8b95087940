// Push buttons, check boxes and radio buttons. The toolkit decides the
// checked state itself (the Win32 peers use non-automatic styles), and keeps
// radio buttons of one parent and group exclusive.
#pragma once

#include <string>

#include "ui/control.h"
#include "ui/glyphs.h"

namespace w95::ui {

class Button : public Control {
 public:
  Button(Control& parent, std::string name);
  bool IsDefault() const { return default_; }
  void SetDefault(bool on);
  bool IsCancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  // Clicking sets the form's modal result to this (unless mrNone).
  ModalResult GetModalResult() const { return modalResult_; }
  void SetModalResult(ModalResult r) { modalResult_ = r; }
  // A glyph drawn centred on the button, or left of its caption when it has
  // one; greyed while the button is disabled. None: a plain push button.
  GlyphKind Glyph() const { return glyph_; }
  void SetGlyph(GlyphKind glyph);
  // Drawn pressed in while down: one of a set of glyph buttons shows the
  // choice in force. Clicks are the owner's to handle as before.
  bool Down() const { return down_; }
  void SetDown(bool on);
  bool CanFocus() const override { return true; }
  void UserClick() override;

 private:
  bool default_ = false;
  bool down_ = false;
  bool cancel_ = false;
  ModalResult modalResult_ = mrNone;
  GlyphKind glyph_ = GlyphKind::None;
};

// Where a glyph button's picture and caption go inside its rectangle: the
// glyph left of the caption (4 pixels apart), the pair centred; pressed
// buttons show both one pixel down and right.
struct ButtonFace {
  Point glyph;  // top-left corner of the 16 x 16 glyph
  Rect text;    // the caption's box (empty without a caption)
};
ButtonFace LayoutButtonFace(const Rect& button, bool hasGlyph, int textWidth, int textHeight,
                            bool pressed);

class CheckBox : public Control {
 public:
  CheckBox(Control& parent, std::string name);
  bool Checked() const { return checked_; }
  // Fires OnClick when the state changes, as a user click does.
  void SetChecked(bool on);
  bool CanFocus() const override { return true; }
  void UserClick() override;  // toggles

 private:
  bool checked_ = false;
};

class RadioButton : public Control {
 public:
  RadioButton(Control& parent, std::string name);
  bool Checked() const { return checked_; }
  // Checking one unchecks the others of the same parent and group.
  void SetChecked(bool on);
  int Group() const { return group_; }
  void SetGroup(int group) { group_ = group; }
  bool CanFocus() const override { return true; }
  void UserClick() override;  // checks

 private:
  bool checked_ = false;
  int group_ = 0;
};

}  // namespace w95::ui
