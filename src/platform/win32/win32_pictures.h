#pragma once

#include "platform/pictures.h"

namespace w95::platform {

// Bitmaps made by the platform itself from the checked bytes of the file.
PictureLoader& Win32Pictures();

}  // namespace w95::platform
