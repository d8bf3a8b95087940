#include "print/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace w95::print {

Fit FitToBox(int64_t boxW, int64_t boxH, int64_t objW, int64_t objH) {
  const auto bw = static_cast<float>(boxW), bh = static_cast<float>(boxH);
  const auto ow = static_cast<float>(objW), oh = static_cast<float>(objH);
  float w = 0, h = 0;
  if (bw >= ow && bh <= oh) {
    h = bh;
    w = bh / oh * ow;
  } else if (bw <= ow && bh >= oh) {
    w = bw;
    h = bw / ow * oh;
  } else {
    // Larger than the object both ways, or smaller both ways: the side with
    // the greater difference decides, then both are brought inside.
    if (std::fabs(bw - ow) > std::fabs(bh - oh)) {
      w = bw;
      h = bw / ow * oh;
    } else {
      h = bh;
      w = bh / oh * ow;
    }
    if (w > bw) {
      h = bw / w * h;
      w = bw;
    }
    if (h > bh) {
      w = bh / h * w;
      h = bh;
    }
  }
  return Fit{static_cast<int>(w), static_cast<int>(h), w, h};
}

Extent CoverPage(int64_t imageW, int64_t imageH, int pageW, int pageH) {
  Extent e{imageW, imageH};
  while (pageW > e.width || pageH > e.height) {
    e.width *= 2;
    e.height *= 2;
  }
  return e;
}

int Zoomed(float real, double zoom) { return static_cast<int>(static_cast<double>(real) * zoom); }

int Centred(int outer, int inner) { return inner < outer ? (outer - inner) / 2 : 0; }

ScrollSpan SpanOf(int pageSide, int docSide) {
  ScrollSpan s;
  s.max = pageSide - docSide;
  s.largeChange = s.max / 8 < 1 ? 1 : s.max / 8;
  s.position = s.max / 2;
  return s;
}

int PreviewOffset(int position, int max, int room) {
  if (max == 0) return 0;
  return static_cast<int>(static_cast<double>(position) / max * room);
}

int PositionStep(int dpi, int32_t unit) {
  if (unit != kInches && unit != kCentimetres) return 1;
  const double tenth = unit == kInches ? dpi / 10.0 : dpi / 25.4;
  const long step = std::lround(tenth);
  return step < 1 ? 1 : static_cast<int>(step);
}

std::string PageProblem(int pageW, int pageH, int dpiX, int dpiY) {
  if (pageW > 0 && pageH > 0 && dpiX > 0 && dpiY > 0) return {};
  return "The printer reports a page of " + std::to_string(pageW) + " x " + std::to_string(pageH) +
         " pixels at " + std::to_string(dpiX) + " x " + std::to_string(dpiY) +
         " dpi; choose another printer with Setup.";
}

std::string LengthText(int pixels, int dpi, int32_t unit) {
  if (unit != kInches && unit != kCentimetres) return std::to_string(pixels);
  const double factor = unit == kInches ? 1.0 : 2.54;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%3.1f", static_cast<double>(pixels) / dpi * factor);
  return buf;
}

std::string PageSummary(bool landscape, int pageW, int pageH, int dpiX, int dpiY, int32_t unit) {
  return std::string(landscape ? "Landscape" : "Portrait ") + ": " + LengthText(pageW, dpiX, unit) +
         " x " + LengthText(pageH, dpiY, unit) + "  (" + std::to_string(dpiX) + " x " +
         std::to_string(dpiY) + " dpi)";
}

int PixelsPerInch(int imageW, int imageH, int docW, int docH, int dpiX, int dpiY) {
  if (docW <= 0 || docH <= 0) return 0;
  const int64_t x = static_cast<int64_t>(imageW) * dpiX / docW;
  const int64_t y = static_cast<int64_t>(imageH) * dpiY / docH;
  const int64_t ppi = x < y ? x : y;
  return ppi > 999999 ? 999999 : static_cast<int>(ppi);
}

std::string ResolutionText(int ppi) {
  return std::to_string(ppi) + (ppi < kSharpPpi ? " ppi, low" : " ppi");
}

const char* PhotoName(int photo) {
  static const char* const names[kPhotoCount] = {"Any size",
                                                 "10 x 15 cm / 4 x 6 in",
                                                 "13 x 18 cm / 5 x 7 in",
                                                 "20 x 25 cm / 8 x 10 in",
                                                 "A5",
                                                 "A4",
                                                 "Letter",
                                                 "Fit page"};
  return photo >= 0 && photo < kPhotoCount ? names[photo] : "";
}

