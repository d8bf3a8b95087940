// The screen's work area and resolution, from the system.
#include <windows.h>

#include "ui/screen.h"

namespace w95::ui {

Rect ScreenObject::WorkArea() const {
  RECT work{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) || work.right <= work.left ||
      work.bottom <= work.top)
    return {0, 0, Width(), Height()};
  return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

int ScreenObject::PixelsPerInch() const {
  int ppi = 0;
  if (HDC dc = GetDC(nullptr)) {
    ppi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
  }
  return ppi > 0 ? ppi : 96;
}

}  // namespace w95::ui
