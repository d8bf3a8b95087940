// The video window's media bar, status tick and seek bar: what the buttons
// prepare, the position shown in the status line, the end of a clip and
// looping, repainting the picture, and seeking.
#include "video/video_form.h"

#include <utility>

#include "video/video_internal.h"
#include "video/video_logic.h"

namespace w95::video {

// ---- The status tick and the bar.

void TVideoForm::ReadPosition() {
  VideoState& st = Video();
  uint32_t position = 0;
  Media().Status(MediaPlayer1.DeviceID(), platform::MediaItem::Position, position);
  st.currentFrame = static_cast<int32_t>(position);
  seekedBar_ = -1;
  const FlagGuard moving(st.timerMovingBar);
  XScrollbar1.SetPosition(BarPositionFor(st.currentFrame, st.clipLength));
}

void TVideoForm::Timer1Timer() {
  VideoState& st = Video();
  if (st.closing || !MediaPlayer1.IsOpen()) return;
  Act([&] {
    const uint32_t mode = MediaPlayer1.Mode();
    const bool stopped = mode == platform::kModeStop;
    if (stopped) Timer1.SetEnabled(false);
    ReadPosition();
    Status.SetCaption(FrameText(ModeName(mode) + " Frame:", st.currentFrame));
    if (stopped) {
      const bool slideshow = st.hostMode == kHostModeSlideshow;
      if (XScrollbar1.Position() < EndPositionFor(st.clipLength) && !slideshow) {
        ShowButtons(kButtonsPaused);
      } else if (mnuPlaybackLoop->Checked()) {
        if (slideshow) Media().SeekToStart(MediaPlayer1.DeviceID(), platform::MediaCall{});
        PlayPreparation();
        MediaPlayer1.Play();
      } else if (slideshow && st.firstStopPending) {
        st.firstStopPending = false;
      } else {
        ShowButtons(kButtonsAtEnd);
      }
    }
    if (st.closeRequested) Close();
  });
}

void TVideoForm::PlayPreparation() {
  ShowButtons(kButtonsPlaying);
  Timer1.SetEnabled(true);
  MediaPlayer1.SetWait(false);
  MediaPlayer1.SetNotify(true);
  if (Video().hostMode != kHostModeSlideshow) {
    ApplyVolume();
    ApplySpeed();
  }
}

void TVideoForm::PausePreparation() {
  ShowButtons(kButtonsPaused);
  Timer1.SetEnabled(false);
}

void TVideoForm::MediaPlayer1Click(ui::MediaButton button, bool& doDefault) {
  switch (button) {
    case ui::MediaButton::Play:
      PlayPreparation();
      break;
    case ui::MediaButton::Pause:
      PausePreparation();
      break;
    case ui::MediaButton::Stop:
      Busy(true);
      Video().closeRequested = true;
      Timer1.SetEnabled(true);
      break;
    case ui::MediaButton::Prev:
      ShowButtons(kButtonsPaused);
      XScrollbar1.SetPosition(0);
      Status.SetCaption("Ready");
      // The bar's own seek, then the first frame in the picture.
      if (Video().form == this && MediaPlayer1.IsOpen()) {
        doDefault = false;
        MediaPlayer1.Previous();
        ShowFrame();
      }
      break;
    case ui::MediaButton::Step:
      ShowStepStatus();
      // There is no frame after the last one (some devices refuse the step
      // with an error): a step there goes back to the start instead.
      if (Video().form == this && MediaPlayer1.IsOpen() &&
          Video().currentFrame >= Video().clipLength - 1) {
        doDefault = false;
        Act([&] {
          MediaPlayer1.Previous();
          ReadPosition();
        });
        ShowFrame();
      } else if (Video().form == this && MediaPlayer1.IsOpen()) {
        doDefault = false;
        MediaPlayer1.Step();
        ShowFrame();
      }
      break;
    case ui::MediaButton::Back:
      doDefault = false;
      StepFrame(-1);
      break;
    default:
      break;
  }
}

void TVideoForm::MediaPlayer1Notify() {
  MediaPlayer1.SetNotify(true);
  Pump();
}

void TVideoForm::ApplyVolume() {
  if (!MediaPlayer1.IsOpen()) return;
  Timer1.SetEnabled(false);
  Media().SetVolume(MediaPlayer1.DeviceID(), static_cast<uint32_t>(Video().volume));
  Timer1.SetEnabled(true);
}

void TVideoForm::ApplySpeed() {
  if (!MediaPlayer1.IsOpen()) return;
  Timer1.SetEnabled(false);
  Media().SetSpeed(MediaPlayer1.DeviceID(), static_cast<uint32_t>(Video().speed));
  Timer1.SetEnabled(true);
}

void TVideoForm::ShowStepStatus() {
  if (!MediaPlayer1.IsOpen()) return;
  const uint32_t mode = MediaPlayer1.Mode();
  ReadPosition();
  Status.SetCaption(FrameText(ModeName(mode) + "Frame:", Video().currentFrame));
}

void TVideoForm::UpdateVideo() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    Timer1.SetEnabled(false);
    Media().Realize(MediaPlayer1.DeviceID());
    MediaPlayer1.SetWait(true);
    MediaPlayer1.Display(VideoWin.Handle());
    MediaPlayer1.DisplayRect(0, 0, VideoWin.Width(), VideoWin.Height());
    Timer1.SetEnabled(true);
  });
  ShowFrame();
}

