#include "platform/pause_keeper.h"

namespace w95::platform {

// The play's completion ends the play (unless a pause is holding it: the
// device that ends the play at a pause reports that as a completion).
MediaCall PauseKeeper::Watched(uint32_t device, const MediaCall& call) {
  MediaCall watched = call;
  if (call.notify)
    watched.onNotify = [this, device, inner = call.onNotify](unsigned code) {
      if (auto it = states_.find(device); it != states_.end() && !it->second.held)
        it->second.playing = false;
      if (inner) inner(code);
    };
  return watched;
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
  if (e != 0 || item != MediaItem::Mode) return e;
  State& s = states_[device];
  s.lastMode = value;
  if (s.held && value == kModeStop) value = kModePause;
  else if (value != kModePlay && value != kModePause) s.playing = s.held = false;
  return e;
}

uint32_t PauseKeeper::Play(uint32_t device, const MediaCall& call) {
  const uint32_t e = inner_.Play(device, Watched(device, call));
  State& s = states_[device];
  s.held = false;
  s.playing = e == 0;
  return e;
}

uint32_t PauseKeeper::Stop(uint32_t device, const MediaCall& call) {
  states_[device] = State{};
  return inner_.Stop(device, call);
}

uint32_t PauseKeeper::Pause(uint32_t device, const MediaCall& call) {
  State& s = states_[device];
  const bool wasPlaying = s.playing;
  const uint32_t e = inner_.Pause(device, call);
  if (e == 0 && wasPlaying) s.held = true;
  return e;
}

uint32_t PauseKeeper::Resume(uint32_t device, const MediaCall& call) {
  State& s = states_[device];
  if (s.held && s.lastMode == kModeStop) return Play(device, call);
  const uint32_t e = inner_.Resume(device, call);
  if (e == 0 && s.held) {
    s.held = false;
    s.playing = true;
  }
  return e;
}

uint32_t PauseKeeper::SeekToStart(uint32_t device, const MediaCall& call) {
  states_[device] = State{};
  return inner_.SeekToStart(device, call);
}

uint32_t PauseKeeper::SeekTo(uint32_t device, int32_t frame, const MediaCall& call) {
  states_[device] = State{};
  return inner_.SeekTo(device, frame, call);
}

}  // namespace w95::platform
