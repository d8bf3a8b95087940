#include "video/video_form.h"

#include <functional>
#include <memory>

#include "platform/media.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/screen.h"
#include "video/vid_options.h"
#include "video/video_logic.h"

namespace w95::video {

namespace {

platform::MediaService& Media() { return *platform::Current().media; }

void Pump() { ui::Application().ProcessMessages(); }

ui::Font ArialBold(int size) {
  ui::Font f;
  f.name = "Arial";
  f.size = size;
  f.bold = true;
  return f;
}

// The name after the last ":" or "\" (the name without folders).
std::string NameOnly(const std::string& path) {
  const size_t cut = path.find_last_of(":\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

constexpr unsigned kRates[6] = {1000, 500, 333, 250, 200, 167};
const char* const kRateCaptions[6] = {"1:1 sec.", "2:1 sec.", "3:1 sec.",
                                      "4:1 sec.", "5:1 sec.", "6:1 sec."};

}  // namespace

VideoState& Video() {
  static VideoState state;
  return state;
}

TVideoForm::TVideoForm() : ui::Form("VideoForm") {
  SetCaption("Video");
  SetColor(ui::clBlack);
  SetFont(ArialBold(10));
  SetStayOnTop(true);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetKeyPreview(true);
  SetClientSize(320, 280);

  VideoWinBack.SetAlign(ui::Align::Client);
  VideoWinBack.SetBevelOuter(ui::Bevel::None);
  VideoWinBack.SetColor(ui::clBlack);
  VideoWin.SetBevelOuter(ui::Bevel::None);
  VideoWin.SetColor(ui::clBlack);
  VideoWin.SetBounds(0, 0, 320, 240);

  Status.SetAlign(ui::Align::Bottom);
  Status.SetHeight(17);
  Status.SetBevelOuter(ui::Bevel::Lowered);
  Status.SetFont(ArialBold(8));
  Status.SetAlignment(ui::Alignment::Left);
  Status.SetCaption("Ready");

  Panel4.SetAlign(ui::Align::Bottom);
  Panel4.SetHeight(23);
  Panel4.SetBevelOuter(ui::Bevel::None);
  MediaPanel.SetAlign(ui::Align::Left);
  MediaPanel.SetWidth(55);
  MediaPanel.SetBevelOuter(ui::Bevel::None);
  MenuPanel.SetAlign(ui::Align::Right);
  MenuPanel.SetWidth(25);
  MenuPanel.SetBevelOuter(ui::Bevel::None);
  Panel2.SetAlign(ui::Align::Client);
  Panel2.SetBevelOuter(ui::Bevel::None);

  MediaPlayer1.SetBounds(0, 0, 55, 23);
  MediaPlayer1.SetVisible(false);
  XScrollbar1.SetBounds(2, 3, 100, 14);
  XScrollbar1.SetParams(0, 0, 0);
  MenuButton.SetBounds(1, 1, 23, 20);
  MenuButton.SetCaption("...");
  MenuButton.SetHint("Menu (Ctrl+M)");
  MenuButton.SetTabStop(false);
  MenuButton.SetVisible(false);

  Timer1.SetEnabled(false);
  Timer1.SetInterval(500);

  ZoomWindow1 = &MenuOptions.Add("ZoomWindow1", "Zoom Window");
  mnuZoom100 = &ZoomWindow1->Add("mnuZoom100", "100%  Ctrl+1");
  mnuZoom200 = &ZoomWindow1->Add("mnuZoom200", "200%  Ctrl+2");
  mnuZoom300 = &ZoomWindow1->Add("mnuZoom300", "300%  Ctrl+3");
  mnuZoom400 = &ZoomWindow1->Add("mnuZoom400", "400%  Ctrl+4");
  mnuOptimize = &MenuOptions.Add("mnuOptimize", "&Optimize Window");
  DisplayStatus = &MenuOptions.Add("DisplayStatus", "Video Status Bar");
  DisplayStatus->SetChecked(true);
  MenuOptions.Add("N3", "-");
  StatusUpdate1 = &MenuOptions.Add("StatusUpdate1", "Status &Update");
  for (int i = 0; i < 6; ++i) {
    mnuUpdate[i] = &StatusUpdate1->Add("mnuUpdate" + std::to_string(kRates[i]), kRateCaptions[i]);
    mnuUpdate[i]->SetTag(kRates[i]);
    mnuUpdate[i]->OnClick = [this](ui::MenuItem& s) { mnuUpdateClick(s); };
  }
  mnuUpdate[1]->SetChecked(true);
  mnuConfigure = &MenuOptions.Add("mnuConfigure", "Configure Video");
  MenuOptions.Add("N2", "-");
  VideoOptions1 = &MenuOptions.Add("VideoOptions1", "Playbac&k Options");
  mnuQuietPlayback = &MenuOptions.Add("mnuQuietPlayback", "&Quiet Playback");
  mnuPlaybackLoop = &MenuOptions.Add("mnuPlaybackLoop", "&Loop Playback");
  MenuOptions.Add("N1", "-");
  mnuPlay = &MenuOptions.Add("mnuPlay", "&Play");
  mnuPause = &MenuOptions.Add("mnuPause", "Pau&se");
  mnuGrab = &MenuOptions.Add("mnuGrab", "&Grab Frame");
  mnuExit = &MenuOptions.Add("mnuExit", "Close and E&xit ");

  mnuZoom100->OnClick = [this](ui::MenuItem&) { ZoomVideo(1); };
  mnuZoom200->OnClick = [this](ui::MenuItem&) { ZoomVideo(2); };
  mnuZoom300->OnClick = [this](ui::MenuItem&) { ZoomVideo(3); };
  mnuZoom400->OnClick = [this](ui::MenuItem&) { ZoomVideo(4); };
  mnuOptimize->OnClick = [this](ui::MenuItem&) { mnuOptimizeClick(); };
  DisplayStatus->OnClick = [this](ui::MenuItem&) { DisplayStatusClick(); };
  mnuConfigure->OnClick = [this](ui::MenuItem&) { mnuConfigureClick(); };
  VideoOptions1->OnClick = [this](ui::MenuItem&) { VideoOptions1Click(); };
  mnuQuietPlayback->OnClick = [this](ui::MenuItem&) { mnuQuietPlaybackClick(); };
  mnuPlaybackLoop->OnClick = [this](ui::MenuItem&) { mnuPlaybackLoopClick(); };
  mnuPlay->OnClick = [this](ui::MenuItem&) { mnuPlayClick(); };
  mnuPause->OnClick = [this](ui::MenuItem&) { mnuPauseClick(); };
  mnuGrab->OnClick = [this](ui::MenuItem&) { mnuGrabClick(); };
  mnuExit->OnClick = [this](ui::MenuItem&) { mnuExitClick(); };

  OnActivate = [this](ui::Control&) { FormActivate(); };
  OnClose = [this](ui::Control&, ui::CloseAction& a) { FormClose(a); };
  OnResize = [this](ui::Control&) { FormResize(); };
  OnKeyDown = [this](ui::Control&, int& key, unsigned shift) { FormKeyDown(key, shift); };
  OnClick = [this](ui::Control&) { FormClick(); };
  auto rightClick = [this](ui::Control&, ui::MouseButton b, unsigned, int, int) {
    if (b == ui::MouseButton::Right) MenuButtonClick();
  };
  for (ui::Control* c : {static_cast<ui::Control*>(this), static_cast<ui::Control*>(&VideoWinBack),
                         static_cast<ui::Control*>(&VideoWin), static_cast<ui::Control*>(&Status)})
    c->OnMouseDown = rightClick;
  VideoWinBack.OnClick = [this](ui::Control&) { FormClick(); };
  VideoWin.OnClick = [this](ui::Control&) { FormClick(); };
  MenuButton.OnClick = [this](ui::Control&) { MenuButtonClick(); };
  MediaPlayer1.OnButtonClick = [this](ui::Control&, ui::MediaButton b, bool& d) {
    MediaPlayer1Click(b, d);
  };
  MediaPlayer1.OnNotify = [this](ui::Control&) { MediaPlayer1Notify(); };
  Timer1.OnTimer = [this](ui::Control&) { Timer1Timer(); };
  XScrollbar1.OnChange = [this](ui::Control&) { XScrollbar1Change(); };
  XScrollbar1.OnScroll = [this](ui::Control&, ui::ScrollCode, int&) { XScrollbar1Scroll(); };
  XScrollbar1.OnMouseDown = [this](ui::Control&, ui::MouseButton, unsigned, int, int) {
    XScrollbar1MouseDown();
  };
  Realign();
}

TVideoForm::~TVideoForm() {
  VideoState& st = Video();
  if (st.form == this) st.form = nullptr;
}

void TVideoForm::Busy(bool on) {
  ui::Screen().SetCursor(on ? ui::Cursor::HourGlass : ui::Cursor::Default);
}

namespace {
int actDepth = 0;  // nested device actions: only the outermost reports
}

void TVideoForm::Act(const std::function<void()>& action) {
  struct Depth {
    Depth() { ++actDepth; }
    ~Depth() { --actDepth; }
  };
  bool failed = false;
  {
    Depth depth;
    try {
      action();
    } catch (const ui::MediaError&) {
      if (actDepth > 1) throw;
      failed = true;
    }
  }
  if (failed) ReportDeviceError();
}

// ---- Opening, set-up, closing.

bool TVideoForm::OpenDevice() {
  VideoState& st = Video();
  Busy(true);
  MediaPlayer1.FileName = st.fileName;
  Pump();
  try {
    MediaPlayer1.Open();
  } catch (const ui::MediaError& e) {
    Busy(false);
    ui::MessageDlg(OpenErrorText(e.Code(), MediaPlayer1.ErrorMessage()), ui::MsgKind::Error,
                   ui::Buttons::OK);
    return false;
  }
  Pump();
  Busy(false);
  return true;
}

void TVideoForm::FormActivate() {
  const VideoState& st = Video();
  if (st.videoOpen != 0 || st.closing || setUpDone_) return;
  SetUp();
}

bool TVideoForm::SetUp() {
  VideoState& st = Video();
  setUpDone_ = true;
  bool ok = false;
  Pump();
  MediaPlayer1.SetEnabledButtons(kButtonsEnabled);
  MediaPlayer1.SetVisibleButtons(kButtonsReady);
  Act([&] {
    Busy(true);
    st.resizing = true;
    MediaPlayer1.Display(VideoWin.Handle());
    MediaPlayer1.FramesAsUnit();
    MediaPlayer1.SetFrames(1);
    int w = 0, h = 0;
    uint32_t length = 0;
    Media().WhereSource(MediaPlayer1.DeviceID(), w, h);
    Media().Status(MediaPlayer1.DeviceID(), platform::MediaItem::Length, length);
    st.videoWidth = static_cast<uint16_t>(w);
    st.videoHeight = static_cast<uint16_t>(h);
    st.clipLength = static_cast<int32_t>(length);
    Pump();
    st.barMax = BarMaxFor(st.clipLength);
    XScrollbar1.SetParams(0, 0, st.barMax);
    SetClientSize(st.videoWidth, st.videoHeight + Status.Height() + Panel4.Height());
    Realign();
    MediaPlayer1.Stop();
    VideoOptions1->SetVisible(st.hostMode != 2);
    mnuQuietPlayback->SetVisible(st.hostMode != 2);
    LayoutBars();
    ReseekStill();
    UpdateVideo();
    st.resizing = false;
    MediaPlayer1.SetVisible(true);
    MenuButton.SetVisible(true);
    Busy(false);
    ok = true;
  });
  return ok;
}

void TVideoForm::LayoutBars() {
  XScrollbar1.SetVisible(false);
  XScrollbar1.SetBounds(2, 3, Panel2.Width() - 4, 14);
  MediaPlayer1.SetBounds(0, 0, MediaPanel.Width(), MediaPanel.Height());
  MediaPlayer1.Arrange();
  FitVideo();
  Pump();
  XScrollbar1.SetVisible(true);
}

void TVideoForm::FormClose(ui::CloseAction& action) {
  VideoState& st = Video();
  Busy(true);
  st.closing = true;
  Timer1.SetEnabled(false);
  // The device is closed whatever its stop answers.
  try {
    if (MediaPlayer1.IsOpen() && MediaPlayer1.Mode() != platform::kModeStop) {
      MediaPlayer1.SetWait(true);
      MediaPlayer1.Stop();
    }
  } catch (const ui::MediaError&) {
  }
  try {
    MediaPlayer1.SetWait(true);
    MediaPlayer1.Close();
  } catch (const ui::MediaError&) {
  }
  st.closing = false;
  st.closeRequested = false;
  st.hostMode = 0;
  st.videoOpen = 0;
  if (st.form == this) st.form = nullptr;
  if (platform::Current().media) Media().OnPaletteChanged(nullptr);
  action = ui::CloseAction::Free;
  Hide();
  Busy(false);
  platform::Current().host->Broadcast(kVideoClosedMessage, 0, 0);
}

void TVideoForm::ReportDeviceError() {
  Busy(false);
  Media().SendToBack(Handle());
  ui::MessageDlg(MediaPlayer1.ErrorMessage(), ui::MsgKind::Error, ui::Buttons::OK);
  Close();
}

// ---- The status tick and the bar.

void TVideoForm::ReadPosition() {
  VideoState& st = Video();
  uint32_t position = 0;
  Media().Status(MediaPlayer1.DeviceID(), platform::MediaItem::Position, position);
  st.currentFrame = static_cast<int32_t>(position);
  st.timerMovingBar = true;
  XScrollbar1.SetPosition(BarPositionFor(st.currentFrame, st.clipLength));
  st.timerMovingBar = false;
}

void TVideoForm::Timer1Timer() {
  VideoState& st = Video();
  if (st.closing || !MediaPlayer1.IsOpen()) return;
  Act([&] {
    const uint32_t mode = MediaPlayer1.Mode();
    const bool stopped = mode == platform::kModeStop;
    if (stopped) Timer1.SetEnabled(false);
    ReadPosition();
    Status.SetCaption(ModeName(mode) + " Frame:" + std::to_string(st.currentFrame));
    if (stopped) {
      if (XScrollbar1.Position() < EndPositionFor(st.clipLength) && st.hostMode != 2) {
        MediaPlayer1.SetVisibleButtons(kButtonsPaused);
      } else if (mnuPlaybackLoop->Checked()) {
        if (st.hostMode == 2) Media().SeekToStart(MediaPlayer1.DeviceID(), platform::MediaCall{});
        PlayPreparation();
        MediaPlayer1.Play();
      } else if (st.hostMode == 2 && st.firstStopPending) {
        st.firstStopPending = false;
      } else {
        MediaPlayer1.SetVisibleButtons(kButtonsAtEnd);
      }
    }
    if (st.closeRequested) Close();
  });
}

void TVideoForm::PlayPreparation() {
  MediaPlayer1.SetVisibleButtons(kButtonsPlaying);
  Timer1.SetEnabled(true);
  MediaPlayer1.SetWait(false);
  MediaPlayer1.SetNotify(true);
  if (Video().hostMode != 2) {
    ApplyVolume();
    ApplySpeed();
  }
}

void TVideoForm::PausePreparation() {
  MediaPlayer1.SetVisibleButtons(kButtonsPaused);
  Timer1.SetEnabled(false);
}

void TVideoForm::MediaPlayer1Click(ui::MediaButton button, bool& /*doDefault*/) {
  switch (button) {
    case ui::MediaButton::Play: PlayPreparation(); break;
    case ui::MediaButton::Pause: PausePreparation(); break;
    case ui::MediaButton::Stop:
      Busy(true);
      Video().closeRequested = true;
      Timer1.SetEnabled(true);
      break;
    case ui::MediaButton::Prev:
      MediaPlayer1.SetVisibleButtons(kButtonsPaused);
      XScrollbar1.SetPosition(0);
      Status.SetCaption("Ready");
      break;
    case ui::MediaButton::Step: ShowStepStatus(); break;
    default: break;
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
  Status.SetCaption(ModeName(mode) + "Frame:" + std::to_string(Video().currentFrame));
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
  if (st.closing || st.hostMode == 2) return;
  if (changedBy != 0 && changedBy == Handle()) return;
  UpdateVideoBkgd();
}

void TVideoForm::FormClick() { UpdateVideo(); }

// ---- Layout.

void TVideoForm::FitVideo() {
  if (!MediaPlayer1.IsOpen()) return;
  const VideoState& st = Video();
  Busy(true);
  const PictureRect r =
      FitPicture(VideoWinBack.Width(), VideoWinBack.Height(), st.videoWidth, st.videoHeight);
  VideoWin.SetBounds(r.left, r.top, r.width, r.height);
  Busy(false);
}

void TVideoForm::FormResize() {
  VideoState& st = Video();
  if (!MediaPlayer1.IsOpen() || st.resizing) return;
  Act([&] {
    Busy(true);
    st.resizing = true;
    PauseForResize();
    for (int i = 0; i < 4; ++i) Pump();
    LayoutBars();
    ReseekStill();
    UpdateVideo();
    st.resizing = false;
    Busy(false);
  });
  st.resizing = false;
}

void TVideoForm::PauseForResize() {
  if (Video().kind != 8 || !MediaPlayer1.IsOpen()) return;
  if (MediaPlayer1.Mode() == platform::kModePlay) MediaPlayer1.PauseDevice();
}

void TVideoForm::ReseekStill() {
  const VideoState& st = Video();
  if (st.kind != 8 || !MediaPlayer1.IsOpen()) return;
  Busy(true);
  Media().SeekTo(MediaPlayer1.DeviceID(), FrameForBar(XScrollbar1.Position(), st.clipLength),
                 platform::MediaCall{});
  Busy(false);
  Pump();
  MediaPlayer1.SetVisibleButtons(kButtonsPaused);
}

// Resizing pauses a playing clip and holds the status timer, so that the
// device is not asked for frames while the window changes around it.
void TVideoForm::ResizeAroundPause(const std::function<void()>& resize) {
  VideoState& st = Video();
  Act([&] {
    Busy(true);
    Timer1.SetEnabled(false);
    PauseForResize();
    st.resizing = true;
    resize();
    st.resizing = false;
    FormResize();
    Timer1.SetEnabled(true);
    Busy(false);
  });
  st.resizing = false;
}

void TVideoForm::ZoomVideo(int factor) {
  ResizeAroundPause([&] {
    const VideoState& st = Video();
    const WindowSize size = ZoomSize(st.videoWidth, st.videoHeight, factor, st.nonClientWidth,
                                     st.nonClientHeight, StatusHeight(), Panel4.Height());
    const platform::ScreenSize screen = platform::Current().desktop->Screen();
    if (screen.width >= size.width && screen.height >= size.height)
      SetClientSize(size.width - st.nonClientWidth, size.height - st.nonClientHeight);
  });
}

void TVideoForm::mnuOptimizeClick() {
  ResizeAroundPause([&] {
    SetClientSize(VideoWin.Width(), VideoWin.Height() + StatusHeight() + Panel4.Height());
  });
}

void TVideoForm::DisplayStatusClick() {
  ResizeAroundPause([&] {
    Status.SetVisible(!Status.Visible());
    DisplayStatus->SetChecked(Status.Visible());
  });
}

// ---- Menu and keys.

void TVideoForm::MenuButtonClick() {
  const VideoState& st = Video();
  int left = Left(), top = Top();
  int width = Width() + st.nonClientWidth, height = Height() + st.nonClientHeight;
  Media().ScreenRect(Handle(), left, top, width, height);
  MenuOptions.Popup(left + width / 2, top + height / 4);
}

void TVideoForm::UpdateReset() {
  Timer1.SetEnabled(false);
  for (ui::MenuItem* item : mnuUpdate) item->SetChecked(false);
}

void TVideoForm::mnuUpdateClick(ui::MenuItem& sender) {
  UpdateReset();
  sender.SetChecked(true);
  Timer1.SetInterval(static_cast<unsigned>(sender.Tag()));
  Timer1.SetEnabled(true);
}

void TVideoForm::mnuConfigureClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    Timer1.SetEnabled(false);
    MediaPlayer1.SetWait(true);
    MediaPlayer1.PauseDevice();
    MediaPlayer1.SetVisibleButtons(kButtonsPaused);
    Busy(true);
    Media().Configure(MediaPlayer1.DeviceID());
    Timer1.SetEnabled(true);
    Pump();
    if (Video().hostMode == 1) FormResize();
    Busy(false);
  });
}

void TVideoForm::mnuQuietPlaybackClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Busy(true);
  const bool quiet = !mnuQuietPlayback->Checked();
  Media().SetAudio(MediaPlayer1.DeviceID(), !quiet);
  mnuQuietPlayback->SetChecked(quiet);
  Busy(false);
  Pump();
}

