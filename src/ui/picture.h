// A picture held in memory as 32-bit pixels, and the loading of bitmap
// files (.BMP: 1, 4, 8, 24 and 32 bits per pixel, uncompressed) into one.
// Images and canvases draw it stretched to a rectangle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace w95::ui {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows from the top
  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The picture in the bytes of a bitmap file; throws w95::Error "Bitmap image
// is not valid" when they are not one this reader understands.
Picture DecodeBitmap(std::string_view bytes);

// Reads a bitmap file through the platform's file system; throws w95::Error
// when the file cannot be read or is not a valid bitmap.
Picture LoadPictureFile(const std::string& path);

}  // namespace w95::ui
