#include "explorer/layout.h"

#include "ui/text_metrics.h"

namespace w95::explorer {

Rect DefaultPlacement(int screenWidth, int screenHeight) {
  Rect r;
  if (screenWidth == 640) {
    r.width = 400;
    r.height = 300;
  } else {
    r.width = screenWidth / 2;
    r.height = screenHeight / 2;
  }
  r.left = (screenWidth - r.width) / 2;
  r.top = (screenHeight - r.height) / 2;
  return r;
}

ui::Rect DesignedPlacement(int pixelsPerInch) {
  const Rect& d = kDesignedWindow;
  return ui::ScaledPlacement({d.left, d.top, d.width, d.height}, kDesignedPixelsPerInch,
                             pixelsPerInch);
}

ui::Rect RestoredPlacement(const Rect& stored, const ScreenFacts& screen) {
  const Rect& s = stored;
  const bool usable = s.left != -1 && s.top != -1 && s.width != -1 && s.height != -1 &&
                      s.left + s.width <= screen.width && s.top + s.height <= screen.height;
  const ui::Rect wanted =
      usable ? ui::Rect{s.left, s.top, s.width, s.height} : DesignedPlacement(screen.pixelsPerInch);
  return ui::UsablePlacement(wanted, screen.workArea, kMinimumWindow);
}

int FittedWindowWidth(int frame, int columnsWanted, int columnWidth) {
  return frame + columnsWanted * columnWidth + 4;
}

FrameSize FrameOf(ui::BorderStyle border) {
  using ui::Metric;
  int side = 0;
  int caption = ui::SystemMetric(Metric::CaptionHeight);
  switch (border) {
    case ui::BorderStyle::None:
      caption = 0;
      break;
    case ui::BorderStyle::Dialog:
      side = ui::SystemMetric(Metric::DialogFrameWidth);
      break;
    case ui::BorderStyle::Sizeable:
      side = ui::SystemMetric(Metric::FrameWidth);
      break;
    default:
      side = ui::SystemMetric(Metric::BorderWidth);
      break;
  }
  return {2 * side, 2 * side + caption};
}

}  // namespace w95::explorer
