#include "ui/scroll_bar.h"

#include <algorithm>

namespace w95::ui {

ScrollBar::ScrollBar(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 121, 17);
  SetTabStop(true);
}

void ScrollBar::SetVertical(bool on) {
  vertical_ = on;
  Changed(Prop::Style);
}

void ScrollBar::SetParams(int position, int min, int max) {
  max = std::max(max, min);
  position = std::clamp(position, min, max);
  const bool rangeChanged = min != min_ || max != max_;
  const bool moved = position != position_;
  min_ = min;
  max_ = max;
  position_ = position;
  if (rangeChanged) Changed(Prop::Range);
  if (moved) {
    Changed(Prop::Position);
    Fire(OnChange);
  }
}

void ScrollBar::SetSmallChange(int v) {
  smallChange_ = v;
  Changed(Prop::Steps);
}

void ScrollBar::SetLargeChange(int v) {
  largeChange_ = v;
  Changed(Prop::Steps);
}

void ScrollBar::UserScroll(ScrollCode code, int position) {
  Guard([&] {
    int pos = position_;
    switch (code) {
      case ScrollCode::LineUp:
        pos -= smallChange_;
        break;
      case ScrollCode::LineDown:
        pos += smallChange_;
        break;
      case ScrollCode::PageUp:
        pos -= largeChange_;
        break;
      case ScrollCode::PageDown:
        pos += largeChange_;
        break;
      case ScrollCode::Position:
      case ScrollCode::Track:
        pos = position;
        break;
      case ScrollCode::Top:
        pos = min_;
        break;
      case ScrollCode::Bottom:
        pos = max_;
        break;
      case ScrollCode::EndScroll:
        break;
    }
    pos = std::clamp(pos, min_, max_);
    if (OnScroll) OnScroll(*this, code, pos);
    SetPosition(pos);
  });
}

}  // namespace w95::ui
