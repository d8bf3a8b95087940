// Stored window placements made usable on the screen they come back to.
#include "ui/placement.h"

#include <gtest/gtest.h>

namespace {

using w95::ui::Rect;
using w95::ui::ScaledPlacement;
using w95::ui::UsablePlacement;

void ExpectRect(const Rect& r, int left, int top, int width, int height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.width, width);
  EXPECT_EQ(r.height, height);
}

TEST(Placement, UsableWithinTheWorkArea) {
  const Rect work{0, 30, 800, 570};  // a task bar at the top
  ExpectRect(UsablePlacement({50, 60, 400, 300}, work, {300, 200}), 50, 60, 400, 300);
  ExpectRect(UsablePlacement({-2000, 60, 400, 300}, work, {300, 200}), 0, 60, 400, 300);
  ExpectRect(UsablePlacement({3000, 2000, 400, 300}, work, {300, 200}), 400, 300, 400, 300);
  ExpectRect(UsablePlacement({50, 0, 400, 300}, work, {300, 200}), 50, 30, 400, 300);
  ExpectRect(UsablePlacement({50, 60, 0, -5}, work, {300, 200}), 50, 60, 300, 200);
  ExpectRect(UsablePlacement({-10, -10, 5000, 5000}, work, {300, 200}), 0, 30, 800, 570);
  // A work area smaller than the minimum: the whole of it.
  ExpectRect(UsablePlacement({5, 5, 100, 100}, {0, 0, 200, 150}, {300, 200}), 0, 0, 200, 150);
  // A second monitor to the left of the first (negative coordinates).
  ExpectRect(UsablePlacement({-900, 10, 400, 300}, {-1024, 0, 1024, 768}, {300, 200}), -900, 10,
             400, 300);
}

TEST(Placement, ScaledFromTheDesignResolution) {
  ExpectRect(ScaledPlacement({333, 231, 413, 310}, 120, 96), 266, 185, 330, 248);
  ExpectRect(ScaledPlacement({333, 231, 413, 310}, 120, 120), 333, 231, 413, 310);
  ExpectRect(ScaledPlacement({-10, 0, 10, 1}, 120, 96), -8, 0, 8, 1);
  ExpectRect(ScaledPlacement({1, 2, 3, 4}, 0, 96), 1, 2, 3, 4);  // no resolution: unscaled
}

}  // namespace
