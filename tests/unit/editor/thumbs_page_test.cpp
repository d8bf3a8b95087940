// The thumbnail page on a recording canvas: where cells, pictures, names and
// the frame go, selection, the drag with automatic scrolling, tags, and that
// a page reads only its own thumbnails.
#include "editor/thumbs_page.h"

#include <algorithm>

#include "editor/base32.h"
#include "editor/thumb_catalog.h"
#include "platform/pictures.h"
#include "thumbs_fixture.h"
#include "ui/recording_canvas.h"
#include "ui/screen.h"

namespace w95::editor::test {
namespace {

TEST(ThumbsLayout, CellsNamesAndScrolling) {
  const CellPlaces p = PlacesOf(2, 1);
  EXPECT_EQ(p.cell.left, 150);
  EXPECT_EQ(p.cell.top, 82);
  EXPECT_EQ(p.frame.width, 68);
  EXPECT_EQ(p.pictureBox.left, 152);
  EXPECT_EQ(p.noPreview.x, 154);
  EXPECT_EQ(p.noPreview.y, 114);
  EXPECT_EQ(p.name.y, 147);
  // Centred pictures; one larger than the box starts before it.
  EXPECT_EQ(PicturePlace(p, 64, 64).x, 152);
  EXPECT_EQ(PicturePlace(p, 32, 16).y, 84 + 24);
  EXPECT_EQ(PicturePlace(p, 100, 65).x, 152 - 18);
  EXPECT_EQ(PicturePlace(p, 100, 65).y, 84);

  EXPECT_EQ(ShortName("abcdefghijkl"), "abcdefghijkl");
  EXPECT_EQ(ShortName("abcdefghijklm"), "abcdefghijkl..");
  EXPECT_EQ(ColumnsFor(600), 8);
  EXPECT_EQ(ColumnsFor(20), 1);

  // The last column reaches to the right edge; points above or left of the
  // image belong to the first row and column.
  EXPECT_EQ(CellUnder(599, 90, 8).col, 7);
  EXPECT_EQ(CellUnder(900, 90, 8).col, 7);
  EXPECT_EQ(CellUnder(-40, -5, 8).row, 0);
  EXPECT_EQ(SlideInCell({3, 2}, 8, 9), 28);

  EXPECT_EQ(ScrollBack(20, 8), 12);
  EXPECT_EQ(ScrollBack(9, 8), 1);
  EXPECT_EQ(ScrollBack(3, 8), 1);
  EXPECT_EQ(ScrollOn(20, 8, 40), 28);
  EXPECT_EQ(ScrollOn(36, 8, 40), 40);
}

class PageTest : public ThumbsScript {
 protected:
  PageTest() {
    image.SetBounds(0, 0, 600, 320);
    ThumbsWindow w;
    w.selectSlide = [this](int row) { selected.push_back(row); };
    w.openEditMenu = [this] { ++menus; };
    w.moveSlide = [this](int from, int to) { moves.emplace_back(from, to); };
    w.thumbnailFile = [this](int row) { return ThumbnailFile(grid, row, kAppDir, "J74S8"); };
    page = std::make_unique<ThumbsPage>(root, grid, image, scroll, std::move(w));
  }
  ~PageTest() override { ui::Screen().SetCursor(ui::Cursor::Default); }

