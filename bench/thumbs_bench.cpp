// The editor's thumbnail page: one page of 32 thumbnails read from their
// bitmap files and painted, and paging through a long script (each page
// costs the same whatever the script's length). Under Wine the files are
// real files read through the platform's bitmap loading and painted on a
// real device context, next to the platform drawing the same files on its
// own (LoadImage and BitBlt), for the ratio; natively the simulated machine
// and a recording canvas.
#ifdef _WIN32
#include <windows.h>

#include "mini_benchmark.h"
#include "platform/win32/win32_machine.h"
#include "ui/win32/win32_canvas.h"
#else
#include <benchmark/benchmark.h>

#include "platform/sim/sim_machine.h"
#include "ui/recording_canvas.h"
#endif

#include <memory>
#include <string>
#include <vector>

#include "editor/base32.h"
#include "editor/script_model.h"
#include "editor/thumb_catalog.h"
#include "editor/thumbs_page.h"
#include "platform/pictures.h"
#include "platform/platform.h"

namespace {

using namespace w95;

constexpr int kFiles = 32;
constexpr int kColumns = 8, kRows = 4;

#ifdef _WIN32
const std::string kDir = "c:\\w95thumbs\\";
#else
const std::string kDir = "C:\\VIEWER\\";
#endif

// The machine with 32 thumbnail files BENCH1.BMP ... of the sizes a host
// makes (64 wide or 64 high).
struct Machine {
#ifdef _WIN32
  Machine() { platform::InstallWin32Machine(); }
#else
  platform::sim::SimMachine sim;
  Machine() { sim.Install(); }
#endif
  void WriteThumbnails() {
    platform::FileSystem& files = *platform::Current().files;
    files.CreateDirectory(kDir.substr(0, kDir.size() - 1));
    for (int i = 1; i <= kFiles; ++i) {
      const int w = i % 3 == 0 ? 48 : 64, h = i % 3 == 1 ? 40 : 64;
      std::vector<uint32_t> pixels(static_cast<size_t>(w) * h,
                                   0x102030u * static_cast<uint32_t>(i));
      files.WriteFile(File(i), platform::EncodeBmp24(w, h, pixels));
    }
  }
  static std::string File(int i) {
    return kDir + "BENCH" + editor::ToBase32(static_cast<uint32_t>(i)) + ".BMP";
  }
};

// A script of n graphics whose thumbnails are the 32 files in turn.
struct Page {
  explicit Page(int slides) {
    editor::SetUpGrid(grid);
    grid.SetRowCount(slides + 1);
    for (int r = 1; r <= slides; ++r) {
      grid.SetCell(editor::kColName, r, "slide" + std::to_string(r) + ".bmp");
      editor::SetUpGraphic(grid, r);
      grid.SetCell(editor::kColThumb, r,
                   editor::ToBase32(static_cast<uint32_t>((r - 1) % kFiles + 1)));
    }
    image.SetBounds(0, 0, kColumns * editor::kCellWidth, kRows * editor::kCellHeight);
    editor::ThumbsWindow w;
    w.thumbnailFile = [this](int row) {
      return editor::ThumbnailFile(kDir, "BENCH", grid.Cell(editor::kColThumb, row));
    };
    page = std::make_unique<editor::ThumbsPage>(root, grid, image, scroll, std::move(w));
    page->SetRows(kRows);
    page->ShowPage(1);
  }
  ui::Control root{"root"};
  ui::StringGrid grid;
  ui::Image image{root, "Image2"};
  ui::ScrollBar scroll{root, "CatScroll"};
  std::unique_ptr<editor::ThumbsPage> page;
};

#ifdef _WIN32
// A screen-like surface to paint on.
struct Surface {
  Surface() {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap =
        CreateCompatibleBitmap(screen, kColumns * editor::kCellWidth, kRows * editor::kCellHeight);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  void Paint(ui::Image& image) {
    ui::win32::HdcCanvas canvas(dc, image.GetFont());
    image.Paint(canvas);
    GdiFlush();
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};
#else
struct Surface {
  void Paint(ui::Image& image) {
    ui::RecordingCanvas canvas;
    image.Paint(canvas);
    benchmark::DoNotOptimize(canvas.ops.size());
  }
};
#endif

// One page read from the files and painted.
void BM_ThumbnailPageFromFiles(benchmark::State& state) {
  Machine machine;
  machine.WriteThumbnails();
  Page p(kFiles);
  Surface surface;
  for (auto _ : state) {
    p.page->UpdateCatalogView(1);
    surface.Paint(p.image);
  }
}
BENCHMARK(BM_ThumbnailPageFromFiles)->Unit(benchmark::kMillisecond);

// Page Down through the whole script and back to the start, per page.
void BM_PageThroughScript(benchmark::State& state) {
  Machine machine;
  machine.WriteThumbnails();
  const int slides = static_cast<int>(state.range(0));
  Page p(slides);
  Surface surface;
  for (auto _ : state) {
    if (p.page->First() + p.page->Geometry().PageSize() > slides)
      p.page->ShowPage(1);
    else
      p.page->PageDown();
    surface.Paint(p.image);
  }
}
BENCHMARK(BM_PageThroughScript)->Arg(320)->Arg(10000)->Unit(benchmark::kMillisecond);

#ifdef _WIN32
// The platform on its own: each file loaded by LoadImage and copied with
// BitBlt into its cell.
void BM_PlatformDrawsTheSameFiles(benchmark::State& state) {
  Machine machine;
  machine.WriteThumbnails();
  Surface surface;
  for (auto _ : state) {
    for (int i = 1; i <= kFiles; ++i) {
      auto* bitmap = static_cast<HBITMAP>(
          LoadImageA(nullptr, Machine::File(i).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
      if (!bitmap) {
        state.SkipWithError("LoadImage failed");
        return;
      }
      HDC mem = CreateCompatibleDC(surface.dc);
      HGDIOBJ old = SelectObject(mem, bitmap);
      const int col = (i - 1) % kColumns, row = (i - 1) / kColumns;
      BitBlt(surface.dc, col * editor::kCellWidth + 4, row * editor::kCellHeight + 4, 64, 64, mem,
             0, 0, SRCCOPY);
      SelectObject(mem, old);
      DeleteDC(mem);
      DeleteObject(bitmap);
    }
    GdiFlush();
  }
}
BENCHMARK(BM_PlatformDrawsTheSameFiles)->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
