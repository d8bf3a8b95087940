// The video window's moves by key (play or pause, frame by frame, by a
// second, by a tenth of the clip, start and end), the step back, the time in
// the status line, full screen, and the choices remembered across openings.
#include <algorithm>
#include <bit>
#include <string>

#include "settings/ini_file.h"
#include "settings/keys.h"
#include "video/video_form.h"
#include "video/video_internal.h"
#include "video/video_logic.h"

namespace w95::video {

namespace {
constexpr int kTwoButtonWidth = 55;  // the media bar for two buttons
constexpr int kButtonWidth = 22;     // and for each when it shows more
}  // namespace

void TVideoForm::ShowButtons(ui::MediaButtons set) {
  MediaPlayer1.SetVisibleButtons(set);
  const int shown = std::popcount(set);
  const int width = shown > 2 ? shown * kButtonWidth : kTwoButtonWidth;
  if (MediaPlayer1.Width() == width) return;
  MediaPlayer1.SetWidth(width);
  PlaceStrip();
  MediaPlayer1.Arrange();
}

std::string TVideoForm::FrameText(const std::string& prefix, int32_t frame) const {
  const VideoState& st = Video();
  std::string text = prefix + std::to_string(frame);
  if (st.frameRate != 0 && mnuShowTime->Checked())
    text += "  " + ClipTime(frame, st.frameRate) + " / " + ClipTime(st.clipLength, st.frameRate);
  return text;
}

void TVideoForm::Remember(const char* key, int value) {
  TIniFile(keys::kSettingsFile).WriteNumber(keys::kSection, key, value);
}

// ---- Moves.

void TVideoForm::PlayOrPause() {
  if (!MediaPlayer1.IsOpen()) return;
  if (MediaPlayer1.Mode() == platform::kModePlay)
    mnuPauseClick();
  else
    mnuPlayClick();
}

void TVideoForm::FrameOrSecond(int direction) {
  if (!MediaPlayer1.IsOpen()) return;
  if (MediaPlayer1.Mode() != platform::kModePlay) {
    StepFrame(direction);
    return;
  }
  ReadPosition();
  const VideoState& st = Video();
  SeekFrame(st.currentFrame + direction * FramesPerSecond(st.frameRate));
}

void TVideoForm::TenthOn(int direction) {
  if (!MediaPlayer1.IsOpen()) return;
  ReadPosition();
  const VideoState& st = Video();
  SeekFrame(st.currentFrame + direction * std::max<int32_t>(1, st.clipLength / 10));
}

void TVideoForm::StepFrame(int delta) {
  if (!MediaPlayer1.IsOpen() || !HasPicture()) return;
  VideoState& st = Video();
  Act([&] {
    Timer1.SetEnabled(false);
    if (MediaPlayer1.Mode() == platform::kModePlay) MediaPlayer1.PauseDevice();
    ReadPosition();
    const int32_t from = st.currentFrame;
    const uint32_t id = MediaPlayer1.DeviceID();
    if (delta > 0) {
      // There is no frame after the last: the step goes back to the start.
      if (from >= st.clipLength - 1)
        MediaPlayer1.Previous();
      else
        MediaPlayer1.Step();
    } else if (from > 0) {
      // The device's own reverse step, or a seek to the frame before.
      if (!st.canReverse || Media().Step(id, -1, platform::MediaCall{}) != 0)
        Media().SeekTo(id, from - 1, platform::MediaCall{});
    }
    ShowButtons(kButtonsPaused);
    ReadPosition();
    Status.SetCaption(FrameText(ModeName(MediaPlayer1.Mode()) + " Frame:", st.currentFrame));
  });
  ShowFrame();
}

void TVideoForm::SeekFrame(int32_t frame) {
  if (!MediaPlayer1.IsOpen()) return;
  VideoState& st = Video();
  const int32_t to = std::clamp<int32_t>(frame, 0, std::max<int32_t>(0, st.clipLength - 1));
  Act([&] {
    const bool playing = MediaPlayer1.Mode() == platform::kModePlay;
    Timer1.SetEnabled(false);
    Busy(true);
    Media().SeekTo(MediaPlayer1.DeviceID(), to, platform::MediaCall{});
    Busy(false);
    if (playing) {
      PlayPreparation();
      MediaPlayer1.Play();
    } else {
      ShowButtons(kButtonsPaused);
    }
    ReadPosition();
    Status.SetCaption(FrameText(ModeName(MediaPlayer1.Mode()) + " Frame:", st.currentFrame));
  });
  ShowFrame();
}

void TVideoForm::ShowTimeClick() {
  mnuShowTime->SetChecked(!mnuShowTime->Checked());
  Remember(keys::kVidTime, mnuShowTime->Checked() ? 1 : 0);
}

// ---- Full screen.

void TVideoForm::ToggleFullScreen() {
  if (!MediaPlayer1.IsOpen() || !HasPicture()) return;
  if (!fullScreen_) {
    normalBounds_ = Bounds();
    normalStatus_ = Status.Visible();
    fullScreen_ = true;
    ResizeAroundPause([&] {
      SetBorderStyle(ui::BorderStyle::None);
      Status.SetVisible(false);
      Panel4.SetVisible(false);
      const platform::ScreenSize screen = platform::Current().desktop->Screen();
      SetBounds(0, 0, screen.width, screen.height);
    });
  } else {
    fullScreen_ = false;
    ResizeAroundPause([&] {
      SetBorderStyle(ui::BorderStyle::Sizeable);
      Panel4.SetVisible(true);
      Status.SetVisible(normalStatus_);
      SetBounds(normalBounds_.left, normalBounds_.top, normalBounds_.width, normalBounds_.height);
    });
  }
}

// ---- Remembered choices.

void TVideoForm::ApplyRemembered() {
  int zoom = 1, statusBar = 1, loop = 0, quiet = 0, time = 1;
  {
    const TIniSection settings(TIniFile(keys::kSettingsFile), keys::kSection);
    zoom = settings.ReadNumber(keys::kVidZoom, 1);
    statusBar = settings.ReadNumber(keys::kVidStatusBar, 1);
    loop = settings.ReadNumber(keys::kVidLoop, 0);
    quiet = settings.ReadNumber(keys::kVidQuiet, 0);
    time = settings.ReadNumber(keys::kVidTime, 1);
  }
  const VideoState& st = Video();
  mnuShowTime->SetChecked(time != 0);
  if (loop != 0 && mnuPlaybackLoop->Visible()) mnuPlaybackLoop->SetChecked(true);
  if (statusBar == 0 && Status.Visible()) DisplayStatusClick();
  if (st.form == this && zoom >= 2 && zoom <= 4) ZoomVideo(zoom);
  if (st.form == this && quiet != 0 && mnuQuietPlayback->Visible() && !mnuQuietPlayback->Checked())
    mnuQuietPlaybackClick();
}

}  // namespace w95::video
