// What the parts of the video window share: the device service, letting
// pending messages run, and a guard for the window's re-entrancy flags.
#pragma once

#include "ui/flag_guard.h"
#include "platform/media.h"
#include "platform/platform.h"
#include "settings/ini_file.h"
#include "ui/application.h"
#include "video/video_form.h"

namespace w95::video {

inline platform::MediaService& Media() { return *platform::Current().media; }

inline void Pump() { ui::Application().ProcessMessages(); }

using ui::FlagGuard;

// The remembered choices as the settings file holds them.
RememberedChoices ReadRemembered(const TIniFile& ini);

}  // namespace w95::video
