// Bitmap pictures read from files: the thumbnails the host makes for the
// slide editor. The real machine loads them with the platform's own bitmap
// loading; the simulated machine with our own reader of BMP bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace w95::platform {

// A picture in memory as 32-bit pixels, 0x00RRGGBB (the order of a 32-bit
// device-independent bitmap), top row first. Both the platform's loading and
// our own reader give one; canvases draw it.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The part of a picture that lies in the w x h window at (x, y) of it
// (clamped to the picture).
Picture Crop(const Picture& picture, int x, int y, int w, int h);

using PicturePtr = std::shared_ptr<const Picture>;

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // The bitmap in the file; nullptr when the file is missing, cut short or
  // not a bitmap that can be shown.
  virtual PicturePtr LoadBitmap(const std::string& path) = 0;
};

// Where the parts of a BMP file lie, every one checked to lie inside it.
struct BmpLayout {
  int width = 0;
  int height = 0;  // rows, whatever their order
  bool topDown = false;
  bool core = false;  // the old 12-byte header
  uint32_t bits = 0;
  size_t headerSize = 0;  // the header after the 14-byte file header
  size_t maskBytes = 0;   // colour masks after a 40-byte header
  size_t paletteAt = 0;
  size_t paletteCount = 0;
  size_t paletteEntry = 4;  // bytes per colour
  size_t dataAt = 0;        // the rows
  size_t stride = 0;        // bytes per row
};
// The layout of an uncompressed BMP of 1, 4, 8, 16, 24 or 32 bits (32 bits
// also with the usual colour masks), or
// nullopt when the file is not one or is cut short.
std::optional<BmpLayout> CheckBmp(std::string_view bytes);

// Our own reader of a BMP file's bytes: uncompressed 1, 4, 8, 16 (5-5-5), 24
// and 32 bits, rows stored bottom-up or top-down, with the old 12-byte header
// or any of the later ones. nullptr for anything it cannot read whole.
PicturePtr DecodeBmp(std::string_view bytes);

// A 24-bit bottom-up BMP file of the pixels (0x00RRGGBB, top row first).
std::string EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels);

// The largest picture DecodeBmp accepts, in pixels per side and in all.
inline constexpr int kMaxPictureSide = 8192;
inline constexpr int64_t kMaxPicturePixels = int64_t{16} << 20;

}  // namespace w95::platform
