#pragma once

#include "platform/platform.h"

namespace w95::platform {

// The real file system (kernel32), one instance for the process. No call
// shows the system's "no disk in drive" box: a drive without its medium is
// reported as not ready instead.
FileSystem& Win32Files();

}  // namespace w95::platform
