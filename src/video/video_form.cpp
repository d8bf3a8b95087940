// The video window: construction, opening the device, the set-up at the
// first activation, closing, and the three exports.
#include "video/video_form.h"

#include <functional>
#include <memory>

#include "platform/code_page_text.h"
#include "settings/ini_file.h"
#include "settings/keys.h"
#include "ui/dialogs.h"
#include "ui/screen.h"
#include "video/video_internal.h"
#include "video/video_logic.h"

namespace w95::video {

namespace {

// Arial bold of a height in pixels (points for the headless measures).
ui::Font ArialBold(int pixels, int points) {
  ui::Font f;
  f.name = "Arial";
  f.size = points;
  f.pixelHeight = pixels;
  f.bold = true;
  return f;
}

// The name after the last ":" or "\" (the name without folders).
std::string NameOnly(const std::string& path) {
  const size_t cut = path.find_last_of(":\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

int actDepth = 0;  // nested device actions: only the outermost reports

}  // namespace

VideoState& Video() {
  static VideoState state;
  return state;
}

TVideoForm::TVideoForm() : ui::Form("VideoForm") {
  SetCaption("Video");
  SetColor(ui::clBlack);
  SetFont(ArialBold(14, 10));
  SetStayOnTop(true);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetKeyPreview(true);
  SetClientSize(320, 280);

  VideoWin.SetColor(ui::clBlack);
  VideoWin.SetBounds(0, 0, 320, 240);

  Status.SetAlign(ui::Align::Bottom);
  Status.SetHeight(17);
  Status.SetBevelOuter(ui::Bevel::Lowered);
  Status.SetFont(ArialBold(11, 8));
  Status.SetAlignment(ui::Alignment::Left);
  Status.SetCaption("Ready");

  Panel4.SetAlign(ui::Align::Bottom);
  Panel4.SetHeight(23);
  Panel4.SetBevelOuter(ui::Bevel::None);

  MediaPlayer1.SetBounds(0, 0, 55, 23);
  MediaPlayer1.SetVisible(false);
  // The buttons of a clip that is ready, set before the window is made: the
  // bar's other buttons get windows only when first shown.
  MediaPlayer1.SetEnabledButtons(kButtonsEnabled);
  ShowButtons(kButtonsReady);
  XScrollbar1.SetParams(0, 0, 0);
  // Shown with the media bar once the set-up has given it its range and
  // place: a bar on screen repaints at once at each of those changes.
  XScrollbar1.SetVisible(false);
  MenuButton.SetGlyph(ui::GlyphKind::Menu);
  MenuButton.SetHint("Menu (Ctrl+M)");
  MenuButton.SetTabStop(false);
  MenuButton.SetVisible(false);

  Timer1.SetEnabled(false);
  Timer1.SetInterval(500);

  BuildMenu();

  OnActivate = [this](ui::Control&) { FormActivate(); };
  OnClose = [this](ui::Control&, ui::CloseAction& a) { FormClose(a); };
  OnResize = [this](ui::Control&) { FormResize(); };
  OnKeyDown = [this](ui::Control&, int& key, unsigned shift) { FormKeyDown(key, shift); };
  OnClick = [this](ui::Control&) { FormClick(); };
  auto rightClick = [this](ui::Control&, ui::MouseButton b, unsigned, int, int) {
    if (b == ui::MouseButton::Right) MenuButtonClick();
  };
  for (ui::Control* c : {static_cast<ui::Control*>(this), static_cast<ui::Control*>(&VideoWin),
                         static_cast<ui::Control*>(&Status)})
    c->OnMouseDown = rightClick;
  // The black around the picture is the window's own.
  VideoWin.OnClick = [this](ui::Control&) { FormClick(); };
  VideoWin.OnDblClick = [this](ui::Control&) { ToggleFullScreen(); };
  OnDblClick = [this](ui::Control&) { ToggleFullScreen(); };
  MediaPlayer1.ButtonOf(ui::MediaButton::Back).SetHint("Step back (Left)");
  VideoWin.OnPaint = [this](ui::Control&, ui::Canvas& canvas) {
    ShowFrame(canvas.DeviceContext());
  };
  MenuButton.OnClick = [this](ui::Control&) { MenuButtonClick(); };
  MediaPlayer1.OnButtonClick = [this](ui::Control&, ui::MediaButton b, bool& d) {
    MediaPlayer1Click(b, d);
  };
  MediaPlayer1.OnNotify = [this](ui::Control&) { MediaPlayer1Notify(); };
  Timer1.OnTimer = [this](ui::Control&) { Timer1Timer(); };
  XScrollbar1.OnChange = [this](ui::Control&) { XScrollbar1Change(); };
  XScrollbar1.OnScroll = [this](ui::Control&, ui::ScrollCode code, int& position) {
    XScrollbar1Scroll(code, position);
  };
  XScrollbar1.OnMouseDown = [this](ui::Control&, ui::MouseButton, unsigned, int, int) {
    XScrollbar1MouseDown();
  };
  Realign();
  PlaceStrip();
}

TVideoForm::~TVideoForm() {
  VideoState& st = Video();
  if (st.form == this) st.form = nullptr;
}

void TVideoForm::Busy(bool on) {
  ui::Screen().SetCursor(on ? ui::Cursor::HourGlass : ui::Cursor::Default);
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
    // What the time display and the step back need; a device that does not
    // tell leaves the frame numbers alone and steps back by seeking.
    uint32_t rate = 0;
    st.frameRate = Media().FrameRate(MediaPlayer1.DeviceID(), rate) == 0 ? rate : 0;
    bool reverse = false;
    st.canReverse = Media().CanReverse(MediaPlayer1.DeviceID(), reverse) == 0 && reverse;
    st.barMax = BarMaxFor(st.clipLength);
    XScrollbar1.SetParams(0, 0, st.barMax);
    if (HasPicture()) {
      SetClientSize(st.videoWidth, st.videoHeight + Status.Height() + Panel4.Height());
    } else {
      // Sound only: the bars, and no picture area.
      VideoWin.SetVisible(false);
      SetClientSize(kNoPictureWidth, Status.Height() + Panel4.Height());
    }
    Realign();
    // A clip just opened is at rest: a stop would only wait on the device.
    if (MediaPlayer1.Mode() != platform::kModeStop) MediaPlayer1.Stop();
    VideoOptions1->SetVisible(st.hostMode != kHostModeSlideshow);
    mnuQuietPlayback->SetVisible(st.hostMode != kHostModeSlideshow);
    PlaceBars();
    ReseekStill();
    UpdateVideo();
    st.resizing = false;
    MediaPlayer1.SetVisible(true);
    XScrollbar1.SetVisible(true);
    MenuButton.SetVisible(true);
    Busy(false);
    ok = true;
  });
  return ok;
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
  } catch (const ui::MediaError&) {}
  try {
    MediaPlayer1.SetWait(true);
    MediaPlayer1.Close();
  } catch (const ui::MediaError&) {}
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
  ui::MessageDlg(DeviceErrorText(MediaPlayer1.Error(), MediaPlayer1.ErrorMessage()),
                 ui::MsgKind::Error, ui::Buttons::OK);
  Close();
}

