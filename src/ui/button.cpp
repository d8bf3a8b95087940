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

void Button::SetGlyph(GlyphKind glyph) {
  if (glyph == glyph_) return;
  glyph_ = glyph;
  Changed(Prop::Glyph);
}

void Button::SetDown(bool on) {
  if (on == down_) return;
  down_ = on;
  Changed(Prop::Checked);
}

void Button::UserClick() {
  Guard([&] {
    Form* form = OwnerForm();
    if (form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
    Fire(OnClick);
  });
}

ButtonFace LayoutButtonFace(const Rect& r, bool hasGlyph, int textWidth, int textHeight,
                            bool pressed) {
  const int glyph = hasGlyph ? kGlyphSize : 0;
  const int gap = hasGlyph && textWidth > 0 ? 4 : 0;
  const int shift = pressed ? 1 : 0;
  const int left = r.left + (r.width - (glyph + gap + textWidth)) / 2 + shift;
  ButtonFace face;
  face.glyph = Point{left, r.top + (r.height - kGlyphSize) / 2 + shift};
  face.text =
      Rect{left + glyph + gap, r.top + (r.height - textHeight) / 2 + shift, textWidth, textHeight};
  return face;
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
