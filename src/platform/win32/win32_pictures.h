#pragma once

#include "platform/picture_preview.h"
#include "platform/pictures.h"

namespace w95::platform {

// Bitmaps made by the platform itself from the checked bytes of the file.
PictureLoader& Win32Pictures();

// Previews decoded on threads of their own.
PreviewDecoder& Win32Previews();

}  // namespace w95::platform
