#include "explorer/layout.h"

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

int FittedWindowWidth(int frame, int columnsWanted, int columnWidth) {
  return frame + columnsWanted * columnWidth + 4;
}

}  // namespace w95::explorer
