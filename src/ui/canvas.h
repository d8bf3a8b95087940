// A drawing surface handed to owner-draw handlers (list entries, grid cells)
// and, later, to images. The Win32 backend draws on a device context; the
// headless backend records what was drawn so tests can check it.
#pragma once

#include <cstdint>
#include <string>

#include "ui/glyphs.h"
#include "ui/picture.h"
#include "ui/types.h"

namespace w95::ui {

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void SetBrushColor(Color c) = 0;
  virtual void SetFont(const Font& f) = 0;
  virtual void SetPenColor(Color c) = 0;
  virtual void FillRect(const Rect& r) = 0;   // with the brush colour
  virtual void FrameRect(const Rect& r) = 0;  // with the pen colour
  virtual void PutText(int x, int y, const std::string& text) = 0;
  virtual void PutTextRect(const Rect& clip, int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  // Draws one of the toolkit's glyphs (16 x 16) with its top-left corner at
  // x, y, greyed when not enabled.
  virtual void DrawGlyph(int x, int y, GlyphKind glyph, bool enabled = true) = 0;
  virtual void DrawFocusRect(const Rect& r) = 0;
  // Draws a picture stretched to fill the rectangle.
  virtual void DrawPicture(const Rect& r, const Picture& picture) = 0;
  // The platform's device context under the canvas, for a service that
  // paints by itself (a media device); 0 where there is none.
  virtual uintptr_t DeviceContext() const { return 0; }
};

// State of an owner-drawn entry.
enum OwnerDrawState : unsigned { odNone = 0, odSelected = 1, odFocused = 2, odDisabled = 4 };

}  // namespace w95::ui
