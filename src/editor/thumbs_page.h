// The editor's second page: the slides as a grid of thumbnails in which the
// user selects, tags and rearranges slides by dragging. The editor window
// owns one and passes it the page's controls and what it needs of the window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/thumbs_layout.h"
#include "platform/pictures.h"
#include "ui/canvas.h"
#include "ui/image.h"
#include "ui/scroll_bar.h"
#include "ui/string_grid.h"
#include "ui/timer.h"

namespace w95::editor {

// What the page asks of the editor window.
struct ThumbsWindow {
  std::function<void(int row)> selectSlide;           // current row + slide display
  std::function<void()> openEditMenu;                 // mnuEdit at the mouse
  std::function<void(int from, int to)> moveSlide;    // as the move-slide action
  std::function<std::string(int row)> thumbnailFile;  // empty when the slide has none
  std::function<bool(int row)> missing;               // the slide's file is not there
};

class ThumbsPage {
 public:
  ThumbsPage(ui::Control& owner, ui::StringGrid& grid, ui::Image& image, ui::ScrollBar& scroll,
             ThumbsWindow window);
  ThumbsPage(const ThumbsPage&) = delete;
  ThumbsPage& operator=(const ThumbsPage&) = delete;

  ui::Timer Timer1;  // automatic scrolling, every 500 ms while set

  const PageGeometry& Geometry() const { return geometry_; }
  // Rows per page, fixed when the window is first shown.
  void SetRows(int rows);
  bool Active() const { return active_; }
  int First() const { return first_; }
  bool Dragging() const { return dragging_; }
  std::optional<CellAt> Frame() const { return frame_; }

  // The page comes into view (columns from the image width, page size,
  // scroll range) and is drawn from `topSlide`; or goes out of view.
  void ShowPage(int topSlide);
  void HidePage();

  void UpdateCatalogView(int first);
  void UpdateCatalogTags(int first);
  void UpdatePreview();
  void FocusPreview(int col, int row);
  void Paint(ui::Canvas& canvas);

  void CatScrollMouseDown();
  void PageUp();
  void PageDown();
  void Image2MouseDown(ui::MouseButton button, int x, int y);
  void Image2MouseMove(int x, int y);
  void Image2MouseUp(int x, int y);
  void Timer1Timer();

 private:
  struct CellView {
    platform::PicturePtr picture;
    std::string name;
    bool tagged = false;
    bool missing = false;
  };
  enum class AutoScroll { Off, Back, On };

  int SlideCount() const { return grid_.RowCount() - 1; }
  int SlideUnder(int x, int y) const;
  void SetAutoScroll(AutoScroll how);
  void NameCell(CellView& cell, int slide) const;

  ui::StringGrid& grid_;
  ui::Image& image_;
  ui::ScrollBar& scroll_;
  ThumbsWindow window_;
  PageGeometry geometry_;
  bool active_ = false;
  int first_ = 1;
  std::vector<CellView> cells_;  // the slides of the page drawn last
  std::optional<CellAt> frame_;
  bool dragging_ = false;
  int source_ = 0;
  AutoScroll autoScroll_ = AutoScroll::Off;
};

// A picture shown in an image control, centred and clipped to it (the
// current slide's thumbnail beside its colour).
class PictureView {
 public:
  explicit PictureView(ui::Image& image);
  // Shows the bitmap in `file`; hides the image when there is none.
  bool Show(const std::string& file);
  const platform::PicturePtr& Picture() const { return picture_; }

 private:
  ui::Image& image_;
  platform::PicturePtr picture_;
};

// The picture in `file` through the machine's loader; nullptr when `file` is
// empty, missing or no bitmap.
platform::PicturePtr LoadThumbnail(const std::string& file);

}  // namespace w95::editor
