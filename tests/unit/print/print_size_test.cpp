// Printing at a standard photo size or at a size typed in the unit, and
// placing the image by typed positions.
#include <string>

#include "print/layout.h"
#include "print_fixture.h"

namespace print_test {
namespace {

using w95::ui::vkReturn;
using w95::ui::vkTab;

void CloseWindow() {
  if (TPrintForm* f = State().PrintForm) f->Close();
  w95::ui::Application().ProcessMessages();
}

// The 600 dpi page is 4800 x 6600 pixels (8 x 11 in) upright, 6600 x 4800
// turned; the 300 dpi one is 2329 x 3358.
TEST_F(PrintWindow, PhotoSizesFitTheWholeImageTurnedItsWayAndStayOnThePage) {
  struct Row {
    int printer;  // 0: 600 dpi, 1: 300 dpi
    bool landscape;
    int imageW, imageH, unit, photo;
    int docW, docH;
  };
  using namespace w95::print;
  for (const Row& r : {
           Row{0, false, 1500, 1000, kInches, k4x6, 3600, 2400},       // a wide image on a wide box
           Row{0, false, 1000, 1500, kInches, k4x6, 2400, 3600},       // an upright one upright
           Row{0, false, 1000, 1000, kInches, k4x6, 2400, 2400},       // square: the short side
           Row{0, false, 1500, 1000, kCentimetres, k4x6, 3543, 2362},  // 15 x 10 cm
           Row{0, false, 1500, 1000, kInches, k8x10, 4800,
               3200},  // wider than the page: the largest fit
           Row{0, true, 1500, 1000, kInches, k8x10, 6000, 4000},  // fits across a turned page
           Row{0, true, 1500, 1000, kInches, kLetter, 6600, 4400},
           Row{0, false, 1000, 1500, kInches, kA4, 4400, 6600},  // taller than the page
           Row{1, false, 1000, 1500, kInches, k5x7, 1400, 2100},
           Row{1, false, 1000, 1500, kPixels, kA5, 1653, 2480},  // 14.8 x 21 cm at 300 dpi, upright
           Row{0, false, 1500, 1000, kInches, kFitPage, 4800, 3200},
       }) {
    SCOPED_TRACE(std::to_string(r.imageW) + "x" + std::to_string(r.imageH) + " " +
                 PhotoName(r.photo) + (r.landscape ? " turned" : ""));
    if (r.printer == 1) machine.printer.Select("Office A4");
    machine.printer.SetLandscape(r.landscape);
    TPrintForm& f = Open(r.imageW, r.imageH);
    auto& u = session.GetUser();
    u.Select("MeasureBox", r.unit);
    u.Select("PhotoBox", r.photo);
    const auto& s = State();
    EXPECT_EQ(s.DocWidth, r.docW);
    EXPECT_EQ(s.DocHeight, r.docH);
    // Centred on the page, with the preview in step.
    EXPECT_EQ(s.DocLeft, f.XScroll.Max() / 2);
    const int pageW = r.landscape ? 6600 : r.printer ? 2329 : 4800;
    EXPECT_NEAR(f.DocImage.Width(), f.PaperImage.Width() * static_cast<double>(r.docW) / pageW, 2);
    CloseWindow();
    machine.printer.Select("Photo 600");
    for (const char* key : {"PrtUnit", "PrtPhoto", "PrtZoom", "PrtWidth"}) SetKey(key, "");
  }
}

TEST_F(PrintWindow, TypedSizesKeepTheProportionsAndTheRange) {
  struct Row {
    int unit;
    const char* box;
    const char* typed;
    int docW, docH;
    const char* shownW;
  };
  using namespace w95::print;
  for (const Row& r : {
           Row{kInches, "EditW", "6", 3600, 2400, "6.00"},
           Row{kInches, "EditH", "2", 1800, 1200, "3.00"},
           Row{kInches, "EditW", "4,5", 2700, 1800, "4.50"},
           Row{kInches, "EditW", "20", 4800, 3200, "8.00"},  // no larger than the page allows
           Row{kInches, "EditW", "0.01", 48, 32, "0.08"},    // no smaller than the size bar's 1 %
           Row{kCentimetres, "EditW", "15", 3543, 2362, "15.0"},
           Row{kPixels, "EditW", "3000", 3000, 2000, "3000"},
           Row{kInches, "EditW", "abc", 4800, 3200, "8.00"},  // not a length: nothing changes
           Row{kInches, "EditH", "-2", 4800, 3200, "8.00"},
       }) {
    SCOPED_TRACE(std::string(r.box) + " " + r.typed);
    TPrintForm& f = Open(1500, 1000);
    auto& u = session.GetUser();
    u.Select("MeasureBox", r.unit);
    u.Type(r.box, r.typed);
    u.PressKey(vkReturn);
    const auto& s = State();
    EXPECT_EQ(s.DocWidth, r.docW);
    EXPECT_EQ(s.DocHeight, r.docH);
    EXPECT_EQ(f.EditW.Text(), r.shownW);
    EXPECT_EQ(s.DocLeft, (4800 - r.docW) / 2);
    CloseWindow();
    for (const char* key : {"PrtUnit", "PrtPhoto", "PrtZoom", "PrtWidth"}) SetKey(key, "");
  }
}

TEST_F(PrintWindow, TypedPositionsPlaceTheImageWithinThePage) {
  TPrintForm& f = Open(1500, 1000);
  auto& u = session.GetUser();
  u.Select("PhotoBox", w95::print::k4x6);
  EXPECT_EQ(f.EditX.Text(), "1.00");
  EXPECT_EQ(f.EditY.Text(), "3.50");
  u.Type("EditX", "0.5");
  u.PressKey(vkReturn);
  EXPECT_EQ(State().DocLeft, 300);
  EXPECT_EQ(Text("LabelXPos"), "&X pos : 0.5");
  EXPECT_EQ(f.XScroll.Position(), 300);
  // Leaving the box takes it too; past the bottom stops at the bottom.
  u.Type("EditY", "99");
  u.PressKey(vkTab);
  EXPECT_EQ(State().DocTop, 4200);
  EXPECT_EQ(f.EditY.Text(), "7.00");
  EXPECT_EQ(f.DocImage.Top() + f.DocImage.Height(), f.PaperImage.Height());
  u.Type("EditX", "0");
  u.PressKey(vkReturn);
  EXPECT_EQ(State().DocLeft, 0);
  EXPECT_EQ(f.DocImage.Left(), 0);
  // The size stays the photo size; its figure is for 6 inches of 1500 pixels.
  EXPECT_EQ(State().DocWidth, 3600);
  EXPECT_EQ(Text("LabelRes"), "250 ppi");
}

TEST_F(PrintWindow, SizeBarTakesOverFromAPhotoSizeAndChoicesComeBack) {
  {
    TPrintForm& f = Open(1500, 1000);
    auto& u = session.GetUser();
    u.Select("PhotoBox", w95::print::k4x6);
    EXPECT_EQ(f.ZoomScroll.Position(), 75);
    EXPECT_EQ(Text("ZoomLabel"), "  Si&ze : 75%");
    CloseWindow();
  }
  EXPECT_EQ(Key("PrtPhoto"), "1");
  {
    TPrintForm& f = Open(1500, 1000);
    EXPECT_EQ(f.PhotoBox.ItemIndex(), 1);
    EXPECT_EQ(State().DocWidth, 3600);
    session.GetUser().Scroll("ZoomScroll", 50);
    EXPECT_EQ(f.PhotoBox.ItemIndex(), 0);
    EXPECT_EQ(State().DocWidth, 2400);
    session.GetUser().Type("EditW", "5");
    session.GetUser().PressKey(vkReturn);
    EXPECT_EQ(State().DocWidth, 3000);
    CloseWindow();
  }
  EXPECT_EQ(Key("PrtPhoto"), "0");
  EXPECT_EQ(Key("PrtWidth"), "5000");
  Open(1500, 1000);
  EXPECT_EQ(State().DocWidth, 3000);
  EXPECT_EQ(State().DocHeight, 2000);
}

TEST_F(PrintWindow, ThePrintedSizeStaysWhenSetupTurnsThePage) {
  machine.printer.onSetup = [](w95::platform::sim::SimPrinter& p) {
    p.SetLandscape(true);
    return true;
  };
  TPrintForm& f = Open(1500, 1000);
  session.GetUser().Select("PhotoBox", w95::print::k4x6);
  session.AnswerPrintSetup(true);
  session.GetUser().Click("BtnSetup");
  EXPECT_EQ(State().DocWidth, 3600);
  EXPECT_EQ(State().DocHeight, 2400);
  EXPECT_EQ(State().DocLeft, (6600 - 3600) / 2);
  EXPECT_EQ(f.PhotoBox.ItemIndex(), 1);
}

}  // namespace
}  // namespace print_test