  void Thumbnail(int row, const std::string& index, int w, int h) {
    grid.SetCell(kColThumb, row, index);
    machine.files.AddFile(std::string(kAppDir) + "J74S8" + index + ".BMP",
                          platform::EncodeBmp24(w, h, std::vector<uint32_t>(size_t(w) * h)));
  }
  std::vector<std::string> Draw() {
    ui::RecordingCanvas c;
    image.Paint(c);
    colors = c.textColors;
    return c.ops;
  }
  static bool Has(const std::vector<std::string>& ops, const std::string& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
  }
  static int Count(const std::vector<std::string>& ops, const std::string& prefix) {
    return static_cast<int>(std::count_if(
        ops.begin(), ops.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
  }

  ui::Control root{"root"};
  ui::Image image{root, "Image2"};
  ui::ScrollBar scroll{root, "CatScroll"};
  std::unique_ptr<ThumbsPage> page;
  std::vector<int> selected;
  int menus = 0;
  std::vector<std::pair<int, int>> moves;
  std::vector<ui::Color> colors;
};

TEST_F(PageTest, DrawsPicturesNamesAndNoPreview) {
  AddGraphics(40);
  Thumbnail(1, "1", 64, 64);
  Thumbnail(2, "2", 32, 16);
  Thumbnail(3, "3", 100, 100);  // larger than its box
  grid.SetCell(kColThumb, 4, "4");
  machine.files.AddFile("C:\\VIEWER\\J74S84.BMP", "BM damaged");
  grid.SetCell(kColName, 5, "a long file name.jpeg");
  ToggleTag(grid, 6);
  page->SetRows(4);
  page->ShowPage(1);
  EXPECT_EQ(page->Geometry().columns, 8);
  EXPECT_EQ(page->Geometry().PageSize(), 32);
  EXPECT_EQ(scroll.Max(), 40);
  EXPECT_EQ(scroll.LargeChange(), 32);
  EXPECT_EQ(image.GetFont().name, "Arial");

  const std::vector<std::string> ops = Draw();
  EXPECT_EQ(ops.front(), "fill 0,0 600x320 #00FFFFFF");
  EXPECT_TRUE(Has(ops, "picture 4,4 64x64 of 64x64"));
  EXPECT_TRUE(Has(ops, "picture 94,28 32x16 of 32x16"));
  EXPECT_TRUE(Has(ops, "picture 152,4 64x64 of 64x64"));
  EXPECT_TRUE(Has(ops, "text 228,34 No Preview"));  // damaged file
  EXPECT_TRUE(Has(ops, "text 298,67 a long file .."));
  EXPECT_EQ(Count(ops, "picture"), 3);
  EXPECT_EQ(Count(ops, "frame"), 0);
  // Names: 32 cells, the sixth red.
  const auto names = std::count_if(ops.begin(), ops.end(), [](const std::string& s) {
    return s.find(",67 ") != std::string::npos || s.find(",147 ") != std::string::npos ||
           s.find(",227 ") != std::string::npos || s.find(",307 ") != std::string::npos;
  });
  EXPECT_EQ(names, 32);
  int red = 0;
  for (ui::Color c : colors) red += c == ui::clRed;
  EXPECT_EQ(red, 1);
}

TEST_F(PageTest, TheLastPageLeavesCellsPastTheEndWhite) {
  AddGraphics(40);
  page->ShowPage(33);
  const std::vector<std::string> ops = Draw();
  EXPECT_EQ(Count(ops, "text"), 16);  // 8 slides: "No Preview" and the name
  EXPECT_TRUE(Has(ops, "text 520,67 pic40.bmp"));
  // Clicking past the last slide selects nothing.
  page->Image2MouseDown(ui::MouseButton::Left, 100, 100);
  EXPECT_TRUE(selected.empty());
  EXPECT_FALSE(page->Dragging());
}

TEST_F(PageTest, ClickSelectsFramesAndOpensTheMenu) {
  AddGraphics(40);
  page->ShowPage(9);
  page->Image2MouseDown(ui::MouseButton::Right, 160, 90);  // column 2, row 1
  EXPECT_EQ(selected, std::vector<int>{19});
  EXPECT_EQ(menus, 1);
  EXPECT_FALSE(page->Dragging());
  EXPECT_TRUE(Has(Draw(), "frame 150,82 68x68 #00000000"));
  // The frame follows the pointer, with or without a drag.
  page->Image2MouseMove(10, 10);
  EXPECT_TRUE(Has(Draw(), "frame 2,2 68x68 #00000000"));
  EXPECT_EQ(Count(Draw(), "frame"), 1);
  page->Image2MouseUp(10, 10);
  EXPECT_TRUE(moves.empty());
}

TEST_F(PageTest, DragMovesTheSlideToTheCellItIsDroppedOn) {
  AddGraphics(40);
  page->ShowPage(1);
  page->Image2MouseDown(ui::MouseButton::Left, 80, 10);  // slide 2
  EXPECT_TRUE(page->Dragging());
  page->Image2MouseMove(230, 10);
  EXPECT_EQ(ui::Screen().GetCursor(), ui::Cursor::Drag);
  page->Image2MouseDown(ui::MouseButton::Left, 300, 10);  // ignored during a drag
  page->Image2MouseUp(230, 10);                           // slide 4
  EXPECT_EQ(ui::Screen().GetCursor(), ui::Cursor::Default);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 4}}));
  EXPECT_EQ(selected, std::vector<int>{2});
  EXPECT_FALSE(page->Frame());
  // Dropped far below the page: the last slide.
  page->Image2MouseDown(ui::MouseButton::Left, 80, 10);
  page->Image2MouseMove(80, 900);
  EXPECT_EQ(ui::Screen().GetCursor(), ui::Cursor::NoDrop);
  page->Image2MouseUp(80, 900);
  EXPECT_EQ(moves.back(), std::make_pair(2, 40));
}

