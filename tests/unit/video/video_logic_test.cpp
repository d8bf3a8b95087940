// The video window's arithmetic: picture fitting, zoom sizes, the long-clip
// seek bar, mode names and the open error text.
#include <gtest/gtest.h>

#include "video/video_logic.h"

namespace {

using namespace w95::video;

TEST(FitPicture, KeepsTheClipProportionsInAnAreaOnePixelLarger) {
  // Same size: a tie takes the height, the width then overflows and is cut.
  EXPECT_EQ(FitPicture(320, 240, 320, 240), (PictureRect{-1, 0, 321, 240}));
  // Narrow and tall area: the width decides.
  EXPECT_EQ(FitPicture(200, 400, 320, 240), (PictureRect{-1, 125, 201, 150}));
  // Wide and low area: the height decides, centred across.
  EXPECT_EQ(FitPicture(640, 100, 320, 240), (PictureRect{253, -1, 134, 101}));
  // Twice the clip both ways.
  EXPECT_EQ(FitPicture(640, 480, 320, 240), (PictureRect{-1, 0, 641, 480}));
  // Smaller both ways, wider than the proportion.
  const PictureRect r = FitPicture(100, 50, 320, 240);
  EXPECT_EQ(r.height, 51);
  EXPECT_EQ(r.width, 68);
  EXPECT_EQ(r.left, 16);
}

TEST(ZoomSize, AddsFrameStatusLineAndBarIn16Bits) {
  const WindowSize s = ZoomSize(320, 240, 2, 8, 25, 17, 23);
  EXPECT_EQ(s.width, 648);
  EXPECT_EQ(s.height, 480 + 25 + 17 + 23);
  EXPECT_EQ(ZoomSize(320, 240, 2, 8, 25, 0, 23).height, 480 + 25 + 23);
  EXPECT_EQ(ZoomSize(20000, 240, 4, 8, 25, 0, 23).width, (80000 + 8) & 0xFFFF);
}

TEST(SeekBar, LongClipsCountTensOfFrames) {
  EXPECT_FALSE(IsLongClip(32760));
  EXPECT_EQ(BarMaxFor(32760), 32759);
  EXPECT_EQ(BarPositionFor(1234, 32760), 1234);
  EXPECT_EQ(FrameForBar(250, 32760), 250);

  EXPECT_TRUE(IsLongClip(32761));
  EXPECT_EQ(BarMaxFor(32761), 3276);
  EXPECT_EQ(BarPositionFor(1234, 32761), 123);
  EXPECT_EQ(BarPositionFor(0, 32761), 0);  // truncates toward zero
  EXPECT_EQ(FrameForBar(250, 32761), 2500);
  EXPECT_EQ(EndPositionFor(32761), 3276);
  EXPECT_EQ(EndPositionFor(100), 99);
}

TEST(ModeNames, NameEachDeviceModeInTenCharactersAtMost) {
  EXPECT_EQ(ModeName(524), "Not ready");
  EXPECT_EQ(ModeName(526), "Playing");
  EXPECT_EQ(ModeName(529), "Paused");
  EXPECT_EQ(ModeName(530), "Open");
  EXPECT_EQ(ModeName(531), "");
  for (uint32_t m = 524; m <= 530; ++m) EXPECT_LE(ModeName(m).size(), 10u);
}

TEST(OpenErrorText, PointsToTheReadmeForUnknownDevicesElseGivesTheCode) {
  EXPECT_EQ(OpenErrorText(263, "Not recognised."), "Not recognised.\r\nPlease see README file.");
  EXPECT_EQ(OpenErrorText(281, "No type."), "No type.\r\nPlease see README file.");
  EXPECT_EQ(OpenErrorText(275, "Cannot find it."), "Cannot find it.ErrCode=275");
  // A code the platform has no text for still reaches the user.
  EXPECT_EQ(OpenErrorText(266, ""), "This file cannot be played (error 266).");
  EXPECT_EQ(DeviceErrorText(266, "Unknown error code"), "This file cannot be played (error 266).");
  EXPECT_EQ(DeviceErrorText(262, "A problem."), "A problem.");
}

}  // namespace
