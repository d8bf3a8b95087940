#include <gtest/gtest.h>

#include "explorer/formats.h"
#include "explorer/messages.h"

namespace {

using namespace w95::explorer;

TEST(BrowseList, HasTheTwentySevenTypesAndMasks) {
  ASSERT_EQ(BrowseEntries().size(), 27u);
  EXPECT_EQ(BrowseEntries()[5], "AVL (AV List Slideshow)");
  EXPECT_EQ(BrowseMask(22), "*.ras;*.rs");
  EXPECT_EQ(BrowseMask(16), "*.mpg;*.dat");
  EXPECT_EQ(BrowseMask(26), "*.wpg");
  EXPECT_EQ(BrowseMask(0), "*.*") << "no validation";
  EXPECT_EQ(BrowseMask(27), "*.*") << "outside the list";
  EXPECT_EQ(BrowseMask(-1), "*.*");
}

struct ListCase {
  int depth;
  bool restricted;
  size_t count;
  int defaultPos;       // position selected with nothing stored
  std::string entryAt;  // entry at that position
  int32_t codeAt;
};

TEST(SaveFormats, ListsPerDepthAndRestriction) {
  const ListCase cases[] = {
      {24, false, 15, 5, "JPG JPEG/JFIF(Enhanced)", 99},
      {24, true, 13, 3, "JPG JPEG/JFIF(Enhanced)", 99},
      {16, false, 6, 2, "JPG JPEG/JFIF(Enhanced)", 99},
      {16, true, 4, 0, "JPG JPEG/JFIF(Enhanced)", 99},
      {8, false, 14, 9, "PNG Portable Network Graphics", 37},
      {8, true, 12, 7, "PNG Portable Network Graphics", 37},
      {4, false, 6, 0, "BMP Windows BitMaP", 7},
      {4, true, 6, 0, "BMP Windows BitMaP", 7},
      {1, false, 14, 5, "PCX ZSoft Paintbrush", 12},
      {1, true, 14, 5, "PCX ZSoft Paintbrush", 12},
  };
  for (const auto& c : cases) {
    const auto list = SaveFormats(c.depth, c.restricted);
    ASSERT_EQ(list.size(), c.count) << "depth " << c.depth << " restricted " << c.restricted;
    const int pos = c.restricted && RestrictedSavedPosition(c.depth) >= 0
                        ? RestrictedSavedPosition(c.depth)
                        : SavedPositionFrom(c.depth, kNothingStored);
    EXPECT_EQ(pos, c.defaultPos) << "depth " << c.depth;
    EXPECT_EQ(list[static_cast<size_t>(pos)].entry, c.entryAt) << "depth " << c.depth;
    EXPECT_EQ(list[static_cast<size_t>(pos)].code, c.codeAt) << "depth " << c.depth;
  }
  EXPECT_TRUE(SaveFormats(50, false).empty()) << "kind 150 is depth 50: no formats";
  EXPECT_TRUE(SaveFormats(2, false).empty()) << "the move mode has no formats";
  EXPECT_EQ(SaveFormats(24, false)[2].entry, "CMP Lead \"JPEG\"");
  EXPECT_EQ(SaveFormats(8, false)[4].code, -11);
  EXPECT_EQ(SaveFormats(16, false)[5].entry, "TGA Truevision TarGA");
}

TEST(SavedPosition, NineElevenMeansNothingStored) {
  EXPECT_EQ(SavedPositionFrom(8, 911), 9) << "a stored 911 counts as absent";
  EXPECT_EQ(SavedPositionFrom(8, 3), 3);
  EXPECT_EQ(SavedPositionFrom(24, 911), 5);
  EXPECT_EQ(SavedPositionFrom(16, 911), 2);
  EXPECT_EQ(SavedPositionFrom(4, 911), 0);
  EXPECT_EQ(SavedPositionFrom(1, 911), 5);
  EXPECT_EQ(SaveKey(16), "Save16");
  EXPECT_EQ(SaveKey(2), "");
  EXPECT_EQ(PositionToSelect(40, 6), 0) << "a position beyond the list selects the first";
  EXPECT_EQ(PositionToSelect(-3, 6), 0);
  SavedPositions p;
  p.At(8) = 2;
  EXPECT_EQ(p.Get(8), 2);
  EXPECT_EQ(p.Get(24), 5) << "other depths keep their defaults";
}

TEST(DepthBox, EntriesSetDepthAndPosition) {
  ASSERT_EQ(DepthEntries().size(), 5u);
  EXPECT_EQ(DepthChoices()[1].depth, 16);
  EXPECT_EQ(DepthChoices()[1].savedPosition, 5) << "64K colours selects TGA at position 5";
  EXPECT_EQ(SaveFormats(16, false)[5].entry, "TGA Truevision TarGA");
  EXPECT_EQ(DepthChoices()[4].entry, std::string("Black & White (1 bit)"));
}

TEST(CompressionButton, ShownForCodesBelowSevenAndTheJpegFamily) {
  for (int32_t code : {-11, -10, 0, 1, 6, 98, 99})
    EXPECT_TRUE(ShowsCompressionButton(code)) << code;
  for (int32_t code : {7, 8, 11, 12, 37, 97}) EXPECT_FALSE(ShowsCompressionButton(code)) << code;
}

TEST(TypeLetters, PatternAndExpectedExtensionOfAnEntry) {
  EXPECT_EQ(SaveMask("BMP Windows BitMaP"), "*.BMP");
  EXPECT_EQ(ExpectedExtension("AVL (AV List Slideshow)"), ".AVL");
  EXPECT_EQ(SaveMask("Lead \"JPEG\" [gray]"), "*.CMP") << "the grey Lead entry is a CMP file";
}

struct ExtCase {
  const char* name;
  const char* result;
  bool ask;
  const char* actual;
};

TEST(CheckExtension, AppendsComparesInUpperCaseAndAsks) {
  const ExtCase cases[] = {
      {"photo", "photo.BMP", false, ".BMP"},
      {"photo.bmp", "photo.bmp", false, ".BMP"},
      {"photo.jpg", "photo.jpg", true, ".JPG"},
      {"c:\\my.dir\\photo", "c:\\my.dir\\photo.BMP", false, ".BMP"},
      {"photo.bMp", "photo.bMp", false, ".BMP"},
  };
  for (const auto& c : cases) {
    const auto r = CheckExtensionOf(c.name, "BMP Windows BitMaP");
    EXPECT_EQ(r.name, c.result) << c.name;
    EXPECT_EQ(r.ask, c.ask) << c.name;
    EXPECT_EQ(r.actual, c.actual) << c.name;
  }
  EXPECT_EQ(ExtensionQuestion(".BMP", ".JPG"),
            "Extension (file type) different. \n.BMP expected instead of .JPG\nContinue?");
}

}  // namespace
