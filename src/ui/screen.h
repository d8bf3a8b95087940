// The screen object: the mouse cursor shape of all library windows and the
// screen size; and the busy cursor guard that restores the default cursor on
// every way out of a block, exceptions included.
#pragma once

#include "ui/types.h"

namespace w95::ui {

class ScreenObject {
 public:
  Cursor GetCursor() const { return cursor_; }
  void SetCursor(Cursor c);
  int Width() const;   // desktop's screen width
  int Height() const;

 private:
  Cursor cursor_ = Cursor::Default;
};

ScreenObject& Screen();

// Sets the hourglass for its lifetime.
class BusyCursor {
 public:
  BusyCursor() { Screen().SetCursor(Cursor::HourGlass); }
  ~BusyCursor() { Screen().SetCursor(Cursor::Default); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace w95::ui
