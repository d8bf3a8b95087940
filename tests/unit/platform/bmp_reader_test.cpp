// Our BMP reader on hand-made files of every depth it reads, and on damaged
// ones: anything it cannot read whole is "no picture", never a crash.
#include <gtest/gtest.h>

#include "platform/pictures.h"
#include "platform/sim/sim_machine.h"
#include "platform/bmp_bytes.h"

namespace w95::platform {
namespace {

using test::BmpSpec;
using test::MakeBmp;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

std::vector<uint32_t> Rows(const PicturePtr& p) { return p ? p->pixels : std::vector<uint32_t>{}; }

TEST(BmpReader, ReadsEveryDepthInBothRowOrders) {
  // Two rows: top row red, green, blue; bottom row the reverse.
  const std::vector<uint32_t> want{kRed, kGreen, kBlue, kBlue, kGreen, kRed};
  for (bool topDown : {false, true}) {
    SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
    BmpSpec b8{.width = 3,
               .bits = 8,
               .topDown = topDown,
               .palette = {0, kRed, kGreen, kBlue},
               .rows = {"\1\2\3", "\3\2\1"},
               .colorsUsed = 4};
    EXPECT_EQ(Rows(DecodeBmp(MakeBmp(b8))), want);

    BmpSpec b4{.width = 3,
               .bits = 4,
               .topDown = topDown,
               .palette = std::vector<uint32_t>{0, kRed, kGreen, kBlue},
               .rows = {"\x12\x30", "\x32\x10"},
               .colorsUsed = 4};
    EXPECT_EQ(Rows(DecodeBmp(MakeBmp(b4))), want);

    BmpSpec b24{.width = 3,
                .bits = 24,
                .topDown = topDown,
                .palette = {},
                .rows = {std::string("\0\0\xFF\0\xFF\0\xFF\0\0", 9),
                         std::string("\xFF\0\0\0\xFF\0\0\0\xFF", 9)}};
    EXPECT_EQ(Rows(DecodeBmp(MakeBmp(b24))), want);

    BmpSpec b32{.width = 3,
                .bits = 32,
                .topDown = topDown,
                .palette = {},
                .rows = {std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12),
                         std::string("\xFF\0\0\0\0\xFF\0\0\0\0\xFF\0", 12)}};
    EXPECT_EQ(Rows(DecodeBmp(MakeBmp(b32))), want);
  }
  // 1 bit, 10 pixels wide: the bits run from the top bit of each byte.
  BmpSpec b1{.width = 10, .bits = 1, .palette = {0, kWhite}, .rows = {std::string("\xA0\x40", 2)}};
  const PicturePtr p = DecodeBmp(MakeBmp(b1));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 10);
  EXPECT_EQ(p->height, 1);
  EXPECT_EQ(p->pixels, (std::vector<uint32_t>{kWhite, 0, kWhite, 0, 0, 0, 0, 0, 0, kWhite}));
  // 16 bits, 5 bits a channel.
  BmpSpec b16{.width = 2, .bits = 16, .palette = {}, .rows = {std::string("\x00\x7C\x1F\x00", 4)}};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(b16))), (std::vector<uint32_t>{kRed, kBlue}));
}

TEST(BmpReader, OldHeaderAndShortColourTables) {
  BmpSpec core{
      .width = 2, .bits = 8, .coreHeader = true, .palette = {}, .rows = {std::string("\0\1", 2)}};
  core.palette.assign(256, 0);
  core.palette[1] = kGreen;
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(core))), (std::vector<uint32_t>{0, kGreen}));
  // An index past the table shows black; a table larger than the depth
  // allows is not a bitmap.
  BmpSpec shortTable{
      .width = 2, .bits = 8, .palette = {kRed, kBlue}, .rows = {"\1\7"}, .colorsUsed = 2};
  EXPECT_EQ(Rows(DecodeBmp(MakeBmp(shortTable))), (std::vector<uint32_t>{kBlue, 0}));
  BmpSpec tooMany{
      .width = 2, .bits = 1, .palette = {0, kRed, kBlue}, .rows = {"\x40"}, .colorsUsed = 3};
  EXPECT_FALSE(DecodeBmp(MakeBmp(tooMany)));
}

