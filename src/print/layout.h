// The page arithmetic of the print setup window, free of windows and
// printers: fitting one rectangle into another, the working size that covers
// the page, scroll ranges, and the texts of the size and position labels.
#pragma once

#include <cstdint>
#include <string>

namespace w95::print {

// The largest rectangle of the object's proportions inside the box (larger
// or smaller than the object), in 32-bit floating point, with its sides
// truncated toward zero and as they were computed.
struct Fit {
  int width = 0;
  int height = 0;
  float realWidth = 0;
  float realHeight = 0;
};
Fit FitToBox(int64_t boxW, int64_t boxH, int64_t objW, int64_t objH);

// The image size doubled until it is at least the page in both directions.
// Both sides of the image must be positive.
struct Extent {
  int64_t width = 0;
  int64_t height = 0;
};
Extent CoverPage(int64_t imageW, int64_t imageH, int pageW, int pageH);

// trunc(real x zoom): a fitted side at a print size factor.
int Zoomed(float real, double zoom);

// Offset that centres `inner` in `outer` (0 when it does not fit).
int Centred(int outer, int inner);

// Scroll bar settings for a document side on a page side: the free margin
// as the maximum, an eighth of it (at least 1) as the large change, the
// middle as the position.
struct ScrollSpan {
  int max = 0;
  int largeChange = 1;
  int position = 0;
};
ScrollSpan SpanOf(int pageSide, int docSide);

// The preview's offset for a scroll position: the same share of the
// preview's free room as the position is of the scroll maximum.
int PreviewOffset(int position, int max, int room);

// Units of the size and position labels (the item index of the unit list).
enum Unit : int32_t { kPixels = 0, kInches = 1, kCentimetres = 2 };

// The dithering methods of the style list, by item index (the host reads
// the index as "prD"). Colour printers start with Stevenson, others with
// Floyd-Steinberg.
enum Style : int32_t {
  kFloydSteinberg = 0,
  kBurkes = 1,
  kStucki = 2,
  kSierra = 3,
  kStevenson = 4,
  kJarvis = 5,
  kOrdered = 6,
};

// Printer pixels an arrow click moves the image by: a tenth of the chosen
// unit (at least one pixel), one pixel when the unit is pixels.
int PositionStep(int dpi, int32_t unit);

// Why a page the printer reports cannot be laid out on (no width, height or
// resolution), or "" when it can.
std::string PageProblem(int pageW, int pageH, int dpiX, int dpiY);

// A length in printer pixels as a label shows it: "%3.1f" of length / dpi
// (times 2.54 for centimetres), or the plain number for pixels.
std::string LengthText(int pixels, int dpi, int32_t unit);

// The page summary: "Portrait : 8.0 x 11.0  (600 x 600 dpi)".
std::string PageSummary(bool landscape, int pageW, int pageH, int dpiX, int dpiY, int32_t unit);

// Picture pixels per printed inch at the printed size: the lower of the two
// directions, rounded down (0 when nothing is printed). Below kSharpPpi a
// print looks soft.
inline constexpr int kSharpPpi = 150;
int PixelsPerInch(int imageW, int imageH, int docW, int docH, int dpiX, int dpiY);

// The resolution figure as the window shows it: "300 ppi", "96 ppi, low".
std::string ResolutionText(int ppi);

// The photo size list, by item index. The first leaves the size to the
// size bar and the typed values; the last is the largest fit, as at 100 %.
enum Photo : int32_t {
  kAnySize = 0,
  k4x6 = 1,
  k5x7 = 2,
  k8x10 = 3,
  kA5 = 4,
  kA4 = 5,
  kLetter = 6,
  kFitPage = 7,
};
inline constexpr int kPhotoCount = 8;
const char* PhotoName(int photo);

// A photo size's short and long sides in inches: the metric size when the
// unit is centimetres (10 x 15 cm), the inch size otherwise (4 x 6 in).
// Both 0 for "any size" and "fit page".
struct Sides {
  double shortSide = 0;
  double longSide = 0;
};
Sides PhotoSides(int photo, int32_t unit);

// A printed size in printer pixels.
struct Size {
  int width = 0;
  int height = 0;
};

// The image fitted whole into a photo size turned the image's way (a
// landscape box for a wide image), in printer pixels.
Size FitPhoto(const Sides& sides, int imageW, int imageH, int dpiX, int dpiY);

// The image scaled to cover a size whole (one side equal, the other at
// least as long), centred on it: the rectangle to draw into when the
// picture is cropped to that size.
struct Area {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
Area CoverRect(int left, int top, Size size, int imageW, int imageH);

// A width in printer pixels with the height of the image's proportions.
Size ByWidth(int width, int imageW, int imageH);
// A height in printer pixels with the width of the image's proportions.
Size ByHeight(int height, int imageW, int imageH);

// A size kept between the smallest and the largest the size bar allows
// (1 % and 100 % of the fit on the page), proportions unchanged.
Size Bounded(Size size, Size smallest, Size largest);

// A length typed in the unit as printer pixels, rounded; false when the
// text is not a positive number ("4", "4.5", "4,5", " 10 cm"), or not a
// number at least 0 when zero is allowed (a position).
bool ParseLength(const std::string& text, int dpi, int32_t unit, int& pixels,
                 bool allowZero = false);

// A length as the typing boxes show it: two decimals in inches, one in
// centimetres, whole pixels.
std::string BoxText(int pixels, int dpi, int32_t unit);

// Printer pixels Shift+arrow moves the image by: a whole unit (an inch, a
// centimetre), ten pixels when the unit is pixels.
int UnitStep(int dpi, int32_t unit);

// The page position for the preview offset a drag has reached: the same
// share of the scroll maximum as the offset is of the preview's free room,
// kept on the page, and pulled to the middle or to either margin when it
// comes within `snap` page pixels of them.
int DraggedPosition(int offset, int room, int max, int snap);

// True when the picture and the page lie different ways: one wider than
// tall, the other taller than wide (a square has no way to disagree).
bool Disagree(int imageW, int imageH, int pageW, int pageH);

// The next place of a ring of `count` places from `from`, forwards or
// backwards, passing over the places `usable` refuses; -1 when no other
// place is usable.
template <typename Usable>
int RingStep(int from, int count, bool backwards, Usable usable) {
  if (count <= 0 || from < 0 || from >= count) return -1;
  const int step = backwards ? count - 1 : 1;
  for (int k = 1; k < count; ++k) {
    const int at = (from + step * k) % count;
    if (usable(at)) return at;
  }
  return -1;
}

}  // namespace w95::print
