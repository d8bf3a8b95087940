// Headless text measure: every character is 3/4 of the point size wide
// (6 pixels at 8 points), so layouts are deterministic in tests.
#include <algorithm>

#include "ui/control.h"
#include "ui/text_metrics.h"

namespace w95::ui {

namespace headless {
Metrics& TestMetrics() {
  static Metrics metrics;
  return metrics;
}
}  // namespace headless

int SystemMetric(Metric metric) {
  const auto& m = headless::TestMetrics();
  switch (metric) {
    case Metric::MenuBarHeight:
      return m.menuBarHeight;
    case Metric::BorderWidth:
      return m.borderWidth;
    case Metric::FrameWidth:
      return m.frameWidth;
    case Metric::DialogFrameWidth:
      return m.dialogFrameWidth;
    case Metric::CaptionHeight:
      return m.captionHeight;
    case Metric::HThumbWidth:
      return m.hThumbWidth;
    case Metric::ScrollThumb:
      return m.scrollThumb;
  }
  return 0;
}

Point ClientToScreen(const Control& control, Point p) {
  for (const Control* c = &control; c; c = c->Parent()) {
    p.x += c->Left();
    p.y += c->Top();
  }
  return p;
}

int TextWidth(const Font& font, const std::string& text) {
  const int perChar = std::max(1, font.size * 3 / 4);
  return static_cast<int>(text.size()) * perChar;
}

int WidestText(const Font& font, const std::vector<std::string>& texts) {
  size_t widest = 0;
  for (const auto& t : texts) widest = std::max(widest, t.size());
  return static_cast<int>(widest) * std::max(1, font.size * 3 / 4);
}

}  // namespace w95::ui
