#include "print/layout.h"

#include <cmath>
#include <cstdio>

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
  return "The printer reports a page of " + std::to_string(pageW) + " x " + std::to_string(pageH) + " pixels at " +
         std::to_string(dpiX) + " x " + std::to_string(dpiY) + " dpi; choose another printer with Setup.";
}

std::string LengthText(int pixels, int dpi, int32_t unit) {
  if (unit != kInches && unit != kCentimetres) return std::to_string(pixels);
  const double factor = unit == kInches ? 1.0 : 2.54;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%3.1f", static_cast<double>(pixels) / dpi * factor);
  return buf;
}

std::string PageSummary(bool landscape, int pageW, int pageH, int dpiX, int dpiY, int32_t unit) {
  return std::string(landscape ? "Landscape" : "Portrait ") + ": " + LengthText(pageW, dpiX, unit) + " x " +
         LengthText(pageH, dpiY, unit) + "  (" + std::to_string(dpiX) + " x " + std::to_string(dpiY) + " dpi)";
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

}  // namespace w95::print
