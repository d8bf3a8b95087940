#pragma once

#include "platform/pictures.h"

namespace w95::platform {

// Bitmaps loaded by the platform itself (LoadImageA from the file).
PictureLoader& Win32Pictures();

}  // namespace w95::platform
