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

// A picture in memory. One read by our own reader keeps its pixels as
// 0x00BBGGRR, top row first; one the platform loaded keeps the platform's
// bitmap (NativeBitmap) and no pixels.
class Picture {
 public:
  Picture(int width, int height, std::vector<uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  virtual ~Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  // The platform's bitmap handle (an HBITMAP); 0 when the pixels are ours.
  virtual uintptr_t NativeBitmap() const { return 0; }

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

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
  int height = 0;           // rows, whatever their order
  bool topDown = false;
  bool core = false;        // the old 12-byte header
  uint32_t bits = 0;
  size_t headerSize = 0;    // the header after the 14-byte file header
  size_t paletteAt = 0;
  size_t paletteCount = 0;
  size_t paletteEntry = 4;  // bytes per colour
  size_t dataAt = 0;        // the rows
  size_t stride = 0;        // bytes per row
};
// The layout of an uncompressed BMP of 1, 4, 8, 16, 24 or 32 bits, or
// nullopt when the file is not one or is cut short.
std::optional<BmpLayout> CheckBmp(std::string_view bytes);

// Our own reader of a BMP file's bytes: uncompressed 1, 4, 8, 16 (5-5-5), 24
// and 32 bits, rows stored bottom-up or top-down, with the old 12-byte header
// or any of the later ones. nullptr for anything it cannot read whole.
PicturePtr DecodeBmp(std::string_view bytes);

// A 24-bit bottom-up BMP file of the pixels (0x00BBGGRR, top row first).
std::string EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels);

// The largest picture DecodeBmp accepts, in pixels per side and in all.
inline constexpr int kMaxPictureSide = 8192;
inline constexpr int64_t kMaxPicturePixels = int64_t{16} << 20;

}  // namespace w95::platform
