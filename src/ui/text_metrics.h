// Measuring text in a font and reading the system metrics that window layout
// depends on (menu-bar height, border and sizing-frame widths). The Win32
// backend asks the system; the headless one gives fixed values that a test
// may change.
#pragma once

#include <string>
#include <vector>

#include "ui/types.h"

namespace w95::ui {

enum class Metric {
  MenuBarHeight,
  BorderWidth,
  FrameWidth,        // sizing frame, each side
  DialogFrameWidth,  // frame of a dialog border, each side
  CaptionHeight,
  HThumbWidth,  // width of a horizontal scroll bar's thumb
  ScrollThumb,  // thumb of a vertical scroll bar (SM_CYVTHUMB)
};

int SystemMetric(Metric metric);

class Control;
// The screen point of a point in a control's client area (where its mouse
// events are measured). Headless: the control's and its parents' positions
// added up, the form's frame not counted.
Point ClientToScreen(const Control& control, Point p);

// Width in pixels of one text, and the widest of many (measured in one go).
int TextWidth(const Font& font, const std::string& text);
int WidestText(const Font& font, const std::vector<std::string>& texts);

namespace headless {
// The values the headless backend reports (tests may change them).
struct Metrics {
  int menuBarHeight = 18;
  int borderWidth = 1;
  int frameWidth = 4;
  int dialogFrameWidth = 3;
  int captionHeight = 19;
  int hThumbWidth = 16;  // SM_CXHTHUMB
  int scrollThumb = 16;
};
Metrics& TestMetrics();
}  // namespace headless

}  // namespace w95::ui
