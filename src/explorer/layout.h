// Window placement of the explorer: its default size from the screen, the
// centred position and the menu-bar font rule.
#pragma once

#include "ui/placement.h"
#include "ui/types.h"

namespace w95::explorer {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

// 400 by 300 on a screen exactly 640 pixels wide; half the screen otherwise,
// centred (fractions dropped).
Rect DefaultPlacement(int screenWidth, int screenHeight);

// The explorer window as designed: its placement at 120 pixels per inch.
inline constexpr Rect kDesignedWindow{333, 231, 413, 310};
inline constexpr int kDesignedPixelsPerInch = 120;
// The smallest window in which the list, the boxes and the buttons can all
// still be used; a stored placement below it is enlarged.
inline constexpr ui::Size kMinimumWindow{300, 200};

// What the placement rules need to know of the screen.
struct ScreenFacts {
  int width = 0, height = 0;
  ui::Rect workArea;
  int pixelsPerInch = 96;
};

// The designed placement at the screen's resolution.
ui::Rect DesignedPlacement(int pixelsPerInch);

// Where the explorer window opens when its placement is remembered, from the
// stored left, top, width and height (-1: none stored): the stored placement
// when all four are there and it ends within the screen, else the designed
// one; either is then brought within the work area at a usable size.
ui::Rect RestoredPlacement(const Rect& stored, const ScreenFacts& screen);

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
