// Static text. An "&" in the caption marks an accelerator that moves the focus
// to the label's focus control.
#pragma once

#include "ui/control.h"

namespace w95::ui {

class Label : public Control {
 public:
  Label(Control& parent, std::string name);
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);
  Control* FocusControl() const { return focusControl_; }
  void SetFocusControl(Control* c) { focusControl_ = c; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on) { transparent_ = on; }
  // The accelerator character in lower case, or 0.
  char Accelerator() const;

 private:
  Alignment alignment_ = Alignment::Left;
  Control* focusControl_ = nullptr;
  bool transparent_ = false;
};

}  // namespace w95::ui
