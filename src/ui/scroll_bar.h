// A scroll bar control. Position stays within [Min, Max]; changing it fires
// OnChange. User scrolling reports OnScroll first (the handler may change the
// new position), then moves the bar. A mouse-down on the bar reaches
// OnMouseDown only after tracking has ended, as on Windows.
#pragma once

#include <functional>

#include "ui/control.h"

namespace w95::ui {

using ScrollEvent = std::function<void(Control& sender, ScrollCode code, int& position)>;

class ScrollBar : public Control {
 public:
  ScrollBar(Control& parent, std::string name);
  bool Vertical() const { return vertical_; }
  void SetVertical(bool on);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int v) { SetParams(position_, v, max_); }
  void SetMax(int v) { SetParams(position_, min_, v); }
  void SetPosition(int v) { SetParams(v, min_, max_); }
  // Sets all three at once; a maximum below the minimum is raised to it and
  // the position is kept within the range.
  void SetParams(int position, int min, int max);
  int SmallChange() const { return smallChange_; }
  int LargeChange() const { return largeChange_; }
  void SetSmallChange(int v);
  void SetLargeChange(int v);
  bool CanFocus() const override { return true; }

  NotifyEvent OnChange;
  ScrollEvent OnScroll;

  // The user scrolled: code says how; position is the thumb position for
  // Track and Position (ignored otherwise).
  void UserScroll(ScrollCode code, int position);

 private:
  bool vertical_ = false;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
};

}  // namespace w95::ui
