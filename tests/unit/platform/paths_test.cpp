#include "settings/paths.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace {

using w95::platform::sim::SimMachine;

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.files.AddFile("C:\\Holiday Photos\\Long File Name.jpeg", "data");
    m.files.AddFile("C:\\Holiday Photos\\README.TXT");
    m.files.AddFile("C:\\Holiday Photos\\Beach\\Sunny Day.bmp");
    m.files.AddFile("C:\\PLAIN\\mixed.Bmp");
    m.files.AddFolder("D:\\Work");
    m.Install();
  }
  SimMachine m;
};

TEST_F(PathsTest, AddBackslash) {
  ASSERT_TRUE(m.files.SetCurrentDirectory("D:\\Work"));
  struct Row {
    const char* path;
    const char* result;
  } rows[] = {
      {"c:\\photos", "c:\\photos\\"},
      {"c:\\photos\\", "c:\\photos\\"},
      {"c:\\", "c:\\"},
      {"\\", "D:\\Work\\"},
      {"", "\\"},
      {"name", "name\\"},
  };
  for (const auto& r : rows) EXPECT_EQ(w95::AddBackslash(r.path), r.result) << r.path;
  ASSERT_TRUE(m.files.SetCurrentDirectory("C:\\"));
  EXPECT_EQ(w95::AddBackslash("\\"), "C:\\");
}

TEST_F(PathsTest, ShortPathOfExistingPathsAndOthersUnchanged) {
  struct Row {
    const char* path;
    const char* result;
  } rows[] = {
      {"C:\\Holiday Photos\\Long File Name.jpeg", "C:\\HOLIDA~1\\LONGFI~1.JPE"},
      {"c:\\holiday photos\\beach", "c:\\HOLIDA~1\\beach"},
      {"C:\\Holiday Photos\\missing file.jpeg", "C:\\Holiday Photos\\missing file.jpeg"},
      {"C:\\PLAIN\\mixed.Bmp", "C:\\PLAIN\\mixed.Bmp"},
      {"c:\\", "c:\\"},
  };
  for (const auto& r : rows) EXPECT_EQ(w95::ShortPathOf(r.path), r.result) << r.path;
}

TEST_F(PathsTest, ShortPathOfKeepsAPathWhoseShortFormWouldNotFit255) {
  std::string deep = "C:";
  for (int i = 0; i < 30; ++i) deep += "\\Long Folder";  // LONGFO~1 at each level
  m.files.AddFolder(deep);
  ASSERT_GT(m.files.ShortPath(deep).size(), 255u);
  EXPECT_EQ(w95::ShortPathOf(deep), deep);
  deep.resize(deep.size() - 20 * 12);  // 10 levels: the short form fits
  EXPECT_EQ(w95::ShortPathOf(deep).size(), 2 + 10 * 9u);
}

TEST_F(PathsTest, LongNameOf) {
  struct Row {
    const char* path;
    const char* result;
  } rows[] = {
      {"C:\\HOLIDA~1\\LONGFI~1.JPE", "Long File Name.jpeg"},  // case kept
      {"C:\\HOLIDA~1", "Holiday Photos"},
      {"C:\\Holiday Photos\\README.TXT", "readme.txt"},  // short: lower case
      {"C:\\PLAIN\\MIXED.BMP", "mixed.bmp"},
      {"C:\\Nowhere\\Some File.TXT", "some file.txt"},  // missing: name part
      {"A:NAME.BMP", "name.bmp"},
      {"c:\\", ""},
  };
  for (const auto& r : rows) EXPECT_EQ(w95::LongNameOf(r.path), r.result) << r.path;
}

TEST_F(PathsTest, LongPathOfRebuildsEachFolder) {
  struct Row {
    const char* path;
    const char* result;
  } rows[] = {
      {"C:\\HOLIDA~1\\LONGFI~1.JPE", "C:\\Holiday Photos\\Long File Name.jpeg"},
      {"c:\\holida~1\\beach\\SUNNYD~1.BMP", "c:\\Holiday Photos\\beach\\Sunny Day.bmp"},
      {"C:\\HOLIDA~1\\", "C:\\Holiday Photos"},  // trailing "\" dropped
      {"c:\\", "c:\\"},                          // a drive root stays as it is
      {"D:\\", "D:\\"},
      {"C:\\PLAIN\\MIXED.BMP", "C:\\plain\\mixed.bmp"},
      {"C:\\Gone\\Away.TXT", "C:\\gone\\away.txt"},
      {"C:\\HOLIDA~1\\\\README.TXT", "C:\\Holiday Photos\\readme.txt"},
  };
  for (const auto& r : rows) EXPECT_EQ(w95::LongPathOf(r.path), r.result) << r.path;
}

TEST(Paths, TrimLeadingSpacesAndNamePart) {
  EXPECT_EQ(w95::TrimLeadingSpaces("   a b "), "a b ");
  EXPECT_EQ(w95::TrimLeadingSpaces("    "), "");
  EXPECT_EQ(w95::TrimLeadingSpaces("\tx"), "\tx");  // spaces only
  EXPECT_EQ(w95::NamePart("c:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(w95::NamePart("a:b.txt"), "b.txt");
  EXPECT_EQ(w95::NamePart("b.txt"), "b.txt");
}

}  // namespace
