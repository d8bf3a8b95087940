#include "ui/combo_box.h"

namespace w95::ui {

ComboBox::ComboBox(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 145, 21);
  SetColor(clWindow);
  SetTabStop(true);
}

void ComboBox::SetStyle(ComboStyle s) {
  style_ = s;
  Changed(Prop::Style);
}

void ComboBox::SetItems(std::vector<std::string> items) {
  items_ = std::move(items);
  itemIndex_ = -1;
  Changed(Prop::Items);
}

void ComboBox::AddItem(std::string item) {
  items_.push_back(std::move(item));
  Changed(Prop::Items);
}

void ComboBox::Clear() { SetItems({}); }

void ComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) index = -1;
  itemIndex_ = index;
  Changed(Prop::ItemIndex);
  // The shown text follows the choice; SetText on the base does not fire
  // OnChange for a combo box.
  SetText(index >= 0 ? items_[static_cast<size_t>(index)] : std::string());
}

void ComboBox::UserSelected(int index) {
  Guard([&] {
    SetItemIndex(index);
    Fire(OnChange);
  });
}

void ComboBox::UserEdited(std::string text) {
  Guard([&] {
    SetText(std::move(text));
    itemIndex_ = -1;
    for (size_t i = 0; i < items_.size(); ++i)
      if (items_[i] == Text()) itemIndex_ = static_cast<int>(i);
    Fire(OnChange);
  });
}

}  // namespace w95::ui
