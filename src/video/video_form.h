// The video window: plays one clip through the media device service in a
// modeless, always-on-top window with a media button bar, a seek bar, a
// status line and a popup menu (zoom, fit, status rate, sound, looping,
// options, grab). The host opens it with VideoWinPlayer, polls it with
// VideoWinStatus and asks it to close with VideoWinClose.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/media_bar.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/scroll_bar.h"
#include "ui/timer.h"

namespace w95::video {

using HostWindow = uintptr_t;

// Messages to the host.
enum : unsigned {
  kVideoClosedMessage = 0x0905,  // broadcast when the window has closed
  kGrabFrameMessage = 0x0913,    // to the host window: lParam the client area's device context
};

// The button sets the bar shows.
inline constexpr ui::MediaButtons kButtonsReady =
    ui::ButtonSet(ui::MediaButton::Play, ui::MediaButton::Stop);
inline constexpr ui::MediaButtons kButtonsPlaying =
    ui::ButtonSet(ui::MediaButton::Pause, ui::MediaButton::Stop);
inline constexpr ui::MediaButtons kButtonsPaused =
    ui::ButtonSet(ui::MediaButton::Play, ui::MediaButton::Step, ui::MediaButton::Back);
inline constexpr ui::MediaButtons kButtonsAtEnd =
    ui::ButtonSet(ui::MediaButton::Stop, ui::MediaButton::Prev);
inline constexpr ui::MediaButtons kButtonsEnabled =
    ui::ButtonSet(ui::MediaButton::Play, ui::MediaButton::Pause, ui::MediaButton::Stop,
                  ui::MediaButton::Prev, ui::MediaButton::Step, ui::MediaButton::Back);

class TVideoForm;

// The video window's module state: one window at a time; it outlives the
// window and is reset by each VideoWinPlayer.
struct VideoState {
  HostWindow hostWindow = 0;
  int32_t hostMode = 0;
  uint16_t kind = 0;
  uint16_t videoOpen = 0;
  bool closeRequested = false;
  bool closing = false;
  bool opening = false;  // VideoWinPlayer is making a window
  bool resizing = false;
  bool timerMovingBar = false;
  bool firstStopPending = false;
  std::string fileName;
  int volume = 1000;
  int speed = 1000;
  uint16_t videoWidth = 0;
  uint16_t videoHeight = 0;
  int32_t clipLength = 0;
  int32_t currentFrame = 0;
  uint16_t barMax = 0;
  uint16_t nonClientWidth = 0;
  uint16_t nonClientHeight = 0;
  uint32_t frameRate = 0;      // frames per thousand seconds; 0 where the device does not tell
  bool canReverse = false;     // the device steps backwards itself
  TVideoForm* form = nullptr;  // the window while it exists
};
VideoState& Video();

int32_t VideoWinPlayer(HostWindow host, int32_t hostMode, int32_t kind);
int32_t VideoWinStatus();
void VideoWinClose();

class TVideoForm : public ui::Form {
 public:
  TVideoForm();
  ~TVideoForm() override;

  ui::Panel Status{*this, "Status"};  // bottom-most
  // The strip above the status line: the media bar at the left, as wide as
  // its buttons need, the menu button at the right and the seek bar between,
  // all on the strip's one window (PlaceStrip).
  ui::Panel Panel4{*this, "Panel4"};
  ui::MediaBar MediaPlayer1{Panel4, "MediaPlayer1"};
  ui::Button MenuButton{Panel4, "MenuButton"};
  ui::ScrollBar XScrollbar1{Panel4, "XScrollbar1"};
  // The picture, on the window's black above the bars. It is fitted into an
  // area a pixel larger than the room above them, and made after the strip so
  // that it lies under it: the strip hides its last row.
  ui::Image VideoWin{*this, "VideoWin"};
  ui::Timer Timer1{*this, "Timer1"};
  ui::PopupMenu MenuOptions{*this, "MenuOptions"};

  ui::MenuItem* ZoomWindow1;
  ui::MenuItem* mnuZoom100;
  ui::MenuItem* mnuZoom200;
  ui::MenuItem* mnuZoom300;
  ui::MenuItem* mnuZoom400;
  ui::MenuItem* mnuOptimize;
  ui::MenuItem* DisplayStatus;
  ui::MenuItem* StatusUpdate1;
  ui::MenuItem* mnuUpdate[6];  // 1000, 500, 333, 250, 200, 167 ms
  ui::MenuItem* mnuShowTime;   // the time beside the frame number
  ui::MenuItem* mnuConfigure;
  ui::MenuItem* VideoOptions1;
  ui::MenuItem* mnuQuietPlayback;
  ui::MenuItem* mnuPlaybackLoop;
  ui::MenuItem* mnuPlay;
  ui::MenuItem* mnuPause;
  // The moves the window's keys make (Space, Left, Right, Page Up, Page
  // Down, Home, End).
  ui::MenuItem* mnuGoTo;
  ui::MenuItem* mnuPlayPause;
  ui::MenuItem* mnuFrameBack;
  ui::MenuItem* mnuFrameForward;
  ui::MenuItem* mnuTenthBack;
  ui::MenuItem* mnuTenthForward;
  ui::MenuItem* mnuStart;
  ui::MenuItem* mnuEnd;
  ui::MenuItem* mnuGrab;
  ui::MenuItem* mnuExit;

