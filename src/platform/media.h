// The media device service: the commands of the platform's media control
// interface that the video window sends to one open device, and the window
// services around it (frame metrics, a window's device context, z-order,
// palette changes). The Win32 build sends them with mciSendCommandA
// (platform/win32); native tests run a scripted device (platform/sim).
//
// Every command returns the device's error code (0 for success).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace w95::platform {

// Device modes reported by the mode status item.
enum : uint32_t {
  kModeNotReady = 524,
  kModeStop = 525,
  kModePlay = 526,
  kModeRecord = 527,
  kModeSeek = 528,
  kModePause = 529,
  kModeOpen = 530,
};

// Error codes the library looks at or the simulated device reports.
enum : uint32_t {
  kMciErrInvalidDeviceId = 257,
  kMciErrUnrecognizedKeyword = 259,
  kMciErrUnrecognizedCommand = 261,
  kMciErrHardware = 262,
  kMciErrInvalidDeviceName = 263,
  kMciErrUnsupportedFunction = 274,
  kMciErrFileNotFound = 275,
  kMciErrExtensionNotFound = 281,
  kMciErrOutOfRange = 282,
  kMciErrInvalidFile = 296,
};

// Codes of a completion notification.
enum : unsigned {
  kNotifySuccessful = 1,
  kNotifySuperseded = 2,
  kNotifyAborted = 4,
  kNotifyFailure = 8,
};

enum class MediaItem { Length, Position, Mode };

// Playback settings a device can be asked for after they were set: volume
// 0..1000, speed (1000 = normal), sound (1 on, 0 off).
enum class MediaSetting { Volume, Speed, Audio };

// The device does not know the setting at all (it accepts setting it and
// does nothing).
inline bool IsUnknownSetting(uint32_t error) {
  return error == kMciErrUnrecognizedCommand || error == kMciErrUnrecognizedKeyword ||
         error == kMciErrUnsupportedFunction;
}

// How a command is sent: with the wait flag, and with the notify flag whose
// completion code reaches onNotify from the message loop (a later command
// with notify supersedes an earlier one's).
struct MediaCall {
  bool wait = true;
  bool notify = false;
  std::function<void(unsigned code)> onNotify;
};

// What the frame of a sizeable window with a caption takes
// (GetSystemMetrics SM_CXFRAME, SM_CYFRAME, SM_CYCAPTION, SM_CYBORDER).
struct FrameMetrics {
  int cxFrame = 4;
  int cyFrame = 4;
  int cyCaption = 18;
  int cyBorder = 1;
};

class MediaService {
 public:
  virtual ~MediaService() = default;

  // Opens the device for a file (element only: the platform chooses the
  // device from the file); device receives its identifier.
  virtual uint32_t Open(const std::string& element, uint32_t& device) = 0;
  virtual uint32_t Close(uint32_t device, const MediaCall& call) = 0;

  // Display: the window the device draws into, and the picture rectangle
  // within it.
  virtual uint32_t Window(uint32_t device, uintptr_t window, const MediaCall& call) = 0;
  virtual uint32_t PutDestination(uint32_t device, int left, int top, int width, int height,
                                  const MediaCall& call) = 0;
  // Native size of the clip (the source rectangle).
  virtual uint32_t WhereSource(uint32_t device, int& width, int& height) = 0;
  virtual uint32_t HasVideo(uint32_t device, bool& yes) = 0;
  virtual uint32_t Realize(uint32_t device) = 0;
  // Repaints the current frame into a device context.
  virtual uint32_t Update(uint32_t device, uintptr_t dc, int left, int top, int width,
                          int height) = 0;

  virtual uint32_t SetTimeFormatFrames(uint32_t device, const MediaCall& call) = 0;
  virtual uint32_t Status(uint32_t device, MediaItem item, uint32_t& value) = 0;

  virtual uint32_t Play(uint32_t device, const MediaCall& call) = 0;
  virtual uint32_t Stop(uint32_t device, const MediaCall& call) = 0;
  virtual uint32_t Pause(uint32_t device, const MediaCall& call) = 0;
  virtual uint32_t Resume(uint32_t device, const MediaCall& call) = 0;
  // Frames below 0 step backwards (on a device that can reverse).
  virtual uint32_t Step(uint32_t device, int frames, const MediaCall& call) = 0;
  virtual uint32_t SeekToStart(uint32_t device, const MediaCall& call) = 0;
  virtual uint32_t SeekTo(uint32_t device, int32_t frame, const MediaCall& call) = 0;

  // Volume 0..1000 and speed (1000 = normal) are sent without waiting.
  virtual uint32_t SetVolume(uint32_t device, uint32_t volume) = 0;
  virtual uint32_t SetSpeed(uint32_t device, uint32_t speed) = 0;
  virtual uint32_t SetAudio(uint32_t device, bool on) = 0;  // all channels, waited for
  // The clip's frame rate in frames per thousand seconds (12 a second:
  // 12000); an error where the device does not tell.
  virtual uint32_t FrameRate(uint32_t device, uint32_t& milliFps) = 0;
  // Whether the device steps backwards itself (a step of negative frames).
  virtual uint32_t CanReverse(uint32_t device, bool& yes) = 0;
  // Reads a setting back from the device.
  virtual uint32_t ReadSetting(uint32_t device, MediaSetting setting, uint32_t& value) = 0;
  // The driver's own settings dialog.
  virtual uint32_t Configure(uint32_t device) = 0;

  // The platform's text for an error code ("Unknown error code" when it has
  // none).
  virtual std::string ErrorText(uint32_t code) = 0;

  // ---- Window services the video window needs around the device.
  virtual FrameMetrics Frame() = 0;
  // The device context of a window's client area, and its release.
  virtual uintptr_t ClientDC(uintptr_t window) = 0;
  virtual void ReleaseClientDC(uintptr_t window, uintptr_t dc) = 0;
  // A window's outer rectangle on the screen; false when it has none.
  virtual bool ScreenRect(uintptr_t window, int& left, int& top, int& width, int& height) = 0;
  // Moves a top-level window to the back of the z-order.
  virtual void SendToBack(uintptr_t window) = 0;
  // Called with the window that changed the system palette, from the message
  // loop; an empty function stops the calls.
  virtual void OnPaletteChanged(std::function<void(uintptr_t changedBy)> handler) = 0;
};

}  // namespace w95::platform
