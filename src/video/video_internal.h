// What the parts of the video window share: the device service, letting
// pending messages run, and a guard for the window's re-entrancy flags.
#pragma once

#include "platform/media.h"
#include "platform/platform.h"
#include "ui/application.h"

namespace w95::video {

inline platform::MediaService& Media() { return *platform::Current().media; }

inline void Pump() { ui::Application().ProcessMessages(); }

// Sets a flag for the life of a block and clears it on every way out.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = false; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
};

}  // namespace w95::video
