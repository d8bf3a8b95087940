// A canvas over a device context, for owner drawing.
#pragma once

#include <windows.h>

#include "ui/canvas.h"

namespace w95::ui::win32 {

class HdcCanvas final : public Canvas {
 public:
  HdcCanvas(HDC dc, const Font& font);
  ~HdcCanvas() override;
  void SetBrushColor(Color c) override;
  void SetFont(const Font& f) override;
  void SetPenColor(Color c) override { pen_ = c; }
  void FillRect(const Rect& r) override;
  void FrameRect(const Rect& r) override;
  void PutText(int x, int y, const std::string& text) override;
  void PutTextRect(const Rect& clip, int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void DrawGlyph(int x, int y, GlyphKind glyph, bool enabled = true) override;
  void DrawFocusRect(const Rect& r) override;
  void DrawPicture(const Rect& r, const Picture& picture) override;
  uintptr_t DeviceContext() const override { return reinterpret_cast<uintptr_t>(dc_); }

 private:
  HDC dc_;
  int saved_;
  Color brush_ = clWindow;
  Color pen_ = clBlack;
};

}  // namespace w95::ui::win32