void TVideoForm::mnuPlaybackLoopClick() {
  mnuPlaybackLoop->SetChecked(!mnuPlaybackLoop->Checked());
}

void TVideoForm::mnuPlayClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    const uint32_t mode = MediaPlayer1.Mode();
    if (mode != platform::kModeStop && mode != platform::kModePause) return;
    PlayPreparation();
    MediaPlayer1.Play();
  });
}

void TVideoForm::mnuPauseClick() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    if (MediaPlayer1.Mode() != platform::kModePlay) return;
    PausePreparation();
    MediaPlayer1.Pause();
  });
}

void TVideoForm::mnuGrabClick() {
  const VideoState& st = Video();
  mnuPauseClick();
  if (st.form != this) return;  // the pause failed and closed the window
  TIniFile ini(keys::kSettingsFile);
  ini.WriteNumber(keys::kSection, keys::kPrLeft, VideoWinBack.Left() + VideoWin.Left());
  ini.WriteNumber(keys::kSection, keys::kPrTop, VideoWinBack.Top() + VideoWin.Top());
  ini.WriteNumber(keys::kSection, keys::kPrWidth, VideoWin.Width());
  ini.WriteNumber(keys::kSection, keys::kPrHeight, VideoWin.Height());
  const uintptr_t dc = Media().ClientDC(Handle());
  platform::Current().host->Send(st.hostWindow, kGrabFrameMessage, 0,
                                 static_cast<intptr_t>(dc));
  Media().ReleaseClientDC(Handle(), dc);
}

