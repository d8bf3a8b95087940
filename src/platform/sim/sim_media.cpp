#include "platform/sim/sim_media.h"

#include <algorithm>
#include <cctype>

#include "platform/sim/sim_files.h"

namespace w95::platform::sim {

namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The extension of the name part, upper case ("" when none).
std::string Extension(const std::string& path) {
  const size_t slash = path.find_last_of(":\\/");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : Upper(name.substr(dot + 1));
}

std::string Flags(const MediaCall* call) {
  if (!call) return {};
  std::string s;
  if (call->wait) s += " wait";
  if (call->notify) s += " notify";
  return s;
}

// The frame a picture shows at a position (a clip at its end shows its last
// frame).
int LastShown(uint32_t position, uint32_t length) {
  return length == 0 ? -1 : static_cast<int>(std::min(position, length - 1));
}

}  // namespace

void SimMedia::AddClip(const std::string& path, SimClip clip) {
  if (!files_->Exists(path)) files_->AddFile(path, "RIFF....AVI ");
  clips_[Upper(files_->ShortPath(path))] = clip;
}

int SimMedia::CountOf(const std::string& word) const {
  return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& s) {
    return s == word || s.rfind(word + " ", 0) == 0;
  }));
}

SimMedia::Device* SimMedia::Begin(const std::string& word, uint32_t device, const MediaCall* call,
                                  uint32_t& error, const std::string& detail) {
  log.push_back(word + (detail.empty() ? "" : " " + detail) + Flags(call));
  error = 0;
  if (auto f = failNext.find(word); f != failNext.end()) {
    error = f->second;
    failNext.erase(f);
    return nullptr;
  }
  auto it = devices_.find(device);
  if (it == devices_.end()) {
    error = kMciErrInvalidDeviceId;
    return nullptr;
  }
  return &it->second;
}

void SimMedia::Finish(uint32_t id, Device& d, unsigned code) {
  if (d.pending) queue_.push_back({id, std::move(d.pending), code});
  d.pending = nullptr;
}

void SimMedia::Notify(uint32_t id, Device& d, const MediaCall& call) {
  if (!call.notify) return;
  Finish(id, d, kNotifySuperseded);
  if (call.onNotify) queue_.push_back({id, call.onNotify, kNotifySuccessful});
}

void SimMedia::Advance(uint32_t frames) {
  for (auto& [id, d] : devices_) {
    if (d.mode != kModePlay) continue;
    const uint64_t to = uint64_t{d.position} + frames;
    if (to >= d.clip.length) {
      d.position = endOnLastFrame ? d.clip.length - 1 : d.clip.length;
      d.mode = kModeStop;
      Finish(id, d, kNotifySuccessful);
    } else {
      d.position = static_cast<uint32_t>(to);
    }
    d.shown = LastShown(d.position, d.clip.length);
  }
}

void SimMedia::DeliverNotifications() {
  std::deque<Queued> now;
  now.swap(queue_);
  for (auto& q : now)
    if (q.callback) q.callback(q.code);
}

void SimMedia::ChangePalette(uintptr_t changedBy) {
  if (paletteHandler_) paletteHandler_(changedBy);
}

namespace {
template <class Map>
auto* Last(Map& m) {
  return m.empty() ? nullptr : &m.rbegin()->second;
}
}  // namespace

uint32_t SimMedia::Mode() const { return devices_.empty() ? kModeNotReady : Last(devices_)->mode; }
uint32_t SimMedia::Position() const { return devices_.empty() ? 0 : Last(devices_)->position; }
uintptr_t SimMedia::DisplayWindow() const { return devices_.empty() ? 0 : Last(devices_)->window; }
bool SimMedia::AudioOn() const { return !devices_.empty() && Last(devices_)->audio; }
uint32_t SimMedia::Volume() const { return devices_.empty() ? 0 : Last(devices_)->volume; }
uint32_t SimMedia::Speed() const { return devices_.empty() ? 0 : Last(devices_)->speed; }
int SimMedia::ShownFrame() const { return devices_.empty() ? -1 : Last(devices_)->shown; }

