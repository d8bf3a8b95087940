#pragma once

#include "platform/platform.h"

namespace w95::platform {

// The kernel32 profile functions, called at every use (nothing is cached, so
// the library and the host always see the same "plimbo.ini").
ProfileStore& Win32Profiles();

}  // namespace w95::platform