void TVideoForm::mnuExitClick() {
  Video().closeRequested = true;
  Close();
}

void TVideoForm::FormKeyDown(int& key, unsigned shift) {
  const unsigned mods = shift & (ui::ssShift | ui::ssCtrl | ui::ssAlt);
  VideoState& st = Video();
  if (key == ui::vkEscape) {
    key = 0;
    if (st.closeRequested) Close();
    else st.closeRequested = true;
    return;
  }
  if (mods == ui::ssShift && key == ui::vkInsert) {
    key = 0;
    mnuPlayClick();
  } else if (mods == ui::ssShift && key == ui::vkDelete) {
    key = 0;
    mnuPauseClick();
  } else if (mods == ui::ssCtrl && key >= '1' && key <= '4') {
    const int factor = key - '0';
    key = 0;
    ZoomVideo(factor);
  } else if (mods == ui::ssCtrl && key == 'M') {
    key = 0;
    MenuButtonClick();
  } else if (mods == ui::ssCtrl && key == 'O') {
    key = 0;
    mnuOptimizeClick();
  } else if (mods == ui::ssCtrl && key == 'Q') {
    key = 0;
    mnuQuietPlaybackClick();
  }
}

// ---- Seek bar.

void TVideoForm::XScrollbar1Change() {
  const VideoState& st = Video();
  if (st.timerMovingBar) return;
  Status.SetCaption("Seek Frame:" +
                    std::to_string(FrameForBar(XScrollbar1.Position(), st.clipLength)));
}

