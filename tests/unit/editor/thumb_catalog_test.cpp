// The thumbnail catalog: indices handed out by the update, the limit and its
// question, kill all, tags and viewing.
#include "editor/thumb_catalog.h"

#include "editor/base32.h"
#include "platform/pictures.h"
#include "settings/exchange.h"
#include "thumbs_fixture.h"

namespace w95::editor::test {
namespace {

using CatalogTest = ThumbsScript;

bool Never() {
  ADD_FAILURE() << "unexpected question";
  return false;
}

TEST_F(CatalogTest, FortyGraphicsGetIndicesOneTo18InSlideOrder) {
  AddGraphics(40);
  std::string id = "J74S8";
  bool modified = false;
  ASSERT_TRUE(UpdateIndices(grid, id, modified, Never));
  EXPECT_TRUE(modified);
  EXPECT_EQ(Index(1), "1");
  EXPECT_EQ(Index(10), "A");
  EXPECT_EQ(Index(32), "10");
  EXPECT_EQ(Index(40), "18");
  EXPECT_EQ(Setting(keys::kAvlIdx), "41");
  EXPECT_EQ(id, "J74S8");
  // A second update finds nothing to do and changes nothing.
  modified = false;
  ASSERT_TRUE(UpdateIndices(grid, id, modified, Never));
  EXPECT_FALSE(modified);
  EXPECT_EQ(Index(40), "18");
}

TEST_F(CatalogTest, NextIndexFollowsTheScriptOrTheLastIndexHandedOut) {
  SetSetting(keys::kAvlIdx, "500");
  AddGraphics(2);
  AddVideo();
  std::string id;
  bool modified = false;
  ASSERT_TRUE(UpdateIndices(grid, id, modified, Never));
  EXPECT_EQ(Index(1), "FL");  // 501
  EXPECT_EQ(Index(2), "FM");
  EXPECT_EQ(Index(3), "-");  // kinds without thumbnails keep "-"
  EXPECT_EQ(Setting(keys::kAvlIdx), "503");

  // A script whose indices lie beyond "AVLidx" continues after its largest.
  grid.SetCell(kColThumb, 2, "VV0");  // 32736
  grid.SetCell(kColThumb, 1, "");
  EXPECT_EQ(NextThumbIndex(grid, 503), 32737);
  EXPECT_EQ(NextThumbIndex(grid, 40000), 40001);
}

TEST_F(CatalogTest, RunningOutOfIndicesAsksAndStartsAfresh) {
  AddGraphics(3);
  grid.SetCell(kColThumb, 1, "VVO");  // 32760, the largest
  std::string id = "J74S8";
  bool modified = false;
  int asked = 0;
  // No keeps everything.
  EXPECT_FALSE(UpdateIndices(grid, id, modified, [&] {
    ++asked;
    return false;
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Index(1), "VVO");
  EXPECT_EQ(Index(2), "");
  EXPECT_EQ(id, "J74S8");
  EXPECT_FALSE(modified);
  // Yes: a new catalog, indices from 1.
  EXPECT_TRUE(UpdateIndices(grid, id, modified, [&] {
    ++asked;
    return true;
  }));
  EXPECT_EQ(id, "");
  EXPECT_EQ(Index(1), "1");
  EXPECT_EQ(Index(3), "3");
  EXPECT_EQ(Setting(keys::kAvlIdx), "4");
}

TEST_F(CatalogTest, IndicesNeverPassTheLargest) {
  // 32759 and two slides to number: the second would be 32761, four digits
  // wide in time; the question comes before any is handed out.
  EXPECT_FALSE(IndicesRunOut(32759, 2));
  EXPECT_TRUE(IndicesRunOut(32759, 3));
  EXPECT_TRUE(IndicesRunOut(32761, 0));
  AddGraphics(3);
  SetSetting(keys::kAvlIdx, "32758");
  std::string id = "J74S8";
  bool modified = false;
  int asked = 0;
  EXPECT_TRUE(UpdateIndices(grid, id, modified, [&] {
    ++asked;
    return true;
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Index(3), "3");
}

TEST_F(CatalogTest, KillAllDeletesTheThumbnailsThatExist) {
  AddGraphics(3);
  AddVideo();
  grid.SetCell(kColThumb, 1, "1");
  grid.SetCell(kColThumb, 2, "2");  // its file is gone already
  grid.SetCell(kColThumb, 3, "3");
  machine.files.AddFile("C:\\VIEWER\\J74S81.BMP", "x");
  machine.files.AddFile("C:\\VIEWER\\J74S83.BMP", "x");
  machine.files.AddFile("C:\\VIEWER\\OTHER1.BMP", "x");
  EXPECT_EQ(KillThumbnails(grid, kAppDir, "J74S8"), 2);
  EXPECT_FALSE(machine.files.Stat("C:\\VIEWER\\J74S81.BMP"));
  EXPECT_FALSE(machine.files.Stat("C:\\VIEWER\\J74S83.BMP"));
  EXPECT_TRUE(machine.files.Stat("C:\\VIEWER\\OTHER1.BMP"));
  EXPECT_EQ(Index(1), "");
  EXPECT_EQ(Index(2), "");
  EXPECT_EQ(Index(4), "-");
}

TEST_F(CatalogTest, ThumbnailFileNames) {
  EXPECT_EQ(ThumbnailFile(kAppDir, "J74S8", "1F"), "C:\\VIEWER\\J74S81F.BMP");
  EXPECT_EQ(ThumbnailFile(kAppDir, "J74S8", ""), "");
  EXPECT_EQ(ThumbnailFile(kAppDir, "J74S8", "-"), "");
}

TEST_F(CatalogTest, TagsToggleOnTaggableSlidesOnly) {
  AddGraphics(3);
  AddVideo();
  EXPECT_TRUE(ToggleTag(grid, 3));
  EXPECT_TRUE(ToggleTag(grid, 1));
  EXPECT_FALSE(ToggleTag(grid, 4));  // a video cannot be tagged
  EXPECT_EQ(grid.Cell(kColTag, 4), kNotApplicable);
  EXPECT_EQ(TaggedPaths(grid),
            (std::vector<std::string>{"c:\\pics\\pic1.bmp", "c:\\pics\\pic3.bmp"}));
  EXPECT_TRUE(ToggleTag(grid, 1));
  EXPECT_FALSE(IsTagged(grid, 1));
}

TEST_F(CatalogTest, ViewingWritesTheTagListOrStartsThePlayer) {
  AddGraphics(3);
  AddVideo();
  machine.files.AddFile("C:\\VIEWER\\tag.lst", "[Count]\nN=9\n[9]\nF=old\n");
  // Nothing tagged, a video current: nothing to view, and the old list is gone.
  EXPECT_EQ(SaveTagList(grid, 4, kAppDir), ViewResult::Nothing);
  EXPECT_FALSE(machine.files.Stat("C:\\VIEWER\\tag.lst"));
  EXPECT_TRUE(machine.desktop.execs.empty());
  // A graphic current: the player shows it.
  EXPECT_EQ(SaveTagList(grid, 2, kAppDir), ViewResult::Player);
  EXPECT_EQ(Setting(keys::kSaveAs), "c:\\pics\\pic2.bmp");
  EXPECT_EQ(machine.desktop.execs, std::vector<std::string>{"C:\\VIEWER\\plmsld.exe /x"});
  machine.desktop.execResult = false;
  EXPECT_EQ(SaveTagList(grid, 2, kAppDir), ViewResult::PlayerFailed);
  // Tagged slides: the list, in slide order, whatever is current.
  ToggleTag(grid, 3);
  ToggleTag(grid, 1);
  EXPECT_EQ(SaveTagList(grid, 4, kAppDir), ViewResult::TagList);
  EXPECT_EQ(ReadTagList(kAppDir),
            (std::vector<std::string>{"c:\\pics\\pic1.bmp", "c:\\pics\\pic3.bmp"}));
  EXPECT_EQ(machine.desktop.execs.size(), 2u);
}

TEST_F(CatalogTest, TheEmptyScriptHasNothingToNumberOrView) {
  std::string id;
  bool modified = false;
  EXPECT_TRUE(UpdateIndices(grid, id, modified, Never));
  EXPECT_FALSE(modified);
  EXPECT_EQ(Index(1), "");
  EXPECT_EQ(SaveTagList(grid, 1, kAppDir), ViewResult::Nothing);
}

}  // namespace
}  // namespace w95::editor::test
