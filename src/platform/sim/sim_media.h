// The simulated machine's media device: scripted clips that keep the
// promises of the real service (native size, length in frames, position,
// modes 524..530, error codes and texts, completion notifications, step and
// seek). Time does not pass by itself: a test moves a playing clip on with
// Advance or RunToEnd, and lets the queued notifications run with
// DeliverNotifications (the message loop of the simulated machine).
//
//   m.media.AddClip("C:\\CLIPS\\A.AVI", {320, 240, 100});   // also makes the file
//   ... open the video window ...
//   m.media.RunToEnd();                 // the clip plays to its end
//   m.media.DeliverNotifications();     // the completion reaches the bar
//   m.media.log                         // every command sent, in order
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/media.h"

namespace w95::platform::sim {

class SimFileSystem;

struct SimClip {
  int width = 320;
  int height = 240;
  uint32_t length = 100;  // frames
  bool hasVideo = true;
  uint32_t frameRate = 0;   // frames per thousand seconds; 0: the device does not tell
  bool canReverse = false;  // steps backwards itself
};

class SimMedia final : public MediaService {
 public:
  explicit SimMedia(SimFileSystem* files) : files_(files) {}

  // A clip for a file name (the file is created when missing).
  void AddClip(const std::string& path, SimClip clip);

  // Behave as Wine's device does: a pause ends the play (mode stopped, the
  // play's notification arrives as successful) and a resume does nothing.
  bool pauseEndsPlay = false;
  // Also as Wine's: a clip played to its end rests on its last frame, and a
  // step beyond that frame is refused (out of range).
  bool endOnLastFrame = false;
  // Also as Wine's: volume, speed and sound off are accepted and change
  // nothing, and reading them back is refused as an unknown command.
  bool ignoresSettings = false;
  // The next command of that word ("open", "play", "step", ...) fails with
  // the code instead of acting.
  std::map<std::string, uint32_t> failNext;
  FrameMetrics frame;
  uintptr_t clientDC = 0xDC;

  // Every command sent, as "word[ detail][ wait][ notify]".
  std::vector<std::string> log;
  std::vector<uintptr_t> sentToBack;
  int CountOf(const std::string& word) const;  // commands of that word
  void ClearLog() { log.clear(); }

  // Moves every playing device on by frames; one that reaches its end stops
  // there and queues its successful notification.
  void Advance(uint32_t frames);
  void RunToEnd() { Advance(0xFFFFFF); }
  void DeliverNotifications();
  size_t PendingNotifications() const { return queue_.size(); }
  // Another window (or the window itself) changed the system palette.
  void ChangePalette(uintptr_t changedBy);

  // State of the open device (the last one opened).
  bool IsOpen() const { return !devices_.empty(); }
  uint32_t Mode() const;
  uint32_t Position() const;
  uintptr_t DisplayWindow() const;
  bool AudioOn() const;
  uint32_t Volume() const;
  uint32_t Speed() const;
  // The frame the picture area shows, -1 when it shows none. As the real
  // device: a playing clip draws its frames itself; a seek or a step moves
  // the position without drawing; a new window or picture rectangle leaves
  // the area to be painted again; an update draws the current frame.
  int ShownFrame() const;

  uint32_t Open(const std::string& element, uint32_t& device) override;
  uint32_t Close(uint32_t device, const MediaCall& call) override;
  uint32_t Window(uint32_t device, uintptr_t window, const MediaCall& call) override;
  uint32_t PutDestination(uint32_t device, int left, int top, int width, int height,
                          const MediaCall& call) override;
  uint32_t WhereSource(uint32_t device, int& width, int& height) override;
  uint32_t HasVideo(uint32_t device, bool& yes) override;
  uint32_t Realize(uint32_t device) override;
  uint32_t Update(uint32_t device, uintptr_t dc, int left, int top, int width, int height) override;
  uint32_t SetTimeFormatFrames(uint32_t device, const MediaCall& call) override;
  uint32_t Status(uint32_t device, MediaItem item, uint32_t& value) override;
  uint32_t Play(uint32_t device, const MediaCall& call) override;
  uint32_t Stop(uint32_t device, const MediaCall& call) override;
  uint32_t Pause(uint32_t device, const MediaCall& call) override;
  uint32_t Resume(uint32_t device, const MediaCall& call) override;
  uint32_t Step(uint32_t device, int frames, const MediaCall& call) override;
  uint32_t SeekToStart(uint32_t device, const MediaCall& call) override;
  uint32_t SeekTo(uint32_t device, int32_t frame, const MediaCall& call) override;
  uint32_t SetVolume(uint32_t device, uint32_t volume) override;
  uint32_t SetSpeed(uint32_t device, uint32_t speed) override;
  uint32_t SetAudio(uint32_t device, bool on) override;
  uint32_t ReadSetting(uint32_t device, MediaSetting setting, uint32_t& value) override;
  uint32_t FrameRate(uint32_t device, uint32_t& milliFps) override;
  uint32_t CanReverse(uint32_t device, bool& yes) override;
  uint32_t Configure(uint32_t device) override;
  std::string ErrorText(uint32_t code) override;
  FrameMetrics Frame() override { return frame; }
  uintptr_t ClientDC(uintptr_t) override { return clientDC; }
  void ReleaseClientDC(uintptr_t, uintptr_t) override {}
  bool ScreenRect(uintptr_t, int&, int&, int&, int&) override { return false; }
  void SendToBack(uintptr_t window) override { sentToBack.push_back(window); }
  void OnPaletteChanged(std::function<void(uintptr_t)> handler) override {
    paletteHandler_ = std::move(handler);
  }

 private:
  struct Device {
    SimClip clip;
    uint32_t position = 0;
    uint32_t mode = kModeStop;
    uintptr_t window = 0;
    bool audio = true;
    uint32_t volume = 1000;
    uint32_t speed = 1000;
    int shown = -1;
    std::function<void(unsigned)> pending;  // the notification still to come
  };
  struct Queued {
    uint32_t device;
    std::function<void(unsigned)> callback;
    unsigned code;
  };
  // Logs the command; the device, or nullptr with the error in `error`.
  Device* Begin(const std::string& word, uint32_t device, const MediaCall* call, uint32_t& error,
                const std::string& detail = {});
  void Finish(uint32_t id, Device& d, unsigned code);          // ends the pending notification
  void Notify(uint32_t id, Device& d, const MediaCall& call);  // a command's own

  SimFileSystem* files_;
  std::map<std::string, SimClip> clips_;
  std::map<uint32_t, Device> devices_;
  uint32_t nextId_ = 1;
  std::deque<Queued> queue_;
  std::function<void(uintptr_t)> paletteHandler_;
};

}  // namespace w95::platform::sim
