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
  int Width() const;  // desktop's screen width
  int Height() const;
  // The part of the screen windows are placed in (the task bar left out),
  // and the screen's resolution (each from the backend).
  Rect WorkArea() const;
  int PixelsPerInch() const;

 private:
  Cursor cursor_ = Cursor::Default;
};

ScreenObject& Screen();

namespace headless {
// What the headless backend reports of the screen (tests may change it): an
// empty work area stands for the whole screen of the simulated machine.
struct ScreenFacts {
  Rect workArea;
  int pixelsPerInch = 96;
};
ScreenFacts& TestScreen();
}  // namespace headless

// Sets the hourglass for its lifetime.
class BusyCursor {
 public:
  BusyCursor() { Screen().SetCursor(Cursor::HourGlass); }
  ~BusyCursor() { Screen().SetCursor(Cursor::Default); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace w95::ui
