#include <gtest/gtest.h>

#include "editor/script_model.h"

namespace w95::editor {
namespace {

const std::string M(kNotApplicable);

struct KindCase {
  const char* name;
  SlideKind added;
  SlideKind loaded;
  bool loop;
};

TEST(SlideKinds, AddingComparesTheExtensionLoadingLooksItUp) {
  const KindCase cases[] = {
      {"c:\\pics\\sunset.bmp", SlideKind::Graphic, SlideKind::Graphic, false},
      {"c:\\pics\\clip.avi", SlideKind::Video, SlideKind::Video, true},
      {"c:\\pics\\clip.MPG", SlideKind::Video, SlideKind::Video, true},
      {"c:\\pics\\clip.dat", SlideKind::Video, SlideKind::Video, true},
      {"c:\\pics\\clip.mov", SlideKind::QuickTime, SlideKind::QuickTime, true},
      {"c:\\pics\\anim.flc", SlideKind::Animation, SlideKind::Animation, true},
      {"c:\\pics\\song.mid", SlideKind::Audio, SlideKind::Audio, false},
      {"c:\\pics\\show.avl", SlideKind::Script, SlideKind::Script, false},
      // ".AV" is no extension of the add list, but a substring of the lists.
      {"c:\\pics\\picture.av", SlideKind::Graphic, SlideKind::Video, true},
      {"c:\\pics\\.fl", SlideKind::Graphic, SlideKind::Animation, true},
      // Without extension a file is a graphic in every test.
      {"c:\\pics\\readme", SlideKind::Graphic, SlideKind::Graphic, false},
      {"c:\\pics.avi\\readme", SlideKind::Graphic, SlideKind::Graphic, false},
      {"a:clip.avi", SlideKind::Video, SlideKind::Video, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindForAdding(c.name), c.added) << c.name;
    EXPECT_EQ(KindByLists(c.name), c.loaded) << c.name;
    EXPECT_EQ(HasLoopCount(c.name), c.loop) << c.name;
  }
  EXPECT_EQ(ExtensionOf("C:\\A.B\\x.Jpeg"), ".JPEG");
}

std::vector<std::string> Row(const ui::StringGrid& grid, int row) {
  std::vector<std::string> cells;
  for (int c = 2; c < kColumnCount; ++c) {
    if (c != kColName) cells.push_back(grid.Cell(c, row));
  }
  return cells;
}

TEST(SlideDefaults, EachKindFillsItsColumns) {
  ui::StringGrid grid;
  SetUpGrid(grid);
  // Columns 2, 3, 5 .. 15.
  const std::vector<std::pair<SlideKind, std::vector<std::string>>> table = {
      {SlideKind::Graphic, {"0", "0", "Yes", "none", "0", "Mid", "Mid", "100", M, M, M, "", ""}},
      {SlideKind::Video,
       {"0", "0", "Yes", "Loop 1x", "0", "Mid", "Mid", M, "100", "100", "100", "-", M}},
      {SlideKind::QuickTime,
       {"0", "0", "Yes", M, "0", "Mid", "Mid", M, "100", "50", "100", "-", M}},
      {SlideKind::Animation, {"0", "0", "Yes", "Loop 1x", "0", M, M, M, M, M, M, "-", M}},
      {SlideKind::Audio, {"1", "", M, M, "0", M, M, M, M, M, M, "-", M}},
      {SlideKind::Script, {M, "", M, M, M, M, M, M, M, M, M, "-", M}},
  };
  for (const auto& [kind, expected] : table) {
    const std::string_view warning = SetUpKind(grid, 1, kind);
    EXPECT_EQ(Row(grid, 1), expected) << static_cast<int>(kind);
    EXPECT_EQ(warning.empty(), kind != SlideKind::Script);
  }
  EXPECT_EQ(SetUpAVL(grid, 1),
            "AVL file should be the LAST slide.\nSubsequent slides are disregarded.");
  SetUpCD(grid, 1, 42);
  EXPECT_EQ(grid.Cell(kColPath, 1), M);
  EXPECT_EQ(grid.Cell(kColValue, 1), "42");
  EXPECT_EQ(grid.Cell(kColName, 1), "CD Track: 42");
}

TEST(SlideDefaults, ValidationAfterLoadingOverwritesOnlyItsColumns) {
  ui::StringGrid grid;
  SetUpGrid(grid);
  SetUpAudio(grid, 1);
  grid.SetCell(kColWait, 1, "7");
  ValidateAudio(grid, 1);
  EXPECT_EQ(grid.Cell(kColValue, 1), "0");  // added "1", loaded "0"
  EXPECT_EQ(grid.Cell(kColWait, 1), "7");

  SetUpCD(grid, 1, 12);
  grid.SetCell(kColColour, 1, "255");
  ValidateCD(grid, 1);
  EXPECT_EQ(grid.Cell(kColValue, 1), "12");
  EXPECT_EQ(grid.Cell(kColColour, 1), "");

  SetUpGraphic(grid, 1);
  grid.SetCell(kColZoom, 1, "100");
  grid.SetCell(kColTag, 1, "X");
  ValidateGraphic(grid, 1);
  EXPECT_EQ(grid.Cell(kColZoom, 1), M);
  EXPECT_EQ(grid.Cell(kColTag, 1), "");
}

TEST(EmptyScript, ClearLeavesOnePlaceholderRow) {
  ui::StringGrid grid;
  SetUpGrid(grid);
  grid.SetRowCount(5);
  grid.SetCell(kColPath, 1, "c:\\a.bmp");
  EXPECT_FALSE(IsEmptyScript(grid));
  SetUpClear(grid);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_TRUE(IsEmptyScript(grid));
  EXPECT_EQ(grid.Cell(kColName, 1), "<right-click me>");
  EXPECT_EQ(grid.Cell(kColValue, 1), "0");
  EXPECT_EQ(grid.Cell(kColSpeed, 1), M);
  EXPECT_EQ(grid.Cell(kColThumb, 1), "");
  EXPECT_EQ(grid.Cell(kColName, 0), "Filename");
  EXPECT_EQ(grid.ColWidth(kColThumb), 1);
  EXPECT_EQ(grid.FixedCols(), 4);
}

}  // namespace
}  // namespace w95::editor