TEST_F(PageTest, DraggingPastTheEdgesScrollsByRows) {
  AddGraphics(40);
  page->ShowPage(1);
  page->Image2MouseDown(ui::MouseButton::Left, 10, 10);  // slide 1
  page->Image2MouseMove(-5, 10);                         // left, but already at the start
  EXPECT_EQ(ui::Screen().GetCursor(), ui::Cursor::SizeWE);
  EXPECT_FALSE(page->Timer1.Running());
  page->Image2MouseMove(605, 10);
  ASSERT_TRUE(page->Timer1.Running());
  EXPECT_EQ(page->Timer1.Interval(), 500u);
  page->Timer1.Fire();
  EXPECT_EQ(scroll.Position(), 9);
  EXPECT_EQ(page->First(), 9);
  for (int i = 0; i < 5; ++i) page->Timer1.Fire();
  EXPECT_EQ(scroll.Position(), 40);  // never past the last slide
  page->Image2MouseMove(605, 10);    // at the end: no more scrolling
  EXPECT_FALSE(page->Timer1.Running());
  page->Image2MouseMove(-1, 10);
  page->Timer1.Fire();
  EXPECT_EQ(scroll.Position(), 32);
  page->Image2MouseMove(300, 10);  // back inside: scrolling stops
  EXPECT_FALSE(page->Timer1.Running());
  page->Image2MouseUp(10, 10);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 32}}));
}

TEST_F(PageTest, ScrollBarPagesAndTags) {
  AddGraphics(100);
  page->ShowPage(1);
  page->PageDown();
  EXPECT_EQ(page->First(), 33);
  page->PageDown();
  page->PageDown();
  page->PageDown();
  EXPECT_EQ(scroll.Position(), 100);
  page->PageUp();
  EXPECT_EQ(page->First(), 68);
  for (int i = 0; i < 4; ++i) page->PageUp();
  EXPECT_EQ(page->First(), 1);

  // Moving the bar redraws from there and makes that slide current.
  scroll.UserScroll(ui::ScrollCode::Position, 50);
  scroll.UserScroll(ui::ScrollCode::EndScroll, 50);
  EXPECT_EQ(page->First(), 50);
  EXPECT_EQ(selected, std::vector<int>{50});
  EXPECT_TRUE(scroll.Enabled());

  // Tags redraw the names only.
  const int loads = machine.pictures.loads;
  ToggleTag(grid, 51);
  page->UpdateCatalogTags(50);
  EXPECT_EQ(machine.pictures.loads, loads);
  Draw();
  EXPECT_EQ(std::count(colors.begin(), colors.end(), ui::clRed), 1);

  // Fewer slides: the position stays within them.
  grid.SetRowCount(31);
  page->UpdatePreview();
  EXPECT_EQ(scroll.Max(), 30);
  EXPECT_EQ(page->First(), 30);
  // Out of view, the page does nothing.
  page->HidePage();
  grid.SetRowCount(11);
  page->UpdatePreview();
  EXPECT_EQ(page->First(), 30);
}

TEST_F(PageTest, APageReadsOnlyItsOwnThumbnails) {
  AddGraphics(10000);
  for (int r = 1; r <= 10000; ++r) grid.SetCell(kColThumb, r, ToBase32(static_cast<uint32_t>(r)));
  page->ShowPage(1);
  const int first = machine.pictures.loads;
  EXPECT_EQ(first, 32);
  page->PageDown();
  page->PageDown();
  EXPECT_EQ(machine.pictures.loads - first, 64);
}

}  // namespace
}  // namespace w95::editor::test
