// A container with an optional bevel; usually aligned to an edge of its parent.
#pragma once

#include "ui/control.h"

namespace w95::ui {

class Panel : public Control {
 public:
  Panel(Control& parent, std::string name);
  Bevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(Bevel b);
  Bevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(Bevel b);
  int BevelWidth() const { return bevelWidth_; }
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);

 private:
  Bevel bevelOuter_ = Bevel::Raised;
  Bevel bevelInner_ = Bevel::None;
  int bevelWidth_ = 1;
  Alignment alignment_ = Alignment::Center;
};

}  // namespace w95::ui
