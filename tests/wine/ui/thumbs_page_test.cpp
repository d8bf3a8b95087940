// Thumbnail pictures on real windows: the platform's bitmap loading against
// our own reader on files this test writes, pictures clipped to their box,
// and the thumbnail page of 40 slides painted, clicked and dragged on.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../unit/platform/bmp_bytes.h"
#include "editor/script_model.h"
#include "editor/thumb_catalog.h"
#include "editor/thumbs_page.h"
#include "platform/pictures.h"
#include "platform/win32/win32_pictures.h"
#include "ui/controls.h"
#include "ui/test_session.h"
#include "ui/win32/win32_canvas.h"
#include "ui/win32/win32_internal.h"
#include "wine_ui_support.h"

namespace {

using namespace w95;
using platform::PicturePtr;
using platform::test::BmpSpec;
using platform::test::MakeBmp;

std::string Folder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "w95thumbs\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

// A white memory surface to draw pictures on and read pixels back.
class Surface {
 public:
  Surface(int w, int h) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT r{0, 0, w, h};
    FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  void Draw(int x, int y, const platform::Picture& p) {
    ui::win32::HdcCanvas canvas(dc_, ui::Font{});
    canvas.DrawPicture({x, y, p.width, p.height}, p);
  }
  // The pixel as pictures hold it (0x00RRGGBB).
  uint32_t At(int x, int y) {
    const COLORREF c = GetPixel(dc_, x, y);
    return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 |
           GetBValue(c);
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

TEST(ThumbnailPicturesOnWine, ThePlatformsLoadingAndOurReaderShowTheSamePixels) {
  const std::string dir = Folder();
  std::vector<std::pair<std::string, std::string>> files;
  for (bool topDown : {false, true}) {
    const std::string order = topDown ? "td" : "bu";
    files.emplace_back("d1" + order,
                       MakeBmp({.width = 10,
                                .bits = 1,
                                .topDown = topDown,
                                .palette = {kBlue, kWhite},
                                .rows = {std::string("\xA0\x40", 2), std::string("\x0F\xC0", 2)}}));
    files.emplace_back("d4" + order, MakeBmp({.width = 3,
                                              .bits = 4,
                                              .topDown = topDown,
                                              .palette = {0, kRed, kGreen, kBlue},
                                              .rows = {"\x12\x30", "\x32\x10"},
                                              .colorsUsed = 4}));
    files.emplace_back("d8" + order, MakeBmp({.width = 3,
                                              .bits = 8,
                                              .topDown = topDown,
                                              .palette = {0, kRed, kGreen, kBlue},
                                              .rows = {"\1\2\3", "\3\2\1"},
                                              .colorsUsed = 4}));
  }
  std::vector<uint32_t> ramp;
  for (uint32_t i = 0; i < 7 * 5; ++i)
    ramp.push_back(i % 3 == 0 ? kRed : i % 3 == 1 ? kGreen : kBlue);
  files.emplace_back("d24", platform::EncodeBmp24(7, 5, ramp));

  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    const std::string path = dir + name + ".bmp";
    WriteBytes(path, bytes);
    const PicturePtr native = platform::Win32Pictures().LoadBitmap(path);
    const PicturePtr ours = platform::DecodeBmp(bytes);
    ASSERT_TRUE(native);
    ASSERT_TRUE(ours);
    ASSERT_EQ(native->width, ours->width);
    ASSERT_EQ(native->height, ours->height);
    Surface a(16, 16), b(16, 16);
    EXPECT_EQ(native->pixels, ours->pixels);
    a.Draw(1, 1, *native);
    b.Draw(1, 1, *ours);
    for (int y = 0; y < ours->height; ++y)
      for (int x = 0; x < ours->width; ++x) {
        EXPECT_EQ(b.At(x + 1, y + 1), ours->At(x, y)) << x << "," << y;
        EXPECT_EQ(a.At(x + 1, y + 1), b.At(x + 1, y + 1)) << x << "," << y;
      }
  }
}

TEST(ThumbnailPicturesOnWine, DamagedOrMissingFilesAreNoPicture) {
  const std::string dir = Folder();
  WriteBytes(dir + "junk.bmp", "BM this is no bitmap");
  const std::string good = platform::EncodeBmp24(40, 40, std::vector<uint32_t>(1600, kRed));
  WriteBytes(dir + "cut.bmp", good.substr(0, 60));
  platform::PictureLoader& loader = platform::Win32Pictures();
  EXPECT_FALSE(loader.LoadBitmap(dir + "junk.bmp"));
  EXPECT_FALSE(loader.LoadBitmap(dir + "missing.bmp"));
  EXPECT_FALSE(loader.LoadBitmap(dir + "cut.bmp"));
  EXPECT_FALSE(platform::DecodeBmp(good.substr(0, 60)));
}

TEST(ThumbnailPicturesOnWine, APictureNeverShowsOutsideItsBox) {
  wine_ui::RealMachine machine;
  const std::string dir = Folder();
  std::vector<uint32_t> pixels(100 * 100, kBlue);
  for (int y = 0; y < 100; ++y)
    pixels[static_cast<size_t>(y) * 100 + 18] = kRed;  // first column shown
  WriteBytes(dir + "big.bmp", platform::EncodeBmp24(100, 100, pixels));
  const PicturePtr p = editor::LoadThumbnail(dir + "big.bmp");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->width, 64);
  EXPECT_EQ(p->height, 64);
  Surface s(120, 120);
  s.Draw(10, 10, *p);
  EXPECT_EQ(s.At(10, 10), kRed);
  EXPECT_EQ(s.At(11, 10), kBlue);
  EXPECT_EQ(s.At(73, 73), kBlue);
  EXPECT_EQ(s.At(9, 40), kWhite);
  EXPECT_EQ(s.At(74, 40), kWhite);
  EXPECT_EQ(s.At(40, 74), kWhite);
}

// A window with the page's controls only.
class PageForm : public ui::Form {
 public:
  explicit PageForm(const std::string& appDir) : ui::Form("PageForm"), appDir_(appDir) {
    SetCaption("Thumbnails");
    SetClientSize(600, 345);
    SetPosition(ui::FormPosition::ScreenCenter);
    Grid.SetVisible(false);
    Image2.SetBounds(0, 0, 600, 322);
    CatScroll.SetBounds(0, 326, 600, 17);
  }
  ui::StringGrid Grid{*this, "Grid"};
  ui::Image Image2{*this, "Image2"};
  ui::ScrollBar CatScroll{*this, "CatScroll"};
  std::vector<std::pair<int, int>> moves;
  std::vector<int> selected;
  editor::ThumbsPage page{
      *this,
      Grid,
      Image2,
      CatScroll,
      {[this](int row) { selected.push_back(row); }, [] {},
       [this](int from, int to) { moves.emplace_back(from, to); },
       [this](int row) { return editor::ThumbnailFile(Grid, row, appDir_, "J74S8"); },
       [](int) { return false; }}};

