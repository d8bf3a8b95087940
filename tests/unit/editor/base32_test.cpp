#include <gtest/gtest.h>

#include "editor/base32.h"
#include "editor/catalog_id.h"

namespace w95::editor {
namespace {

TEST(Base32, WritesSixDigitsWithoutLeadingZerosAndReadsFive) {
  const std::pair<uint32_t, const char*> cases[] = {
      {1, "1"},        {31, "V"},     {32, "10"},
      {40, "18"},      {501, "FL"},   {32760, "VVO"},
      {35431, "12J7"}, {5000, "4S8"}, {(1u << 30) - 1, "VVVVVV"},
      {1u << 30, ""}};
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(ToBase32(value), text) << value;
    if (value < (1u << 25)) {
      EXPECT_EQ(FromBase32(text), static_cast<int32_t>(value)) << text;
    }
  }
  // Only five characters count.
  EXPECT_EQ(FromBase32("J74S81F"), FromBase32("J74S8"));
  EXPECT_EQ(FromBase32(""), 0);
}

TEST(CatalogId, FollowsTheLastOneOrIsMadeOfDateAndTime) {
  EXPECT_EQ(NextCatalogId("", 35431.5), "J74S8");
  EXPECT_EQ(NextCatalogId("J74S8", 0), "J74S9");
  EXPECT_EQ(NextCatalogId("J74SV", 0), "J74T0");
  // Shorter than five characters: one "0" in front.
  EXPECT_EQ(NextCatalogId("1", 0), "02");
  // At midnight the time adds no digit: still only one "0" in front.
  EXPECT_EQ(NextCatalogId("", 35431.0), "0J7");
}

TEST(CatalogId, TodayIsADayNumberAfter1899) {
  const double now = NowAsDayNumber();
  EXPECT_GT(now, 45000.0);  // after 2023
  EXPECT_LT(now, 80000.0);
}

}  // namespace
}  // namespace w95::editor
