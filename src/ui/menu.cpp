#include "ui/menu.h"

#include <unordered_map>

#include "ui/form.h"
#include "ui/form_registry.h"

namespace w95::ui {

namespace {
unsigned nextCommand = 1000;
std::unordered_map<unsigned, MenuItem*>& Commands() {
  static std::unordered_map<unsigned, MenuItem*> commands;
  return commands;
}
}  // namespace

MenuItem::MenuItem(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)), command_(nextCommand++) {
  Commands()[command_] = this;
}

MenuItem::~MenuItem() { Commands().erase(command_); }

MenuItem& MenuItem::Add(std::string name, std::string caption) {
  items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
  items_.back()->parent_ = this;
  return *items_.back();
}

MenuItem* MenuItem::Find(std::string_view name) {
  if (name_ == name) return this;
  for (auto& i : items_)
    if (MenuItem* m = i->Find(name)) return m;
  return nullptr;
}

void MenuItem::SetChecked(bool on) {
  checked_ = on;
  if (on && radioItem_ && parent_)
    for (auto& i : parent_->items_)
      if (i.get() != this && i->radioItem_ && i->groupIndex_ == groupIndex_) i->checked_ = false;
}

void MenuItem::Click() {
  Guard([&] {
    if (OnClick) OnClick(*this);
  });
}

MenuItem* FindMenuCommand(unsigned command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

PopupMenu::PopupMenu(Control& owner, std::string name) : MenuItem(std::move(name)), owner_(owner) {}

void PopupMenu::Popup(int x, int y) {
  Guard([&] {
    if (OnPopup) OnPopup(owner_);
  });
  MenuItem* chosen = nullptr;
  {
    const detail::DialogBoxScope box;
    chosen = CurrentBackend().TrackPopup(*this, Point{x, y});
  }
  if (chosen) chosen->Click();
}

MainMenu::MainMenu(Form& form, std::string name) : MenuItem(std::move(name)), form_(form) {}

void MainMenu::Changed() {
  if (form_.Menu() == this) form_.SetMenu(this);
}

}  // namespace w95::ui