void TVideoForm::XScrollbar1Scroll() {
  if (!MediaPlayer1.IsOpen()) return;
  Act([&] {
    if (MediaPlayer1.Mode() != platform::kModePlay) return;
    if (Timer1.Enabled()) Timer1.SetEnabled(false);
    MediaPlayer1.Pause();
    MediaPlayer1.SetVisibleButtons(kButtonsPaused);
  });
}

void TVideoForm::XScrollbar1MouseDown() {
  if (!MediaPlayer1.IsOpen()) return;
  Busy(true);
  Media().SeekTo(MediaPlayer1.DeviceID(),
                 FrameForBar(XScrollbar1.Position(), Video().clipLength), platform::MediaCall{});
  Busy(false);
  MediaPlayer1.SetVisibleButtons(kButtonsPaused);
}

// ---- Options.

void TVideoForm::VideoOptions1Click() {
  if (!MediaPlayer1.IsOpen()) return;
  VideoState& st = Video();
  Act([&] {
    Timer1.SetEnabled(false);
    if (MediaPlayer1.Mode() == platform::kModePlay) {
      MediaPlayer1.Pause();
      MediaPlayer1.SetVisibleButtons(kButtonsPaused);
    }
    TVidOptions dialog(st.hostMode);
    dialog.VolumeScroll.SetPosition(st.volume);
    dialog.SpeedScroll.SetPosition(st.speed);
    if (dialog.ShowModal() == ui::mrOk) {
      st.volume = dialog.VolumeScroll.Position();
      st.speed = dialog.SpeedScroll.Position() == 0 ? 1000 : dialog.SpeedScroll.Position();
    }
  });
}