TEST(BmpReader, DamagedFilesAreNoPicture) {
  const std::string good = EncodeBmp24(3, 2, std::vector<uint32_t>(6, kRed));
  ASSERT_TRUE(DecodeBmp(good));
  // Every cut of the file, from nothing to one byte short.
  for (size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(DecodeBmp(std::string_view(good).substr(0, n))) << "cut at " << n;

  auto patched = [&](size_t at, uint32_t v, int n) {
    std::string s = good;
    for (int i = 0; i < n; ++i) s[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
    return DecodeBmp(s);
  };
  EXPECT_FALSE(patched(0, 'X', 1));           // not "BM"
  EXPECT_FALSE(patched(10, 0xFFFFFFF0u, 4));  // data beyond the file
  EXPECT_FALSE(patched(10, 4, 4));            // data inside the header
  EXPECT_FALSE(patched(14, 0xFFFFFFFFu, 4));  // header larger than the file
  EXPECT_FALSE(patched(14, 20, 4));           // unknown header size
  EXPECT_FALSE(patched(18, 0, 4));            // no width
  EXPECT_FALSE(patched(18, 0x80000000u, 4));  // negative width
  EXPECT_FALSE(patched(22, 0x80000000u, 4));  // the most negative height
  EXPECT_FALSE(patched(18, 100000, 4));       // far too wide for the file
  EXPECT_FALSE(patched(28, 7, 2));            // no such depth
  EXPECT_FALSE(patched(30, 1, 4));            // compressed rows
  EXPECT_FALSE(patched(30, 3, 4));            // colour masks on 24 bits
}

TEST(BmpReader, ThirtyTwoBitsWithTheUsualColourMasks) {
  // A 40-byte header declaring its masks, which follow it.
  BmpSpec b32{.width = 1, .bits = 32, .palette = {}, .rows = {std::string("\x30\x20\x10\0", 4)}};
  std::string file = MakeBmp(b32);
  file[30] = 3;
  std::string masks;
  test::Put(masks, 0xFF0000, 4);
  test::Put(masks, 0xFF00, 4);
  test::Put(masks, 0xFF, 4);
  file.insert(54, masks);
  file[10] = static_cast<char>(54 + 12);
  EXPECT_EQ(Rows(DecodeBmp(file)), std::vector<uint32_t>{0x102030});
  // Masks in another order would be misread: no picture.
  std::swap(file[54], file[62]);
  EXPECT_FALSE(DecodeBmp(file));
}

TEST(BmpReader, WriterAndReaderAgree) {
  std::vector<uint32_t> pixels;
  for (uint32_t i = 0; i < 5 * 3; ++i) pixels.push_back(i * 0x010203u);
  const PicturePtr p = DecodeBmp(EncodeBmp24(5, 3, pixels));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->pixels, pixels);
  EXPECT_EQ(p->At(4, 2), pixels[14]);
}

TEST(BmpReader, SimulatedMachineLoadsThroughItsFiles) {
  sim::SimMachine m;
  m.Install();
  m.files.AddFile("C:\\VIEWER\\J74S81F.BMP", EncodeBmp24(64, 48, std::vector<uint32_t>(64 * 48)));
  m.files.AddFile("C:\\VIEWER\\J74S820.BMP", "BM not really");
  PictureLoader& loader = *Current().pictures;
  const PicturePtr p = loader.LoadBitmap("c:\\viewer\\j74s81f.bmp");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 64);
  EXPECT_EQ(p->height, 48);
  EXPECT_FALSE(loader.LoadBitmap("C:\\VIEWER\\J74S820.BMP"));
  EXPECT_FALSE(loader.LoadBitmap("C:\\VIEWER\\MISSING.BMP"));
  EXPECT_EQ(m.pictures.loads, 3);
}

}  // namespace
}  // namespace w95::platform
