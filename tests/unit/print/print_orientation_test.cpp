// The paper's orientation in the print setup window: the two buttons turn the
// printer's paper, "Auto-rotate" turns it the picture's way on opening, the
// choices are kept; and the Tab ring through every control of the window.
#include <string>
#include <vector>

#include "print/layout.h"
#include "print_fixture.h"

namespace print_test {
namespace {

using w95::ui::ssShift;
using w95::ui::vkTab;

void CloseWindow() {
  if (TPrintForm* f = State().PrintForm) f->Close();
  w95::ui::Application().ProcessMessages();
}

// The 600 dpi page is 4800 x 6600 pixels upright, 6600 x 4800 turned.
TEST_F(PrintWindow, OrientationButtonsTurnThePrintersPaperAndTheLayoutFollows) {
  TPrintForm& f = Open(100, 50);
  auto& u = session.GetUser();
  EXPECT_TRUE(f.BtnPortrait.Down());
  EXPECT_FALSE(f.BtnLandscape.Down());
  EXPECT_EQ(f.BtnPortrait.Glyph(), w95::ui::GlyphKind::Portrait);
  EXPECT_EQ(f.BtnLandscape.Glyph(), w95::ui::GlyphKind::Landscape);
  EXPECT_EQ(Key("PrtPaper"), "(none)") << "the printer's own paper is no choice";
  u.Click("BtnLandscape");
  EXPECT_EQ(Text("PanelSettings"), "Landscape: 11.0 x 8.0  (600 x 600 dpi)");
  EXPECT_GT(f.PaperImage.Width(), f.PaperImage.Height());
  // 100 x 50 covers 6600 x 4800 at 12800 x 6400, fitted to 6600 x 3300.
  EXPECT_EQ(State().DocWidth, 6600);
  EXPECT_EQ(State().DocHeight, 3300);
  EXPECT_EQ(State().DocTop, (4800 - 3300) / 2);
  EXPECT_EQ(f.DocImage.Width(), f.PaperImage.Width());
  EXPECT_TRUE(f.BtnLandscape.Down());
  EXPECT_FALSE(f.BtnPortrait.Down());
  EXPECT_EQ(Key("PrtPaper"), "1");
  // The paper in force: nothing to turn.
  u.Click("BtnLandscape");
  EXPECT_EQ(machine.printer.orientationCalls, 1);
  // The job is printed on the turned paper, at the turned page's placement.
  u.Click("BtnPrintIt");
  ASSERT_EQ(machine.printer.jobs.size(), 1u);
  EXPECT_TRUE(machine.printer.jobs[0].landscape);
  EXPECT_EQ(Key("prW"), "6600");
  EXPECT_EQ(Key("prT"), "750");
  w95::print::PrintEnd();
  w95::ui::Application().ProcessMessages();
  // Another run of the host (the printer upright again): the paper chosen
  // last is put back before the first layout.
  machine.printer.SetLandscape(false);
  TPrintForm& g = Open(100, 50);
  EXPECT_EQ(Text("PanelSettings"), "Landscape: 11.0 x 8.0  (600 x 600 dpi)");
  EXPECT_TRUE(g.BtnLandscape.Down());
  u.Click("BtnPortrait");
  EXPECT_EQ(Text("PanelSettings"), "Portrait : 8.0 x 11.0  (600 x 600 dpi)");
  EXPECT_EQ(State().DocWidth, 4800);
  EXPECT_EQ(Key("PrtPaper"), "0");
  // The paper confirmed in Setup is a choice too.
  machine.printer.onSetup = [](SimPrinter& p) {
    p.SetLandscape(true);
    return true;
  };
  session.AnswerPrintSetup(true);
  u.Click("BtnSetup");
  EXPECT_TRUE(g.BtnLandscape.Down());
  EXPECT_EQ(Key("PrtPaper"), "1");
}

TEST_F(PrintWindow, TurningThePaperKeepsThePhotoSizeFittedAndFilled) {
  TPrintForm& f = Open(1500, 1000);
  auto& u = session.GetUser();
  u.Select("PhotoBox", w95::print::k4x6);
  for (const bool turned : {true, false}) {
    SCOPED_TRACE(turned ? "landscape" : "portrait");
    u.Click(turned ? "BtnLandscape" : "BtnPortrait");
    EXPECT_EQ(Text("PanelSettings").rfind(turned ? "Landscape:" : "Portrait :", 0), 0u);
    EXPECT_EQ(State().DocWidth, 3600);
    EXPECT_EQ(State().DocHeight, 2400);
    EXPECT_EQ(State().DocLeft, ((turned ? 6600 : 4800) - 3600) / 2);
    EXPECT_EQ(State().DocTop, ((turned ? 4800 : 6600) - 2400) / 2);
    EXPECT_EQ(f.PhotoBox.ItemIndex(), w95::print::k4x6);
    EXPECT_TRUE(f.Fill.Enabled()) << "the photo size can still be filled";
  }
  // Filled, a square picture is cropped to the upright 4 x 6 on either page.
  CloseWindow();
  TPrintForm& g = Open(1000, 1000);
  u.Select("PhotoBox", w95::print::k4x6);
  u.Click("Fill");
  for (const bool turned : {true, false}) {
    SCOPED_TRACE(turned ? "landscape" : "portrait");
    u.Click(turned ? "BtnLandscape" : "BtnPortrait");
    EXPECT_EQ(g.BtnLandscape.Down(), turned);
    EXPECT_EQ(State().DocLeft, ((turned ? 6600 : 4800) - 2400) / 2);
    EXPECT_EQ(State().DocWidth, 2400);
    EXPECT_EQ(State().DocHeight, 3600);
    EXPECT_TRUE(g.Fill.Checked());
  }
}

TEST_F(PrintWindow, AutoRotateTurnsThePaperThePicturesWayOnOpening) {
  auto& u = session.GetUser();
  {
    TPrintForm& f = Open(2000, 1000);
    EXPECT_FALSE(f.AutoRotate.Checked());  // off until the user wants it
    EXPECT_TRUE(f.BtnPortrait.Down());
    // Ticked in the open window: the page turns at once.
    u.Click("AutoRotate");
    EXPECT_TRUE(f.BtnLandscape.Down());
    EXPECT_EQ(State().DocWidth, 6600);
    EXPECT_EQ(Key("PrtRotate"), "1");
    EXPECT_EQ(Key("PrtPaper"), "(none)") << "the window's turn is not the user's choice";
    CloseWindow();
  }
  struct Row {
    int imageW, imageH;
    bool paperBefore, paperAfter;
  };
  for (const Row& r :
       {Row{1000, 2000, true, false}, Row{2000, 1000, false, true}, Row{2000, 1000, true, true},
        Row{1000, 1000, true, true}, Row{1000, 1000, false, false}}) {
    SCOPED_TRACE(std::to_string(r.imageW) + "x" + std::to_string(r.imageH) +
                 (r.paperBefore ? " on landscape" : " on portrait"));
    machine.printer.SetLandscape(r.paperBefore);
    TPrintForm& f = Open(r.imageW, r.imageH);
    EXPECT_TRUE(f.AutoRotate.Checked());
    EXPECT_EQ(f.BtnLandscape.Down(), r.paperAfter);
    EXPECT_EQ(State().DocWidth > State().DocHeight, r.imageW > r.imageH);
    if (r.imageW != r.imageH) {
      EXPECT_EQ(r.imageW > r.imageH ? State().DocWidth : State().DocHeight, 6600)
          << "the picture's long side along the page's";
    }
    CloseWindow();
  }
  // The picture's way wins over the paper chosen last; turned off, the
  // paper chosen last is used again.
  SetKey("PrtPaper", "1");
  machine.printer.SetLandscape(false);
  TPrintForm& f = Open(1000, 2000);
  EXPECT_TRUE(f.BtnPortrait.Down());
  u.Click("AutoRotate");
  EXPECT_EQ(Key("PrtRotate"), "0");
  EXPECT_TRUE(f.BtnPortrait.Down()) << "unticking turns nothing";
  CloseWindow();
  TPrintForm& g = Open(1000, 2000);
  EXPECT_FALSE(g.AutoRotate.Checked());
  EXPECT_TRUE(g.BtnLandscape.Down());
}

TEST_F(PrintWindow, PaperStaysWhileTheHostHasTheJobAndStoredNonsenseIsIgnored) {
  SetKey("PrtPaper", "7");
  SetKey("PrtRotate", "x");
  TPrintForm& f = Open(100, 50);
  EXPECT_TRUE(f.BtnPortrait.Down());
  EXPECT_FALSE(f.AutoRotate.Checked());
  EXPECT_EQ(machine.printer.orientationCalls, 0);
  // The host keeps the job open after the print-ready message.
  session.GetUser().Click("BtnPrintIt");
  ASSERT_TRUE(machine.printer.Printing());
  for (w95::ui::Control* c : {static_cast<w95::ui::Control*>(&f.BtnPortrait),
                              static_cast<w95::ui::Control*>(&f.BtnLandscape),
                              static_cast<w95::ui::Control*>(&f.AutoRotate)})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  f.TurnPaper(true, true);
  EXPECT_EQ(machine.printer.orientationCalls, 0);
  EXPECT_EQ(Key("PrtPaper"), "7");
}

// The rows under the preview hold the photo size, the paper buttons and the
// typing boxes side by side: none covers another or runs out of the window.
TEST_F(PrintWindow, RowsUnderThePreviewDoNotOverlap) {
  TPrintForm& f = Open(100, 50);
  const auto& kids = f.PanelSize.Children();
  ASSERT_GE(kids.size(), 14u);
  for (size_t i = 0; i < kids.size(); ++i) {
    const w95::ui::Rect a = kids[i]->Bounds();
    EXPECT_GE(a.left, 0) << kids[i]->Name();
    EXPECT_LE(a.Right(), f.PanelSize.Width()) << kids[i]->Name();
    EXPECT_LE(a.Bottom(), f.PanelSize.Height()) << kids[i]->Name();
    for (size_t j = i + 1; j < kids.size(); ++j) {
      const w95::ui::Rect b = kids[j]->Bounds();
      const bool apart =
          a.Right() <= b.left || b.Right() <= a.left || a.Bottom() <= b.top || b.Bottom() <= a.top;
      EXPECT_TRUE(apart) << kids[i]->Name() << " covers " << kids[j]->Name();
    }
  }
}

// Tab and Shift+Tab go round every control: the window's own in their
// fixed order, the rows under the preview after the style list.
TEST_F(PrintWindow, TabRingReachesEveryControlBothWays) {
  TPrintForm& f = Open(1500, 1000);
  auto& u = session.GetUser();
  u.Select("PhotoBox", w95::print::k4x6);  // Fill can be used
  const std::vector<std::string> ring = {
      "BtnReset", "BtnSetup", "BtnPrintIt",  "BtnClose",     "BtnHelp",    "PrintStyle",
      "PhotoBox", "Fill",     "BtnPortrait", "BtnLandscape", "AutoRotate", "EditW",
      "EditH",    "EditX",    "EditY",       "XScroll",      "YScroll",    "ZoomScroll",
      "Color",    "Enhance",  "MeasureBox"};
  const size_t n = ring.size();
  f.BtnReset.SetFocus();
  for (size_t i = 1; i <= n; ++i) {
    u.PressKey(vkTab);
    EXPECT_EQ(u.FocusedName(), ring[i % n]) << "after " << i << " Tab";
  }
  for (size_t i = 1; i <= n; ++i) {
    u.PressKey(vkTab, ssShift);
    EXPECT_EQ(u.FocusedName(), ring[(n - i) % n]) << "after " << i << " Shift+Tab";
  }
  // Without a photo size Fill is passed over, both ways.
  u.Select("PhotoBox", w95::print::kAnySize);
  f.PhotoBox.SetFocus();
  u.PressKey(vkTab);
  EXPECT_EQ(u.FocusedName(), "BtnPortrait");
  u.PressKey(vkTab, ssShift);
  EXPECT_EQ(u.FocusedName(), "PhotoBox");
  // Space on a focused orientation button turns the paper; Alt+A ticks
  // Auto-rotate.
  f.BtnLandscape.SetFocus();
  u.PressKey(w95::ui::vkSpace);
  EXPECT_TRUE(f.BtnLandscape.Down());
  u.PressKey('A', w95::ui::ssAlt);
  EXPECT_TRUE(f.AutoRotate.Checked());
  EXPECT_EQ(u.FocusedName(), "AutoRotate");
}

}  // namespace
}  // namespace print_test