namespace print_test {
namespace {

// Moves the pointer, button held, so that the image's left and top on the
// paper would be (left, top), from a grab at (5, 5).
void DragTo(w95::ui::test::User& u, TPrintForm& f, int left, int top) {
  u.MouseMove("DocImage", left - f.DocImage.Left() + 5, top - f.DocImage.Top() + 5);
}

TEST_F(PrintWindow, DraggingTheImageMovesItOnThePageAndSnapsToTheMiddleAndTheEdges) {
  TPrintForm& f = Open(1500, 1000);
  auto& u = session.GetUser();
  u.Select("PhotoBox", w95::print::k4x6);  // 3600 x 2400 of 4800 x 6600
  const auto& s = State();
  const int roomX = f.PaperImage.Width() - f.DocImage.Width();
  const int roomY = f.PaperImage.Height() - f.DocImage.Height();
  ASSERT_GT(roomX, 20);
  u.MouseDown("DocImage", w95::ui::MouseButton::Left, 5, 5);
  DragTo(u, f, -50, -50);  // past the corner: the corner
  EXPECT_EQ(s.DocLeft, 0);
  EXPECT_EQ(s.DocTop, 0);
  EXPECT_EQ(f.DocImage.Left(), 0);
  EXPECT_EQ(Text("LabelXPos"), "&X pos : 0.0");
  EXPECT_EQ(f.EditX.Text(), "0.00");
  DragTo(u, f, roomX / 2 + 1, roomY / 2 - 1);  // near the middle: the middle
  EXPECT_EQ(s.DocLeft, 600);
  EXPECT_EQ(s.DocTop, 2100);
  DragTo(u, f, 2, roomY - 2);  // near the left and bottom edges
  EXPECT_EQ(s.DocLeft, 0);
  EXPECT_EQ(s.DocTop, 4200);
  EXPECT_EQ(f.DocImage.Top() + f.DocImage.Height(), f.PaperImage.Height());
  DragTo(u, f, roomX / 4, roomY / 4);  // away from both: where it was put
  EXPECT_EQ(s.DocLeft,
            w95::print::DraggedPosition(roomX / 4, roomX, 1200, 4 * 4800 / f.PaperImage.Width()));
  EXPECT_GT(s.DocLeft, 150);
  EXPECT_LT(s.DocLeft, 450);
  const int left = s.DocLeft;
  u.MouseUp("DocImage", w95::ui::MouseButton::Left, 5, 5);
  u.MouseMove("DocImage", 40, 40);  // the button is up: nothing moves
  EXPECT_EQ(s.DocLeft, left);
  // The size stays as it was.
  EXPECT_EQ(s.DocWidth, 3600);
}

TEST_F(PrintWindow, ShiftArrowMovesAWholeUnit) {
  TPrintForm& f = Open(1500, 1000);
  auto& u = session.GetUser();
  u.Select("PhotoBox", w95::print::k4x6);
  f.YScroll.SetFocus();
  u.PressKey(w95::ui::vkDown, w95::ui::ssShift);
  EXPECT_EQ(State().DocTop, 2100 + 600);  // an inch at 600 dpi
  EXPECT_EQ(Text("LabelYpos"), "&Y pos : 4.5");
  u.Select("MeasureBox", 2);
  f.YScroll.SetFocus();
  u.PressKey(w95::ui::vkUp, w95::ui::ssShift);
  EXPECT_EQ(State().DocTop, 2700 - 236);  // a centimetre
  f.XScroll.SetFocus();
  u.PressKey(w95::ui::vkLeft, w95::ui::ssShift);
  u.PressKey(w95::ui::vkLeft, w95::ui::ssShift);
  u.PressKey(w95::ui::vkLeft, w95::ui::ssShift);
  EXPECT_EQ(State().DocLeft, 0);  // no further than the margin
}

}  // namespace
}  // namespace print_test