// ---- The exports.

int32_t VideoWinPlayer(HostWindow host, int32_t hostMode, int32_t kind) {
  VideoState& st = Video();
  // Opening lets messages through, so the host may call again from its own
  // window (a second double click): that call is refused, and the window
  // being made is not closed under its own set-up.
  if (st.opening) return 0;
  struct Opening {
    bool& flag;
    explicit Opening(bool& f) : flag(f) { flag = true; }
    ~Opening() { flag = false; }
    Opening(const Opening&) = delete;
    Opening& operator=(const Opening&) = delete;
  } opening(st.opening);
  if (st.form) {
    // One window at a time: a host that calls again before the close gets
    // the old window closed first.
    st.closeRequested = true;
    st.form->Close();
  }
  st.hostWindow = host;
  st.hostMode = hostMode;
  st.kind = static_cast<uint16_t>(kind & 0xFFFF);
  ui::Screen().SetCursor(ui::Cursor::HourGlass);
  st.volume = 1000;
  st.speed = 1000;
  const platform::FrameMetrics fm = platform::Current().media->Frame();
  st.nonClientHeight = static_cast<uint16_t>(fm.cyCaption + 2 * fm.cyFrame - fm.cyBorder);
  st.nonClientWidth = static_cast<uint16_t>(2 * fm.cxFrame);
  int32_t safePlay = 0;
  {
    const TIniFile ini(keys::kSettingsFile);
    st.fileName = ini.ReadText(keys::kSection, keys::kSaveName, keys::kAbsent);
    safePlay = ini.ReadNumber(keys::kSection, keys::kSafePlay, 0);
  }
  st.closeRequested = false;
  st.videoOpen = 0;
  auto owned = std::make_unique<TVideoForm>();
  TVideoForm& form = *owned;
  st.form = &form;
  if ((safePlay & 0xFFFF) != 0) form.mnuGrab->SetVisible(false);
  st.firstStopPending = true;
  if (!form.OpenDevice()) {
    st.form = nullptr;
    ui::Screen().SetCursor(ui::Cursor::Default);
    return 0;
  }
  std::string shown = st.fileName;
  const auto found = platform::Current().files->Find(st.fileName);
  if (!found.empty()) shown = found.front().name;
  form.SetCaption(NameOnly(shown));
  platform::Current().media->OnPaletteChanged([](uintptr_t by) {
    if (TVideoForm* f = Video().form) f->PaletteChanged(by);
  });

  form.ReleaseOnClose(std::move(owned));
  form.Show();
  Pump();
  if (!form.SetUpDone()) form.SetUp();
  if (st.form != &form) {
    // The set-up failed: the user has seen why and the window is gone.
    ui::Screen().SetCursor(ui::Cursor::Default);
    return 0;
  }
  st.videoOpen = 1;
  ui::Screen().SetCursor(ui::Cursor::Default);
  if (st.hostMode == 1) {
    st.volume = 500;
    form.mnuPlaybackLoop->SetVisible(false);
  }
  return 1;
}

int32_t VideoWinStatus() {
  const VideoState& st = Video();
  return (static_cast<int32_t>(st.videoOpen) * 256) | st.hostMode;
}

void VideoWinClose() {
  VideoState& st = Video();
  st.hostMode = 0;
  // With no window there is nothing to close; a request kept now would close
  // the next window at its first tick.
  if (!st.form) return;
  // A window still being opened cannot be closed under its own set-up: the
  // request is kept and its first tick closes it.
  if (st.videoOpen == 0) {
    st.closeRequested = true;
    return;
  }
  if (st.closeRequested) st.form->Close();
  else st.closeRequested = true;
}

}  // namespace w95::video
