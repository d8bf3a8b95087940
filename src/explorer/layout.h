// Window placement of the explorer: its default size from the screen, the
// centred position and the menu-bar font rule.
#pragma once

#include "ui/types.h"

namespace w95::explorer {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

// 400 by 300 on a screen exactly 640 pixels wide; half the screen otherwise,
// centred (fractions dropped).
Rect DefaultPlacement(int screenWidth, int screenHeight);

// Screens whose menu bar is taller than 18 pixels (large fonts) get a plain
// 10-point window font.
inline bool UsesLargeFontRule(int menuBarHeight) { return menuBarHeight > 18; }

// "&Optimize files list" / "Maximi&ze files list": the new window width.
// `frame` is 2 x (border + sizing frame).
int FittedWindowWidth(int frame, int columnsWanted, int columnWidth);

// What the frame and caption of a window with this border add to its client
// area, from the system metrics.
struct FrameSize {
  int width = 0, height = 0;
};
FrameSize FrameOf(ui::BorderStyle border);

}  // namespace w95::explorer
