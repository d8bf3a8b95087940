// The video window's arithmetic: the long-clip rule of the seek bar, the
// names of the device modes, the open error text, fitting the picture into
// its area and the window size of a zoom factor.
#pragma once

#include <cstdint>
#include <string>

namespace w95::video {

// The host modes the host passes to VideoWinPlayer95 (every other value acts
// as 0, a plain window).
// Mode 1: the clip starts at half volume and cannot loop.
constexpr int32_t kHostModeHalfVolume = 1;
// Mode 2, slideshow playback: the host decides about sound, so the window
// offers no sound choices and sends no volume or speed; any stop ends the
// clip, and the stop that follows opening is not counted.
constexpr int32_t kHostModeSlideshow = 2;

// The kind the host passes for still-frame resizing: a resize re-seeks so
// that the paused frame shows at the new size. Other kinds mean nothing.
constexpr uint16_t kKindStillFrame = 8;

// A clip longer than this counts its seek bar in tens of frames.
constexpr int32_t kLongClip = 32760;
inline bool IsLongClip(int32_t length) { return length > kLongClip; }

uint16_t BarMaxFor(int32_t length);
int BarPositionFor(int32_t frame, int32_t length);
int32_t FrameForBar(int position, int32_t length);
// The bar position below which a stopped clip has stopped before its end.
int EndPositionFor(int32_t length);

// "Playing", "Paused" ... for the device modes 524..530; "" for others.
std::string ModeName(uint32_t mode);

// The message for a device error: the platform's text, or, where it has
// none for the code, a sentence that gives the code.
std::string DeviceErrorText(uint32_t code, const std::string& platformText);

// The message for a file that would not open: the platform's text for the
// code followed by the hint for unknown devices, or by the code.
std::string OpenErrorText(uint32_t code, const std::string& platformText);

// A time on the clip as "m:ss", or "h:mm:ss" from an hour on, for a frame
// at a frame rate in frames per thousand seconds (truncated to the second).
std::string ClipTime(int64_t frame, uint32_t milliFps);
// Frames in a second of the clip (at least 1).
int32_t FramesPerSecond(uint32_t milliFps);

struct PictureRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PictureRect&) const = default;
};

// The client width of the window for a clip without a picture (sound only):
// room for the bars.
constexpr int kNoPictureWidth = 320;

// The largest picture with the clip's proportions that fits an area one
// pixel larger than the back panel each way, centred on the panel (32-bit
// floating point, as the window has always computed it). A clip without a
// size gets an empty picture.
PictureRect FitPicture(int backWidth, int backHeight, int videoWidth, int videoHeight);

struct WindowSize {
  int width = 0;
  int height = 0;
};

// The outer window size that shows the clip at factor f (16-bit arithmetic).
WindowSize ZoomSize(int videoWidth, int videoHeight, int factor, int nonClientWidth,
                    int nonClientHeight, int statusHeight, int barHeight);

}  // namespace w95::video
