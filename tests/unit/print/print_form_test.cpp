// The print setup window on the headless backend: layout on the page, zoom,
// units, defaults from the printer, setup dialog, keys and failures.
#include <algorithm>
#include <string>
#include <vector>

#include "print/layout.h"
#include "print_fixture.h"
#include "ui/recording_canvas.h"

namespace print_test {
namespace {

TEST_F(PrintWindow, WideImageOnA600DpiPageIsDoubledFittedAndCentred) {
  TPrintForm& f = Open(100, 50);
  EXPECT_EQ(w95::print::PrintCheck(), 1);
  const auto& s = State();
  EXPECT_EQ(s.ScaledWidth, 25600);
  EXPECT_EQ(s.ScaledHeight, 12800);
  EXPECT_EQ(s.DocWidth, 4800);
  EXPECT_EQ(s.DocHeight, 2400);
  EXPECT_EQ(f.XScroll.Max(), 0);
  EXPECT_EQ(f.XScroll.LargeChange(), 1);
  EXPECT_EQ(f.YScroll.Max(), 4200);
  EXPECT_EQ(f.YScroll.LargeChange(), 525);
  EXPECT_EQ(f.YScroll.Position(), 2100);
  EXPECT_EQ(s.DocTop, 2100);
  EXPECT_EQ(s.DocLeft, 0);
  // Inches at first, from the printer's 600 dpi.
  EXPECT_EQ(Text("LabelDocW"), "Width : 8.0");
  EXPECT_EQ(Text("LabelDocH"), "Height: 4.0");
  EXPECT_EQ(Text("LabelXPos"), "&X pos : 0.0");
  EXPECT_EQ(Text("LabelYpos"), "&Y pos : 3.5");
  EXPECT_EQ(Text("PanelSettings"), "Portrait : 8.0 x 11.0  (600 x 600 dpi)");
  EXPECT_EQ(f.Caption(), "Plimbo Print Setup");
  EXPECT_EQ(f.ClientWidth(), 374);
  // The photo size and typing rows lie under the window's own 266 pixels,
  // which keep their layout.
  EXPECT_EQ(f.ClientHeight(), 266 + f.PanelSize.Height());
  EXPECT_EQ(f.PanelParent.Top(), 25);
  EXPECT_EQ(f.PanelParent.Height(), 241);
}

TEST_F(PrintWindow, PreviewPaperAndImageFollowTheMetricSizedScrollBars) {
  w95::ui::headless::TestMetrics().scrollThumb = 16;
  TPrintForm& f = Open(100, 50);
  EXPECT_EQ(f.PanelX.Height(), 16);
  EXPECT_EQ(f.XScroll.Height(), 16);
  EXPECT_EQ(f.ZoomScroll.Height(), 16);
  EXPECT_EQ(f.XScroll.Width(), f.PanelX.Width());
  EXPECT_EQ(f.YScroll.Width(), 16);
  EXPECT_EQ(f.YScroll.Height(), f.PanelY.Height());
  // The image area is 169 x 225: the 4800 x 6600 page fits as 163 x 225.
  EXPECT_EQ(f.PanelImage.Width(), 169);
  EXPECT_EQ(f.PanelImage.Height(), 225);
  const auto paper = f.PaperImage.Bounds();
  EXPECT_EQ(paper.left, 3);
  EXPECT_EQ(paper.top, 0);
  EXPECT_EQ(paper.width, 163);
  EXPECT_EQ(paper.height, 225);
  // The image fills the paper's width and sits in the middle.
  EXPECT_EQ(f.DocImage.Width(), 163);
  EXPECT_EQ(f.DocImage.Height(), 81);
  EXPECT_EQ(f.DocImage.Top(), 72);
  // The preview is the built-in picture, stretched over the image.
  w95::ui::RecordingCanvas canvas;
  f.DocImage.Paint(canvas);
  ASSERT_EQ(canvas.ops.size(), 1u);
  EXPECT_EQ(canvas.ops[0], "picture 0,0 163x81 of 48x48");
}

TEST_F(PrintWindow, ZoomShrinksTheImageAndRecentresItThenUnitsRelabel) {
  TPrintForm& f = Open(100, 50);
  auto& u = session.GetUser();
  u.Scroll("ZoomScroll", 50);
  const auto& s = State();
  EXPECT_DOUBLE_EQ(s.Zoom, 0.5);
  EXPECT_EQ(s.DocWidth, 2400);
  EXPECT_EQ(s.DocHeight, 1200);
  EXPECT_EQ(s.DocLeft, 1200);
  EXPECT_EQ(s.DocTop, 2700);
  EXPECT_EQ(Text("ZoomLabel"), "  Si&ze : 50%");
  EXPECT_EQ(f.DocImage.Width(), 81);
  EXPECT_EQ(Text("LabelDocW"), "Width : 4.0");
  u.Select("MeasureBox", 2);
  EXPECT_EQ(Text("LabelDocW"), "Width : 10.2");
  EXPECT_EQ(Text("PanelSettings"), "Portrait : 20.3 x 27.9  (600 x 600 dpi)");
  u.Select("MeasureBox", 0);
  EXPECT_EQ(Text("LabelDocW"), "Width : 2400");
  EXPECT_EQ(Text("LabelXPos"), "&X pos : 1200");
  EXPECT_EQ(Text("PanelSettings"), "Portrait : 4800 x 6600  (600 x 600 dpi)");
  // The style list refreshes the labels and changes nothing else.
  u.Select("PrintStyle", 2);
  EXPECT_EQ(Text("LabelDocW"), "Width : 2400");
  EXPECT_EQ(s.MeasureUnit, 0);
  EXPECT_EQ(s.DocWidth, 2400);
}

TEST_F(PrintWindow, MovingTheImageMovesThePreviewInProportion) {
  TPrintForm& f = Open(100, 50);
  auto& u = session.GetUser();
  u.Scroll("YScroll", 4200);  // to the bottom of the page
  EXPECT_EQ(State().DocTop, 4200);
  EXPECT_EQ(Text("LabelYpos"), "&Y pos : 7.0");
  EXPECT_EQ(f.DocImage.Top() + f.DocImage.Height(), f.PaperImage.Height());
  u.Scroll("YScroll", 0);
  EXPECT_EQ(f.DocImage.Top(), 0);
  // Cen&ter brings it back to the middle at the current zoom.
  u.Click("BtnReset");
  EXPECT_EQ(State().DocTop, 2100);
  EXPECT_EQ(f.DocImage.Top(), 72);
}

TEST_F(PrintWindow, ImageOfThePagesProportionsFillsThePage) {
  TPrintForm& f = Open(480, 660);
  EXPECT_EQ(State().DocWidth, 4800);
  EXPECT_EQ(State().DocHeight, 6600);
  EXPECT_EQ(f.XScroll.Max(), 0);
  EXPECT_EQ(f.YScroll.Max(), 0);
  // Zoom cannot grow the image past the page.
  EXPECT_EQ(f.ZoomScroll.Max(), 100);
  EXPECT_EQ(f.ZoomScroll.Min(), 1);
}

TEST_F(PrintWindow, ColourAndStyleDefaultsFollowThePrinter) {
  {
    TPrintForm& f = Open(100, 50);
    EXPECT_TRUE(f.Color.Checked());
    EXPECT_EQ(f.PrintStyle.ItemIndex(), 4);  // "Stevenson"
    EXPECT_EQ(Text("PrintStyle"), "Stevenson");
    f.Close();
    w95::ui::Application().ProcessMessages();
  }
  machine.printer.Select("Laser Mono");
  TPrintForm& f = Open(100, 50);
  EXPECT_FALSE(f.Color.Checked());
  EXPECT_EQ(f.PrintStyle.ItemIndex(), 0);  // "Floyd-Steinberg"
}

TEST_F(PrintWindow, NoEnhanceTurnsEnhancementAndStyleOff) {
  machine.printer.Select("Laser Mono");
  TPrintForm& f = Open(100, 50, 1);
  EXPECT_FALSE(f.Enhance.Checked());
  EXPECT_FALSE(f.Enhance.Enabled());
  EXPECT_FALSE(f.PrintStyle.Enabled());
  EXPECT_FALSE(f.Color.Checked());  // still the printer's
}

TEST_F(PrintWindow, EnhanceSwitchesTheStyleList) {
  TPrintForm& f = Open(100, 50);
  auto& u = session.GetUser();
  u.Click("Enhance");
  EXPECT_FALSE(f.PrintStyle.Enabled());
  u.Click("Enhance");
  EXPECT_TRUE(f.PrintStyle.Enabled());
}

TEST_F(PrintWindow, TabKeepsTheWindowsOwnCycleBothWaysAndPassesOverDisabledControls) {
  TPrintForm& f = Open(100, 50);
  auto& u = session.GetUser();
  const std::vector<std::string> cycle = {"BtnReset",   "BtnSetup",   "BtnPrintIt", "BtnClose",
                                          "BtnHelp",    "PrintStyle", "XScroll",    "YScroll",
                                          "ZoomScroll", "Color",      "Enhance",    "MeasureBox"};
  auto own = [&](const std::string& name) {
    return std::find(cycle.begin(), cycle.end(), name) != cycle.end();
  };
  // Once round, forwards and backwards: the window's own controls come in
  // their fixed order (the rows under the preview lie between).
  for (unsigned shift : {w95::ui::ssNone, w95::ui::ssShift}) {
    f.BtnReset.SetFocus();
    std::vector<std::string> seen;
    for (int i = 0; i < 30 && (seen.empty() || seen.back() != "BtnReset"); ++i) {
      u.PressKey(w95::ui::vkTab, shift);
      if (own(u.FocusedName())) seen.push_back(u.FocusedName());
    }
    std::vector<std::string> want(cycle.begin() + 1, cycle.end());
    if (shift == w95::ui::ssShift) std::reverse(want.begin(), want.end());
    want.push_back("BtnReset");
    EXPECT_EQ(seen, want) << (shift ? "Shift+Tab" : "Tab");
  }
  f.MeasureBox.SetFocus();
  u.PressKey(w95::ui::vkTab, w95::ui::ssShift | w95::ui::ssCtrl);  // not exactly Shift: forwards
  EXPECT_EQ(u.FocusedName(), "BtnReset");
  // Without enhancement the cycle steps over the style list and Enhance.
  f.Close();
  w95::ui::Application().ProcessMessages();
  TPrintForm& g = Open(100, 50, 1);
  g.BtnHelp.SetFocus();
  u.PressKey(w95::ui::vkTab);
  EXPECT_EQ(u.FocusedName(), "PhotoBox");
  u.PressKey(w95::ui::vkTab, w95::ui::ssShift);
  EXPECT_EQ(u.FocusedName(), "BtnHelp");
  g.Color.SetFocus();
  u.PressKey(w95::ui::vkTab);
  EXPECT_EQ(u.FocusedName(), "MeasureBox");
}

TEST_F(PrintWindow, EscapeAndAltCCloseTheWindow) {
  Open(100, 50);
  session.GetUser().PressKey(w95::ui::vkEscape);
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  w95::ui::Application().ProcessMessages();
  EXPECT_EQ(State().PrintForm, nullptr);
  Open(100, 50);
  session.GetUser().PressKey('C', w95::ui::ssAlt | w95::ui::ssShift);  // not exactly Alt
  EXPECT_EQ(w95::print::PrintCheck(), 1);
  session.GetUser().PressKey('C', w95::ui::ssAlt);
  EXPECT_EQ(w95::print::PrintCheck(), 0);
  // Cancel closes it too.
  Open(100, 50);
  session.GetUser().Click("BtnClose");
  EXPECT_EQ(w95::print::PrintCheck(), 0);
}

TEST_F(PrintWindow, ActivationKeepsTheUsersLayoutUntilThePrinterOrPageChanges) {
  TPrintForm& f = Open(100, 50);
  auto& u = session.GetUser();
  u.Scroll("ZoomScroll", 30);
  u.Select("MeasureBox", 0);
  u.Select("PrintStyle", 1);
  u.Click("Color");
  u.Scroll("YScroll", 100);
  // A click on the host's window and back, a box closing over the window:
  // nothing the user chose goes.
  f.UserActivated();
  EXPECT_DOUBLE_EQ(State().Zoom, 0.3);
  EXPECT_EQ(f.ZoomScroll.Position(), 30);
  EXPECT_EQ(Text("ZoomLabel"), "  Si&ze : 30%");
  EXPECT_EQ(f.MeasureBox.ItemIndex(), 0);
  EXPECT_EQ(f.PrintStyle.ItemIndex(), 1);
  EXPECT_FALSE(f.Color.Checked());
  EXPECT_EQ(State().DocWidth, 1440);
  EXPECT_EQ(State().DocTop, 100);
  // The page turned meanwhile: laid out on it at the same size, centred.
  machine.printer.SetLandscape(true);
  f.UserActivated();
  EXPECT_EQ(Text("PanelSettings"), "Landscape: 6600 x 4800  (600 x 600 dpi)");
  EXPECT_EQ(f.ZoomScroll.Position(), 30);
  EXPECT_EQ(State().DocWidth, 1980);
  EXPECT_EQ(State().DocTop, (4800 - 990) / 2);
  EXPECT_EQ(f.PrintStyle.ItemIndex(), 1);
  EXPECT_FALSE(f.Color.Checked());
  // Another printer: its colour defaults, the size still the user's.
  machine.printer.Select("Laser Mono");
  machine.printer.SetLandscape(false);
  f.UserActivated();
  EXPECT_EQ(f.ZoomScroll.Position(), 30);
  EXPECT_EQ(f.PrintStyle.ItemIndex(), 0);
  EXPECT_EQ(f.MeasureBox.ItemIndex(), 0);
}

TEST_F(PrintWindow, SetupChangesPrinterAndOrientationAndTheLayoutFollows) {
  TPrintForm& f = Open(100, 50);
  machine.printer.onSetup = [](SimPrinter& p) {
    p.Select("Office A4");
    p.SetLandscape(true);
    return true;
  };
  session.AnswerPrintSetup(true);
  session.GetUser().Click("BtnSetup");
  EXPECT_EQ(Text("PanelSettings"), "Landscape: 11.2 x 7.8  (300 x 300 dpi)");
  EXPECT_GT(f.PaperImage.Width(), f.PaperImage.Height());
  EXPECT_EQ(State().DpiX, 300);
  // 100 x 50 covers 3358 x 2329 at 3200 x 1600 doubled to 6400 x 3200.
  EXPECT_EQ(State().DocWidth, 3358);
  EXPECT_EQ(State().DocHeight, 1679);
  // A cancelled dialog changes nothing.
  session.AnswerPrintSetup(false);
  session.GetUser().Click("BtnSetup");
  EXPECT_EQ(State().DocWidth, 3358);
  // Turning the page keeps the size the user chose, and the style.
  session.GetUser().Scroll("ZoomScroll", 50);
  session.GetUser().Select("PrintStyle", 3);
  machine.printer.onSetup = [](SimPrinter& p) {
    p.SetLandscape(false);
    return true;
  };
  session.AnswerPrintSetup(true);
  session.GetUser().Click("BtnSetup");
  f.UserActivated();  // the dialog closing gives the window back
  EXPECT_EQ(Text("PanelSettings"), "Portrait : 7.8 x 11.2  (300 x 300 dpi)");
  EXPECT_EQ(Text("ZoomLabel"), "  Si&ze : 50%");
  EXPECT_EQ(State().DocWidth, 2329 / 2);
  EXPECT_EQ(f.PrintStyle.ItemIndex(), 3);
}

TEST_F(PrintWindow, ButtonsCarryTheirGlyphs) {
  TPrintForm& f = Open(100, 50);
  using w95::ui::GlyphKind;
  EXPECT_EQ(f.BtnSetup.Glyph(), GlyphKind::PageSetup);
  EXPECT_EQ(f.BtnPrintIt.Glyph(), GlyphKind::Print);
  EXPECT_EQ(f.BtnClose.Glyph(), GlyphKind::Cancel);
  EXPECT_EQ(f.BtnHelp.Glyph(), GlyphKind::Help);
  EXPECT_EQ(f.BtnReset.Glyph(), GlyphKind::Centre);
}

TEST_F(PrintWindow, HelpOpensContext110OnTheWindow) {
  Open(100, 50);
  session.GetUser().Click("BtnHelp");
  ASSERT_EQ(machine.desktop.helpCalls.size(), 1u);
  EXPECT_EQ(machine.desktop.helpCalls[0].file, "PLIMBO.HLP");
  EXPECT_EQ(machine.desktop.helpCalls[0].command, 1u);
  EXPECT_EQ(machine.desktop.helpCalls[0].data, 110u);
}

TEST_F(PrintWindow, PreviewPictureNamedByTheHost) {
  // A 2 x 1 24-bit bitmap: red, blue.
  std::string bmp = "BM";
  auto le = [&](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bmp.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  le(62, 4), le(0, 4), le(54, 4), le(40, 4), le(2, 4), le(1, 4), le(1, 2), le(24, 2);
  le(0, 4), le(8, 4), le(0, 4), le(0, 4), le(0, 4), le(0, 4);
  bmp += std::string("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8);
  machine.files.AddFile("C:\\PICS\\SUNSET.BMP", bmp);
  SetKey("BMP", "c:\\pics\\sunset.bmp");
  TPrintForm& f = Open(2, 1);
  ASSERT_EQ(f.Preview().width, 2);
  EXPECT_EQ(f.Preview().At(0, 0), 0xFF0000u);
  EXPECT_EQ(f.Preview().At(1, 0), 0x0000FFu);
}

TEST_F(PrintWindow, UnreadablePreviewIsReportedAndTheWindowIsLaidOutWithTheBuiltInPicture) {
  machine.files.AddFile("C:\\PICS\\BROKEN.BMP", "not a bitmap");
  SetKey("BMP", "c:\\pics\\broken.bmp");
  session.ExpectMessage(MsgKind::Error, "Bitmap image is not valid", w95::ui::mrOk);
  TPrintForm& f = Open(4000, 100);
  EXPECT_TRUE(session.Unused().empty());
  EXPECT_EQ(f.Preview().width, 48);
  EXPECT_EQ(State().DocWidth, 4800);
  EXPECT_EQ(State().DocHeight, 120);
  EXPECT_TRUE(f.LaidOut());
  EXPECT_TRUE(f.BtnPrintIt.Enabled());
  // Said once: activations after the layout do not read the picture again.
  SetKey("BMP", "c:\\pics\\missing.bmp");
  f.UserActivated();
  EXPECT_EQ(State().DocWidth, 4800);
}

TEST_F(PrintWindow, NoPrinterIsReportedOnceAndTheWindowStaysSafeToClose) {
  machine.printer.Install({});
  session.ExpectMessage(MsgKind::Error, "There is no default printer currently selected",
                        w95::ui::mrOk);
  TPrintForm& f = Open(100, 50);
  EXPECT_EQ(w95::print::PrintCheck(), 1);
  EXPECT_TRUE(session.Unused().empty());
  // Zooming asks the printer again (track, position, end: three times): the
  // same box, and the bars stay live.
  for (int i = 0; i < 3; ++i)
    session.ExpectMessage(MsgKind::Error, "There is no default printer currently selected",
                          w95::ui::mrOk);
  session.GetUser().Scroll("ZoomScroll", 40);
  EXPECT_EQ(State().Recalculating, 0);
  // Nothing was laid out: nothing to print.
  EXPECT_FALSE(f.BtnPrintIt.Enabled());
  f.Close();
  EXPECT_EQ(w95::print::PrintCheck(), 0);
}

TEST_F(PrintWindow, PrinterWithoutPageOrResolutionIsRefusedUntilSetupChoosesAnother) {
  for (auto model : {w95::platform::sim::SimPrinterModel{"No Page", 0, 6600, 600},
                     w95::platform::sim::SimPrinterModel{"No Dpi", 4800, 6600, 0}}) {
    machine.printer.Install({model, SimPrinter::A4()});
    session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
    TPrintForm& f = Open(100, 50);
    ASSERT_TRUE(session.Unused().empty());
    EXPECT_NE(session.Messages().back().text.find("choose another printer"), std::string::npos);
    EXPECT_FALSE(f.BtnPrintIt.Enabled());
    for (const char* label : {"LabelDocW", "LabelDocH", "LabelXPos", "LabelYpos", "PanelSettings"})
      EXPECT_EQ(Text(label).find("nan"), std::string::npos) << label << ": " << Text(label);
    // The unit list redraws the labels: refused again, never NaN.
    session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
    session.GetUser().Select("MeasureBox", 2);
    EXPECT_EQ(Text("LabelDocW").find("nan"), std::string::npos);
    // Another printer chosen in Setup lays the window out.
    machine.printer.onSetup = [](SimPrinter& p) {
      p.Select("Office A4");
      return true;
    };
    session.AnswerPrintSetup(true);
    session.GetUser().Click("BtnSetup");
    EXPECT_TRUE(f.BtnPrintIt.Enabled());
    EXPECT_EQ(State().DpiX, 300);
    f.Close();
    w95::ui::Application().ProcessMessages();
  }
}

TEST_F(PrintWindow, ArrowsMoveTheImageByATenthOfTheUnitAndPageKeysByMore) {
  TPrintForm& f = Open(100, 50);
  auto& u = session.GetUser();
  EXPECT_EQ(f.YScroll.SmallChange(), 60);  // 0.1 inch at 600 dpi
  const int top = f.DocImage.Top();
  u.ScrollStep("YScroll", w95::ui::ScrollCode::LineDown);
  EXPECT_EQ(State().DocTop, 2160);
  EXPECT_EQ(Text("LabelYpos"), "&Y pos : 3.6");
  // The preview moves with the step it was given, not one behind.
  EXPECT_EQ(f.DocImage.Top(),
            w95::print::PreviewOffset(2160, 4200, f.PaperImage.Height() - f.DocImage.Height()));
  EXPECT_GE(f.DocImage.Top(), top);
  u.ScrollStep("YScroll", w95::ui::ScrollCode::PageDown);
  EXPECT_EQ(State().DocTop, 2160 + 525);
  u.Select("MeasureBox", 2);
  EXPECT_EQ(f.YScroll.SmallChange(), 24);  // 1 mm
  u.ScrollStep("YScroll", w95::ui::ScrollCode::LineUp);
  EXPECT_EQ(State().DocTop, 2685 - 24);
  u.Select("MeasureBox", 0);
  EXPECT_EQ(f.YScroll.SmallChange(), 1);
  u.Scroll("ZoomScroll", 50);
  EXPECT_EQ(f.XScroll.SmallChange(), 1);
  u.Select("MeasureBox", 1);
  EXPECT_EQ(f.XScroll.SmallChange(), 60);
}

TEST_F(PrintWindow, ImageWithoutSizeIsRefusedWithoutAWindow) {
  for (auto [w, h] : {std::pair{0, 50}, std::pair{100, -3}, std::pair{0, 0}}) {
    session.ExpectMessage(MsgKind::Error, w95::ui::mrOk);
    w95::print::PrintDlg(kHost, w, h, 0);
    EXPECT_EQ(State().PrintForm, nullptr) << w << " x " << h;
    EXPECT_EQ(w95::print::PrintCheck(), 0);
  }
  EXPECT_TRUE(session.Unused().empty());
}

TEST_F(PrintWindow, SecondCallWhileTheWindowExistsIsIgnored) {
  TPrintForm& f = Open(100, 50);
  w95::print::PrintDlg(kHost + 1, 640, 480, 1);
  EXPECT_EQ(State().PrintForm, &f);
  EXPECT_EQ(State().HostWindow, kHost);
  EXPECT_EQ(State().ImageWidth, 100);
  EXPECT_TRUE(f.Enhance.Enabled());
}

}  // namespace
}  // namespace print_test
