// A single-line edit box. SetText fires OnChange when the text differs, as
// typing does; a handler may set the text again (the change runs once more).
#pragma once

#include "ui/control.h"

namespace w95::ui {

class Edit : public Control {
 public:
  Edit(Control& parent, std::string name);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);
  void SelectAll();
  bool CanFocus() const override { return true; }

  NotifyEvent OnChange;

  // The user changed the text (typing, pasting, deleting).
  void UserEdited(std::string text);

 protected:
  void TextChanged() override;

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
  Alignment alignment_ = Alignment::Left;
  bool userEditing_ = false;
};

}  // namespace w95::ui
