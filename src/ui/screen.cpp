#include "ui/screen.h"

#include "platform/platform.h"
#include "ui/peer.h"

namespace w95::ui {

void ScreenObject::SetCursor(Cursor c) {
  cursor_ = c;
  CurrentBackend().SetCursor(c);
}

int ScreenObject::Width() const { return platform::Current().desktop->Screen().width; }
int ScreenObject::Height() const { return platform::Current().desktop->Screen().height; }

ScreenObject& Screen() {
  static ScreenObject screen;
  return screen;
}

}  // namespace w95::ui
