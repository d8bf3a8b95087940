#include "ui/win32/win32_canvas.h"

#include <vector>

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
  TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void HdcCanvas::PutTextRect(const Rect& clip, int x, int y, const std::string& text) {
  RECT rc = ToRect(clip);
  SetBkMode(dc_, TRANSPARENT);
  ExtTextOutA(dc_, x, y, ETO_CLIPPED, &rc, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int HdcCanvas::TextWidth(const std::string& text) {
  SIZE s{};
  GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &s);
  return s.cx;
}

int HdcCanvas::TextHeight(const std::string& text) {
  SIZE s{};
  GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &s);
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
  SetStretchBltMode(dc_, HALFTONE);
  SetBrushOrgEx(dc_, 0, 0, nullptr);
  StretchDIBits(dc_, r.left, r.top, r.width, r.height, 0, 0, p.width, p.height, p.pixels.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
}

void HdcCanvas::DrawFocusRect(const Rect& r) {
  RECT rc = ToRect(r);
  ::DrawFocusRect(dc_, &rc);
}

void HdcCanvas::DrawPictureAt(const Rect& clip, int x, int y, const platform::Picture& picture) {
  const int saved = SaveDC(dc_);
  IntersectClipRect(dc_, clip.left, clip.top, clip.Right(), clip.Bottom());
  if (const uintptr_t native = picture.NativeBitmap()) {
    HDC mem = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(mem, reinterpret_cast<HBITMAP>(native));
    BitBlt(dc_, x, y, picture.Width(), picture.Height(), mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
  } else if (!picture.Pixels().empty()) {
    // Our pixels are 0x00BBGGRR; a 32-bit DIB wants 0x00RRGGBB.
    std::vector<uint32_t> dib(picture.Pixels());
    for (uint32_t& p : dib) p = (p & 0xFF00) | (p & 0xFF) << 16 | (p >> 16 & 0xFF);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width();
    info.bmiHeader.biHeight = -picture.Height();  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc_, x, y, static_cast<DWORD>(picture.Width()),
                      static_cast<DWORD>(picture.Height()), 0, 0, 0,
                      static_cast<UINT>(picture.Height()), dib.data(), &info, DIB_RGB_COLORS);
  }
  RestoreDC(dc_, saved);
}

}  // namespace w95::ui::win32
