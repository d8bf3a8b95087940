// The print setup window keeps the user's unit, style, colour, enhancement
// and size for the next opening, and shows how sharp the picture will print.
#include <string>

#include "print/layout.h"
#include "print_fixture.h"

namespace print_test {
namespace {

void CloseWindow() {
  if (TPrintForm* f = State().PrintForm) f->Close();
  w95::ui::Application().ProcessMessages();
}

TEST_F(PrintWindow, ChoicesMadeInOneOpeningAreThereInTheNext) {
  {
    TPrintForm& f = Open(100, 50);
    // The window's own defaults are not the user's choices: nothing kept.
    for (const char* key : {"PrtUnit", "PrtStyle", "PrtColor", "PrtEnhance", "PrtZoom"})
      EXPECT_EQ(Key(key), "(none)") << key;
    auto& u = session.GetUser();
    u.Select("MeasureBox", 2);
    u.Select("PrintStyle", 2);
    u.Click("Color");
    u.Scroll("ZoomScroll", 50);
    u.Click("Enhance");
    EXPECT_FALSE(f.PrintStyle.Enabled());
    CloseWindow();
  }
  EXPECT_EQ(Key("PrtUnit"), "2");
  EXPECT_EQ(Key("PrtStyle"), "2");
  EXPECT_EQ(Key("PrtColor"), "0");
  EXPECT_EQ(Key("PrtEnhance"), "0");
  EXPECT_EQ(Key("PrtZoom"), "50");
  TPrintForm& f = Open(100, 50);
  const auto& s = State();
  EXPECT_EQ(f.MeasureBox.ItemIndex(), 2);
  EXPECT_EQ(s.MeasureUnit, 2);
  EXPECT_EQ(f.PrintStyle.ItemIndex(), 2);
  EXPECT_FALSE(f.Color.Checked());  // though the printer has colour
  EXPECT_FALSE(f.Enhance.Checked());
  EXPECT_FALSE(f.PrintStyle.Enabled());
  EXPECT_DOUBLE_EQ(s.Zoom, 0.5);
  EXPECT_EQ(f.ZoomScroll.Position(), 50);
  EXPECT_EQ(Text("ZoomLabel"), "  Si&ze : 50%");
  EXPECT_EQ(s.DocWidth, 2400);
  EXPECT_EQ(s.DocLeft, 1200);
  EXPECT_EQ(Text("LabelDocW"), "Width : 10.2");
  EXPECT_EQ(f.YScroll.SmallChange(), 24);  // a millimetre, as the unit says
}

TEST_F(PrintWindow, HostWithoutEnhancementLeavesTheRememberedChoiceAlone) {
  SetKey("PrtEnhance", "1");
  SetKey("PrtColor", "1");
  TPrintForm& f = Open(100, 50, 1);
  EXPECT_FALSE(f.Enhance.Checked());
  EXPECT_FALSE(f.Enhance.Enabled());
  EXPECT_FALSE(f.PrintStyle.Enabled());
  EXPECT_EQ(Key("PrtEnhance"), "1");
  CloseWindow();
  TPrintForm& g = Open(100, 50);
  EXPECT_TRUE(g.Enhance.Checked());
  EXPECT_TRUE(g.PrintStyle.Enabled());
}

TEST_F(PrintWindow, StoredValuesOutOfRangeGiveTheDefaults) {
  SetKey("PrtUnit", "7");
  SetKey("PrtZoom", "0");
  SetKey("PrtStyle", "9");
  SetKey("PrtColor", "x");
  TPrintForm& f = Open(100, 50);
  EXPECT_EQ(State().MeasureUnit, 1);
  EXPECT_EQ(f.MeasureBox.ItemIndex(), 1);
  EXPECT_DOUBLE_EQ(State().Zoom, 1.0);
  EXPECT_EQ(Text("ZoomLabel"), "  Si&ze: 100%");
  EXPECT_EQ(f.PrintStyle.ItemIndex(), 4);
  EXPECT_TRUE(f.Color.Checked());
}

TEST_F(PrintWindow, ResolutionFigureFollowsTheSizeAndIsMarkedWhenLow) {
  struct Row {
    int imageW, imageH, zoom;
    const char* text;
    bool low;
  };
  // The 600 dpi page is 8 x 11 inches; images fill its width at 100 %.
  for (const Row& r :
       {Row{2400, 1200, 100, "300 ppi", false}, Row{2400, 1200, 50, "600 ppi", false},
        Row{1200, 600, 100, "150 ppi", false}, Row{1192, 596, 100, "149 ppi, low", true},
        Row{100, 50, 100, "12 ppi, low", true}, Row{100, 50, 10, "125 ppi, low", true}}) {
    TPrintForm& f = Open(r.imageW, r.imageH);
    if (r.zoom != 100) session.GetUser().Scroll("ZoomScroll", r.zoom);
    EXPECT_EQ(Text("LabelRes"), r.text) << r.imageW << " at " << r.zoom;
    EXPECT_EQ(f.LabelRes.GetFont().color, r.low ? w95::ui::clRed : w95::ui::clBlack) << r.text;
    EXPECT_EQ(f.LabelRes.GetFont().bold, r.low) << r.text;
    CloseWindow();
    SetKey("PrtZoom", "100");
  }
}

}  // namespace
}  // namespace print_test
