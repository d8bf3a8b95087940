// A drawing area: the window paints it through OnPaint on a canvas whenever it
// must be shown (thumbnail page, print preview, video frame area); mouse
// events as for any control. Invalidate() asks for a repaint.
#pragma once

#include <functional>

#include "ui/canvas.h"
#include "ui/control.h"

namespace w95::ui {

using PaintEvent = std::function<void(Control& sender, Canvas& canvas)>;

class Image : public Control {
 public:
  Image(Control& parent, std::string name);
  PaintEvent OnPaint;
  void Paint(Canvas& canvas);  // the backend's paint (headless: a test's canvas)
};

// A progress bar drawn as a filled share of its width, with the percentage.
class Gauge : public Control {
 public:
  Gauge(Control& parent, std::string name);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }
  void SetRange(int min, int max);
  void SetProgress(int value);  // kept within the range
  int Percent() const;
  void Paint(Canvas& canvas);

 private:
  int min_ = 0;
  int max_ = 100;
  int progress_ = 0;
};

// A row of tabs; choosing one fires OnChange. The window shows the page for
// the tab itself (usually by showing and hiding panels).
class TabControl : public Control {
 public:
  TabControl(Control& parent, std::string name);
  const std::vector<std::string>& Tabs() const { return tabs_; }
  void SetTabs(std::vector<std::string> tabs);
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int index);  // does not fire OnChange
  bool CanFocus() const override { return true; }
  NotifyEvent OnChange;
  void UserSelected(int index);

 private:
  std::vector<std::string> tabs_;
  int tabIndex_ = -1;
};

}  // namespace w95::ui
