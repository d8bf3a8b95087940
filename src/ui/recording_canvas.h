// A canvas that records what is drawn on it, one line per operation
// ("fill 0,0 10x20 #000080", "text 4,2 50%"), for tests of owner drawing and
// for painting on the headless backend.
#pragma once

#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/picture.h"

namespace w95::ui {

class RecordingCanvas final : public Canvas {
 public:
  std::vector<std::string> ops;
  int charWidth = 6;  // the text metrics it pretends to have
  int lineHeight = 13;
  Font font;                      // the font set last
  std::vector<Color> textColors;  // the font colour of each text drawn

  void SetBrushColor(Color c) override { brush_ = c; }
  void SetFont(const Font& f) override { font = f; }
  void SetPenColor(Color c) override { pen_ = c; }
  void FillRect(const Rect& r) override { ops.push_back("fill " + Box(r) + " " + Hex(brush_)); }
  void FrameRect(const Rect& r) override { ops.push_back("frame " + Box(r) + " " + Hex(pen_)); }
  void PutText(int x, int y, const std::string& t) override {
    textColors.push_back(font.color);
    ops.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + t);
  }
  void PutTextRect(const Rect&, int x, int y, const std::string& t) override { PutText(x, y, t); }
  int TextWidth(const std::string& t) override { return charWidth * static_cast<int>(t.size()); }
  int TextHeight(const std::string&) override { return lineHeight; }
  void DrawGlyph(int x, int y, GlyphKind g, bool enabled = true) override {
    ops.push_back("glyph " + std::to_string(x) + "," + std::to_string(y) + " " +
                  std::string(GlyphName(g)) + (enabled ? "" : " disabled"));
  }
  void DrawFocusRect(const Rect& r) override { ops.push_back("focus " + Box(r)); }
  void DrawPicture(const Rect& r, const Picture& p) override {
    ops.push_back("picture " + Box(r) + " of " + std::to_string(p.width) + "x" +
                  std::to_string(p.height));
  }

 private:
  static std::string Box(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) +
           "x" + std::to_string(r.height);
  }
  static std::string Hex(Color c) {
    char buf[16];
    static const char* digits = "0123456789ABCDEF";
    buf[0] = '#';
    for (int i = 0; i < 8; ++i) buf[1 + i] = digits[(c >> (28 - 4 * i)) & 0xF];
    buf[9] = 0;
    return buf;
  }
  Color brush_ = clWindow;
  Color pen_ = clBlack;
};

}  // namespace w95::ui
