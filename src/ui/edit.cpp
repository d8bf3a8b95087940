#include "ui/edit.h"

namespace w95::ui {

Edit::Edit(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void Edit::SetReadOnly(bool on) {
  readOnly_ = on;
  Changed(Prop::ReadOnly);
}

void Edit::SetAlignment(Alignment a) {
  alignment_ = a;
  Changed(Prop::Alignment);
}

void Edit::SelectAll() { Changed(Prop::Selection); }

void Edit::TextChanged() {
  // Programmatic changes fire OnChange like typing does; inside UserEdited
  // the Guard there already runs it.
  if (userEditing_) return;
  Fire(OnChange);
}

void Edit::UserEdited(std::string text) {
  userEditing_ = true;
  const bool changed = text != Text();
  SetText(std::move(text));
  userEditing_ = false;
  if (changed) Guard([&] { Fire(OnChange); });
}

}  // namespace w95::ui
