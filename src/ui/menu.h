// Menus: items with captions, checks (plain or radio), hidden items, column
// breaks and sub-menus; a popup menu shown at a point, and a form's main menu.
// One handler may serve many items and compare the sender with them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace w95::ui {

class MenuItem {
 public:
  explicit MenuItem(std::string name = {}, std::string caption = {});
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;
  virtual ~MenuItem();

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string c) { caption_ = std::move(c); }
  bool IsSeparator() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  void SetChecked(bool on);  // a radio item unchecks its group's others
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool on) { radioItem_ = on; }
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int g) { groupIndex_ = g; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { visible_ = on; }
  bool ColumnBreak() const { return break_; }  // starts a new column
  void SetColumnBreak(bool on) { break_ = on; }
  // The key named beside the caption ("Ctrl+O"), right-aligned in the menu.
  // Only a text: the form's own key handling does what the key does.
  const std::string& ShortCut() const { return shortCut_; }
  void SetShortCut(std::string text) { shortCut_ = std::move(text); }
  intptr_t Tag() const { return tag_; }
  void SetTag(intptr_t t) { tag_ = t; }

  MenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  MenuItem& Item(int i) const { return *items_.at(static_cast<size_t>(i)); }
  MenuItem& Add(std::string name, std::string caption);
  void Clear() { items_.clear(); }
  MenuItem* Find(std::string_view name);  // this item or a descendant

  // The sender is the item itself, so one handler can serve many items.
  std::function<void(MenuItem& sender)> OnClick;
  void Click();  // runs OnClick under the error convention

  // Backend bookkeeping: the command id of this item (unique in the process).
  unsigned Command() const { return command_; }

 private:
  std::string name_;
  std::string caption_;
  std::string shortCut_;
  bool checked_ = false;
  bool radioItem_ = false;
  int groupIndex_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool break_ = false;
  intptr_t tag_ = 0;
  unsigned command_;
  MenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// The item of that command id among the live items, or nullptr.
MenuItem* FindMenuCommand(unsigned command);

class PopupMenu : public MenuItem {
 public:
  PopupMenu(Control& owner, std::string name);
  Control& Owner() const { return owner_; }
  // Shows the menu at a screen point and runs the chosen item's OnClick.
  void Popup(int x, int y);
  NotifyEvent OnPopup;  // before the menu shows (items can be changed here)

 private:
  Control& owner_;
};

class MainMenu : public MenuItem {
 public:
  MainMenu(Form& form, std::string name);
  Form& GetForm() const { return form_; }
  void Changed();  // the items changed: the backend rebuilds the bar

 private:
  Form& form_;
};

}  // namespace w95::ui