Sides PhotoSides(int photo, int32_t unit) {
  const bool metric = unit == kCentimetres;
  auto cm = [](double a, double b) { return Sides{a / 2.54, b / 2.54}; };
  switch (photo) {
    case k4x6:
      return metric ? cm(10, 15) : Sides{4, 6};
    case k5x7:
      return metric ? cm(13, 18) : Sides{5, 7};
    case k8x10:
      return metric ? cm(20, 25) : Sides{8, 10};
    case kA5:
      return cm(14.8, 21.0);
    case kA4:
      return cm(21.0, 29.7);
    case kLetter:
      return Sides{8.5, 11};
    default:
      return {};
  }
}

Size FitPhoto(const Sides& sides, int imageW, int imageH, int dpiX, int dpiY) {
  const bool wide = imageW > imageH;
  const double w = wide ? sides.longSide : sides.shortSide,
               h = wide ? sides.shortSide : sides.longSide;
  const auto boxW = static_cast<int64_t>(std::lround(w * dpiX)),
             boxH = static_cast<int64_t>(std::lround(h * dpiY));
  // Whichever side of the box the image reaches is the box's exactly; the
  // other is rounded, not cut short.
  if (static_cast<double>(boxW) * imageH <= static_cast<double>(boxH) * imageW)
    return ByWidth(static_cast<int>(boxW), imageW, imageH);
  return ByHeight(static_cast<int>(boxH), imageW, imageH);
}

Area CoverRect(int left, int top, Size size, int imageW, int imageH) {
  Size cover = ByWidth(size.width, imageW, imageH);
  if (cover.height < size.height) cover = ByHeight(size.height, imageW, imageH);
  return {left - (cover.width - size.width) / 2, top - (cover.height - size.height) / 2,
          cover.width, cover.height};
}

Size ByWidth(int width, int imageW, int imageH) {
  return {width, static_cast<int>(std::lround(static_cast<double>(width) * imageH / imageW))};
}

Size ByHeight(int height, int imageW, int imageH) {
  return {static_cast<int>(std::lround(static_cast<double>(height) * imageW / imageH)), height};
}

Size Bounded(Size size, Size smallest, Size largest) {
  if (size.width > largest.width || size.height > largest.height) return largest;
  if (size.width < smallest.width || size.height < smallest.height) return smallest;
  return size;
}

bool ParseLength(const std::string& text, int dpi, int32_t unit, int& pixels, bool allowZero) {
  std::string t = text;
  for (char& c : t)
    if (c == ',') c = '.';
  const char* begin = t.c_str();
  char* end = nullptr;
  const double v = std::strtod(begin, &end);
  if (end == begin || !std::isfinite(v) || v < 0 || (v == 0 && !allowZero)) return false;
  double px = v;
  if (unit == kInches) px = v * dpi;
  if (unit == kCentimetres) px = v / 2.54 * dpi;
  if (px > 1e8) return false;
  pixels = static_cast<int>(std::lround(px));
  return pixels > 0 || allowZero;
}

std::string BoxText(int pixels, int dpi, int32_t unit) {
  if (unit != kInches && unit != kCentimetres) return std::to_string(pixels);
  char buf[64];
  if (unit == kInches)
    std::snprintf(buf, sizeof buf, "%.2f", static_cast<double>(pixels) / dpi);
  else
    std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(pixels) / dpi * 2.54);
  return buf;
}

int UnitStep(int dpi, int32_t unit) {
  if (unit == kInches) return dpi;
  if (unit == kCentimetres) return std::max(1, static_cast<int>(std::lround(dpi / 2.54)));
  return 10;
}

int DraggedPosition(int offset, int room, int max, int snap) {
  if (max <= 0 || room <= 0) return 0;
  const long p = std::lround(static_cast<double>(offset) / room * max);
  const int position = static_cast<int>(std::clamp<long>(p, 0, max));
  if (std::abs(position - max / 2) <= snap) return max / 2;
  if (position <= snap) return 0;
  if (max - position <= snap) return max;
  return position;
}

bool Disagree(int imageW, int imageH, int pageW, int pageH) {
  const bool wideImage = imageW > imageH, tallImage = imageW < imageH;
  const bool widePage = pageW > pageH, tallPage = pageW < pageH;
  return (wideImage && tallPage) || (tallImage && widePage);
}

}  // namespace w95::print