// ---- The exports.

int32_t VideoWinPlayer(HostWindow host, int32_t hostMode, int32_t kind) {
  VideoState& st = Video();
  // Opening lets messages through, so the host may call again from its own
  // window (a second double click): that call is refused, and the window
  // being made is not closed under its own set-up.
  if (st.opening) return 0;
  const FlagGuard opening(st.opening);
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
  st.frameRate = 0;
  st.canReverse = false;
  const platform::FrameMetrics fm = platform::Current().media->Frame();
  st.nonClientHeight = static_cast<uint16_t>(fm.cyCaption + 2 * fm.cyFrame - fm.cyBorder);
  st.nonClientWidth = static_cast<uint16_t>(2 * fm.cxFrame);
  int32_t safePlay = 0;
  {
    const TIniSection settings(TIniFile(keys::kSettingsFile), keys::kSection);
    st.fileName = settings.ReadText(keys::kSaveName, keys::kAbsent);
    safePlay = settings.ReadNumber(keys::kSafePlay, 0);
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
  // The name as the file system has it, where the code page cannot hold it.
  if (!found.empty())
    shown = found.front().longName.empty() || found.front().nameless
                ? found.front().name
                : platform::ShownFromUtf8(found.front().longName);
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
  if (st.hostMode == kHostModeHalfVolume) {
    st.volume = 500;
    form.mnuPlaybackLoop->SetVisible(false);
  }
  form.ApplyRemembered();
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
  if (st.closeRequested)
    st.form->Close();
  else
    st.closeRequested = true;
}

}  // namespace w95::video
