// The print setup state: one instance for the library's lifetime, beside the
// one print setup window; values carry over from one window to the next.
#pragma once

#include <cstdint>

namespace w95::print {

class TPrintForm;

struct PrintModule {
  TPrintForm* PrintForm = nullptr;  // the current window, if any
  int32_t PrintOpen = 0;            // 1 from the window's first activation until it closes
  uintptr_t HostWindow = 0;         // receives the print-ready message
  int32_t ImageWidth = 0;           // the image to print, in pixels
  int32_t ImageHeight = 0;
  int64_t ScaledWidth = 0;  // the image size doubled until it covers the page
  int64_t ScaledHeight = 0;
  double Zoom = 1.0;        // print size factor (zoom bar position x 0.01)
  int32_t MeasureUnit = 1;  // 0 pixels, 1 inches, 2 centimetres
  int32_t DpiX = 0;         // printer resolution
  int32_t DpiY = 0;
  int32_t DocWidth = 0;  // the printed image on the printable area, printer pixels
  int32_t DocHeight = 0;
  int32_t DocLeft = 0;
  int32_t DocTop = 0;
  int32_t Recalculating = 0;  // 1 while a zoom change recomputes the layout
};

PrintModule& State();

}  // namespace w95::print
