// The explorer's picture pane: right of the file list, the entry the list
// points at, a picture drawn fitted with its pixel size and colour depth
// beneath, any other file by its type and size. The picture is decoded only
// once the selection has rested a moment, away from the user's typing; a
// decoding overtaken by a newer selection is dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/picture_preview.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/timer.h"

namespace w95::explorer {

// The pane's width in a window whose client area is that wide.
int PreviewPaneWidth(int clientWidth);

// Whether a file of this name is decoded for the pane (by its extension).
bool PreviewsAsPicture(const std::string& name);

// The lines beneath a picture: "640 x 480 pixels", "24 bits per pixel"
// (empty when the depth is not known).
std::string PixelSizeText(int width, int height);
std::string DepthText(int bits);

// What the list points at.
struct PreviewSubject {
  std::string path;      // full path of a file; empty for a folder or nothing
  std::string typeText;  // the format table's description, "Folder" ...
  std::string sizeText;  // "12 KB"
};

class PreviewPane {
 public:
  // The pane lies in `parent`, right of the list; its timers belong to
  // `owner` (the window) and stop with it.
  PreviewPane(ui::Control& owner, ui::Control& parent);
  ~PreviewPane();
  PreviewPane(const PreviewPane&) = delete;
  PreviewPane& operator=(const PreviewPane&) = delete;

  ui::Panel Pane;
  ui::Image View;
  // Bottom-aligned, so the one made first lies lowest.
  ui::Label DepthLine;  // colour depth, or the file size
  ui::Label SizeLine;   // pixel size, or the type
  ui::Timer Settle;     // the selection has rested: decode
  ui::Timer Poll;       // looks for the decoding's result

  // Asked for the entry the list points at whenever it may have changed.
  std::function<PreviewSubject()> Current;

  bool Shown() const { return shown_; }
  void SetShown(bool on);
  // Sizes the pane for a window whose client area is that wide.
  void FitTo(int clientWidth);
  // The list's entry may have moved: its type and size show at once, its
  // picture once the selection rests.
  void SelectionMoved();
  // The window closes: nothing more is decoded or taken.
  void Stop();

  // What is on show, for tests and the window's own checks.
  const platform::PicturePtr& Picture() const { return picture_; }
  uint64_t Generation() const { return generation_; }
  bool Decoding() const { return job_ != nullptr; }

 private:
  void StartDecode();
  void TakeResult();
  void Paint(ui::Canvas& canvas);
  void ShowInfo();
  void Drop();

  bool shown_ = false;
  PreviewSubject subject_;
  platform::PicturePtr picture_;
  platform::PictureFacts facts_;
  std::shared_ptr<platform::PreviewJob> job_;
  uint64_t generation_ = 0;     // each move of the selection counts one
  uint64_t jobGeneration_ = 0;  // the move the decoding under way was started for
};

}  // namespace w95::explorer