namespace print_test {
namespace {

// Fill crops the picture to the photo size: the host is given the larger
// rectangle that covers it, and the page is clipped to the photo size
// before the host draws, on upright and turned pages.
TEST_F(PrintWindow, FillCoversThePhotoSizeAndClipsThePageToIt) {
  struct Row {
    bool landscape;
    int imageW, imageH;
    int boxW, boxH;      // the photo size in printer pixels
    int coverW, coverH;  // what the host draws
  };
  // 4 x 6 in at 600 dpi; a 2:1 image is wider than 3:2, a 1:1 one narrower.
  for (const Row& r : {Row{false, 2000, 1000, 3600, 2400, 4800, 2400},
                       Row{false, 1000, 1000, 2400, 3600, 3600, 3600},
                       Row{true, 2000, 1000, 3600, 2400, 4800, 2400},
                       Row{false, 1000, 2000, 2400, 3600, 2400, 4800}}) {
    SCOPED_TRACE(std::to_string(r.imageW) + "x" + std::to_string(r.imageH) +
                 (r.landscape ? " turned" : ""));
    machine.printer.SetLandscape(r.landscape);
    TPrintForm& f = Open(r.imageW, r.imageH);
    auto& u = session.GetUser();
    EXPECT_FALSE(f.Fill.Enabled());  // only for a photo size
    u.Select("PhotoBox", w95::print::k4x6);
    u.Click("Fill");
    const auto& s = State();
    EXPECT_EQ(s.DocWidth, r.boxW);
    EXPECT_EQ(s.DocHeight, r.boxH);
    EXPECT_EQ(Text("LabelDocW"), "Width : " + w95::print::LengthText(r.boxW, 600, 1));
    // The preview has the photo size's shape and the picture overflows it.
    EXPECT_NEAR(static_cast<double>(f.DocImage.Width()) / f.DocImage.Height(),
                static_cast<double>(r.boxW) / r.boxH, 0.05);
    u.Click("BtnPrintIt");
    ASSERT_EQ(machine.printer.jobs.size(), 1u);
    const auto& job = machine.printer.jobs[0];
    EXPECT_TRUE(job.clipped);
    EXPECT_EQ(job.clipLeft, s.DocLeft);
    EXPECT_EQ(job.clipTop, s.DocTop);
    EXPECT_EQ(job.clipWidth, r.boxW);
    EXPECT_EQ(job.clipHeight, r.boxH);
    EXPECT_EQ(Key("prW"), std::to_string(r.coverW));
    EXPECT_EQ(Key("prH"), std::to_string(r.coverH));
    EXPECT_EQ(Key("prL"), std::to_string(s.DocLeft - (r.coverW - r.boxW) / 2));
    EXPECT_EQ(Key("prT"), std::to_string(s.DocTop - (r.coverH - r.boxH) / 2));
    w95::print::PrintEnd();
    w95::ui::Application().ProcessMessages();
    machine.printer.jobs.clear();
    for (const char* key : {"PrtPhoto", "PrtFill"}) SetKey(key, "");
  }
}

TEST_F(PrintWindow, FitPrintsUnclippedAndFillIsRemembered) {
  TPrintForm& f = Open(2000, 1000);
  auto& u = session.GetUser();
  u.Select("PhotoBox", w95::print::k4x6);
  u.Click("Fill");
  EXPECT_EQ(Key("PrtFill"), "1");
  EXPECT_EQ(Text("LabelRes"), "250 ppi");  // 2000 pixels over the 8 covering inches
  u.Click("Fill");
  EXPECT_EQ(State().DocWidth, 3600);
  EXPECT_EQ(State().DocHeight, 1800);
  u.Click("Fill");
  f.Close();
  w95::ui::Application().ProcessMessages();
  TPrintForm& g = Open(2000, 1000);
  EXPECT_TRUE(g.Fill.Checked());
  EXPECT_EQ(State().DocHeight, 2400);
  u.Scroll("ZoomScroll", 50);  // the size bar: the picture whole again
  EXPECT_FALSE(g.Fill.Enabled());
  u.Click("BtnPrintIt");
  ASSERT_EQ(machine.printer.jobs.size(), 1u);
  EXPECT_FALSE(machine.printer.jobs[0].clipped);
  EXPECT_EQ(Key("prW"), std::to_string(State().DocWidth));
}

}  // namespace
}  // namespace print_test
