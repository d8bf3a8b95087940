// The picture fit over a table of sizes. The same program runs in the native
// build and under Wine in both Windows builds (wine_layout), so a compiler
// that computes with wider intermediates shows up as a different result.
#include <gtest/gtest.h>

#include <cstdint>

#include "video/video_logic.h"

namespace {

using w95::video::FitPicture;
using w95::video::PictureRect;

TEST(LayoutTable, PictureFitGivesTheSameNumbersInEveryBuild) {
  struct Row {
    int backWidth, backHeight, videoWidth, videoHeight;
    PictureRect want;
  } rows[] = {
      {320, 240, 320, 240, {-1, 0, 321, 240}},
      {200, 400, 320, 240, {-1, 125, 201, 150}},
      // 48 / 60.75 * 81 is 63.99999 in single precision; wider
      // intermediates round it up to 64.
      {80, 47, 320, 240, {8, -1, 63, 48}},
      {640, 480, 160, 120, {-1, 0, 641, 480}},
      {100, 300, 352, 288, {-1, 109, 101, 82}},
  };
  for (const Row& r : rows)
    EXPECT_EQ(FitPicture(r.backWidth, r.backHeight, r.videoWidth, r.videoHeight), r.want)
        << r.backWidth << "x" << r.backHeight << " for " << r.videoWidth << "x" << r.videoHeight;

  // A sweep over back panels and common clip sizes, folded into one number.
  const int clips[][2] = {{320, 240}, {160, 120}, {352, 288}, {176, 144},
                          {640, 480}, {240, 180}, {300, 200}};
  uint64_t hash = 1469598103934665603ull;
  int count = 0;
  for (const auto& c : clips)
    for (int bw = 1; bw <= 700; bw += 3)
      for (int bh = 1; bh <= 560; bh += 7) {
        const PictureRect p = FitPicture(bw, bh, c[0], c[1]);
        for (int v : {p.left, p.top, p.width, p.height}) {
          hash ^= static_cast<uint32_t>(v);
          hash *= 1099511628211ull;
        }
        ++count;
      }
  EXPECT_EQ(count, 131040);
  EXPECT_EQ(hash, 3098030990958691159ull);
}

}  // namespace
