// The video window's layout: the bottom bars, fitting the picture into its
// panel, resizing around a paused clip, zoom, "Optimize Window" and the
// status line switch.
#include "video/video_form.h"

#include <algorithm>

#include "settings/keys.h"
#include "video/video_internal.h"
#include "video/video_logic.h"

namespace w95::video {

void TVideoForm::PlaceStrip() {
  constexpr int kMenuWidth = 25;  // the menu button and its margin
  const int strip = Panel4.Width();
  const int bar = MediaPlayer1.Width();
  MediaPlayer1.SetBounds(0, 0, bar, Panel4.Height());
  MenuButton.SetBounds(strip - kMenuWidth + 1, 1, 23, 20);
  XScrollbar1.SetBounds(bar + 2, 3, std::max(0, strip - bar - kMenuWidth - 4), 14);
}

void TVideoForm::PlaceBars() {
  PlaceStrip();
  MediaPlayer1.Arrange();
  FitVideo();
}

// After a resize the seek bar is hidden while the window settles, then shown
// again in its new place.
void TVideoForm::LayoutBars() {
  XScrollbar1.SetVisible(false);
  PlaceBars();
  Pump();
  XScrollbar1.SetVisible(true);
}

// ---- Layout.

void TVideoForm::FitVideo() {
  if (!MediaPlayer1.IsOpen()) return;
  const VideoState& st = Video();
  Busy(true);
  const PictureRect r = FitPicture(ClientWidth(), AreaHeight(), st.videoWidth, st.videoHeight);
  VideoWin.SetBounds(r.left, r.top, r.width, r.height);
  Busy(false);
}

void TVideoForm::FormResize() {
  VideoState& st = Video();
  if (!MediaPlayer1.IsOpen() || st.resizing) return;
  // Held through a failure's report too, so that its message box does not
  // lay out the window again.
  const FlagGuard resizing(st.resizing);
  Act([&] {
    Busy(true);
    PauseForResize();
    for (int i = 0; i < 4; ++i) Pump();
    LayoutBars();
    ReseekStill();
    UpdateVideo();
    Busy(false);
  });
}

void TVideoForm::PauseForResize() {
  if (Video().kind != kKindStillFrame || !MediaPlayer1.IsOpen()) return;
  if (MediaPlayer1.Mode() == platform::kModePlay) MediaPlayer1.PauseDevice();
}

void TVideoForm::ReseekStill() {
  const VideoState& st = Video();
  if (st.kind != kKindStillFrame || !MediaPlayer1.IsOpen()) return;
  Busy(true);
  Media().SeekTo(MediaPlayer1.DeviceID(), FrameForBar(XScrollbar1.Position(), st.clipLength),
                 platform::MediaCall{});
  Busy(false);
  Pump();
  ShowButtons(kButtonsPaused);
}

// Resizing pauses a playing clip and holds the status timer, so that the
// device is not asked for frames while the window changes around it.
void TVideoForm::ResizeAroundPause(const std::function<void()>& resize) {
  VideoState& st = Video();
  Act([&] {
    Busy(true);
    Timer1.SetEnabled(false);
    PauseForResize();
    {
      const FlagGuard resizing(st.resizing);
      resize();
    }
    FormResize();
    Timer1.SetEnabled(true);
    Busy(false);
  });
}

int TVideoForm::AreaHeight() const {
  return std::max(0, ClientHeight() - StatusHeight() - (Panel4.Visible() ? Panel4.Height() : 0));
}

bool TVideoForm::HasPicture() const {
  const VideoState& st = Video();
  return st.videoWidth > 0 && st.videoHeight > 0;
}

void TVideoForm::ZoomVideo(int factor) {
  if (!HasPicture()) return;
  if (fullScreen_) ToggleFullScreen();  // a size for the window, not the screen
  ResizeAroundPause([&] {
    const VideoState& st = Video();
    const WindowSize size = ZoomSize(st.videoWidth, st.videoHeight, factor, st.nonClientWidth,
                                     st.nonClientHeight, StatusHeight(), Panel4.Height());
    const platform::ScreenSize screen = platform::Current().desktop->Screen();
    if (screen.width >= size.width && screen.height >= size.height) {
      SetClientSize(size.width - st.nonClientWidth, size.height - st.nonClientHeight);
      Remember(keys::kVidZoom, factor);
    }
  });
}

// The picture is fitted into an area a pixel larger than its panel, so the
// window shrinks to the part of the picture that shows: a second press then
// finds nothing to change.
void TVideoForm::mnuOptimizeClick() {
  if (fullScreen_) ToggleFullScreen();
  ResizeAroundPause([&] {
    const int bars = StatusHeight() + Panel4.Height();
    if (!HasPicture()) {
      SetClientSize(ClientWidth(), bars);
      return;
    }
    SetClientSize(std::min(VideoWin.Width(), ClientWidth()),
                  std::min(VideoWin.Height(), AreaHeight()) + bars);
  });
}

void TVideoForm::DisplayStatusClick() {
  if (fullScreen_) ToggleFullScreen();
  ResizeAroundPause([&] {
    Status.SetVisible(!Status.Visible());
    DisplayStatus->SetChecked(Status.Visible());
    Remember(keys::kVidStatusBar, Status.Visible() ? 1 : 0);
  });
}

}  // namespace w95::video
