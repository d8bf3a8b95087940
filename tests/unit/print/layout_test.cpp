// The page arithmetic: fitting, covering the page, scroll spans, labels.
#include <gtest/gtest.h>

#include "print/layout.h"

namespace {

using namespace w95::print;

TEST(FitToBox, KeepsTheObjectsProportionsInsideTheBoxEnlargingOrShrinking) {
  struct Row {
    int bw, bh, ow, oh, w, h;
  } rows[] = {
      {4800, 6600, 25600, 12800, 4800, 2400},  // smaller both ways, wide object
      {169, 225, 4800, 6600, 163, 225},        // smaller both ways, tall box
      {163, 225, 100, 50, 163, 81},            // larger both ways: 81.5 truncated
      {4800, 6600, 480, 660, 4800, 6600},      // exact proportions fill the box
      {200, 100, 100, 300, 33, 100},           // wider box, taller object
      {100, 200, 300, 100, 100, 33},           // taller box, wider object
  };
  for (const Row& r : rows) {
    const Fit f = FitToBox(r.bw, r.bh, r.ow, r.oh);
    EXPECT_EQ(f.width, r.w) << r.bw << "x" << r.bh << " <- " << r.ow << "x" << r.oh;
    EXPECT_EQ(f.height, r.h) << r.bw << "x" << r.bh << " <- " << r.ow << "x" << r.oh;
    EXPECT_LE(f.width, r.bw);
    EXPECT_LE(f.height, r.bh);
  }
}

TEST(FitToBox, ComputesInSinglePrecisionAndKeepsTheUntruncatedSides) {
  // 163 / 100 * 50 in float is 81.5 exactly; the real sides feed the zoom.
  const Fit f = FitToBox(163, 225, 100, 50);
  EXPECT_FLOAT_EQ(f.realWidth, 163.0f);
  EXPECT_FLOAT_EQ(f.realHeight, 81.5f);
  EXPECT_EQ(Zoomed(f.realHeight, 0.5), 40);
  // When the first side taken overshoots the box, the second step brings it
  // back: box 100 x 10, object 1000 x 50 (difference decides on width).
  const Fit g = FitToBox(100, 10, 1000, 50);
  EXPECT_EQ(g.width, 100);
  EXPECT_EQ(g.height, 5);
}

TEST(CoverPage, DoublesWhileEitherPageSideIsLonger) {
  const Extent e = CoverPage(100, 50, 4800, 6600);
  EXPECT_EQ(e.width, 25600);
  EXPECT_EQ(e.height, 12800);
  const Extent same = CoverPage(5000, 7000, 4800, 6600);
  EXPECT_EQ(same.width, 5000);
  // A very thin image goes past 32 bits without wrapping round.
  const Extent thin = CoverPage(1, 1000000, 4800, 6600);
  EXPECT_EQ(thin.width, 8192);
  EXPECT_EQ(thin.height, 8192000000LL);
}

TEST(SpanOf, FreeMarginAnEighthAtLeastOneAndTheMiddle) {
  const ScrollSpan y = SpanOf(6600, 2400);
  EXPECT_EQ(y.max, 4200);
  EXPECT_EQ(y.largeChange, 525);
  EXPECT_EQ(y.position, 2100);
  const ScrollSpan full = SpanOf(4800, 4800);
  EXPECT_EQ(full.max, 0);
  EXPECT_EQ(full.largeChange, 1);
  EXPECT_EQ(full.position, 0);
  EXPECT_EQ(SpanOf(4800, 4795).largeChange, 1);
}

TEST(PreviewOffset, MarginInProportionAndZeroWithoutRange) {
  EXPECT_EQ(PreviewOffset(2100, 4200, 75), 37);
  EXPECT_EQ(PreviewOffset(4200, 4200, 75), 75);
  EXPECT_EQ(PreviewOffset(0, 0, 75), 0);
}

TEST(Labels, LengthsInEachUnitAndThePageSummary) {
  EXPECT_EQ(LengthText(2400, 600, kInches), "4.0");
  EXPECT_EQ(LengthText(2400, 600, kCentimetres), "10.2");
  EXPECT_EQ(LengthText(2400, 600, kPixels), "2400");
  EXPECT_EQ(LengthText(30000, 300, kCentimetres), "254.0");
  EXPECT_EQ(PageSummary(false, 4800, 6600, 600, 600, kPixels),
            "Portrait : 4800 x 6600  (600 x 600 dpi)");
  EXPECT_EQ(PageSummary(true, 6600, 4800, 600, 600, kInches),
            "Landscape: 11.0 x 8.0  (600 x 600 dpi)");
}

TEST(Resolution, LowerDirectionRoundedDownAndZeroWithoutAPrint) {
  EXPECT_EQ(PixelsPerInch(1000, 1000, 2000, 1000, 600, 300), 300);
  EXPECT_EQ(PixelsPerInch(1000, 1000, 2000, 2000, 600, 300), 150);  // the vertical is coarser
  EXPECT_EQ(PixelsPerInch(1000, 700, 3000, 2100, 600, 600), 200);
  EXPECT_EQ(PixelsPerInch(999, 999, 4000, 4000, 600, 600), 149);
  EXPECT_EQ(PixelsPerInch(100, 50, 0, 0, 600, 600), 0);
  EXPECT_EQ(ResolutionText(150), "150 ppi");
  EXPECT_EQ(ResolutionText(149), "149 ppi, low");
}

TEST(TypedLengths, UnitsDecimalCommasAndWhatIsRefused) {
  int px = -1;
  EXPECT_TRUE(ParseLength("4", 600, kInches, px));
  EXPECT_EQ(px, 2400);
  EXPECT_TRUE(ParseLength(" 4,5 in", 600, kInches, px));
  EXPECT_EQ(px, 2700);
  EXPECT_TRUE(ParseLength("10", 600, kCentimetres, px));
  EXPECT_EQ(px, 2362);
  EXPECT_TRUE(ParseLength("123", 600, kPixels, px));
  EXPECT_EQ(px, 123);
  px = 7;
  for (const char* bad : {"", "x", "-1", "0", "nan", "inf", "1e30"}) {
    EXPECT_FALSE(ParseLength(bad, 600, kInches, px)) << bad;
    EXPECT_EQ(px, 7) << bad;
  }
  EXPECT_TRUE(ParseLength("0", 600, kInches, px, true));  // a position may be 0
  EXPECT_EQ(px, 0);
  EXPECT_EQ(BoxText(2700, 600, kInches), "4.50");
  EXPECT_EQ(BoxText(2362, 600, kCentimetres), "10.0");
  EXPECT_EQ(BoxText(2362, 600, kPixels), "2362");
}

TEST(PhotoSizes, TurnedTheImagesWayAndKeptInRange) {
  const Sides inch = PhotoSides(k4x6, kInches), metric = PhotoSides(k4x6, kCentimetres);
  EXPECT_DOUBLE_EQ(inch.longSide, 6);
  EXPECT_NEAR(metric.longSide * 2.54, 15, 1e-9);
  EXPECT_EQ(PhotoSides(kFitPage, kInches).longSide, 0);
  const Size wide = FitPhoto(inch, 3000, 1000, 600, 600);  // 3:1 reaches the long side
  EXPECT_EQ(wide.width, 3600);
  EXPECT_EQ(wide.height, 1200);
  const Size tall = FitPhoto(inch, 1000, 3000, 600, 600);
  EXPECT_EQ(tall.width, 1200);
  EXPECT_EQ(tall.height, 3600);
  const Size small{48, 32}, large{4800, 3200};
  EXPECT_EQ(Bounded({4801, 3201}, small, large).width, 4800);
  EXPECT_EQ(Bounded({4800, 3201}, small, large).height, 3200);
  EXPECT_EQ(Bounded({10, 7}, small, large).width, 48);
  EXPECT_EQ(Bounded({600, 400}, small, large).width, 600);
}

TEST(Dragging, PositionsInProportionKeptOnThePageAndSnapped) {
  // 100 preview pixels of room for 1000 page pixels of margin, snapping
  // within 30 page pixels.
  EXPECT_EQ(DraggedPosition(25, 100, 1000, 30), 250);
  EXPECT_EQ(DraggedPosition(52, 100, 1000, 30), 500);  // the middle
  EXPECT_EQ(DraggedPosition(47, 100, 1000, 30), 500);
  EXPECT_EQ(DraggedPosition(2, 100, 1000, 30), 0);  // a margin
  EXPECT_EQ(DraggedPosition(98, 100, 1000, 30), 1000);
  EXPECT_EQ(DraggedPosition(-40, 100, 1000, 30), 0);  // off the paper
  EXPECT_EQ(DraggedPosition(140, 100, 1000, 30), 1000);
  EXPECT_EQ(DraggedPosition(10, 0, 1000, 30), 0);  // no room to move in
  EXPECT_EQ(UnitStep(600, kInches), 600);
  EXPECT_EQ(UnitStep(600, kCentimetres), 236);
  EXPECT_EQ(UnitStep(600, kPixels), 10);
}

TEST(Orientation, PictureAndPageDisagreeOnlyWhenTheyLieDifferentWays) {
  EXPECT_TRUE(Disagree(640, 480, 4800, 6600));
  EXPECT_TRUE(Disagree(480, 640, 6600, 4800));
  EXPECT_FALSE(Disagree(640, 480, 6600, 4800));
  EXPECT_FALSE(Disagree(480, 640, 4800, 6600));
  EXPECT_FALSE(Disagree(500, 500, 4800, 6600));  // a square picture fits either way
  EXPECT_FALSE(Disagree(640, 480, 5000, 5000));  // and so does a square page
  EXPECT_FALSE(Disagree(640, 480, 0, 0));
}

TEST(TabRing, StepsRoundBothWaysOverUnusablePlaces) {
  auto all = [](int) { return true; };
  EXPECT_EQ(RingStep(0, 5, false, all), 1);
  EXPECT_EQ(RingStep(4, 5, false, all), 0);
  EXPECT_EQ(RingStep(0, 5, true, all), 4);
  auto odd = [](int i) { return i % 2 == 1; };
  EXPECT_EQ(RingStep(1, 5, false, odd), 3);
  EXPECT_EQ(RingStep(3, 5, false, odd), 1);  // over 4 and 0
  EXPECT_EQ(RingStep(1, 5, true, odd), 3);
  EXPECT_EQ(RingStep(1, 5, false, [](int i) { return i == 1; }), -1);  // nowhere else
  EXPECT_EQ(RingStep(5, 5, false, all), -1);                           // not in the ring: stays
  EXPECT_EQ(RingStep(-1, 5, false, all), -1);
}

}  // namespace
