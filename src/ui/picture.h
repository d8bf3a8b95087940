// Pictures for images and canvases (drawn stretched to a rectangle), and the
// loading of bitmap files into one with our own reader, for callers that want
// to tell the user why a file gave no picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/pictures.h"

namespace w95::ui {

using Picture = platform::Picture;

// The picture in the bytes of a bitmap file; throws w95::Error "Bitmap image
// is not valid" when they are not one this reader understands.
Picture DecodeBitmap(std::string_view bytes);

// Reads a bitmap file through the platform's file system; throws w95::Error
// when the file cannot be read or is not a valid bitmap.
Picture LoadPictureFile(const std::string& path);

}  // namespace w95::ui
