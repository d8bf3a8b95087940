// Pictures for the explorer's preview: what headers say, where a picture
// fits, its scaling, and which files are decoded, refused or left alone.
#include <gtest/gtest.h>

#include <string>

#include "platform/picture_preview.h"

namespace {

using w95::platform::DecodePreview;
using w95::platform::EncodeBmp24;
using w95::platform::FitPicture;
using w95::platform::FitRect;
using w95::platform::Picture;
using w95::platform::PictureFormat;
using w95::platform::PicturePtr;
using w95::platform::PreviewResult;
using w95::platform::ReadPictureFacts;
using w95::platform::ScaledDown;

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int c : b) s += static_cast<char>(c);
  return s;
}

// A JPEG's start: SOI, an APP0 segment to step over (after fill bytes),
// then a baseline frame header of width x height with three components.
std::string JpegHead(int width, int height) {
  return Bytes({0xFF, 0xD8, 0xFF,        0xE0,          0x00,       0x06,         'J',
                'F',  'I',  'F',         0xFF,          0xFF,       0xC0,         0x00,
                0x11, 8,    height >> 8, height & 0xFF, width >> 8, width & 0xFF, 3});
}

std::string PngHead(int width, int height, int depth, int colourType) {
  return Bytes({0x89,  'P',       'N',        'G',          '\r', '\n', 0x1A,        '\n',
                0,     0,         0,          13,           'I',  'H',  'D',         'R',
                0,     0,         width >> 8, width & 0xFF, 0,    0,    height >> 8, height & 0xFF,
                depth, colourType});
}

TEST(PictureFit, ShrinksToTheBoxKeepingTheShapeAndNeverEnlarges) {
  struct Row {
    int w, h, boxW, boxH;
    FitRect want;
  } rows[] = {
      {40, 30, 100, 100, {30, 35, 40, 30}},    // small: as it is, centred
      {400, 300, 100, 100, {0, 12, 100, 75}},  // wide: the width fills
      {300, 400, 100, 100, {12, 0, 75, 100}},  // tall: the height fills
      {1000, 3, 100, 100, {0, 49, 100, 1}},    // a sliver stays one pixel high
      {8192, 8192, 150, 90, {30, 0, 90, 90}},  // square in a flat box
      {100, 100, 100, 100, {0, 0, 100, 100}},  // exactly the box
      {101, 50, 100, 100, {0, 25, 100, 50}},   // rounded to the nearest pixel
      {0, 10, 100, 100, {}},                   // no picture
      {10, 10, 0, 100, {}},                    // no room
  };
  for (const Row& r : rows)
    EXPECT_EQ(FitPicture(r.w, r.h, r.boxW, r.boxH), r.want) << r.w << "x" << r.h;
}