 private:
  std::string appDir_;
};

uint32_t ScreenPixel(ui::Control& c, int x, int y) {
  HWND h = reinterpret_cast<HWND>(c.Handle());
  UpdateWindow(h);
  HDC dc = GetDC(h);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(h, dc);
  return static_cast<uint32_t>(GetRValue(color)) << 16 |
         static_cast<uint32_t>(GetGValue(color)) << 8 | GetBValue(color);
}

TEST(ThumbnailPageOnWine, FortySlidesShownClickedAndDragged) {
  wine_ui::RealMachine machine;
  const std::string dir = Folder();
  PageForm f(dir);
  editor::SetUpGrid(f.Grid);
  f.Grid.SetRowCount(41);
  const uint32_t colours[] = {kRed, kGreen, kBlue, 0x00FFFF, 0xFF00FF, 0x808000};
  for (int r = 1; r <= 40; ++r) {
    const std::string name =
        r == 7 ? "a rather long name.jpeg" : "slide" + std::to_string(r) + ".bmp";
    f.Grid.SetCell(editor::kColPath, r, "c:\\pics\\" + name);
    f.Grid.SetCell(editor::kColName, r, name);
    editor::SetUpGraphic(f.Grid, r);
    if (r % 10 == 5) continue;  // no thumbnail: "No Preview"
    const std::string index = std::to_string(r);
    f.Grid.SetCell(editor::kColThumb, r, index);
    const int w = 64 - (r % 4) * 12,
              h = 64 - (r % 3) * 16;  // various sizes, aspect kept by the host
    WriteBytes(dir + "J74S8" + index + ".BMP",
               platform::EncodeBmp24(w, h, std::vector<uint32_t>(size_t(w) * h, colours[r % 6])));
  }
  editor::ToggleTag(f.Grid, 3);
  editor::ToggleTag(f.Grid, 12);

  ui::test::Session s;
  s.WhenModal<PageForm>([&](ui::test::User& u, PageForm&) {
    f.page.SetRows(4);
    f.page.ShowPage(1);
    ui::win32::PumpPending();
    // Slide 1 has a green thumbnail in its box.
    EXPECT_EQ(ScreenPixel(f.Image2, 36, 36), kGreen);
    EXPECT_EQ(ScreenPixel(f.Image2, 300, 300), kWhite) << "cells are white";

    // A drag two cells on: slide 2 dropped on slide 4.
    u.MouseDown("Image2", ui::MouseButton::Left, 80, 10);
    EXPECT_EQ(f.selected, std::vector<int>{2});
    u.MouseMove("Image2", 230, 10);
    u.MouseUp("Image2", ui::MouseButton::Left, 230, 10);
    EXPECT_EQ(f.moves, (std::vector<std::pair<int, int>>{{2, 4}}));

    // Dragged past the right edge, the page scrolls a row every 500 ms.
    u.MouseDown("Image2", ui::MouseButton::Left, 10, 10);
    u.MouseMove("Image2", 610, 10);
    EXPECT_TRUE(f.page.Timer1.Running());
    for (int i = 0; i < 40 && f.page.First() == 1; ++i) {
      ui::win32::PumpPending();
      Sleep(50);
    }
    EXPECT_EQ(f.page.First(), 9);
    u.MouseMove("Image2", 300, 10);
    EXPECT_FALSE(f.page.Timer1.Running());
    u.MouseUp("Image2", ui::MouseButton::Left, 300, 10);
    EXPECT_EQ(f.moves.back(), std::make_pair(1, 13));

    f.page.ShowPage(1);
    f.page.FocusPreview(2, 1);
    ui::win32::PumpPending();
    wine_ui::WaitForScreenshot("thumbs_page");
    f.SetModalResult(ui::mrCancel);
  });
  EXPECT_EQ(f.ShowModal(), ui::mrCancel);
}

}  // namespace
