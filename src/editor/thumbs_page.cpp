#include "editor/thumbs_page.h"

#include <algorithm>

#include "editor/script_model.h"
#include "editor/thumb_catalog.h"
#include "platform/platform.h"
#include "ui/screen.h"

namespace w95::editor {

namespace {

constexpr unsigned kAutoScrollInterval = 500;

ui::Font PageFont(ui::Color color) {
  ui::Font f;
  f.name = "Arial";
  f.size = 8;
  f.color = color;
  return f;
}

}  // namespace

platform::PicturePtr LoadThumbnail(const std::string& file) {
  if (file.empty()) return nullptr;
  platform::PictureLoader* loader = platform::Current().pictures;
  platform::PicturePtr picture = loader ? loader->LoadBitmap(file) : nullptr;
  if (!picture || (picture->width <= kPictureBox && picture->height <= kPictureBox)) return picture;
  // A picture larger than its box shows its middle, as it would centred in
  // the box and cut at its edges.
  const int w = std::min(picture->width, kPictureBox), h = std::min(picture->height, kPictureBox);
  return std::make_shared<const platform::Picture>(platform::Crop(
      *picture, (picture->width - kPictureBox) / 2, (picture->height - kPictureBox) / 2, w, h));
}

ThumbsPage::ThumbsPage(ui::Control& owner, ui::StringGrid& grid, ui::Image& image,
                       ui::ScrollBar& scroll, ThumbsWindow window)
    : Timer1(owner, "Timer1"),
      grid_(grid),
      image_(image),
      scroll_(scroll),
      window_(std::move(window)) {
  Timer1.SetEnabled(false);
  Timer1.SetInterval(kAutoScrollInterval);
  Timer1.OnTimer = [this](ui::Control&) { Timer1Timer(); };
  image_.OnPaint = [this](ui::Control&, ui::Canvas& canvas) { Paint(canvas); };
  image_.OnMouseDown = [this](ui::Control&, ui::MouseButton b, unsigned, int x, int y) {
    Image2MouseDown(b, x, y);
  };
  image_.OnMouseMove = [this](ui::Control&, unsigned, int x, int y) { Image2MouseMove(x, y); };
  image_.OnMouseUp = [this](ui::Control&, ui::MouseButton, unsigned, int x, int y) {
    Image2MouseUp(x, y);
  };
  scroll_.OnScroll = [this](ui::Control&, ui::ScrollCode code, int&) {
    if (code == ui::ScrollCode::EndScroll) CatScrollMouseDown();
  };
}

void ThumbsPage::SetRows(int rows) { geometry_.rows = std::max(1, rows); }

void ThumbsPage::ShowPage(int topSlide) {
  active_ = true;
  image_.SetFont(PageFont(ui::clBlack));
  geometry_.columns = ColumnsFor(image_.Width());
  scroll_.SetLargeChange(geometry_.PageSize());
  const int last = std::max(1, SlideCount());
  const int first = std::clamp(topSlide, 1, last);
  scroll_.SetParams(first, 1, last);
  UpdateCatalogView(first);
}

void ThumbsPage::HidePage() {
  active_ = false;
  dragging_ = false;
  SetAutoScroll(AutoScroll::Off);
}

void ThumbsPage::NameCell(CellView& cell, int slide) const {
  cell.name = ShortName(grid_.Cell(kColName, slide));
  cell.tagged = IsTagged(grid_, slide);
  cell.missing = window_.missing && window_.missing(slide);
}

void ThumbsPage::UpdateCatalogView(int first) {
  first_ = first;
  const int last = std::min(SlideCount(), first + geometry_.PageSize() - 1);
  cells_.assign(static_cast<size_t>(std::max(0, last - first + 1)), CellView{});
  for (int slide = first; slide <= last; ++slide) {
    CellView& cell = cells_[static_cast<size_t>(slide - first)];
    cell.picture = LoadThumbnail(window_.thumbnailFile ? window_.thumbnailFile(slide) : "");
    NameCell(cell, slide);
  }
  frame_.reset();
  image_.Invalidate();
}

void ThumbsPage::UpdateCatalogTags(int first) {
  if (first != first_) {
    UpdateCatalogView(first);
    return;
  }
  const int count = std::min<int>(static_cast<int>(cells_.size()), SlideCount() - first + 1);
  for (int i = 0; i < count; ++i) NameCell(cells_[static_cast<size_t>(i)], first + i);
  image_.Invalidate();
}

void ThumbsPage::UpdatePreview() {
  if (!active_) return;
  const int last = std::max(1, SlideCount());
  scroll_.SetParams(std::min(scroll_.Position(), last), 1, last);
  UpdateCatalogView(scroll_.Position());
}

void ThumbsPage::FocusPreview(int col, int row) {
  if (frame_ && frame_->col == col && frame_->row == row) return;
  frame_ = CellAt{col, row};
  image_.Invalidate();
}

void ThumbsPage::Paint(ui::Canvas& canvas) {
  canvas.SetBrushColor(ui::clWhite);
  canvas.FillRect({0, 0, image_.Width(), image_.Height()});
  for (size_t i = 0; i < cells_.size(); ++i) {
    const CellView& cell = cells_[i];
    const int col = static_cast<int>(i) % geometry_.columns;
    const int row = static_cast<int>(i) / geometry_.columns;
    const CellPlaces p = PlacesOf(col, row);
    if (cell.missing) {
      canvas.SetFont(PageFont(ui::clRed));
      canvas.PutText(p.noPreview.x, p.noPreview.y, std::string(kMissingPreview));
    } else if (cell.picture) {
      const ui::Point at = PicturePlace(p, cell.picture->width, cell.picture->height);
      canvas.DrawPicture({at.x, at.y, cell.picture->width, cell.picture->height}, *cell.picture);
    } else {
      canvas.SetFont(PageFont(ui::clBlack));
      canvas.PutText(p.noPreview.x, p.noPreview.y, std::string(kNoPreview));
    }
    canvas.SetFont(PageFont(cell.tagged ? ui::clRed : ui::clBlack));
    canvas.PutTextRect(p.cell, p.name.x, p.name.y, cell.name);
  }
  if (frame_) {
    canvas.SetPenColor(ui::clBlack);
    canvas.FrameRect(PlacesOf(frame_->col, frame_->row).frame);
  }
}

void ThumbsPage::CatScrollMouseDown() {
  scroll_.SetEnabled(false);
  UpdateCatalogView(scroll_.Position());
  if (scroll_.Position() <= SlideCount() && window_.selectSlide)
    window_.selectSlide(scroll_.Position());
  scroll_.SetEnabled(true);
}

void ThumbsPage::PageUp() {
  scroll_.SetPosition(std::max(1, scroll_.Position() - geometry_.PageSize()));
  UpdatePreview();
}

void ThumbsPage::PageDown() {
  scroll_.SetPosition(
      std::min(std::max(1, SlideCount()), scroll_.Position() + geometry_.PageSize()));
  UpdatePreview();
}

int ThumbsPage::SlideUnder(int x, int y) const {
  return SlideInCell(CellUnder(x, y, geometry_.columns), geometry_.columns, first_);
}

void ThumbsPage::Image2MouseDown(ui::MouseButton button, int x, int y) {
  if (dragging_) return;
  const int slide = SlideUnder(x, y);
  if (slide > scroll_.Max() || slide > SlideCount()) return;
  dragging_ = button == ui::MouseButton::Left;
  source_ = slide;
  if (window_.selectSlide) window_.selectSlide(slide);
  const CellAt cell = CellUnder(x, y, geometry_.columns);
  FocusPreview(cell.col, cell.row);
  if (button == ui::MouseButton::Right && window_.openEditMenu) window_.openEditMenu();
}

void ThumbsPage::Image2MouseMove(int x, int y) {
  const bool inside = x >= 0 && x < image_.Width() && y >= 0 && y < image_.Height();
  if (dragging_) {
    if (y < 0 || y >= image_.Height()) {
      ui::Screen().SetCursor(ui::Cursor::NoDrop);
      return;
    }
    if (!inside) {
      ui::Screen().SetCursor(ui::Cursor::SizeWE);
      if (x < 0)
        SetAutoScroll(scroll_.Position() > 1 ? AutoScroll::Back : AutoScroll::Off);
      else
        SetAutoScroll(scroll_.Position() < scroll_.Max() ? AutoScroll::On : AutoScroll::Off);
      return;
    }
    SetAutoScroll(AutoScroll::Off);
    ui::Screen().SetCursor(ui::Cursor::Drag);
  }
  if (inside) {
    const CellAt cell = CellUnder(x, y, geometry_.columns);
    FocusPreview(cell.col, cell.row);
  }
}

void ThumbsPage::Image2MouseUp(int x, int y) {
  ui::Screen().SetCursor(ui::Cursor::Default);
  if (!dragging_) return;
  const int target = std::min({SlideUnder(x, y), scroll_.Max(), SlideCount()});
  dragging_ = false;
  SetAutoScroll(AutoScroll::Off);
  frame_.reset();
  image_.Invalidate();
  if (target != source_ && target >= 1 && window_.moveSlide) window_.moveSlide(source_, target);
}

void ThumbsPage::SetAutoScroll(AutoScroll how) {
  autoScroll_ = how;
  Timer1.SetEnabled(how != AutoScroll::Off);
}

void ThumbsPage::Timer1Timer() {
  if (autoScroll_ == AutoScroll::Off) return;
  const int position = autoScroll_ == AutoScroll::Back
                           ? ScrollBack(scroll_.Position(), geometry_.columns)
                           : ScrollOn(scroll_.Position(), geometry_.columns, scroll_.Max());
  scroll_.SetPosition(position);
  UpdateCatalogView(scroll_.Position());
}

PictureView::PictureView(ui::Image& image) : image_(image) {
  image_.OnPaint = [this](ui::Control&, ui::Canvas& canvas) {
    if (!picture_) return;
    canvas.DrawPicture(
        {(image_.Width() - picture_->width) / 2, (image_.Height() - picture_->height) / 2,
         picture_->width, picture_->height},
        *picture_);
  };
}

bool PictureView::Show(const std::string& file) {
  picture_ = LoadThumbnail(file);
  image_.SetVisible(picture_ != nullptr);
  image_.Invalidate();
  return picture_ != nullptr;
}

}  // namespace w95::editor
