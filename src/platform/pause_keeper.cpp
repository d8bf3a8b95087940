#include "platform/pause_keeper.h"

namespace w95::platform {

// A stop or a seek ends whatever was held or played (the length stays).
void PauseKeeper::Forget(uint32_t device) {
  State& s = states_[device];
  s.held = s.played = s.ranOut = false;
  s.lastMode = 0;
}

uint32_t PauseKeeper::Open(const std::string& element, uint32_t& device) {
  const uint32_t e = inner_.Open(element, device);
  if (e == 0) states_[device] = State{};
  return e;
}

uint32_t PauseKeeper::Close(uint32_t device, const MediaCall& call) {
  states_.erase(device);
  return inner_.Close(device, call);
}

uint32_t PauseKeeper::Status(uint32_t device, MediaItem item, uint32_t& value) {
  const uint32_t e = inner_.Status(device, item, value);
  if (e != 0) return e;
  State& s = states_[device];
  if (item == MediaItem::Length) {
    s.length = value;
  } else if (item == MediaItem::Position) {
    if (s.ranOut && s.length > 0 && value + 1 == s.length) value = s.length;
  } else {
    s.lastMode = value;
    if (s.held && value == kModeStop) {
      value = kModePause;
    } else {
      if (value != kModePause) s.held = false;
      if (value == kModeStop && s.played) s.ranOut = true;
      if (value != kModePlay) s.played = false;
    }
  }
  return e;
}

uint32_t PauseKeeper::Play(uint32_t device, const MediaCall& call) {
  State& s = states_[device];
  const uint32_t e = inner_.Play(device, call);
  s.held = s.ranOut = false;
  s.played = e == 0;
  return e;
}

uint32_t PauseKeeper::Stop(uint32_t device, const MediaCall& call) {
  Forget(device);
  return inner_.Stop(device, call);
}

uint32_t PauseKeeper::Pause(uint32_t device, const MediaCall& call) {
  // Whether it plays, the device said when last asked (a pause is sent
  // after a look at the mode).
  State& s = states_[device];
  const uint32_t e = inner_.Pause(device, call);
  if (e == 0 && s.lastMode == kModePlay) s.held = true;
  s.played = false;
  return e;
}

uint32_t PauseKeeper::Resume(uint32_t device, const MediaCall& call) {
  State& s = states_[device];
  if (s.held && s.lastMode == kModeStop) return Play(device, call);
  const uint32_t e = inner_.Resume(device, call);
  if (e == 0 && s.held) {
    s.held = false;
    s.played = true;
  }
  return e;
}

uint32_t PauseKeeper::SeekToStart(uint32_t device, const MediaCall& call) {
  Forget(device);
  return inner_.SeekToStart(device, call);
}

uint32_t PauseKeeper::SeekTo(uint32_t device, int32_t frame, const MediaCall& call) {
  Forget(device);
  return inner_.SeekTo(device, frame, call);
}

}  // namespace w95::platform
