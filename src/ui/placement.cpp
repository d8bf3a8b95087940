#include "ui/placement.h"

#include <algorithm>
#include <cstdint>

namespace w95::ui {

namespace {

// Fits one axis: a span of `length` at `start` into [lo, lo + room).
void FitAxis(int& start, int& length, int minimum, int lo, int room) {
  length = std::min(std::max(length, minimum), std::max(room, 0));
  start = std::clamp(start, lo, lo + std::max(room, 0) - length);
}

int Scale(int value, int to, int from) {
  const int64_t v = static_cast<int64_t>(value) * to;
  const int64_t half = from / 2;
  return static_cast<int>(v >= 0 ? (v + half) / from : -((-v + half) / from));
}

}  // namespace

Rect UsablePlacement(const Rect& stored, const Rect& workArea, Size minimum) {
  Rect r = stored;
  FitAxis(r.left, r.width, minimum.width, workArea.left, workArea.width);
  FitAxis(r.top, r.height, minimum.height, workArea.top, workArea.height);
  return r;
}

Rect ScaledPlacement(const Rect& designed, int designPixelsPerInch, int screenPixelsPerInch) {
  if (designPixelsPerInch <= 0 || screenPixelsPerInch <= 0) return designed;
  const int to = screenPixelsPerInch, from = designPixelsPerInch;
  return {Scale(designed.left, to, from), Scale(designed.top, to, from),
          Scale(designed.width, to, from), Scale(designed.height, to, from)};
}

}  // namespace w95::ui