uint32_t SimMedia::Open(const std::string& element, uint32_t& device) {
  log.push_back("open " + element);
  if (auto f = failNext.find("open"); f != failNext.end()) {
    const uint32_t e = f->second;
    failNext.erase(f);
    return e;
  }
  if (Extension(element) != "AVI") return kMciErrExtensionNotFound;
  if (!files_->Exists(element)) return kMciErrFileNotFound;
  auto clip = clips_.find(Upper(files_->ShortPath(element)));
  if (clip == clips_.end()) return kMciErrInvalidFile;
  device = nextId_++;
  devices_[device].clip = clip->second;
  return 0;
}

uint32_t SimMedia::Close(uint32_t device, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("close", device, &call, e);
  if (!d) return e;
  Finish(device, *d, kNotifyAborted);
  Notify(device, *d, call);
  devices_.erase(device);
  return 0;
}

uint32_t SimMedia::Window(uint32_t device, uintptr_t window, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("window", device, &call, e);
  if (!d) return e;
  d->window = window;
  d->shown = -1;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::PutDestination(uint32_t device, int left, int top, int width, int height,
                                  const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("put", device, &call, e,
                    std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) +
                        "," + std::to_string(height));
  if (!d) return e;
  d->shown = -1;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::WhereSource(uint32_t device, int& width, int& height) {
  uint32_t e;
  Device* d = Begin("where", device, nullptr, e);
  if (!d) return e;
  width = d->clip.width;
  height = d->clip.height;
  return 0;
}

uint32_t SimMedia::HasVideo(uint32_t device, bool& yes) {
  uint32_t e;
  Device* d = Begin("devcaps", device, nullptr, e);
  if (!d) return e;
  yes = d->clip.hasVideo;
  return 0;
}

uint32_t SimMedia::Realize(uint32_t device) {
  uint32_t e;
  return Begin("realize", device, nullptr, e) ? 0 : e;
}

uint32_t SimMedia::Update(uint32_t device, uintptr_t dc, int left, int top, int width, int height) {
  uint32_t e;
  Device* d = Begin("update", device, nullptr, e,
                    std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) +
                        "," + std::to_string(height));
  if (!d) return e;
  if (dc) d->shown = LastShown(d->position, d->clip.length);
  return 0;
}