TEST(PictureFacts, HeadersOfEachFormatAndDamagedOnes) {
  auto bmp = ReadPictureFacts(EncodeBmp24(7, 5, std::vector<uint32_t>(35, 0)));
  EXPECT_EQ(bmp.format, PictureFormat::Bmp);
  EXPECT_EQ(bmp.width, 7);
  EXPECT_EQ(bmp.height, 5);
  EXPECT_EQ(bmp.bits, 24);

  auto jpeg = ReadPictureFacts(JpegHead(640, 480));
  EXPECT_EQ(jpeg.format, PictureFormat::Jpeg);
  EXPECT_EQ(jpeg.width, 640);
  EXPECT_EQ(jpeg.height, 480);
  EXPECT_EQ(jpeg.bits, 24);
  // Cut inside the frame header, or a segment whose length runs past the
  // end: no facts, nothing read beyond the bytes.
  const std::string head = JpegHead(640, 480);
  EXPECT_EQ(ReadPictureFacts(head.substr(0, head.size() - 2)).format, PictureFormat::None);
  EXPECT_EQ(ReadPictureFacts(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xFF})).format,
            PictureFormat::None);

  auto png = ReadPictureFacts(PngHead(300, 2, 8, 6));
  EXPECT_EQ(png.format, PictureFormat::Png);
  EXPECT_EQ(png.width, 300);
  EXPECT_EQ(png.bits, 32) << "8-bit RGBA";
  EXPECT_EQ(ReadPictureFacts(PngHead(300, 2, 8, 5)).format, PictureFormat::None)
      << "no such colour type";
  EXPECT_EQ(ReadPictureFacts(PngHead(0, 2, 8, 2)).format, PictureFormat::None) << "no width";

  auto gif = ReadPictureFacts(std::string("GIF89a") + Bytes({16, 0, 9, 0, 0xF7, 0, 0}));
  EXPECT_EQ(gif.format, PictureFormat::Gif);
  EXPECT_EQ(gif.width, 16);
  EXPECT_EQ(gif.height, 9);
  EXPECT_EQ(gif.bits, 8) << "a global table of 256 colours";

  // An icon file: of its two pictures the larger is told; 0 means 256.
  std::string ico = Bytes({0, 0, 1, 0, 2, 0});
  ico += Bytes({16, 16, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  ico += Bytes({0, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  auto icon = ReadPictureFacts(ico);
  EXPECT_EQ(icon.format, PictureFormat::Ico);
  EXPECT_EQ(icon.width, 256);
  EXPECT_EQ(icon.bits, 32);
  EXPECT_EQ(ReadPictureFacts(ico.substr(0, 30)).format, PictureFormat::None)
      << "fewer entries than it counts";

  EXPECT_EQ(ReadPictureFacts("hello world, not a picture").format, PictureFormat::None);
  EXPECT_EQ(ReadPictureFacts("").format, PictureFormat::None);
}

TEST(PictureScaling, EachPixelIsTheAverageOfThoseItCovers) {
  Picture p;
  p.width = 4;
  p.height = 2;
  p.pixels = {0xFF0000, 0x000000, 0x00FF00, 0x00FF00,  //
              0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  const Picture half = ScaledDown(p, 2, 1);
  ASSERT_EQ(half.width, 2);
  ASSERT_EQ(half.height, 1);
  EXPECT_EQ(half.pixels[0], 0x7F0000u);
  EXPECT_EQ(half.pixels[1], 0x00BF3Fu);
  EXPECT_EQ(ScaledDown(p, 10, 10).width, 4) << "never larger than the picture";
}

TEST(PreviewDecoding, BitmapsOurselvesOthersByThePlatformLargeOnesRefused) {
  std::vector<uint32_t> pixels(200 * 100, 0x204060);
  const std::string bmp = EncodeBmp24(200, 100, pixels);
  int platformCalls = 0;
  int askedW = 0, askedH = 0;
  auto platform = [&](std::string_view, PictureFormat, int w, int h) {
    ++platformCalls;
    askedW = w;
    askedH = h;
    auto p = std::make_shared<Picture>();
    p->width = w;
    p->height = h;
    p->pixels.assign(static_cast<size_t>(w * h), 0);
    return PicturePtr(p);
  };
  PreviewResult r = DecodePreview(bmp, 50, 50, platform);
  ASSERT_EQ(r.status, PreviewResult::Status::Picture);
  EXPECT_EQ(platformCalls, 0) << "bitmaps are our own reader's";
  EXPECT_EQ(r.picture->width, 50);
  EXPECT_EQ(r.picture->height, 25);
  EXPECT_EQ(r.picture->pixels[0], 0x204060u);
  EXPECT_EQ(r.facts.width, 200);

  r = DecodePreview(JpegHead(640, 480), 160, 160, platform);
  EXPECT_EQ(r.status, PreviewResult::Status::Picture);
  EXPECT_EQ(askedW, 160) << "the platform decodes straight to the fitted size";
  EXPECT_EQ(askedH, 120);
  EXPECT_EQ(DecodePreview(JpegHead(640, 480), 160, 160, nullptr).status,
            PreviewResult::Status::Failed)
      << "no platform decoding: no picture";

  // A header that asks for more than the cap is refused before decoding.
  platformCalls = 0;
  r = DecodePreview(JpegHead(20000, 20000), 160, 160, platform);
  EXPECT_EQ(r.status, PreviewResult::Status::TooLarge);
  EXPECT_EQ(platformCalls, 0);
  std::string huge = bmp;
  huge[18] = 0x10;  // width 0x2710 = 10000
  huge[19] = 0x27;
  huge[22] = 0x10;
  huge[23] = 0x27;
  EXPECT_EQ(DecodePreview(huge, 160, 160, platform).status, PreviewResult::Status::TooLarge);

  EXPECT_EQ(DecodePreview("plain text", 160, 160, platform).status,
            PreviewResult::Status::NotAPicture);
  // A bitmap cut short: its header is fine, its rows are not all there.
  EXPECT_EQ(DecodePreview(bmp.substr(0, bmp.size() / 2), 160, 160, platform).status,
            PreviewResult::Status::Failed);
}

}  // namespace
