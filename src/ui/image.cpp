#include "ui/image.h"

#include <algorithm>

namespace w95::ui {

Image::Image(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 105, 105);
}

void Image::Paint(Canvas& canvas) {
  Guard([&] {
    if (OnPaint) OnPaint(*this, canvas);
  });
}

Gauge::Gauge(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 100, 20);
  SetColor(clWindow);
}

void Gauge::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  progress_ = std::clamp(progress_, min_, max_);
  Invalidate();
}

void Gauge::SetProgress(int value) {
  value = std::clamp(value, min_, max_);
  if (value == progress_) return;
  progress_ = value;
  Invalidate();
}

int Gauge::Percent() const {
  if (max_ == min_) return 0;
  return static_cast<int>(static_cast<long long>(progress_ - min_) * 100 / (max_ - min_));
}

void Gauge::Paint(Canvas& canvas) {
  const int filled = Width() * Percent() / 100;
  canvas.SetBrushColor(clNavy);
  canvas.FillRect(Rect{0, 0, filled, Height()});
  canvas.SetBrushColor(GetColor());
  canvas.FillRect(Rect{filled, 0, Width() - filled, Height()});
  const std::string text = std::to_string(Percent()) + "%";
  canvas.SetFont(GetFont());
  canvas.PutText((Width() - canvas.TextWidth(text)) / 2, (Height() - canvas.TextHeight(text)) / 2,
                 text);
}

TabControl::TabControl(Control& parent, std::string name) : Control(parent, std::move(name)) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TabControl::SetTabs(std::vector<std::string> tabs) {
  tabs_ = std::move(tabs);
  tabIndex_ = tabs_.empty() ? -1 : std::clamp(tabIndex_, 0, static_cast<int>(tabs_.size()) - 1);
  Changed(Prop::Items);
}

void TabControl::SetTabIndex(int index) {
  if (index < -1 || index >= static_cast<int>(tabs_.size())) return;
  tabIndex_ = index;
  Changed(Prop::ItemIndex);
}

void TabControl::UserSelected(int index) {
  Guard([&] {
    SetTabIndex(index);
    Fire(OnChange);
  });
}

}  // namespace w95::ui