uint32_t SimMedia::SetTimeFormatFrames(uint32_t device, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("frames", device, &call, e);
  if (!d) return e;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::Status(uint32_t device, MediaItem item, uint32_t& value) {
  static const char* const names[] = {"length", "position", "mode"};
  uint32_t e;
  Device* d = Begin("status", device, nullptr, e, names[static_cast<int>(item)]);
  if (!d) return e;
  value = item == MediaItem::Length     ? d->clip.length
          : item == MediaItem::Position ? d->position
                                        : d->mode;
  return 0;
}

uint32_t SimMedia::Play(uint32_t device, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("play", device, &call, e);
  if (!d) return e;
  Finish(device, *d, kNotifySuperseded);
  if (call.notify) d->pending = call.onNotify;
  if (d->position >= d->clip.length) {
    d->mode = kModeStop;
    Finish(device, *d, kNotifySuccessful);
  } else {
    d->mode = kModePlay;
    d->shown = LastShown(d->position, d->clip.length);
  }
  return 0;
}

uint32_t SimMedia::Stop(uint32_t device, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("stop", device, &call, e);
  if (!d) return e;
  Finish(device, *d, kNotifyAborted);
  d->mode = kModeStop;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::Pause(uint32_t device, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("pause", device, &call, e);
  if (!d) return e;
  if (pauseEndsPlay) {
    if (d->mode == kModePlay) Finish(device, *d, kNotifySuccessful);
    d->mode = kModeStop;
  } else if (d->mode == kModePlay) {
    d->mode = kModePause;
  }
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::Resume(uint32_t device, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("resume", device, &call, e);
  if (!d) return e;
  if (!pauseEndsPlay && d->mode == kModePause) d->mode = kModePlay;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::Step(uint32_t device, int frames, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("step", device, &call, e, std::to_string(frames));
  if (!d) return e;
  if (endOnLastFrame && int64_t{d->position} + frames >= int64_t{d->clip.length})
    return kMciErrOutOfRange;
  if (frames < 0 && !d->clip.canReverse) return kMciErrUnsupportedFunction;
  const int64_t to = std::clamp<int64_t>(int64_t{d->position} + frames, 0, d->clip.length);
  d->position = static_cast<uint32_t>(to);
  if (d->mode == kModePlay) d->mode = kModePause;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::SeekToStart(uint32_t device, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("seek", device, &call, e, "start");
  if (!d) return e;
  Finish(device, *d, kNotifyAborted);
  d->position = 0;
  d->mode = kModeStop;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::SeekTo(uint32_t device, int32_t to, const MediaCall& call) {
  uint32_t e;
  Device* d = Begin("seek", device, &call, e, std::to_string(to));
  if (!d) return e;
  if (to < 0 || static_cast<uint32_t>(to) > d->clip.length) return kMciErrOutOfRange;
  Finish(device, *d, kNotifyAborted);
  d->position = static_cast<uint32_t>(to);
  d->mode = kModeStop;
  Notify(device, *d, call);
  return 0;
}

uint32_t SimMedia::SetVolume(uint32_t device, uint32_t volume) {
  uint32_t e;
  Device* d = Begin("volume", device, nullptr, e, std::to_string(volume));
  if (!d) return e;
  if (!ignoresSettings) d->volume = volume;
  return 0;
}

uint32_t SimMedia::SetSpeed(uint32_t device, uint32_t speed) {
  uint32_t e;
  Device* d = Begin("speed", device, nullptr, e, std::to_string(speed));
  if (!d) return e;
  if (!ignoresSettings) d->speed = speed;
  return 0;
}

uint32_t SimMedia::SetAudio(uint32_t device, bool on) {
  uint32_t e;
  Device* d = Begin("audio", device, nullptr, e, on ? "on" : "off");
  if (!d) return e;
  if (!ignoresSettings) d->audio = on;
  return 0;
}

uint32_t SimMedia::FrameRate(uint32_t device, uint32_t& milliFps) {
  uint32_t e;
  Device* d = Begin("status", device, nullptr, e, "frame rate");
  if (!d) return e;
  if (d->clip.frameRate == 0) return kMciErrUnrecognizedCommand;
  milliFps = d->clip.frameRate;
  return 0;
}

uint32_t SimMedia::CanReverse(uint32_t device, bool& yes) {
  uint32_t e;
  Device* d = Begin("devcaps", device, nullptr, e, "reverse");
  if (!d) return e;
  yes = d->clip.canReverse;
  return 0;
}

uint32_t SimMedia::ReadSetting(uint32_t device, MediaSetting setting, uint32_t& value) {
  static const char* const names[] = {"volume", "speed", "audio"};
  uint32_t e;
  Device* d = Begin("status", device, nullptr, e, names[static_cast<int>(setting)]);
  if (!d) return e;
  if (ignoresSettings) return kMciErrUnrecognizedCommand;
  value = setting == MediaSetting::Volume  ? d->volume
          : setting == MediaSetting::Speed ? d->speed
                                           : (d->audio ? 1u : 0u);
  return 0;
}

uint32_t SimMedia::Configure(uint32_t device) {
  uint32_t e;
  return Begin("configure", device, nullptr, e) ? 0 : e;
}

std::string SimMedia::ErrorText(uint32_t code) {
  switch (code) {
    case kMciErrInvalidDeviceId:
      return "Invalid device ID. Use the ID given to the device when the device was opened.";
    case kMciErrHardware:
      return "The specified device has a hardware problem.";
    case kMciErrInvalidDeviceName:
      return "The specified device is not open or is not recognized by MCI.";
    case kMciErrFileNotFound:
      return "Cannot find the specified file. Make sure the path and filename are correct.";
    case kMciErrExtensionNotFound:
      return "Cannot determine the device type from the given filename extension.";
    case kMciErrOutOfRange:
      return "The specified parameter is out of range for the specified command.";
    case kMciErrInvalidFile:
      return "The specified file cannot be played on the specified MCI device. The file may be "
             "corrupt, or not in the correct format.";
    default:
      return "Unknown error code";
  }
}

}  // namespace w95::platform::sim
