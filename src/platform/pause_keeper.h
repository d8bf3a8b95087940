// Keeps pause, resume and the end of a clip working on a device that
// differs from the usual one in three ways: its pause ends the play instead
// of holding it (it then reports itself stopped), its resume does nothing,
// and a clip played to its end rests on its last frame (length - 1) instead
// of at its length. Wrapped around the real service:
//
// - a pause of a device that said it plays (when last asked) is remembered; while it holds, a
// device that
//   reports itself stopped is reported paused, as a holding device would be;
// - a resume of such a device whose last reported mode was stopped continues
//   the play with a play command (which starts from the current position);
// - a play that ran out by itself and rests one frame short of the length
//   reports the length as its position, so that the next play rewinds first.
//
// A device that holds its pauses reports them itself, so for it every command
// passes through unchanged and nothing extra is sent.
#pragma once

#include <map>

#include "platform/media.h"

namespace w95::platform {

class PauseKeeper final : public MediaService {
 public:
  explicit PauseKeeper(MediaService& inner) : inner_(inner) {}

  uint32_t Open(const std::string& element, uint32_t& device) override;
  uint32_t Close(uint32_t device, const MediaCall& call) override;
  uint32_t Status(uint32_t device, MediaItem item, uint32_t& value) override;
  uint32_t Play(uint32_t device, const MediaCall& call) override;
  uint32_t Stop(uint32_t device, const MediaCall& call) override;
  uint32_t Pause(uint32_t device, const MediaCall& call) override;
  uint32_t Resume(uint32_t device, const MediaCall& call) override;
  uint32_t SeekToStart(uint32_t device, const MediaCall& call) override;
  uint32_t SeekTo(uint32_t device, int32_t frame, const MediaCall& call) override;

  uint32_t Window(uint32_t device, uintptr_t window, const MediaCall& call) override {
    return inner_.Window(device, window, call);
  }
  uint32_t PutDestination(uint32_t device, int left, int top, int width, int height,
                          const MediaCall& call) override {
    return inner_.PutDestination(device, left, top, width, height, call);
  }
  uint32_t WhereSource(uint32_t device, int& width, int& height) override {
    return inner_.WhereSource(device, width, height);
  }
  uint32_t HasVideo(uint32_t device, bool& yes) override { return inner_.HasVideo(device, yes); }
  uint32_t Realize(uint32_t device) override { return inner_.Realize(device); }
  uint32_t Update(uint32_t device, uintptr_t dc, int left, int top, int width,
                  int height) override {
    return inner_.Update(device, dc, left, top, width, height);
  }
  uint32_t SetTimeFormatFrames(uint32_t device, const MediaCall& call) override {
    return inner_.SetTimeFormatFrames(device, call);
  }
  uint32_t Step(uint32_t device, int frames, const MediaCall& call) override {
    State& s = states_[device];  // a held pause stays held
    s.played = s.ranOut = false;
    return inner_.Step(device, frames, call);
  }
  uint32_t SetVolume(uint32_t device, uint32_t volume) override {
    return inner_.SetVolume(device, volume);
  }
  uint32_t SetSpeed(uint32_t device, uint32_t speed) override {
    return inner_.SetSpeed(device, speed);
  }
  uint32_t SetAudio(uint32_t device, bool on) override { return inner_.SetAudio(device, on); }
  uint32_t FrameRate(uint32_t device, uint32_t& milliFps) override {
    return inner_.FrameRate(device, milliFps);
  }
  uint32_t CanReverse(uint32_t device, bool& yes) override {
    return inner_.CanReverse(device, yes);
  }
  uint32_t ReadSetting(uint32_t device, MediaSetting setting, uint32_t& value) override {
    return inner_.ReadSetting(device, setting, value);
  }
  uint32_t Configure(uint32_t device) override { return inner_.Configure(device); }
  std::string ErrorText(uint32_t code) override { return inner_.ErrorText(code); }
  FrameMetrics Frame() override { return inner_.Frame(); }
  uintptr_t ClientDC(uintptr_t window) override { return inner_.ClientDC(window); }
  void ReleaseClientDC(uintptr_t window, uintptr_t dc) override {
    inner_.ReleaseClientDC(window, dc);
  }
  bool ScreenRect(uintptr_t window, int& left, int& top, int& width, int& height) override {
    return inner_.ScreenRect(window, left, top, width, height);
  }
  void SendToBack(uintptr_t window) override { inner_.SendToBack(window); }
  void OnPaletteChanged(std::function<void(uintptr_t)> handler) override {
    inner_.OnPaletteChanged(std::move(handler));
  }

 private:
  struct State {
    bool held = false;      // paused by us while it played
    bool played = false;    // a play was started and nothing has stopped it
    bool ranOut = false;    // that play ended by itself
    uint32_t lastMode = 0;  // the mode the device itself reported last
    uint32_t length = 0;    // the length it reported last
  };
  void Forget(uint32_t device);
  MediaService& inner_;
  std::map<uint32_t, State> states_;
};

}  // namespace w95::platform
