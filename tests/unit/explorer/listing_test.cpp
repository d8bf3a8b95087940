#include <gtest/gtest.h>

#include "explorer/history.h"
#include "explorer/layout.h"
#include "explorer/listing.h"

namespace {

using namespace w95::explorer;

TEST(SearchPatterns, AnyFileMeansThreeLetterExtensions) {
  EXPECT_EQ(SearchPatterns("*.*"), std::vector<std::string>{"*.???"});
  EXPECT_EQ(SearchPatterns("*.ras;*.rs"), (std::vector<std::string>{"*.ras", "*.rs"}));
  EXPECT_EQ(SearchPatterns("*.BMP"), std::vector<std::string>{"*.BMP"});
}

std::vector<FoundEntry> Found() {
  return {{".", true, false},      {"..", true, false},
          {"Games", true, false},  {"AUTOEXEC.BAT", false, false},
          {"io.sys", false, true}, {"Zeta.txt", false, false},
          {"apps", true, false},   {"README.TXT", false, false}};
}

TEST(BuildListing, FoldersBeforeOrAfterFilesSortedAndLowerCased) {
  const auto all = Found();
  struct {
    ListOptions options;
    std::vector<std::string> expected;
  } cases[] = {
      {{true, false}, {"apps\\", "games\\", "autoexec.bat", "readme.txt", "zeta.txt"}},
      {{true, true}, {"autoexec.bat", "readme.txt", "zeta.txt", "apps\\", "games\\"}},
      {{false, false}, {"apps\\", "games\\", "AUTOEXEC.BAT", "README.TXT", "Zeta.txt"}},
  };
  for (const auto& c : cases) {
    const auto l = BuildListing(all, all, c.options);
    EXPECT_EQ(l.entries, c.expected);
    EXPECT_TRUE(l.hasParent) << "the dot entries mean the folder has a parent";
    for (size_t i = 0; i < l.entries.size(); ++i)
      EXPECT_EQ(l.folder[i], l.entries[i].back() == '\\') << l.entries[i];
  }
  const auto root = BuildListing({}, {{"windows", true, false}}, {});
  EXPECT_FALSE(root.hasParent) << "a root has no dot entries";
}

TEST(BuildListing, SortsCaseInsensitivelyWithUnderscoreAndDigits) {
  const std::vector<FoundEntry> files = {{"b.bmp", false, false},
                                         {"A.bmp", false, false},
                                         {"_x.bmp", false, false},
                                         {"1.bmp", false, false}};
  const auto l = BuildListing(files, {}, {false, false});
  EXPECT_EQ(l.entries, (std::vector<std::string>{"1.bmp", "_x.bmp", "A.bmp", "b.bmp"}));
}

TEST(CalcColumns, WidestEntryAtLeastSixtyPlusWW) {
  auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 8; };
  // "WW" is 16 wide here; 3 entries whose widest is 40 pixels.
  auto c = CalcColumns({"abcde", "ab", "a"}, width, 300);
  EXPECT_EQ(c.columnWidth, 60 + 16);
  EXPECT_EQ(c.columns, 3);
  c = CalcColumns({std::string(20, 'x')}, width, 100);
  EXPECT_EQ(c.columnWidth, 160 + 16);
  EXPECT_EQ(c.columns, 1) << "at least one column";
}

TEST(Placement, DefaultSizeAndCentre) {
  struct {
    int w, h;
    Rect r;
  } cases[] = {
      {640, 480, {120, 90, 400, 300}},
      {1024, 768, {256, 192, 512, 384}},
      {800, 600, {200, 150, 400, 300}},
      {1023, 767, {256, 192, 511, 383}},
  };
  for (const auto& c : cases) {
    const Rect r = DefaultPlacement(c.w, c.h);
    EXPECT_EQ(r.left, c.r.left) << c.w;
    EXPECT_EQ(r.top, c.r.top) << c.w;
    EXPECT_EQ(r.width, c.r.width) << c.w;
    EXPECT_EQ(r.height, c.r.height) << c.w;
  }
  EXPECT_FALSE(UsesLargeFontRule(18));
  EXPECT_TRUE(UsesLargeFontRule(19));
}

