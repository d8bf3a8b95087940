#include "ui/panel.h"

namespace w95::ui {

Panel::Panel(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 185, 41);
}

void Panel::SetBevelOuter(Bevel b) {
  bevelOuter_ = b;
  Changed(Prop::Bevel);
}

void Panel::SetBevelInner(Bevel b) {
  bevelInner_ = b;
  Changed(Prop::Bevel);
}

void Panel::SetAlignment(Alignment a) {
  alignment_ = a;
  Changed(Prop::Alignment);
}

}  // namespace w95::ui
