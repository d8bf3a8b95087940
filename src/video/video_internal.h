// What the parts of the video window share: the device service, letting
// pending messages run, and a guard for the window's re-entrancy flags.
#pragma once

#include "ui/flag_guard.h"
#include "platform/media.h"
#include "platform/platform.h"
#include "ui/application.h"

namespace w95::video {

inline platform::MediaService& Media() { return *platform::Current().media; }

inline void Pump() { ui::Application().ProcessMessages(); }

using ui::FlagGuard;

}  // namespace w95::video
