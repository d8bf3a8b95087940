// The media button bar: nine buttons (Play, Pause, Stop, Next, Prev, Step,
// Back, Record, Eject) that drive one device of the media service. It shows
// only the buttons of its visible set, side by side sharing its width, and
// takes clicks only on those of its enabled set (the others are greyed).
//
// A click first runs OnButtonClick with a do-default flag that starts true,
// then, while the flag holds, the button's own action on the device. Each
// command of the bar records its error code (Error) and throws MediaError on
// failure. Two one-shot choices, wait and notify, shape the next command:
// a command waits unless wait was set false and notifies only when notify
// was set true; a play notifies unless notify was set false and waits only
// when wait was set true. The display and time-format settings are sent with
// their own flags and leave the choices alone; display commands are sent only
// for a device with video.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/error.h"
#include "platform/media.h"
#include "ui/button.h"
#include "ui/panel.h"

namespace w95::ui {

enum class MediaButton { Play, Pause, Stop, Next, Prev, Step, Back, Record, Eject };
constexpr int kMediaButtonCount = 9;

// A set of buttons, one bit per button.
using MediaButtons = unsigned;
constexpr MediaButtons Bit(MediaButton b) { return 1u << static_cast<int>(b); }
template <class... B>
constexpr MediaButtons ButtonSet(B... b) {
  return (Bit(b) | ...);
}

class MediaError : public Error {
 public:
  MediaError(uint32_t code, const std::string& text) : Error(text), code_(code) {}
  uint32_t Code() const { return code_; }

 private:
  uint32_t code_;
};

using MediaClickEvent = std::function<void(Control& sender, MediaButton button, bool& doDefault)>;

class MediaBar : public Panel {
 public:
  MediaBar(Control& parent, std::string name);
  ~MediaBar() override;

  std::string FileName;

  // ---- The device.
  void Open();  // opens FileName
  void Close();
  bool IsOpen() const { return device_ != 0; }
  uint32_t DeviceID() const { return device_; }
  bool HasVideo() const { return hasVideo_; }
  void Play();
  void Pause();  // pauses a playing device, resumes a paused one
  void Stop();
  void Previous();  // seeks to the start
  void Step();      // by Frames, only for a device with video
  // Sends a pause whatever the device does (Pause toggles).
  void PauseDevice();
  void Display(uintptr_t window);  // the window the picture goes to
  void DisplayRect(int left, int top, int width, int height);
  void FramesAsUnit();
  int Frames() const { return frames_; }  // the step size
  void SetFrames(int frames) { frames_ = frames; }
  // Status reads (not recorded as the bar's error; 0 on failure).
  uint32_t Mode();
  uint32_t Position();
  uint32_t Length();

  void SetWait(bool on) { wait_ = on; }
  void SetNotify(bool on) { notify_ = on; }
  uint32_t Error() const { return error_; }
  std::string ErrorMessage();
  unsigned NotifyValue() const { return notifyValue_; }

  // ---- The buttons.
  MediaButtons EnabledButtons() const { return enabled_; }
  void SetEnabledButtons(MediaButtons set);
  MediaButtons VisibleButtons() const { return visible_; }
  void SetVisibleButtons(MediaButtons set);
  Button& ButtonOf(MediaButton b) { return *buttons_[static_cast<int>(b)]; }
  // Lays the visible buttons out across the bar's width.
  void Arrange();

  MediaClickEvent OnButtonClick;
  NotifyEvent OnNotify;  // a completion notification arrived (NotifyValue)

  // A click on a button (the user, or a test).
  void UserButtonClick(MediaButton b);

 private:
  platform::MediaCall Next(bool play);
  uint32_t Check(uint32_t code);  // records the error; throws on failure
  void Notified(unsigned code);
  void DoDefault(MediaButton b);

  std::unique_ptr<Button> buttons_[kMediaButtonCount];
  MediaButtons enabled_;
  MediaButtons visible_;
  uint32_t device_ = 0;
  bool hasVideo_ = false;
  int frames_ = 1;
  std::optional<bool> wait_;
  std::optional<bool> notify_;
  uint32_t error_ = 0;
  unsigned notifyValue_ = 0;
  std::shared_ptr<MediaBar*> alive_;  // lets late notifications find the bar gone
};

}  // namespace w95::ui