  // Opens the device on FileName; false (after the error message) when the
  // file will not open.
  bool OpenDevice();
  // The set-up at the first activation; false when it failed (the window is
  // then closed).
  bool SetUp();
  bool SetUpDone() const { return setUpDone_; }

  // ---- Part of the window's behaviour that tests and the exports call.
  void Timer1Timer();
  void FormClose(ui::CloseAction& action);
  void FormActivate();
  void FormResize();
  void FormKeyDown(int& key, unsigned shift);
  void FormClick();
  void PaletteChanged(uintptr_t changedBy);
  void MediaPlayer1Click(ui::MediaButton button, bool& doDefault);
  void MediaPlayer1Notify();
  void MenuButtonClick();
  void ZoomVideo(int factor);
  void mnuOptimizeClick();
  void DisplayStatusClick();
  void UpdateReset();
  void mnuUpdateClick(ui::MenuItem& sender);
  void mnuConfigureClick();
  void mnuQuietPlaybackClick();
  void mnuPlaybackLoopClick();
  void mnuPlayClick();
  void mnuPauseClick();
  void mnuGrabClick();
  void mnuExitClick();
  void VideoOptions1Click();
  void XScrollbar1Change();
  void XScrollbar1Scroll(ui::ScrollCode code, int position);
  void XScrollbar1MouseDown();

  void UpdateVideo();
  // Space: plays a clip that does not play, pauses one that does.
  void PlayOrPause();
  // Left and Right: a frame back or on when not playing, a second while
  // playing.
  void FrameOrSecond(int direction);
  // One frame back (-1) or on (1); the frame on from the last is the first.
  void StepFrame(int delta);
  // Goes to a frame (kept within the clip); a playing clip plays on from it.
  void SeekFrame(int32_t frame);
  // Page Up and Page Down: a tenth of the clip back (-1) or on (1).
  void TenthOn(int direction);
  void ShowTimeClick();
  // Double click on the picture: the picture fills the screen, or comes back.
  void ToggleFullScreen();
  bool FullScreen() const { return fullScreen_; }
  // The room for the picture: the client area above the bars shown.
  int AreaHeight() const;
  // The choices remembered from earlier openings.
  void ApplyRemembered();
  // Draws the current frame into the picture area (a device context of the
  // area, or 0 for one of its own); the device draws by itself only while
  // it plays.
  void ShowFrame(uintptr_t dc = 0);
  void UpdateVideoBkgd();
  void ApplyVolume();
  void ApplySpeed();
  void ShowStepStatus();
  void ReportDeviceError();
  void FitVideo();
  void PauseForResize();
  void ResizeAroundPause(const std::function<void()>& resize);
  void ReseekStill();
  void PlayPreparation();
  void PausePreparation();

 private:
  // Runs a device action; a failure of the bar reports it and closes.
  void Act(const std::function<void()>& action);
  void Busy(bool on);
  void ReadPosition();
  int StatusHeight() const { return Status.Visible() ? Status.Height() : 0; }
  void LayoutBars();
  // The media bar, the seek bar and the menu button in their places on the
  // strip, for its width and the buttons shown.
  void PlaceStrip();
  // The seek bar, the media bar and the picture in their places, with no
  // message let through (the set-up, before the first paint).
  void PlaceBars();
  void BuildMenu();
  // The clip has a picture size (a sound-only clip has none).
  bool HasPicture() const;
  // Seeks to the frame of a seek bar position and shows the paused buttons.
  void SeekToBar(int position);
  // Reads a setting back after it was sent; a device that did not take it
  // is named to the user, once per window and setting. False when not taken.
  bool SettingTook(platform::MediaSetting setting, uint32_t wanted);
  bool setUpDone_ = false;
  bool toldCannot_[3] = {false, false, false};  // by MediaSetting
  // The media bar's buttons, its panel as wide as they need.
  void ShowButtons(ui::MediaButtons set);
  // "<prefix><frame>", with the position and length as times when chosen.
  std::string FrameText(const std::string& prefix, int32_t frame) const;
  void Remember(const char* key, int value);
  bool fullScreen_ = false;
  ui::Rect normalBounds_;
  bool normalStatus_ = true;
  int seekedBar_ = -1;  // the bar position last sought by a scroll
};

}  // namespace w95::video
