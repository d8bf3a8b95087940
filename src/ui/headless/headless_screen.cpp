// The screen as the headless backend reports it.
#include "ui/screen.h"

namespace w95::ui {

namespace headless {
ScreenFacts& TestScreen() {
  static ScreenFacts facts;
  return facts;
}
}  // namespace headless

Rect ScreenObject::WorkArea() const {
  const Rect& work = headless::TestScreen().workArea;
  if (work.width <= 0 || work.height <= 0) return {0, 0, Width(), Height()};
  return work;
}

int ScreenObject::PixelsPerInch() const {
  const int ppi = headless::TestScreen().pixelsPerInch;
  return ppi > 0 ? ppi : 96;
}

}  // namespace w95::ui
