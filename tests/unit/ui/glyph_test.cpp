// The toolkit's glyphs: names, pictures, the disabled look and where a glyph
// button puts its picture and caption.
#include <gtest/gtest.h>

#include <set>

#include "ui/button.h"
#include "ui/glyphs.h"
#include "ui/recording_canvas.h"

namespace {

using namespace w95::ui;

GlyphKind Kind(int i) { return static_cast<GlyphKind>(i); }

TEST(Glyphs, EveryGlyphHasItsOwnNameAndPicture) {
  std::set<std::string_view> names;
  std::set<GlyphPixels> pictures;
  for (int i = 1; i < kGlyphCount; ++i) {
    const std::string_view name = GlyphName(Kind(i));
    ASSERT_FALSE(name.empty()) << "glyph " << i;
    EXPECT_TRUE(names.insert(name).second) << name << " named twice";
    EXPECT_EQ(GlyphByName(name), Kind(i)) << name;
    const GlyphPixels px = RenderGlyph(Kind(i), true);
    int opaque = 0;
    for (Color c : px) opaque += c != clNone;
    EXPECT_GT(opaque, 20) << name << " is (nearly) empty";
    EXPECT_TRUE(pictures.insert(px).second) << name << " looks like another glyph";
  }
  EXPECT_EQ(GlyphByName("PLAY"), GlyphKind::Play) << "names ignore case";
  EXPECT_EQ(GlyphByName("no such glyph"), GlyphKind::None);
  EXPECT_EQ(GlyphName(GlyphKind::None), "");
  for (Color c : RenderGlyph(GlyphKind::None, true)) EXPECT_EQ(c, clNone);
}

TEST(Glyphs, DisabledGlyphsAreEmbossedGreyOfTheDarkParts) {
  for (int i = 1; i < kGlyphCount; ++i) {
    const GlyphPixels on = RenderGlyph(Kind(i), true);
    const GlyphPixels off = RenderGlyph(Kind(i), false);
    int shadows = 0;
    for (size_t p = 0; p < off.size(); ++p) {
      const Color c = off[p];
      ASSERT_TRUE(c == clNone || c == clBtnShadow || c == clBtnHighlight)
          << GlyphName(Kind(i)) << " pixel " << p;
      if (c == clBtnShadow) {
        ++shadows;
        EXPECT_NE(on[p], clNone) << "shadow only where the picture is";
      }
      // Paper and other light parts vanish.
      if (on[p] == clWhite) {
        EXPECT_NE(c, clBtnShadow) << GlyphName(Kind(i)) << " pixel " << p;
      }
    }
    EXPECT_GT(shadows, 10) << GlyphName(Kind(i)) << " would vanish when disabled";
  }
  // The highlight lies one pixel down and right of the outline's end.
  const GlyphPixels stop = RenderGlyph(GlyphKind::Stop, false);
  EXPECT_EQ(stop[11 * kGlyphSize + 11], clBtnShadow);
  EXPECT_EQ(stop[12 * kGlyphSize + 12], clBtnHighlight);
  EXPECT_EQ(stop[3 * kGlyphSize + 4], clNone);
}

TEST(Glyphs, PaintingFillsEachRunOfEqualPixelsOnce) {
  RecordingCanvas canvas;
  PaintGlyphPixels(canvas, 10, 20, GlyphKind::Stop, true);
  // An 8 x 8 black square at 4, 4: one fill per row.
  ASSERT_EQ(canvas.ops.size(), 8u);
  EXPECT_EQ(canvas.ops.front(), "fill 14,24 8x1 #00000000");
  EXPECT_EQ(canvas.ops.back(), "fill 14,31 8x1 #00000000");
}

TEST(Glyphs, ButtonFacesCentreGlyphAndCaption) {
  struct Case {
    const char* what;
    Rect button;
    bool glyph;
    int textWidth;
    bool pressed;
    Point glyphAt;
    Rect text;
  };
  const Case cases[] = {
      {"glyph alone", {0, 0, 24, 24}, true, 0, false, {4, 4}, {20, 5, 0, 13}},
      {"glyph alone, pressed", {0, 0, 24, 24}, true, 0, true, {5, 5}, {21, 6, 0, 13}},
      {"glyph and caption", {0, 0, 78, 27}, true, 30, false, {14, 5}, {34, 7, 30, 13}},
      {"caption alone", {10, 10, 75, 25}, false, 41, false, {27, 14}, {27, 16, 41, 13}},
  };
  for (const Case& c : cases) {
    const ButtonFace f = LayoutButtonFace(c.button, c.glyph, c.textWidth, 13, c.pressed);
    EXPECT_EQ(f.glyph.x, c.glyphAt.x) << c.what;
    EXPECT_EQ(f.glyph.y, c.glyphAt.y) << c.what;
    EXPECT_EQ(f.text.left, c.text.left) << c.what;
    EXPECT_EQ(f.text.top, c.text.top) << c.what;
    EXPECT_EQ(f.text.width, c.text.width) << c.what;
  }
}

}  // namespace
