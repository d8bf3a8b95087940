#include "ui/win32/win32_canvas.h"

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

void HdcCanvas::DrawGlyph(int x, int y, const std::string& glyph) {
  HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(Instance(), glyph.c_str(), IMAGE_BITMAP, 0, 0, 0));
  if (!bmp) return;
  BITMAP info{};
  GetObjectA(bmp, sizeof info, &info);
  HDC mem = CreateCompatibleDC(dc_);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(dc_, x, y, info.bmWidth, info.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
}

void HdcCanvas::DrawFocusRect(const Rect& r) {
  RECT rc = ToRect(r);
  ::DrawFocusRect(dc_, &rc);
}

}  // namespace w95::ui::win32
