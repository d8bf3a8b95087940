// Window placements kept between runs: a stored placement may come from a
// screen that is no longer there (a monitor removed, a lower resolution), or
// be damaged; before a window takes it, it is brought back within reach.
#pragma once

#include "ui/types.h"

namespace w95::ui {

struct Size {
  int width = 0;
  int height = 0;
};

// `stored` made usable on a work area: each side at least `minimum` (but no
// larger than the work area), and moved the least distance that puts the
// whole window within the work area. A placement that fits is kept as it is.
Rect UsablePlacement(const Rect& stored, const Rect& workArea, Size minimum);

// A placement designed at `designPixelsPerInch`, at `screenPixelsPerInch`
// (each value scaled and rounded to the nearest pixel).
Rect ScaledPlacement(const Rect& designed, int designPixelsPerInch, int screenPixelsPerInch);

}  // namespace w95::ui
