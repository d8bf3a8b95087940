#include "ui/win32/win32_canvas.h"

#include "ui/picture.h"
#include "ui/win32/win32_internal.h"

namespace w95::ui::win32 {

namespace {
RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.Right(), r.Bottom()}; }
}  // namespace

HdcCanvas::HdcCanvas(HDC dc, const Font& font) : dc_(dc), saved_(SaveDC(dc)) { SetFont(font); }
HdcCanvas::~HdcCanvas() { RestoreDC(dc_, saved_); }

void HdcCanvas::SetBrushColor(Color c) {
  brush_ = c;
  SetBkColor(dc_, ColorRef(c));
}

void HdcCanvas::SetFont(const Font& f) {
  SelectObject(dc_, FontHandle(f));
  SetTextColor(dc_, ColorRef(f.color));
}

void HdcCanvas::FillRect(const Rect& r) {
  RECT rc = ToRect(r);
  ::FillRect(dc_, &rc, BrushOf(brush_));
}

void HdcCanvas::FrameRect(const Rect& r) {
  RECT rc = ToRect(r);
  ::FrameRect(dc_, &rc, BrushOf(pen_));
}

void HdcCanvas::PutText(int x, int y, const std::string& text) {
  SetBkMode(dc_, TRANSPARENT);
  const std::wstring wide = WideText(text);
  TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void HdcCanvas::PutTextRect(const Rect& clip, int x, int y, const std::string& text) {
  RECT rc = ToRect(clip);
  SetBkMode(dc_, TRANSPARENT);
  const std::wstring wide = WideText(text);
  ExtTextOutW(dc_, x, y, ETO_CLIPPED, &rc, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

int HdcCanvas::TextWidth(const std::string& text) {
  SIZE s{};
  const std::wstring wide = WideText(text);
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &s);
  return s.cx;
}

int HdcCanvas::TextHeight(const std::string& text) {
  SIZE s{};
  const std::wstring wide = WideText(text);
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &s);
  return s.cy;
}

void HdcCanvas::DrawGlyph(int x, int y, GlyphKind glyph, bool enabled) {
  const Color brush = brush_;
  PaintGlyphPixels(*this, x, y, glyph, enabled);
  SetBrushColor(brush);
}

void HdcCanvas::DrawPicture(const Rect& r, const Picture& p) {
  if (p.Empty() || r.width <= 0 || r.height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = p.width;
  info.bmiHeader.biHeight = -p.height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  if (r.width == p.width && r.height == p.height) {  // a copy, pixel for pixel
    SetDIBitsToDevice(dc_, r.left, r.top, static_cast<DWORD>(p.width), static_cast<DWORD>(p.height),
                      0, 0, 0, static_cast<UINT>(p.height), p.pixels.data(), &info, DIB_RGB_COLORS);
    return;
  }
  SetStretchBltMode(dc_, HALFTONE);
  SetBrushOrgEx(dc_, 0, 0, nullptr);
  StretchDIBits(dc_, r.left, r.top, r.width, r.height, 0, 0, p.width, p.height, p.pixels.data(),
                &info, DIB_RGB_COLORS, SRCCOPY);
}

void HdcCanvas::DrawFocusRect(const Rect& r) {
  RECT rc = ToRect(r);
  ::DrawFocusRect(dc_, &rc);
}

}  // namespace w95::ui::win32