void TVideoForm::ShowFrame(uintptr_t dc) {
  if (!MediaPlayer1.IsOpen() || !HasPicture() || Video().closing) return;
  const uintptr_t window = VideoWin.Handle();
  const uintptr_t own = dc ? 0 : Media().ClientDC(window);
  // A frame that cannot be drawn leaves the area as it is: nothing to report.
  Media().Update(MediaPlayer1.DeviceID(), dc ? dc : own, 0, 0, VideoWin.Width(), VideoWin.Height());
  if (own) Media().ReleaseClientDC(window, own);
}

void TVideoForm::UpdateVideoBkgd() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    Timer1.SetEnabled(false);
    // The frame is painted where the picture panel is.
    const uintptr_t window = VideoWin.Handle();
    const uintptr_t dc = Media().ClientDC(window);
    Media().Update(MediaPlayer1.DeviceID(), dc, 0, 0, VideoWin.Width(), VideoWin.Height());
    Media().ReleaseClientDC(window, dc);
    MediaPlayer1.SetWait(true);
    MediaPlayer1.Display(VideoWin.Handle());
    MediaPlayer1.DisplayRect(0, 0, VideoWin.Width(), VideoWin.Height());
    Timer1.SetEnabled(true);
  });
}

void TVideoForm::PaletteChanged(uintptr_t changedBy) {
  const VideoState& st = Video();
  if (st.closing || st.hostMode == kHostModeSlideshow) return;
  if (changedBy != 0 && changedBy == Handle()) return;
  UpdateVideoBkgd();
}

void TVideoForm::FormClick() { UpdateVideo(); }

// ---- Seek bar.

void TVideoForm::XScrollbar1Change() {
  const VideoState& st = Video();
  if (st.timerMovingBar) return;
  Status.SetCaption(FrameText("Seek Frame:", FrameForBar(XScrollbar1.Position(), st.clipLength)));
}

// Dragging the thumb pauses a playing clip; every other scroll, from the
// mouse or the keyboard, seeks where the bar goes. The mouse-down that ends a
// mouse scroll seeks only when the scroll has not already.
void TVideoForm::XScrollbar1Scroll(ui::ScrollCode code, int position) {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    if (MediaPlayer1.Mode() == platform::kModePlay) {
      if (Timer1.Enabled()) Timer1.SetEnabled(false);
      MediaPlayer1.Pause();
      ShowButtons(kButtonsPaused);
    }
  });
  if (Video().form != this || code == ui::ScrollCode::Track) return;
  if (code == ui::ScrollCode::EndScroll && position == seekedBar_) return;
  SeekToBar(position);
  seekedBar_ = position;
}

void TVideoForm::XScrollbar1MouseDown() {
  if (!MediaPlayer1.IsOpen()) return;
  const int sought = std::exchange(seekedBar_, -1);
  if (sought == XScrollbar1.Position()) return;
  SeekToBar(XScrollbar1.Position());
}

void TVideoForm::SeekToBar(int position) {
  Busy(true);
  Media().SeekTo(MediaPlayer1.DeviceID(), FrameForBar(position, Video().clipLength),
                 platform::MediaCall{});
  Busy(false);
  ShowButtons(kButtonsPaused);
  ShowFrame();
}

}  // namespace w95::video
