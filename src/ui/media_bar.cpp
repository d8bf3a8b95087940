#include "ui/media_bar.h"

#include "platform/platform.h"

namespace w95::ui {

namespace {

constexpr MediaButtons kAll = (1u << kMediaButtonCount) - 1;

const char* const kNames[kMediaButtonCount] = {"Play", "Pause", "Stop",   "Next", "Prev",
                                               "Step", "Back",  "Record", "Eject"};
const GlyphKind kGlyphs[kMediaButtonCount] = {GlyphKind::Play, GlyphKind::Pause,  GlyphKind::Stop,
                                              GlyphKind::Next, GlyphKind::Prev,   GlyphKind::Step,
                                              GlyphKind::Back, GlyphKind::Record, GlyphKind::Eject};

platform::MediaService& Media() {
  platform::MediaService* m = platform::Current().media;
  if (!m) throw Error("No media device service is installed.");
  return *m;
}

}  // namespace

MediaBar::MediaBar(Control& parent, std::string name)
    : Panel(parent, std::move(name)),
      enabled_(kAll),
      visible_(kAll),
      alive_(std::make_shared<MediaBar*>(this)) {
  SetBevelOuter(Bevel::None);
  for (int i = 0; i < kMediaButtonCount; ++i) {
    auto b = std::make_unique<Button>(*this, Name() + kNames[i]);
    b->SetGlyph(kGlyphs[i]);
    b->SetHint(kNames[i]);
    b->SetTabStop(false);
    const auto kind = static_cast<MediaButton>(i);
    b->OnClick = [this, kind](Control&) { UserButtonClick(kind); };
    buttons_[i] = std::move(b);
  }
  Arrange();
}

MediaBar::~MediaBar() {
  *alive_ = nullptr;
  if (device_) {
    platform::MediaCall call;
    if (platform::Current().media) platform::Current().media->Close(device_, call);
  }
}

platform::MediaCall MediaBar::Next(bool play) {
  platform::MediaCall call;
  if (play) {
    call.wait = wait_.value_or(false);
    call.notify = notify_.value_or(true);
  } else {
    call.wait = wait_.value_or(true);
    call.notify = notify_.value_or(false);
  }
  wait_.reset();
  notify_.reset();
  if (call.notify)
    call.onNotify = [alive = alive_](unsigned code) {
      if (MediaBar* bar = *alive) bar->Notified(code);
    };
  return call;
}

uint32_t MediaBar::Check(uint32_t code) {
  error_ = code;
  if (code != 0) throw MediaError(code, ErrorMessage());
  return code;
}

std::string MediaBar::ErrorMessage() { return Media().ErrorText(error_); }

void MediaBar::Notified(unsigned code) {
  notifyValue_ = code;
  Guard([&] { Fire(OnNotify); });
}

void MediaBar::Open() {
  if (device_) Close();
  wait_.reset();
  notify_.reset();
  uint32_t id = 0;
  Check(Media().Open(FileName, id));
  device_ = id;
  bool video = false;
  hasVideo_ = Media().HasVideo(device_, video) == 0 && video;
}

void MediaBar::Close() {
  if (!device_) return;
  const uint32_t id = device_;
  device_ = 0;
  hasVideo_ = false;
  Check(Media().Close(id, Next(false)));
}

void MediaBar::Play() {
  if (!device_) return;
  if (Position() == Length()) {
    platform::MediaCall rewind;  // waited for, outside the one-shot choices
    Media().SeekToStart(device_, rewind);
  }
  Check(Media().Play(device_, Next(true)));
}

void MediaBar::Pause() {
  if (!device_) return;
  const uint32_t mode = Mode();
  if (mode == platform::kModePlay) {
    Check(Media().Pause(device_, Next(false)));
  } else if (mode == platform::kModePause) {
    const platform::MediaCall call = Next(false);
    error_ = Media().Resume(device_, call);
    if (error_ != 0) Check(Media().Play(device_, call));
  }
}

void MediaBar::Stop() {
  if (device_) Check(Media().Stop(device_, Next(false)));
}

void MediaBar::Previous() {
  if (device_) Check(Media().SeekToStart(device_, Next(false)));
}

void MediaBar::Step() {
  if (!device_ || !hasVideo_) return;
  if (Position() == Length()) {
    platform::MediaCall rewind;
    Media().SeekToStart(device_, rewind);
  }
  Check(Media().Step(device_, frames_, Next(false)));
}

void MediaBar::PauseDevice() {
  if (device_) Check(Media().Pause(device_, Next(false)));
}

void MediaBar::Display(uintptr_t window) {
  if (device_ && hasVideo_) Check(Media().Window(device_, window, platform::MediaCall{}));
}

void MediaBar::DisplayRect(int left, int top, int width, int height) {
  platform::MediaCall call;
  call.wait = false;
  if (device_ && hasVideo_) Check(Media().PutDestination(device_, left, top, width, height, call));
}

void MediaBar::FramesAsUnit() {
  if (!device_) return;
  platform::MediaCall call;
  call.wait = false;
  call.notify = true;
  call.onNotify = [alive = alive_](unsigned code) {
    if (MediaBar* bar = *alive) bar->Notified(code);
  };
  Check(Media().SetTimeFormatFrames(device_, call));
}

uint32_t MediaBar::Mode() {
  uint32_t v = 0;
  return device_ && Media().Status(device_, platform::MediaItem::Mode, v) == 0 ? v : 0;
}
uint32_t MediaBar::Position() {
  uint32_t v = 0;
  return device_ && Media().Status(device_, platform::MediaItem::Position, v) == 0 ? v : 0;
}
uint32_t MediaBar::Length() {
  uint32_t v = 0;
  return device_ && Media().Status(device_, platform::MediaItem::Length, v) == 0 ? v : 0;
}

void MediaBar::SetEnabledButtons(MediaButtons set) {
  enabled_ = set & kAll;
  for (int i = 0; i < kMediaButtonCount; ++i) buttons_[i]->SetEnabled((enabled_ >> i) & 1u);
}

void MediaBar::SetVisibleButtons(MediaButtons set) {
  visible_ = set & kAll;
  Arrange();
}

void MediaBar::Arrange() {
  int shown = 0;
  for (int i = 0; i < kMediaButtonCount; ++i) shown += (visible_ >> i) & 1u;
  int left = 0;
  int k = 0;
  for (int i = 0; i < kMediaButtonCount; ++i) {
    Button& b = *buttons_[i];
    const bool on = (visible_ >> i) & 1u;
    if (on) {
      // Share the width; the last button takes what division leaves over.
      const int w = ++k == shown ? Width() - left : Width() / shown;
      b.SetBounds(left, 0, w, Height());
      left += w;
    }
    b.SetVisible(on);
  }
}

void MediaBar::UserButtonClick(MediaButton b) {
  const MediaButtons bit = Bit(b);
  if (!(enabled_ & bit) || !(visible_ & bit) || !CanUse()) return;
  bool doDefault = true;
  if (OnButtonClick) OnButtonClick(*this, b, doDefault);
  if (doDefault) DoDefault(b);
}

void MediaBar::DoDefault(MediaButton b) {
  switch (b) {
    case MediaButton::Play:
      Play();
      break;
    case MediaButton::Pause:
      Pause();
      break;
    case MediaButton::Stop:
      Stop();
      break;
    case MediaButton::Prev:
      Previous();
      break;
    case MediaButton::Step:
      Step();
      break;
    default:
      break;
  }
}

}  // namespace w95::ui