TEST(LookIn, PathBelowTheCurrentDriveAndBackUp) {
  const std::vector<std::string> drives = {"a:", "c: system", "d:"};
  const auto list = BuildLookIn(drives, 1, FolderChain("c:\\windows\\system"));
  std::vector<std::string> texts;
  for (const auto& e : list.entries) texts.push_back(e.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"a:", "c: system", " \\windows", "  \\system", "d:"}));
  EXPECT_EQ(list.selected, 3);
  EXPECT_TRUE(list.entries[3].glyph) << "the current folder carries the glyph";
  EXPECT_FALSE(list.entries[2].glyph);

  EXPECT_EQ(TargetOf(texts, 3).path, "c:\\windows\\system");
  EXPECT_EQ(TargetOf(texts, 2).path, "c:\\windows") << "up one level";
  EXPECT_EQ(TargetOf(texts, 1).path, "c:\\");
  EXPECT_TRUE(TargetOf(texts, 4).drive);
  EXPECT_EQ(TargetOf(texts, 4).letter, 'd');
  const auto root = BuildLookIn(drives, 1, FolderChain("c:\\"));
  EXPECT_EQ(root.entries.size(), 3u);
  EXPECT_EQ(root.selected, 1);
}

TEST(Selection, ARequestOnOneFileNamesOnlyASelectedFile) {
  const std::vector<std::string> e = {"sub\\", "a.bmp", "b.jpg", "c.gif"};
  const std::vector<bool> folder = {true, false, false, false};
  EXPECT_EQ(ChosenEntry(e, folder, {false, true, false, true}, "c.gif"), 3) << "the box, selected";
  EXPECT_EQ(ChosenEntry(e, folder, {false, true, false, false}, "c.gif"), 1)
      << "the box deselected: the selection";
  EXPECT_EQ(ChosenEntry(e, folder, {true, false, false, false}, "sub\\"), -1) << "a folder";
  EXPECT_EQ(ChosenEntry(e, folder, {false, false, false, false}, "a.bmp"), -1);
  EXPECT_EQ(ChosenEntry(e, folder, {false, false, true, false}, ""), 2);
}

TEST(Selection, ReselectedByNameAfterTheListIsReadAgain) {
  const std::vector<std::string> now = {"sub\\", "a.bmp", "added.jpg", "b.jpg"};
  Reselection r = ReselectByName(now, {"b.jpg", "a.bmp"}, "b.jpg");
  EXPECT_EQ(r.selected, (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(r.current, 3);
  r = ReselectByName(now, {"gone.jpg", "a.bmp"}, "gone.jpg");
  EXPECT_EQ(r.current, 1) << "the current entry gone: the first one selected again";
  r = ReselectByName(now, {"a.bmp"}, "b.jpg");
  EXPECT_EQ(r.current, 1) << "a current entry that was not selected does not become so";
  r = ReselectByName(now, {"gone.jpg"}, "gone.jpg");
  EXPECT_EQ(r.current, -1);
  EXPECT_EQ(r.selected, (std::vector<bool>(4, false)));
}

TEST(Placement, DesignedAndStoredPlacementsOnTheScreen) {
  ScreenFacts screen{1024, 768, {0, 0, 1024, 738}, 96};
  const auto d = RestoredPlacement({-1, -1, -1, -1}, screen);
  EXPECT_EQ(d.left, 266);
  EXPECT_EQ(d.top, 185);
  EXPECT_EQ(d.width, 330);
  EXPECT_EQ(d.height, 248);
  screen.pixelsPerInch = 144;
  const auto big = RestoredPlacement({-1, -1, -1, -1}, screen);
  EXPECT_EQ(big.left, 400);
  EXPECT_EQ(big.width, 496);
  EXPECT_EQ(big.top, 277);
  EXPECT_EQ(big.height, 372);
  // Ending beyond the screen: the designed placement, as before.
  EXPECT_EQ(RestoredPlacement({900, 10, 200, 100}, screen).left, 400);
  const auto tiny = RestoredPlacement({10, 20, 0, 0}, screen);
  EXPECT_EQ(tiny.width, kMinimumWindow.width);
  EXPECT_EQ(tiny.height, kMinimumWindow.height);
  EXPECT_EQ(RestoredPlacement({-2000, 20, 400, 300}, screen).left, 0);
}

}  // namespace
