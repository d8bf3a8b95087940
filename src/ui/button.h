// Push buttons, check boxes and radio buttons. The toolkit decides the
// checked state itself (the Win32 peers use non-automatic styles), and keeps
// radio buttons of one parent and group exclusive.
#pragma once

#include <string>

#include "ui/control.h"

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
  // Name of a bitmap resource drawn beside the caption (empty: none).
  const std::string& Glyph() const { return glyph_; }
  void SetGlyph(std::string name);
  bool CanFocus() const override { return true; }
  void UserClick() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  ModalResult modalResult_ = mrNone;
  std::string glyph_;
};

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
