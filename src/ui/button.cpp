#include "ui/button.h"

#include "ui/form.h"

namespace w95::ui {

Button::Button(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void Button::SetDefault(bool on) {
  default_ = on;
  Changed(Prop::Default);
}

void Button::SetGlyph(std::string name) {
  glyph_ = std::move(name);
  Invalidate();
}

void Button::UserClick() {
  Guard([&] {
    Form* form = OwnerForm();
    if (form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
    Fire(OnClick);
  });
}

CheckBox::CheckBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void CheckBox::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  Changed(Prop::Checked);
  Fire(OnClick);
}

void CheckBox::UserClick() {
  Guard([&] { SetChecked(!checked_); });
}

RadioButton::RadioButton(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 113, 17);
  SetTabStop(true);
}

void RadioButton::SetChecked(bool on) {
  if (on == checked_) return;
  checked_ = on;
  Changed(Prop::Checked);
  if (on && Parent()) {
    for (Control* c : Parent()->Children())
      if (auto* r = dynamic_cast<RadioButton*>(c); r && r != this && r->group_ == group_)
        r->SetChecked(false);
  }
  if (on) Fire(OnClick);
}

void RadioButton::UserClick() {
  Guard([&] { SetChecked(true); });
}

}  // namespace w95::ui
