#include "video/video_logic.h"

#include <algorithm>
#include <cmath>

namespace w95::video {

uint16_t BarMaxFor(int32_t length) {
  return static_cast<uint16_t>(IsLongClip(length) ? (length - 1) / 10 : length - 1);
}

int BarPositionFor(int32_t frame, int32_t length) {
  return IsLongClip(length) ? (frame - 1) / 10 : frame;
}

int32_t FrameForBar(int position, int32_t length) {
  return IsLongClip(length) ? position * 10 : position;
}

int EndPositionFor(int32_t length) { return IsLongClip(length) ? (length - 1) / 10 : length - 1; }

std::string ModeName(uint32_t mode) {
  static const char* const names[] = {"Not ready", "Stopped", "Playing", "Recording",
                                      "Seeking",   "Paused",  "Open"};
  return mode >= 524 && mode <= 530 ? names[mode - 524] : "";
}

std::string DeviceErrorText(uint32_t code, const std::string& platformText) {
  const bool none = platformText.find_first_not_of(" \t\r\n") == std::string::npos ||
                    platformText == "Unknown error code";
  if (!none) return platformText;
  return "This file cannot be played (error " + std::to_string(code) + ").";
}

std::string OpenErrorText(uint32_t code, const std::string& platformText) {
  const bool unknownDevice = code == 263 || code == 281;
  if (platformText.find_first_not_of(" \t\r\n") == std::string::npos)
    return DeviceErrorText(code, platformText) +
           (unknownDevice ? std::string("\r\nPlease see README file.") : std::string());
  return platformText + (unknownDevice ? std::string("\r\nPlease see README file.")
                                       : "ErrCode=" + std::to_string(code));
}

PictureRect FitPicture(int backWidth, int backHeight, int videoWidth, int videoHeight) {
  if (videoWidth <= 0 || videoHeight <= 0) return {};
  const float W = static_cast<float>(backWidth + 1);
  const float H = static_cast<float>(backHeight + 1);
  const float vw = static_cast<float>(videoWidth);
  const float vh = static_cast<float>(videoHeight);
  float w, h;
  if (W >= vw && H <= vh) {
    h = H;
    w = H / vh * vw;
  } else if (W <= vw && H >= vh) {
    w = W;
    h = W / vw * vh;
  } else {
    if (std::fabs(W - vw) > std::fabs(H - vh)) {
      w = W;
      h = W / vw * vh;
    } else {
      h = H;
      w = H / vh * vw;
    }
    if (w > W) {
      h = W / w * h;
      w = W;
    }
    if (h > H) {
      w = H / h * w;
      h = H;
    }
  }
  const auto iw = static_cast<uint16_t>(static_cast<int>(w));
  const auto ih = static_cast<uint16_t>(static_cast<int>(h));
  // Halving rounds down, so a difference of -1 gives -1.
  const int left = (backWidth - iw) >> 1;
  const int top = (backHeight - ih) >> 1;
  return {left, top, iw, ih};
}

WindowSize ZoomSize(int videoWidth, int videoHeight, int factor, int nonClientWidth,
                    int nonClientHeight, int statusHeight, int barHeight) {
  const auto w = static_cast<uint16_t>(videoWidth * factor + nonClientWidth);
  const auto h =
      static_cast<uint16_t>(videoHeight * factor + nonClientHeight + statusHeight + barHeight);
  return {w, h};
}

std::string ClipTime(int64_t frame, uint32_t milliFps) {
  if (milliFps == 0 || frame < 0) frame = 0;
  const int64_t seconds = milliFps == 0 ? 0 : frame * 1000 / milliFps;
  const int64_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  auto two = [](int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  return h > 0 ? std::to_string(h) + ":" + two(m) + ":" + two(s) : std::to_string(m) + ":" + two(s);
}

int32_t FramesPerSecond(uint32_t milliFps) {
  return std::max<int32_t>(1, static_cast<int32_t>((milliFps + 500) / 1000));
}

}  // namespace w95::video
