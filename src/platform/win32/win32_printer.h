#pragma once

#include "platform/platform.h"

namespace w95::platform {

// The printer object over winspool and GDI.
Printer& Win32Printer();

}  // namespace w95::platform
